#include "interaction_fixture.h"

#include "interaction/navigation.h"
#include "scroll/scroll_bars.h"

#include <tavix/native/desktop.h>

#include <random>

namespace tavix::test {
namespace {

constexpr int32_t kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kHome = 36, kEnd = 35, kPgUp = 33, kPgDn = 34;

class Keys : public GridFixture { };

TEST_F(Keys, WithoutRowsTheKeyIsOnlyReported)
{
    Build(2, 0);
    recorder.onKeyDown = [](int16_t&, int16_t&, bool& bDoDefault) { bDoDefault = true; };
    Key(kDown);
    EXPECT_EQ(log, (Strings { "KeyDown(40,0,False)" }));
}

TEST_F(Keys, TheHandlerCanSuppressOrChangeTheKey)
{
    Build(2, 5);
    grid.SetCurCell(3, 1);
    recorder.onKeyDown = [](int16_t& code, int16_t&, bool&) { code = 0; };
    Key(kDown);
    recorder.onKeyDown = [](int16_t& code, int16_t&, bool&) { code = kUp; };
    log.clear();
    Key(kDown);
    EXPECT_EQ(Take(),
        (Strings { "KeyDown(40,0,True)", "CellSelectionChange(3,1,False)", "CellSelectionChange(2,1,True)",
            "CurCellChange(2,1)" }));
}

TEST_F(Keys, ArrowsSkipHiddenRowsAndColumnsAndStopAtTheEdges)
{
    Build(3, 5);
    grid.SetRowVisible(4, false);
    grid.SetColVisible(2, false);
    log.clear();
    Key(kRight);  // no current cell: the first navigable cell
    EXPECT_EQ(Take(), (Strings { "KeyDown(39,0,True)", "CellSelectionChange(1,1,True)", "CurCellChange(1,1)" }));
    Key(kLeft);
    EXPECT_EQ(Take(), (Strings { "KeyDown(37,0,True)" }));
    grid.SetCurCell(3, 3);
    Key(kRight);  // past the last column: the first column of the next visible row
    EXPECT_EQ(Cells({ { grid.CurRow(), grid.CurCol() } }), Cells({ { 5, 1 } }));
    Key(kLeft);
    EXPECT_EQ(Cells({ { grid.CurRow(), grid.CurCol() } }), Cells({ { 3, 3 } }));
    Key(kEnd);
    log.clear();
    Key(kDown);
    EXPECT_EQ(Take(), (Strings { "KeyDown(40,0,True)" }));
}

TEST_F(Keys, GroupRowsTakeTheRowTextColumn)
{
    grid.AddCol("a");
    grid.AddCol("b");
    grid.AddCol(AddColArgs { .sKey = "text", .bRowTextCol = true });
    grid.AddRow("r1");
    grid.AddRow(AddRowArgs { .sKey = "g", .bGroupRow = true });
    grid.AddRow("r3");
    Build(0, 0);
    grid.SetCurCell(1, "b");
    Key(kDown);
    EXPECT_EQ(grid.CurCol(), 3);
    Key(kDown);
    EXPECT_EQ(Cells({ { grid.CurRow(), grid.CurCol() } }), Cells({ { 3, 1 } }));
}

TEST_F(Keys, MultiSelectModifiersDecideWhatHappensToTheSelection)
{
    Build(2, 6);
    grid.SetMultiSelect(true);
    grid.SetCurCell(1, 1);
    Key(kDown, 2);  // Ctrl: the selection stays, the anchor follows
    EXPECT_EQ(Selected(), (Cells { { 1, 1 } }));
    EXPECT_EQ(state.selection.anchorRow, 2);
    Key(kDown, 4);  // Alt on an arrow: neither changes
    EXPECT_EQ(state.selection.anchorRow, 2);
    Key(kEnd, 4);  // Alt on End: the new cell alone
    EXPECT_EQ(Selected(), (Cells { { 6, 1 } }));
}

TEST_F(Keys, CtrlSpaceTogglesAndSwallowsTheFollowingSpace)
{
    Build(2, 3);
    grid.SetMultiSelect(true);
    grid.SetCurCell(2, 2);
    log.clear();
    Key(32, 2);
    Type("  ");
    EXPECT_EQ(Take(),
        (Strings { "KeyDown(32,2,True)", "CellSelectionChange(2,2,False)", "KeyPress(32)", "KeyPress(32)",
            "RequestEdit(2,2,32,False,\" \",0,0)" }));
}

TEST_F(Keys, KeyPressBehaviourDecidesWhatCharactersDo)
{
    Build(2, 3);
    grid.SetCellValue(1, 1, GridVariant(std::string("abc")));
    grid.SetCurCell(1, 1);
    grid.SetKeyPressBehaviour(tvKeyPressNone);
    log.clear();
    Type("x \r");
    EXPECT_EQ(
        Take(), (Strings { "KeyPress(120)", "KeyPress(32)", "KeyPress(13)", "RequestEdit(1,1,13,False,\"abc\",0,0)" }));
    grid.SetKeyPressBehaviour(tvKeyPressEditAppend);
    Type("d");
    EXPECT_EQ(Take().back(), "RequestEdit(1,1,100,False,\"abcd\",0,0)");
    state.selection.startEdit = [this](int16_t keyAscii) { log.push_back("edit " + std::to_string(keyAscii)); };
    Type("e");
    EXPECT_EQ(log, (Strings { "KeyPress(101)", "edit 101" }));
}

class Search : public GridFixture {
protected:
    void SetUp() override
    {
        Build(2, 0);
        for (const char* text : { "Alpha", "beta", "Bravo", "beth" }) {
            grid.AddRow();
            grid.SetCellValue(grid.RowCount(), 2, GridVariant(std::string(text)));
        }
        grid.SetKeyPressBehaviour(tvKeyPressSearchDefCol);
        grid.SetKeySearchCol(2);
    }
};

TEST_F(Search, TypingNarrowsKeepsTheLastMatchAndBackspaceWidens)
{
    Type("b");
    EXPECT_EQ(grid.CurRow(), 2);
    Type("r");
    EXPECT_EQ(Cells({ { grid.CurRow(), grid.CurCol() } }), Cells({ { 3, 2 } }));
    log.clear();
    Type("x");
    EXPECT_EQ(Take(), (Strings { "KeyPress(120)" }));
    EXPECT_EQ(state.selection.searchBuffer, "BR");
    EXPECT_EQ(state.look.search.prefixLength, 2);
    keys.OnChar(8);
    EXPECT_EQ(grid.CurRow(), 2);
    Key(kDown);  // navigation ends the search and its highlight
    EXPECT_EQ(state.look.search.prefixLength, 0);
}

TEST_F(Search, FromTheCurrentRowAndLooping)
{
    grid.SetKeySearchFromCurRow(true);
    grid.SetCurCell(4, 2);
    Type("be");
    EXPECT_EQ(grid.CurRow(), 4);
    keys.OnChar(27);
    Type("a");
    EXPECT_EQ(grid.CurRow(), 4);
    grid.SetKeySearchLoop(true);
    Type("a");
    EXPECT_EQ(grid.CurRow(), 1);
}

TEST_F(Search, FindSearchMatchRowAndTheSearchColumnRules)
{
    EXPECT_EQ(grid.FindSearchMatchRow(2, "be", 3), 4);
    EXPECT_EQ(grid.FindSearchMatchRow(2, "AL", 2, true, true), 1);
    grid.SetRowVisible(3, false);
    EXPECT_EQ(grid.FindSearchMatchRow(2, "", 3), 4);
    EXPECT_EQ(grid.FindSearchMatchRow(2, "", 3, false), 3);
    EXPECT_EQ(ErrorOf([&] { grid.SetKeySearchCol(0); }), 513);
    for (int32_t unusable : { 0, 3 }) {
        state.selection.keySearchCol = unusable;
        Type("b");
        EXPECT_EQ(grid.CurRow(), 0);
    }
}

TEST_F(Keys, PageKeysMoveByTheRowsThatFitTheView)
{
    Build(1, 40);
    state.geo.viewHeight = 5 * 15;
    Key(kPgDn);  // no current cell: from the first row
    Key(kPgDn);
    EXPECT_EQ(grid.CurRow(), 11);
    Key(kPgUp);
    Key(kPgUp);
    Key(kPgUp);
    EXPECT_EQ(grid.CurRow(), 1);
    grid.SetCurRow(38);
    Key(kPgDn);
    EXPECT_EQ(grid.CurRow(), 40);
}

TEST_F(Keys, VirtualModeRequestsRowsBelowTheLastOne)
{
    Build(1, 3);
    grid.SetVirtual(true);
    recorder.onRequestRow = [](int32_t lRow, bool& bNoMoreRows) { bNoMoreRows = lRow > 5; };
    grid.SetCurCell(3, 1);
    log.clear();
    Key(kDown);
    EXPECT_EQ(Take(),
        (Strings { "KeyDown(40,0,True)", "RequestRow(4,False)", "RequestRowData(4)", "CellSelectionChange(3,1,False)",
            "CellSelectionChange(4,1,True)", "CurCellChange(4,1)" }));
    state.geo.viewHeight = 10 * 15;
    Key(kPgDn);  // row 5 comes, row 6 does not: the last row is the target
    EXPECT_EQ(grid.CurRow(), 5);
    log.clear();
    Key(kDown);
    EXPECT_EQ(Take(), (Strings { "KeyDown(40,0,True)" }));
}

// The page rule as a walk over the rows; the navigation searches the tops instead.
int32_t WalkPage(const core::GridState& s, int32_t start, int32_t dir, int32_t edgeRow)
{
    const auto& sr = s.rows.At(start);
    const int32_t limit = dir > 0 ? sr.Top + s.geo.viewHeight - sr.Height : sr.Top + sr.Height - s.geo.viewHeight;
    for (int32_t r = start + dir; r >= 1 && r <= s.rowCount; r += dir)
        if (s.rows.At(r).Visible && (dir > 0 ? s.rows.At(r).Top > limit : s.rows.At(r).Top < limit))
            return r;
    return edgeRow;
}

TEST_F(Keys, PageTargetsEqualTheRowWalkOnRandomLayouts)
{
    Build(1, 0);
    std::mt19937 rng(7);
    for (int32_t layout = 0; layout < 20; ++layout) {
        grid.Clear();
        const auto rows = static_cast<int32_t>(1 + rng() % 60);
        for (int32_t r = 1; r <= rows; ++r)
            grid.AddRow(AddRowArgs { .bVisible = rng() % 4 != 0, .lHeight = static_cast<int32_t>(rng() % 40) });
        state.geo.viewHeight = static_cast<int32_t>(rng() % 120);
        interaction::Navigation nav(state);
        for (int32_t start = 1; start <= rows; ++start) {
            ASSERT_EQ(nav.PageDownTarget(start), WalkPage(state, start, 1, nav.LastNavRow())) << layout;
            ASSERT_EQ(nav.PageUpTarget(start), WalkPage(state, start, -1, nav.FirstNavRow())) << layout;
        }
    }
}

TEST_F(Keys, FocusChangesRepaintTheVisibleCells)
{
    Build(2, 3);
    state.geo.ready = true;
    state.geo.viewWidth = 200;
    state.geo.viewHeight = 100;
    keys.OnFocusChanged(true);
    keys.OnFocusChanged(true);
    EXPECT_EQ(log, (Strings { "Draw" }));
    EXPECT_NE(state.cells.At(3, 2).Flags & core::CellData::kNeedsRepaint, 0);
}

TEST_F(Keys, ADisabledGridRaisesNoKeyDownAndIgnoresCharacters)
{
    Build(2, 3);
    grid.SetCurCell(1, 1);
    state.look.enabled = false;
    log.clear();
    Key(kDown);
    Type("a");
    EXPECT_EQ(Take(), (Strings { "KeyPress(97)" }));
    EXPECT_EQ(grid.CurRow(), 1);
}

}  // namespace
}  // namespace tavix::test

namespace tavix::test {
namespace {

TEST_F(Keys, ADisabledGridScrollsItsShownBars)
{
    native::Desktop desktop { 400, 300 };
    native::RegisterClass("KeyHost", native::DefWindowProc);
    scroll::ScrollBars bars;
    bars.Attach(native::CreateWindowEx(
        0, "KeyHost", "", native::WS_VISIBLE | native::WS_VSCROLL | native::WS_HSCROLL, 0, 0, 200, 150, 0));
    bars.SetVisible(native::SB_VERT, true);
    bars.SetPage(native::SB_VERT, 10);
    bars.SetMaximum(native::SB_VERT, 89);
    bars.SetSmallChange(native::SB_VERT, 3);
    view.bars = &bars;
    Build(2, 3);
    state.look.enabled = false;
    Key(kDown);
    Key(kPgDn);
    EXPECT_EQ(bars.Position(native::SB_VERT), 13);
    Key(kPgUp);
    Key(kUp);
    Key(kUp);
    EXPECT_EQ(bars.Position(native::SB_VERT), 0);
    Key(kRight);  // the horizontal bar is hidden
    EXPECT_EQ(bars.Position(native::SB_HORZ), 0);
    EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace tavix::test
