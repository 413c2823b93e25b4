#pragma once
// The native list behind an image list argument.
#include <tavix/variant.h>

#include <cstdint>

namespace tavix::paint {

// An image list object gives the handle it makes once asked to draw its first
// image; a Long is the handle itself; anything else raises 518. 0 when an
// object has no list to give.
int32_t ImageListHandle(const GridVariant& imageList);

}  // namespace tavix::paint
