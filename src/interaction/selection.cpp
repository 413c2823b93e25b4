#include "interaction/selection.h"

#include <tavix/events.h>

#include <algorithm>
#include <vector>

namespace tavix::interaction {

using core::CellData;
using core::ShapeWatch;

bool Selection::IsSelected(int32_t row, int32_t col) const
{
    return table_.HasCell(row, col) && (table_.Cell(row, col).Flags & CellData::kSelected) != 0;
}

// CellSelectionChange, like every event, may change the grid: the loops below
// follow the rule written at core::ShapeWatch.
void Selection::SetCellSelected(int32_t row, int32_t col, bool selected)
{
    if (table_.HasCell(row, col) && table_.SetSelectedBit(row, col, selected))
        table_.Events().CellSelectionChange(row, col, selected);
}

void Selection::SetRowSelected(int32_t row, bool selected)
{
    const ShapeWatch watch(table_);
    for (int32_t c = 1; c <= table_.ColCount() && !watch.Changed(); ++c)
        SetCellSelected(row, c, selected);
}

void Selection::MoveSingleSelection(int32_t row, int32_t col)
{
    if (table_.RowCount() == 0 || table_.ColCount() == 0)
        return;
    const ShapeWatch watch(table_);
    if (!table_.RowMode()) {
        if (row == table_.CurRow() && col == table_.CurCol())
            return;
        if (table_.CurRow() > 0 && table_.CurCol() > 0)
            SetCellSelected(table_.CurRow(), table_.CurCol(), false);
        if (row != 0 && col != 0 && !watch.Changed())
            SetCellSelected(row, col, true);
        return;
    }
    const int32_t from = table_.CurRow();
    if (row == from)
        return;
    // Deselection and selection alternate column by column.
    for (int32_t c = 1; c <= table_.ColCount() && !watch.Changed(); ++c) {
        if (from != 0)
            SetCellSelected(from, c, false);
        if (row != 0 && !watch.Changed())
            SetCellSelected(row, c, true);
    }
}

void Selection::SelectOnly(int32_t row, int32_t col)
{
    if (!table_.MultiSelect()) {
        MoveSingleSelection(row, col);
        return;
    }
    if (!table_.RowMode()) {
        SelectAlone(row, col);
        return;
    }
    const ShapeWatch watch(table_);
    for (int32_t r = 1; r <= table_.RowCount() && !watch.Changed(); ++r) {
        const bool wanted = r == row;
        if (table_.ColCount() > 0 && RowSelected(r) != wanted)
            SetRowSelected(r, wanted);
    }
    singleRowSelected_ = true;
}

void Selection::SelectAlone(int32_t row, int32_t col)
{
    const bool rowMode = table_.RowMode();
    const ShapeWatch watch(table_);
    for (int32_t r = 1; r <= table_.RowCount() && !watch.Changed(); ++r)
        for (int32_t c = 1; c <= table_.ColCount() && !watch.Changed(); ++c)
            SetCellSelected(r, c, r == row && (rowMode || c == col));
}

void Selection::CollapseToCurrent() { SelectAlone(table_.CurRow(), table_.CurCol()); }

void Selection::SetSelAnchor(int32_t row, int32_t col, bool state)
{
    anchorRow_ = row;
    anchorCol_ = col;
    anchorState_ = state;
}

std::pair<int32_t, int32_t> Selection::ColumnSpan(int32_t colA, int32_t colB) const
{
    int32_t first = 0;
    int32_t last = table_.ColCount();
    for (int32_t p = 1; p <= table_.ColCount(); ++p) {
        const int32_t index = table_.Column(p).Index;
        if (index != colA && index != colB)
            continue;
        if (first == 0) {
            first = p;
            if (colA == colB)
                return { p, p };
        } else {
            last = p;
            break;
        }
    }
    return { first, first == 0 ? 0 : last };
}

void Selection::ExtendSelection(int32_t row, int32_t col, int32_t shift)
{
    const int32_t rowLo = std::min(row, anchorRow_);
    const int32_t rowHi = std::max(row, anchorRow_);
    const bool ctrl = (shift & 2) != 0;
    const auto inRows = [&](int32_t r) { return r >= rowLo && r <= rowHi; };
    const int32_t firstRow = std::max(rowLo, 1);
    const int32_t lastRow = std::min(rowHi, table_.RowCount());
    const ShapeWatch watch(table_);

    if (table_.RowMode()) {
        if (ctrl) {
            for (int32_t r = firstRow; r <= lastRow && !watch.Changed(); ++r)
                SetRowSelected(r, r == row ? true : anchorState_);
        } else {
            for (int32_t r = 1; r <= table_.RowCount() && !watch.Changed(); ++r)
                if (table_.ColCount() > 0 && RowSelected(r) != inRows(r))
                    SetRowSelected(r, inRows(r));
        }
        singleRowSelected_ = false;
        return;
    }

    const auto [posLo, posHi] = ColumnSpan(col, anchorCol_);
    std::vector<bool> inCols(static_cast<size_t>(table_.ColCount()) + 1, false);
    for (int32_t p = std::max(posLo, 1); p <= posHi; ++p)
        inCols[static_cast<size_t>(table_.Column(p).Index)] = true;

    if (ctrl) {
        for (int32_t r = firstRow; r <= lastRow && !watch.Changed(); ++r)
            for (int32_t c = 1; c <= table_.ColCount() && !watch.Changed(); ++c)
                if (inCols[static_cast<size_t>(c)])
                    SetCellSelected(r, c, anchorState_);
        return;
    }
    for (int32_t r = 1; r <= table_.RowCount() && !watch.Changed(); ++r)
        for (int32_t c = 1; c <= table_.ColCount() && !watch.Changed(); ++c)
            SetCellSelected(r, c, inRows(r) && inCols[static_cast<size_t>(c)]);
}

void Selection::ToggleCurrent()
{
    const int32_t row = table_.CurRow();
    if (row < 1 || row > table_.RowCount())
        return;
    if (table_.RowMode()) {
        const ShapeWatch watch(table_);
        for (int32_t c = 1; c <= table_.ColCount() && !watch.Changed(); ++c)
            SetCellSelected(row, c, !IsSelected(row, c));
    } else if (table_.CurCol() >= 1 && table_.CurCol() <= table_.ColCount()) {
        SetCellSelected(table_.CurRow(), table_.CurCol(), !IsSelected(table_.CurRow(), table_.CurCol()));
    }
}

void Selection::MoveTail(int32_t row, int32_t col, const ShapeWatch& since)
{
    // The selection events' handlers renumbered the rows or columns: the target
    // may be another cell now, so the move ends where they left the grid.
    if (since.Changed())
        return;
    table_.SetCurrentCell(row, col, false);
    const int32_t x = layout_.ScrollX();
    const int32_t y = layout_.ScrollY();
    layout_.ScrollCellIntoView(row, col);
    // A scroll repaints by itself.
    if (x == layout_.ScrollX() && y == layout_.ScrollY())
        painter_.Draw();
    table_.RaisePendingCurCellChange();
}

void Selection::MoveTo(int32_t row, int32_t col)
{
    table_.Editor().CancelEdit();
    const ShapeWatch watch(table_);
    SetSelAnchor(row, col, true);
    SelectOnly(row, col);
    MoveTail(row, col, watch);
}

void Selection::SetCurRow(int32_t row)
{
    if (row != 0)
        table_.CheckRowIndex(row);
    if (row != table_.CurRow())
        MoveTo(row, table_.CurCol());
}

void Selection::SetCurCol(int32_t col)
{
    if (col != 0)
        table_.CheckColIndex(col);
    if (col != table_.CurCol())
        MoveTo(table_.CurRow(), col);
}

void Selection::SetCurCell(int32_t row, int32_t col)
{
    SetSelAnchor(row, col, true);
    if (row == table_.CurRow() && col == table_.CurCol()) {
        layout_.ScrollCellIntoView(row, col);
        return;
    }
    table_.Editor().CancelEdit();
    const ShapeWatch watch(table_);
    SelectOnly(row, col);
    MoveTail(row, col, watch);
}

void Selection::SelectCell(int32_t row, int32_t col, bool selected)
{
    if (!table_.MultiSelect()) {
        // Selecting a cell in single-select mode makes it current; deselecting is ignored.
        if (selected) {
            const ShapeWatch watch(table_);
            MoveSingleSelection(row, col);
            MoveTail(row, col, watch);
        }
        return;
    }
    if (table_.RowMode()) {
        SetRowSelected(row, selected);
        if (selected)
            singleRowSelected_ = false;
    } else {
        SetCellSelected(row, col, selected);
    }
    painter_.Draw();
}

void Selection::SetMultiSelect(bool multiSelect)
{
    if (table_.MultiSelect() && !multiSelect)
        CollapseToCurrent();
    table_.SetMultiSelect(multiSelect);
    painter_.Draw();
}

void Selection::SetRowMode(bool rowMode)
{
    const bool switching = table_.RowMode() != rowMode;
    table_.SetRowMode(rowMode);
    const ShapeWatch watch(table_);
    if (switching && !table_.MultiSelect()) {
        const int32_t row = table_.CurRow();
        if (table_.HasCurrentCell())
            for (int32_t c = 1; c <= table_.ColCount() && !watch.Changed(); ++c)
                SetCellSelected(row, c, rowMode || c == table_.CurCol());
    } else if (switching && rowMode) {
        // The rows widened may be several: a plain click must look at them all.
        singleRowSelected_ = false;
        for (int32_t r = 1; r <= table_.RowCount() && !watch.Changed(); ++r) {
            bool any = false;
            for (int32_t c = 1; c <= table_.ColCount() && !any; ++c)
                any = IsSelected(r, c);
            if (any)
                SetRowSelected(r, true);
        }
    } else if (switching) {
        CollapseToCurrent();
    }
    painter_.MarkFullRedraw();
    painter_.Draw();
}

void Selection::ClearSelection()
{
    // The current cell goes, and with it the cell a running edit would store into.
    if (table_.Editor().EditActive())
        table_.Editor().CancelEdit();
    const int32_t curRow = table_.CurRow();
    const ShapeWatch watch(table_);
    if (table_.MultiSelect()) {
        for (int32_t r = 1; r <= table_.RowCount() && !watch.Changed(); ++r)
            SetRowSelected(r, false);
    } else if (curRow >= 1 && curRow <= table_.RowCount()) {
        if (table_.RowMode())
            SetRowSelected(curRow, false);
        else if (table_.CurCol() >= 1 && table_.CurCol() <= table_.ColCount())
            SetCellSelected(curRow, table_.CurCol(), false);
    }
    table_.SetCurrentCell(0, 0, false);
    painter_.Draw();
    table_.RaisePendingCurCellChange();
}

}  // namespace tavix::interaction
