#pragma once
#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// BlendPixel on four pixels with coverages a4 (one byte each, the first pixel's lowest), except
// that a pixel of coverage 0 is left as it is and one of 255 takes color, top byte included.
inline void BlendFour(uint32_t* dst, uint32_t color, uint32_t a4)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
    const __m128i s = _mm_set1_epi32(static_cast<int32_t>(color));
    const __m128i bytes = _mm_cvtsi32_si128(static_cast<int32_t>(a4));
    const __m128i perChannel = _mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, bytes), _mm_unpacklo_epi8(bytes, bytes));
    // Each channel in a 16-bit lane: s * a + d * (255 - a) + 127 stays below 65536, and so does
    // x + (x >> 8) + 1, whose high byte is x / 255.
    auto mix = [](__m128i s16, __m128i d16, __m128i a16) {
        const __m128i x = _mm_add_epi16(
            _mm_add_epi16(_mm_mullo_epi16(s16, a16), _mm_mullo_epi16(d16, _mm_sub_epi16(_mm_set1_epi16(255), a16))),
            _mm_set1_epi16(127));
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), _mm_set1_epi16(1)), 8);
    };
    const __m128i blended = _mm_packus_epi16(
        mix(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(perChannel, zero)),
        mix(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(perChannel, zero)));
    const __m128i a32 = _mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero);
    const __m128i none = _mm_cmpeq_epi32(a32, zero), full = _mm_cmpeq_epi32(a32, _mm_set1_epi32(255));
    const __m128i top = _mm_and_si128(_mm_or_si128(_mm_and_si128(none, d), _mm_and_si128(full, s)),
        _mm_set1_epi32(static_cast<int32_t>(0xFF000000u)));
    const __m128i out = _mm_or_si128(_mm_and_si128(blended, _mm_set1_epi32(0x00FFFFFF)), top);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), out);
}
#endif

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
        int32_t px = r.left;
#if defined(__SSE2__)
        // Four pixels at a time: text is mostly blank or solid, and the rest is blended together.
        for (; px + 4 <= r.right; px += 4) {
            uint32_t a4;
            std::memcpy(&a4, &g.coverage[from + px], sizeof a4);
            if (a4 == 0)
                continue;
            if (a4 == 0xFFFFFFFFu)
                std::fill_n(row + px, 4, color);
            else
                BlendFour(row + px, color, a4);
        }
#endif
        for (; px < r.right; ++px) {
            const uint32_t a = g.coverage[from + px];
            if (a == 255)
                row[px] = color;
            else if (a)
                row[px] = BlendPixel(row[px], color, a);
        }
    }
}

}  // namespace tavix::native::detail
