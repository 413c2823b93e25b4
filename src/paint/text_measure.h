#pragma once
// Width of a cell's text as the painter would lay it out.
#include <cstdint>

#include "core/grid_table.h"
#include "paint/paint_resources.h"
#include <tavix/native/gdi.h>

namespace tavix::paint {

// Measured on `hdc` with the cell's font. With forceNoModify the ellipsis
// flags are dropped so that the whole text counts; word-wrapped text is
// widened in 16-pixel steps until it fits the row's height.
int32_t MeasureTextWidth(const core::GridTable& table, FontCache& fonts, native::HDC hdc, int32_t row, int32_t colIndex,
    bool forceNoModify, int32_t minWrapWidth);

}  // namespace tavix::paint
