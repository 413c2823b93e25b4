#include <gtest/gtest.h>

#include <tavix/native/imagelist.h>

#include "canvas.h"
#include "paint/cell_controls.h"
#include "paint/cell_icon.h"

using namespace tavix;
using namespace tavix::native;
using tavix::testing::kBlue;
using tavix::testing::kRed;
using tavix::testing::WindowScene;
using test::Canvas;
using test::Plain;

namespace {

const COLORREF kWindow = GetSysColor(COLOR_WINDOW);
const std::string kLong = "WWWWWWWWWWWWWWW";

// Icons 10 x 10 of solid blue.
HIMAGELIST BlueIcons()
{
    const HIMAGELIST il = ImageList_Create(10, 10, ILC_COLOR32, 0, 0);
    ImageList_AddImage(il, RgbaImage { 10, 10, std::vector<uint32_t>(100, 0xFF0000FFu) });
    return il;
}

}  // namespace

TEST(GridElements, NoClipTextFlowsOverEmptyNeighboursAndDropsTheirLines)
{
    WindowScene g(Plain(4, 2));
    g.grid.SetGridLineColor(kRed);
    g.grid.SetForeColor(kBlue);
    g.grid.SetCellValue(1, 1, kLong);
    g.grid.SetCellTextFlags(1, 1, tvTextNoClip | tvTextSingleLine);
    auto rects = g.Painter().OverflowRects(1);
    ASSERT_EQ(rects.size(), 5u);
    EXPECT_GT(rects[1].right, 50);
    EXPECT_TRUE(rects[1].noLine);
    EXPECT_GT(g.Count({ 50, 1, 99, 13 }, kBlue), 0) << "text beyond its own cell";
    EXPECT_EQ(g.Count({ 49, 0, 50, 14 }, kRed), 0) << "line between them suppressed";
    EXPECT_EQ(g.Count({ 49, 15, 50, 29 }, kRed), 14) << "the next row keeps it";

    // A neighbour with text stops the flow at once.
    g.grid.SetCellValue(1, 2, "b");
    rects = g.Painter().OverflowRects(1);
    EXPECT_EQ(rects[1].right, 50);
    EXPECT_FALSE(rects[1].noLine);
    EXPECT_EQ(g.Count({ 49, 0, 50, 14 }, kRed), 14);

    // Right-aligned text grows to the left.
    g.grid.SetCellValue(1, 4, kLong);
    g.grid.SetCellTextFlags(1, 4, tvTextNoClip | tvTextRight | tvTextSingleLine);
    rects = g.Painter().OverflowRects(1);
    EXPECT_EQ(rects[4].left, 100);
    EXPECT_TRUE(rects[3].noLine);
}

TEST(GridElements, CheckBoxesAndComboButtonsSitWhereTheirRectanglesSay)
{
    WindowScene g(Plain(2, 2));
    g.grid.SetGridLines(tvGridLinesNone);
    g.grid.SetFocusRect(false);
    g.grid.SetCellType(1, 1, tvCellCheck);
    const Rect box = CheckBoxRect({ 0, 0, 50, 15 }, 16);
    const int unchecked = g.Other(box, kWindow);
    EXPECT_GT(unchecked, 0);
    EXPECT_EQ(g.Other({ 1, 1, box.left, 14 }, kWindow), 0) << "nothing left of the box";
    g.grid.SetCellValue(1, 1, true);
    EXPECT_GT(g.Other(box, kWindow), unchecked) << "the check mark";

    // Combo buttons: only in the current cell unless every cell shows them.
    g.grid.SetCellType(2, 2, tvCellCombo);
    const Rect button = ComboButtonRect({ 50, 15, 100, 30 });
    EXPECT_EQ(g.Other(button, kWindow), 0);
    g.grid.SetShowControlsInAllCells(true);
    EXPECT_GT(g.Other(button, kWindow), 0);
    g.grid.SetShowControlsInAllCells(false);
    g.Table().SetCurrentCell(2, 2, false);
    g.Painter().Draw();
    EXPECT_GT(g.Other(button, kWindow), 0);
    g.Table().SetCurrentCell(1, 2, false);
    g.Painter().Draw();
    EXPECT_EQ(g.Other(button, kWindow), 0) << "the button follows the current cell";
}

TEST(GridElements, IconsNormalDisabledAndBlended)
{
    WindowScene g(Plain(2, 2));
    const HIMAGELIST il = BlueIcons();
    g.grid.SetImageList(GridVariant(static_cast<int32_t>(il)));
    g.grid.SetCellIcon(1, 1, 0);
    EXPECT_EQ(g.Pixel(5, 5), kBlue) << "at the text rectangle's corner";

    g.grid.SetEnabled(false);
    EXPECT_NE(g.Pixel(5, 5), kBlue);
    g.grid.SetDisableIcons(false);
    EXPECT_EQ(g.Pixel(5, 5), kBlue);
    g.grid.SetEnabled(true);

    g.grid.SetMultiSelect(true);
    g.grid.SetCellSelected(1, 1, true);
    EXPECT_EQ(g.Pixel(5, 5), kBlue) << "selected icons are not blended by default";
    g.grid.SetHighlightSelCells(false);
    g.grid.SetHighlightSelIcons(true);
    const COLORREF blended = g.Pixel(5, 5);
    EXPECT_NE(blended, kBlue);
    EXPECT_GT(GetBValue(blended), 0);
    Canvas c(10, 10);
    DrawCellIcon(il, -1, c.dc, 0, 0, 10, 10, false, false);
    EXPECT_TRUE(c.Ink().IsEmpty()) << "no icon";
    g.grid.SetImageList(GridVariant(int32_t { 0 }));
    EXPECT_EQ(g.Painter().Look().imageList, static_cast<int32_t>(il)) << "0 keeps the list";
    ImageList_Destroy(il);
}

TEST(GridElements, CustomDrawCellsGetTheEventAndTheirRectangle)
{
    WindowScene g(Plain(2, 2));
    g.events.onAny = [](const tavix::testing::RecordedEvent& e) {
        if (e.id == EventId::CustomDrawCell)
            FillRect(e.args[2].ToLong(),
                { e.args[3].ToLong(), e.args[4].ToLong(), e.args[5].ToLong(), e.args[6].ToLong() },
                UniqueGdiObject(CreateSolidBrush(kRed)));
    };
    g.grid.SetCellType(2, 2, tvCellCustomDraw);
    ASSERT_EQ(g.events.Count(EventId::CustomDrawCell), 1u);
    // The row buffer is the surface, so the row's top is 0; the cell is not selected.
    const auto& a = g.events.Events().back().args;
    EXPECT_EQ((std::vector { a[0].ToLong(), a[1].ToLong(), a[3].ToLong(), a[4].ToLong(), a[5].ToLong(), a[6].ToLong(),
                  a[7].ToLong() }),
        (std::vector { 2, 2, 50, 0, 100, 15, 0 }));
    EXPECT_EQ(g.Pixel(70, 20), kRed);
    EXPECT_NE(g.Pixel(99, 20), kRed) << "grid lines drawn over the handler's work";
}
