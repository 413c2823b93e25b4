#include "core/grid_state.h"
#include "support/event_recorder.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tavix {
namespace {

// `cols` columns of `width` pixels and `rows` rows of 15 in a 300 x 200 window
// whose sunken border leaves a 296 x 196 cell area at client (0, 0). Both bars
// are 17 pixels thick.
struct Scene {
    Scene(int32_t cols, int32_t rows, int32_t width = 80)
    {
        grid.SetEventSink(&events);
        for (int32_t c = 1; c <= cols; ++c)
            grid.AddCol(AddColArgs { .lWidth = width });
        for (int32_t r = 1; r <= rows; ++r)
            grid.AddRow();
        grid.Create(0, 10, 10, 300, 200);
        desktop.RunUntilIdle();
    }
    std::pair<int32_t, int32_t> Hit(int32_t x, int32_t y)
    {
        int32_t row = -1;
        int32_t col = -1;
        grid.CellFromPoint(x, y, row, col);
        return { row, col };
    }
    const core::ViewGeometry& Geo() const { return grid.State().geo; }
    int Position(const std::string& record) const
    {
        const auto s = events.Strings();
        const auto it = std::find(s.begin(), s.end(), record);
        return it == s.end() ? -1 : static_cast<int>(it - s.begin());
    }

