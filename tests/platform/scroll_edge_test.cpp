#include "core/grid_state.h"
#include "support/event_recorder.h"

#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/messages.h>
#include <tavix/native/window.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavix {
namespace {

using namespace native;

// `cols` columns of 80 pixels and 40 rows of 15 (600 pixels) in a 300 x 200
// window at (10, 10) whose sunken border leaves a 296 x 196 cell area.
struct Scene {
    explicit Scene(int32_t cols)
    {
        grid.SetEventSink(&events);
        for (int32_t c = 1; c <= cols; ++c)
            grid.AddCol(AddColArgs { .lWidth = 80 });
        for (int32_t r = 1; r <= 40; ++r)
            grid.AddRow();
        hwnd = grid.Create(0, 10, 10, 300, 200);
        desktop.RunUntilIdle();
        events.Clear();
    }
    // The scroll bar events raised since the last call.
    std::vector<std::string> BarEvents()
    {
        std::vector<std::string> out;
        for (const auto& e : events.Strings())
            if (e.rfind("ScrollBar", 0) == 0)
                out.push_back(e);
        events.Clear();
        return out;
    }
    void Send(UINT msg, int request) { SendMessage(hwnd, msg, static_cast<WPARAM>(request), 0); }
    const core::ViewGeometry& Geo() const { return grid.State().geo; }

