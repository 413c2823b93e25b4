#pragma once
// PNG input and output through libpng.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tavix/native/gdi.h"

namespace tavix::native {

// Straight (not premultiplied) 0xAARRGGBB pixels.
struct RgbaImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A picture for drawing: an opaque surface (transparent parts over white).
struct Picture {
    SurfacePtr surface;
    Size size;
};

std::optional<RgbaImage> LoadPngRgba(const std::string& path);
std::optional<Picture> LoadPictureFromPng(const std::string& path);
// The same from PNG bytes in memory (a picture kept in a property bag).
std::optional<Picture> DecodePicturePng(std::span<const uint8_t> bytes);
// The surface as opaque RGB PNG bytes; empty on failure.
std::vector<uint8_t> EncodePng(const Surface& surface);

// Writes the surface (or the part in `area`) as an opaque RGB PNG.
bool SavePng(const Surface& surface, const std::string& path, std::optional<Rect> area = std::nullopt);
bool SavePng(HDC hdc, const std::string& path, std::optional<Rect> area = std::nullopt);
bool SavePngRgba(const RgbaImage& image, const std::string& path);

}  // namespace tavix::native
