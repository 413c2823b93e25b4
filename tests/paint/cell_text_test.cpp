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

TEST(DrawCellText, AmpersandIsLiteralUnlessPrefixProcessingIsAskedAndEmptyTextIsSkipped)
{
    Canvas c(200, 30);
    Rect rc { 0, 0, 200, 30 };
    EXPECT_EQ(DrawCellText(c.dc, "", rc, DT_SINGLELINE), 0);
    DrawCellText(c.dc, "A&B", rc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(rc.Width(), Width(c.dc, "A&B"));

    rc = { 0, 0, 200, 30 };
    DrawCellText(c.dc, "A&B", rc, DT_CALCRECT | DT_SINGLELINE | kTextProcessPrefix);
    EXPECT_EQ(rc.Width(), Width(c.dc, "AB"));
}

TEST(DrawCellText, PathEllipsisKeepsLastComponentWholeAndFallsBackForShortTexts)
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

    // A text that fits is drawn whole; without a backslash, forward slashes split.
    rc = { 0, 0, 400, 20 };
    DrawCellText(c.dc, "a/b.txt", rc, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(rc.Width(), Width(c.dc, "a/b.txt"));

    const int fileTail = Width(c.dc, "/file.txt");
    rc = { 0, 0, fileTail + 20, 20 };
    DrawCellText(c.dc, "/usr/local/share/something/file.txt", rc, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(rc.Width(), fileTail + 20);
    EXPECT_GT(rc.Width(), fileTail);
}

// Word-broken text is widened until it fits the row, unless line breaks of any kind split it.
TEST(MeasureTextWidth, WordBreakTextWithLineBreaksIsMeasuredAsItsLines)
{
    Tavix g;
    g.AddCol(AddColArgs { .lWidth = 40 });
    g.SetRowCount(1);
    g.SetCellTextFlags(1, 1, tvTextWordBreak);
    g.SetCellValue(1, 1, "one two\r\nthree four");
    const int32_t lines = g.EvaluateTextWidth(1, 1);
    for (const char* text : { "one two\nthree four", "one two\rthree four" }) {
        g.SetCellValue(1, 1, text);
        EXPECT_EQ(g.EvaluateTextWidth(1, 1), lines) << text;
    }
}
