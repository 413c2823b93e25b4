#include "interaction_fixture.h"

namespace tavix::test {
namespace {

class Selection : public GridFixture { };

TEST_F(Selection, SingleCellModeMovesTheSelectedCellThenRepaintsThenReports)
{
    Build(3, 5);
    grid.SetCurCell(2, 3);
    log.clear();
    grid.SetCurCell(4, 1);
    EXPECT_EQ(log,
        (Strings { "view.CancelEdit", "CellSelectionChange(2,3,False)", "CellSelectionChange(4,1,True)", "Scroll(4,1)",
            "Draw", "CurCellChange(4,1)" }));
    EXPECT_EQ(Selected(), (Cells { { 4, 1 } }));
    view.scrollBy = 15;  // a scroll repaints by itself
    grid.SetCurCell(5, 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Draw"), 1);
}

TEST_F(Selection, SingleRowModeAlternatesDeselectAndSelectByColumn)
{
    Build(3, 6);
    grid.SetRowMode(true);
    grid.SetCurRow(2);
    log.clear();
    grid.SetCurRow(5);
    EXPECT_EQ(Take(),
        (Strings { "view.CancelEdit", "CellSelectionChange(2,1,False)", "CellSelectionChange(5,1,True)",
            "CellSelectionChange(2,2,False)", "CellSelectionChange(5,2,True)", "CellSelectionChange(2,3,False)",
            "CellSelectionChange(5,3,True)", "CurCellChange(5,0)" }));
}

TEST_F(Selection, ThePresentCellOnlyScrollsAndResetsTheAnchor)
{
    Build(3, 5);
    grid.SetCurCell(2, 2);
    state.selection.anchorRow = 4;
    log.clear();
    grid.SetCurCell(2, 2);
    grid.SetCurRow(2);
    grid.SetCurCol(2);
    EXPECT_EQ(log, (Strings { "Scroll(2,2)" }));
    EXPECT_EQ(state.selection.anchorRow, 2);
}

TEST_F(Selection, CurRowValidatesAndZeroLeavesNoCurrentRow)
{
    Build(3, 3);
    grid.SetCurCell(2, 2);
    EXPECT_EQ(ErrorOf([&] { grid.SetCurRow(5); }), 513);
    EXPECT_EQ(ErrorOf([&] { grid.SetCurCol(-1); }), 513);
    log.clear();
    grid.SetCurRow(0);
    EXPECT_EQ(Take(), (Strings { "view.CancelEdit", "CellSelectionChange(2,2,False)", "CurCellChange(0,2)" }));
}

TEST_F(Selection, CellSelectedInSingleSelectMovesWithoutCancellingOrIgnoresFalse)
{
    Build(3, 5);
    grid.SetCurCell(1, 1);
    log.clear();
    grid.SetCellSelected(3, 2, false);
    grid.SetCellSelected(3, 2, true);
    EXPECT_EQ(
        Take(), (Strings { "CellSelectionChange(1,1,False)", "CellSelectionChange(3,2,True)", "CurCellChange(3,2)" }));
    EXPECT_EQ(state.selection.anchorRow, 1);
}

TEST_F(Selection, LeavingMultiSelectCollapsesToTheCurrentCell)
{
    Build(3, 4);
    grid.SetMultiSelect(true);
    grid.SetCurCell(2, 2);
    for (int32_t r = 1; r <= 4; ++r)
        grid.SetCellSelected(r, 3, true);
    log.clear();
    grid.SetMultiSelect(false);
    EXPECT_EQ(Take(),
        (Strings { "CellSelectionChange(1,3,False)", "CellSelectionChange(2,3,False)", "CellSelectionChange(3,3,False)",
            "CellSelectionChange(4,3,False)" }));
    EXPECT_EQ(Selected(), (Cells { { 2, 2 } }));
}

TEST_F(Selection, RowModeInMultiSelectWidensRowsWithASelectedCell)
{
    Build(3, 5);
    grid.SetMultiSelect(true);
    grid.SetCellSelected(2, 1, true);
    grid.SetCellSelected(4, 3, true);
    grid.SetRowMode(true);
    EXPECT_EQ(Selected(), (Cells { { 2, 1 }, { 2, 2 }, { 2, 3 }, { 4, 1 }, { 4, 2 }, { 4, 3 } }));
    grid.SetRowMode(false);  // collapses to the current cell, here none
    EXPECT_TRUE(Selected().empty());
}

TEST_F(Selection, ClearSelectionLeavesNoCurrentCell)
{
    Build(3, 3);
    grid.SetCurCell(3, 1);
    log.clear();
    grid.ClearSelection();
    EXPECT_EQ(Take(), (Strings { "CellSelectionChange(3,1,False)", "CurCellChange(0,0)" }));
}

TEST_F(Selection, ShiftExtensionSpansDisplayOrderIncludingHiddenColumns)
{
    Build(4, 6);
    grid.SetColOrder("c3", 1);
    grid.SetColOrder("c4", 3);  // display order c3, c1, c4, c2
    grid.SetColVisible("c1", false);
    grid.SetMultiSelect(true);
    grid.SetCurCell(2, "c3");
    for (int i = 0; i < 3; ++i)
        Key(40, 1);
    Key(39, 1);
    Cells expected;
    for (int32_t r = 2; r <= 5; ++r)
        for (int32_t c : { 1, 3, 4 })
            expected.emplace_back(r, c);
    EXPECT_EQ(Selected(), expected);
}

TEST_F(Selection, CtrlShiftExtensionWritesTheAnchorStateInsideTheRectangleOnly)
{
    Build(3, 5);
    grid.SetMultiSelect(true);
    grid.SetCurCell(1, 1);
    state.selection.anchorState = false;
    grid.SetCellSelected(5, 3, true);
    grid.SetCellSelected(2, 2, true);
    Key(40, 3);
    Key(40, 3);
    EXPECT_EQ(Selected(), (Cells { { 2, 2 }, { 5, 3 } }));
}

}  // namespace
}  // namespace tavix::test
