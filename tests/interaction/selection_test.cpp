#include "interaction_fixture.h"

namespace tavix::test {
namespace {

using Cells = std::vector<std::pair<int32_t, int32_t>>;

class Selection : public GridFixture {};

TEST_F(Selection, SingleCellModeMovesTheSelectedCellThenRepaintsThenReports)
{
    Build(3, 5);
    grid.SetCurCell(2, 3);
    log.clear();
    grid.SetCurCell(4, 1);
    EXPECT_EQ(log, (std::vector<std::string> { "view.CancelEdit", "CellSelectionChange(2,3,False)",
                       "CellSelectionChange(4,1,True)", "Scroll(4,1)", "Draw", "CurCellChange(4,1)" }));
    EXPECT_EQ(Selected(), (Cells { { 4, 1 } }));
}

TEST_F(Selection, SingleRowModeAlternatesDeselectAndSelectByColumn)
{
    Build(3, 6);
    grid.SetRowMode(true);
    grid.SetCurRow(2);
    log.clear();
    grid.SetCurRow(5);
    EXPECT_EQ(Events(), (std::vector<std::string> { "view.CancelEdit", "CellSelectionChange(2,1,False)",
                            "CellSelectionChange(5,1,True)", "CellSelectionChange(2,2,False)",
                            "CellSelectionChange(5,2,True)", "CellSelectionChange(2,3,False)",
                            "CellSelectionChange(5,3,True)", "CurCellChange(5,0)" }));
}

TEST_F(Selection, SettingThePresentCellOnlyScrollsAndResetsTheAnchor)
{
    Build(3, 5);
    grid.SetCurCell(2, 2);
    state.selection.anchorRow = 4;
    log.clear();
    grid.SetCurCell(2, 2);
    grid.SetCurRow(2);
    grid.SetCurCol(2);
    EXPECT_EQ(log, (std::vector<std::string> { "Scroll(2,2)" }));
    EXPECT_EQ(state.selection.anchorRow, 2);
}

TEST_F(Selection, CurRowAndColValidateAndAcceptZero)
{
    Build(3, 3);
    grid.SetCurCell(2, 2);
    EXPECT_EQ(ErrorOf([&] { grid.SetCurRow(5); }), 513);
    EXPECT_EQ(ErrorOf([&] { grid.SetCurCol(-1); }), 513);
    EXPECT_EQ(ErrorOf([&] { grid.SetCurCell("nope", 1); }), 513);
    log.clear();
    grid.SetCurRow(0);
    EXPECT_EQ(Take(), (std::vector<std::string> { "view.CancelEdit", "CellSelectionChange(2,2,False)",
                          "CurCellChange(0,2)" }));
    EXPECT_EQ(grid.CurRow(), 0);
}

TEST_F(Selection, CellSelectedInSingleSelectMovesWithoutCancellingOrIgnoresFalse)
{
    Build(3, 5);
    grid.SetCurCell(1, 1);
    log.clear();
    grid.SetCellSelected(3, 2, false);
    EXPECT_TRUE(log.empty());
    grid.SetCellSelected(3, 2, true);
    EXPECT_EQ(Events(), (std::vector<std::string> { "CellSelectionChange(1,1,False)",
                            "CellSelectionChange(3,2,True)", "CurCellChange(3,2)" }));
    EXPECT_EQ(state.selection.anchorRow, 1);
}

TEST_F(Selection, MultiSelectOffCollapsesToTheCurrentCellOrRow)
{
    Build(3, 4);
    grid.SetMultiSelect(true);
    grid.SetCurCell(2, 2);
    for (int32_t r = 1; r <= 4; ++r)
        grid.SetCellSelected(r, 3, true);
    log.clear();
    grid.SetMultiSelect(false);
    EXPECT_EQ(Take(), (std::vector<std::string> { "CellSelectionChange(1,3,False)", "CellSelectionChange(2,3,False)",
                          "CellSelectionChange(3,3,False)", "CellSelectionChange(4,3,False)" }));
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
    EXPECT_TRUE(state.geo.needFullRedraw);
    // Back to cell mode the selection collapses to the current cell, here none.
    grid.SetRowMode(false);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(Selection, RowModeInSingleSelectFollowsTheCurrentCell)
{
    Build(3, 3);
    grid.SetCurCell(2, 2);
    grid.SetRowMode(true);
    EXPECT_EQ(Selected(), (Cells { { 2, 1 }, { 2, 2 }, { 2, 3 } }));
    grid.SetRowMode(false);
    EXPECT_EQ(Selected(), (Cells { { 2, 2 } }));
}

TEST_F(Selection, ClearSelectionLeavesNoCurrentCell)
{
    Build(3, 3);
    grid.SetCurCell(3, 1);
    log.clear();
    grid.ClearSelection();
    EXPECT_EQ(Events(), (std::vector<std::string> { "CellSelectionChange(3,1,False)", "CurCellChange(0,0)" }));
    EXPECT_EQ(grid.CurCol(), 0);
}

TEST_F(Selection, ShiftExtensionSpansDisplayOrderIncludingHiddenColumns)
{
    // Display order c3, c1 (hidden), c4, c2.
    Build(4, 6);
    grid.SetColOrder("c3", 1);
    grid.SetColOrder("c4", 3);
    grid.SetColVisible("c1", false);
    grid.SetMultiSelect(true);
    grid.SetCurCell(2, "c3");
    for (int i = 0; i < 3; ++i)
        Key(40, 1);
    Key(39, 1);
    EXPECT_EQ(grid.CurRow(), 5);
    EXPECT_EQ(grid.CurCol(), 4);
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
    // Rows 1-3 of column 1 take the anchor state; (2,2) and (5,3) keep theirs.
    EXPECT_EQ(Selected(), (Cells { { 2, 2 }, { 5, 3 } }));
}

TEST_F(Selection, AScrollReplacesTheRepaintOfTheMoveTail)
{
    Build(2, 3);
    view.scrollBy = 15;
    grid.SetCurCell(3, 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Draw"), 0);
}

}  // namespace
}  // namespace tavix::test