    native::Desktop desktop { 400, 300 };
    testing::EventRecorder events;
    Tavix grid;
};

using Hit = std::pair<int32_t, int32_t>;

TEST(LayoutEdge, StartEndCellWithoutRows)
{
    Scene scene(3, 0);
    int32_t sr = -9, sc = -9, sx = -9, sy = -9, er = -9, ec = -9, ex = -9, ey = -9;
    scene.grid.GetStartEndCell(sr, sc, sx, sy, er, ec, ex, ey);
    EXPECT_EQ(er, -1);
    EXPECT_EQ(sc, 1);
    EXPECT_EQ(ec, 3);
    EXPECT_EQ(ex, 240);
    EXPECT_EQ(scene.Hit(85, 5), Hit(0, 2));  // no rows, but still over a column
}

TEST(LayoutEdge, HitTestingEdgesAndOutsideTheView)
{
    Scene scene(3, 40);  // vertical bar shown
    const int32_t barLeft = scene.Geo().viewWidth;
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
        EXPECT_EQ(scene.Hit(c.x, c.y), c.expected) << c.x << "," << c.y;

    scene.grid.VScrollBar().SetValue(7);
    EXPECT_EQ(scene.Hit(85, 8), Hit(1, 2));  // content y 15
    EXPECT_EQ(scene.Hit(85, 9), Hit(2, 2));
}

TEST(LayoutEdge, HitBelowTheLastRowGivesTheColumnOnly)
{
    Scene scene(3, 3);
    EXPECT_EQ(scene.Hit(170, 100), Hit(0, 3));
    scene.grid.SetRowVisible(3, false);
    EXPECT_EQ(scene.Hit(170, 40), Hit(0, 3));  // where the hidden row was
}

// Row 1 carries row text under 15-pixel normal cells; row 2 is a group row
// starting at column 2. Column 4 holds the row text.
struct RowTextScene : Scene {
    RowTextScene()
        : Scene(3, 2)
    {
        grid.AddCol(AddColArgs { .lWidth = 80, .bRowTextCol = true });
        grid.SetDrawRowText(true);
        grid.SetRowMode(true);
        grid.SetRowTextStartCol(2);
        grid.SetRowHeight(1, 40);
        grid.SetRowNormalCellHeight(1, 15);
        grid.SetRowIsGroup(2, true);
        grid.SetRowGroupStartCol(2, 2);
    }
};

TEST(LayoutEdge, MovedColumnsAnswerByIndex)
{
    Scene scene(6, 3);
    scene.grid.SetColOrder(6, 1);  // display order 6 1 2 3 4 5
    int32_t sr = 0, sc = 0, sx = 0, sy = 0, er = 0, ec = 0, ex = 0, ey = 0;
    scene.grid.GetStartEndCell(sr, sc, sx, sy, er, ec, ex, ey);
    EXPECT_EQ(sc, 6);
    EXPECT_EQ(ec, 3);  // position 4 reaches past the view
    EXPECT_EQ(scene.Hit(40, 5), Hit(1, 6));
    EXPECT_EQ(scene.Hit(100, 5), Hit(1, 1));
    int32_t l = 0, t = 0, w = 0, h = 0;
    scene.grid.CellBoundary(2, 1, l, t, w, h);
    EXPECT_EQ(l, 80);
    scene.grid.EnsureVisibleCol(4, tvEnsVisColLeftForce, 0);
    EXPECT_EQ(scene.Geo().scrollX, 480 - 296 + 1);  // 320 clamps to the last page
    EXPECT_EQ(scene.Hit(5, 5), Hit(1, 2));  // content x 190, position 3
    scene.grid.EnsureVisibleCol(6, tvEnsVisColAuto, 8);
    EXPECT_EQ(scene.Geo().scrollX, 0);
}

TEST(LayoutEdge, HitOnRowTextAndGroupRows)
{
    RowTextScene scene;
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
        EXPECT_EQ(scene.Hit(c.x, c.y), c.expected) << c.x << "," << c.y;

    // Without row mode the row text is not in effect: the normal column wins.
    scene.grid.SetRowMode(false);
    EXPECT_EQ(scene.Hit(85, 30), Hit(1, 2));
}

TEST(LayoutEdge, CellBoundariesOfRowTextAndGroupRows)
{
    RowTextScene scene;
    struct Box {
        int32_t l, t, w, h;
        bool operator==(const Box&) const = default;
    };
    auto box = [&](int32_t row, int32_t col) {
        Box b {};
        scene.grid.CellBoundary(row, col, b.l, b.t, b.w, b.h);
        return b;
    };
    EXPECT_EQ(box(1, 1), (Box { 0, 0, 80, 40 }));  // before the start column: full height
    EXPECT_EQ(box(1, 2), (Box { 80, 0, 80, 15 }));  // above the row text
    EXPECT_EQ(box(1, 4), (Box { 80, 15, 160, 25 }));  // row text to the last column
    EXPECT_EQ(box(2, 3), (Box { 80, 40, 160, 15 }));  // any column of a group row
}

TEST(LayoutEdge, EnsureVisibleRowInEveryMode)
{
    Scene scene(3, 40);  // 600 pixels of rows
    const int32_t vh = scene.Geo().viewHeight;
    auto& bar = scene.grid.VScrollBar();
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
        ASSERT_EQ(scene.Geo().scrollY, c.from);
        scene.grid.EnsureVisibleRow(c.row, c.mode, c.gap);
        EXPECT_EQ(scene.Geo().scrollY, c.expected) << "row " << c.row << " mode " << c.mode;
        EXPECT_EQ(bar.Value(), scene.Geo().scrollY);
    }

    // A row taller than the view aligns its top with the view's top.
    scene.grid.SetRowHeight(30, vh + 50);
    for (auto mode : { tvEnsVisRowAuto, tvEnsVisRowBottom, tvEnsVisRowBottomForce }) {
        bar.SetValue(0);
        scene.grid.EnsureVisibleRow(30, mode, 8);
        EXPECT_EQ(scene.Geo().scrollY, 435) << mode;
    }

    // A hidden row does nothing, whatever the mode.
    scene.grid.SetRowVisible(35, false);
    bar.SetValue(10);
    scene.events.Clear();
    scene.grid.EnsureVisibleRow(35, tvEnsVisRowTopForce, 0);
    EXPECT_EQ(scene.Geo().scrollY, 10);
    EXPECT_TRUE(scene.events.Strings().empty());
}

