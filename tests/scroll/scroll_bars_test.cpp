// The two scroll bars of a window: ranges, pages, clamping, and the scroll and
// wheel messages turned into positions and reported to the bars' listener.
#include <gtest/gtest.h>
#include <scroll/scroll_bars.h>
#include <string>
#include <tavix/native/desktop.h>
#include <tavix/scroll_bar_object.h>
#include <vector>

using namespace tavix;
using namespace tavix::native;
using tavix::scroll::ScrollBars;

namespace {

using Log = std::vector<std::string>;
int g_passedOn = 0;

LRESULT Counter(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_VSCROLL || m == WM_HSCROLL || m == WM_MOUSEWHEEL)
        ++g_passedOn;
    return DefWindowProc(h, m, wp, lp);
}

struct Recorder : scroll::ScrollListener {
    void ScrollPositionChanged(EScrollBar bar, int32_t v) override { Add("change", bar, v); }
    void ScrollThumbTracked(EScrollBar bar, int32_t v) override { Add("track", bar, v); }
    void ScrollEnded(EScrollBar bar) override { log.push_back("end " + std::to_string(bar)); }
    void Add(const char* what, EScrollBar bar, int32_t v)
    {
        log.push_back(std::string(what) + " " + std::to_string(bar) + " " + std::to_string(v));
    }
    Log log;
};

// A 200 x 150 bordered window at the origin: the vertical bar's arrows sit at
// x 182..198, y 1..17 and 115..131, the horizontal left arrow at y 132..148.
class ScrollBarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_passedOn = 0;
        RegisterClass("ScrollHost", Counter);
        hwnd = CreateWindowEx(0, "ScrollHost", "", WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, 0, 200, 150, 0);
        bars.Attach(hwnd);
        bars.SetVisible(SB_HORZ, true);
        bars.SetVisible(SB_VERT, true);
        bars.SetListener(&recorder);
    }
    // Native range 0..99 with page 10: positions 0..90.
    void Range(int bar, int32_t maxPos = 89, int32_t page = 10)
    {
        bars.SetPage(bar, page);
        bars.SetMaximum(bar, maxPos);
    }
    void Send(UINT msg, int request) { SendMessage(hwnd, msg, MAKEWPARAM(static_cast<uint16_t>(request), 0), 0); }

    Desktop desktop { 400, 300 };
    HWND hwnd { 0 };
    ScrollBars bars;
    Recorder recorder;
    Log& log { recorder.log };
};

}  // namespace

TEST_F(ScrollBarsTest, NativeMaximumCarriesThePageInEitherOrder)
{
    bars.SetMaximum(SB_VERT, 100);
    bars.SetPage(SB_VERT, 10);
    EXPECT_EQ(bars.Maximum(SB_VERT), 110);
    bars.SetPage(SB_HORZ, 10);
    bars.SetMaximum(SB_HORZ, 100);
    EXPECT_EQ(bars.Maximum(SB_HORZ), 110);
    // A new page keeps the maximum position; a new maximum keeps the page.
    bars.SetPage(SB_HORZ, 25);
    EXPECT_EQ(bars.Maximum(SB_HORZ), 125);
    bars.SetMaximum(SB_HORZ, 40);
    EXPECT_EQ(bars.Maximum(SB_HORZ), 65);
    EXPECT_EQ(bars.Page(SB_HORZ), 25);
    bars.SetPosition(SB_HORZ, 1000);
    EXPECT_EQ(bars.Position(SB_HORZ), 41) << "the system clamps to max - page + 1";
    // A range that shrinks under the position pulls it in unreported; scrolling
    // back to where it was is a change again.
    bars.SetMaximum(SB_HORZ, 10);
    bars.SetMaximum(SB_HORZ, 40);
    bars.SetPosition(SB_HORZ, 41);
    EXPECT_EQ(log, (Log { "change 0 41", "change 0 41" }));
}

