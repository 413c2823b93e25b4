#include <tavix/grid.h>

#include "layout/layout.h"
#include "paint/grid_painter.h"

namespace tavix {

// Defined here rather than with the other geometry: a no-clip text's room
// depends on its neighbours' texts, which only painting measures.
void Tavix::CellTextBoundary(
    const GridVariant& vRow, const GridVariant& vCol, int32_t& lLeft, int32_t& lTop, int32_t& lWidth, int32_t& lHeight)
{
    auto& s = State();
    const int32_t row = s.ResolveRow(vRow);
    const int32_t col = s.ResolveCol(vCol);
    std::optional<std::pair<int32_t, int32_t>> room;
    if ((s.cells.At(row, col).TextFlags & tvTextNoClip) != 0) {
        const auto rects = paint::GridPainter(s).OverflowRects(row);
        const auto position = static_cast<size_t>(s.columns.PositionOfIndex(col));
        if (position < rects.size())
            room = std::make_pair(rects[position].left, rects[position].right);
    }
    const layout::CellRect r = layout::Layout(s).CellTextBoundary(row, col, room);
    lLeft = r.left;
    lTop = r.top;
    lWidth = r.width;
    lHeight = r.height;
}

}  // namespace tavix
