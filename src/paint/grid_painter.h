#pragma once
// The grid paints itself: each row that holds a changed cell is composed in
// an off-screen row buffer and copied to the window in one block, then the
// space below the last row is filled. A cheap object over the grid's state:
// construct it where it is needed; what must persist lives in PaintResources.
#include <cstdint>
#include <vector>

#include "core/grid_state.h"
#include "paint/overflow_rects.h"
#include "paint/paint_resources.h"

namespace tavix::paint {

struct DrawContext;
struct RowPlan;

class GridPainter {
public:
    explicit GridPainter(core::GridState& state);

    // Repaints what is pending; nothing while Redraw is off, before the grid
    // is ready, during a virtual-mode row request or without a window.
    void Draw();
    // The window needs painting: everything in view is repainted.
    void Paint();
    void EnsureBufferHeight(int32_t height);
    // The system's visual style changed.
    void OnThemeChanged();
    // Refreshes the theme after UseXPStyles changed and repaints.
    void RefreshTheme();

    // Every cell of the visible columns in the rows StartRow-1 .. EndRow.
    void MarkAllVisibleCellsChanged();
    // Where the no-clip texts of `row` flow, by display position.
    std::vector<OverflowRect> OverflowRects(int32_t row);
    // The incremental search shows the first prefixLength characters of this
    // cell's text highlighted while it is the current row; 0 clears it.
    void SetSearchHighlight(int32_t row, int32_t colIndex, int32_t prefixLength);

private:
    bool MayDraw();
    bool PrepareSurface(DrawContext& ctx);
    void PrepareBrushes(DrawContext& ctx) const;
    void ExtendVirtualRows(core::VisibleRange& range) const;
    // Returns the client bottom (header included) of the last row passed.
    int32_t PaintRows(DrawContext& ctx, const core::VisibleRange& range);
    // Virtual mode: asks the application for a row painting has reached.
    bool RequestRow(int32_t row);
    bool PlanRow(const DrawContext& ctx, const core::VisibleRange& range, RowPlan& plan);
    bool ConsumeMarks(const DrawContext& ctx, const RowPlan& plan) const;
    void PaintBelow(DrawContext& ctx, const core::VisibleRange& range, int32_t lastBottom) const;
    void PaintGhostRows(DrawContext& ctx, const core::VisibleRange& range, int32_t top, int32_t limit) const;
    native::HDC MeasuringDc();

    core::GridState& s_;
    PaintResources& res_;
};

}  // namespace tavix::paint
