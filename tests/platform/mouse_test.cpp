// The pointer as a person uses it: real mouse messages through the desktop,
// judged by the events they raise, the selection and the current cell.
#include "core/grid_state.h"
#include "interaction/mouse.h"
#include "paint/cell_controls.h"
#include "support/event_recorder.h"
#include "support/selected_cells.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/messages.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavix {
namespace {

using native::Desktop;
using Strings = std::vector<std::string>;
using Cells = testing::Cells;

// Five rows of three 80-pixel columns (15-pixel rows) in a 300 x 200 window at
// the screen's origin; the 2-pixel border puts client (0, 0) at screen (2, 2).
struct MouseScene {
    MouseScene()
    {
        grid.SetEventSink(&events);
        for (int c = 1; c <= 3; ++c)
            grid.AddCol(AddColArgs { .lWidth = 80 });
        for (int r = 1; r <= 5; ++r)
            grid.AddRow();
        grid.Create(0, 0, 0, 300, 200);
        desktop.RunUntilIdle();
        events.Clear();
    }
    // Screen point (dx, dy) pixels into the cell.
    static std::pair<int, int> At(int row, int col, int dx = 20, int dy = 7)
    {
        return { 2 + (col - 1) * 80 + dx, 2 + (row - 1) * 15 + dy };
    }
    // Far enough apart in time never to pair into a double click.
    void ClickCell(int row, int col, int modifier = 0)
    {
        desktop.Advance(1000);
        const auto [x, y] = At(row, col);
        desktop.MouseMove(x, y);
        if (modifier != 0)
            desktop.KeyDown(modifier);
        desktop.MouseDown();
        desktop.MouseUp();
        if (modifier != 0)
            desktop.KeyUp(modifier);
    }
    // The events of interest here: keys and plain moves are left out.
    Strings Take()
    {
        Strings out;
        for (const auto& e : events.Events())
            if (e.id != EventId::KeyDown && e.id != EventId::KeyUp && e.id != EventId::MouseMove)
                out.push_back(e.ToString());
        events.Clear();
        return out;
    }
    Cells Selected() const { return testing::SelectedCells(grid); }
    std::pair<int32_t, int32_t> Cur() const { return { grid.CurRow(), grid.CurCol() }; }

