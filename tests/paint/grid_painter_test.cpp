#include <gtest/gtest.h>

#include <random>

#include "canvas.h"

using namespace tavix;
using namespace tavix::native;
using tavix::testing::kBlue;
using tavix::testing::kGreen;
using tavix::testing::kMagenta;
using tavix::testing::kRed;
using tavix::testing::WindowScene;
using test::Plain;

namespace {

const COLORREF kWindow = GetSysColor(COLOR_WINDOW);
const COLORREF kFace = GetSysColor(COLOR_BTNFACE);

void Repaint(WindowScene& g)
{
    g.Painter().MarkLayoutStale();
    g.Painter().Draw();
}

void Poke(WindowScene& g, int x, int y, COLORREF c)
{
    const HDC dc = GetDC(g.grid.hwnd());
    SetPixel(dc, x, y, c);
    ReleaseDC(g.grid.hwnd(), dc);
}

}  // namespace

TEST(GridPainter, SelectionColoursFocusAndTheDisabledLook)
{
    WindowScene g(Plain(2, 2));
    g.grid.SetHighlightBackColor(kBlue);
    g.grid.SetHighlightBackColorNoFocus(kGreen);
    g.grid.SetMultiSelect(true);
    SetFocus(0);
    g.grid.SetCellSelected(1, 1, true);
    EXPECT_EQ(g.Pixel(20, 5), kGreen);
    g.Focus();
    EXPECT_EQ(g.Pixel(20, 5), kBlue);
    g.grid.SetHighlightSelCells(false);
    EXPECT_EQ(g.Pixel(20, 5), kWindow);

    // Disabled: face-coloured base, grey lines, no highlight and no cell colours; enabled
    // again, exactly the look it had.
    g.grid.SetHighlightSelCells(true);
    g.grid.SetCellBackColor(2, 1, kRed);
    g.grid.SetGridLineColor(kBlue);
    const auto enabled = g.Area(g.Client());
    g.grid.SetEnabled(false);
    for (const Point p : { Point { 20, 5 }, Point { 20, 20 }, Point { 200, 150 } })
        EXPECT_EQ(g.Pixel(p.x, p.y), kFace);
    EXPECT_EQ(g.Pixel(49, 5), GetSysColor(COLOR_GRAYTEXT));
    g.grid.SetEnabled(true);
    EXPECT_EQ(g.Area(g.Client()), enabled);
}

TEST(GridPainter, FocusRectangleSitsInsideTheLinesOnlyWithFocus)
{
    WindowScene g(Plain(2, 2));
    g.grid.SetFocusRectColor1(kRed);
    g.grid.SetFocusRectColor2(kBlue);
    SetFocus(0);
    g.Table().SetCurrentCell(1, 2, false);
    g.Painter().Draw();
    EXPECT_EQ(g.Count({ 50, 0, 99, 14 }, kRed) + g.Count({ 50, 0, 99, 14 }, kBlue), 0);
    g.Focus();
    // The frame's dots come out in the two colours, inside the grid lines.
    const Rect top { 50, 0, 99, 1 };
    EXPECT_EQ(g.Count(top, kRed) + g.Count(top, kBlue), 49);
    EXPECT_GT(g.Count(top, kRed), 0);
    // The frame follows the current cell.
    g.Table().SetCurrentCell(2, 2, false);
    g.Painter().Draw();
    EXPECT_EQ(g.Count(top, kRed), 0);
    EXPECT_GT(g.Count({ 50, 15, 99, 16 }, kRed), 0);
    // Row mode frames the whole row instead.
    g.grid.SetRowMode(true);
    Repaint(g);
    EXPECT_GT(g.Count({ 0, 15, 99, 16 }, kRed), 40);
    g.grid.SetFocusRect(false);
    EXPECT_EQ(g.Count({ 0, 15, 99, 16 }, kRed), 0);
}

TEST(GridPainter, SearchPrefixIsDrawnOnTheBackColour)
{
    WindowScene g(Plain(1, 2, 100));
    g.Focus();
    g.grid.SetHighlightBackColor(kBlue);
    g.grid.SetHighlightForeColor(kRed);
    g.grid.SetFocusRect(false);
    g.grid.SetCellValue(1, 1, "WWWW");
    g.grid.SetCurCell(1, 1);
    const Rect text { 1, 1, 98, 13 };
    EXPECT_EQ(g.Count(text, kWindow), 0);
    g.Painter().SetSearchHighlight({ { 1, 1 }, 2 });
    Repaint(g);
    EXPECT_GT(g.Count(text, kWindow), 0);
    EXPECT_EQ(g.Count({ 40, 1, 98, 13 }, kWindow), 0) << "only the first two characters";
}

