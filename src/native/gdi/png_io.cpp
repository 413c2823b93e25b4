#include <png.h>

#include <cstring>

#include <tavix/native/png.h>

namespace tavix::native {

namespace {

// After png_image_begin_read_*: the pixels as straight BGRA words.
std::optional<RgbaImage> FinishRead(png_image& img)
{
    // BGRA bytes are 0xAARRGGBB words on a little-endian machine.
    img.format = PNG_FORMAT_BGRA;
    RgbaImage out;
    out.width = static_cast<int32_t>(img.width);
    out.height = static_cast<int32_t>(img.height);
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    if (!png_image_finish_read(&img, nullptr, out.pixels.data(), 0, nullptr)) {
        png_image_free(&img);
        return std::nullopt;
    }
    return out;
}

// Transparent parts are composed over white: pictures are drawn opaque.
Picture PictureOf(const RgbaImage& rgba)
{
    auto s = std::make_shared<Surface>(rgba.width, rgba.height);
    for (int32_t y = 0; y < rgba.height; ++y) {
        for (int32_t x = 0; x < rgba.width; ++x) {
            const uint32_t p = rgba.At(x, y), a = p >> 24;
            uint32_t v = 0;
            for (int shift = 0; shift <= 16; shift += 8)
                v |= ((((p >> shift) & 0xFF) * a + 255 * (255 - a) + 127) / 255) << shift;
            s->SetPixel(x, y, v);
        }
    }
    return Picture { s, { rgba.width, rgba.height } };
}

png_image NewImage()
{
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    return img;
}

}  // namespace

std::optional<RgbaImage> LoadPngRgba(const std::string& path)
{
    png_image img = NewImage();
    if (!png_image_begin_read_from_file(&img, path.c_str()))
        return std::nullopt;
    return FinishRead(img);
}

std::optional<Picture> LoadPictureFromPng(const std::string& path)
{
    auto rgba = LoadPngRgba(path);
    if (!rgba)
        return std::nullopt;
    return PictureOf(*rgba);
}

std::optional<Picture> DecodePicturePng(std::span<const uint8_t> bytes)
{
    png_image img = NewImage();
    if (bytes.empty() || !png_image_begin_read_from_memory(&img, bytes.data(), bytes.size()))
        return std::nullopt;
    auto rgba = FinishRead(img);
    if (!rgba)
        return std::nullopt;
    return PictureOf(*rgba);
}

std::vector<uint8_t> EncodePng(const Surface& surface)
{
    png_image img = NewImage();
    img.width = static_cast<png_uint_32>(surface.Width());
    img.height = static_cast<png_uint_32>(surface.Height());
    img.format = PNG_FORMAT_BGRA;
    // The surface's unused top byte would read as alpha: make every pixel opaque.
    std::vector<uint32_t> opaque(
        surface.Data(), surface.Data() + static_cast<size_t>(surface.Width()) * surface.Height());
    for (uint32_t& p : opaque)
        p |= 0xFF000000u;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(img, size, 0, opaque.data(), 0, nullptr))
        return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&img, out.data(), &size, 0, opaque.data(), 0, nullptr))
        return {};
    out.resize(size);
    return out;
}

bool SavePngRgba(const RgbaImage& image, const std::string& path)
{
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    img.width = static_cast<png_uint_32>(image.width);
    img.height = static_cast<png_uint_32>(image.height);
    img.format = PNG_FORMAT_BGRA;
    return png_image_write_to_file(&img, path.c_str(), 0, image.pixels.data(), 0, nullptr) != 0;
}

bool SavePng(const Surface& surface, const std::string& path, std::optional<Rect> area)
{
    const Rect r = area ? area->Intersect(surface.Bounds()) : surface.Bounds();
    if (r.IsEmpty())
        return false;
    RgbaImage img { r.Width(), r.Height(), {} };
    img.pixels.reserve(static_cast<size_t>(img.width) * img.height);
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            img.pixels.push_back(surface.Pixel(x, y) | 0xFF000000u);
    return SavePngRgba(img, path);
}

bool SavePng(HDC hdc, const std::string& path, std::optional<Rect> area)
{
    SurfacePtr s = GetDCSurface(hdc);
    return s && SavePng(*s, path, area);
}

}  // namespace tavix::native
