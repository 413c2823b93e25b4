#pragma once
// Icons of the grid's image list in normal, blended and disabled form.
#include <cstdint>

#include <tavix/native/imagelist.h>

namespace tavix {

// Nothing is drawn for a negative index.
void DrawCellIcon(native::HIMAGELIST imageList, int index, native::HDC hdc, int32_t x, int32_t y, int32_t cx,
    int32_t cy, bool disabled, bool blended);

}  // namespace tavix
