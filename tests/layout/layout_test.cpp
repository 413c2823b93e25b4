#include "layout/layout.h"

#include <tavix/grid.h>

#include <gtest/gtest.h>

#include <random>

namespace tavix {
namespace {

// Columns of the given widths, rows of the given heights, a view of the given size.
void Build(Tavix& g, std::initializer_list<int32_t> widths, std::initializer_list<int32_t> heights, int32_t viewW,
    int32_t viewH)
{
    for (int32_t w : widths)
        g.AddCol({ .lWidth = w });
    for (int32_t h : heights)
        g.AddRow({ .lHeight = h });
    auto& geo = g.State().geo;
    geo.viewWidth = viewW;
    geo.viewHeight = viewH;
    geo.rangeState = core::RangeState::Recompute;
}

TEST(LayoutRange, ForwardScanTakesFirstRowBelowTheViewAsEnd)
{
    Tavix g;
    Build(g, { 50, 50, 50 }, { 20, 20, 20, 20, 20, 20 }, 120, 45);
    layout::Layout l(g.State());
    auto r = l.ComputeVisibleRange();
    EXPECT_EQ(r.StartRow, 1);
    EXPECT_EQ(r.EndRow, 4);  // Top 60 > 0 + 45 stops the scan and is still taken
    EXPECT_EQ(r.EndY, 80);
    EXPECT_EQ(r.StartCol, 1);
    EXPECT_EQ(r.EndCol, 3);  // 150 > 120
    EXPECT_EQ(r.EndX, 150);

    // A column whose right edge equals ScrollX is still the first one in view.
    g.State().geo.scrollX = 50;
    g.State().geo.scrollY = 20;
    l.InvalidateRange(core::RangeState::Recompute);
    r = l.ComputeVisibleRange();
    EXPECT_EQ(r.StartCol, 1);
    EXPECT_EQ(r.StartX, -50);
    EXPECT_EQ(r.StartRow, 2);  // row 1 ends at 20, not > 20
    EXPECT_EQ(r.StartY, 0);
}

TEST(LayoutRange, EmptyGridsAndHiddenRows)
{
    Tavix g;
    Build(g, { 40 }, {}, 100, 100);
    layout::Layout l(g.State());
    EXPECT_EQ(l.ComputeVisibleRange().EndRow, -1);
    g.AddRow({ .bVisible = false });
    g.AddRow();
    l.InvalidateRange(core::RangeState::Recompute);
    EXPECT_EQ(l.ComputeVisibleRange().StartRow, 2);
    EXPECT_EQ(l.ContentHeight(), 15);
}

TEST(LayoutRange, InvalidateKeepsTheStrongestState)
{
    Tavix g;
    layout::Layout l(g.State());
    l.ComputeVisibleRange();
    l.InvalidateRange(core::RangeState::HorizontalOnly);
    EXPECT_EQ(g.State().geo.rangeState, core::RangeState::HorizontalOnly);
    l.InvalidateRange(core::RangeState::ScrolledDown);
    EXPECT_EQ(g.State().geo.rangeState, core::RangeState::Recompute);
}

TEST(LayoutRange, GroupRowsWidenTheColumnRange)
{
    Tavix g;
    Build(g, { 60, 60, 60, 60 }, { 20 }, 100, 100);
    g.AddRow({ .bGroupRow = true });
    layout::Layout l(g.State());
    EXPECT_EQ(l.ComputeVisibleRange().EndCol, 4);
}

TEST(LayoutPositions, RowTextStartGroupStartAndLastVisible)
{
    Tavix g;
    Build(g, { 30, 30, 30, 30 }, { 40 }, 200, 200);
    g.SetColVisible(1, false);
    g.AddCol({ .bRowTextCol = true });
    g.SetColVisible(4, false);
    layout::Layout l(g.State());
    const auto start = l.GetRowTextStart();
    EXPECT_EQ(start.firstSelectablePos, 2);
    EXPECT_EQ(start.rowTextStartPos, 2);  // raised to the first selectable position
    EXPECT_EQ(l.GroupStartPos(0), 2);
    EXPECT_EQ(l.GroupStartPos(4), 1);  // nothing visible from column 4 on
    EXPECT_EQ(l.LastVisiblePos(), 3);
    EXPECT_EQ(l.ContentWidth(), 60);  // hidden columns take no room
}

TEST(LayoutHit, CellBoundaryAndTextBoundary)
{
    Tavix g;
    Build(g, { 50, 70 }, { 20, 30 }, 200, 200);
    g.State().geo.scrollX = 10;
    g.State().geo.scrollY = 5;
    int32_t l = 0, t = 0, w = 0, h = 0;
    g.CellBoundary(2, 2, l, t, w, h);
    EXPECT_EQ(l, 40);
    EXPECT_EQ(t, 15);
    EXPECT_EQ(w, 70);
    EXPECT_EQ(h, 30);
    g.SetCellIndent(2, 2, 4);
    g.SetCellRightIndent(2, 2, 3);
    const auto text = layout::Layout(g.State()).CellTextBoundary(2, 2);
    EXPECT_EQ(text.left, 45);
    EXPECT_EQ(text.width, 70 - 3 - 7);
    EXPECT_EQ(text.height, 29);
    EXPECT_THROW(g.CellBoundary(3, 1, l, t, w, h), TavixError);
}

TEST(LayoutHit, RowTextAreaBelongsToTheRowTextColumn)
{
    Tavix g;
    Build(g, { 50, 50 }, {}, 200, 200);
    g.AddCol({ .bRowTextCol = true });
    g.AddRow({ .lHeight = 40 });
    g.SetRowNormalCellHeight(1, 15);
    g.State().selection.rowMode = true;
    int32_t l = 0, t = 0, w = 0, h = 0;
    g.CellBoundary(1, 3, l, t, w, h);
    EXPECT_EQ(t, 15);
    EXPECT_EQ(h, 25);
    EXPECT_EQ(w, 100);
    g.CellBoundary(1, 1, l, t, w, h);
    EXPECT_EQ(h, 15);
}

}  // namespace
}  // namespace tavix

