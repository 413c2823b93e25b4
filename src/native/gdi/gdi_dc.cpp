// Device contexts, object selection and lifetime, DC state and clipping.
#include <algorithm>
#include <utility>

#include "native/gdi/gdi_table.h"
#include <tavix/native/text.h>

namespace tavix::native {

using detail::BitmapObj;
using detail::BrushObj;
using detail::DcObj;
using detail::FontObj;
using detail::GdiTable;
using detail::GetDc;
using detail::PenObj;
using detail::RegionObj;

namespace {

DcObj NewDc()
{
    auto& t = GdiTable::Instance();
    DcObj dc;
    dc.brush = t.StockWhiteBrush();
    dc.pen = t.StockBlackPen();
    dc.font = GetStockUiFont();
    return dc;
}

void Release(HBITMAP h)
{
    if (auto* bm = GdiTable::Instance().Get<BitmapObj>(h))
        --bm->selectedCount;
}

}  // namespace

HDC CreateSurfaceDC(SurfacePtr target, Point origin, Rect baseClip)
{
    if (!target)
        return 0;
    DcObj dc = NewDc();
    dc.target = std::move(target);
    dc.origin = origin;
    dc.baseClip = baseClip;
    return GdiTable::Instance().Add(std::move(dc));
}

HDC CreateCompatibleDC(HDC)
{
    auto& t = GdiTable::Instance();
    DcObj dc = NewDc();
    dc.memory = true;
    dc.bitmap = t.StockBitmap();
    return t.Add(std::move(dc));
}

bool DeleteDC(HDC hdc)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return false;
    if (dc->memory)
        Release(dc->bitmap);
    return GdiTable::Instance().Remove(hdc);
}

SurfacePtr GetDCSurface(HDC hdc)
{
    DcObj* dc = GetDc(hdc);
    return dc ? dc->Target() : nullptr;
}

HBITMAP CreateCompatibleBitmap(HDC, int32_t cx, int32_t cy)
{
    if (cx <= 0 || cy <= 0)
        return 0;
    return GdiTable::Instance().Add(BitmapObj { std::make_shared<Surface>(cx, cy, 0) });
}

HBITMAP CreateBitmapFromSurface(SurfacePtr surface)
{
    if (!surface)
        return 0;
    return GdiTable::Instance().Add(BitmapObj { std::move(surface) });
}

SurfacePtr GetBitmapSurface(HBITMAP hbm)
{
    auto* bm = GdiTable::Instance().Get<BitmapObj>(hbm);
    return bm ? bm->surface : nullptr;
}

Size GetBitmapSize(HBITMAP hbm)
{
    auto s = GetBitmapSurface(hbm);
    return s ? Size { s->Width(), s->Height() } : Size {};
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj)
{
    auto& t = GdiTable::Instance();
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return 0;
    if (auto* bm = t.Get<BitmapObj>(obj)) {
        // A bitmap lives in one memory DC at a time, as on the platform.
        if (!dc->memory || (bm->selectedCount > 0 && dc->bitmap != obj))
            return 0;
        HBITMAP prev = dc->bitmap;
        if (prev != obj) {
            Release(prev);
            ++bm->selectedCount;
        }
        dc->bitmap = obj;
        return prev;
    }
    if (t.Get<BrushObj>(obj))
        return std::exchange(dc->brush, obj);
    if (t.Get<PenObj>(obj))
        return std::exchange(dc->pen, obj);
    if (t.Get<FontObj>(obj))
        return std::exchange(dc->font, obj);
    if (t.Get<RegionObj>(obj))
        return SelectClipRgn(hdc, obj);
    return 0;
}

bool DeleteObject(HGDIOBJ obj)
{
    auto& t = GdiTable::Instance();
    if (obj == 0 || t.IsStock(obj) || t.Get<DcObj>(obj))
        return false;
    if (auto* bm = t.Get<BitmapObj>(obj); bm && bm->selectedCount > 0)
        return false;
    return t.Remove(obj);
}