    Desktop desktop { 400, 300 };
    testing::EventRecorder events;
    Tavix grid;
};

TEST(Mouse, PlainClickRaisesItsEventsInOrderAndMovesTheSelection)
{
    MouseScene scene;
    scene.grid.SetCurCell(1, 1);
    scene.events.Clear();
    scene.ClickCell(3, 2);
    EXPECT_EQ(scene.Take(),
        (Strings { "MouseEnter(3,2)", "MouseDown(1,0,100,37,3,2,True,False)", "CellSelectionChange(1,1,False)",
            "CellSelectionChange(3,2,True)", "CurCellChange(3,2)", "MouseUp(1,0,100,37,3,2,True)" }));
    EXPECT_EQ(scene.Selected(), (Cells { { 3, 2 } }));
    EXPECT_EQ(native::GetFocus(), scene.grid.hwnd());

    // Right presses, left with right down (Button 3) and presses off the cells only report themselves.
    const auto [x, y] = MouseScene::At(4, 1);
    scene.desktop.MouseMove(x, y);
    scene.desktop.MouseDown(Desktop::Button::Right);
    scene.desktop.MouseDown(Desktop::Button::Left);
    scene.desktop.MouseUp(Desktop::Button::Left);
    scene.desktop.MouseUp(Desktop::Button::Right);
    scene.desktop.MouseMove(50, 150);
    scene.desktop.MouseDown();
    scene.desktop.MouseUp();
    EXPECT_EQ(scene.Take(),
        (Strings { "MouseLeave(3,2)", "MouseEnter(4,1)", "MouseDown(2,0,20,52,4,1,True,False)",
            "MouseDown(3,0,20,52,4,1,True,False)", "MouseUp(1,0,20,52,4,1,True)", "MouseUp(2,0,20,52,4,1,True)",
            "MouseLeave(4,1)", "MouseDown(1,0,48,148,0,1,True,False)", "MouseUp(1,0,48,148,0,1,True)" }));
    EXPECT_EQ(scene.Cur(), std::make_pair(3, 2));
}

TEST(Mouse, MultiSelectModifiersInCellAndRowModeAndTheHostsSayOnThem)
{
    MouseScene scene;
    scene.grid.SetMultiSelect(true);
    scene.grid.SetCurCell(1, 1);
    scene.events.onMouseDown = [](int16_t, int16_t&, bool& doDefault) { doDefault = false; };
    scene.ClickCell(2, 2);
    EXPECT_EQ(scene.Cur(), std::make_pair(1, 1));
    // Without its Ctrl bit a Ctrl+click replaces the selection instead of adding to it.
    scene.events.onMouseDown = [](int16_t, int16_t& shift, bool&) { shift &= ~2; };
    scene.ClickCell(2, 2, native::VK_CONTROL);
    EXPECT_EQ(scene.Selected(), (Cells { { 2, 2 } }));
    scene.events.onMouseDown = nullptr;
    scene.ClickCell(4, 3, native::VK_CONTROL);
    scene.ClickCell(2, 2, native::VK_CONTROL);
    EXPECT_EQ(scene.Selected(), (Cells { { 4, 3 } }));
    EXPECT_EQ(scene.Cur(), std::make_pair(2, 2));
    scene.ClickCell(3, 2, native::VK_SHIFT);
    EXPECT_EQ(scene.Selected(), (Cells { { 2, 2 }, { 3, 2 } }));

    scene.grid.SetRowMode(true);
    scene.ClickCell(4, 1);
    EXPECT_EQ(scene.Selected(), (Cells { { 4, 1 }, { 4, 2 }, { 4, 3 } }));
    scene.ClickCell(5, 2);
    EXPECT_EQ(scene.Selected(), (Cells { { 5, 1 }, { 5, 2 }, { 5, 3 } }));
    scene.ClickCell(3, 3, native::VK_CONTROL);
    EXPECT_EQ(scene.Selected(), (Cells { { 3, 1 }, { 3, 2 }, { 3, 3 }, { 5, 1 }, { 5, 2 }, { 5, 3 } }));
    EXPECT_EQ(scene.Cur(), std::make_pair(3, 3));
    scene.ClickCell(1, 1, native::VK_SHIFT);
    EXPECT_EQ(scene.Selected().size(), 9u);
}

TEST(Mouse, PressOnSelectedCellWaitsForTheReleaseToTellClickFromDrag)
{
    MouseScene scene;
    scene.grid.SetMultiSelect(true);
    scene.ClickCell(1, 1);
    scene.ClickCell(2, 1, native::VK_CONTROL);
    scene.events.Clear();

    // Released 2 pixels away in both directions: still a click.
    auto [x, y] = MouseScene::At(1, 1);
    scene.desktop.MouseMove(x, y);
    scene.desktop.MouseDown();
    EXPECT_EQ(scene.Selected(), (Cells { { 1, 1 }, { 2, 1 } }));
    scene.desktop.MouseMove(x + 2, y + 2);
    scene.desktop.MouseUp();
    EXPECT_EQ(scene.Selected(), (Cells { { 1, 1 } }));
    EXPECT_EQ(scene.events.Count(EventId::StartCellDrag), 0u);

    // Three pixels is a drag: reported once, for the pressed cell, and the release changes nothing.
    scene.ClickCell(3, 1, native::VK_CONTROL);
    std::tie(x, y) = MouseScene::At(3, 1);
    scene.desktop.MouseMove(x, y);
    scene.desktop.Advance(1000);
    scene.events.Clear();
    scene.desktop.MouseDown();
    scene.desktop.MouseMove(x, y + 3);
    scene.desktop.MouseMove(x, y + 20);
    scene.desktop.MouseUp();
    EXPECT_EQ(scene.Take(),
        (Strings { "MouseDown(1,0,20,37,3,1,True,False)", "StartCellDrag(1,0,20,40,3,1)", "MouseLeave(3,1)",
            "MouseEnter(4,1)", "MouseUp(1,0,20,57,4,1,True)" }));
    EXPECT_EQ(scene.Selected(), (Cells { { 1, 1 }, { 3, 1 } }));
}

TEST(Mouse, PointerLeavingTheWindowOrCoveredEndsTheHotCell)
{
    MouseScene scene;
    auto [x, y] = MouseScene::At(2, 2);
    scene.desktop.MouseMove(x, y);
    std::tie(x, y) = MouseScene::At(2, 3);
    scene.desktop.MouseMove(x, y);
    EXPECT_EQ(scene.Take(), (Strings { "MouseEnter(2,2)", "MouseLeave(2,2)", "MouseEnter(2,3)" }));
    EXPECT_EQ(scene.grid.State().look.hotCell, (core::CellRef { 2, 3 }));

    scene.desktop.MouseMove(350, 250);
    scene.desktop.Advance(30);
    EXPECT_EQ(scene.Take(), (Strings { "MouseLeave(2,3)" }));
    EXPECT_EQ(scene.grid.State().look.hotCell, core::CellRef {});

    // A window over the grid takes the pointer without the grid seeing a move.
    scene.desktop.MouseMove(x, y);
    const native::HWND cover = native::CreateWindowEx(0, "Tavix", "", native::WS_VISIBLE, 0, 0, 300, 200, 0);
    scene.desktop.Advance(30);
    EXPECT_EQ(scene.Take(), (Strings { "MouseEnter(2,3)", "MouseLeave(2,3)" }));
    native::DestroyWindow(cover);

    // A disabled grid raises none of the pointer events.
    scene.grid.SetEnabled(false);
    scene.ClickCell(1, 1);
    scene.desktop.Advance(30);
    EXPECT_EQ(scene.Take(), Strings {});
}

TEST(Mouse, DoubleClickAndControlClicksRequestAnEdit)
{
    MouseScene scene;
    scene.grid.SetCellType(2, 2, tvCellCheck);
    scene.grid.SetCellValue(2, 2, GridVariant(false));
    scene.grid.SetCurCell(1, 1);
    scene.events.Clear();

    // The check box is centred in the 80-pixel cell, 16 pixels wide.
    const auto [x, y] = MouseScene::At(2, 2, 40, 7);
    scene.desktop.MouseMove(x, y);
    scene.desktop.MouseDown();
    scene.desktop.MouseUp();
    EXPECT_EQ(scene.Take(),
        (Strings { "MouseEnter(2,2)", "MouseDown(1,0,120,22,2,2,True,True)", "CellSelectionChange(1,1,False)",
            "CellSelectionChange(2,2,True)", "CurCellChange(2,2)", "RequestEdit(2,2,0,False,\"\",0,0)",
            "MouseUp(1,0,120,22,2,2,True)" }));

    // The second press of a double click is only a double click.
    scene.desktop.MouseDown();
    scene.desktop.MouseUp();
    EXPECT_EQ(scene.Take(),
        (Strings { "DblClick(2,2,True)", "RequestEdit(2,2,0,False,\"\",0,0)", "MouseUp(1,0,120,22,2,2,True)" }));

    scene.events.onDblClick = [](int32_t, int32_t, bool& requestEdit) { requestEdit = false; };
    scene.desktop.Advance(1000);
    scene.ClickCell(4, 1);
    scene.desktop.MouseDown();
    scene.desktop.MouseUp();
    EXPECT_EQ(scene.events.Count(EventId::DblClick), 1u);
    EXPECT_EQ(scene.events.Count(EventId::RequestEdit), 0u);
}

// This platform has no visual styles, so the window never lights controls up;
// the tracking itself is driven here with styles assumed.
TEST(Mouse, ControlUnderThePointerIsHotWhileThePointerIsOnIt)
{
    MouseScene scene;
    scene.grid.SetCellType(2, 2, tvCellCheck);
    interaction::Mouse mouse(scene.grid.State());
    mouse.hooks.themesActive = [] { return true; };
    mouse.hooks.controlRect = [](int32_t, native::Rect cell) { return CheckBoxRect(cell, kControlSize); };
    const auto& look = scene.grid.State().look;

    // Cell (2, 2) spans client x 80..160, y 15..30; its box, squared to
    // the 12 pixels of height left inside the frame, is x 114..126, y 16..28.
    mouse.OnMove(0, 0, 85, 20);
    EXPECT_FALSE(look.controlIsHot);
    EXPECT_TRUE(mouse.State().controlRectArmed);
    mouse.OnMove(0, 0, 114, 20);
    EXPECT_TRUE(look.controlIsHot);
    mouse.OnMove(0, 0, 126, 20);
    EXPECT_FALSE(look.controlIsHot);
    EXPECT_EQ(mouse.State().hotControlType, tvCellCheck);

    // Scrolling carries the tracked rectangle along with the box.
    mouse.OnScrolled(10, 0);
    mouse.OnMove(0, 0, 104, 20);
    EXPECT_TRUE(look.controlIsHot);
    mouse.OnMove(0, 0, 116, 20);
    EXPECT_FALSE(look.controlIsHot);

    // Entering straight onto the box of another cell makes it hot at once; a text cell never is.
    scene.grid.SetCellType(3, 2, tvCellCheck);
    mouse.OnMove(0, 0, 120, 37);
    EXPECT_EQ(look.hotCell, (core::CellRef { 3, 2 }));
    EXPECT_TRUE(look.controlIsHot);
    mouse.OnMove(0, 0, 120, 52);
    EXPECT_FALSE(look.controlIsHot);
    EXPECT_FALSE(mouse.State().controlRectArmed);
    EXPECT_EQ(mouse.State().hotControlType, tvCellText);
}

}  // namespace
}  // namespace tavix
