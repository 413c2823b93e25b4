// The README's example must keep working as written.
#include <gtest/gtest.h>
#include <tavix/tavix.h>

TEST(ReadmeExample, FormatsAnAmountThroughTheColumnDefaultCell)
{
    tavix::Tavix grid;
    grid.AddCol(tavix::AddColArgs { .sKey = "name", .sHeader = "Name" });
    grid.AddCol(tavix::AddColArgs { .sKey = "amount", .lWidth = 90 });
    grid.ColDefaultCell("amount").SetsFmtString("#,##0.00");
    grid.AddRow(tavix::AddRowArgs { .sKey = "r1" });
    grid.SetCellValue("r1", "name", "Alpha");
    grid.SetCellValue("r1", "amount", 1234.5);
    EXPECT_EQ(grid.CellText("r1", "amount"), "1,234.50");
    EXPECT_EQ(grid.CellText("r1", "name"), "Alpha");
    EXPECT_EQ(grid.ColWidth("amount"), 90);
}
