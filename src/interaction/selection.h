#pragma once
// The operations through which keyboard, mouse, search and the public
// members move the current cell and change the Selected bits. Every change of
// a bit goes through SetCellSelected, which reports it at once.
#include "core/grid_state.h"

#include <cstdint>

namespace tavix::interaction {

class Selection {
public:
    explicit Selection(core::GridState& state)
        : s_(state)
    {
    }

    bool IsSelected(int32_t row, int32_t col) const;
    // A row's selection is read from its cell in column index 1.
    bool RowSelected(int32_t row) const { return IsSelected(row, 1); }

    void SetCellSelected(int32_t row, int32_t col, bool selected);
    void SetRowSelected(int32_t row, bool selected);
    void MoveSingleSelection(int32_t row, int32_t col);
    void SelectOnly(int32_t row, int32_t col);
    // Multi-select: the cell, or its row in row mode, becomes the whole selection.
    void SelectAlone(int32_t row, int32_t col);
    // Leaves only the current cell (row in row mode) selected.
    void CollapseToCurrent();
    void SetSelAnchor(int32_t row, int32_t col, bool state);
    void ExtendSelection(int32_t row, int32_t col, int32_t shift);
    // Ctrl+Space: inverts the current cell, or each cell of the current row.
    void ToggleCurrent();

    // Current cell, scroll into view (or repaint), then CurCellChange.
    void MoveTail(int32_t row, int32_t col);

private:
    // Display positions of the two columns, in display order, hidden ones included.
    std::pair<int32_t, int32_t> ColumnSpan(int32_t colA, int32_t colB) const;

    core::GridState& s_;
};

}  // namespace tavix::interaction