TEST(LayoutEdge, EnsureVisibleColInEveryMode)
{
    Scene scene(6, 3);  // 480 pixels of columns, horizontal bar only
    const int32_t vw = scene.Geo().viewWidth;
    ASSERT_EQ(vw, 296);
    auto& bar = scene.grid.HScrollBar();
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
        ASSERT_EQ(scene.Geo().scrollX, c.from);
        scene.grid.EnsureVisibleCol(c.col, c.mode, c.gap);
        EXPECT_EQ(scene.Geo().scrollX, c.expected) << "col " << c.col << " mode " << c.mode;
    }

    // Wider than the view: the left edge, whatever the right-aligning mode.
    scene.grid.SetColWidth(2, 400);
    for (auto mode : { tvEnsVisColAuto, tvEnsVisColRight, tvEnsVisColRightForce }) {
        bar.SetValue(0);
        scene.grid.EnsureVisibleCol(2, mode, 8);
        EXPECT_EQ(scene.Geo().scrollX, 80) << mode;
    }

    // Hidden columns and the row-text column are ignored.
    scene.grid.AddCol(AddColArgs { .lWidth = 80, .bRowTextCol = true });
    scene.grid.SetColVisible(6, false);
    bar.SetValue(0);
    scene.grid.EnsureVisibleCol(6, tvEnsVisColLeftForce, 0);
    scene.grid.EnsureVisibleCol(7, tvEnsVisColLeftForce, 0);
    EXPECT_EQ(scene.Geo().scrollX, 0);
}

TEST(LayoutEdge, EnsureVisibleCellOnGroupAndFullHeightRows)
{
    Scene scene(6, 40);
    const auto& geo = scene.Geo();
    scene.grid.SetRowIsGroup(3, true);
    scene.grid.SetRowGroupStartCol(3, 5);
    // The group row's target is its start column's left edge, one pixel wide.
    scene.grid.EnsureVisibleCell(3, 1);
    EXPECT_EQ(geo.scrollX, 321 - geo.viewWidth + 8);
    EXPECT_EQ(geo.scrollY, 0);
    scene.grid.SetRowGroupStartCol(3, 1);
    scene.grid.EnsureVisibleCell(3, 6);
    EXPECT_EQ(geo.scrollX, 0);

    // Vertically a row exactly as tall as the view aligns its top, where
    // EnsureVisibleRow would still align its bottom.
    scene.grid.SetRowHeight(20, geo.viewHeight);
    scene.grid.EnsureVisibleCell(20, 1);
    EXPECT_EQ(geo.scrollY, 285);
    scene.grid.VScrollBar().SetValue(0);
    scene.grid.EnsureVisibleRow(20);
    EXPECT_EQ(geo.scrollY, 293);
    scene.grid.EnsureVisibleCell(2, 2);
    EXPECT_EQ(geo.scrollY, 7);
}

TEST(LayoutEdge, OneBarMakesTheOtherNecessary)
{
    // 3 x 95 = 285 fits the 296 view until the vertical bar takes its width.
    Scene tall(3, 40, 95);
    EXPECT_TRUE(tall.grid.VScrollBar().Visible());
    EXPECT_TRUE(tall.grid.HScrollBar().Visible());
    EXPECT_EQ(tall.Geo().viewWidth, 296 - tall.Geo().vScrollWidth);
    EXPECT_EQ(tall.Geo().viewHeight, 196 - tall.Geo().hScrollHeight);
    EXPECT_GE(tall.Position("ScrollBarVisibilityChanged(0,True)"), 0);
    EXPECT_GT(tall.Position("ScrollBarVisibilityChanged(1,True)"), tall.Position("ScrollBarVisibilityChanged(0,True)"));

    // 12 rows (180 pixels) fit until the horizontal bar takes its height.
    Scene wide(6, 12);
    EXPECT_TRUE(wide.grid.HScrollBar().Visible());
    EXPECT_TRUE(wide.grid.VScrollBar().Visible());
    Scene fits(3, 12);
    EXPECT_FALSE(fits.grid.HScrollBar().Visible());
    EXPECT_FALSE(fits.grid.VScrollBar().Visible());
}

