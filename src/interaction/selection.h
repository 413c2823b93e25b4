#pragma once
// The operations through which keyboard, mouse, search and the public members
// move the current cell and change the Selected bits. Every change of a bit
// goes through SetCellSelected, which reports it at once.
#include "core/grid_table.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"

#include <cstdint>

namespace tavix::interaction {

class Selection {
public:
    Selection(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter)
        : table_(table)
        , layout_(layout)
        , painter_(painter)
    {
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

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

    // Multi-select row mode: the selection is known to be the current row only.
    bool SingleRowSelected() const { return singleRowSelected_; }
    void SetSingleRowSelected(bool single) { singleRowSelected_ = single; }

    // Current cell, scroll into view (or repaint), then CurCellChange; nothing
    // when the grid changed shape since the move began (see core::ShapeWatch).
    void MoveTail(int32_t row, int32_t col, const core::ShapeWatch& since);

    // The public members.
    void SetCurRow(int32_t row);
    void SetCurCol(int32_t col);
    void SetCurCell(int32_t row, int32_t col);
    void SelectCell(int32_t row, int32_t col, bool selected);
    void SetMultiSelect(bool multiSelect);
    void SetRowMode(bool rowMode);
    void ClearSelection();

private:
    // The common steps of moving the current cell by CurRow or CurCol.
    void MoveTo(int32_t row, int32_t col);
    // Display positions of the two columns, in display order, hidden ones included.
    std::pair<int32_t, int32_t> ColumnSpan(int32_t colA, int32_t colB) const;

    core::GridTable& table_;
    layout::ViewLayout& layout_;
    paint::GridPainter& painter_;
    // Anchor of Shift range extension and the value a Ctrl+Shift extension writes.
    int32_t anchorRow_ { 0 };
    int32_t anchorCol_ { 0 };
    bool anchorState_ { false };
    bool singleRowSelected_ { false };
};

}  // namespace tavix::interaction
