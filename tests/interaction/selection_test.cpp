// The selection rules through the grid's members: what each move selects and
// reports, and in which order.
#include "support/errors.h"
#include "support/grid_window.h"

#include <tavix/native/messages.h>

#include <gtest/gtest.h>

#include <functional>

namespace tavix::testing {
namespace {

using native::VK_DOWN;

TEST(Selection, SingleCellModeMovesTheSelectionThenPaintsThenReports)
{
    WindowScene s;
    s.grid.SetHighlightBackColorNoFocus(kRed);
    s.grid.SetCurCell(2, 3);
    s.events.Clear();
    const native::Rect cell = s.CellRect(4, 1);
    native::COLORREF shownAtReport = 0;
    s.events.onAny = [&](const RecordedEvent& e) {
        if (e.id == EventId::CurCellChange)
            shownAtReport = s.Pixel((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    };
    s.grid.SetCurCell(4, 1);
    EXPECT_EQ(s.Take(),
        (Strings { "CellSelectionChange(2,3,False)", "CellSelectionChange(4,1,True)", "CurCellChange(4,1)" }));
    EXPECT_EQ(shownAtReport, kRed);
}

TEST(Selection, EachMemberSelectsAndReportsInOrder)
{
    using Step = void (*)(Tavix&);
    const struct {
        const char* what;
        Step setup, act;
        Strings expected;
    } cases[] = {
        { "CurRow in row mode deselects and selects column by column",
            [](Tavix& g) {
                g.SetRowMode(true);
                g.SetCurRow(2);
            },
            [](Tavix& g) { g.SetCurRow(5); },
            { "CellSelectionChange(2,1,False)", "CellSelectionChange(5,1,True)", "CellSelectionChange(2,2,False)",
                "CellSelectionChange(5,2,True)", "CellSelectionChange(2,3,False)", "CellSelectionChange(5,3,True)",
                "CurCellChange(5,0)" } },
        { "CurRow 0 leaves no current row", [](Tavix& g) { g.SetCurCell(2, 2); }, [](Tavix& g) { g.SetCurRow(0); },
            { "CellSelectionChange(2,2,False)", "CurCellChange(0,2)" } },
        { "CellSelected in single select ignores False and moves on True", [](Tavix& g) { g.SetCurCell(1, 1); },
            [](Tavix& g) {
                g.SetCellSelected(3, 2, false);
                g.SetCellSelected(3, 2, true);
            },
            { "CellSelectionChange(1,1,False)", "CellSelectionChange(3,2,True)", "CurCellChange(3,2)" } },
        { "leaving multi-select collapses to the current cell",
            [](Tavix& g) {
                g.SetMultiSelect(true);
                g.SetCurCell(2, 2);
                g.SetCellSelected(1, 3, true);
                g.SetCellSelected(4, 3, true);
            },
            [](Tavix& g) { g.SetMultiSelect(false); },
            { "CellSelectionChange(1,3,False)", "CellSelectionChange(4,3,False)" } },
        { "ClearSelection leaves no current cell", [](Tavix& g) { g.SetCurCell(3, 1); },
            [](Tavix& g) { g.ClearSelection(); }, { "CellSelectionChange(3,1,False)", "CurCellChange(0,0)" } },
    };
    for (const auto& c : cases) {
        WindowScene s({ .rows = 6 });
        c.setup(s.grid);
        s.events.Clear();
        c.act(s.grid);
        EXPECT_EQ(s.Take(), c.expected) << c.what;
    }
    WindowScene s({ .rows = 3 });
    EXPECT_EQ(ErrorOf([&] { s.grid.SetCurRow(5); }), 513);
    EXPECT_EQ(ErrorOf([&] { s.grid.SetCurCol(-1); }), 513);
}

TEST(Selection, ThePresentCellOnlyScrollsIntoViewAndResetsTheAnchor)
{
    WindowScene s({ .rows = 40 });
    s.grid.SetMultiSelect(true);
    s.grid.SetCurCell(4, 2);
    s.Press(native::VK_UP, 4);  // Alt: the anchor stays on row 4
    s.Press(native::VK_UP, 4);
    s.grid.VScrollBar().SetValue(100);
    s.events.Clear();
    s.grid.SetCurCell(2, 2);
    s.grid.SetCurRow(2);
    s.grid.SetCurCol(2);
    EXPECT_EQ(s.Take({ EventId::ScrollBarPosChanged, EventId::QuitCustomEdit }), Strings {});
    EXPECT_EQ(s.Layout().ScrollY(), 15 - 8);  // the row's top less the gap
    s.Press(VK_DOWN, 1);
    EXPECT_EQ(s.Selected(), (Cells { { 2, 2 }, { 3, 2 } }));
}

TEST(Selection, RowModeInMultiSelectWidensRowsWithASelectedCell)
{
    WindowScene s;
    s.grid.SetMultiSelect(true);
    s.grid.SetRowMode(true);
    s.ClickCell(5, 1);
    s.grid.SetRowMode(false);  // collapses to the current cell
    EXPECT_EQ(s.Selected(), (Cells { { 5, 1 } }));
    s.grid.SetCellSelected(2, 1, true);
    s.grid.SetCellSelected(4, 3, true);
    s.grid.SetRowMode(true);
    EXPECT_EQ(s.Selected(),
        (Cells { { 2, 1 }, { 2, 2 }, { 2, 3 }, { 4, 1 }, { 4, 2 }, { 4, 3 }, { 5, 1 }, { 5, 2 }, { 5, 3 } }));
    s.ClickCell(3, 1);
    EXPECT_EQ(s.Selected(), (Cells { { 3, 1 }, { 3, 2 }, { 3, 3 } })) << "a plain click leaves its row alone";
}

TEST(Selection, ShiftExtensionSpansDisplayOrderIncludingHiddenColumns)
{
    WindowScene s({ .cols = 4, .rows = 6 });
    s.grid.SetColOrder(3, 1);
    s.grid.SetColOrder(4, 3);  // display order 3, 1, 4, 2
    s.grid.SetColVisible(1, false);
    s.grid.SetMultiSelect(true);
    s.grid.SetCurCell(2, 3);
    for (int i = 0; i < 3; ++i)
        s.Press(VK_DOWN, 1);
    s.Press(native::VK_RIGHT, 1);
    Cells expected;
    for (int32_t r = 2; r <= 5; ++r)
        for (int32_t c : { 1, 3, 4 })
            expected.emplace_back(r, c);
    EXPECT_EQ(s.Selected(), expected);
}

TEST(Selection, CtrlShiftExtensionWritesTheAnchorStateInsideTheRectangleOnly)
{
    WindowScene s;
    s.grid.SetMultiSelect(true);
    s.grid.SetCurCell(1, 1);
    s.ClickCell(1, 1, native::VK_CONTROL);  // deselects it: the anchor's state is now "not selected"
    for (const auto& [r, c] : Cells { { 3, 1 }, { 5, 3 }, { 2, 2 } })
        s.grid.SetCellSelected(r, c, true);
    s.Press(VK_DOWN, 3);
    s.Press(VK_DOWN, 3);
    EXPECT_EQ(s.Selected(), (Cells { { 2, 2 }, { 5, 3 } }));
}

// A handler of the first CellSelectionChange clears the grid or removes a row:
// every operation raising it stops where the grid went, touches no cell outside
// the table and leaves a current cell that exists.
TEST(Selection, HandlersThatChangeTheGridEndTheOperationCleanly)
{
    using Setup = std::function<void(Tavix&)>;
    const Setup multi = [](Tavix& g) {
        g.SetMultiSelect(true);
        g.SetCurCell(2, 2);
        g.SetCellSelected(4, 3, true);
    };
    const Setup rowSingle = [](Tavix& g) {
        g.SetRowMode(true);
        g.SetCurCell(2, 2);
    };
    const struct {
        const char* name;
        Setup setup;
        std::function<void(WindowScene&)> run;
    } cases[] = {
        { "SetCurCell", multi, [](WindowScene& s) { s.grid.SetCurCell(1, 1); } },
        { "SetCurRow", multi, [](WindowScene& s) { s.grid.SetCurRow(5); } },
        { "SetCellSelected", rowSingle, [](WindowScene& s) { s.grid.SetCellSelected(5, 1, true); } },
        { "RowMode", multi, [](WindowScene& s) { s.grid.SetRowMode(true); } },
        { "MultiSelect off", multi, [](WindowScene& s) { s.grid.SetMultiSelect(false); } },
        { "ClearSelection", multi, [](WindowScene& s) { s.grid.ClearSelection(); } },
        { "row mode move", rowSingle, [](WindowScene& s) { s.grid.SetCurRow(5); } },
        { "Shift+Down", multi, [](WindowScene& s) { s.Press(VK_DOWN, 1); } },
        { "click", multi, [](WindowScene& s) { s.ClickCell(5, 1); } },
    };
    for (const bool clear : { true, false }) {
        for (const auto& c : cases) {
            WindowScene s;
            c.setup(s.grid);
            int raised = 0;
            s.events.onAny = [&](const RecordedEvent& e) {
                if (e.id != EventId::CellSelectionChange || raised++ > 0)
                    return;
                if (clear)
                    s.grid.Clear();
                else
                    s.grid.RemoveRow(s.grid.RowCount());
            };
            c.run(s);
            s.events.onAny = nullptr;
            EXPECT_GT(raised, 0) << c.name;
            EXPECT_LE(s.grid.CurRow(), s.grid.RowCount()) << c.name;
            s.Press(VK_DOWN);
            EXPECT_LE(s.grid.CurRow(), s.grid.RowCount()) << c.name;
        }
    }
}

}  // namespace
}  // namespace tavix::testing
