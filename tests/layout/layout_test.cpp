// Where columns and rows lie in a grid's window: the range in view, hit
// testing, cell boundaries, scrolling into view and the scroll bars' ranges.
// The default scene's 3D border leaves a 296 x 196 cell area; bars are 17 thick.
#include "support/errors.h"
#include "support/grid_window.h"

#include <gtest/gtest.h>

#include <random>

namespace tavix::testing {
namespace {

using Hit = std::pair<int32_t, int32_t>;

using Range = WindowScene::Range;

TEST(LayoutRange, TheFirstRowBelowTheViewEndsTheRangeAndTouchingEdgesStartIt)
{
    // 200 x 150 pixels of cells in a borderless 120 x 45 window: both bars, a 103 x 28 view.
    WindowScene s({ .cols = 4, .rows = 10, .colWidth = 50, .width = 120, .height = 45, .border = tvBorderNone });
    ASSERT_EQ(s.Layout().ViewWidth(), 103);
    ASSERT_EQ(s.Layout().ViewHeight(), 28);
    EXPECT_EQ(s.StartEnd(), (Range { 1, 1, 0, 0, 3, 3, 150, 45 }));  // row 3's top 30 > 28 is still taken
    // A column whose right edge equals ScrollX starts the range; a row whose bottom does not.
    s.grid.HScrollBar().SetValue(50);
    s.grid.VScrollBar().SetValue(15);
    EXPECT_EQ(s.StartEnd(), (Range { 2, 1, -50, 0, 4, 4, 150, 45 }));
}

TEST(LayoutRange, ScrollingUpScansBackFromTheLastRowInView)
{
    WindowScene s({ .rows = 40 });  // 585 pixels of rows in a 196-pixel view
    s.grid.SetRowVisible(39, false);
    auto& bar = s.grid.VScrollBar();
    bar.SetValue(1000);  // the last page: the range is taken from the last row back
    EXPECT_EQ(s.StartEnd(), (Range { 27, 1, 0, -5, 40, 3, 240, 190 }));
    bar.SetValue(200);  // ends at the last row whose top is in view
    EXPECT_EQ(s.StartEnd(), (Range { 14, 1, 0, -5, 27, 3, 240, 205 }));
    bar.SetValue(300);  // ends at the first row below the view
    EXPECT_EQ(s.StartEnd(), (Range { 21, 1, 0, 0, 35, 3, 240, 225 }));
}

// The scan that skips the rows above the view must agree with a plain scan
// from the first row, whatever the heights, hidden rows and scroll offset.
TEST(LayoutRange, SkippingRowsAboveTheViewMatchesAPlainScan)
{
    WindowScene s({ .cols = 1, .rows = 0 });
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        s.grid.SetRedraw(false);  // one layout per round, not one per row
        s.grid.Clear();
        const int rows = 1 + static_cast<int>(rng() % 300);
        for (int r = 0; r < rows; ++r)
            s.grid.AddRow(AddRowArgs {
                .bVisible = rng() % 5 != 0, .lHeight = static_cast<int32_t>(rng() % 4 == 0 ? 0 : 1 + rng() % 40) });
        s.grid.SetRedraw(true);
        auto& l = s.Layout();
        const int32_t lastBeforeBackwardScan = l.ContentHeight() - l.ViewHeight() + 4;
        if (lastBeforeBackwardScan > 0)
            s.grid.VScrollBar().SetValue(static_cast<int32_t>(rng() % lastBeforeBackwardScan));
        l.InvalidateRange(core::RangeChange::Recompute);
        const layout::VisibleRange fast = l.ComputeVisibleRange();

        const int32_t y = l.ScrollY();
        layout::VisibleRange plain {};
        bool started = false;
        plain.EndRow = -1;
        for (int32_t r = 1; r <= rows; ++r) {
            const auto& row = s.Table().Row(r);
            if (!row.Visible || row.Height <= 0 || (!started && row.Top + row.Height <= y))
                continue;
            if (!started)
                plain.StartRow = r, plain.StartY = row.Top - y;
            started = true;
            plain.EndRow = r;
            plain.EndY = row.Top - y + row.Height;
            if (row.Top > y + l.ViewHeight())
                break;
        }
        ASSERT_EQ(fast.EndRow, plain.EndRow) << "round " << round;
        if (plain.EndRow > 0) {
            EXPECT_EQ(fast.StartRow, plain.StartRow);
            EXPECT_EQ(fast.StartY, plain.StartY);
            EXPECT_EQ(fast.EndY, plain.EndY);
        }
    }
}

TEST(LayoutRange, EmptyGridsHiddenRowsAndGroupRows)
{
    WindowScene s({ .cols = 4, .rows = 0, .colWidth = 60 });
    EXPECT_EQ(s.StartEnd(), (Range { 0, 1, 0, 0, -1, 4, 240, 0 }));
    EXPECT_EQ(s.Hit(85, 5), Hit(0, 2));  // no rows, but still over a column
    s.grid.AddRow(AddRowArgs { .bVisible = false });
    s.grid.AddRow();
    EXPECT_EQ(s.StartEnd().startRow, 2);
    EXPECT_EQ(s.Layout().ContentHeight(), 15);

    s.grid.SetColWidth(3, 200);  // position 3 reaches past the view
    EXPECT_EQ(s.StartEnd().endCol, 3);
    s.grid.AddRow(AddRowArgs { .bGroupRow = true });  // a group row spans every column
    EXPECT_EQ(s.StartEnd().endCol, 4);
}

TEST(LayoutRange, MovedColumnsAnswerByIndex)
{
    WindowScene s({ .cols = 6, .rows = 3 });
    s.grid.SetColOrder(6, 1);  // display order 6 1 2 3 4 5
    const Range r = s.StartEnd();
    EXPECT_EQ(r.startCol, 6);
    EXPECT_EQ(r.endCol, 3);  // position 4 reaches past the view
    EXPECT_EQ(s.Hit(40, 5), Hit(1, 6));
    EXPECT_EQ(s.Hit(100, 5), Hit(1, 1));
    s.grid.EnsureVisibleCol(4, tvEnsVisColLeftForce, 0);
    EXPECT_EQ(s.Layout().ScrollX(), 480 - 296 + 1);  // 320 clamps to the last page
    EXPECT_EQ(s.Hit(5, 5), Hit(1, 2));  // content x 190, position 3
    s.grid.EnsureVisibleCol(6, tvEnsVisColAuto, 8);
    EXPECT_EQ(s.Layout().ScrollX(), 0);
}

TEST(LayoutPositions, RowTextStartGroupStartAndLastVisible)
{
    WindowScene s({ .cols = 4, .rows = 1, .colWidth = 30 });
    s.grid.SetColVisible(1, false);
    s.grid.AddCol(AddColArgs { .bRowTextCol = true });
    s.grid.SetColVisible(4, false);
    auto& l = s.Layout();
    const auto start = l.GetRowTextStart();
    EXPECT_EQ(start.firstSelectablePos, 2);
    EXPECT_EQ(start.rowTextStartPos, 2);  // raised to the first selectable position
    EXPECT_EQ(l.GroupStartPos(0), 2);
    EXPECT_EQ(l.GroupStartPos(4), 1);  // nothing visible from column 4 on
    EXPECT_EQ(l.LastVisiblePos(), 3);
    EXPECT_EQ(l.ContentWidth(), 60);  // hidden columns take no room
}

TEST(LayoutHit, EdgesAndOutsideTheView)
{
    WindowScene s({ .rows = 40 });  // vertical bar shown
    const int32_t barLeft = s.Layout().ViewWidth();
    const struct {
        int32_t x, y;
        Hit expected;
    } cases[] = {
        { 85, 0, { 0, 2 } },  // content y 0 is the top line of row 1: no row above it
        { 85, 1, { 1, 2 } }, { 85, 15, { 1, 2 } },  // bottom grid line of row 1
        { 85, 16, { 2, 2 } },  // top pixel of row 2 is row 1's bottom + 1
        { 80, 20, { 2, 1 } },  // a column's right edge belongs to it
        { 81, 20, { 2, 2 } }, { 0, 20, { 2, 0 } },  // the left edge of column 1 belongs to none
        { 250, 20, { 2, 0 } },  // right of the last column
        { barLeft + 2, 20, { 2, 0 } },  // over the vertical bar
        { 85, -3, { 0, 2 } },  // above the view: no row, but the column
        { 85, 196, { 0, 2 } },  // below the view
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.Hit(c.x, c.y), c.expected) << c.x << "," << c.y;

    s.grid.VScrollBar().SetValue(7);
    EXPECT_EQ(s.Hit(85, 8), Hit(1, 2));  // content y 15
    EXPECT_EQ(s.Hit(85, 9), Hit(2, 2));

    WindowScene few({ .rows = 3 });
    EXPECT_EQ(few.Hit(170, 100), Hit(0, 3));  // below the last row: the column only
    few.grid.SetRowVisible(3, false);
    EXPECT_EQ(few.Hit(170, 40), Hit(0, 3));  // where the hidden row was
}

TEST(LayoutHit, RowTextAndGroupRows)
{
    // Row 1 carries row text under 15-pixel normal cells; row 2 is a group row
    // starting at column 2. Column 4 holds the row text.
    WindowScene s({ .rows = 2 });
    s.grid.AddCol(AddColArgs { .lWidth = 80, .bRowTextCol = true });
    s.grid.SetDrawRowText(true);
    s.grid.SetRowMode(true);
    s.grid.SetRowTextStartCol(2);
    s.grid.SetRowHeight(1, 40);
    s.grid.SetRowNormalCellHeight(1, 15);
    s.grid.SetRowIsGroup(2, true);
    s.grid.SetRowGroupStartCol(2, 2);
    const struct {
        int32_t x, y;
        Hit expected;
    } cases[] = {
        { 85, 10, { 1, 2 } },  // normal cell above the row text
        { 85, 15, { 1, 4 } },  // NormalCellHeight reached: row text
        { 200, 30, { 1, 4 } },  // right of the start column
        { 40, 30, { 1, 1 } },  // before the row-text start column
        { 40, 50, { 2, 0 } },  // group row, left of its start column
        { 85, 50, { 2, 4 } },  // group row spans from its start column
        { 239, 50, { 2, 4 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.Hit(c.x, c.y), c.expected) << c.x << "," << c.y;

    EXPECT_EQ(s.CellRect(1, 1), (native::Rect { 0, 0, 80, 40 }));  // before the start column: full height
    EXPECT_EQ(s.CellRect(1, 2), (native::Rect { 80, 0, 160, 15 }));  // above the row text
    EXPECT_EQ(s.CellRect(1, 4), (native::Rect { 80, 15, 240, 40 }));  // row text to the last column
    EXPECT_EQ(s.CellRect(2, 3), (native::Rect { 80, 40, 240, 55 }));  // any column of a group row

    // Without row mode the row text is not in effect: the normal column wins.
    s.grid.SetRowMode(false);
    EXPECT_EQ(s.Hit(85, 30), Hit(1, 2));
}

TEST(LayoutHit, CellAndTextBoundariesFollowTheScrollAndIndents)
{
    // 120 x 50 pixels of cells in a borderless 100 x 40 window: both bars.
    WindowScene s({ .cols = 2, .rows = 2, .colWidth = 50, .width = 100, .height = 40, .border = tvBorderNone });
    s.grid.SetColWidth(2, 70);
    s.grid.SetRowHeight(1, 20);
    s.grid.SetRowHeight(2, 30);
    s.grid.HScrollBar().SetValue(10);
    s.grid.VScrollBar().SetValue(5);
    EXPECT_EQ(s.CellRect(2, 2), (native::Rect { 40, 15, 110, 45 }));
    s.grid.SetCellIndent(2, 2, 4);
    s.grid.SetCellRightIndent(2, 2, 3);
    const auto text = s.Layout().CellTextBoundary(2, 2, 0);
    EXPECT_EQ(text.left, 45);
    EXPECT_EQ(text.width, 70 - 3 - 7);
    EXPECT_EQ(text.height, 29);
    EXPECT_EQ(ErrorOf([&] { s.CellRect(3, 1); }), 513);
}

TEST(LayoutHit, NoClipTextBoundaryTakesTheRoomOfEmptyNeighbours)
{
    WindowScene s({ .rows = 3 });
    s.grid.SetCellValue(2, 1, GridVariant(std::string("a text far wider than its own column")));
    s.grid.SetCellTextFlags(2, 1, tvTextNoClip | tvTextSingleLine);
    int32_t l = 0, t = 0, w = 0, h = 0;
    s.grid.CellTextBoundary(2, 1, l, t, w, h);
    EXPECT_LT(l, 5);
    EXPECT_GT(w, 80);  // flows into the empty cells to its right
    EXPECT_EQ(t, 15);
    EXPECT_EQ(h, 14);
    s.grid.SetCellValue(2, 2, GridVariant(std::string("x")));
    s.grid.CellTextBoundary(2, 1, l, t, w, h);
    EXPECT_LE(w, 80);  // an occupied neighbour stops the flow
}

TEST(LayoutEnsureVisible, RowsInEveryMode)
{
    WindowScene s({ .rows = 40 });  // 600 pixels of rows
    const int32_t vh = s.Layout().ViewHeight();
    auto& bar = s.grid.VScrollBar();
    const int32_t lastPos = bar.Max() - bar.LargeChange() + 1;
    const struct {
        int32_t from;
        int32_t row;
        EEnsureVisibleRowMode mode;
        int32_t gap;
        int32_t expected;
    } cases[] = {
        { 0, 30, tvEnsVisRowAuto, 8, 450 - vh + 8 }, { 300, 2, tvEnsVisRowAuto, 8, 7 },
        { 30, 5, tvEnsVisRowAuto, 8, 30 },  // fully in view: stays
        { 0, 5, tvEnsVisRowTop, 8, 0 },  // fully in view
        { 0, 25, tvEnsVisRowTop, 4, 356 }, { 0, 5, tvEnsVisRowTopForce, 0, 60 },
        { 0, 30, tvEnsVisRowBottom, 3, 450 - vh + 3 }, { 0, 5, tvEnsVisRowBottom, 3, 0 },
        { 0, 20, tvEnsVisRowBottomForce, 3, 300 - vh + 3 },
        { 0, 1, tvEnsVisRowTopForce, 8, 0 },  // clamped to the minimum
        { 0, 40, tvEnsVisRowTopForce, 0, lastPos },  // clamped to the last page
    };
    for (const auto& c : cases) {
        bar.SetValue(c.from);
        ASSERT_EQ(s.Layout().ScrollY(), c.from);
        s.grid.EnsureVisibleRow(c.row, c.mode, c.gap);
        EXPECT_EQ(s.Layout().ScrollY(), c.expected) << "row " << c.row << " mode " << c.mode;
        EXPECT_EQ(bar.Value(), s.Layout().ScrollY());
    }

    // A row taller than the view aligns its top with the view's top.
    s.grid.SetRowHeight(30, vh + 50);
    for (auto mode : { tvEnsVisRowAuto, tvEnsVisRowBottom, tvEnsVisRowBottomForce }) {
        bar.SetValue(0);
        s.grid.EnsureVisibleRow(30, mode, 8);
        EXPECT_EQ(s.Layout().ScrollY(), 435) << mode;
    }

    // A hidden row does nothing, whatever the mode.
    s.grid.SetRowVisible(35, false);
    bar.SetValue(10);
    s.events.Clear();
    s.grid.EnsureVisibleRow(35, tvEnsVisRowTopForce, 0);
    EXPECT_EQ(s.Layout().ScrollY(), 10);
    EXPECT_TRUE(s.Take().empty());
}

TEST(LayoutEnsureVisible, ColumnsInEveryMode)
{
    WindowScene s({ .cols = 6, .rows = 3 });  // 480 pixels of columns, horizontal bar only
    const int32_t vw = s.Layout().ViewWidth();
    ASSERT_EQ(vw, 296);
    auto& bar = s.grid.HScrollBar();
    const struct {
        int32_t from;
        int32_t col;
        EEnsureVisibleColMode mode;
        int32_t gap;
        int32_t expected;
    } cases[] = {
        { 0, 2, tvEnsVisColLeftForce, 0, 80 },  // even when fully in view
        { 0, 2, tvEnsVisColLeft, 0, 0 },
        { 0, 5, tvEnsVisColAuto, 8, 400 - vw + 8 },
        { 120, 1, tvEnsVisColAuto, 8, 0 },  // -8 clamps to the minimum
        { 120, 2, tvEnsVisColAuto, 8, 72 },
        { 0, 3, tvEnsVisColAuto, 8, 0 },
        { 170, 3, tvEnsVisColLeft, 10, 150 },
        { 0, 5, tvEnsVisColRight, 5, 400 - vw + 5 },
        { 0, 3, tvEnsVisColRight, 5, 0 },
        { 0, 3, tvEnsVisColRightForce, 5, 0 },  // 240 - 296 + 5 clamps to 0
        { 50, 4, tvEnsVisColRightForce, 6, 320 - vw + 6 },
    };
    for (const auto& c : cases) {
        bar.SetValue(c.from);
        ASSERT_EQ(s.Layout().ScrollX(), c.from);
        s.grid.EnsureVisibleCol(c.col, c.mode, c.gap);
        EXPECT_EQ(s.Layout().ScrollX(), c.expected) << "col " << c.col << " mode " << c.mode;
    }

    // Wider than the view: the left edge, whatever the right-aligning mode.
    s.grid.SetColWidth(2, 400);
    for (auto mode : { tvEnsVisColAuto, tvEnsVisColRight, tvEnsVisColRightForce }) {
        bar.SetValue(0);
        s.grid.EnsureVisibleCol(2, mode, 8);
        EXPECT_EQ(s.Layout().ScrollX(), 80) << mode;
    }

    // Hidden columns and the row-text column are ignored.
    s.grid.AddCol(AddColArgs { .lWidth = 80, .bRowTextCol = true });
    s.grid.SetColVisible(6, false);
    bar.SetValue(0);
    s.grid.EnsureVisibleCol(6, tvEnsVisColLeftForce, 0);
    s.grid.EnsureVisibleCol(7, tvEnsVisColLeftForce, 0);
    EXPECT_EQ(s.Layout().ScrollX(), 0);
}

TEST(LayoutEnsureVisible, CellsOnGroupAndFullHeightRows)
{
    WindowScene s({ .cols = 6, .rows = 40 });
    const auto& l = s.Layout();
    s.grid.SetRowIsGroup(3, true);
    s.grid.SetRowGroupStartCol(3, 5);
    // The group row's target is its start column's left edge, one pixel wide.
    s.grid.EnsureVisibleCell(3, 1);
    EXPECT_EQ(l.ScrollX(), 321 - l.ViewWidth() + 8);
    EXPECT_EQ(l.ScrollY(), 0);
    s.grid.SetRowGroupStartCol(3, 1);
    s.grid.EnsureVisibleCell(3, 6);
    EXPECT_EQ(l.ScrollX(), 0);

    // Vertically a row exactly as tall as the view aligns its top, where
    // EnsureVisibleRow would still align its bottom.
    s.grid.SetRowHeight(20, l.ViewHeight());
    s.grid.EnsureVisibleCell(20, 1);
    EXPECT_EQ(l.ScrollY(), 285);
    s.grid.VScrollBar().SetValue(0);
    s.grid.EnsureVisibleRow(20);
    EXPECT_EQ(l.ScrollY(), 293);
    s.grid.EnsureVisibleCell(2, 2);
    EXPECT_EQ(l.ScrollY(), 7);
}

TEST(LayoutBars, OneBarMakesTheOtherNecessary)
{
    // 3 x 95 = 285 fits the 296 view until the vertical bar takes its width.
    WindowScene tall({ .rows = 40, .colWidth = 95 });
    EXPECT_EQ(tall.Layout().ViewWidth(), 296 - 17);
    EXPECT_EQ(tall.Layout().ViewHeight(), 196 - 17);

    // 12 rows (180 pixels) fit until the horizontal bar takes its height.
    WindowScene wide({ .cols = 6, .rows = 12 });
    EXPECT_TRUE(wide.grid.VScrollBar().Visible());
    WindowScene fits({ .rows = 12 });
    EXPECT_FALSE(fits.grid.HScrollBar().Visible());
    EXPECT_FALSE(fits.grid.VScrollBar().Visible());
}

TEST(LayoutBars, RangesAndPagesFollowTheContent)
{
    WindowScene s({ .cols = 6, .rows = 40 });
    auto& h = s.grid.HScrollBar();
    auto& v = s.grid.VScrollBar();
    // A 279 x 179 view: 201 and 421 pixels to scroll, pages of a whole and a third of that.
    EXPECT_EQ(h.LargeChange(), 201);
    EXPECT_EQ(v.LargeChange(), 140);
    EXPECT_EQ(h.Max(), 201 + 201);
    EXPECT_EQ(v.Max(), 421 + 5 + 140);
    EXPECT_EQ(h.SmallChange(), 20);
    EXPECT_EQ(v.SmallChange(), 15);
    EXPECT_EQ(h.Min(), 0);
    EXPECT_EQ(h.Bar(), tvScrollBarH);
    EXPECT_EQ(v.Bar(), tvScrollBarV);

    // 1021 pixels to scroll, more than five views: a sixth of it.
    s.grid.SetRowCount(80);
    EXPECT_EQ(v.LargeChange(), 170);
    EXPECT_EQ(v.Max(), 1021 + 5 + 170);
    s.grid.SetDefaultRowHeight(20);
    s.grid.AddRow();
    EXPECT_EQ(v.SmallChange(), 20);

    // Without a flat scroll bar library every style draws regular; the setting is kept.
    EXPECT_FALSE(s.grid.Supports(tvSupFeatFlatScrollBars));
    s.grid.SetScrollBarStyle(tvScrollBarFlat);
    EXPECT_EQ(s.grid.ScrollBarStyle(), tvScrollBarFlat);
    EXPECT_TRUE(h.Visible());
}

TEST(LayoutBars, HidingTheLastColumnsShrinksTheContentAndResetsTheBar)
{
    WindowScene s({ .cols = 6, .rows = 3, .header = true });
    s.grid.HScrollBar().SetValue(1000);
    s.grid.SetColVisible(6, false);
    EXPECT_EQ(s.Layout().ContentWidth(), 400);
    EXPECT_TRUE(s.grid.HScrollBar().Visible());
    // The shrunk range pulls the bar in to 400 - 296 + 1, and the header goes with the cells.
    native::RECT header {};
    native::GetWindowRect(native::GetWindow(s.grid.hwnd(), native::GW_CHILD), &header);
    native::POINT headerLeft { header.left, header.top };
    native::ScreenToClient(s.grid.hwnd(), &headerLeft);
    EXPECT_EQ(s.Layout().ScrollX(), 105);
    EXPECT_EQ(headerLeft.x, -105);
    s.events.Clear();
    s.grid.SetColVisible(5, false);
    s.grid.SetColVisible(4, false);
    EXPECT_EQ(s.Layout().ContentWidth(), 240);
    EXPECT_FALSE(s.grid.HScrollBar().Visible());
    EXPECT_EQ(s.Layout().ScrollX(), 0);
    EXPECT_EQ(s.Take(), (Strings { "ScrollBarPosChanged(0,0)", "ScrollBarVisibilityChanged(0,False)" }));
}

TEST(LayoutBars, BadArgumentsAndWindowlessGrids)
{
    WindowScene s({ .rows = 3 });
    EXPECT_EQ(ErrorOf([&] { s.grid.EnsureVisibleRow(4); }), 513);
    EXPECT_EQ(ErrorOf([&] { s.grid.EnsureVisibleCol(0); }), 513);
    EXPECT_EQ(ErrorOf([&] { s.grid.EnsureVisibleCell(1, 4); }), 513);

    // Without a window nothing is in view, nothing is hit, nothing scrolls and there are no bars.
    WindowScene bare({ .rows = 1, .create = false });
    EXPECT_EQ(bare.Hit(5, 5), Hit(0, 0));
    bare.grid.EnsureVisibleRow(1, tvEnsVisRowTopForce, 0);
    bare.grid.EnsureVisibleCell(1, 1);
    EXPECT_EQ(bare.Layout().ScrollY(), 0);
    EXPECT_EQ(bare.grid.hwnd(), 0);
    EXPECT_NE(ErrorOf([&] { bare.grid.HScrollBar(); }), 0);
}

TEST(LayoutBars, BorderStylesShrinkTheView)
{
    const struct {
        EAppearanceConstants appearance;
        EBorderStyles border;
        int32_t inset;
    } cases[] = {
        { tvAppearance3D, tvBorder3D, 2 },
        { tvAppearance3D, tvBorderThin, 1 },
        { tvAppearanceFlat, tvBorderThin, 1 },
        { tvAppearanceFlat, tvBorderNone, 0 },
    };
    for (const auto& c : cases) {
        WindowScene s({ .cols = 1, .rows = 1, .border = c.border, .create = false });
        s.grid.SetAppearance(c.appearance);
        s.Create();
        EXPECT_EQ(s.Layout().ViewWidth(), 300 - 2 * c.inset) << c.appearance << "/" << c.border;
        EXPECT_EQ(s.Layout().ViewHeight(), 200 - 2 * c.inset) << c.appearance << "/" << c.border;
        EXPECT_EQ(s.Hit(5, 5), Hit(1, 1));
    }
}

}  // namespace
}  // namespace tavix::testing

namespace tavix::testing {
namespace {

// A result as wide as a spreadsheet: the last column is reached, shown and painted.
TEST(LayoutRange, TenThousandColumnsScrollToTheLast)
{
    WindowScene s({ .cols = 10000, .rows = 3, .colWidth = 50, .header = true });
    s.grid.SetCellValue(2, 10000, "last");
    s.grid.SetCurCell(2, 10000);
    const native::Rect cell = s.CellRect(2, 10000);
    EXPECT_GE(cell.left, 0);
    EXPECT_LE(cell.right, s.Client().right);
    EXPECT_GT(s.Layout().ScrollX(), 9000 * 50);
    s.desktop.RunUntilIdle();
    EXPECT_GT(s.Other({ cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2 },
                  s.Pixel(cell.right - 3, cell.top + 3)),
        0)
        << "the last column's text is drawn";
}

}  // namespace
}  // namespace tavix::testing