COLORREF SetTextColor(HDC hdc, COLORREF c)
{
    DcObj* dc = GetDc(hdc);
    return dc ? std::exchange(dc->textColor, c) : CLR_INVALID;
}
COLORREF GetTextColor(HDC hdc)
{
    DcObj* dc = GetDc(hdc);
    return dc ? dc->textColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC hdc, COLORREF c)
{
    DcObj* dc = GetDc(hdc);
    return dc ? std::exchange(dc->bkColor, c) : CLR_INVALID;
}
COLORREF GetBkColor(HDC hdc)
{
    DcObj* dc = GetDc(hdc);
    return dc ? dc->bkColor : CLR_INVALID;
}
int SetBkMode(HDC hdc, int mode)
{
    DcObj* dc = GetDc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(dc->bkMode, mode);
}
int GetBkMode(HDC hdc)
{
    DcObj* dc = GetDc(hdc);
    return dc ? dc->bkMode : 0;
}
Point SetViewportOrg(HDC hdc, Point origin)
{
    DcObj* dc = GetDc(hdc);
    return dc ? std::exchange(dc->viewport, origin) : Point {};
}
Point GetViewportOrg(HDC hdc)
{
    DcObj* dc = GetDc(hdc);
    return dc ? dc->viewport : Point {};
}

HBRUSH CreateSolidBrush(COLORREF c) { return GdiTable::Instance().Add(BrushObj { c & 0xFFFFFF, -1 }); }

HBRUSH CreateHatchBrush(int style, COLORREF c)
{
    if (style < HS_HORIZONTAL || style > HS_DIAGCROSS)
        return 0;
    return GdiTable::Instance().Add(BrushObj { c & 0xFFFFFF, style });
}

HBRUSH GetSysColorBrush(int index)
{
    static HBRUSH brushes[COLOR_COUNT] = {};
    if (index < 0 || index >= COLOR_COUNT)
        return 0;
    auto& t = GdiTable::Instance();
    if (!brushes[index])
        brushes[index] = t.Add(BrushObj {}, true);
    // Follows SetSysColors, like the platform's system brushes.
    t.Get<BrushObj>(brushes[index])->color = GetSysColor(index);
    return brushes[index];
}

HPEN CreatePen(int style, int width, COLORREF c)
{
    return GdiTable::Instance().Add(PenObj { style, std::max(1, width), c & 0xFFFFFF });
}

// ---- Clipping ------------------------------------------------------------------

HRGN CreateRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    Rect r { std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom) };
    return GdiTable::Instance().Add(RegionObj { r });
}

HRGN CreateRectRgnIndirect(const Rect& rc) { return CreateRectRgn(rc.left, rc.top, rc.right, rc.bottom); }

int GetRgnBox(HRGN rgn, Rect* out)
{
    auto* r = GdiTable::Instance().Get<RegionObj>(rgn);
    if (!r || !out)
        return ERROR;
    *out = r->rect;
    return r->rect.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

int GetClipRgn(HDC hdc, HRGN rgn)
{
    DcObj* dc = GetDc(hdc);
    auto* r = GdiTable::Instance().Get<RegionObj>(rgn);
    if (!dc || !r)
        return -1;
    if (!dc->clip)
        return 0;
    r->rect = *dc->clip;
    return 1;
}

int SelectClipRgn(HDC hdc, HRGN rgn)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return ERROR;
    if (rgn == 0) {
        dc->clip.reset();
        return SIMPLEREGION;
    }
    auto* r = GdiTable::Instance().Get<RegionObj>(rgn);
    if (!r)
        return ERROR;
    // Regions are in device units; the viewport does not move them.
    dc->clip = r->rect;
    return r->rect.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

int IntersectClipRect(HDC hdc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return ERROR;
    Rect r = Rect { left, top, right, bottom }.Offset(dc->viewport.x, dc->viewport.y);
    dc->clip = dc->clip ? dc->clip->Intersect(r) : r;
    return dc->clip->IsEmpty() ? NULLREGION : SIMPLEREGION;
}

}  // namespace tavix::native

namespace tavix::native {

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return 0;
    switch (type) {
    case OBJ_PEN: return dc->pen;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_FONT: return dc->font;
    case OBJ_BITMAP: return dc->memory ? dc->bitmap : 0;
    default: return 0;
    }
}

}  // namespace tavix::native
