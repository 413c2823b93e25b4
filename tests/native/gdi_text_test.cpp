#include <gtest/gtest.h>

#include "tavix/native/text.h"

using namespace tavix::native;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white 300x100 memory DC with black text and the UI font.
struct TextCanvas {
    UniqueDC dc { CreateCompatibleDC(0) };
    UniqueGdiObject bm { CreateCompatibleBitmap(0, 300, 100) };
    HGDIOBJ old = SelectObject(dc, bm);
    TextCanvas()
    {
        UniqueGdiObject b(CreateSolidBrush(kWhite));
        FillRect(dc, { 0, 0, 300, 100 }, b);
        SetBkMode(dc, TRANSPARENT);
    }
    ~TextCanvas() { SelectObject(dc, old); }
    // Bounding box of non-white pixels.
    Rect Ink() const
    {
        Rect r { 300, 100, 0, 0 };
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 300; ++x)
                if (GetPixel(dc, x, y) != kWhite)
                    r = { std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                        std::max(r.bottom, y + 1) };
        return r;
    }
    int Width(std::string_view s)
    {
        Size sz;
        GetTextExtentPoint32(dc, s, &sz);
        return sz.cx;
    }
};

int LineHeight(HDC dc)
{
    TEXTMETRIC tm;
    GetTextMetrics(dc, &tm);
    return tm.tmHeight;
}

}  // namespace

