#include "core/grid_state.h"
#include "support/event_recorder.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tavix {
namespace {

using native::Desktop;

// A grid of `rows` x 3 columns of 80 pixels in a 300 x 200 window at (10, 10).
struct GridScene {
    explicit GridScene(int32_t rows)
    {
        grid.SetEventSink(&events);
        for (int c = 1; c <= 3; ++c)
            grid.AddCol(AddColArgs { .sKey = "c" + std::to_string(c), .lWidth = 80 });
        for (int32_t r = 1; r <= rows; ++r) {
            grid.AddRow();
            grid.SetCellValue(r, 1, GridVariant(r));
        }
        hwnd = grid.Create(0, 10, 10, 300, 200);
        desktop.RunUntilIdle();
    }

    Desktop desktop { 400, 300 };
    testing::EventRecorder events;
    Tavix grid;
    int32_t hwnd { 0 };
};

TEST(GridWindow, CreatesAPaintedWindowWithItsFrame)
{
    GridScene scene(3);
    ASSERT_NE(scene.hwnd, 0);
    EXPECT_EQ(scene.grid.hwnd(), scene.hwnd);
    EXPECT_TRUE(scene.grid.Redraw());
    native::RECT wr {};
    native::GetWindowRect(scene.hwnd, &wr);
    EXPECT_EQ(wr.right - wr.left, 300);
    // The sunken 3D edge takes 2 pixels: the view is the window less the border.
    EXPECT_EQ(scene.grid.State().geo.viewWidth, 296);
    EXPECT_EQ(scene.grid.State().geo.viewHeight, 196);
    const auto& frame = scene.desktop.Frame();
    // Below the last row the background (window colour, white by default) shows.
    EXPECT_EQ(frame.Pixel(100, 150) & 0xFFFFFF, 0xFFFFFFu);
    // The rows hold dark text somewhere in their first cell.
    bool dark = false;
    for (int y = 12; y < 12 + 45 && !dark; ++y)
        for (int x = 12; x < 12 + 80 && !dark; ++x)
            dark = (frame.Pixel(x, y) & 0xFF) < 0x60;
    EXPECT_TRUE(dark);
}

TEST(GridWindow, FontChangesRepaintAndReachTheHost)
{
    GridScene scene(3);
    auto darkPixels = [&] {
        const auto& frame = scene.desktop.Frame();
        int n = 0;
        for (int y = 12; y < 57; ++y)
            for (int x = 12; x < 92; ++x)
                n += (frame.Pixel(x, y) & 0xFF) < 0x60;
        return n;
    };
    const int before = darkPixels();
    FontRef big = scene.grid.Font().Clone();
    big.SetSize(big.Size() * 2);
    big.SetBold(true);
    scene.grid.SetFont(big);
    const int after = darkPixels();
    EXPECT_GT(after, before * 2);
    const auto& changed = static_cast<StandaloneHost&>(scene.grid.GetHost()).ChangedProperties();
    EXPECT_NE(std::find(changed.begin(), changed.end(), "Font"), changed.end());
    // The grid keeps its own copy; the object it hands out is that copy.
    big.SetSize(4);
    EXPECT_EQ(darkPixels(), after);
    scene.grid.Font().SetBold(false);
    EXPECT_LT(darkPixels(), after);
}

TEST(GridWindow, NoClipTextBoundaryTakesTheRoomOfEmptyNeighbours)
{
    GridScene scene(3);
    scene.grid.SetCellValue(2, 1, GridVariant(std::string("a text far wider than its own column")));
    scene.grid.SetCellTextFlags(2, 1, tvTextNoClip | tvTextSingleLine);
    int32_t l = 0, t = 0, w = 0, h = 0;
    scene.grid.CellTextBoundary(2, 1, l, t, w, h);
    EXPECT_LT(l, 5);
    EXPECT_GT(w, 80);  // flows into the empty cells to its right
    EXPECT_EQ(t, 15);
    EXPECT_EQ(h, 14);
    scene.grid.SetCellValue(2, 2, GridVariant(std::string("x")));
    scene.grid.CellTextBoundary(2, 1, l, t, w, h);
    EXPECT_LE(w, 80);  // an occupied neighbour stops the flow
}

TEST(GridWindow, WindowlessGridHasNoBars)
{
    Tavix grid;
    EXPECT_EQ(grid.hwnd(), 0);
    EXPECT_THROW(grid.HScrollBar(), TavixError);
}

}  // namespace
}  // namespace tavix
