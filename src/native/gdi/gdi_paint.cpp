// Fills, frames, lines, pixels, the focus rectangle and block transfers.
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "native/gdi/gdi_table.h"
#include "native/gdi/hatch.h"
#include "native/gdi/pixel_access.h"

namespace tavix::native {

using detail::BrushObj;
using detail::DcObj;
using detail::ForEachPixel;
using detail::GdiTable;
using detail::GetDc;
using detail::PenObj;

namespace {

// Hatch patterns are anchored to the DC's device origin so adjacent fills line up.
void FillWithBrush(DcObj& dc, const Rect& rc, const BrushObj& b)
{
    const uint32_t fg = ToPixel(b.color);
    if (b.hatch < 0) {
        SurfacePtr s = dc.Target();
        if (!s)
            return;
        const Rect r = dc.ToTarget(rc).Intersect(dc.EffectiveClip());
        for (int32_t y = r.top; y < r.bottom; ++y)
            std::fill(s->Row(y) + r.left, s->Row(y) + r.right, fg);
        return;
    }
    const uint32_t bg = ToPixel(dc.bkColor);
    const bool opaque = dc.bkMode == OPAQUE;
    ForEachPixel(dc, rc, [&](uint32_t& p, int32_t x, int32_t y) {
        if (detail::HatchBit(b.hatch, x - dc.origin.x, y - dc.origin.y))
            p = fg;
        else if (opaque)
            p = bg;
    });
}

uint32_t RopPixel(DWORD rop, uint32_t dst, uint32_t src, uint32_t pat)
{
    switch (rop) {
    case SRCCOPY: return src;
    case DSTINVERT: return ~dst & 0xFFFFFF;
    case PATINVERT: return dst ^ pat;
    case PATCOPY: return pat;
    case BLACKNESS: return 0;
    case WHITENESS: return 0xFFFFFF;
    default: return dst;
    }
}

}  // namespace

int FillRect(HDC hdc, const Rect& rc, HBRUSH brush)
{
    DcObj* dc = GetDc(hdc);
    BrushObj* b = GdiTable::Instance().Get<BrushObj>(brush);
    if (!dc || !b)
        return 0;
    FillWithBrush(*dc, rc, *b);
    return 1;
}

int FrameRect(HDC hdc, const Rect& rc, HBRUSH brush)
{
    DcObj* dc = GetDc(hdc);
    BrushObj* b = GdiTable::Instance().Get<BrushObj>(brush);
    if (!dc || !b || rc.IsEmpty())
        return 0;
    FillWithBrush(*dc, { rc.left, rc.top, rc.right, rc.top + 1 }, *b);
    FillWithBrush(*dc, { rc.left, rc.bottom - 1, rc.right, rc.bottom }, *b);
    FillWithBrush(*dc, { rc.left, rc.top, rc.left + 1, rc.bottom }, *b);
    FillWithBrush(*dc, { rc.right - 1, rc.top, rc.right, rc.bottom }, *b);
    return 1;
}

bool InvertRect(HDC hdc, const Rect& rc)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return false;
    return ForEachPixel(*dc, rc, [](uint32_t& p, int32_t, int32_t) { p = ~p & 0xFFFFFF; });
}

// A one-pixel dotted frame XORed with a checkerboard of the text and background
// colours: over black the dots show the background colour at the rect's corner
// and the text colour between, and a second call restores every pixel.
bool DrawFocusRect(HDC hdc, const Rect& rc)
{
    DcObj* dc = GetDc(hdc);
    if (!dc || rc.IsEmpty())
        return false;
    const uint32_t even = ToPixel(dc->bkColor);
    const uint32_t odd = ToPixel(dc->textColor);
    const Point corner = dc->ToTarget(Point { rc.left, rc.top });
    const Rect inner = dc->ToTarget(rc.Inflate(-1, -1));
    return ForEachPixel(*dc, rc, [&](uint32_t& p, int32_t x, int32_t y) {
        if (inner.Contains({ x, y }))
            return;
        // Only the parity counts: unsigned arithmetic keeps it for corners far off the target.
        const uint32_t distance = static_cast<uint32_t>(x) - static_cast<uint32_t>(corner.x) + static_cast<uint32_t>(y)
            - static_cast<uint32_t>(corner.y);
        p ^= (distance & 1) ? odd : even;
    });
}

bool MoveToEx(HDC hdc, int32_t x, int32_t y, Point* previous)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return false;
    if (previous)
        *previous = dc->position;
    dc->position = { x, y };
    return true;
}

