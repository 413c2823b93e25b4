#include "core/grid_state.h"
#include "support/event_recorder.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <string>

namespace tavix {
namespace {

using native::Desktop;

// 100 rows of 3 columns in a 300 x 200 window at the screen's origin.
struct InputScene {
    InputScene()
    {
        grid.SetEventSink(&events);
        for (int c = 1; c <= 3; ++c)
            grid.AddCol(AddColArgs { .lWidth = 80 });
        for (int32_t r = 1; r <= 100; ++r) {
            grid.AddRow();
            grid.SetCellValue(r, 1, GridVariant(std::string(r % 2 ? "apple " : "berry ") + std::to_string(r)));
        }
        grid.Create(0, 0, 0, 300, 200);
        desktop.RunUntilIdle();
    }

    Desktop desktop { 400, 300 };
    testing::EventRecorder events;
    Tavix grid;
};

TEST(GridInput, ClickMovesTheCurrentCellAndKeysNavigateFromThere)
{
    InputScene scene;
    // Client (85, 20) lies in row 2 (content y 20 is in 16..30), column 2; the border is 2 pixels.
    scene.desktop.Click(2 + 85, 2 + 20);
    EXPECT_EQ(scene.grid.CurRow(), 2);
    EXPECT_EQ(scene.grid.CurCol(), 2);
    EXPECT_EQ(native::GetFocus(), scene.grid.hwnd());
    scene.desktop.KeyDown(native::VK_DOWN);
    scene.desktop.KeyUp(native::VK_DOWN);
    EXPECT_EQ(scene.grid.CurRow(), 3);
    scene.desktop.KeyDown(native::VK_NEXT);
    scene.desktop.KeyUp(native::VK_NEXT);
    EXPECT_GT(scene.grid.CurRow(), 10);
    // The current row was scrolled into view.
    const auto& geo = scene.grid.State().geo;
    const int32_t top = (scene.grid.CurRow() - 1) * 15;
    EXPECT_GE(top, geo.scrollY);
    EXPECT_LE(top + 15, geo.scrollY + geo.viewHeight);
}

TEST(GridInput, TypingSearchesTheCurrentColumn)
{
    InputScene scene;
    scene.grid.SetKeyPressBehaviour(tvKeyPressSearchCurCol);
    scene.desktop.Click(10, 10);
    scene.desktop.TypeText("berry 4");
    EXPECT_EQ(scene.grid.CurRow(), 4);
    scene.desktop.TypeText("2");
    EXPECT_EQ(scene.grid.CurRow(), 42);
}

}  // namespace
}  // namespace tavix
