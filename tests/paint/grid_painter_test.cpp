#include <gtest/gtest.h>

#include "grid_scene.h"

using namespace tavix;
using namespace tavix::native;
using test::GridScene;
using test::kBlue;
using test::kGreen;
using test::kRed;

namespace {
const COLORREF kWindow = GetSysColor(COLOR_WINDOW);
const COLORREF kFace = GetSysColor(COLOR_BTNFACE);
}  // namespace

// Columns are 50 wide, rows 15 high: cell (r, c) spans x 50(c-1)..50c-1, y 15(r-1)..15r-1.
TEST(GridPainter, BackgroundsBandsAndTheAreaBelow)
{
    GridScene g(2, 3);
    g.grid.SetGridLines(tvGridLinesNone);
    g.grid.SetBackColor(kGreen);
    EXPECT_EQ(g.At(10, 5), kGreen);
    EXPECT_EQ(g.At(150, 100), kGreen) << "below and right of the cells";

    g.grid.SetBackColorOddRows(kRed);
    g.grid.SetBackColorEvenRows(kBlue);
    const COLORREF row1 = g.At(10, 5), row2 = g.At(10, 20), row3 = g.At(10, 35);
    EXPECT_NE(row1, row2);
    EXPECT_EQ(row1, row3);
    EXPECT_TRUE((row1 == kRed && row2 == kBlue) || (row1 == kBlue && row2 == kRed));
    EXPECT_EQ(g.At(120, 5), kGreen) << "the band stops at the last column";

    g.grid.SetCellBackColor(2, 1, kRed);
    EXPECT_EQ(g.At(10, 20), kRed);
}

TEST(GridPainter, FirstDrawBeforeAnyLayoutClearsEachRowWhole)
{
    GridScene g(2, 3);
    g.S().redraw = false;
    g.grid.SetCellValue(1, 2, "WWWW");
    g.S().geo.viewWidth = 0;
    g.S().redraw = true;
    g.FullDraw();
    EXPECT_EQ(g.Count({ 51, 16, 98, 28 }, GetSysColor(COLOR_WINDOWTEXT)), 0) << "row 1's text left in the buffer";
}

TEST(GridPainter, GridLinesFollowTheMode)
{
    GridScene g(2, 2);
    g.grid.SetGridLineColor(kRed);
    struct Case {
        EGridLines mode;
        bool right, bottom;
    };
    for (const Case c : { Case { tvGridLinesBoth, true, true }, Case { tvGridLinesVertical, true, false },
             Case { tvGridLinesHorizontal, false, true }, Case { tvGridLinesNone, false, false } }) {
        g.grid.SetGridLines(c.mode);
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(g.At(49, 5) == kRed, c.right);
        EXPECT_EQ(g.At(20, 14) == kRed, c.bottom);
        EXPECT_EQ(g.At(20, 5), kWindow) << "cell inside";
    }
}

TEST(GridPainter, SelectionColoursFocusAndTheDisabledLook)
{
    GridScene g(2, 2);
    g.grid.SetHighlightBackColor(kBlue);
    g.grid.SetHighlightBackColorNoFocus(kGreen);
    g.S().cells.At(1, 1).Flags |= core::CellData::kSelected;
    g.FullDraw();
    EXPECT_EQ(g.At(20, 5), kGreen);
    g.view.focused = true;
    g.FullDraw();
    EXPECT_EQ(g.At(20, 5), kBlue);
    g.grid.SetHighlightSelCells(false);
    EXPECT_EQ(g.At(20, 5), kWindow);

    // Disabled: face-coloured base, grey lines, no highlight and no cell colours.
    g.grid.SetHighlightSelCells(true);
    g.grid.SetCellBackColor(2, 1, kRed);
    g.grid.SetGridLineColor(kBlue);
    g.grid.SetEnabled(false);
    for (const Point p : { Point { 20, 5 }, Point { 20, 20 }, Point { 200, 150 } })
        EXPECT_EQ(g.At(p.x, p.y), kFace);
    EXPECT_EQ(g.At(49, 5), GetSysColor(COLOR_GRAYTEXT));
    g.grid.SetEnabled(true);
    EXPECT_EQ(g.At(20, 20), kRed);
    EXPECT_EQ(g.At(49, 20), kBlue);
}

TEST(GridPainter, FocusRectangleSitsInsideTheLinesOnlyWithFocus)
{
    GridScene g(2, 2);
    g.grid.SetFocusRectColor1(kRed);
    g.grid.SetFocusRectColor2(kBlue);
    g.S().SetCurrentCell(1, 2, false);
    g.FullDraw();
    EXPECT_EQ(g.Count({ 50, 0, 99, 14 }, kRed) + g.Count({ 50, 0, 99, 14 }, kBlue), 0);
    g.view.focused = true;
    g.FullDraw();
    // The frame's dots come out in the two colours, inside the grid lines.
    const Rect top { 50, 0, 99, 1 };
    EXPECT_EQ(g.Count(top, kRed) + g.Count(top, kBlue), 49);
    EXPECT_GT(g.Count(top, kRed), 0);
    EXPECT_EQ(g.At(99, 5), g.At(49, 5)) << "the grid line stays";
    // Row mode frames the whole row instead.
    g.S().selection.rowMode = true;
    g.FullDraw();
    EXPECT_GT(g.Count({ 0, 0, 99, 1 }, kRed), 40);
    g.grid.SetFocusRect(false);
    EXPECT_EQ(g.Count({ 0, 0, 99, 1 }, kRed), 0);
}

