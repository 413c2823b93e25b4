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
    explicit VirtualScene(int32_t rows, bool isVirtual = true)
        : available(rows)
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
    // While more rows may come the bar keeps one more row of room below the last.
    auto& bar = scene.grid.VScrollBar();
    EXPECT_EQ(bar.Max() - bar.LargeChange(), 20 * 15 + 15 - 300 + 15);
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

TEST(VirtualEdge, ScrollingToTheEndLeavesTheUsualRoomBelow)
{
    VirtualScene scene(30);
    auto& bar = scene.grid.VScrollBar();
    for (int i = 0; i < 10; ++i)
        bar.SetValue(bar.Max());
    EXPECT_EQ(scene.grid.RowCount(), 30);
    EXPECT_FALSE(scene.grid.State().geo.moreRows);
    EXPECT_EQ(bar.Max() - bar.LargeChange(), 30 * 15 - 300 + 5);
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
    int32_t sr = 0, sc = 0, sx = 0, sy = 0, er = 0, ec = 0, ex = 0, ey = 0;
    scene.grid.GetStartEndCell(sr, sc, sx, sy, er, ec, ex, ey);  // leaves a cached range behind
    scene.grid.Clear();
    EXPECT_EQ(scene.Requests(), VirtualScene::Expected(1, 2, true));
    EXPECT_EQ(scene.grid.RowCount(), 2);

    // Emptied with its columns, the range ends at the top; new columns bring new requests.
    scene.available = 1000;
    scene.grid.Clear(true);
    scene.grid.GetStartEndCell(sr, sc, sx, sy, er, ec, ex, ey);
    EXPECT_EQ(er, -1);
    EXPECT_EQ(ey, 0);
    scene.Requests();
    scene.grid.AddCol(AddColArgs { .lWidth = 100 });
    scene.grid.SetVirtual(true);
    scene.grid.SetRedraw(true);
    EXPECT_EQ(scene.Requests(), VirtualScene::Expected(1, 20, false));
}

TEST(VirtualEdge, MovingDownFetchesRowsThenStaysOnTheLastOne)
{
    VirtualScene scene(1000);
    scene.desktop.Click(50, 290);  // row 20
    ASSERT_EQ(scene.grid.CurRow(), 20);
    const int32_t last = scene.grid.RowCount() + 2;
    scene.available = last;  // two more rows, then the application runs out
    scene.Requests();
    for (int i = 0; i < 4; ++i)
        scene.desktop.KeyDown(VK_DOWN);
    EXPECT_EQ(scene.grid.CurRow(), last);
    EXPECT_EQ(scene.grid.RowCount(), last);
    EXPECT_EQ(scene.grid.CellValue(last, 1).ToLong(), last * 10);
    EXPECT_EQ(scene.Requests(), VirtualScene::Expected(last - 1, last, true));
    EXPECT_FALSE(scene.grid.State().geo.moreRows);
    scene.desktop.KeyDown(VK_DOWN);
    EXPECT_EQ(scene.events.Count(EventId::CurCellChange), 0u);
    const auto& geo = scene.grid.State().geo;
    EXPECT_LE(scene.grid.State().rows.At(last).Top + 15, geo.scrollY + geo.viewHeight);
}

TEST(VirtualEdge, PageDownAtTheLastLoadedRowFetchesMoreFirst)
{
    VirtualScene scene(1000);
    const int32_t loaded = scene.grid.RowCount();
    scene.desktop.Click(50, 5);
    scene.desktop.KeyDown(VK_END);
    scene.desktop.KeyDown(VK_NEXT);
    EXPECT_GT(scene.grid.CurRow(), loaded + 5);
    EXPECT_GE(scene.grid.RowCount(), scene.grid.CurRow());
    const auto& geo = scene.grid.State().geo;
    const auto& row = scene.grid.State().rows.At(scene.grid.CurRow());
    EXPECT_GE(row.Top, geo.scrollY);
    EXPECT_LE(row.Top + row.Height, geo.scrollY + geo.viewHeight);
}

TEST(VirtualEdge, NonVirtualGridsNeverRequestRows)
{
    VirtualScene scene(1000, false);
    scene.grid.AddRow();
    scene.ScrollAround();
    EXPECT_TRUE(scene.Requests().empty());
    EXPECT_EQ(scene.grid.RowCount(), 1);
}

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
