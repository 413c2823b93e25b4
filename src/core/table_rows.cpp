// The row operations of the table.
#include "core/grid_table.h"

#include "core/extent.h"

#include <tavix/error.h>
#include <tavix/grid.h>

#include <algorithm>
#include <vector>

namespace tavix::core {
namespace {

void FillRow(RowData& r, const AddRowArgs& a, int32_t height, int32_t normalHeight)
{
    r.Tag = a.vTag;
    r.IsGroup = a.bGroupRow;
    r.GroupStartCol = a.lGroupColStartIndex;
    r.Visible = a.bVisible;
    r.Height = height;
    r.NormalCellHeight = normalHeight;
    r.Key = a.sKey;
}

}  // namespace

void GridTable::EnsureRowCapacity(int32_t n)
{
    const int32_t f = memMngWantFreeRows_;
    const int32_t allocated = Allocated();
    if (f > 0) {
        if (allocated - f <= n && n <= allocated)
            return;
        SetAllocation(n + f);
    } else if (allocated != n) {
        SetAllocation(n);
    }
}

void GridTable::SetAllocation(int32_t allocation)
{
    rows_.Resize(allocation, [&](size_t a, size_t b) { cells_.SwapSlots(a, b); });
    // Rows the kernel hands over fresh are written once, straight as new cells.
    const std::vector<CellData> fill = allocation > cells_.Rows() ? NewRowCells() : std::vector<CellData> {};
    cells_.ResizeRows(allocation, fill.empty() ? nullptr : fill.data());
}

std::vector<CellData> GridTable::NewRowCells()
{
    // Every new row starts as the same row of defaults: resolved once, copied to each.
    std::vector<CellData> defaults;
    defaults.reserve(static_cast<size_t>(ColCount()));
    for (int32_t c = 1; c <= ColCount(); ++c)
        defaults.push_back(NewCell(c));
    return defaults;
}

void GridTable::InitRowCells(int32_t first, int32_t last)
{
    if (first > last)
        return;
    const std::vector<CellData> defaults = NewRowCells();
    if (defaults.empty())
        return;
    for (int32_t row = first; row <= last; ++row)
        std::copy(defaults.begin(), defaults.end(), &cells_.At(row, 1));
}

void GridTable::InsertRow(int32_t before, const AddRowArgs& a, int32_t height, int32_t keyPosition)
{
    const int32_t n = ++rowCount_;
    const bool fresh = n > Allocated();
    EnsureRowCapacity(n);
    const int32_t top = rows_.At(before).Top;
    // The spare row at n becomes the new row at `before`; the rows in between slide down.
    rows_.RotateDown(before, n);
    if (a.bVisible)
        for (int32_t i = before + 1; i <= n; ++i)
            rows_.At(i).Top += height;
    RowData& r = rows_.At(before);
    FillRow(r, a, height, defaultRowHeight_);
    r.Top = top;
    if (a.bVisible)
        UpdateParity(before);
    if (!fresh)
        InitRowCells(before, before);
    if (!a.sKey.empty())
        rowKeys_.Insert(keyPosition, before, true);
    else
        rowKeys_.ShiftFrom(before, 1);
}

void GridTable::AppendRow(const AddRowArgs& a, int32_t height, int32_t keyPosition)
{
    const int32_t n = ++rowCount_;
    const bool fresh = n > Allocated();
    EnsureRowCapacity(n);
    RowData& r = rows_.At(n);
    FillRow(r, a, height, defaultRowHeight_);
    const RowData& above = rows_.At(n - 1);
    r.Top = n == 1 ? 0 : above.Top + (above.Visible ? above.Height : 0);
    if (a.bVisible)
        UpdateParity(n);
    if (!fresh)
        InitRowCells(n, n);
    if (!a.sKey.empty())
        rowKeys_.Insert(keyPosition, n, false);
}

void GridTable::AddRow(const AddRowArgs& a)
{
    if (ColCount() == 0)
        RaiseGridError(tvErrNoColumns);
    const int32_t before = a.vRowBefore.IsMissing() ? 0 : ResolveRow(a.vRowBefore);
    int32_t keyPosition = 0;
    if (!a.sKey.empty()) {
        const auto hit = rowKeys_.Find(a.sKey, KeyOf());
        if (hit.found)
            RaiseGridError(tvErrDuplicateKey);
        keyPosition = hit.position;
    }
    const int32_t height = a.lHeight < 0 ? defaultRowHeight_ : a.lHeight;
    CheckExtent(rowExtent_ + ExtentOf(height));
    Layout().InvalidateRange(RangeChange::Recompute);
    ++shape_;
    rowNumbering_ += before > 0 ? 1 : 0;
    rowExtent_ += ExtentOf(height);
    if (before > 0)
        InsertRow(before, a, height, keyPosition);
    else
        AppendRow(a, height, keyPosition);
    if (a.bGroupRow)
        ++groupRowCount_;
    // The current cell moves with its row before the rows are drawn, so the focus is drawn
    // where it now is; its event comes once the grid is whole.
    if (before > 0)
        SetCurrentCell(curRow_ < before ? curRow_ : curRow_ + 1, curCol_, false);
    LayoutChanged();
    if (!redraw_)
        Layout().UpdateScrollBars();
    if (before > 0)
        RaisePendingCurCellChange();
}

void GridTable::RemoveRow(const GridVariant& vRow)
{
    // The rows below move up under a running edit, and its own row may go: the edit ends first,
    // before the row is looked up, as the handlers of its events may change the rows.
    if (Editor().EditActive())
        Editor().CancelEdit();
    int32_t row = 0;
    int32_t keyPosition = 0;
    if (IsNumericVariant(vRow)) {
        row = RoundToLong(vRow.ToDouble());
    } else if (vRow.IsString()) {
        const auto hit = rowKeys_.Find(std::string(vRow.AsString()), KeyOf());
        if (!hit.found)
            RaiseGridError(tvErrSubscript);
        row = rowKeys_.RowAt(hit.position);
        keyPosition = hit.position;
    } else {
        RaiseGridError(tvErrSubscript);
    }
    CheckRowIndex(row);
    Layout().InvalidateRange(RangeChange::Recompute);
    ++shape_;
    ++rowNumbering_;

    RowData& removed = rows_.At(row);
    if (!removed.Key.empty()) {
        if (keyPosition == 0)
            keyPosition = rowKeys_.Find(removed.Key, KeyOf()).position;
        rowKeys_.Remove(keyPosition, true);
    } else {
        rowKeys_.ShiftFrom(row + 1, -1);
    }
    if (rowCount_ == 1) {
        Clear(false);
        return;
    }
    const int32_t newCur = curRow_ > row ? curRow_ - 1 : curRow_ == row ? 0 : curRow_;
    if (removed.IsGroup)
        --groupRowCount_;
    rowExtent_ -= ExtentOf(removed.Height);
    const bool wasVisible = removed.Visible;
    const int32_t height = removed.Height;
    if (row < rowCount_) {
        rows_.RotateUp(row, rowCount_);
        --rowCount_;
        if (wasVisible) {
            for (int32_t i = row; i <= rowCount_; ++i)
                rows_.At(i).Top -= height;
            UpdateParity(row);
        }
    } else {
        --rowCount_;
    }
    EnsureRowCapacity(rowCount_);
    SetCurrentCell(newCur, curCol_, false);  // before drawing, as AddRow does
    LayoutChanged();
    if (!redraw_)
        Layout().UpdateScrollBars();
    RaisePendingCurCellChange();
}

void GridTable::SetRowCount(int32_t n)
{
    // Run again when ending the edit changed the rows or columns they read.
    const auto needed = [&] {
        if (n < 0)
            RaiseGridError(tvErrInvalidArgument);
        if (ColCount() == 0)
            RaiseGridError(tvErrNoColumns);
        if (n > rowCount_)
            CheckExtent(rowExtent_ + (n - rowCount_) * ExtentOf(defaultRowHeight_));
        return n != rowCount_;
    };
    if (!needed())
        return;
    Layout().InvalidateRange(RangeChange::Recompute);
    if (EndEditChangedShape() && !needed())
        return;
    ++shape_;
    const bool shrinking = n < rowCount_;
    rowNumbering_ += shrinking ? 1 : 0;
    if (shrinking) {
        if (n == 0)
            rowKeys_.Clear();
        else
            rowKeys_.DropAbove(n);
        for (int32_t i = n + 1; i <= rowCount_; ++i) {
            if (rows_.At(i).IsGroup)
                --groupRowCount_;
            rowExtent_ -= ExtentOf(rows_.At(i).Height);
        }
    }
    const int32_t reused = std::min(n, Allocated());
    EnsureRowCapacity(n);
    if (shrinking) {
        rowCount_ = n;
    } else {
        int32_t parityRow = rowCount_;
        while (parityRow > 0 && !rows_.At(parityRow).Visible)
            --parityRow;
        bool parity = parityRow > 0 && rows_.At(parityRow).OddRow;
        for (int32_t i = rowCount_ + 1; i <= n; ++i) {
            RowData& r = rows_.At(i);
            r = RowData {};
            r.Visible = true;
            r.Height = defaultRowHeight_;
            r.NormalCellHeight = defaultRowHeight_;
            const RowData& above = rows_.At(i - 1);
            r.Top = i == 1 ? 0 : above.Top + (above.Visible ? above.Height : 0);
            parity = !parity;
            r.OddRow = parity;
        }
        const int32_t first = rowCount_ + 1;
        rowExtent_ += (n - rowCount_) * ExtentOf(defaultRowHeight_);
        rowCount_ = n;
        InitRowCells(first, reused);
    }
    LayoutChanged();
    if (shrinking)
        SetCurrentCell(curRow_ <= n ? curRow_ : 0, curCol_, true);
}

void GridTable::SetRowKey(int32_t row, const std::string& key)
{
    CheckRowIndex(row);
    RowData& r = rows_.At(row);
    if (!key.empty()) {
        const auto hit = rowKeys_.Find(key, KeyOf());
        if (hit.found && rowKeys_.RowAt(hit.position) != row)
            RaiseGridError(tvErrDuplicateKey);
        if (hit.found)
            return;
    }
    if (!r.Key.empty()) {
        rowKeys_.Remove(rowKeys_.Find(r.Key, KeyOf()).position, false);
        r.Key.clear();
    }
    if (!key.empty()) {
        const auto hit = rowKeys_.Find(key, KeyOf());
        r.Key = key;
        rowKeys_.Insert(hit.position, row, false);
    }
}

void GridTable::SetRowTag(int32_t row, const GridVariant& tag) { rows_.At(row).Tag = tag; }

void GridTable::SetRowVisible(int32_t row, bool visible)
{
    Layout().InvalidateRange(RangeChange::Recompute);
    // Rows added or removed by the edit's events leave `row` naming another row or none.
    if (EndEditMovedRows())
        return;
    RowData& r = rows_.At(row);
    if (r.Visible == visible)
        return;
    r.Visible = visible;
    rows_.RecalcTops(row, rowCount_);
    UpdateParity(visible ? row : row + 1);
    LayoutChanged();
}

void GridTable::SetRowHeight(int32_t row, int32_t height)
{
    CheckExtent(rowExtent_ - ExtentOf(rows_.At(row).Height) + ExtentOf(height));
    Layout().InvalidateRange(RangeChange::Recompute);
    if (EndEditMovedRows())
        return;
    // Read after the edit's events, which may have sized the row themselves.
    rowExtent_ += ExtentOf(height) - ExtentOf(rows_.At(row).Height);
    rows_.At(row).Height = height;
    rows_.RecalcTops(row > 1 ? row - 1 : 1, rowCount_);
    LayoutChanged();
}

void GridTable::SetRowNormalCellHeight(int32_t row, int32_t height)
{
    if (EndEditMovedRows())
        return;
    rows_.At(row).NormalCellHeight = height;
    MarkRowChanged(row);
    Painter().Draw();
}

void GridTable::SetRowIsGroup(int32_t row, bool isGroup)
{
    RowData& r = rows_.At(row);
    if (r.IsGroup == isGroup)
        return;
    r.IsGroup = isGroup;
    groupRowCount_ += isGroup ? 1 : -1;
    MarkRowChanged(row);
    Painter().Draw();
}

void GridTable::SetRowGroupStartCol(int32_t row, int32_t colIndex)
{
    RowData& r = rows_.At(row);
    if (r.GroupStartCol == colIndex)
        return;
    r.GroupStartCol = colIndex;
    MarkRowChanged(row);
    Painter().Draw();
}

void GridTable::SetDefaultRowHeight(int32_t height)
{
    if (height < 1)
        RaiseGridError(tvErrInvalidArgument);
    if (height == defaultRowHeight_)
        return;
    defaultRowHeight_ = height;
    // Existing rows keep their heights; only what the painter draws with the
    // default height may change.
    Painter().DefaultRowHeightChanged();
    host_->PropertyChanged("DefaultRowHeight");
}

void GridTable::SetMemMngWantFreeRows(int32_t rows)
{
    if (rows < 0)
        RaiseGridError(tvErrInvalidArgument);
    memMngWantFreeRows_ = rows;
}

void GridTable::SetMemMngAllocatedRows(int32_t rows)
{
    if (rows < rowCount_ || rows > Allocated())
        RaiseGridError(tvErrInvalidArgument);
    if (rows != Allocated())
        SetAllocation(rows);
}

void GridTable::RebuildRowKeys()
{
    if (rowKeys_.Count() == 0)
        return;
    rowKeys_.Clear();
    const auto keyOf = KeyOf();
    for (int32_t r = 1; r <= rowCount_; ++r) {
        const std::string& key = rows_.At(r).Key;
        if (!key.empty())
            rowKeys_.Insert(rowKeys_.Find(key, keyOf).position, r, false);
    }
}

}  // namespace tavix::core
