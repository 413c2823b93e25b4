#include "grid_test_util.h"

#include <tuple>

namespace tavix {
namespace {

using test::ErrorOf;
using test::Fill;
using test::Table;

TEST(GridColumns, NewColumnDefaultsAndWidthClamping)
{
    Tavix g;
    CellObject& d = g.AddCol();
    EXPECT_EQ(&d, &g.ColDefaultCell(1));
    EXPECT_EQ(g.ColWidth(1), 64);
    EXPECT_TRUE(g.ColVisible(1));
    EXPECT_EQ(g.ColHeaderTextFlags(1), 32800);
    EXPECT_EQ(d.eTextFlags, 32800);
    EXPECT_EQ(d.iIndent, 2);
    EXPECT_EQ(d.eHatch, 7);
    EXPECT_EQ(d.vValue().VarType(), VtString);
    g.AddCol("", "", static_cast<ETextFormatFlags>(32800), -1, 10, true, GridVariant::Missing(), true, false,
        static_cast<ESortTypes>(0), 20);
    EXPECT_EQ(g.ColWidth(2), 20);
    g.AddCol(AddColArgs { .lWidth = 100, .lMaxWidth = 50 });
    EXPECT_EQ(g.ColWidth(3), 50);
    g.SetColMinWidth(1, 80);
    EXPECT_EQ(g.ColWidth(1), 80);
    EXPECT_EQ(ErrorOf([&] { g.SetColMaxWidth(1, 70); }), tvErrMaxWidthBelowMin);
    EXPECT_EQ(g.ColMaxWidth(1), -1);
    g.SetColWidth(1, 10);
    EXPECT_EQ(g.ColWidth(1), 80);
    g.SetRedraw(true);
    g.SetColHeaderText(1, "Name");
    EXPECT_EQ(g.ColHeaderText(1), "Name");
    // Default cells the application holds outlive their columns.
    CellObject& last = g.ColDefaultCell(3);
    g.RemoveCol(1);
    g.Clear(true);
    d.SetsFmtString("0.0");
    last.iIndent = 5;
    EXPECT_EQ(d.sFmtString(), "0.0");
    EXPECT_EQ(last.iIndent, 5);
}

TEST(GridColumns, PositionLookupRules)
{
    Tavix g;
    Fill(g, 3, 1);
    g.AddCol("true");
    EXPECT_EQ(g.ColOrder(true), 4);  // a Boolean is looked up by its text
    g.AddCol("Äpfel");
    EXPECT_EQ(g.ColIndex("äPFEL"), 5);
    EXPECT_EQ(ErrorOf([&] { g.AddCol("ÄPFEL"); }), tvErrDuplicateKey);
    g.RemoveCol("äpfel");
    g.SetColOrder(3, 1);
    EXPECT_EQ(g.ColOrder(3), 1);
    g.SetCellValue(1, 3, GridVariant(int32_t { 7 }));
    EXPECT_EQ(g.CellValue(1, "c3").ToLong(), 7);
    for (int32_t c = 1; c <= 4; ++c)
        g.ColDefaultCell(c).iIndent = static_cast<int16_t>(10 * c);
    g.AddRow();  // new cells take their own column's default, wherever it now stands
    for (int32_t c = 1; c <= 4; ++c)
        EXPECT_EQ(g.CellIndent(2, c), 10 * c);
    g.RemoveCol(3);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(ErrorOf([&] { g.ColIndex("c3"); }), tvErrSubscript);
    EXPECT_EQ(g.ColKey(1), "c1");
}

TEST(GridColumns, RowTextColumnRules)
{
    Tavix g;
    g.AddCol("a");
    g.AddCol(AddColArgs { .sKey = "t", .bRowTextCol = true });
    EXPECT_EQ(Table(g).RowTextCol(), 2);
    g.AddCol(AddColArgs { .sKey = "b", .vColBefore = "t" });
    EXPECT_EQ(Table(g).RowTextCol(), 3);
    g.SetColVisible("t", false);
    EXPECT_TRUE(g.ColVisible("t"));
    g.SetRowTextStartCol(2);
    g.RemoveCol("a");
    EXPECT_EQ(Table(g).RowTextCol(), 2);
    EXPECT_EQ(g.RowTextStartCol(), 2);
    g.RemoveCol("t");
    EXPECT_EQ(Table(g).RowTextCol(), 0);
    EXPECT_EQ(g.RowTextStartCol(), 0);  // removing the row-text column resets where row text starts
    g.AddCol();  // appending is allowed again
    EXPECT_EQ(g.ColCount(), 2);
}

TEST(GridCells, PoolsShareEntries)
{
    Tavix g;
    Fill(g, 2, 1);
    const core::GridTable& t = Table(g);
    FontRef font("DejaVu Sans", 10);
    for (int32_t c = 1; c <= 2; ++c) {
        g.SetCellFmtString(1, c, "0.00");
        g.SetCellFont(1, c, font);
    }
    EXPECT_EQ(std::pair(t.Formats().Count(), t.Fonts().Count()), std::pair(1, 1));
    g.SetCellFont(1, 1, FontRef("dejavu sans", 10));
    EXPECT_EQ(t.Fonts().Count(), 2);
    font.SetBold(true);  // the pool keeps its own copy
    g.SetCellFont(1, 2, FontRef("DejaVu Sans", 10));
    EXPECT_EQ(t.Fonts().Count(), 2);
}

TEST(GridCells, NewCellsCopyTheDefaultCell)
{
    Tavix g;
    CellObject& d = g.AddCol();
    d.SeteType(tvCellCheck);
    d.SetsFmtString("0.0");
    g.AddRow();
    EXPECT_EQ(g.CellValue(1, 1).ToLong(), 0);
    EXPECT_EQ(g.CellFmtString(1, 1), "0.0");
    // Spare rows, fresh or given up, take the defaults of when they come into use.
    d.iIndent = 4;
    g.AddRow();
    g.SetRowCount(300);
    g.SetRowCount(2);
    d.iIndent = 5;
    g.SetRowCount(3);
    EXPECT_EQ(std::tuple(g.CellIndent(2, 1), g.CellIndent(3, 1)), std::tuple(4, 5));
    EXPECT_EQ(g.InitValue(tvCellCombo).VarType(), VtEmpty);
    g.SetCellBackColor(1, 1, 0xFF);
    g.SetCellForeColor(1, 1, 0xFF);
    g.CellDefaultBackColor(1, 1);
    g.CellDefaultForeColor(1, 1);
    EXPECT_EQ(std::pair(g.CellBackColor(1, 1), g.CellForeColor(1, 1)), std::pair(kColorDefault, kColorDefault));
}

}  // namespace
}  // namespace tavix
