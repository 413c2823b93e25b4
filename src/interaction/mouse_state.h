#pragma once
// What the pointer handling remembers between notifications.
#include "core/grid_table.h"

#include <tavix/native/surface.h>

#include <cstdint>

namespace tavix::interaction {

struct MouseState {
    int32_t downX { 0 };
    int32_t downY { 0 };
    int32_t downRow { 0 };
    int32_t downCol { 0 };
    int32_t pointerRow { 0 };
    int32_t pointerCol { 0 };

    // A left press off any cell control may turn into a drag.
    bool dragArmed { false };
    bool dragStarted { false };
    // Multi-select press on a selected cell: the release decides click or drag.
    bool pendingClickOnSelected { false };

    // The cell under the pointer, and whether the pointer is over its check box
    // or combo button.
    core::CellRef hotCell {};
    bool controlIsHot { false };
    int32_t hotControlType { 0 };
    native::Rect hotControlRect {};
    // The rectangle is valid and the pointer is off it: moves watch for entering it.
    bool controlRectArmed { false };
};

// Left and top edges inside, right and bottom outside.
inline bool PointInRect(const native::Rect& r, int32_t x, int32_t y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace tavix::interaction
