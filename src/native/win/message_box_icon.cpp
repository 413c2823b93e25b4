#include "native/win/message_box_icon.h"
#include "native/gdi/pixel_access.h"
#include <algorithm>
#include <cmath>
#include <string_view>
#include <tavix/native/message_box.h>
#include <tavix/native/text.h>

namespace tavix::native {

namespace {

constexpr COLORREF kErrorRed = RGB(214, 48, 49), kInfoBlue = RGB(32, 104, 204), kWarnYellow = RGB(247, 196, 33);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// Coverage of a shape given the signed distance of a pixel centre to its
// edge (negative inside).
double Cover(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

template <typename Distance> void FillShape(HDC hdc, const Rect& box, COLORREF c, Distance distance)
{
    auto* dc = detail::GetDc(hdc);
    if (!dc)
        return;
    const uint32_t color = ToPixel(c);
    const Point org = dc->ToTarget(Point { box.left, box.top });
    detail::ForEachPixel(*dc, box, [&](uint32_t& px, int32_t tx, int32_t ty) {
        double a = Cover(distance(tx - org.x + 0.5, ty - org.y + 0.5));
        if (a > 0)
            px = detail::BlendPixel(px, color, static_cast<uint32_t>(a * 255 + 0.5));
    });
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

void Disc(HDC dc, const Rect& box, COLORREF c)
{
    const double r = box.Width() / 2.0;
    FillShape(dc, box, c, [r](double x, double y) { return std::hypot(x - r, y - r) - (r - 0.5); });
}

// A triangle with rounded corners standing on its base.
void Triangle(HDC dc, const Rect& box, COLORREF c)
{
    const double w = box.Width(), h = box.Height(), round = w / 10;
    const double ax = w / 2, ay = round, bx = round, by = h - round, cx = w - round, cy = h - round;
    FillShape(dc, box, c, [&](double x, double y) {
        auto side = [&](double x0, double y0, double x1, double y1) {
            return ((x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)) / std::hypot(x1 - x0, y1 - y0);
        };
        double inside = std::max({ side(ax, ay, bx, by), side(bx, by, cx, cy), side(cx, cy, ax, ay) });
        return inside - round;
    });
}

void Cross(HDC dc, const Rect& box, COLORREF c)
{
    const double w = box.Width(), lo = w * 0.32, hi = w * 0.68, half = w * 0.06;
    FillShape(dc, box, c, [&](double x, double y) {
        return std::min(SegmentDistance(x, y, lo, lo, hi, hi), SegmentDistance(x, y, hi, lo, lo, hi)) - half;
    });
}

void Mark(HDC dc, const Rect& box, std::string_view glyph, COLORREF c, int weight)
{
    UniqueGdiObject font(CreateFontFromSpec(FontSpec { .points = box.Height() * 0.45, .weight = weight }));
    DcStateSaver saver(dc);
    SelectObject(dc, font);
    SetTextColor(dc, c);
    SetBkMode(dc, TRANSPARENT);
    Rect rc = box;
    DrawText(dc, glyph, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void DrawMessageBoxIcon(HDC dc, const Rect& box, UINT icon)
{
    switch (icon & MB_ICONMASK) {
    case MB_ICONERROR:
        Disc(dc, box, kErrorRed);
        Cross(dc, box, kWhite);
        break;
    case MB_ICONQUESTION:
        Disc(dc, box, kInfoBlue);
        Mark(dc, box, "?", kWhite, FW_BOLD);
        break;
    case MB_ICONWARNING:
        Triangle(dc, box, kWarnYellow);
        Mark(dc, box.Offset(0, box.Height() / 12), "!", kBlack, FW_BOLD);
        break;
    case MB_ICONINFORMATION:
        Disc(dc, box, kInfoBlue);
        Mark(dc, box, "i", kWhite, FW_BOLD);
        break;
    default: break;
    }
}

}  // namespace tavix::native