    Desktop desktop { 400, 300 };
    testing::EventRecorder events;
    Tavix grid;
    HWND hwnd { 0 };
};

using Events = std::vector<std::string>;

TEST(ScrollEdge, VerticalRequestsMoveAndClamp)
{
    Scene scene(3);
    auto& bar = scene.grid.VScrollBar();
    const int32_t page = bar.LargeChange();
    const int32_t last = 600 - scene.Geo().viewHeight + 5 + 1;  // native max - page + 1
    const struct {
        int32_t from;
        int request;
        int32_t expected;
    } cases[] = {
        { 0, SB_LINEUP, 0 },
        { 0, SB_LINEDOWN, 15 },
        { 30, SB_LINEUP, 15 },
        { 10, SB_LINEUP, 0 },  // below the minimum: the minimum
        { last - 5, SB_LINEDOWN, last },  // the system pins it to the last page
        { last, SB_LINEDOWN, last },
        { 0, SB_PAGEDOWN, page },
        { page + 3, SB_PAGEUP, 3 },
        { 3, SB_PAGEUP, 0 },
        { last - 2, SB_PAGEDOWN, last },
        { 100, SB_TOP, 0 },
        { 100, SB_BOTTOM, last },
        { 100, SB_THUMBPOSITION, 100 },
    };
    for (const auto& c : cases) {
        bar.SetValue(c.from);
        scene.BarEvents();
        scene.Send(WM_VSCROLL, c.request);
        EXPECT_EQ(scene.Geo().scrollY, c.expected) << "request " << c.request << " from " << c.from;
        EXPECT_EQ(bar.Value(), c.expected);
        const Events expected
            = c.expected == c.from ? Events {} : Events { "ScrollBarPosChanged(1," + std::to_string(c.expected) + ")" };
        EXPECT_EQ(scene.BarEvents(), expected) << "request " << c.request << " from " << c.from;
    }
    scene.Send(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(scene.BarEvents(), Events { "ScrollBarEndScroll(1)" });
}

TEST(ScrollEdge, LineRequestsIgnoreAHiddenBar)
{
    Scene scene(3);  // no horizontal bar
    ASSERT_FALSE(scene.grid.HScrollBar().Visible());
    scene.Send(WM_HSCROLL, SB_LINEDOWN);
    scene.Send(WM_HSCROLL, SB_LINEUP);
    EXPECT_EQ(scene.Geo().scrollX, 0);
    EXPECT_TRUE(scene.BarEvents().empty());
}

TEST(ScrollEdge, WheelScrollsLinesAndCtrlWheelScrollsSideways)
{
    Scene scene(6);
    scene.desktop.SetWheelScrollLines(0);  // less than 1 means 3
    scene.desktop.MouseMove(100, 100);
    scene.desktop.KeyDown(VK_CONTROL);
    scene.desktop.Wheel(-120);
    EXPECT_EQ(scene.Geo().scrollX, 3 * 20);
    EXPECT_EQ(scene.Geo().scrollY, 0);
    scene.desktop.Wheel(-1);  // only the sign counts
    EXPECT_EQ(scene.Geo().scrollX, 6 * 20);
    scene.desktop.Wheel(240);
    EXPECT_EQ(scene.Geo().scrollX, 3 * 20);
    scene.desktop.KeyUp(VK_CONTROL);
    scene.BarEvents();

    scene.desktop.SetWheelScrollLines(2);
    scene.desktop.Wheel(-120);
    EXPECT_EQ(scene.Geo().scrollY, 2 * 15);
    EXPECT_EQ(scene.Geo().scrollX, 3 * 20);
    EXPECT_EQ(scene.BarEvents(), Events { "ScrollBarPosChanged(1,30)" });
}

TEST(ScrollEdge, SettingTheValueScrollsLikeTheUser)
{
    Scene scene(6);
    auto& h = scene.grid.HScrollBar();
    h.SetValue(85);
    EXPECT_EQ(scene.Geo().scrollX, 85);
    EXPECT_EQ(scene.BarEvents(), Events { "ScrollBarPosChanged(0,85)" });
    int32_t sr = 0, sc = 0, sx = 0, sy = 0, er = 0, ec = 0, ex = 0, ey = 0;
    scene.grid.GetStartEndCell(sr, sc, sx, sy, er, ec, ex, ey);
    EXPECT_EQ(sc, 2);
    EXPECT_EQ(sx, -5);
    h.SetValue(85);
    EXPECT_TRUE(scene.BarEvents().empty());
    h.SetValue(-40);  // clamped to the minimum
    EXPECT_EQ(h.Value(), 0);
    EXPECT_EQ(scene.BarEvents(), Events { "ScrollBarPosChanged(0,0)" });
}

TEST(ScrollEdge, BarObjectsMirrorTheBars)
{
    Scene scene(6);
    const auto& geo = scene.Geo();
    for (auto* bar : { &scene.grid.HScrollBar(), &scene.grid.VScrollBar() }) {
        EXPECT_TRUE(bar->Visible());
        EXPECT_EQ(bar->Min(), 0);
        EXPECT_EQ(bar->Thickness(), 17);
    }
    auto& h = scene.grid.HScrollBar();
    EXPECT_EQ(h.Max(), geo.contentWidth - geo.viewWidth + h.LargeChange());
    EXPECT_EQ(h.Bar(), tvScrollBarH);
    EXPECT_EQ(scene.grid.VScrollBar().Bar(), tvScrollBarV);
    EXPECT_FALSE(scene.grid.Supports(tvSupFeatFlatScrollBars));
    // Without a flat library every style draws regular; the setting is kept.
    scene.grid.SetScrollBarStyle(tvScrollBarFlat);
    EXPECT_EQ(scene.grid.ScrollBarStyle(), tvScrollBarFlat);
    EXPECT_TRUE(h.Visible());
}

TEST(ScrollEdge, ResizingShowsAndHidesTheBars)
{
    Scene scene(3);
    scene.grid.VScrollBar().SetValue(100);
    scene.BarEvents();
    MoveWindow(scene.hwnd, 10, 10, 300, 700);
    scene.desktop.RunUntilIdle();
    EXPECT_EQ(scene.Geo().viewHeight, 696);
    EXPECT_FALSE(scene.grid.VScrollBar().Visible());
    EXPECT_EQ(scene.Geo().scrollY, 0);
    EXPECT_EQ(scene.BarEvents(), (Events { "ScrollBarPosChanged(1,0)", "ScrollBarVisibilityChanged(1,False)" }));

    MoveWindow(scene.hwnd, 10, 10, 200, 150);
    scene.desktop.RunUntilIdle();
    EXPECT_EQ(
        scene.BarEvents(), (Events { "ScrollBarVisibilityChanged(0,True)", "ScrollBarVisibilityChanged(1,True)" }));
    EXPECT_EQ(scene.Geo().viewWidth, 196 - 17);
    EXPECT_EQ(scene.Geo().viewHeight, 146 - 17);
    const int32_t d = 240 - scene.Geo().viewWidth;
    EXPECT_EQ(scene.grid.HScrollBar().LargeChange(), d / (d / scene.Geo().viewWidth + 1));
}

TEST(ScrollEdge, ThumbDragScrollsLiveBeforeReportingTheTrack)
{
    Scene scene(3);
    // The vertical bar: x 291..308 on screen, its up arrow y 12..29, the thumb below.
    scene.desktop.MouseMove(299, 33);
    scene.desktop.MouseDown();
    scene.desktop.MouseMove(299, 63);
    const int32_t track = scene.Geo().scrollY;
    ASSERT_GT(track, 0);
    const std::string value = std::to_string(track);
    EXPECT_EQ(
        scene.BarEvents(), (Events { "ScrollBarPosChanged(1," + value + ")", "ScrollBarThumbTrack(1," + value + ")" }));
    scene.desktop.MouseUp();
    EXPECT_EQ(scene.BarEvents(), Events { "ScrollBarEndScroll(1)" });
    EXPECT_EQ(scene.grid.VScrollBar().Value(), track);

    // A track notification outside a drag reports the unmoved position.
    scene.Send(WM_VSCROLL, SB_THUMBTRACK);
    EXPECT_EQ(scene.BarEvents(), Events { "ScrollBarThumbTrack(1," + value + ")" });
}

TEST(ScrollEdge, SystemColourChangeWithSameMetricsRaisesNothing)
{
    Scene scene(3);
    SendMessage(scene.hwnd, WM_SYSCOLORCHANGE, 0, 0);
    scene.desktop.Advance(10);
    EXPECT_TRUE(scene.BarEvents().empty());
    EXPECT_EQ(scene.grid.VScrollBar().Thickness(), GetSystemMetrics(SM_CXVSCROLL));
}

}  // namespace
}  // namespace tavix
