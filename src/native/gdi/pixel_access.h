#pragma once
#include <algorithm>

#include "native/gdi/font_face.h"
#include "native/gdi/gdi_table.h"

namespace tavix::native::detail {

// Calls fn(pixel&, tx, ty) for each pixel of the logical rect the DC may touch.
template <typename Fn> bool ForEachPixel(DcObj& dc, const Rect& logical, Fn&& fn)
{
    SurfacePtr s = dc.Target();
    if (!s)
        return false;
    Rect r = dc.ToTarget(logical).Intersect(dc.EffectiveClip());
    for (int32_t y = r.top; y < r.bottom; ++y) {
        uint32_t* row = s->Row(y);
        for (int32_t x = r.left; x < r.right; ++x)
            fn(row[x], x, y);
    }
    return true;
}

// Mixes src over dst with coverage a (0..255): per channel
// (s * a + d * (255 - a) + 127) / 255. Red and blue share one word, a 16-bit
// lane each (a lane's sum stays below 65536), and x / 255 is (x + (x >> 8) + 1) >> 8,
// exact for every sum that can occur: every anti-aliased text pixel comes here.
inline uint32_t BlendPixel(uint32_t dst, uint32_t src, uint32_t a)
{
    const uint32_t na = 255 - a;
    uint32_t rb = (src & 0xFF00FF) * a + (dst & 0xFF00FF) * na + 0x7F007F;
    uint32_t g = ((src >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * na + 0x7F;
    rb = ((rb + ((rb >> 8) & 0xFF00FF) + 0x10001) >> 8) & 0xFF00FF;
    g = ((g + (g >> 8) + 1) >> 8) & 0xFF;
    return rb | (g << 8);
}

// Premultiplied 0xAARRGGBB over an opaque pixel.
inline uint32_t OverPixel(uint32_t dst, uint32_t src)
{
    const uint32_t inverse = 255 - (src >> 24);
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t d = (dst >> shift) & 0xFF, s = (src >> shift) & 0xFF;
        out |= std::min<uint32_t>(255, s + (d * inverse + 127) / 255) << shift;
    }
    return out;
}

// Blends a glyph with its origin at (x, baseline), touching only pixels inside
// `clip` (target coordinates): its coverage in `color`, or a colour glyph (emoji) as it is.
inline void BlitGlyph(Surface& s, const GlyphBitmap& g, int32_t x, int32_t baseline, const Rect& clip, uint32_t color)
{
    const int32_t ox = x + g.left, oy = baseline - g.top;
    const Rect r = Rect { ox, oy, ox + g.width, oy + g.height }.Intersect(clip);
    for (int32_t y = r.top; y < r.bottom; ++y) {
        uint32_t* row = s.Row(y);
        const size_t from = static_cast<size_t>(y - oy) * g.width - ox;
        if (!g.color.empty()) {
            for (int32_t px = r.left; px < r.right; ++px)
                row[px] = OverPixel(row[px], g.color[from + px]);
            continue;
        }
        for (int32_t px = r.left; px < r.right; ++px) {
            const uint32_t a = g.coverage[from + px];
            if (a == 255)
                row[px] = color;
            else if (a)
                row[px] = BlendPixel(row[px], color, a);
        }
    }
}

}  // namespace tavix::native::detail
