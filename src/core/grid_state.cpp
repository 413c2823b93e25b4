#include "grid_state.h"

#include <tavix/cell_object.h>
#include <tavix/error.h>
#include <tavix/events.h>

#include <algorithm>
#include <cctype>

#include <exception>

namespace tavix::core {
namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Numeric arguments round to the nearest integer; anything else names nothing.
int32_t NumberOrZero(const GridVariant& v) { return IsNumericVariant(v) ? RoundToLong(v.ToDouble()) : 0; }

}  // namespace

GridState::GridState(Host& host)
    : combos([this] { return font; })
    , font(host.AmbientFont().Clone())
    , view(&noView_)
    , host(&host)
{
}

RowKeyIndex::KeyOf GridState::KeyOf() const
{
    return [this](int32_t row) -> const std::string& { return rows.At(row).Key; };
}

int32_t GridState::ResolveRow(const GridVariant& vRow) const
{
    const int32_t row = vRow.IsString() ? RowIndexOfKey(std::string(vRow.AsString())) : NumberOrZero(vRow);
    CheckRowIndex(row);
    return row;
}

int32_t GridState::ResolveCol(const GridVariant& vCol) const
{
    const int32_t col = vCol.IsString() ? ColIndexOfKey(std::string(vCol.AsString())) : NumberOrZero(vCol);
    CheckColIndex(col);
    return col;
}

int32_t GridState::ColPosition(const GridVariant& vCol) const
{
    int32_t position = 0;
    if (IsNumericVariant(vCol)) {
        const double wanted = vCol.ToDouble();
        for (int32_t p = 1; p <= ColCount() && position == 0; ++p)
            if (columns.At(p).Index == wanted)
                position = p;
    } else {
        std::string text;
        try {
            text = vCol.ToString();
        } catch (const TavixError&) {
            RaiseGridError(tvErrSubscript);
        }
        position = columns.PositionOfKeyLower(Lower(text));
    }
    if (position == 0)
        RaiseGridError(tvErrSubscript);
    return position;
}

int32_t GridState::ColIndexOfKey(const std::string& key) const
{
    const int32_t position = columns.PositionOfKeyLower(Lower(key));
    if (position == 0)
        RaiseGridError(tvErrSubscript);
    return columns.At(position).Index;
}

int32_t GridState::RowIndexOfKey(const std::string& key) const
{
    const auto hit = rowKeys.Find(key, KeyOf());
    if (!hit.found)
        RaiseGridError(tvErrSubscript);
    return rowKeys.RowAt(hit.position);
}

void GridState::CheckRowIndex(int32_t row) const
{
    if (row < 1 || row > rowCount)
        RaiseGridError(tvErrSubscript);
}

void GridState::CheckColIndex(int32_t col) const
{
    if (col < 1 || col > ColCount())
        RaiseGridError(tvErrSubscript);
}

void GridState::EnsureRowCapacity(int32_t n)
{
    const int32_t f = memMngWantFreeRows;
    const int32_t allocated = Allocated();
    if (f > 0) {
        if (allocated - f <= n && n <= allocated)
            return;
        SetAllocation(n + f);
    } else if (allocated != n) {
        SetAllocation(n);
    }
}

void GridState::SetAllocation(int32_t allocation)
{
    rows.Resize(allocation);
    cells.ResizeRows(allocation);
}

void GridState::InitCell(int32_t row, int32_t colIndex)
{
    const CellObject& d = *columns.At(columns.PositionOfIndex(colIndex)).DefaultCell;
    CellData& cell = cells.At(row, colIndex);
    cell.BackColor = d.oBackColor;
    cell.ForeColor = d.oForeColor;
    cell.FontIndex = d.oFont() ? fonts.IndexOf(*d.oFont()) : 0;
    cell.TextFlags = d.eTextFlags;
    cell.Icon = d.iIconIndex;
    cell.ExtraIcon = d.iExtraIconIndex;
    cell.Indent = d.iIndent;
    cell.RightIndent = d.iRightIndent;
    cell.Flags = static_cast<uint8_t>(
        (d.eType() | d.eTypeFlags | (d.bSelected ? CellData::kSelected : 0) | CellData::kNeedsRepaint) & 0xFF);
    cell.Value = d.vValue();
    cell.FmtIndex = d.FmtIndex();
    cell.CtrlKeyIndex = d.ListIndex();
    cell.Hatch = static_cast<uint8_t>(d.eHatch);
    cell.ComboItemIndex = d.eType() == 1 ? d.MatchedItem() : -1;
}

std::pair<int16_t, int16_t> GridState::FindComboItem(const GridVariant& value, int32_t slot)
{
    const ComboObject* list = combos.AtSlot(slot);
    if (!list || value.IsNull())
        return { -1, -1 };
    for (int32_t i = 0; i < list->ListCount(); ++i) {
        const GridVariant item = list->ItemValue(i);
        if (item.IsEmpty() || item.IsNull() || item.IsObject() != value.IsObject())
            continue;
        bool same = false;
        try {
            same = item.IsObject() ? item.AsObject() == value.AsObject() : VariantEquals(item, value);
        } catch (const std::exception&) {
            // Values that do not compare never match.
        }
        if (same)
            return { static_cast<int16_t>(i), static_cast<int16_t>(list->ItemIcon(i)) };
    }
    return { -1, -1 };
}

void GridState::MarkCellChanged(int32_t row, int32_t colIndex)
{
    cells.At(row, colIndex).Flags |= CellData::kNeedsRepaint;
}

void GridState::MarkRowChanged(int32_t row)
{
    for (int32_t c = 1; c <= ColCount(); ++c)
        MarkCellChanged(row, c);
}

void GridState::UpdateParity(int32_t fromRow)
{
    if (backColorOddRows != 0xFFFFFFFFu || backColorEvenRows != 0xFFFFFFFFu) {
        rows.RecalcOddRows(fromRow, rowCount);
        parityPending = false;
    } else {
        parityPending = true;
    }
}

void GridState::LayoutChanged()
{
    view->MarkLayoutStale();
    view->Draw();
}

void GridState::SetCurrentCell(int32_t row, int32_t col, bool notifyNow)
{
    curCellPending = false;
    if (ColCount() > 0 && rowCount > 0 && curCol >= 1 && curCol <= ColCount() && curRow >= 1 && curRow <= rowCount)
        MarkCellChanged(curRow, curCol);
    if (col != curCol) {
        curCol = col;
        curCellPending = true;
    }
    if (row != curRow) {
        curRow = row;
        curCellPending = true;
    }
    if (!curCellPending)
        return;
    if (row > 0 && col > 0 && row <= rowCount && col <= ColCount())
        MarkCellChanged(row, col);
    if (notifyNow)
        RaiseCurCellChange();
}

void GridState::RaisePendingCurCellChange()
{
    if (!curCellPending)
        return;
    curCellPending = false;
    RaiseCurCellChange();
}

void GridState::RaiseCurCellChange() const
{
    if (TavixEvents* sink = host->EventSink())
        sink->CurCellChange(curRow, curCol);
}

void GridState::ResetRows()
{
    rows.Resize(0);
    cells.Reset(ColCount());
    rowKeys.Clear();
    rowCount = 0;
    groupRowCount = 0;
}

void GridState::ResetColumns()
{
    columns.Reset();
    cells.Reset(0);
    rowTextCol = 0;
    rowTextStartCol = 0;
}

}  // namespace tavix::core
