#pragma once

#include <cstdint>

namespace tavix::core {

// The rows and columns in view; columns are display positions.
struct VisibleRange {
    int32_t StartRow { 0 };
    int32_t StartCol { 0 };
    int32_t StartX { 0 };
    int32_t StartY { 0 };
    int32_t EndRow { -1 };
    int32_t EndCol { 0 };
    int32_t EndX { 0 };
    int32_t EndY { 0 };
};

enum class RangeState : int32_t { Valid = 0, Recompute = 1, ScrolledUp = 2, ScrolledDown = 3, HorizontalOnly = 4 };

// Geometry of the cell area, the virtual-mode flags and the painting marks.
// Plain data: the layout, painting and scrolling code keep it up to date.
struct ViewGeometry {
    // The grid window; 0 while the grid has none.
    int32_t hwnd { 0 };
    int32_t viewWidth { 0 };
    int32_t viewHeight { 0 };
    int32_t contentWidth { 0 };
    int32_t contentHeight { 0 };
    int32_t scrollX { 0 };
    int32_t scrollY { 0 };
    int32_t hScrollHeight { 0 };
    int32_t vScrollWidth { 0 };
    int32_t scrollBarStyle { 0 };
    // Size of the icons of the grid's image list; 0 without one.
    int32_t iconWidth { 0 };
    int32_t iconHeight { 0 };
    VisibleRange range {};
    RangeState rangeState { RangeState::Recompute };

    // Settings done and the first paint allowed.
    bool ready { false };

    bool isVirtual { false };
    bool moreRows { false };
    bool rowRequestActive { false };

    bool needFullRedraw { true };
    bool needPaintBelow { true };
    bool forcePaintOnce { false };
};

}  // namespace tavix::core
