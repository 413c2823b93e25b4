#pragma once
// The room no-clip texts of one row may flow into.
#include <cstdint>
#include <string>
#include <vector>

#include "core/grid_table.h"
#include "layout/view_layout.h"
#include "paint/paint_resources.h"

namespace tavix::paint {

struct OverflowRect {
    std::string text;
    // Client x of the room the position's text may use.
    int32_t left = 0;
    int32_t right = 0;
    // The vertical grid line at this position's right edge is not drawn.
    bool noLine = false;
    // The cell blocks overflow from its neighbours.
    bool occupied = false;
};

// Entries by display position (index 0 unused). `hdc` measures the texts;
// iconWidth is that of the grid's image list.
std::vector<OverflowRect> ComputeOverflowRects(const core::GridTable& table, const layout::ViewLayout& layout,
    int32_t iconWidth, FontCache& fonts, native::HDC hdc, int32_t row);

}  // namespace tavix::paint
