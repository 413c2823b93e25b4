#include "grid_test_util.h"

#include "core/cell_text.h"

#include <tavix/dispatch.h>

namespace tavix {
namespace {

TEST(GridCellText, FormatNullObjectsAndCellTypes)
{
    Tavix g;
    test::Fill(g, 2, 2);
    g.SetCellValue(1, 1, GridVariant(1234.5));
    g.SetCellFmtString(1, 1, "#,##0.00");
    EXPECT_EQ(g.CellText(1, 1), "1,234.50");
    EXPECT_EQ(g.CellValue(1, 1).VarType(), VtDouble);
    g.SetCellValue(1, 2, GridVariant::Null());
    EXPECT_EQ(g.CellText(1, 2), "");
    g.SetCellValue(1, 2, GridVariant());
    EXPECT_EQ(g.CellText(1, 2), "");

    auto object = std::make_shared<DispatchObject>();
    object->DefineMethod("ToString", [](std::span<GridVariant>) { return GridVariant("from object"); });
    g.SetCellValue(2, 1, GridVariant(std::shared_ptr<Dispatch>(object)));
    EXPECT_EQ(g.CellText(2, 1), "from object");
    g.SetCellValue(2, 2, GridVariant(std::shared_ptr<Dispatch>(std::make_shared<DispatchObject>())));
    EXPECT_EQ(g.CellText(2, 2), "");  // no ToString method: no text, no error

    g.SetCellValue(1, 2, GridVariant(int32_t { 7 }));
    g.SetCellType(1, 2, tvCellCheck);
    EXPECT_EQ(g.CellValue(1, 2).ToLong(), 7);  // the type change keeps the value
    EXPECT_EQ(g.CellText(1, 2), "");
    g.SetCellTypeFlags(1, 2, tvCheckBox3State);
    EXPECT_EQ(g.CellType(1, 2), tvCellCheck);
    EXPECT_EQ(g.CellTypeFlags(1, 2), tvCheckBox3State);
}

TEST(GridCellText, CheckStates)
{
    EXPECT_EQ(core::CheckStateOf(GridVariant(true), false), 1);
    EXPECT_EQ(core::CheckStateOf(GridVariant(false), true), 0);
    EXPECT_EQ(core::CheckStateOf(GridVariant(1.0), false), 1);
    EXPECT_EQ(core::CheckStateOf(GridVariant(int32_t { 2 }), false), 0);
    EXPECT_EQ(core::CheckStateOf(GridVariant(int32_t { 2 }), true), 2);
    EXPECT_EQ(core::CheckStateOf(GridVariant("x"), true), 0);
}

// Cells with equal looks share one pooled entry; changing one cell gives it another entry and
// leaves the cells it shared with as they were.
TEST(GridCellLook, ChangingACellLeavesTheCellsItSharedWith)
{
    Tavix g;
    test::Fill(g, 2, 2);
    const core::GridTable& t = test::Table(g);
    EXPECT_EQ(&t.CellLookAt(1, 1), &t.CellLookAt(2, 2));
    g.SetCellBackColor(1, 1, 0xFF);
    g.SetCellBackColor(2, 2, 0xFF);
    EXPECT_EQ(&t.CellLookAt(1, 1), &t.CellLookAt(2, 2));
    EXPECT_EQ(g.CellBackColor(1, 2), kColorDefault);
    const int16_t indent = g.CellIndent(2, 2);
    g.SetCellIndent(1, 1, static_cast<int16_t>(indent + 4));
    EXPECT_EQ(g.CellIndent(2, 2), indent);
    EXPECT_EQ(g.CellBackColor(2, 2), 0xFFu);
    EXPECT_EQ(g.CellIndent(1, 1), indent + 4);
    EXPECT_EQ(g.CellBackColor(1, 1), 0xFFu);
}

TEST(GridCellFont, OnlyTheLastHandedOutCopyIsWatched)
{
    Tavix g;
    test::Fill(g, 2, 1);
    const core::GridTable& t = test::Table(g);
    FontRef first = g.CellFont(1, 1);
    EXPECT_EQ(first.Name(), t.GridFont().Name());
    first.SetBold(true);
    const int16_t boldIndex = t.CellLookAt(1, 1).FontIndex;
    EXPECT_GT(boldIndex, 0);
    EXPECT_TRUE(t.Fonts().At(boldIndex).Bold());
    EXPECT_FALSE(t.GridFont().Bold());

    FontRef second = g.CellFont(1, 2);
    first.SetItalic(true);  // no longer followed
    EXPECT_EQ(t.CellLookAt(1, 1).FontIndex, boldIndex);
    second.SetBold(true);
    EXPECT_EQ(t.CellLookAt(1, 2).FontIndex, boldIndex);  // equal font reuses the entry
    g.CellDefaultFont(1, 2);
    EXPECT_EQ(t.CellLookAt(1, 2).FontIndex, 0);
}

}  // namespace
}  // namespace tavix
