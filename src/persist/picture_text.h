// Pictures in the host's property storage: the text of a PNG (base64), since the storage
// keeps values as text and no object survives a save.
#pragma once

#include <tavix/native/surface.h>
#include <tavix/variant.h>

namespace tavix::persist {

// Empty for no picture.
GridVariant PictureToVariant(const native::SurfacePtr& picture);
// Empty or Nothing give no picture; anything that is not such a text raises 13.
native::SurfacePtr PictureFromVariant(const GridVariant& value);

}  // namespace tavix::persist