TEST_F(ScrollBarsTest, CtrlWheelScrollsHorizontallyByDefaultLines)
{
    desktop.SetWheelScrollLines(0);
    Range(SB_HORZ);
    Range(SB_VERT);
    bars.SetSmallChange(SB_HORZ, 5);
    SetFocus(hwnd);
    desktop.KeyDown(VK_CONTROL);
    desktop.Wheel(-1);  // only the sign counts
    EXPECT_EQ(bars.Position(SB_HORZ), 15);
    desktop.Wheel(WHEEL_DELTA);
    desktop.KeyUp(VK_CONTROL);
    desktop.SetWheelScrollLines(2);
    desktop.Wheel(-2 * WHEEL_DELTA);
    EXPECT_EQ(bars.Position(SB_VERT), 2);
    EXPECT_EQ(log, (Log { "change 0 15", "change 0 0", "change 1 2" }));
    EXPECT_EQ(g_passedOn, 3);
}

TEST_F(ScrollBarsTest, LineStepsClampAndNeedAVisibleBar)
{
    Range(SB_VERT);
    bars.SetSmallChange(SB_VERT, 30);
    bars.SetPosition(SB_VERT, 80);
    log.clear();
    Send(WM_VSCROLL, SB_LINEDOWN);  // 110 clamps to the native max 99, then to 90
    EXPECT_EQ(bars.Position(SB_VERT), 90);
    Send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(log, (Log { "change 1 90" }));
    bars.SetPosition(SB_VERT, 10);
    Send(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(bars.Position(SB_VERT), 0);
    bars.SetPosition(SB_VERT, 50);
    bars.SetVisible(SB_VERT, false);
    Send(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(bars.Position(SB_VERT), 50);
    Send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(bars.Position(SB_VERT), 50);
    EXPECT_EQ(g_passedOn, 5) << "handled or not, every message reaches the window";
}

TEST_F(ScrollBarsTest, PageAndEndRequestsMoveWithinTheRange)
{
    Range(SB_HORZ);
    for (int request : { SB_PAGEDOWN, SB_BOTTOM, SB_PAGEUP, SB_THUMBPOSITION, SB_TOP, SB_PAGEUP, SB_ENDSCROLL })
        Send(WM_HSCROLL, request);
    EXPECT_EQ(log, (Log { "change 0 10", "change 0 90", "change 0 80", "change 0 0", "end 0" }));
}

TEST_F(ScrollBarsTest, TheObjectShowsTheNativeMaximumAndSettingTheCurrentValueRaisesNothing)
{
    Range(SB_HORZ);
    ScrollBarObject h(bars, tvScrollBarH);
    EXPECT_EQ(h.Max(), 99);
    EXPECT_EQ(h.LargeChange(), 10);
    EXPECT_EQ(h.Thickness(), GetSystemMetrics(SM_CYHSCROLL));
    h.SetValue(0);
    EXPECT_TRUE(log.empty());
    h.SetValue(30);
    h.SetValue(30);
    EXPECT_EQ(h.Value(), 30);
    // Moved behind the wrapper's back (as a layout pass does): still nothing.
    SCROLLINFO si { .fMask = SIF_POS, .nPos = 60 };
    SetScrollInfo(hwnd, SB_HORZ, &si);
    h.SetValue(60);
    EXPECT_EQ(log, (Log { "change 0 30" }));
}

TEST_F(ScrollBarsTest, ThumbDragReportsChangeBeforeThumbTrack)
{
    Range(SB_VERT);
    desktop.MouseMove(190, 22);  // on the thumb
    desktop.MouseDown();
    desktop.MouseMove(190, 52);
    desktop.MouseMove(190, 500);
    desktop.MouseUp();
    EXPECT_EQ(log, (Log { "change 1 31", "track 1 31", "change 1 90", "track 1 90", "end 1" }));
    EXPECT_EQ(bars.Position(SB_VERT), 90);
}

TEST_F(ScrollBarsTest, ArrowClicksScrollThroughNativeNotifications)
{
    Range(SB_VERT);
    Range(SB_HORZ);
    bars.SetSmallChange(SB_VERT, 7);
    desktop.Click(190, 125);  // down arrow
    desktop.Click(5, 140);  // left arrow, already at the start
    EXPECT_EQ(log, (Log { "change 1 7", "end 1", "end 0" }));
    // Detached, the window keeps working but the wrapper hears nothing.
    bars.Detach();
    log.clear();
    desktop.Click(190, 125);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(g_passedOn, 6);
}
