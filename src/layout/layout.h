#pragma once
// Where columns and rows lie, what is in view, what lies under a point, and
// the scrolling that brings a column, row or cell into view. Works on the
// grid's state; the scroll bars are those of the grid window when it exists.
#include "core/grid_state.h"

#include <tavix/native/surface.h>

#include <cstdint>
#include <optional>
#include <utility>

namespace tavix::scroll {
class ScrollBars;
}

namespace tavix::layout {

struct CellRect {
    int32_t left { 0 };
    int32_t top { 0 };
    int32_t width { 0 };
    int32_t height { 0 };
};

struct RowTextStart {
    int32_t firstSelectablePos { 1 };
    int32_t rowTextStartPos { 1 };
};

class Layout {
public:
    explicit Layout(core::GridState& state)
        : s_(state)
    {
    }

    // Border width of the window frame that Appearance and BorderStyle select.
    static int32_t BorderWidth(int32_t appearance, int32_t borderStyle);

    void RecalcLayout(bool raiseEvents);
    // Screen rectangle of the grid window less its border.
    native::Rect GetViewRect(bool belowHeader, bool excludeScrollBars) const;
    const core::VisibleRange& ComputeVisibleRange();
    void InvalidateRange(core::RangeState mode);

    int32_t ContentWidth() const;
    int32_t ContentHeight() const;
    bool RowTextInEffect() const;
    RowTextStart GetRowTextStart() const;
    int32_t GroupStartPos(int32_t colIndex) const;
    int32_t LastVisiblePos() const;
    int32_t HeaderHeight() const;

    // Client coordinates in; (row, column index), 0 when none.
    std::pair<int32_t, int32_t> CellFromPoint(int32_t x, int32_t y);
    // Client rectangle of a resolved cell (row number, column index).
    CellRect CellBoundary(int32_t row, int32_t colIndex) const;
    // noClipRoom: client left and right of the room a no-clip text may flow
    // into (painting computes it); without it the cell's own column is used.
    CellRect CellTextBoundary(
        int32_t row, int32_t colIndex, std::optional<std::pair<int32_t, int32_t>> noClipRoom = std::nullopt) const;

    void EnsureVisibleCol(int32_t colIndex, int32_t mode, int32_t gap);
    void EnsureVisibleRow(int32_t row, int32_t mode, int32_t gap);
    void ScrollCellIntoView(int32_t row, int32_t colIndex);

private:
    scroll::ScrollBars* Bars() const;
    int32_t SkipRowsAbove(int32_t from, int32_t to) const;
    void ScanRowsForward(core::VisibleRange& r, int32_t from, int32_t to) const;
    void ScanRowsBackward(core::VisibleRange& r, int32_t from, int32_t to) const;

    core::GridState& s_;
};

}  // namespace tavix::layout
