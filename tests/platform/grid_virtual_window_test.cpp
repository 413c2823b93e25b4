#include "core/grid_state.h"
#include "support/event_recorder.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace tavix {
namespace {

using native::Desktop;

// A virtual grid whose application has `available` rows, in a window whose
// cell area is 296 x 196 pixels.
struct VirtualScene {
    explicit VirtualScene(int32_t available)
    {
        events.onRequestRow = [available](int32_t row, bool& noMore) { noMore = row > available; };
        events.onRequestRowData = [this](int32_t row) { grid.SetCellValue(row, 1, GridVariant(row)); };
        grid.SetEventSink(&events);
        grid.AddCol(AddColArgs { .lWidth = 100 });
        grid.SetVirtual(true);
        grid.Create(0, 0, 0, 300, 200);
        desktop.RunUntilIdle();
    }
    int CountOf(const std::string& name) const
    {
        const auto s = events.Strings();
        return static_cast<int>(std::count_if(
            s.begin(), s.end(), [&](const std::string& e) { return e.rfind(name + "(", 0) == 0; }));
    }

    Desktop desktop { 400, 300 };
    testing::EventRecorder events;
    Tavix grid;
};

TEST(GridVirtualWindow, FirstPaintRequestsRowsUntilTheViewIsFull)
{
    VirtualScene scene(1000);
    // 196 pixels of 15-pixel rows: 14 rows reach the bottom.
    EXPECT_GE(scene.grid.RowCount(), 14);
    EXPECT_LE(scene.grid.RowCount(), 16);
    EXPECT_EQ(scene.CountOf("RequestRow"), scene.grid.RowCount());
    EXPECT_EQ(scene.CountOf("RequestRowData"), scene.grid.RowCount());
    EXPECT_EQ(scene.grid.CellValue(5, 1).ToLong(), 5);
    // While more rows may come the bar keeps one more row of room below the last.
    auto& bar = scene.grid.VScrollBar();
    const auto& geo = scene.grid.State().geo;
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(bar.Max() - bar.LargeChange(),
        scene.grid.RowCount() * 15 + 15 - geo.viewHeight + 15);
}

TEST(GridVirtualWindow, ScrollingDownRequestsMoreAndTheEndStopsRequests)
{
    VirtualScene scene(20);
    auto& bar = scene.grid.VScrollBar();
    for (int i = 0; i < 10; ++i)
        bar.SetValue(bar.Max());
    EXPECT_EQ(scene.grid.RowCount(), 20);
    EXPECT_FALSE(scene.grid.State().geo.moreRows);
    scene.events.Clear();
    bar.SetValue(0);
    bar.SetValue(bar.Max());
    EXPECT_EQ(scene.CountOf("RequestRow"), 0);
    // Without more rows the room below is the usual 5 pixels.
    EXPECT_EQ(bar.Max() - bar.LargeChange(), 20 * 15 - scene.grid.State().geo.viewHeight + 5);
}

TEST(GridVirtualWindow, ClearedVirtualGridRequestsItsRowsAgain)
{
    VirtualScene scene(1000);
    int32_t sr = 0, sc = 0, sx = 0, sy = 0, er = 0, ec = 0, ex = 0, ey = 0;
    scene.grid.GetStartEndCell(sr, sc, sx, sy, er, ec, ex, ey);
    scene.grid.Clear(true);
    scene.grid.GetStartEndCell(sr, sc, sx, sy, er, ec, ex, ey);
    EXPECT_EQ(er, -1);
    EXPECT_EQ(ey, 0);
    scene.events.Clear();
    scene.grid.AddCol(AddColArgs { .lWidth = 100 });
    scene.grid.SetVirtual(true);
    scene.grid.SetRedraw(true);
    EXPECT_GE(scene.grid.RowCount(), 14);
    EXPECT_EQ(scene.CountOf("RequestRow"), scene.grid.RowCount());
}

TEST(GridWindowColours, SystemColourChangeWithSameMetricsRaisesNothing)
{
    Desktop desktop(200, 200);
    testing::EventRecorder events;
    Tavix grid;
    grid.SetEventSink(&events);
    const auto hwnd = grid.Create(0, 0, 0, 100, 100);
    native::SendMessage(hwnd, native::WM_SYSCOLORCHANGE, 0, 0);
    desktop.Advance(10);
    for (const auto& e : events.Strings())
        EXPECT_EQ(e.find("ScrollBarThicknessChanged"), std::string::npos) << e;
    EXPECT_EQ(grid.VScrollBar().Thickness(), native::GetSystemMetrics(native::SM_CXVSCROLL));
}

}  // namespace
}  // namespace tavix
