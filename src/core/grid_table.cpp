#include "core/grid_table.h"

#include "core/key_case.h"

#include <tavix/cell_object.h>
#include <tavix/error.h>
#include <tavix/events.h>

#include <algorithm>

namespace tavix::core {
namespace {

// Numeric arguments round to the nearest integer; anything else names nothing.
int32_t NumberOrZero(const GridVariant& v) { return IsNumericVariant(v) ? RoundToLong(v.ToDouble()) : 0; }

// Whole numbers need no rounding; fill loops pass them for every cell, so they
// skip the general conversion.
int32_t WholeNumberOr(const GridVariant& v, int32_t none)
{
    switch (v.VarType()) {
    case VtLong: return v.AsLong();
    case VtInteger: return v.AsInteger();
    default: return none;
    }
}

}  // namespace

GridTable::GridTable(Host& host)
    : host_(&host)
    , combos_([this] { return font_; })
    , font_(host.AmbientFont().Clone())
{
}

RowKeyIndex::KeyOf GridTable::KeyOf() const
{
    return [this](int32_t row) -> const std::string& { return rows_.At(row).Key; };
}

bool GridTable::HasCell(int32_t row, int32_t colIndex) const
{
    return row >= 1 && row <= rowCount_ && colIndex >= 1 && colIndex <= ColCount();
}

int32_t GridTable::ResolveRow(const GridVariant& vRow) const
{
    const int32_t row = vRow.IsString() ? RowIndexOfKey(std::string(vRow.AsString())) : NumberOrZero(vRow);
    CheckRowIndex(row);
    return row;
}

int32_t GridTable::ResolveCol(const GridVariant& vCol) const
{
    const int32_t col = vCol.IsString() ? ColIndexOfKey(std::string(vCol.AsString())) : NumberOrZero(vCol);
    CheckColIndex(col);
    return col;
}

CellRef GridTable::ResolveCell(const GridVariant& vRow, const GridVariant& vCol) const
{
    int32_t row = WholeNumberOr(vRow, -1);
    if (row < 0)
        row = ResolveRow(vRow);
    else
        CheckRowIndex(row);
    int32_t col = WholeNumberOr(vCol, -1);
    if (col < 0)
        col = ResolveCol(vCol);
    else
        CheckColIndex(col);
    return { row, col };
}

int32_t GridTable::ColPosition(const GridVariant& vCol) const
{
    int32_t position = 0;
    if (IsNumericVariant(vCol)) {
        const double wanted = vCol.ToDouble();
        for (int32_t p = 1; p <= ColCount() && position == 0; ++p)
            if (columns_.At(p).Index == wanted)
                position = p;
    } else {
        std::string text;
        try {
            text = vCol.ToString();
        } catch (const TavixError&) {
            RaiseGridError(tvErrSubscript);
        }
        position = columns_.PositionOfKeyLower(KeyLower(text));
    }
    if (position == 0)
        RaiseGridError(tvErrSubscript);
    return position;
}

int32_t GridTable::ColIndexOfKey(const std::string& key) const
{
    const int32_t position = columns_.PositionOfKeyLower(KeyLower(key));
    if (position == 0)
        RaiseGridError(tvErrSubscript);
    return columns_.At(position).Index;
}

int32_t GridTable::RowIndexOfKey(const std::string& key) const
{
    const auto hit = rowKeys_.Find(key, KeyOf());
    if (!hit.found)
        RaiseGridError(tvErrSubscript);
    return rowKeys_.RowAt(hit.position);
}

void GridTable::CheckRowIndex(int32_t row) const
{
    if (row < 1 || row > rowCount_)
        RaiseGridError(tvErrSubscript);
}

void GridTable::CheckColIndex(int32_t col) const
{
    if (col < 1 || col > ColCount())
        RaiseGridError(tvErrSubscript);
}

bool GridTable::EndEditChangedShape()
{
    const ShapeWatch watch(*this);
    Editor().CancelEdit();
    return watch.Changed();
}

bool GridTable::EndEditMovedRows()
{
    const uint64_t before = rowNumbering_;
    Editor().CancelEdit();
    return rowNumbering_ != before;
}

void GridTable::SetRedraw(bool redraw)
{
    redraw_ = redraw;
    if (!redraw)
        return;
    LayoutChanged();
    if (headerAutoHeightPending_) {
        Header().AutoHeight();
        headerAutoHeightPending_ = false;
    }
}

void GridTable::MarkReady()
{
    ready_ = true;
    redraw_ = true;
}

void GridTable::Clear(bool removeColumns)
{
    Layout().InvalidateRange(RangeChange::Recompute);
    Editor().CancelEdit();
    ResetRows();
    if (removeColumns) {
        ResetColumns();
        Header().AllItemsRemoved();
    }
    // A virtual grid paints (and so requests rows) from the first row again, so
    // the current cell must already be gone when Draw runs.
    if (isVirtual_) {
        SetCurrentCell(0, 0, true);
        moreRows_ = true;
    }
    Painter().MarkLayoutStale();
    Layout().ResetScrollPositions(removeColumns);
    Painter().Draw();
    Header().Repaint();
    if (!isVirtual_)
        SetCurrentCell(0, 0, true);
}

void GridTable::SetGridFont(const FontRef& font)
{
    font_ = font.Clone();
    fontWatch_ = font_.OnChanged([this] { LayoutChanged(); });
    LayoutChanged();
}

void GridTable::SetDrawRowText(bool draw)
{
    drawRowText_ = draw;
    Layout().InvalidateRange(RangeChange::Recompute);
}

void GridTable::SetRowTextStartCol(int32_t colIndex)
{
    CheckColIndex(colIndex);
    rowTextStartCol_ = colIndex;
    LayoutChanged();
}

void GridTable::SetBandColors(OleColor odd, OleColor even)
{
    backColorOddRows_ = odd;
    backColorEvenRows_ = even;
    UpdateParity(1);
}

std::pair<int16_t, int16_t> GridTable::FindComboItem(const GridVariant& value, int32_t slot)
{
    const ComboObject* list = combos_.AtSlot(slot);
    if (!list || value.IsNull())
        return { -1, -1 };
    for (int32_t i = 0; i < list->ListCount(); ++i) {
        const GridVariant item = list->ItemValue(i);
        if (item.IsEmpty() || item.IsNull() || item.IsObject() != value.IsObject())
            continue;
        bool same = false;
        try {
            same = item.IsObject() ? item.AsObject() == value.AsObject() : VariantEquals(item, value);
        } catch (const TavixError&) {
            // Values that do not compare never match.
        }
        if (same)
            return { static_cast<int16_t>(i), static_cast<int16_t>(list->ItemIcon(i)) };
    }
    return { -1, -1 };
}

void GridTable::MarkCellChanged(int32_t row, int32_t colIndex)
{
    cells_.At(row, colIndex).Flags |= CellData::kNeedsRepaint;
}

void GridTable::MarkRowChanged(int32_t row)
{
    for (int32_t c = 1; c <= ColCount(); ++c)
        MarkCellChanged(row, c);
}

void GridTable::MarkCellsChanged(int32_t firstRow, int32_t lastRow, int32_t firstPos, int32_t lastPos)
{
    lastRow = std::min(lastRow, rowCount_);
    lastPos = std::min(lastPos, ColCount());
    for (int32_t row = std::max(firstRow, 1); row <= lastRow; ++row)
        for (int32_t p = std::max(firstPos, 1); p <= lastPos; ++p)
            MarkCellChanged(row, columns_.At(p).Index);
}

bool GridTable::TakeRepaintMark(int32_t row, int32_t colIndex)
{
    uint8_t& flags = cells_.At(row, colIndex).Flags;
    const bool marked = (flags & CellData::kNeedsRepaint) != 0;
    flags &= static_cast<uint8_t>(~CellData::kNeedsRepaint);
    return marked;
}

bool GridTable::SetSelectedBit(int32_t row, int32_t colIndex, bool selected)
{
    CellData& cell = cells_.At(row, colIndex);
    if (((cell.Flags & CellData::kSelected) != 0) == selected)
        return false;
    cell.Flags ^= CellData::kSelected;
    cell.Flags |= CellData::kNeedsRepaint;
    return true;
}

void GridTable::UpdateParity(int32_t fromRow)
{
    if (backColorOddRows_ != kColorDefault || backColorEvenRows_ != kColorDefault) {
        rows_.RecalcOddRows(fromRow, rowCount_);
        parityPending_ = false;
    } else {
        parityPending_ = true;
    }
}

void GridTable::LayoutChanged()
{
    Painter().MarkLayoutStale();
    Painter().Draw();
}

void GridTable::SetCurrentCell(int32_t row, int32_t colIndex, bool notifyNow)
{
    // A row or column the table lacks is none: a move whose target went while it
    // raised events, or the rows gone with the last column, leave no current cell.
    if (row < 0 || row > rowCount_)
        row = 0;
    if (colIndex < 0 || colIndex > ColCount())
        colIndex = 0;
    curCellPending_ = false;
    if (HasCurrentCell())
        MarkCellChanged(curRow_, curCol_);
    if (colIndex != curCol_) {
        curCol_ = colIndex;
        curCellPending_ = true;
    }
    if (row != curRow_) {
        curRow_ = row;
        curCellPending_ = true;
    }
    if (!curCellPending_)
        return;
    if (HasCell(row, colIndex))
        MarkCellChanged(row, colIndex);
    if (notifyNow)
        RaiseCurCellChange();
}

void GridTable::RaisePendingCurCellChange()
{
    if (!curCellPending_)
        return;
    curCellPending_ = false;
    RaiseCurCellChange();
}

void GridTable::RaiseCurCellChange() const { Events().CurCellChange(curRow_, curCol_); }

void GridTable::ResetRows()
{
    ++shape_;
    ++rowNumbering_;
    rows_.Resize(0);
    cells_.Reset(ColCount());
    rowKeys_.Clear();
    rowCount_ = 0;
    rowExtent_ = 0;
    groupRowCount_ = 0;
}

void GridTable::ResetColumns()
{
    ++shape_;
    columns_.Reset();
    cells_.Reset(0);
    rowTextCol_ = 0;
    rowTextStartCol_ = 0;
}

}  // namespace tavix::core
