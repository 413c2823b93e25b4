#include <gtest/gtest.h>

#include "tavix/native/gdi.h"

#include "native/gdi/pixel_access.h"

#include <random>

using namespace tavix::native;

namespace {

// A memory DC over a w x h bitmap filled with `fill`.
struct Canvas {
    UniqueDC dc { CreateCompatibleDC(0) };
    UniqueGdiObject bm;
    HGDIOBJ old = 0;
    Canvas(int w, int h, COLORREF fill = RGB(0, 0, 0))
        : bm(CreateCompatibleBitmap(0, w, h))
    {
        old = SelectObject(dc, bm);
        UniqueGdiObject b(CreateSolidBrush(fill));
        FillRect(dc, { 0, 0, w, h }, b);
    }
    ~Canvas() { SelectObject(dc, old); }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    // Count of pixels of colour c in r.
    int Count(const Rect& r, COLORREF c) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == c;
        return n;
    }
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

TEST(GdiPaint, FillRectExcludesRightAndBottom)
{
    Canvas c(10, 10);
    UniqueGdiObject red(CreateSolidBrush(kRed));
    FillRect(c.dc, { 2, 3, 5, 7 }, red);
    EXPECT_EQ(c.Count({ 0, 0, 10, 10 }, kRed), 3 * 4);
    EXPECT_EQ(c.At(2, 3), kRed);
    EXPECT_EQ(c.At(4, 6), kRed);
    EXPECT_EQ(c.At(5, 6), kBlack);
    EXPECT_EQ(c.At(4, 7), kBlack);
    FillRect(c.dc, { 5, 5, 5, 9 }, red);  // empty
    EXPECT_EQ(c.Count({ 0, 0, 10, 10 }, kRed), 12);
}

TEST(GdiPaint, FrameRectIsInsideAndALineWhenThin)
{
    Canvas c(10, 10);
    UniqueGdiObject red(CreateSolidBrush(kRed));
    FrameRect(c.dc, { 1, 1, 5, 4 }, red);
    EXPECT_EQ(c.Count({ 0, 0, 10, 10 }, kRed), 2 * 4 + 2 * 1);
    EXPECT_EQ(c.At(2, 2), kBlack);
    EXPECT_EQ(c.At(4, 3), kRed);
    Canvas h(10, 10);
    FrameRect(h.dc, { 0, 5, 6, 6 }, red);
    EXPECT_EQ(h.Count({ 0, 0, 10, 10 }, kRed), 6);
    Canvas v(10, 10);
    FrameRect(v.dc, { 7, 0, 8, 4 }, red);
    EXPECT_EQ(v.Count({ 0, 0, 10, 10 }, kRed), 4);
}

TEST(GdiPaint, HatchStylesTransparentAndOpaque)
{
    // Pixels set in one 8x8 cell, per style, counted from the pattern's definition.
    const int lineCounts[6] = { 8, 8, 8, 8, 15, 16 };
    for (int style = HS_HORIZONTAL; style <= HS_DIAGCROSS; ++style) {
        SCOPED_TRACE(style);
        UniqueGdiObject hatch(CreateHatchBrush(style, kRed));
        Canvas t(16, 16);
        SetBkColor(t.dc, kWhite);
        SetBkMode(t.dc, TRANSPARENT);
        FillRect(t.dc, { 0, 0, 16, 16 }, hatch);
        EXPECT_EQ(t.Count({ 0, 0, 8, 8 }, kRed), lineCounts[style]);
        EXPECT_EQ(t.Count({ 0, 0, 8, 8 }, kBlack), 64 - lineCounts[style]) << "gaps keep what was there";
        EXPECT_EQ(t.Count({ 8, 8, 16, 16 }, kRed), lineCounts[style]) << "the pattern repeats every 8 pixels";
        Canvas o(8, 8);
        SetBkColor(o.dc, kWhite);
        SetBkMode(o.dc, OPAQUE);
        FillRect(o.dc, { 0, 0, 8, 8 }, hatch);
        EXPECT_EQ(o.Count({ 0, 0, 8, 8 }, kWhite), 64 - lineCounts[style]);
    }
    // Orientation of the lines.
    UniqueGdiObject h(CreateHatchBrush(HS_HORIZONTAL, kRed)), f(CreateHatchBrush(HS_FDIAGONAL, kRed)),
        b(CreateHatchBrush(HS_BDIAGONAL, kRed));
    Canvas c(8, 8);
    SetBkMode(c.dc, TRANSPARENT);
    FillRect(c.dc, { 0, 0, 8, 8 }, h);
    EXPECT_EQ(c.Count({ 0, 7, 8, 8 }, kRed), 8);
    Canvas cf(8, 8), cb(8, 8);
    SetBkMode(cf.dc, TRANSPARENT);
    SetBkMode(cb.dc, TRANSPARENT);
    FillRect(cf.dc, { 0, 0, 8, 8 }, f);
    FillRect(cb.dc, { 0, 0, 8, 8 }, b);
    EXPECT_EQ(cf.At(0, 0), kRed);
    EXPECT_EQ(cf.At(7, 7), kRed);
    EXPECT_EQ(cb.At(7, 0), kRed);
    EXPECT_EQ(cb.At(0, 7), kRed);
}

TEST(GdiPaint, HatchIsAnchoredToTheDeviceOrigin)
{
    // Two fills that meet at a non-multiple of 8 must continue the same lines.
    UniqueGdiObject f(CreateHatchBrush(HS_FDIAGONAL, kRed));
    Canvas a(16, 8), b(16, 8);
    SetBkMode(a.dc, TRANSPARENT);
    SetBkMode(b.dc, TRANSPARENT);
    FillRect(a.dc, { 0, 0, 16, 8 }, f);
    FillRect(b.dc, { 0, 0, 5, 8 }, f);
    FillRect(b.dc, { 5, 0, 16, 8 }, f);
    EXPECT_EQ(a.Count({ 0, 0, 16, 8 }, kRed), b.Count({ 0, 0, 16, 8 }, kRed));
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(a.At(x, 3), b.At(x, 3));
}

TEST(GdiPaint, FocusRectXorsTwoColoursAndRestores)
{
    Canvas c(12, 8);
    const COLORREF blue = RGB(0, 0, 255);
    SetTextColor(c.dc, kRed);
    SetBkColor(c.dc, blue);
    DrawFocusRect(c.dc, { 1, 1, 11, 7 });
    EXPECT_EQ(c.At(1, 1), blue) << "the corner shows the background colour";
    EXPECT_EQ(c.At(2, 1), kRed);
    EXPECT_EQ(c.At(3, 1), blue);
    EXPECT_EQ(c.At(1, 2), kRed);
    EXPECT_EQ(c.At(5, 3), kBlack) << "the inside is untouched";
    EXPECT_EQ(c.Count({ 0, 0, 12, 8 }, kRed) + c.Count({ 0, 0, 12, 8 }, blue), 2 * 10 + 2 * 4);
    DrawFocusRect(c.dc, { 1, 1, 11, 7 });
    EXPECT_EQ(c.Count({ 0, 0, 12, 8 }, kBlack), 96);
    // A one-pixel-high rect must not XOR its pixels twice.
    DrawFocusRect(c.dc, { 0, 0, 6, 1 });
    EXPECT_EQ(c.Count({ 0, 0, 6, 1 }, kBlack), 0);
    // A frame whose corner lies far off the canvas keeps its dots' phase from that corner.
    DrawFocusRect(c.dc, { -2000000000, -1999999901, 12, 8 });
    EXPECT_EQ(c.At(11, 3), kRed);
    EXPECT_EQ(c.At(11, 4), blue);
}

TEST(GdiPaint, DrawingHonoursClipAndBaseClip)
{
    auto s = std::make_shared<Surface>(20, 20, 0);
    UniqueDC dc(CreateSurfaceDC(s, { 4, 4 }, { 4, 4, 12, 12 }));
    UniqueGdiObject red(CreateSolidBrush(kRed));
    FillRect(dc, { -10, -10, 100, 100 }, red);
    int n = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            n += s->Pixel(x, y) != 0;
    EXPECT_EQ(n, 64);
    EXPECT_EQ(s->Pixel(4, 4), ToPixel(kRed)) << "logical (0,0) is at the origin";
    EXPECT_EQ(s->Pixel(3, 4), 0u);

    Canvas c(10, 10);
    {
        DcStateSaver saver(c.dc);
        IntersectClipRect(c.dc, 2, 2, 4, 4);
        SetTextColor(c.dc, kRed);
        FillRect(c.dc, { 0, 0, 10, 10 }, red);
    }
    EXPECT_EQ(c.Count({ 0, 0, 10, 10 }, kRed), 4);
    EXPECT_EQ(GetTextColor(c.dc), kBlack) << "the saver restored the colour";
    FillRect(c.dc, { 0, 0, 10, 10 }, red);
    EXPECT_EQ(c.Count({ 0, 0, 10, 10 }, kRed), 100) << "and the clip";
}

TEST(GdiPaint, BitBltCopiesExactlyAndInverts)
{
    Canvas src(8, 8), dst(8, 8, kWhite);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            SetPixel(src.dc, x, y, RGB(x * 10, y * 10, 7));
    BitBlt(dst.dc, 2, 1, 3, 4, src.dc, 4, 2, SRCCOPY);
    EXPECT_EQ(dst.At(2, 1), RGB(40, 20, 7));
    EXPECT_EQ(dst.At(4, 4), RGB(60, 50, 7));
    EXPECT_EQ(dst.Count({ 0, 0, 8, 8 }, kWhite), 64 - 12);
    // Overlapping copy within one surface moves the block intact.
    BitBlt(src.dc, 1, 0, 7, 8, src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(src.At(1, 3), RGB(0, 30, 7));
    EXPECT_EQ(src.At(7, 3), RGB(60, 30, 7));
    BitBlt(dst.dc, 0, 0, 2, 1, 0, 0, 0, DSTINVERT);
    EXPECT_EQ(dst.At(0, 0), kBlack);
    UniqueGdiObject red(CreateSolidBrush(kRed));
    SelectObject(dst.dc, red);
    PatBlt(dst.dc, 0, 0, 1, 1, PATINVERT);
    PatBlt(dst.dc, 7, 7, 1, 1, PATINVERT);
    EXPECT_EQ(dst.At(0, 0), kRed);
    EXPECT_EQ(dst.At(7, 7), RGB(0, 255, 255));
}

TEST(GdiPaint, LinesExcludeTheLastPixel)
{
    Canvas c(10, 10);
    UniqueGdiObject pen(CreatePen(PS_SOLID, 1, kRed));
    SelectObject(c.dc, pen);
    MoveToEx(c.dc, 1, 2, nullptr);
    LineTo(c.dc, 6, 2);
    EXPECT_EQ(c.Count({ 0, 0, 10, 10 }, kRed), 5);
    EXPECT_EQ(c.At(6, 2), kBlack);
    LineTo(c.dc, 6, 6);  // continues from the current position
    EXPECT_EQ(c.At(6, 2), kRed);
    EXPECT_EQ(c.At(6, 6), kBlack);
    SelectObject(c.dc, GetSysColorBrush(COLOR_WINDOW));
}

TEST(GdiPaint, ViewportShiftsDrawingButNotTheClipRegion)
{
    auto s = std::make_shared<Surface>(20, 4, 0);
    UniqueDC dc(CreateSurfaceDC(s, { 2, 0 }, { 0, 0, 20, 4 }));
    UniqueGdiObject red(CreateSolidBrush(kRed));
    HRGN rgn = CreateRectRgn(0, 0, 6, 4);  // device units: target x 2..8
    SelectClipRgn(dc, rgn);
    DeleteObject(rgn);
    SetViewportOrg(dc, { -10, 0 });
    FillRect(dc, { 10, 0, 30, 1 }, red);  // logical 10 is device 0
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(s->Pixel(x, 0) != 0, x >= 2 && x < 8) << x;
    EXPECT_EQ(GetPixel(dc, 10, 0), kRed);
}

// Glyph pixels blend their colour over what is there as (s * a + d * (255 - a) + 127) / 255 per
// channel; blank pixels and pixels outside the clip are left alone, solid ones take the colour.
TEST(GdiPaint, GlyphsBlendEveryCoverageExactlyWithinTheClip)
{
    std::mt19937 rng(5);
    // Enough blended pixels that a rounding off by one in any channel shows.
    detail::GlyphBitmap g { .left = 1, .top = 5, .width = 13, .height = 200 };
    for (int i = 0; i < g.width * g.height; ++i) {
        // Blank and solid runs of four occur too: a row starts with one of each.
        const uint32_t kind = i % 13 < 8 ? i % 13 / 4 : 2 + rng() % 3;
        g.coverage.push_back(static_cast<uint8_t>(kind == 0 ? 0 : kind == 1 ? 255 : rng() % 256));
    }
    Surface s(16, 208);
    for (int32_t y = 0; y < s.Height(); ++y)
        for (int32_t x = 0; x < 16; ++x)
            s.SetPixel(x, y, rng());
    const Surface before = s;
    const uint32_t color = 0x12C07F01;
    const Rect clip { 2, 1, 15, 207 };
    detail::BlitGlyph(s, g, 0, 5, clip, color);
    for (int32_t y = 0; y < s.Height(); ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            const uint32_t d = before.Pixel(x, y);
            const int32_t gx = x - 1;
            const bool inside = x >= clip.left && x < clip.right && y >= clip.top && gx < g.width && y < g.height;
            const uint32_t a = inside ? g.coverage[static_cast<size_t>(y * g.width + gx)] : 0;
            uint32_t expected = a == 0 ? d : a == 255 ? color : 0;
            for (int shift = 0; a != 0 && a != 255 && shift < 24; shift += 8) {
                const uint32_t sc = color >> shift & 0xFF, dc = d >> shift & 0xFF;
                expected |= (sc * a + dc * (255 - a) + 127) / 255 << shift;
            }
            ASSERT_EQ(s.Pixel(x, y), expected) << x << ", " << y;
        }
    }
}
