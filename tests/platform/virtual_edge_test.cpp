#include "core/grid_state.h"
#include "support/event_recorder.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/messages.h>
#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavix {
namespace {

using namespace native;
using Events = std::vector<std::string>;

// A grid with one 100-pixel column in a borderless 200 x 300 window at the
// screen origin: the cell area is 300 pixels high, rows are 15 high. The
// application has `available` rows.
struct VirtualScene {
    explicit VirtualScene(int32_t rows, bool isVirtual = true) : available(rows)
    {
        events.onRequestRow = [this](int32_t row, bool& noMore) { noMore = row > available; };
        events.onRequestRowData = [this](int32_t row) { grid.SetCellValue(row, 1, GridVariant(row * 10)); };
        grid.SetEventSink(&events);
        grid.SetBorderStyle(tvBorderNone);
        grid.AddCol(AddColArgs { .lWidth = 100 });
        grid.SetVirtual(isVirtual);
        hwnd = grid.Create(0, 0, 0, 200, 300);
        desktop.RunUntilIdle();
    }
    // The row request events raised since the last call.
    Events Requests()
    {
        Events out;
        for (const auto& e : events.Strings())
            if (e.rfind("RequestRow", 0) == 0)
                out.push_back(e);
        events.Clear();
        return out;
    }
    static Events Expected(int32_t first, int32_t last, bool endAfter)
    {
        Events out;
        for (int32_t r = first; r <= last; ++r) {
            out.push_back("RequestRow(" + std::to_string(r) + ",False)");
            out.push_back("RequestRowData(" + std::to_string(r) + ")");
        }
        if (endAfter)
            out.push_back("RequestRow(" + std::to_string(last + 1) + ",False)");
        return out;
    }
    void Repaint()
    {
        InvalidateRect(hwnd, nullptr, false);
        desktop.RunUntilIdle();
    }
    // Scrolls every way the user can, then repaints.
    void ScrollAround()
    {
        for (int request : { SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM })
            SendMessage(hwnd, WM_VSCROLL, static_cast<WPARAM>(request), 0);
        desktop.MouseMove(50, 50);
        desktop.Wheel(-120);
        Repaint();
    }

    Desktop desktop { 400, 400 };
    testing::EventRecorder events;
    Tavix grid;
    int32_t available;
    HWND hwnd { 0 };
};

TEST(VirtualEdge, FirstPaintRequestsRowsInOrderUntilTheViewIsFull)
{
    VirtualScene scene(1000);
    ASSERT_EQ(scene.grid.State().geo.viewHeight, 300);
    EXPECT_EQ(scene.Requests(), VirtualScene::Expected(1, 20, false));
    EXPECT_EQ(scene.grid.RowCount(), 20);
    EXPECT_EQ(scene.grid.CellValue(20, 1).ToLong(), 200);
    EXPECT_TRUE(scene.grid.State().geo.moreRows);
    // A repaint of the full view asks for nothing more.
    scene.Repaint();
    EXPECT_TRUE(scene.Requests().empty());
}

TEST(VirtualEdge, TheEndOfTheRowsStopsPaintingScrollingAndTheKeyboard)
{
    VirtualScene scene(3);
    EXPECT_EQ(scene.Requests(), VirtualScene::Expected(1, 3, true));
    EXPECT_EQ(scene.grid.RowCount(), 3);
    EXPECT_FALSE(scene.grid.State().geo.moreRows);
    scene.ScrollAround();
    EXPECT_TRUE(scene.Requests().empty());

    scene.desktop.Click(50, 40);  // row 3
    ASSERT_EQ(scene.grid.CurRow(), 3);
    scene.desktop.KeyDown(VK_DOWN);
    EXPECT_EQ(scene.grid.CurRow(), 3);
    EXPECT_EQ(scene.grid.RowCount(), 3);
    EXPECT_TRUE(scene.Requests().empty());
}

TEST(VirtualEdge, SettingVirtualAgainResumesAtTheNextMissingRow)
{
    VirtualScene scene(3);
    scene.Requests();
    scene.available = 6;
    scene.grid.SetVirtual(true);
    EXPECT_TRUE(scene.Requests().empty());  // nothing is redrawn by the setting itself
    scene.Repaint();
    EXPECT_EQ(scene.Requests(), VirtualScene::Expected(4, 6, true));
    EXPECT_EQ(scene.grid.RowCount(), 6);
    EXPECT_EQ(scene.grid.CellValue(6, 1).ToLong(), 60);
}

TEST(VirtualEdge, ClearStartsOverFromTheFirstRow)
{
    VirtualScene scene(3);
    scene.Requests();
    scene.available = 2;
    scene.grid.Clear();
    EXPECT_EQ(scene.Requests(), VirtualScene::Expected(1, 2, true));
    EXPECT_EQ(scene.grid.RowCount(), 2);
}

TEST(VirtualEdge, MovingDownPastTheEndStaysOnTheLastRow)
{
    VirtualScene scene(1000);
    scene.desktop.Click(50, 290);  // row 20
    ASSERT_EQ(scene.grid.CurRow(), 20);
    const int32_t last = scene.grid.RowCount();
    scene.available = last;  // the application runs out at the next request
    scene.Requests();
    for (int i = 0; i < 4; ++i)
        scene.desktop.KeyDown(VK_DOWN);
    EXPECT_EQ(scene.grid.CurRow(), last);
    EXPECT_EQ(scene.grid.RowCount(), last);
    EXPECT_EQ(scene.Requests(), Events { "RequestRow(" + std::to_string(last + 1) + ",False)" });
    EXPECT_FALSE(scene.grid.State().geo.moreRows);
}

TEST(VirtualEdge, NonVirtualGridsNeverRequestRows)
{
    VirtualScene scene(1000, false);
    scene.grid.AddRow();
    scene.ScrollAround();
    EXPECT_TRUE(scene.Requests().empty());
    EXPECT_EQ(scene.grid.RowCount(), 1);
}

// Disabled: painting a virtual grid without columns reads the column table
// past its end (paint's row loop runs over the ghost rows).
TEST(VirtualEdge, WithoutColumnsNothingIsRequested)
{
    Desktop desktop(300, 300);
    testing::EventRecorder events;
    Tavix grid;
    grid.SetEventSink(&events);
    grid.SetVirtual(true);
    grid.Create(0, 0, 0, 200, 200);
    desktop.RunUntilIdle();
    EXPECT_EQ(events.Count(EventId::RequestRow), 0u);
    EXPECT_EQ(grid.RowCount(), 0);
}

}  // namespace
}  // namespace tavix
