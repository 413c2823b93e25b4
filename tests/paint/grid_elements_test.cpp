#include <gtest/gtest.h>

#include <tavix/native/imagelist.h>

#include "grid_scene.h"
#include "paint/cell_controls.h"
#include "support/event_recorder.h"

using namespace tavix;
using namespace tavix::native;
using test::GridScene;
using test::kBlue;
using test::kRed;

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
    GridScene g(4, 2);
    g.grid.SetGridLineColor(kRed);
    g.grid.SetForeColor(kBlue);
    g.grid.SetCellValue(1, 1, kLong);
    g.grid.SetCellTextFlags(1, 1, tvTextNoClip | tvTextSingleLine);
    auto rects = paint::GridPainter(g.S()).OverflowRects(1);
    ASSERT_EQ(rects.size(), 5u);
    EXPECT_GT(rects[1].right, 50);
    EXPECT_TRUE(rects[1].noLine);
    EXPECT_FALSE(rects[2].occupied);
    EXPECT_GT(g.Count({ 50, 1, 99, 13 }, kBlue), 0) << "text beyond its own cell";
    EXPECT_EQ(g.Count({ 49, 0, 50, 14 }, kRed), 0) << "line between them suppressed";
    EXPECT_EQ(g.Count({ 49, 15, 50, 29 }, kRed), 14) << "the next row keeps it";

    // A neighbour with text stops the flow at once.
    g.grid.SetCellValue(1, 2, "b");
    rects = paint::GridPainter(g.S()).OverflowRects(1);
    EXPECT_EQ(rects[1].right, 50);
    EXPECT_FALSE(rects[1].noLine);
    EXPECT_EQ(g.Count({ 49, 0, 50, 14 }, kRed), 14);

    // Right-aligned text grows to the left.
    g.grid.SetCellValue(1, 4, kLong);
    g.grid.SetCellTextFlags(1, 4, tvTextNoClip | tvTextRight | tvTextSingleLine);
    rects = paint::GridPainter(g.S()).OverflowRects(1);
    EXPECT_EQ(rects[4].left, 100);
    EXPECT_TRUE(rects[3].noLine);
}

TEST(GridElements, CheckBoxesAndComboButtonsSitWhereTheirRectanglesSay)
{
    GridScene g(2, 2);
    g.grid.SetGridLines(tvGridLinesNone);
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
    g.S().SetCurrentCell(2, 2, false);
    g.Draw();
    EXPECT_GT(g.Other(button, kWindow), 0);
}

TEST(GridElements, IconsNormalDisabledAndBlended)
{
    GridScene g(2, 2);
    const HIMAGELIST il = BlueIcons();
    g.grid.SetImageList(GridVariant(static_cast<int32_t>(il)));
    EXPECT_EQ(g.S().geo.iconWidth, 10);
    g.grid.SetCellIcon(1, 1, 0);
    EXPECT_EQ(g.At(5, 5), kBlue) << "at the text rectangle's corner";
    g.grid.SetForeColor(kRed);
    g.grid.SetCellValue(1, 1, "WW");
    EXPECT_EQ(g.Count({ 1, 1, 12, 13 }, kRed), 0) << "text starts after the icon";

    g.grid.SetEnabled(false);
    EXPECT_NE(g.At(5, 5), kBlue);
    g.grid.SetDisableIcons(false);
    EXPECT_EQ(g.At(5, 5), kBlue);
    g.grid.SetEnabled(true);

    g.S().cells.At(1, 1).Flags |= core::CellData::kSelected;
    g.grid.SetHighlightSelCells(false);
    g.grid.SetHighlightSelIcons(true);
    const COLORREF blended = g.At(5, 5);
    EXPECT_NE(blended, kBlue);
    EXPECT_GT(GetBValue(blended), 0);
    g.grid.SetImageList(GridVariant(int32_t { 0 }));
    EXPECT_EQ(g.S().look.imageList, il) << "0 keeps the list";
    ImageList_Destroy(il);
}

TEST(GridElements, CustomDrawCellsGetTheEventAndTheirRectangle)
{
    GridScene g(2, 2);
    tavix::testing::EventRecorder rec;
    g.grid.SetEventSink(&rec);
    rec.onAny = [](const tavix::testing::RecordedEvent& e) {
        if (e.id != EventId::CustomDrawCell)
            return;
        const HDC hdc = e.args[2].ToLong();
        FillRect(hdc, { e.args[3].ToLong(), e.args[4].ToLong(), e.args[5].ToLong(), e.args[6].ToLong() },
            UniqueGdiObject(CreateSolidBrush(kRed)));
    };
    g.grid.SetCellType(2, 2, tvCellCustomDraw);
    ASSERT_EQ(rec.Count(EventId::CustomDrawCell), 1u);
    // The row buffer is the surface, so the row's top is 0.
    EXPECT_EQ(rec.Events().back().ToString().substr(0, 18), "CustomDrawCell(2,2");
    std::vector<int32_t> rect;
    for (int i = 3; i < 7; ++i)
        rect.push_back(rec.Events().back().args[i].ToLong());
    EXPECT_EQ(rect, (std::vector<int32_t> { 50, 0, 100, 15 }));
    EXPECT_FALSE(rec.Events().back().args[7].ToBool());
    EXPECT_EQ(g.At(70, 20), kRed);
    EXPECT_NE(g.At(99, 20), kRed) << "grid lines drawn over the handler's work";
}

TEST(GridElements, RowTextUnderTheCellsAndGroupRowsAcross)
{
    GridScene g(2, 2);
    g.grid.AddCol(AddColArgs { .lWidth = 10, .bRowTextCol = true });
    g.S().selection.rowMode = true;  // the selection module owns the setter
    g.grid.SetRowHeight(1, 30);
    g.grid.SetRowNormalCellHeight(1, 15);
    g.grid.SetForeColor(kBlue);
    g.grid.SetCellValue(1, 3, "row text");
    EXPECT_GT(g.Count({ 1, 16, 99, 29 }, kBlue), 0);
    EXPECT_EQ(g.Count({ 1, 1, 99, 14 }, kBlue), 0);
    g.grid.SetDrawRowText(false);
    EXPECT_EQ(g.Count({ 1, 16, 99, 29 }, kBlue), 0);

    g.grid.AddRow(AddRowArgs { .bGroupRow = true, .lGroupColStartIndex = 2 });
    g.grid.SetCellValue(3, 3, "WWWWWWWW");
    EXPECT_GT(g.Count({ 51, 46, 99, 59 }, kBlue), 0) << "from the group start column";
    EXPECT_EQ(g.Count({ 0, 46, 50, 59 }, kBlue), 0);
}

TEST(GridElements, VirtualModeRequestsTheRowsPaintingReaches)
{
    GridScene g(2, 0, 50, 300, 100);
    tavix::testing::EventRecorder rec;
    g.grid.SetEventSink(&rec);
    rec.onRequestRow = [](int32_t row, bool& noMore) { noMore = row == 4; };
    g.grid.SetVirtual(true);
    g.FullDraw();
    EXPECT_EQ(rec.Strings(),
        (std::vector<std::string> { "RequestRow(1,False)", "RequestRowData(1)", "RequestRow(2,False)",
            "RequestRowData(2)", "RequestRow(3,False)", "RequestRowData(3)", "RequestRow(4,False)" }));
    EXPECT_EQ(g.grid.RowCount(), 3);
    rec.Clear();
    g.FullDraw();
    EXPECT_TRUE(rec.Strings().empty()) << "no more requests once the end is known";
}
