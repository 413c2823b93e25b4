// The pointer's rules, as a person uses it: the events each press, release and
// move raises, and what they do to the selection and the current cell.
#include "support/grid_window.h"

#include <tavix/native/messages.h>

#include <gtest/gtest.h>

#include <tuple>

namespace tavix::testing {
namespace {

using native::Desktop;
using Cur = std::pair<int32_t, int32_t>;

TEST(Mouse, PlainClickRaisesItsEventsInOrderAndMovesTheSelection)
{
    WindowScene s;
    s.grid.SetCurCell(1, 1);
    s.events.Clear();
    s.ClickCell(3, 2);
    EXPECT_EQ(s.Take(),
        (Strings { "MouseEnter(3,2)", "MouseDown(1,0,100,37,3,2,True,False)", "CellSelectionChange(1,1,False)",
            "CellSelectionChange(3,2,True)", "CurCellChange(3,2)", "MouseUp(1,0,100,37,3,2,True)" }));

    // Right presses, left with right down (Button 3) and presses off the cells only report themselves.
    const auto [x, y] = s.At(4, 1);
    s.desktop.MouseMove(x, y);
    s.desktop.MouseDown(Desktop::Button::Right);
    s.desktop.MouseDown(Desktop::Button::Left);
    s.desktop.MouseUp(Desktop::Button::Left);
    s.desktop.MouseUp(Desktop::Button::Right);
    s.desktop.MouseMove(50, 150);
    s.desktop.MouseDown();
    s.desktop.MouseUp();
    EXPECT_EQ(s.Take(),
        (Strings { "MouseLeave(3,2)", "MouseEnter(4,1)", "MouseDown(2,0,20,52,4,1,True,False)",
            "MouseDown(3,0,20,52,4,1,True,False)", "MouseUp(1,0,20,52,4,1,True)", "MouseUp(2,0,20,52,4,1,True)",
            "MouseLeave(4,1)", "MouseDown(1,0,48,148,0,1,True,False)", "MouseUp(1,0,48,148,0,1,True)" }));
    EXPECT_EQ(s.Cur(), Cur(3, 2));
}

TEST(Mouse, MultiSelectModifiersInCellAndRowModeAndTheHostsSayOnThem)
{
    WindowScene s;
    s.grid.SetMultiSelect(true);
    s.grid.SetCurCell(1, 1);
    s.events.onMouseDown = [](int16_t, int16_t&, bool& doDefault) { doDefault = false; };
    s.ClickCell(2, 2);
    EXPECT_EQ(s.Cur(), Cur(1, 1));
    // Without its Ctrl bit a Ctrl+click replaces the selection instead of adding to it.
    s.events.onMouseDown = [](int16_t, int16_t& shift, bool&) { shift &= ~2; };
    s.ClickCell(2, 2, native::VK_CONTROL);
    EXPECT_EQ(s.Selected(), (Cells { { 2, 2 } }));
    s.events.onMouseDown = nullptr;
    s.ClickCell(4, 3, native::VK_CONTROL);
    s.ClickCell(2, 2, native::VK_CONTROL);
    EXPECT_EQ(s.Selected(), (Cells { { 4, 3 } }));
    EXPECT_EQ(s.Cur(), Cur(2, 2));
    s.ClickCell(3, 2, native::VK_SHIFT);
    EXPECT_EQ(s.Selected(), (Cells { { 2, 2 }, { 3, 2 } }));

    s.grid.SetRowMode(true);
    s.ClickCell(4, 1);
    EXPECT_EQ(s.Selected(), (Cells { { 4, 1 }, { 4, 2 }, { 4, 3 } }));
    s.ClickCell(5, 2);
    EXPECT_EQ(s.Selected(), (Cells { { 5, 1 }, { 5, 2 }, { 5, 3 } }));
    s.ClickCell(3, 3, native::VK_CONTROL);
    EXPECT_EQ(s.Selected(), (Cells { { 3, 1 }, { 3, 2 }, { 3, 3 }, { 5, 1 }, { 5, 2 }, { 5, 3 } }));
    EXPECT_EQ(s.Cur(), Cur(3, 3));
    s.ClickCell(1, 1, native::VK_SHIFT);
    EXPECT_EQ(s.Selected().size(), 9u);
}

TEST(Mouse, PressOnSelectedCellWaitsForTheReleaseToTellClickFromDrag)
{
    WindowScene s;
    s.grid.SetMultiSelect(true);
    s.ClickCell(1, 1);
    s.ClickCell(2, 1, native::VK_CONTROL);
    // Released 2 pixels away in both directions: still a click.
    auto [x, y] = s.At(1, 1);
    s.desktop.MouseMove(x, y);
    s.desktop.MouseDown();
    EXPECT_EQ(s.Selected(), (Cells { { 1, 1 }, { 2, 1 } }));
    s.desktop.MouseMove(x + 2, y + 2);
    s.desktop.MouseUp();
    EXPECT_EQ(s.Selected(), (Cells { { 1, 1 } }));
    EXPECT_EQ(s.events.Count(EventId::StartCellDrag), 0u);

    // Three pixels is a drag: reported once, for the pressed cell, and the release changes nothing.
    s.ClickCell(3, 1, native::VK_CONTROL);
    std::tie(x, y) = s.At(3, 1);
    s.desktop.MouseMove(x, y);
    s.desktop.Advance(1000);
    s.events.Clear();
    s.desktop.MouseDown();
    s.desktop.MouseMove(x, y + 3);
    s.desktop.MouseMove(x, y + 20);
    s.desktop.MouseUp();
    EXPECT_EQ(s.Take(),
        (Strings { "MouseDown(1,0,20,37,3,1,True,False)", "StartCellDrag(1,0,20,40,3,1)", "MouseLeave(3,1)",
            "MouseEnter(4,1)", "MouseUp(1,0,20,57,4,1,True)" }));
    EXPECT_EQ(s.Selected(), (Cells { { 1, 1 }, { 3, 1 } }));
}

TEST(Mouse, PointerLeavingTheWindowOrCoveredEndsTheHotCell)
{
    WindowScene s;
    auto [x, y] = s.At(2, 2);
    s.desktop.MouseMove(x, y);
    std::tie(x, y) = s.At(2, 3);
    s.desktop.MouseMove(x, y);
    EXPECT_EQ(s.Take(), (Strings { "MouseEnter(2,2)", "MouseLeave(2,2)", "MouseEnter(2,3)" }));
    EXPECT_EQ(s.Mouse().State().hotCell, (core::CellRef { 2, 3 }));

    s.desktop.MouseMove(350, 250);
    s.desktop.Advance(30);
    EXPECT_EQ(s.Take(), (Strings { "MouseLeave(2,3)" }));
    EXPECT_EQ(s.Mouse().State().hotCell, core::CellRef {});

    // A window over the grid takes the pointer without the grid seeing a move.
    s.desktop.MouseMove(x, y);
    const native::HWND cover = native::CreateWindowEx(0, "Tavix", "", native::WS_VISIBLE, 0, 0, 300, 200, 0);
    s.desktop.Advance(30);
    EXPECT_EQ(s.Take(), (Strings { "MouseEnter(2,3)", "MouseLeave(2,3)" }));
    native::DestroyWindow(cover);

    // A disabled grid raises none of the pointer events.
    s.grid.SetEnabled(false);
    s.ClickCell(1, 1);
    s.desktop.Advance(30);
    EXPECT_EQ(s.Take(), Strings {});
}

TEST(Mouse, DoubleClickAndControlClicksRequestAnEdit)
{
    WindowScene s;
    s.grid.SetCellType(2, 2, tvCellCheck);
    s.grid.SetCellValue(2, 2, GridVariant(false));
    s.grid.SetCurCell(1, 1);
    s.events.Clear();

    // The check box is centred in the 80-pixel cell, 16 pixels wide.
    const auto [x, y] = s.At(2, 2, 40, 7);
    s.desktop.MouseMove(x, y);
    s.desktop.MouseDown();
    s.desktop.MouseUp();
    EXPECT_EQ(s.Take(),
        (Strings { "MouseEnter(2,2)", "MouseDown(1,0,120,22,2,2,True,True)", "CellSelectionChange(1,1,False)",
            "CellSelectionChange(2,2,True)", "CurCellChange(2,2)", "RequestEdit(2,2,0,False,\"\",0,0)",
            "BeforeCommitEdit(2,2,1,\"\",True,0)", "AfterCommitEdit(2,2)", "MouseUp(1,0,120,22,2,2,True)" }));
    EXPECT_TRUE(s.grid.CellValue(2, 2).ToBool());

    // The second press of a double click is only a double click, whose edit toggles the box back.
    s.desktop.MouseDown();
    s.desktop.MouseUp();
    EXPECT_EQ(s.Take(),
        (Strings { "DblClick(2,2,True)", "RequestEdit(2,2,0,False,\"\",0,0)", "BeforeCommitEdit(2,2,1,\"\",False,0)",
            "AfterCommitEdit(2,2)", "MouseUp(1,0,120,22,2,2,True)" }));
    EXPECT_FALSE(s.grid.CellValue(2, 2).ToBool());

    s.events.onDblClick = [](int32_t, int32_t, bool& requestEdit) { requestEdit = false; };
    s.ClickCell(4, 1);
    s.desktop.MouseDown();
    s.desktop.MouseUp();
    EXPECT_EQ(s.events.Count(EventId::DblClick), 1u);
    EXPECT_EQ(s.events.Count(EventId::RequestEdit), 0u);

    // A host that sends the current cell elsewhere leaves the pressed box alone, and the other cell too.
    s.grid.SetCellType(2, 3, tvCellCheck);
    s.events.onAny = [&](const RecordedEvent& e) {
        if (e.id == EventId::CurCellChange && s.grid.CurCol() == 2)
            s.grid.SetCurCell(2, 3);
    };
    s.desktop.Advance(1000);
    s.desktop.Click(x, y);
    EXPECT_EQ(s.Cur(), (std::pair<int32_t, int32_t>(2, 3)));
    EXPECT_EQ(s.events.Count(EventId::RequestEdit), 0u);
}

}  // namespace
}  // namespace tavix::testing