TEST(GridPainter, HatchKeepsTheBandBetweenItsLinesAndOpaqueText)
{
    WindowScene g(Plain(1, 1, 60));
    g.grid.SetGridLines(tvGridLinesNone);
    g.grid.SetCellBackColor(1, 1, kRed);
    g.grid.SetCellHatch(1, 1, tvHatchVertical);
    const Rect cell { 0, 0, 60, 15 };
    EXPECT_GT(g.Count(cell, kRed), 0);
    EXPECT_GT(g.Count(cell, kWindow), g.Count(cell, kRed));
    // Text over a hatch gets a box in the grid's back colour that hides the lines.
    const int hatchOnly = g.Count(cell, kRed);
    g.grid.SetCellValue(1, 1, "xx");
    const int opaque = g.Count(cell, kRed);
    g.grid.SetOpaqueTextInHatchedCells(false);
    const int transparent = g.Count(cell, kRed);
    EXPECT_LT(opaque, transparent);
    EXPECT_LE(transparent, hatchOnly);
}

TEST(GridPainter, IncrementalDrawComposesOnlyMarkedRows)
{
    WindowScene g(Plain(3, 5));
    Poke(g, 20, 5, kMagenta);  // row 1
    Poke(g, 20, 35, kMagenta);  // row 3
    const int64_t before = g.Composed();
    g.grid.SetCellValue(3, 2, "x");
    EXPECT_EQ(g.Composed() - before, 1);
    EXPECT_EQ(g.Pixel(20, 5), kMagenta) << "unmarked row left alone";
    EXPECT_EQ(g.Pixel(20, 35), kWindow) << "marked row recomposed whole";
    g.Painter().Draw();
    EXPECT_EQ(g.Composed() - before, 1) << "marks are cleared";
    g.grid.DrawCell(2, 1);
    EXPECT_EQ(g.Composed() - before, 2);
    g.grid.SetRedraw(false);
    g.grid.SetCellValue(1, 1, "y");
    EXPECT_EQ(g.Composed() - before, 2) << "Redraw off paints nothing";

    // The window asking for paint gets every row and the space below, even when the
    // cached range is stale.
    g.grid.SetRedraw(true);
    Poke(g, 20, 5, kMagenta);
    Poke(g, 20, 120, kMagenta);
    const int64_t painted = g.Composed();
    g.Layout().InvalidateRange(core::RangeChange::Recompute);
    g.Painter().Paint();
    EXPECT_EQ(g.Composed() - painted, 5);
    EXPECT_EQ(g.Pixel(20, 5), kWindow);
    EXPECT_EQ(g.Pixel(20, 120), kWindow);
}

// Whatever changes, the rows the incremental Draw repaints leave the window exactly as a
// full repaint of the same state does.
TEST(GridPainter, IncrementalRepaintEqualsAFullRepaintAfterRandomChanges)
{
    WindowScene g(Plain(4, 30, 60));
    g.grid.SetMultiSelect(true);
    g.grid.SetBackColorOddRows(0xE0E0E0);
    g.Focus();
    std::mt19937 rng(2024);
    const auto pick = [&](int n) { return static_cast<int32_t>(rng() % static_cast<unsigned>(n)) + 1; };
    const COLORREF colours[] = { kRed, kBlue, kGreen, 0xFFFFFFFFu };
    const auto screen = [&] {
        const Surface& frame = g.desktop.Frame();
        return std::vector<uint32_t>(frame.Data(), frame.Data() + frame.Width() * frame.Height());
    };
    for (int step = 0; step < 200; ++step) {
        const int32_t r = pick(30), c = pick(4);
        switch (rng() % 15) {
        case 0: g.grid.SetCellValue(r, c, std::string(static_cast<size_t>(pick(12)), 'W')); break;
        case 1: g.grid.SetCellBackColor(r, c, colours[pick(4) - 1]); break;
        case 2: g.grid.SetCellForeColor(r, c, colours[pick(4) - 1]); break;
        case 3: g.grid.SetCellSelected(r, c, rng() % 2); break;
        case 4: g.grid.SetRowVisible(r, rng() % 4 != 0); break;
        case 5: g.grid.SetColVisible(c, rng() % 3 != 0); break;
        case 6: g.grid.SetCellHatch(r, c, static_cast<EHatchStyles>(pick(8) - 1)); break;
        case 7: g.grid.SetCellTextFlags(r, c, rng() % 2 ? tvTextNoClip | tvTextSingleLine : tvTextRight); break;
        case 8: g.grid.SetCurCell(r, c); break;
        case 9: g.grid.SetCellType(r, c, rng() % 2 ? tvCellCheck : tvCellText); break;
        case 10: g.grid.SetRowHeight(r, 10 + pick(20)); break;
        case 11:
            if (g.grid.VScrollBar().Visible())
                g.grid.VScrollBar().SetValue(pick(g.grid.VScrollBar().Max()));
            break;
        case 12: g.grid.SetRowIsGroup(r, rng() % 3 == 0); break;
        case 13:  // rows and columns inserted and removed move the current cell
            g.grid.AddRow(AddRowArgs { .vRowBefore = GridVariant(r) });
            g.grid.RemoveRow(GridVariant(pick(31)));
            break;
        case 14:
            g.grid.AddCol(AddColArgs { .vColBefore = GridVariant(c) });
            g.grid.RemoveCol(GridVariant(pick(5)));
            break;
        }
        const auto incremental = screen();
        const int64_t composed = g.Composed();
        Repaint(g);
        ASSERT_GT(g.Composed(), composed);
        ASSERT_EQ(screen(), incremental) << "step " << step;
    }
}

