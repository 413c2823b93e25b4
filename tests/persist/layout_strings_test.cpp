#include <tavix/grid.h>

#include "core/grid_test_util.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

using test::ErrorOf;
using test::Fill;

TEST(LayoutCol, DescribesWidthOrderAndVisibilityByColumnIndex)
{
    Tavix g;
    g.AddCol("a", "", kDefaultTextFlags, -1, 64);
    g.AddCol("b", "", kDefaultTextFlags, -1, 80);
    g.SetColOrder(2, 1);
    g.SetColVisible(2, false);
    EXPECT_EQ(g.LayoutCol(), "1|Width|64|1|Order|2|1|Visible|1|2|Width|80|2|Order|1|2|Visible|0|");
}

TEST(LayoutCol, RestoresALayoutWithTheColumnsTravellingWhole)
{
    Tavix saved;
    Fill(saved, 4, 2);
    saved.SetColOrder(3, 1);
    saved.SetColVisible(1, false);
    saved.SetColWidth(4, 99);
    const std::string layout = saved.LayoutCol();

    Tavix g;
    Fill(g, 4, 2);
    g.SetColTag(3, GridVariant("third"));
    g.SetCellValue(1, 3, GridVariant("x"));
    g.SetLayoutCol(layout);
    EXPECT_EQ(g.LayoutCol(), layout);
    EXPECT_EQ(g.ColOrder("c3"), 1);
    EXPECT_EQ(g.ColKey(3), "c3");
    EXPECT_EQ(g.ColTag(3).ToString(), "third");
    EXPECT_EQ(g.CellValue(1, 3).ToString(), "x");
    EXPECT_FALSE(g.ColVisible(1));
    EXPECT_EQ(g.ColWidth(4), 99);

    g.SetLayoutCol("");
    EXPECT_EQ(g.LayoutCol(), layout);
}

TEST(LayoutCol, SkipsColumnsTheGridLacksAndKeepsThoseNotNamed)
{
    Tavix g;
    Fill(g, 3, 0);
    // Saved from five columns shown 5, 1, 2, 3, 4; column 3 is not named at all.
    g.SetLayoutCol("5|Width|10|5|Order|1|5|Visible|1|1|Width|11|1|Order|2|1|Visible|1|"
                   "2|Width|12|2|Order|3|2|Visible|0|");
    EXPECT_EQ(g.LayoutCol(),
        "1|Width|11|1|Order|1|1|Visible|1|2|Width|12|2|Order|2|2|Visible|0|"
        "3|Width|64|3|Order|3|3|Visible|1|");
}

TEST(LayoutCol, MalformedStringRaisesAndChangesNothing)
{
    Tavix g;
    Fill(g, 2, 1);
    g.SetColWidth(2, 70);
    const std::string before = g.LayoutCol();
    const std::string col2 = "2|Width|5|2|Order|2|2|Visible|1|";
    struct Case {
        std::string text;
        int32_t error;
    };
    const Case cases[] = {
        { "1|Width|x|1|Order|1|1|Visible|1|" + col2, rtTypeMismatch },
        { "1|Width|5|1|Order|3|1|Visible|1|" + col2, rtSubscript },
        { "1|Width|5|1|Order|0|1|Visible|1|" + col2, rtSubscript },
        { "0|Width|5|0|Order|1|0|Visible|1|" + col2, rtSubscript },
        { "1|Width|5|1|Order|1|1|Visible|1|2|Width|5|2|Order|2|2|Visible|1", rtInvalidCall },
        { "1|Width|5|1|Order|1|1|Visible|1|2|Width|5|", rtInvalidCall },
        { "1|Width|5|1|Order|2|1|Visible|1|2|Width|5|2|Order|2|2|Visible|1|", rtInvalidCall },
        { "2|Width|5|2|Order|2|2|Visible|1|", rtInvalidCall },  // position 1 left empty
        { "1|Width|-5|1|Order|1|1|Visible|1|" + col2, rtInvalidCall },
        { "1|Width|99999999999|1|Order|1|1|Visible|1|" + col2, rtTypeMismatch },
        { "1|Width|2000000000|1|Order|1|1|Visible|1|2|Width|2000000000|2|Order|2|2|Visible|1|", rtOverflow },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorOf([&] { g.SetLayoutCol(c.text); }), c.error) << c.text;
        EXPECT_EQ(g.LayoutCol(), before) << c.text;
    }
    // A name the grid does not know is ignored, the rest applies.
    g.SetLayoutCol("1|Width|5|1|Colour|7|1|Order|2|2|Width|6|2|Order|1|2|Visible|1|");
    EXPECT_EQ(g.ColOrder(1), 2);
    EXPECT_EQ(g.ColWidth(1), 5);
}

TEST(LayoutSort, DescribesAndRestoresTheSortAndSortsAtOnce)
{
    Tavix g;
    Fill(g, 3, 3);
    const char* values[][3] = { { "b", "", "1" }, { "a", "", "2" }, { "c", "", "1" } };
    for (int32_t r = 1; r <= 3; ++r)
        for (int32_t c = 1; c <= 3; ++c)
            g.SetCellValue(r, c, GridVariant(values[r - 1][c - 1]));
    EXPECT_EQ(g.LayoutSort(), "");

    g.SetLayoutSort("1|SortKey|2|1|SortOrder|0|3|SortKey|1|3|SortOrder|1|");
    EXPECT_EQ(g.LayoutSort(), "1|SortKey|2|1|SortOrder|0|3|SortKey|1|3|SortOrder|1|");
    EXPECT_EQ(g.RowKey(1), "r2");
    EXPECT_EQ(g.RowKey(2), "r1");
    EXPECT_EQ(g.RowKey(3), "r3");
    EXPECT_EQ(g.SortObject().ColCount(), 2);

    // Display order decides the order of the items.
    g.SetColOrder(3, 1);
    EXPECT_EQ(g.LayoutSort(), "3|SortKey|1|3|SortOrder|1|1|SortKey|2|1|SortOrder|0|");
}

TEST(LayoutSort, ContinuesPastBadItemsAndStopsAtAMissingEnd)
{
    Tavix g;
    Fill(g, 2, 2);
    g.SetCellValue(1, 2, GridVariant("a"));
    g.SetCellValue(2, 2, GridVariant("b"));
    // Column 9 is unknown, "x" keeps the previous triple's value (1, descending), the
    // unterminated triple is dropped.
    g.SetLayoutSort("9|SortKey|1|2|SortKey|1|2|SortOrder|x|2|Colour|3|1|SortKey|2");
    EXPECT_EQ(g.LayoutSort(), "2|SortKey|1|2|SortOrder|1|");
    EXPECT_EQ(g.RowKey(1), "r2");

    // Without a key the columns end unsorted and the criteria stay as they were.
    g.SetLayoutSort("1|SortOrder|1|");
    EXPECT_EQ(g.LayoutSort(), "");
    EXPECT_EQ(g.SortObject().ColCount(), 1);
}

}  // namespace
}  // namespace tavix