TEST(GdiText, MetricsAndMissingFontFallsBack)
{
    UniqueGdiObject f(CreateFontFromSpec({ .name = "MS Sans Serif", .points = 8.25 }));
    EXPECT_EQ(GetFontFamily(f), "DejaVu Sans");
    TextCanvas c;
    SelectObject(c.dc, f);
    TEXTMETRIC tm;
    ASSERT_TRUE(GetTextMetrics(c.dc, &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GE(tm.tmHeight, 11);  // 11 px em at 96 dpi
    EXPECT_LE(tm.tmHeight, 16);
    UniqueGdiObject big(CreateFontFromSpec({ .points = 16 }));
    SelectObject(c.dc, big);
    TEXTMETRIC tm2;
    GetTextMetrics(c.dc, &tm2);
    EXPECT_GT(tm2.tmHeight, tm.tmHeight * 3 / 2);
    SelectObject(c.dc, GetStockUiFont());
}

TEST(GdiText, CalcRectMatchesDrawnInk)
{
    TextCanvas c;
    Rect calc { 10, 10, 10, 10 };
    const int h = DrawText(c.dc, "Hello, grid", calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(h, LineHeight(c.dc));
    EXPECT_EQ(calc.Width(), c.Width("Hello, grid"));
    EXPECT_EQ(c.Ink(), (Rect { 300, 100, 0, 0 })) << "measuring draws nothing";
    Rect rc { 10, 10, 200, 40 };
    DrawText(c.dc, "Hello, grid", rc, DT_SINGLELINE);
    Rect ink = c.Ink();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, calc.right + 1);
    EXPECT_GE(ink.right, calc.right - 3);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + h);
}

TEST(GdiText, WordBreakWrapsAtSpacesAndSplitsLongWords)
{
    TextCanvas c;
    const int wide = c.Width("alpha beta") + 2;
    Rect rc { 0, 0, wide, 0 };
    int h = DrawText(c.dc, "alpha beta gamma", rc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h, 2 * LineHeight(c.dc));
    EXPECT_EQ(rc.Width(), c.Width("alpha beta"));
    Rect narrow { 0, 0, c.Width("abc"), 0 };
    h = DrawText(c.dc, "abcdefghi", narrow, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h, 3 * LineHeight(c.dc));
    EXPECT_LE(narrow.Width(), c.Width("abc"));
    Rect lines { 0, 0, 300, 0 };
    EXPECT_EQ(DrawText(c.dc, "a\r\nb\nc\rd", lines, DT_CALCRECT), 4 * LineHeight(c.dc));
    EXPECT_EQ(DrawText(c.dc, "a\r\nb", lines, DT_CALCRECT | DT_SINGLELINE), LineHeight(c.dc));
}

TEST(GdiText, EllipsesStayInsideTheRect)
{
    TextCanvas c;
    const int width = c.Width("C:\\very\\long");
    std::string end = "The quick brown fox jumps";
    Rect rc { 0, 0, width, 20 };
    DrawText(c.dc, end, rc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_TRUE(end.ends_with("...")) << end;
    EXPECT_TRUE(std::string("The quick brown fox jumps").starts_with(end.substr(0, end.size() - 3)));
    EXPECT_LE(c.Width(end), width);
    EXPECT_LE(c.Ink().right, width);

    std::string path = "C:\\folder\\subfolder\\file.txt";
    Rect pr { 0, 0, c.Width("C:\\f...\\file.txt") + 1, 20 };
    DrawText(c.dc, path, pr, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
    EXPECT_TRUE(path.ends_with("...\\file.txt")) << path;
    EXPECT_TRUE(path.starts_with("C:")) << path;
    EXPECT_LE(pr.Width(), c.Width("C:\\f...\\file.txt") + 1);

    std::string words = "alpha beta gamma";
    Rect wr { 0, 0, c.Width("alpha beta ga"), 20 };
    DrawText(c.dc, words, wr, DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
    EXPECT_EQ(words, "alpha beta...") << "cut at a word boundary";

    std::string fits = "short";
    Rect fr { 0, 0, 300, 20 };
    DrawText(c.dc, fits, fr, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(fits, "short") << "text that fits is not touched";
}

TEST(GdiText, PrefixProcessing)
{
    TextCanvas c;
    Rect a { 0, 0, 300, 20 }, b { 0, 0, 300, 20 }, lit { 0, 0, 300, 20 };
    DrawText(c.dc, "&File", a, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(a.Width(), c.Width("File"));
    DrawText(c.dc, "&File", b, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(b.Width(), c.Width("&File"));
    DrawText(c.dc, "A&&B", lit, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(lit.Width(), c.Width("A&B"));
    // The underline adds ink below the baseline, under the first letter only.
    TEXTMETRIC tm;
    GetTextMetrics(c.dc, &tm);
    Rect rc { 0, 0, 300, 40 };
    DrawText(c.dc, "&nn", rc, DT_SINGLELINE);
    const int underlineRow = c.Ink().bottom - 1;
    EXPECT_GT(underlineRow, tm.tmAscent - 1);
    EXPECT_NE(GetPixel(c.dc, 2, underlineRow), kWhite);
    EXPECT_EQ(GetPixel(c.dc, c.Width("n") + 3, underlineRow), kWhite);
}

TEST(GdiText, TabsExpandToStops)
{
    TextCanvas c;
    TEXTMETRIC tm;
    GetTextMetrics(c.dc, &tm);
    Rect rc { 0, 0, 300, 20 };
    DrawText(c.dc, "a\tb", rc, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(rc.Width(), 8 * tm.tmAveCharWidth + c.Width("b"));
    // DT_TABSTOP takes the high byte as the tab size, so it can only draw.
    TextCanvas two;
    Rect rc2 { 0, 0, 300, 20 };
    DrawText(two.dc, "a\tb", rc2, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (2u << 8));
    EXPECT_NEAR(two.Ink().right, 2 * tm.tmAveCharWidth + c.Width("b"), 2);
    EXPECT_GT(two.Ink().right, c.Width("ab") + 1);
}

TEST(GdiText, AlignmentAndClipping)
{
    TextCanvas left, center, right;
    const int w = left.Width("Mid");
    Rect rc { 20, 20, 220, 60 };
    DrawText(left.dc, "Mid", rc, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
    DrawText(center.dc, "Mid", rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    DrawText(right.dc, "Mid", rc, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_NEAR(left.Ink().left, 20, 2);
    EXPECT_NEAR(center.Ink().left, 20 + (200 - w) / 2, 2);
    EXPECT_NEAR(right.Ink().right, 220, 2);
    EXPECT_GT(right.Ink().top, center.Ink().top);
    const int mid = (center.Ink().top + center.Ink().bottom) / 2;
    EXPECT_NEAR(mid, 40, 3);

    TextCanvas clipped;
    Rect small { 0, 0, 10, 20 };
    DrawText(clipped.dc, "Wide text", small, DT_SINGLELINE);
    EXPECT_LE(clipped.Ink().right, 10);
    TextCanvas free;
    DrawText(free.dc, "Wide text", small, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(free.Ink().right, 10);
}

TEST(GdiText, OpaqueModeFillsTheTextBox)
{
    TextCanvas c;
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 255));
    Rect rc { 0, 0, 300, 40 };
    DrawText(c.dc, "ab", rc, DT_SINGLELINE);
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(c.dc, c.Width("ab") - 1, LineHeight(c.dc) - 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(c.dc, c.Width("ab") + 1, 0), kWhite);
}
