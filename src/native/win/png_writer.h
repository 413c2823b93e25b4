#pragma once
#include <string>
#include <tavix/native/surface.h>

namespace tavix::native {

// Writes the surface as an 8-bit RGB PNG; false when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path);

}  // namespace tavix::native