// A new default row height shows only where rows of that height are drawn: the ghost rows
// under the last row and the row-text band.
TEST(GridPainter, DefaultRowHeightRedrawsOnlyWhereItShows)
{
    struct Case {
        EGridLines lines;
        EGridLinesExtendModes extend;
        bool rowTextCol;
        bool redraws;
    };
    for (const Case& c : { Case { tvGridLinesBoth, tvGridLinesExtendNone, false, false },
             Case { tvGridLinesVertical, tvGridLinesExtendBoth, false, false },
             Case { tvGridLinesHorizontal, tvGridLinesExtendRight, false, false },
             Case { tvGridLinesHorizontal, tvGridLinesExtendDown, false, true },
             Case { tvGridLinesBoth, tvGridLinesExtendBoth, false, true },
             Case { tvGridLinesNone, tvGridLinesExtendNone, true, true } }) {
        WindowScene g(Plain(1, 2));
        if (c.rowTextCol)
            g.grid.AddCol(AddColArgs { .bRowTextCol = true });
        g.grid.SetGridLines(c.lines);
        g.grid.SetGridLinesExtend(c.extend);
        auto& host = static_cast<StandaloneHost&>(g.grid.GetHost());
        host.ClearChangedProperties();
        const int64_t before = g.Composed();
        g.grid.SetDefaultRowHeight(22);
        EXPECT_EQ(g.Composed() - before, c.redraws ? 2 : 0) << c.lines << "/" << c.extend << "/" << c.rowTextCol;
        g.grid.SetDefaultRowHeight(22);  // unchanged: nothing at all
        EXPECT_EQ(host.ChangedProperties(), std::vector<std::string> { "DefaultRowHeight" });
    }
}

// A row is composed a view at most at a time: however tall rows or the default
// height are, the buffer stays within the window and what shows is right.
TEST(GridPainter, TallRowsAreComposedWithinTheWindow)
{
    WindowScene g(Plain(1, 3));
    const int32_t window = g.Client().Height();
    g.grid.SetCellBackColor(1, 1, kRed);
    g.grid.SetCellBackColor(2, 1, kBlue);
    g.grid.SetRowHeight(1, 2000000000);
    const Rect top = g.CellRect(1, 1);
    EXPECT_EQ(g.Pixel(top.left + 3, g.Client().bottom - 3), kRed) << "the row fills the view";
    g.grid.EnsureVisibleRow(2, tvEnsVisRowBottomForce, 0);
    const Rect below = g.CellRect(2, 1);
    EXPECT_EQ(g.Pixel(below.left + 3, below.top - 3), kRed) << "the foot of the tall row";
    EXPECT_EQ(g.Pixel(below.left + 3, below.top + 3), kBlue);
    g.grid.SetDefaultRowHeight(1000000000);
    g.grid.SetGridLinesExtend(tvGridLinesExtendBoth);
    g.grid.RemoveRow(1);
    g.grid.AddRow(AddRowArgs { .lHeight = 1500000000 });
    Repaint(g);
    EXPECT_LE(g.Painter().BufferHeight(), window);
}