TEST(GridPainter, SearchPrefixIsDrawnOnTheBackColour)
{
    GridScene g(1, 2, 100);
    g.view.focused = true;
    g.grid.SetHighlightBackColor(kBlue);
    g.grid.SetHighlightForeColor(kRed);
    g.grid.SetCellValue(1, 1, "WWWW");
    g.S().cells.At(1, 1).Flags |= core::CellData::kSelected;
    g.S().SetCurrentCell(1, 1, false);
    g.S().look.focusRect = false;
    g.FullDraw();
    const Rect text { 1, 1, 98, 13 };
    EXPECT_EQ(g.Count(text, kWindow), 0);
    paint::GridPainter(g.S()).SetSearchHighlight(1, 1, 2);
    g.FullDraw();
    const int prefix = g.Count(text, kWindow);
    EXPECT_GT(prefix, 0);
    EXPECT_EQ(g.Count({ 40, 1, 98, 13 }, kWindow), 0) << "only the first two characters";
}

TEST(GridPainter, TextColourAndAlignment)
{
    GridScene g(2, 2, 100);
    g.grid.SetForeColor(kRed);
    g.grid.SetCellValue(1, 1, "WWW");
    EXPECT_GT(g.Count({ 1, 1, 50, 13 }, kRed), 0);
    EXPECT_EQ(g.Count({ 50, 1, 98, 13 }, kRed), 0);
    g.grid.SetCellTextFlags(1, 1, tvTextRight);
    EXPECT_EQ(g.Count({ 1, 1, 50, 13 }, kRed), 0);
    EXPECT_GT(g.Count({ 50, 1, 98, 13 }, kRed), 0);
    g.grid.SetCellForeColor(1, 1, kBlue);
    EXPECT_EQ(g.Count({ 1, 1, 98, 13 }, kRed), 0);
    EXPECT_GT(g.Count({ 1, 1, 98, 13 }, kBlue), 0);
}

TEST(GridPainter, HatchKeepsTheBandBetweenItsLinesAndOpaqueText)
{
    GridScene g(1, 1, 60);
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
    GridScene g(3, 5);
    g.FullDraw();
    g.Draw();  // a full repaint leaves the marks set; this takes them
    g.Poke(20, 5, test::kMagenta);  // row 1
    g.Poke(20, 35, test::kMagenta);  // row 3
    const int64_t before = g.Composed();
    g.S().MarkCellChanged(3, 2);
    g.Draw();
    EXPECT_EQ(g.Composed() - before, 1);
    EXPECT_EQ(g.At(20, 5), test::kMagenta) << "unmarked row left alone";
    EXPECT_EQ(g.At(20, 35), kWindow) << "marked row recomposed whole";
    EXPECT_EQ(g.Composed() - before, 1);
    g.Draw();
    EXPECT_EQ(g.Composed() - before, 1) << "marks are cleared";
    g.S().redraw = false;
    g.S().MarkCellChanged(1, 1);
    g.Draw();
    EXPECT_EQ(g.Composed() - before, 1) << "Redraw off paints nothing";

    // The window asking for paint gets every row and the space below, even
    // when the cached range is stale.
    g.S().redraw = true;
    g.S().geo.range = {};
    g.S().geo.rangeState = core::RangeState::Recompute;
    g.S().geo.viewWidth = g.S().geo.viewHeight = 0;  // as before the first layout
    g.Poke(20, 120, test::kMagenta);
    paint::GridPainter(g.S()).Paint();
    EXPECT_EQ(g.Composed() - before, 6);
    EXPECT_EQ(g.At(20, 5), kWindow);
    EXPECT_EQ(g.At(20, 120), kWindow);
}

TEST(GridPainter, GhostRowsExtendTheLinesDown)
{
    GridScene g(2, 2);
    g.grid.SetGridLineColor(kRed);
    g.grid.SetGridLinesExtend(tvGridLinesExtendDown);
    EXPECT_EQ(g.At(20, 44), kRed) << "bottom line of the first ghost row";
    EXPECT_EQ(g.At(49, 150), kRed);
    EXPECT_EQ(g.At(130, 44), kWindow) << "no line right of the last column";
    g.grid.SetGridLinesExtend(tvGridLinesExtendBoth);
    EXPECT_EQ(g.At(130, 14), kRed) << "row lines run on to the right";
    g.grid.SetGridLinesExtend(tvGridLinesExtendNone);
    EXPECT_EQ(g.At(20, 44), kWindow);
}
