// The keyboard's rules: navigation, selection by key, where characters go and
// the incremental search. Keys go straight to the grid's keyboard handler with
// the shift mask given; the window's key path is tested in tests/platform.
#include "support/errors.h"
#include "support/grid_window.h"

#include <tavix/native/messages.h>

#include <gtest/gtest.h>

#include <random>

namespace tavix::testing {
namespace {

using namespace native;
using Cur = std::pair<int32_t, int32_t>;
constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

// A grid in a window with `texts` in column `col`, rows 1 on.
struct KeyScene : WindowScene {
    explicit KeyScene(Options o, const Strings& texts = {}, int32_t col = 1)
        : WindowScene(o)
    {
        for (size_t r = 0; r < texts.size(); ++r)
            grid.SetCellValue(static_cast<int32_t>(r + 1), col, texts[r]);
        events.Clear();
    }
};

TEST(Keys, HandlersChangeOrVetoKeysShiftsAndCharacters)
{
    KeyScene s({ .rows = 4 }, { "Alpha", "beta", "Bravo", "delta" });
    s.grid.SetCurCell(3, 1);
    s.events.Clear();
    s.events.onKeyDown = [](int16_t& code, int16_t&, bool&) { code = code == VK_DOWN ? VK_UP : 0; };
    s.Press(VK_DOWN);
    EXPECT_EQ(s.Take({}),
        (Strings { "KeyDown(40,0,True)", "CellSelectionChange(3,1,False)", "CellSelectionChange(2,1,True)",
            "CurCellChange(2,1)" }));
    s.Press(VK_END);
    EXPECT_EQ(s.Cur(), Cur(2, 1));

    // A Shift the handler adds extends the selection as if it were held.
    s.grid.SetMultiSelect(true);
    s.events.onKeyDown = [](int16_t&, int16_t& shift, bool&) { shift = kShift; };
    s.Press(VK_UP);
    EXPECT_EQ(s.Selected(), (Cells { { 1, 1 }, { 2, 1 } }));

    s.events.onKeyDown = nullptr;
    s.grid.SetMultiSelect(false);
    s.grid.SetCurCell(2, 1);
    s.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    s.events.onKeyPress = [](int16_t& ascii) { ascii = ascii == 'x' ? 'd' : 0; };
    s.Type("a");
    EXPECT_EQ(s.Cur(), Cur(2, 1)) << "a zeroed character is not searched";
    s.Type("x");
    EXPECT_EQ(s.Cur(), Cur(4, 1));

    // Without rows there is no default to do, whatever the handler says.
    s.grid.SetRowCount(0);
    s.events.onKeyDown = [](int16_t&, int16_t&, bool& doDefault) { doDefault = true; };
    s.events.Clear();
    s.Press(VK_DOWN);
    EXPECT_EQ(s.Take({}), Strings { "KeyDown(40,0,False)" });
}

TEST(Keys, ArrowsStartAtTheFirstNavigableCellWrapRowsAndStopAtTheEnds)
{
    KeyScene s({ .rows = 6 });
    s.grid.SetRowVisible(1, false);
    s.grid.SetRowVisible(4, false);
    s.grid.SetColVisible(1, false);
    s.events.Clear();
    s.Press(VK_LEFT);
    s.Press(VK_LEFT);
    s.Press(VK_UP);
    EXPECT_EQ(s.Take({}),
        (Strings { "KeyDown(37,0,True)", "CellSelectionChange(2,2,True)", "CurCellChange(2,2)", "KeyDown(37,0,True)",
            "KeyDown(38,0,True)" }));

    s.grid.SetCurCell(3, 3);
    s.Press(VK_RIGHT);
    EXPECT_EQ(s.Cur(), Cur(5, 2)) << "past the hidden row and the hidden first column";
    s.Press(VK_LEFT);
    EXPECT_EQ(s.Cur(), Cur(3, 3));
    // A hidden current row is stepped from where it is.
    s.grid.SetCurCell(4, 3);
    s.Press(VK_DOWN);
    EXPECT_EQ(s.Cur(), Cur(5, 3));
    s.Press(VK_END);
    s.events.Clear();
    s.Press(VK_DOWN);
    EXPECT_EQ(s.Take({}), Strings { "KeyDown(40,0,True)" });
}

TEST(Keys, GroupRowsTakeTheRowTextColumn)
{
    KeyScene s({ .cols = 2, .rows = 3 });
    s.grid.AddCol(AddColArgs { .bRowTextCol = true });
    s.grid.SetRowIsGroup(2, true);
    s.grid.SetCurCell(1, 2);
    s.Press(VK_DOWN);
    EXPECT_EQ(s.Cur(), Cur(2, 3));
    s.Press(VK_DOWN);
    EXPECT_EQ(s.Cur(), Cur(3, 1));
}

TEST(Keys, ModifiersDecideWhatHappensToTheMultiSelection)
{
    KeyScene s({ .rows = 100 });
    s.grid.SetMultiSelect(true);
    s.grid.SetCurCell(2, 1);
    s.Press(VK_DOWN, kShift);
    EXPECT_EQ(s.Selected(), (Cells { { 2, 1 }, { 3, 1 } }));
    s.Press(VK_DOWN, kCtrl);  // the selection stays, the anchor follows
    s.Press(VK_DOWN, kAlt);  // on an arrow neither changes
    EXPECT_EQ(s.Cur(), Cur(5, 1));
    EXPECT_EQ(s.Selected(), (Cells { { 2, 1 }, { 3, 1 } }));
    s.Press(VK_DOWN, kShift);
    EXPECT_EQ(s.Selected(), (Cells { { 4, 1 }, { 5, 1 }, { 6, 1 } })) << "the range starts where Ctrl left the anchor";

    s.Press(VK_END, kCtrl);
    EXPECT_EQ(s.Cur(), Cur(100, 1));
    EXPECT_TRUE(s.InView(100));
    s.Press(VK_HOME, kCtrl);
    EXPECT_EQ(s.Cur(), Cur(1, 1));
    EXPECT_EQ(s.Layout().ScrollY(), 0);
    EXPECT_EQ(s.Selected().size(), 3u);
    s.Press(VK_END, kAlt);  // on End the new cell alone
    EXPECT_EQ(s.Selected(), (Cells { { 100, 1 } }));

    // Alt+Down leaves the selected row behind; a plain click still clears it.
    s.grid.SetRowMode(true);
    s.grid.SetCurCell(1, 1);
    s.Press(VK_DOWN, kAlt);
    s.ClickCell(3, 1);
    EXPECT_EQ(s.Selected(), (Cells { { 3, 1 }, { 3, 2 }, { 3, 3 } }));
}

TEST(Keys, CtrlSpaceTogglesAndSwallowsOnlyTheNextSpace)
{
    KeyScene s({ .rows = 3 });
    s.grid.SetMultiSelect(true);
    s.grid.SetCurCell(2, 2);
    s.events.Clear();
    // Where characters go, not what the editor then does.
    s.events.onRequestEdit
        = [](int32_t, int32_t, int16_t, bool& cancel, std::string&, int32_t&, ETextEditFlags&) { cancel = true; };
    s.Press(VK_SPACE);  // without Ctrl nothing toggles
    s.Press(VK_SPACE, kCtrl);
    s.Type("  ");
    EXPECT_EQ(s.Take({}),
        (Strings { "KeyDown(32,0,True)", "KeyDown(32,2,True)", "CellSelectionChange(2,2,False)", "KeyPress(32)",
            "KeyPress(32)", "RequestEdit(2,2,32,False,\" \",0,0)" }));
    // A Space the host drops still uses up the swallowing.
    s.events.onKeyPress = [](int16_t& ascii) { ascii = 0; };
    s.Press(VK_SPACE, kCtrl);
    s.Type(" ");
    s.events.onKeyPress = nullptr;
    s.Type(" ");
    EXPECT_EQ(s.events.Count(EventId::RequestEdit), 1u);
}

TEST(Keys, KeyPressBehaviourDecidesWhereCharactersGo)
{
    KeyScene s({ .rows = 3 }, { "abc" });
    s.grid.SetCurCell(1, 1);
    s.grid.SetKeyPressBehaviour(tvKeyPressNone);
    s.events.Clear();
    // Where characters go, not what the editor then does.
    s.events.onRequestEdit
        = [](int32_t, int32_t, int16_t, bool& cancel, std::string&, int32_t&, ETextEditFlags&) { cancel = true; };
    s.Type("x \r");
    EXPECT_EQ(s.Take(),
        (Strings { "KeyPress(120)", "KeyPress(32)", "KeyPress(13)", "RequestEdit(1,1,13,False,\"abc\",0,0)" }));
    EXPECT_EQ(s.Cur(), Cur(1, 1));
    s.grid.SetKeyPressBehaviour(tvKeyPressEditAppend);
    s.Type("d");
    EXPECT_EQ(s.Take().back(), "RequestEdit(1,1,100,False,\"abcd\",0,0)");
}

TEST(Keys, PageKeysMoveByTheRowsThatFitTheView)
{
    KeyScene s({ .cols = 2, .rows = 40, .height = 5 * 15 + 4 });
    ASSERT_EQ(s.Layout().ViewHeight(), 75);
    s.grid.SetColVisible(1, false);
    s.Press(VK_NEXT);  // no current cell: from the first navigable cell
    EXPECT_EQ(s.Cur(), Cur(6, 2));
    s.Press(VK_NEXT);
    EXPECT_EQ(s.grid.CurRow(), 11);
    EXPECT_TRUE(s.InView(11));
    for (int i = 0; i < 3; ++i)
        s.Press(VK_PRIOR);
    EXPECT_EQ(s.grid.CurRow(), 1);
    EXPECT_EQ(s.Layout().ScrollY(), 0);
    s.grid.SetCurRow(38);
    s.Press(VK_NEXT);
    EXPECT_EQ(s.grid.CurRow(), 40);
    EXPECT_TRUE(s.InView(40));
}

// The page rule as a walk over the rows; the navigation searches the tops instead.
int32_t WalkPage(const core::GridTable& t, int32_t view, int32_t start, int32_t dir, int32_t edgeRow)
{
    const auto& sr = t.Row(start);
    const int32_t limit = dir > 0 ? sr.Top + view - sr.Height : sr.Top + sr.Height - view;
    for (int32_t r = start + dir; r >= 1 && r <= t.RowCount(); r += dir)
        if (t.Row(r).Visible && (dir > 0 ? t.Row(r).Top > limit : t.Row(r).Top < limit))
            return r;
    return edgeRow;
}

TEST(Keys, PageTargetsEqualTheRowWalkOnRandomLayouts)
{
    KeyScene s({ .cols = 1, .rows = 0 });
    std::mt19937 rng(7);
    for (int32_t layout = 0; layout < 20; ++layout) {
        s.grid.Clear();
        const auto rows = static_cast<int32_t>(1 + rng() % 60);
        for (int32_t r = 1; r <= rows; ++r)
            s.grid.AddRow(AddRowArgs { .bVisible = rng() % 4 != 0, .lHeight = static_cast<int32_t>(rng() % 40) });
        MoveWindow(s.grid.hwnd(), 0, 0, 300, static_cast<int>(4 + rng() % 120));
        s.desktop.RunUntilIdle();
        const int32_t view = s.Layout().ViewHeight();
        interaction::Navigation nav(s.Table(), s.Layout());
        for (int32_t start = 1; start <= rows; ++start) {
            ASSERT_EQ(nav.PageDownTarget(start), WalkPage(s.Table(), view, start, 1, nav.LastNavRow())) << layout;
            ASSERT_EQ(nav.PageUpTarget(start), WalkPage(s.Table(), view, start, -1, nav.FirstNavRow())) << layout;
        }
    }
}

TEST(Keys, RowModeSidewaysKeysScrollInsteadOfMoving)
{
    KeyScene s({ .cols = 6 });
    s.grid.SetRowMode(true);
    s.grid.SetCurCell(2, 1);
    auto& bar = s.grid.HScrollBar();
    ASSERT_TRUE(bar.Visible());
    s.events.Clear();
    s.Press(VK_RIGHT);
    s.Press(VK_RIGHT);
    EXPECT_EQ(bar.Value(), 2 * bar.SmallChange());
    EXPECT_EQ(s.Layout().ScrollX(), bar.Value());
    s.Press(VK_LEFT);
    EXPECT_EQ(bar.Value(), bar.SmallChange());
    EXPECT_EQ(s.Cur(), Cur(2, 1));
    EXPECT_EQ(s.events.Count(EventId::CurCellChange), 0u);
}

TEST(Keys, ADisabledGridScrollsItsShownBarsWithoutKeyEvents)
{
    KeyScene s({ .rows = 40 });  // a vertical bar only
    s.grid.SetCurCell(1, 1);
    s.grid.SetEnabled(false);
    s.events.Clear();
    auto& bar = s.grid.VScrollBar();
    s.Press(VK_DOWN);
    s.Press(VK_NEXT);
    EXPECT_EQ(bar.Value(), bar.SmallChange() + bar.LargeChange());
    s.Press(VK_PRIOR);
    s.Press(VK_UP);
    s.Press(VK_UP);
    EXPECT_EQ(bar.Value(), 0);
    s.Press(VK_RIGHT);
    EXPECT_EQ(s.Layout().ScrollX(), 0);
    s.Type("a");
    EXPECT_EQ(s.Take({ EventId::ScrollBarPosChanged, EventId::QuitCustomEdit }), Strings { "KeyPress(97)" });
    EXPECT_EQ(s.Cur(), Cur(1, 1));
}

// Column 2 holds the texts; the search runs on the default column.
struct SearchScene : KeyScene {
    SearchScene()
        : KeyScene({ .cols = 2, .rows = 4 }, { "Alpha", "beta", "Bravo", "beth" }, 2)
    {
        grid.SetKeyPressBehaviour(tvKeyPressSearchDefCol);
        grid.SetKeySearchCol(2);
    }
    int32_t Prefix() { return Painter().Search().prefixLength; }
};

TEST(Search, TypingNarrowsKeepsTheLastMatchAndBackspaceEnterAndEscWiden)
{
    SearchScene s;
    s.Type("br");
    EXPECT_EQ(s.Cur(), Cur(3, 2));
    s.events.Clear();
    s.Type("x");
    EXPECT_EQ(s.Take(), Strings { "KeyPress(120)" });
    EXPECT_EQ(s.Painter().Search().cell, (core::CellRef { 3, 2 }));
    EXPECT_EQ(s.Prefix(), 2);
    s.Type("\b");
    EXPECT_EQ(s.grid.CurRow(), 2);
    EXPECT_EQ(s.Prefix(), 1);
    s.Press(VK_DOWN);  // navigation ends the search and its highlight
    EXPECT_EQ(s.Prefix(), 0);

    for (int end : { VK_RETURN, VK_ESCAPE }) {
        s.Press(end);  // with no search running there is nothing to end
        s.Type("a");
        ASSERT_EQ(s.grid.CurRow(), 1);
        s.Press(end);
        EXPECT_EQ(s.Prefix(), 0);
        s.Type("b");
        EXPECT_EQ(s.grid.CurRow(), 2) << "the search starts afresh after " << end;
        s.Press(end);
    }
}

TEST(Search, FromTheCurrentRowAndLooping)
{
    SearchScene s;
    s.grid.SetKeySearchFromCurRow(true);
    s.grid.SetCurCell(4, 2);
    s.Type("be");
    EXPECT_EQ(s.grid.CurRow(), 4);
    s.Type("\x1b");
    s.Type("a");
    EXPECT_EQ(s.grid.CurRow(), 4);
    s.grid.SetKeySearchLoop(true);
    s.Type("a");
    EXPECT_EQ(s.grid.CurRow(), 1);
}

TEST(Search, FindSearchMatchRowAndUnusableSearchColumns)
{
    SearchScene s;
    EXPECT_EQ(s.grid.FindSearchMatchRow(2, "be", 3), 4);
    EXPECT_EQ(s.grid.FindSearchMatchRow(2, "AL", 2, true, true), 1);
    s.grid.SetRowVisible(3, false);
    EXPECT_EQ(s.grid.FindSearchMatchRow(2, "", 3), 4);
    EXPECT_EQ(s.grid.FindSearchMatchRow(2, "", 3, false), 3);
    EXPECT_EQ(ErrorOf([&] { s.grid.SetKeySearchCol(0); }), 513);
    s.grid.RemoveCol(2);  // the search column is gone
    s.Type("b");
    EXPECT_EQ(s.grid.CurRow(), 0);
}

TEST(Search, AHitInMultiSelectRowsSelectsItsRowAloneAndKeepsTheAnchor)
{
    KeyScene s({ .rows = 4 }, { "Alpha", "beta", "Bravo", "delta" });
    s.grid.SetMultiSelect(true);
    s.grid.SetRowMode(true);
    s.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    s.grid.SetCurCell(1, 1);
    s.grid.SetCellSelected(4, 1, true);
    s.Type("b");
    EXPECT_EQ(s.Cur(), Cur(2, 1));
    EXPECT_EQ(s.Selected(), (Cells { { 2, 1 }, { 2, 2 }, { 2, 3 } }));
    s.Press(VK_DOWN, kShift);
    EXPECT_EQ(s.Selected().size(), 9u) << "the range still starts at the row set before the search";
    EXPECT_EQ(s.Selected().front(), (std::pair<int32_t, int32_t> { 1, 1 }));
}

TEST(Search, AClickOnACellStartsTheSearchAfresh)
{
    KeyScene s({ .rows = 4 }, { "Alpha", "beta", "Bravo", "rho" });
    s.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    s.grid.SetCurCell(1, 1);
    s.Type("b");
    ASSERT_EQ(s.Cur(), Cur(2, 1));
    s.ClickCell(1, 1);
    ASSERT_EQ(s.Cur(), Cur(1, 1));
    s.Type("r");
    EXPECT_EQ(s.Cur(), Cur(4, 1)) << "R, not BR";
}

}  // namespace
}  // namespace tavix::testing