// Bresenham from the current position, the end point excluded.
bool LineTo(HDC hdc, int32_t x1, int32_t y1)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return false;
    PenObj* pen = GdiTable::Instance().Get<PenObj>(dc->pen);
    Point from = std::exchange(dc->position, Point { x1, y1 });
    if (!pen || pen->style == PS_NULL)
        return true;
    const uint32_t color = ToPixel(pen->color);
    int32_t x = from.x, y = from.y;
    const int32_t dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
    const int32_t sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
    int32_t err = dx + dy;
    for (int step = 0; x != x1 || y != y1; ++step) {
        if (pen->style != PS_DOT || step % 2 == 0)
            ForEachPixel(
                *dc, { x, y, x + pen->width, y + pen->width }, [color](uint32_t& p, int32_t, int32_t) { p = color; });
        const int32_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return true;
}

COLORREF SetPixel(HDC hdc, int32_t x, int32_t y, COLORREF c)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return CLR_INVALID;
    COLORREF result = CLR_INVALID;
    ForEachPixel(*dc, { x, y, x + 1, y + 1 }, [&](uint32_t& p, int32_t, int32_t) {
        p = ToPixel(c);
        result = c & 0xFFFFFF;
    });
    return result;
}

COLORREF GetPixel(HDC hdc, int32_t x, int32_t y)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return CLR_INVALID;
    COLORREF result = CLR_INVALID;
    ForEachPixel(*dc, { x, y, x + 1, y + 1 }, [&](uint32_t& p, int32_t, int32_t) { result = FromPixel(p); });
    return result;
}

bool PatBlt(HDC hdc, int32_t x, int32_t y, int32_t w, int32_t h, DWORD rop)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return false;
    BrushObj* b = GdiTable::Instance().Get<BrushObj>(dc->brush);
    BrushObj brush = b ? *b : BrushObj {};
    Rect rc { x, y, x + w, y + h };
    if (rop == PATCOPY) {
        FillWithBrush(*dc, rc, brush);
        return true;
    }
    const uint32_t fg = ToPixel(brush.color), bg = ToPixel(dc->bkColor);
    return ForEachPixel(*dc, rc, [&](uint32_t& p, int32_t px, int32_t py) {
        uint32_t pat = fg;
        if (brush.hatch >= 0 && !detail::HatchBit(brush.hatch, px - dc->origin.x, py - dc->origin.y))
            pat = bg;
        p = RopPixel(rop, p, 0, pat);
    });
}

bool BitBlt(HDC hdst, int32_t x, int32_t y, int32_t w, int32_t h, HDC hsrc, int32_t sx, int32_t sy, DWORD rop)
{
    if (rop != SRCCOPY)
        return PatBlt(hdst, x, y, w, h, rop);
    DcObj* dst = GetDc(hdst);
    DcObj* src = GetDc(hsrc);
    if (!dst || !src)
        return false;
    SurfacePtr ss = src->Target();
    if (!ss || w <= 0 || h <= 0)
        return false;
    // Copy the source block first so overlapping blits within one surface work.
    const Point s0 = src->ToTarget(Point { sx, sy });
    const Rect srcRect = Rect { s0.x, s0.y, s0.x + w, s0.y + h }.Intersect(ss->Bounds());
    if (srcRect.IsEmpty())
        return true;
    std::vector<uint32_t> block(static_cast<size_t>(srcRect.Width()) * srcRect.Height());
    for (int32_t r = 0; r < srcRect.Height(); ++r) {
        const uint32_t* from = ss->Row(srcRect.top + r) + srcRect.left;
        std::copy(from, from + srcRect.Width(), block.begin() + static_cast<ptrdiff_t>(r) * srcRect.Width());
    }
    const Point d0 = dst->ToTarget(Point { x, y });
    const int32_t offX = d0.x - s0.x, offY = d0.y - s0.y;
    SurfacePtr ds = dst->Target();
    const Rect r = srcRect.Offset(offX, offY).Intersect(dst->EffectiveClip());
    for (int32_t ty = r.top; ty < r.bottom; ++ty) {
        const uint32_t* from = block.data() + static_cast<size_t>(ty - offY - srcRect.top) * srcRect.Width()
            + (r.left - offX - srcRect.left);
        std::copy(from, from + r.Width(), ds->Row(ty) + r.left);
    }
    return true;
}

}  // namespace tavix::native
