#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tavix/native/text.h"

using namespace tavix::native;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white memory DC (300x100 unless sized) with black text and the UI font.
struct TextCanvas {
    int w, h;
    UniqueDC dc { CreateCompatibleDC(0) };
    UniqueGdiObject bm;
    HGDIOBJ old;
    explicit TextCanvas(int width = 300, int height = 100)
        : w(width)
        , h(height)
        , bm(CreateCompatibleBitmap(0, width, height))
        , old(SelectObject(dc, bm))
    {
        UniqueGdiObject b(CreateSolidBrush(kWhite));
        FillRect(dc, { 0, 0, w, h }, b);
        SetBkMode(dc, TRANSPARENT);
    }
    ~TextCanvas() { SelectObject(dc, old); }
    // Bounding box of non-white pixels.
    Rect Ink() const
    {
        Rect r { w, h, 0, 0 };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
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
    void Draw(std::string_view s, UINT flags, Rect rc = { 0, 0, 300, 20 }) { DrawText(dc, s, rc, flags); }
    bool SamePixels(const TextCanvas& o) const
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (GetPixel(dc, x, y) != GetPixel(o.dc, x, y))
                    return false;
        return true;
    }
};

// Whether two texts draw the same pixels.
bool DrawSame(std::string_view a, std::string_view b, UINT flags = DT_SINGLELINE)
{
    TextCanvas ca, cb;
    ca.Draw(a, flags);
    cb.Draw(b, flags);
    return ca.SamePixels(cb) && ca.Ink().right > 0;
}

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
    Rect oneLine { 0, 0, 300, LineHeight(c.dc) };
    EXPECT_EQ(DrawText(c.dc, "a\r\nb\nc\rd", oneLine, 0), 4 * LineHeight(c.dc)) << "lines below the clip count";

    // The lines the first, quadratic layout broke this text into at these widths.
    const std::string text = "The quick brown fox jumps over the lazy dog  and Supercalifragilisticexpialidocious";
    const std::pair<int, std::vector<std::string_view>> cases[] = {
        { 30,
            { "The", "quick", "brow", "n fox", "jump", "s", "over", "the", "lazy", "dog", "and", "Supe", "rcalif",
                "ragili", "stice", "xpiali", "docio", "us" } },
        { 120, { "The quick brown fox", "jumps over the lazy", "dog  and", "Supercalifragilisticex", "pialidocious" } },
    };
    for (const auto& [width, expected] : cases) {
        TextCanvas wrapped(200, 260), separate(200, 260);
        const int lh = LineHeight(wrapped.dc);
        wrapped.Draw(text, DT_WORDBREAK | DT_NOCLIP, { 0, 0, width, 260 });
        for (int i = 0; i < static_cast<int>(expected.size()); ++i)
            separate.Draw(expected[i], DT_SINGLELINE | DT_NOCLIP, { 0, i * lh, 200, (i + 1) * lh });
        EXPECT_TRUE(wrapped.SamePixels(separate)) << width;
    }
}