TEST(LayoutEdge, RangesAndPagesFollowTheContent)
{
    Scene scene(6, 40);
    const auto& geo = scene.Geo();
    auto& h = scene.grid.HScrollBar();
    auto& v = scene.grid.VScrollBar();
    const int32_t dh = 480 - geo.viewWidth;
    const int32_t dv = 600 - geo.viewHeight;
    EXPECT_EQ(h.LargeChange(), dh / (dh / geo.viewWidth + 1));
    EXPECT_EQ(v.LargeChange(), dv / (dv / geo.viewHeight + 1));
    EXPECT_EQ(h.Max(), dh + h.LargeChange());
    EXPECT_EQ(v.Max(), dv + 5 + v.LargeChange());
    EXPECT_EQ(h.SmallChange(), 20);
    EXPECT_EQ(v.SmallChange(), 15);
    EXPECT_EQ(h.Min(), 0);

    // A content five times the view: the page is a fifth of the range.
    for (int32_t r = 0; r < 40; ++r)
        scene.grid.AddRow();
    const int32_t d = 1200 - geo.viewHeight;
    EXPECT_EQ(v.LargeChange(), d / (d / geo.viewHeight + 1));
    EXPECT_EQ(v.Max(), d + 5 + v.LargeChange());
    scene.grid.SetDefaultRowHeight(20);
    scene.grid.AddRow();
    EXPECT_EQ(v.SmallChange(), 20);
}

TEST(LayoutEdge, HidingTheLastColumnShrinksTheContentAndResetsTheBar)
{
    Scene scene(6, 3);
    scene.grid.HScrollBar().SetValue(100);
    scene.grid.SetColVisible(6, false);
    EXPECT_EQ(scene.Geo().contentWidth, 400);
    EXPECT_TRUE(scene.grid.HScrollBar().Visible());
    scene.events.Clear();
    scene.grid.SetColVisible(5, false);
    scene.grid.SetColVisible(4, false);
    EXPECT_EQ(scene.Geo().contentWidth, 240);
    EXPECT_FALSE(scene.grid.HScrollBar().Visible());
    EXPECT_EQ(scene.grid.HScrollBar().Value(), 0);
    EXPECT_EQ(scene.Geo().scrollX, 0);
    const int reset = scene.Position("ScrollBarPosChanged(0,0)");
    const int hidden = scene.Position("ScrollBarVisibilityChanged(0,False)");
    EXPECT_GE(reset, 0);
    EXPECT_GT(hidden, reset);
    EXPECT_EQ(scene.events.Count(EventId::ScrollBarVisibilityChanged), 1u);
}

// The rows in view as a full scan finds them: forward from the first row
// after a move down, backward from the last row after a move up.
struct Rows {
    int32_t start, startY, end, endY;
    bool operator==(const Rows&) const = default;
};

Rows ScanRows(const core::GridState& s, bool backward)
{
    const auto& g = s.geo;
    Rows out { 0, 0, -1, 0 };
    for (int32_t i = 0; i < s.rowCount; ++i) {
        const int32_t r = backward ? s.rowCount - i : i + 1;
        const auto& row = s.rows.At(r);
        if (!row.Visible || row.Height <= 0)
            continue;
        if (!backward && out.start == 0 && row.Top + row.Height <= g.scrollY)
            continue;
        if (backward && out.end == -1 && row.Top >= g.scrollY + g.viewHeight)
            continue;
        if (!backward && out.start == 0)
            out = { r, row.Top - g.scrollY, r, 0 };
        if (backward && out.end == -1)
            out = { r, 0, r, row.Top - g.scrollY + row.Height };
        if (backward)
            out.start = r, out.startY = row.Top - g.scrollY;
        else
            out.end = r, out.endY = row.Top - g.scrollY + row.Height;
        if (backward ? row.Top <= g.scrollY : row.Top > g.scrollY + g.viewHeight)
            break;
    }
    return out;
}

