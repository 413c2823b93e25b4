#include "selection.h"

#include <tavix/events.h>

#include <algorithm>
#include <vector>

namespace tavix::interaction {

using core::CellData;

bool Selection::IsSelected(int32_t row, int32_t col) const
{
    return (s_.cells.At(row, col).Flags & CellData::kSelected) != 0;
}

void Selection::SetCellSelected(int32_t row, int32_t col, bool selected)
{
    CellData& cell = s_.cells.At(row, col);
    if (((cell.Flags & CellData::kSelected) != 0) == selected)
        return;
    cell.Flags ^= CellData::kSelected;
    cell.Flags |= CellData::kNeedsRepaint;
    if (TavixEvents* sink = s_.host->EventSink())
        sink->CellSelectionChange(row, col, selected);
}

void Selection::SetRowSelected(int32_t row, bool selected)
{
    for (int32_t c = 1; c <= s_.ColCount(); ++c)
        SetCellSelected(row, c, selected);
}

void Selection::MoveSingleSelection(int32_t row, int32_t col)
{
    if (s_.rowCount == 0 || s_.ColCount() == 0)
        return;
    if (!s_.selection.rowMode) {
        if (row == s_.curRow && col == s_.curCol)
            return;
        if (s_.curRow > 0 && s_.curCol > 0)
            SetCellSelected(s_.curRow, s_.curCol, false);
        if (row != 0 && col != 0)
            SetCellSelected(row, col, true);
        return;
    }
    if (row == s_.curRow)
        return;
    // Deselection and selection alternate column by column.
    for (int32_t c = 1; c <= s_.ColCount(); ++c) {
        if (s_.curRow != 0)
            SetCellSelected(s_.curRow, c, false);
        if (row != 0)
            SetCellSelected(row, c, true);
    }
}

void Selection::SelectOnly(int32_t row, int32_t col)
{
    if (!s_.selection.multiSelect) {
        MoveSingleSelection(row, col);
        return;
    }
    if (!s_.selection.rowMode) {
        SelectAlone(row, col);
        return;
    }
    for (int32_t r = 1; r <= s_.rowCount; ++r) {
        const bool wanted = r == row;
        if (s_.ColCount() > 0 && RowSelected(r) != wanted)
            SetRowSelected(r, wanted);
    }
    s_.selection.singleRowSelected = true;
}

void Selection::SelectAlone(int32_t row, int32_t col)
{
    const bool rowMode = s_.selection.rowMode;
    for (int32_t r = 1; r <= s_.rowCount; ++r)
        for (int32_t c = 1; c <= s_.ColCount(); ++c)
            SetCellSelected(r, c, r == row && (rowMode || c == col));
}

void Selection::CollapseToCurrent() { SelectAlone(s_.curRow, s_.curCol); }

void Selection::SetSelAnchor(int32_t row, int32_t col, bool state)
{
    s_.selection.anchorRow = row;
    s_.selection.anchorCol = col;
    s_.selection.anchorState = state;
}

std::pair<int32_t, int32_t> Selection::ColumnSpan(int32_t colA, int32_t colB) const
{
    int32_t first = 0;
    int32_t last = s_.ColCount();
    for (int32_t p = 1; p <= s_.ColCount(); ++p) {
        const int32_t index = s_.columns.At(p).Index;
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
    auto& sel = s_.selection;
    const int32_t rowLo = std::min(row, sel.anchorRow);
    const int32_t rowHi = std::max(row, sel.anchorRow);
    const bool ctrl = (shift & 2) != 0;
    const auto inRows = [&](int32_t r) { return r >= rowLo && r <= rowHi; };
    const int32_t firstRow = std::max(rowLo, 1);
    const int32_t lastRow = std::min(rowHi, s_.rowCount);

    if (sel.rowMode) {
        if (ctrl) {
            for (int32_t r = firstRow; r <= lastRow; ++r)
                SetRowSelected(r, r == row ? true : sel.anchorState);
        } else {
            for (int32_t r = 1; r <= s_.rowCount; ++r)
                if (s_.ColCount() > 0 && RowSelected(r) != inRows(r))
                    SetRowSelected(r, inRows(r));
        }
        sel.singleRowSelected = false;
        return;
    }

    const auto [posLo, posHi] = ColumnSpan(col, sel.anchorCol);
    std::vector<bool> inCols(static_cast<size_t>(s_.ColCount()) + 1, false);
    for (int32_t p = std::max(posLo, 1); p <= posHi; ++p)
        inCols[static_cast<size_t>(s_.columns.At(p).Index)] = true;

    if (ctrl) {
        for (int32_t r = firstRow; r <= lastRow; ++r)
            for (int32_t c = 1; c <= s_.ColCount(); ++c)
                if (inCols[static_cast<size_t>(c)])
                    SetCellSelected(r, c, sel.anchorState);
        return;
    }
    for (int32_t r = 1; r <= s_.rowCount; ++r)
        for (int32_t c = 1; c <= s_.ColCount(); ++c)
            SetCellSelected(r, c, inRows(r) && inCols[static_cast<size_t>(c)]);
}

void Selection::ToggleCurrent()
{
    if (s_.curRow < 1 || s_.curRow > s_.rowCount)
        return;
    if (s_.selection.rowMode) {
        for (int32_t c = 1; c <= s_.ColCount(); ++c)
            SetCellSelected(s_.curRow, c, !IsSelected(s_.curRow, c));
    } else if (s_.curCol >= 1 && s_.curCol <= s_.ColCount()) {
        SetCellSelected(s_.curRow, s_.curCol, !IsSelected(s_.curRow, s_.curCol));
    }
}

void Selection::MoveTail(int32_t row, int32_t col)
{
    s_.SetCurrentCell(row, col, false);
    const int32_t x = s_.geo.scrollX;
    const int32_t y = s_.geo.scrollY;
    s_.view->ScrollCellIntoView(row, col);
    // A scroll repaints by itself.
    if (x == s_.geo.scrollX && y == s_.geo.scrollY)
        s_.view->Draw();
    s_.RaisePendingCurCellChange();
}

}  // namespace tavix::interaction
