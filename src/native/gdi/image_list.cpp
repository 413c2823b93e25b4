// Image lists, icons and DrawState.
#include <algorithm>

#include "native/gdi/pixel_access.h"
#include <tavix/native/imagelist.h>

namespace tavix::native {

using detail::DcObj;
using detail::ForEachPixel;
using detail::GdiTable;
using detail::IconObj;
using detail::ImageListObj;

namespace {

ImageListObj* List(HIMAGELIST h) { return GdiTable::Instance().Get<ImageListObj>(h); }

uint32_t Mix(uint32_t a, uint32_t b)
{
    return ((((a >> 16) & 0xFF) + ((b >> 16) & 0xFF)) / 2 << 16) | ((((a >> 8) & 0xFF) + ((b >> 8) & 0xFF)) / 2 << 8)
        | (((a & 0xFF) + (b & 0xFF)) / 2);
}

// Composites `img` (source rect w x h from its top-left) at logical (x, y);
// `color` maps each source pixel (alpha stripped) to the colour drawn.
template <typename ColorFn>
void Composite(DcObj& dc, const RgbaImage& img, int32_t x, int32_t y, int32_t w, int32_t h, ColorFn&& color)
{
    const Point org = dc.ToTarget(Point { x, y });
    ForEachPixel(dc, { x, y, x + std::min(w, img.width), y + std::min(h, img.height) },
        [&](uint32_t& px, int32_t tx, int32_t ty) {
            const uint32_t src = img.At(tx - org.x, ty - org.y);
            const uint32_t a = src >> 24;
            if (a)
                px = detail::BlendPixel(px, color(src & 0xFFFFFF), a);
        });
}

}  // namespace

HIMAGELIST ImageList_Create(int32_t cx, int32_t cy, UINT, int, int)
{
    if (cx <= 0 || cy <= 0)
        return 0;
    return GdiTable::Instance().Add(ImageListObj { cx, cy, {} });
}

bool ImageList_Destroy(HIMAGELIST himl) { return List(himl) && GdiTable::Instance().Remove(himl); }

int ImageList_AddImage(HIMAGELIST himl, const RgbaImage& image)
{
    ImageListObj* l = List(himl);
    if (!l || image.width != l->cx || image.height != l->cy)
        return -1;
    l->images.push_back(image);
    return static_cast<int>(l->images.size()) - 1;
}

int ImageList_AddStrip(HIMAGELIST himl, const RgbaImage& strip)
{
    ImageListObj* l = List(himl);
    if (!l || strip.height != l->cy || strip.width < l->cx)
        return -1;
    const int first = static_cast<int>(l->images.size());
    for (int32_t left = 0; left + l->cx <= strip.width; left += l->cx) {
        RgbaImage img { l->cx, l->cy, {} };
        for (int32_t y = 0; y < l->cy; ++y)
            for (int32_t x = 0; x < l->cx; ++x)
                img.pixels.push_back(strip.At(left + x, y));
        l->images.push_back(std::move(img));
    }
    return first;
}

int ImageList_AddFromPng(HIMAGELIST himl, const std::string& path)
{
    auto strip = LoadPngRgba(path);
    return strip ? ImageList_AddStrip(himl, *strip) : -1;
}

HIMAGELIST LoadImageListFromPng(const std::string& path, int32_t cx)
{
    auto strip = LoadPngRgba(path);
    if (!strip || cx <= 0)
        return 0;
    HIMAGELIST h = ImageList_Create(cx, strip->height, ILC_COLOR32, 0, 0);
    if (ImageList_AddStrip(h, *strip) < 0) {
        ImageList_Destroy(h);
        return 0;
    }
    return h;
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    ImageListObj* l = List(himl);
    return l ? static_cast<int>(l->images.size()) : 0;
}

bool ImageList_GetIconSize(HIMAGELIST himl, int32_t* cx, int32_t* cy)
{
    ImageListObj* l = List(himl);
    if (!l || !cx || !cy)
        return false;
    *cx = l->cx;
    *cy = l->cy;
    return true;
}

bool ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdc, int32_t x, int32_t y, int32_t dx, int32_t dy, COLORREF rgbBk,
    COLORREF rgbFg, UINT fStyle)
{
    ImageListObj* l = List(himl);
    DcObj* dc = detail::GetDc(hdc);
    if (!l || !dc || i < 0 || i >= static_cast<int>(l->images.size()))
        return false;
    const int32_t w = dx > 0 ? std::min(dx, l->cx) : l->cx;
    const int32_t h = dy > 0 ? std::min(dy, l->cy) : l->cy;
    if (!(fStyle & ILD_TRANSPARENT) && rgbBk != CLR_NONE) {
        const uint32_t bk = ToPixel(rgbBk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : rgbBk);
        ForEachPixel(*dc, { x, y, x + w, y + h }, [bk](uint32_t& px, int32_t, int32_t) { px = bk; });
    }
    const RgbaImage& img = l->images[static_cast<size_t>(i)];
    if (fStyle & (ILD_BLEND50 | ILD_BLEND25)) {
        const uint32_t fg = ToPixel(rgbFg == CLR_DEFAULT || rgbFg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : rgbFg);
        Composite(*dc, img, x, y, w, h, [fg](uint32_t c) { return Mix(c, fg); });
    } else {
        Composite(*dc, img, x, y, w, h, [](uint32_t c) { return c; });
    }
    return true;
}

HICON CreateIconFromImage(const RgbaImage& image)
{
    if (image.width <= 0 || image.height <= 0)
        return 0;
    return GdiTable::Instance().Add(IconObj { image });
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT)
{
    ImageListObj* l = List(himl);
    if (!l || i < 0 || i >= static_cast<int>(l->images.size()))
        return 0;
    return CreateIconFromImage(l->images[static_cast<size_t>(i)]);
}

Size GetIconSize(HICON icon)
{
    auto* ic = GdiTable::Instance().Get<IconObj>(icon);
    return ic ? Size { ic->image.width, ic->image.height } : Size {};
}

bool DestroyIcon(HICON icon) { return GdiTable::Instance().Get<IconObj>(icon) && GdiTable::Instance().Remove(icon); }

bool DrawState(
    HDC hdc, HBRUSH, void*, intptr_t lData, uintptr_t, int32_t x, int32_t y, int32_t cx, int32_t cy, UINT flags)
{
    DcObj* dc = detail::GetDc(hdc);
    auto* ic = GdiTable::Instance().Get<IconObj>(static_cast<HICON>(lData));
    if (!dc || !ic || (flags & 0xF) != DST_ICON)
        return false;
    const RgbaImage& img = ic->image;
    const int32_t w = cx > 0 ? cx : img.width, h = cy > 0 ? cy : img.height;
    if (!(flags & DSS_DISABLED)) {
        Composite(*dc, img, x, y, w, h, [](uint32_t c) { return c; });
        return true;
    }
    // Embossed: the shape in the highlight colour one pixel down-right, then in
    // the shadow colour, both keeping the icon's alpha for soft edges.
    const uint32_t light = ToPixel(GetSysColor(COLOR_3DHIGHLIGHT));
    const uint32_t shadow = ToPixel(GetSysColor(COLOR_3DSHADOW));
    Composite(*dc, img, x + 1, y + 1, w, h, [light](uint32_t) { return light; });
    Composite(*dc, img, x, y, w, h, [shadow](uint32_t) { return shadow; });
    return true;
}

}  // namespace tavix::native
