// Flat, modern check boxes and combo buttons, anti-aliased at any size.
#include <algorithm>
#include <cmath>

#include "native/gdi/pixel_access.h"
#include <tavix/native/frame.h>

namespace tavix::native {

using detail::DcObj;
using detail::ForEachPixel;

namespace {

struct PointF {
    double x, y;
};

double SegmentDistance(PointF p, PointF a, PointF b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// A polyline of the given thickness, coverage from the distance to each pixel centre.
void StrokePolyline(DcObj& dc, const Rect& bounds, std::initializer_list<PointF> pts, double thickness, COLORREF c)
{
    const uint32_t color = ToPixel(c);
    const Point org = dc.ToTarget(Point { 0, 0 });
    ForEachPixel(dc, bounds, [&](uint32_t& px, int32_t tx, int32_t ty) {
        const PointF p { tx - org.x + 0.5, ty - org.y + 0.5 };
        double d = 1e9;
        for (auto it = pts.begin(); it + 1 != pts.end(); ++it)
            d = std::min(d, SegmentDistance(p, *it, *(it + 1)));
        const double cover = std::clamp(thickness / 2 + 0.5 - d, 0.0, 1.0);
        if (cover > 0)
            px = detail::BlendPixel(px, color, static_cast<uint32_t>(cover * 255 + 0.5));
    });
}

void Fill(DcObj& dc, const Rect& r, COLORREF c)
{
    const uint32_t color = ToPixel(c);
    ForEachPixel(dc, r, [color](uint32_t& px, int32_t, int32_t) { px = color; });
}

void Frame(DcObj& dc, const Rect& r, COLORREF c)
{
    Fill(dc, { r.left, r.top, r.right, r.top + 1 }, c);
    Fill(dc, { r.left, r.bottom - 1, r.right, r.bottom }, c);
    Fill(dc, { r.left, r.top, r.left + 1, r.bottom }, c);
    Fill(dc, { r.right - 1, r.top, r.right, r.bottom }, c);
}

void DrawCheckBox(DcObj& dc, const Rect& rc, UINT state)
{
    const int32_t s = std::min(rc.Width(), rc.Height());
    const Rect box { rc.left + (rc.Width() - s) / 2, rc.top + (rc.Height() - s) / 2, 0, 0 };
    const Rect r { box.left, box.top, box.left + s, box.top + s };
    const bool inactive = state & DFCS_INACTIVE;
    const COLORREF border = inactive ? GetSysColor(COLOR_GRAYTEXT)
        : (state & DFCS_HOT)         ? GetSysColor(COLOR_HOTLIGHT)
                                     : GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF face = (inactive || (state & DFCS_PUSHED)) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
    const COLORREF mark = inactive ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT);
    Fill(dc, r, face);
    Frame(dc, r, border);
    if (!(state & DFCS_CHECKED) || s < 3)
        return;
    const Rect inner = r.Inflate(-1, -1);
    if (state & DFCS_BUTTON3STATE) {
        // Indeterminate: a solid square a quarter in from each side.
        const int32_t m = std::max(1, s / 4);
        Fill(dc, r.Inflate(-m, -m).Intersect(inner), GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_BTNSHADOW));
        return;
    }
    const double l = r.left, t = r.top, n = s;
    StrokePolyline(dc, inner,
        { { l + n * 0.22, t + n * 0.52 }, { l + n * 0.42, t + n * 0.72 }, { l + n * 0.78, t + n * 0.30 } },
        std::max(1.0, n / 8.0), mark);
}

void DrawComboButton(DcObj& dc, const Rect& r, UINT state)
{
    const bool inactive = state & DFCS_INACTIVE;
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (state & DFCS_PUSHED)
        face = GetSysColor(COLOR_3DLIGHT);
    else if (state & DFCS_HOT)
        face = GetSysColor(COLOR_WINDOW);
    Fill(dc, r, face);
    if (r.Width() >= 3 && r.Height() >= 3)
        Frame(dc, r, GetSysColor(COLOR_BTNSHADOW));
    const int32_t s = std::min(r.Width(), r.Height());
    if (s < 4)
        return;
    // A chevron pointing down, half the button's short side wide.
    const double cx = r.left + r.Width() / 2.0 + ((state & DFCS_PUSHED) ? 1 : 0);
    const double cy = r.top + r.Height() / 2.0 + ((state & DFCS_PUSHED) ? 1 : 0);
    const double half = s / 4.0;
    StrokePolyline(dc, r.Inflate(-1, -1),
        { { cx - half, cy - half / 2 }, { cx, cy + half / 2 }, { cx + half, cy - half / 2 } }, std::max(1.0, s / 10.0),
        GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
}

}  // namespace

bool DrawFrameControl(HDC hdc, const Rect& rc, UINT type, UINT state)
{
    DcObj* dc = detail::GetDc(hdc);
    if (!dc || rc.IsEmpty())
        return false;
    if (type == DFC_BUTTON && (state & 0xFF) <= DFCS_BUTTON3STATE) {
        DrawCheckBox(*dc, rc, state);
        return true;
    }
    if (type == DFC_SCROLL && (state & 0xFF) == DFCS_SCROLLCOMBOBOX) {
        DrawComboButton(*dc, rc, state);
        return true;
    }
    return false;
}

}  // namespace tavix::native
