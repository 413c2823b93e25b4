#include "grid_test_util.h"

#include "core/grid_state.h"

namespace tavix {
namespace {

using test::ErrorOf;
using test::Fill;

TEST(GridResolve, NumbersRoundHalfToEvenAndNonNumbersFail)
{
    Tavix g;
    Fill(g, 4, 4);
    g.SetCellValue(2, 2, GridVariant(int32_t { 22 }));
    g.SetCellValue(4, 4, GridVariant(int32_t { 44 }));
    EXPECT_EQ(g.CellValue(2.5, 2.5).ToLong(), 22);
    EXPECT_EQ(g.CellValue(3.5, 3.5).ToLong(), 44);
    EXPECT_EQ(g.CellValue("r2", "C2").ToLong(), 22);
    for (const GridVariant& bad :
        { GridVariant::Date(45000.0), GridVariant(true), GridVariant(), GridVariant::Null() }) {
        EXPECT_EQ(ErrorOf([&] { g.CellValue(bad, 1); }), 513);
        EXPECT_EQ(ErrorOf([&] { g.CellValue(1, bad); }), 513);
    }
    EXPECT_EQ(ErrorOf([&] { g.CellValue(0, 1); }), 513);
    EXPECT_EQ(ErrorOf([&] { g.CellValue(5, 1); }), 513);
    EXPECT_EQ(ErrorOf([&] { g.CellValue(1, 5); }), 513);
}

TEST(GridResolve, KeyCaseRules)
{
    Tavix g;
    g.AddCol("name");
    g.AddRow("key");
    EXPECT_EQ(g.ColIndex("NAME"), 1);
    EXPECT_EQ(g.RowIndex("key"), 1);
    EXPECT_EQ(ErrorOf([&] { g.RowIndex("KEY"); }), 513);
    EXPECT_EQ(ErrorOf([&] { g.ColIndex("nope"); }), 513);
    g.AddRow("KEY");  // row keys are case-sensitive, so this is a different key
    EXPECT_EQ(g.RowIndex("KEY"), 2);
    EXPECT_EQ(ErrorOf([&] { g.AddRow("key"); }), 515);
    EXPECT_EQ(ErrorOf([&] { g.AddCol("Name"); }), 515);
}

TEST(GridErrors, CodesNumbersAndMessages)
{
    Tavix g;
    try {
        g.RowIndex("nope");
        FAIL();
    } catch (const TavixError& e) {
        EXPECT_EQ(e.Code(), 513);
        EXPECT_EQ(static_cast<uint32_t>(e.Number()), 0x80040201u);
        EXPECT_EQ(e.Source(), "Tavix");
        EXPECT_EQ(e.Description(), "Subscript out of range.");
    }
    EXPECT_EQ(ErrorOf([&] { g.AddRow(); }), 516);
    EXPECT_EQ(ErrorOf([&] { g.SetRowCount(0); }), 516);
    g.AddCol();
    EXPECT_EQ(ErrorOf([&] { g.SetRowCount(-1); }), 514);
    EXPECT_EQ(ErrorOf([&] { g.SetDefaultRowHeight(0); }), 514);
    EXPECT_EQ(ErrorOf([&] { g.SetMemMngWantFreeRows(-1); }), 514);
    EXPECT_EQ(ErrorOf([&] { g.SetMemMngAllocatedRows(1); }), 514);
    EXPECT_EQ(ErrorOf([&] { g.InitValue(static_cast<ECellTypes>(4)); }), 514);
}

TEST(GridRows, AppendAndInsertKeepTopsKeysAndCurrentRow)
{
    Tavix g;
    test::CurCellLog log;
    log.Attach(g);
    g.AddCol();
    g.AddRow("a");
    g.AddRow("b", GridVariant::Missing(), false);
    g.AddRow("c", GridVariant::Missing(), true, -5);
    EXPECT_EQ(g.RowHeight(3), 15);
    EXPECT_EQ(g.State().rows.At(3).Top, 15);  // the hidden row adds nothing
    g.State().SetCurrentCell(2, 1, false);
    g.AddRow("x", 2, true, 20);
    EXPECT_EQ(g.RowIndex("x"), 2);
    EXPECT_EQ(g.RowIndex("b"), 3);
    EXPECT_EQ(g.RowIndex("c"), 4);
    EXPECT_EQ(g.CurRow(), 3);
    EXPECT_EQ(log.Events(), std::vector<std::string> { "CurCellChange(3,1)" });
    EXPECT_EQ(g.State().rows.At(2).Top, 15);
    EXPECT_EQ(g.State().rows.At(4).Top, 35);
    g.AddRow("A");  // capital differs from "a"
    EXPECT_EQ(g.RowIndex("A"), 5);
    EXPECT_EQ(g.RowKey(1), "a");
}

TEST(GridRows, RemoveByKeyNumberAndCurrentRow)
{
    Tavix g;
    test::CurCellLog log;
    Fill(g, 2, 4);
    log.Attach(g);
    g.SetCellValue(3, 1, GridVariant(int32_t { 33 }));
    EXPECT_EQ(ErrorOf([&] { g.RemoveRow("zz"); }), 513);
    EXPECT_EQ(ErrorOf([&] { g.RemoveRow(true); }), 513);
    g.State().SetCurrentCell(2, 1, false);
    g.RemoveRow("r2");
    EXPECT_EQ(g.CurRow(), 0);
    EXPECT_EQ(log.Events(), std::vector<std::string> { "CurCellChange(0,1)" });
    EXPECT_EQ(g.RowIndex("r3"), 2);
    EXPECT_EQ(g.CellValue(2, 1).ToLong(), 33);
    g.State().SetCurrentCell(3, 1, false);
    g.RemoveRow(1);
    EXPECT_EQ(g.CurRow(), 2);
    g.RemoveRow(2);
    g.RemoveRow(1);
    EXPECT_EQ(g.RowCount(), 0);
    EXPECT_EQ(g.MemMngAllocatedRows(), 0);
    EXPECT_EQ(ErrorOf([&] { g.RowIndex("r4"); }), 513);
}

TEST(GridRows, BlockAllocationBoundaries)
{
    Tavix g;
    g.AddCol();
    const auto& cells = g.State().cells;
    std::vector<std::pair<int32_t, int32_t>> growth;  // (row count, allocation) at each reallocation
    int64_t seen = cells.Reallocations();
    for (int32_t r = 1; r <= 303; ++r) {
        g.AddRow();
        if (cells.Reallocations() != seen) {
            seen = cells.Reallocations();
            growth.emplace_back(r, g.MemMngAllocatedRows());
        }
    }
    EXPECT_EQ(growth, (std::vector<std::pair<int32_t, int32_t>> { { 1, 101 }, { 102, 202 }, { 203, 303 } }));
    for (int32_t r = 0; r < 100; ++r)
        g.RemoveRow(1);
    EXPECT_EQ(g.MemMngAllocatedRows(), 303);  // exactly F spare rows: no shrink yet
    g.RemoveRow(1);
    EXPECT_EQ(g.MemMngAllocatedRows(), 302);
    g.SetMemMngAllocatedRows(202);
    EXPECT_EQ(g.MemMngAllocatedRows(), 202);
    EXPECT_EQ(ErrorOf([&] { g.SetMemMngAllocatedRows(203); }), 514);
    g.SetMemMngWantFreeRows(0);
    g.AddRow();
    EXPECT_EQ(g.MemMngAllocatedRows(), g.RowCount());
}

TEST(GridRows, RowCountGrowShrinkAndReuseOfSpareStorage)
{
    Tavix g;
    test::CurCellLog log;
    g.AddCol();
    log.Attach(g);
    g.SetRowCount(10);
    for (int32_t r = 1; r <= 10; ++r) {
        EXPECT_TRUE(g.RowVisible(r));
        EXPECT_EQ(g.RowHeight(r), 15);
        EXPECT_EQ(g.State().rows.At(r).OddRow, r % 2 == 1);
    }
    for (int32_t r = 1; r <= 10; ++r)
        g.SetRowKey(r, "k" + std::to_string(r));
    g.SetRowIsGroup(9, true);
    g.State().SetCurrentCell(8, 1, false);
    g.SetRowCount(5);
    EXPECT_EQ(g.State().groupRowCount, 0);
    EXPECT_EQ(g.CurRow(), 0);
    EXPECT_EQ(log.Events(), std::vector<std::string> { "CurCellChange(0,1)" });
    EXPECT_EQ(g.State().rowKeys.Count(), 5);
    EXPECT_EQ(ErrorOf([&] { g.RowIndex("k7"); }), 513);
    g.AddRow();
    EXPECT_EQ(g.RowKey(6), "");
    g.AddRow("k6");
    EXPECT_EQ(g.RowIndex("k6"), 7);
}

TEST(GridRows, RowKeyLetRules)
{
    Tavix g;
    Fill(g, 1, 3);
    EXPECT_EQ(ErrorOf([&] { g.SetRowKey(1, "r2"); }), 515);
    g.SetRowKey(1, "r1");  // its own key again is fine
    g.SetRowKey(1, "z");
    EXPECT_EQ(g.RowIndex("z"), 1);
    EXPECT_EQ(ErrorOf([&] { g.RowIndex("r1"); }), 513);
    g.SetRowKey(2, "");
    EXPECT_EQ(g.State().rowKeys.Count(), 2);
    EXPECT_EQ(ErrorOf([&] { g.RowKey(4); }), 513);
}

TEST(GridRows, ClearKeepsOrRemovesColumns)
{
    Tavix g;
    Fill(g, 2, 3);
    g.SetColWidth(1, 40);
    g.ColDefaultCell(1).iIndent = 9;
    g.State().SetCurrentCell(1, 1, false);
    g.Clear();
    EXPECT_EQ(g.RowCount(), 0);
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.CurRow(), 0);
    EXPECT_EQ(g.ColWidth(1), 40);
    g.AddRow("r1");
    EXPECT_EQ(g.CellIndent(1, 1), 9);
    g.Clear(true);
    EXPECT_EQ(g.ColCount(), 0);
    EXPECT_EQ(g.MemMngAllocatedRows(), 0);
    EXPECT_EQ(ErrorOf([&] { g.ColIndex("c1"); }), 513);
}

TEST(GridRows, VisibilityHeightAndGroupBookkeeping)
{
    Tavix g;
    g.State().backColorOddRows = 0xFF;
    Fill(g, 1, 4);
    EXPECT_FALSE(g.State().parityPending);
    g.SetRowVisible(2, false);
    EXPECT_EQ(g.State().rows.At(3).Top, 15);
    EXPECT_FALSE(g.State().rows.At(3).OddRow);  // now the second visible row
    EXPECT_TRUE(g.State().rows.At(4).OddRow);
    g.SetRowHeight(1, 30);
    EXPECT_EQ(g.State().rows.At(4).Top, 45);
    g.SetRowIsGroup(1, true);
    g.SetRowIsGroup(1, true);
    g.SetRowIsGroup(1, false);
    EXPECT_EQ(g.State().groupRowCount, 0);
}

}  // namespace
}  // namespace tavix