// The cuts of the first, quadratic layout: ellipses are now found on cached
// advances and must fall where they did.
TEST(GdiText, EllipsesCutWhereTheyAlwaysDid)
{
    TextCanvas c;
    const std::string fox = "The quick brown fox jumps over the lazy dog";
    std::string longFox;
    for (int i = 0; i < 100; ++i)
        longFox += fox + " ";
    const std::string path = "C:\\Program Files\\Tavix\\data\\customers.csv";
    const int endWidth = c.Width("The quick b..."), wordWidth = c.Width("The quick brown fox...");
    const struct {
        std::string_view text;
        int width;
        UINT flag;
        std::string_view expected;
    } cases[] = {
        { fox, endWidth, DT_END_ELLIPSIS, "The quick b..." },
        { fox, endWidth - 1, DT_END_ELLIPSIS, "The quick ..." },
        { longFox, endWidth, DT_END_ELLIPSIS, "The quick b..." },
        { fox, wordWidth + 5, DT_WORD_ELLIPSIS, "The quick brown fox..." },
        { fox, wordWidth - 1, DT_WORD_ELLIPSIS, "The quick brown..." },
        { longFox, wordWidth + 5, DT_WORD_ELLIPSIS, "The quick brown fox..." },
        { path, c.Width("C:\\Pro...\\customers.csv"), DT_PATH_ELLIPSIS, "C:\\Pro...\\customers.csv" },
        { path, 20, DT_PATH_ELLIPSIS, "...\\customers.csv" },
        { "short", 300, DT_END_ELLIPSIS, "short" },
        // Kerning across the cut, and a cut into a ligature ("ffi").
        { "Ty fox", c.Width("Ty..."), DT_END_ELLIPSIS, "Ty..." },
        { "Office", c.Width("Of..."), DT_END_ELLIPSIS, "Of..." },
    };
    for (const auto& k : cases) {
        std::string text(k.text);
        Rect rc { 0, 0, k.width, 20 };
        DrawText(c.dc, text, rc, DT_SINGLELINE | DT_MODIFYSTRING | DT_CALCRECT | k.flag);
        EXPECT_EQ(text, k.expected) << k.width;
        // Drawn, the cut text looks as the shortened text does.
        TextCanvas cut, plain;
        cut.Draw(k.text, DT_SINGLELINE | DT_NOCLIP | k.flag, { 0, 0, k.width, 20 });
        plain.Draw(k.expected, DT_SINGLELINE | DT_NOCLIP);
        EXPECT_TRUE(cut.SamePixels(plain)) << k.expected;
    }
    Rect rc { 0, 0, endWidth, 20 };
    DrawText(c.dc, longFox, rc, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(c.Ink().right, endWidth);

    // A long text is shaped in pieces; what shows is what its start alone shows.
    TextCanvas whole(2000, 20), start(2000, 20);
    whole.Draw(longFox, DT_SINGLELINE, { 0, 0, 2000, 20 });
    start.Draw(std::string_view(longFox).substr(0, 400), DT_SINGLELINE, { 0, 0, 2000, 20 });
    EXPECT_TRUE(whole.SamePixels(start));
    std::string unbroken;  // no word start to cut at; pieces end between characters
    for (int i = 0; i < 200; ++i)
        unbroken += "Gr\u00F6\u00DFe\u20AC";
    TextCanvas wholeWord(2000, 20), startWord(2000, 20);
    wholeWord.Draw(unbroken, DT_SINGLELINE, { 0, 0, 2000, 20 });
    startWord.Draw(std::string_view(unbroken).substr(0, 1000), DT_SINGLELINE, { 0, 0, 2000, 20 });
    EXPECT_TRUE(wholeWord.SamePixels(startWord));
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
    // A wrapped line counts its tab stops from its own start.
    TextCanvas wrapped, separate;
    wrapped.Draw("a\tb c\td", DT_WORDBREAK | DT_EXPANDTABS, { 0, 0, 8 * tm.tmAveCharWidth + c.Width("b c"), 40 });
    separate.Draw("a\tb", DT_SINGLELINE | DT_EXPANDTABS);
    separate.Draw("c\td", DT_SINGLELINE | DT_EXPANDTABS, { 0, tm.tmHeight, 300, 40 });
    EXPECT_TRUE(wrapped.SamePixels(separate));
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

TEST(GdiText, ControlsAndBadBytesAreSafe)
{
    // Controls, NULs and unexpanded tabs draw nothing and take no room.
    EXPECT_TRUE(DrawSame(std::string_view("a\0b", 3), "ab"));
    EXPECT_TRUE(DrawSame("a\x01\x7f\tb", "ab"));
    EXPECT_TRUE(DrawSame("a\r\nb", "ab"));
    // A byte that starts no valid sequence is one replacement character.
    EXPECT_TRUE(DrawSame("a\xff\xfe"
                         "b",
        "a\uFFFD\uFFFD"
        "b"));
    EXPECT_TRUE(DrawSame("a\xe2\x82", "a\uFFFD\uFFFD"));
}

// DejaVu Sans has no CJK and no colour emoji; setup.sh installs fonts that do.
TEST(GdiText, MissingGlyphsComeFromFallbackFaces)
{
    TextCanvas box, cjk, emoji;
    box.Draw("\uFDD0", DT_SINGLELINE);  // a noncharacter: every font's missing-glyph box
    cjk.Draw("\u6771", DT_SINGLELINE);
    EXPECT_FALSE(cjk.SamePixels(box));
    EXPECT_GT(cjk.Ink().Width(), box.Ink().Width());
    // Emoji are drawn in colour, also those the font has in black and white.
    emoji.Draw("\U0001F389 \U0001F600", DT_SINGLELINE);
    int colored = 0;
    for (int x = 0; x < emoji.Ink().right; ++x) {
        const COLORREF p = GetPixel(emoji.dc, x, 6);
        colored += GetRValue(p) != GetGValue(p) || GetGValue(p) != GetBValue(p);
    }
    EXPECT_GT(colored, 8);
}

TEST(GdiText, RightToLeftTextIsReordered)
{
    // The first Hebrew letter is drawn rightmost, as a left-to-right override
    // of the reversed letters draws it.
    EXPECT_TRUE(DrawSame("\u05D0\u05D1", "\u202D\u05D1\u05D0\u202C"));
    // A right-to-left paragraph puts the final "!" on the left.
    EXPECT_TRUE(DrawSame("\u05D0\u05D1!", "\u202D!\u05D1\u05D0\u202C", DT_SINGLELINE | DT_RTLREADING));
    // Arabic letters join: the joined forms are narrower than isolated ones.
    TextCanvas c;
    EXPECT_LT(c.Width("\u0628\u0628"), 2 * c.Width("\u0628"));
}

TEST(GdiText, TextShapedBeforeDrawsAsWhenFirstShaped)
{
    // Texts no other test draws: the first draw shapes them, the second reuses that.
    EXPECT_TRUE(DrawSame("AVAWAY 7,125.40", "AVAWAY 7,125.40"));
    EXPECT_TRUE(DrawSame("\u05D2\u05D3\u05D4 AV", "\u05D2\u05D3\u05D4 AV", DT_SINGLELINE | DT_RTLREADING));
}

// The grid's default font, DejaVu Sans 9 pt, in its default 15-pixel row:
// the row's last pixel row is its grid line, the text box is the 14 above.
TEST(GdiText, GridFontFitsTheDefaultRow)
{
    constexpr int kTextBox = 15 - 1;
    UniqueGdiObject font(CreateFontFromSpec({ .points = 9 }));
    TextCanvas c(200, 60);
    SelectObject(c.dc, font);
    EXPECT_LE(LineHeight(c.dc), kTextBox);
    const Rect box { 0, 20, 200, 20 + kTextBox };
    c.Draw("gjpqy \u00C1\u00C9", DT_SINGLELINE | DT_VCENTER | DT_NOCLIP, box);
    // Descenders end on the box's last row; above it only the faint top edge
    // of the capital accents (under half coverage) reaches out.
    EXPECT_EQ(c.Ink().bottom, box.bottom);
    for (int y = 0; y < box.top; ++y)
        for (int x = 0; x < c.w; ++x)
            EXPECT_GT(GetRValue(GetPixel(c.dc, x, y)), 127) << x << "," << y;
    SelectObject(c.dc, GetStockUiFont());
}