namespace tavix {
namespace {

// The scan that skips the rows above the view must agree with a plain scan
// from the first row, whatever the heights, hidden rows and scroll offset.
TEST(LayoutRange, SkippingRowsAboveTheViewMatchesAPlainScan)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        Tavix g;
        g.AddCol();
        const int rows = 1 + static_cast<int>(rng() % 300);
        for (int r = 0; r < rows; ++r)
            g.AddRow(AddRowArgs {
                .bVisible = rng() % 5 != 0, .lHeight = static_cast<int32_t>(rng() % 4 == 0 ? 0 : 1 + rng() % 40) });
        auto& geo = g.State().geo;
        geo.viewWidth = 100;
        geo.viewHeight = 1 + static_cast<int32_t>(rng() % 200);
        layout::Layout l(g.State());
        geo.scrollY = static_cast<int32_t>(rng() % (l.ContentHeight() + 10));
        geo.rangeState = core::RangeState::Recompute;
        const core::VisibleRange fast = l.ComputeVisibleRange();

        core::VisibleRange plain {};
        bool started = false;
        plain.EndRow = -1;
        for (int32_t r = 1; r <= rows; ++r) {
            const auto& row = g.State().rows.At(r);
            if (!row.Visible || row.Height <= 0)
                continue;
            if (!started && row.Top + row.Height > geo.scrollY) {
                started = true;
                plain.StartRow = r;
                plain.StartY = row.Top - geo.scrollY;
            }
            if (!started)
                continue;
            plain.EndRow = r;
            plain.EndY = row.Top - geo.scrollY + row.Height;
            if (row.Top > geo.scrollY + geo.viewHeight)
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

}  // namespace
}  // namespace tavix