TEST(LayoutEdge, ScrollingKeepsTheRangeOfRowsInView)
{
    Scene scene(3, 0);
    std::mt19937 rng(7);
    for (int32_t r = 1; r <= 80; ++r) {
        scene.grid.AddRow(AddRowArgs { .bVisible = rng() % 8 != 0, .lHeight = static_cast<int32_t>(rng() % 40) });
    }
    auto& bar = scene.grid.VScrollBar();
    const int32_t maxPos = bar.Max() - bar.LargeChange();
    for (int step = 0; step < 60; ++step) {
        const int32_t before = scene.Geo().scrollY;
        const int32_t target = static_cast<int32_t>(rng() % (maxPos + 2));
        if (target == before)
            continue;
        bar.SetValue(target);
        const bool backward = target >= maxPos || (target > 0 && target < before);
        Rows got {};
        int32_t sc = 0, sx = 0, ec = 0, ex = 0;
        scene.grid.GetStartEndCell(got.start, sc, sx, got.startY, got.end, ec, ex, got.endY);
        ASSERT_EQ(got, ScanRows(scene.grid.State(), backward)) << "from " << before << " to " << target;
    }
}

TEST(LayoutEdge, BadArgumentsAndWindowlessGrids)
{
    Scene scene(3, 3);
    auto code = [](auto&& call) {
        try {
            call();
        } catch (const TavixError& e) {
            return e.Code();
        }
        return 0;
    };
    int32_t l = 0, t = 0, w = 0, h = 0;
    EXPECT_EQ(code([&] { scene.grid.EnsureVisibleRow(4); }), 513);
    EXPECT_EQ(code([&] { scene.grid.EnsureVisibleCol(0); }), 513);
    EXPECT_EQ(code([&] { scene.grid.EnsureVisibleCell(1, 4); }), 513);
    EXPECT_EQ(code([&] { scene.grid.CellBoundary(0, 1, l, t, w, h); }), 513);
    EXPECT_NE(code([&] { scene.grid.EnsureVisibleRow(GridVariant(std::string("no such key"))); }), 0);

    // Without a window nothing is in view, nothing is hit and nothing scrolls.
    Tavix bare;
    bare.AddCol(AddColArgs { .lWidth = 80 });
    bare.AddRow();
    int32_t row = -1;
    int32_t col = -1;
    bare.CellFromPoint(5, 5, row, col);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 0);
    bare.EnsureVisibleRow(1, tvEnsVisRowTopForce, 0);
    bare.EnsureVisibleCell(1, 1);
    EXPECT_EQ(bare.State().geo.scrollY, 0);
}

TEST(LayoutEdge, BorderStylesShrinkTheView)
{
    const struct {
        EAppearanceConstants appearance;
        EBorderStyles border;
        int32_t inset;
    } cases[] = {
        { tvAppearance3D, tvBorder3D, 2 },
        { tvAppearance3D, tvBorderThin, 1 },
        { tvAppearanceFlat, tvBorderThin, 1 },
        { tvAppearance3D, tvBorderNone, 0 },
        { tvAppearanceFlat, tvBorderNone, 0 },
    };
    for (const auto& c : cases) {
        native::Desktop desktop(400, 300);
        Tavix grid;
        grid.SetAppearance(c.appearance);
        grid.SetBorderStyle(c.border);
        grid.AddCol(AddColArgs { .lWidth = 80 });
        grid.AddRow();
        grid.Create(0, 10, 10, 300, 200);
        desktop.RunUntilIdle();
        EXPECT_EQ(grid.State().geo.viewWidth, 300 - 2 * c.inset) << c.appearance << "/" << c.border;
        EXPECT_EQ(grid.State().geo.viewHeight, 200 - 2 * c.inset) << c.appearance << "/" << c.border;
        int32_t row = 0;
        int32_t col = 0;
        grid.CellFromPoint(5, 5, row, col);
        EXPECT_EQ(row, 1);
    }
}

}  // namespace
}  // namespace tavix
