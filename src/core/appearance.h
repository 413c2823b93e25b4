#pragma once

#include <cstdint>

namespace tavix::core {

// The grid's appearance settings; painting reads them, their setters mark what to repaint.
struct Appearance {
    int32_t appearance { 1 };   // EAppearanceConstants
    int32_t borderStyle { 2 };  // EBorderStyles
};

}  // namespace tavix::core
