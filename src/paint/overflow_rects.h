#pragma once
// The room no-clip texts of one row may flow into.
#include <cstdint>
#include <string>
#include <vector>

#include "core/grid_state.h"
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

// Entries by display position (index 0 unused). `hdc` measures the texts.
std::vector<OverflowRect> ComputeOverflowRects(core::GridState& state, FontCache& fonts, native::HDC hdc, int32_t row);

}  // namespace tavix::paint
