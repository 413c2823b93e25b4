#include <gtest/gtest.h>

#include "canvas.h"
#include "paint/cell_text.h"

using namespace tavix;
using namespace tavix::native;
using test::Canvas;

namespace {

int Width(HDC dc, std::string_view s)
{
    Size sz;
    GetTextExtentPoint32(dc, s, &sz);
    return sz.cx;
}

}  // namespace

TEST(DrawCellText, AmpersandIsLiteralUnlessPrefixProcessingIsAsked)
{
    Canvas c(200, 30);
    Rect rc { 0, 0, 200, 30 };
    DrawCellText(c.dc, "A&B", rc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(rc.Width(), Width(c.dc, "A&B"));

    rc = { 0, 0, 200, 30 };
    DrawCellText(c.dc, "A&B", rc, DT_CALCRECT | DT_SINGLELINE | kTextProcessPrefix);
    EXPECT_EQ(rc.Width(), Width(c.dc, "AB"));

    // Drawn with prefixes the B is underlined: ink reaches below the plain text.
    Rect plain { 0, 0, 200, 30 }, prefixed { 0, 0, 200, 30 };
    DrawCellText(c.dc, "AB", plain, DT_SINGLELINE);
    const Rect plainInk = c.Ink();
    c.Clear();
    DrawCellText(c.dc, "A&B", prefixed, DT_SINGLELINE | kTextProcessPrefix);
    EXPECT_GT(c.Ink().bottom, plainInk.bottom);
}

TEST(DrawCellText, PathEllipsisKeepsLastComponentWhole)
{
    Canvas c(400, 20);
    const std::string_view path = "C:\\Program Files\\Some Vendor\\Application\\report.txt";
    const int tail = Width(c.dc, "\\report.txt");
    const int full = Width(c.dc, path);
    Rect rc { 0, 0, tail + 30, 20 };
    ASSERT_LT(rc.Width(), full);

    Rect measured = rc;
    DrawCellText(c.dc, path, measured, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(measured.Width(), rc.Width());
    EXPECT_GT(measured.Width(), tail);

    DrawCellText(c.dc, path, rc, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    const Rect ink = c.Ink();
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_LE(ink.right, rc.right);
    // The file name sits at the right end of the drawn text, unshortened.
    EXPECT_GE(ink.right, measured.right - 2);
}

TEST(DrawCellText, PathEllipsisFallsBackForShortTextsAndPlainWords)
{
    Canvas c(400, 20);
    Rect rc { 0, 0, 400, 20 };
    DrawCellText(c.dc, "a/b.txt", rc, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(rc.Width(), Width(c.dc, "a/b.txt"));

    // Forward slashes split when there is no backslash.
    const int tail = Width(c.dc, "/file.txt");
    rc = { 0, 0, tail + 20, 20 };
    DrawCellText(c.dc, "/usr/local/share/something/file.txt", rc, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(rc.Width(), tail + 20);
    EXPECT_GT(rc.Width(), tail);
}

TEST(DrawCellText, CalcRectMeasuresWithoutDrawingAndEmptyTextIsSkipped)
{
    Canvas c(100, 200);
    Rect empty { 0, 0, 50, 20 };
    EXPECT_EQ(DrawCellText(c.dc, "", empty, DT_SINGLELINE), 0);
    Rect one { 0, 0, 1000, 0 };
    const int lineHeight = DrawCellText(c.dc, "word", one, DT_CALCRECT);
    Rect rc { 0, 0, Width(c.dc, "word word") - 1, 0 };
    const int h = DrawCellText(c.dc, "word word word", rc, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(h, 2 * lineHeight);
    EXPECT_EQ(rc.Height(), h);
    EXPECT_TRUE(c.Ink().IsEmpty());
}
