#include <gtest/gtest.h>
#include <tavix/native/desktop.h>
#include <vector>

using namespace tavix::native;

namespace {

struct Scroll {
    UINT msg;
    int code;
    int pos;
    bool operator==(const Scroll&) const = default;
};
std::vector<Scroll> g_scrolls;

LRESULT Recorder(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_VSCROLL || m == WM_HSCROLL)
        g_scrolls.push_back({ m, LOWORD(wp), HIWORD(wp) });
    return DefWindowProc(h, m, wp, lp);
}

// A 200 x 150 bordered window at the origin with both bars: the vertical bar
// spans x 182..198, y 1..131 with its arrows at y 1..17 and 115..131 and a
// 97 pixel track; range 0..99 with page 10 gives a 9 pixel thumb.
class WinScrollBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_scrolls.clear();
        RegisterClass("Scrolled", Recorder);
        hwnd = CreateWindowEx(0, "Scrolled", "", WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, 0, 200, 150, 0);
        SCROLLINFO si { .fMask = SIF_RANGE | SIF_PAGE | SIF_POS, .nMin = 0, .nMax = 99, .nPage = 10, .nPos = 0 };
        SetScrollInfo(hwnd, SB_VERT, &si);
        SetScrollInfo(hwnd, SB_HORZ, &si);
    }
    int Pos(int bar, UINT mask = SIF_POS)
    {
        SCROLLINFO si { .fMask = mask };
        GetScrollInfo(hwnd, bar, &si);
        return mask == SIF_TRACKPOS ? si.nTrackPos : si.nPos;
    }
    Desktop desktop { 400, 300 };
    HWND hwnd { 0 };
};

}  // namespace

TEST_F(WinScrollBar, PositionIsClampedToTheLastFullPage)
{
    SCROLLINFO si { .fMask = SIF_POS, .nPos = 500 };
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si), 90);
    si.nPos = -3;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si), 0);
    // A page larger than the range is cut to it and pins the position at min.
    si = { .fMask = SIF_PAGE | SIF_POS, .nPage = 1000, .nPos = 40 };
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si), 0);
    SCROLLINFO out { .fMask = SIF_ALL };
    GetScrollInfo(hwnd, SB_VERT, &out);
    EXPECT_EQ(out.nPage, 100u);
    // Page 0 allows the position to reach max.
    si = { .fMask = SIF_PAGE | SIF_POS, .nPage = 0, .nPos = 99 };
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si), 99);
}

TEST_F(WinScrollBar, EachPartOfTheBarProducesItsCode)
{
    desktop.Click(190, 5);  // up arrow
    desktop.Click(190, 125);  // down arrow
    desktop.Click(190, 60);  // track below the thumb
    SCROLLINFO si { .fMask = SIF_POS, .nPos = 90 };
    SetScrollInfo(hwnd, SB_VERT, &si);
    desktop.Click(190, 60);  // track above the thumb
    desktop.Click(5, 140);  // horizontal left arrow
    std::vector<Scroll> expected {
        { WM_VSCROLL, SB_LINEUP, 0 },
        { WM_VSCROLL, SB_ENDSCROLL, 0 },
        { WM_VSCROLL, SB_LINEDOWN, 0 },
        { WM_VSCROLL, SB_ENDSCROLL, 0 },
        { WM_VSCROLL, SB_PAGEDOWN, 0 },
        { WM_VSCROLL, SB_ENDSCROLL, 0 },
        { WM_VSCROLL, SB_PAGEUP, 0 },
        { WM_VSCROLL, SB_ENDSCROLL, 0 },
        { WM_HSCROLL, SB_LINELEFT, 0 },
        { WM_HSCROLL, SB_ENDSCROLL, 0 },
    };
    EXPECT_EQ(g_scrolls, expected);
}

TEST_F(WinScrollBar, HeldArrowRepeatsOnTheClock)
{
    desktop.MouseMove(190, 125);
    desktop.MouseDown();
    EXPECT_EQ(g_scrolls.size(), 1u);
    desktop.Advance(399);
    EXPECT_EQ(g_scrolls.size(), 1u);
    desktop.Advance(1 + 100 + 100);
    EXPECT_EQ(g_scrolls.size(), 4u);
    // Moving off the arrow pauses the repeat without ending it.
    desktop.MouseMove(190, 60);
    desktop.Advance(300);
    EXPECT_EQ(g_scrolls.size(), 4u);
    desktop.MouseUp();
    desktop.Advance(300);
    EXPECT_EQ(g_scrolls.size(), 5u);
    EXPECT_EQ(g_scrolls.back(), (Scroll { WM_VSCROLL, SB_ENDSCROLL, 0 }));
}

TEST_F(WinScrollBar, ThumbDragReportsTrackPosition)
{
    desktop.MouseMove(190, 22);  // on the thumb (y 18..26)
    desktop.MouseDown();
    EXPECT_TRUE(g_scrolls.empty());
    desktop.MouseMove(190, 52);
    ASSERT_EQ(g_scrolls.size(), 1u);
    EXPECT_EQ(g_scrolls[0], (Scroll { WM_VSCROLL, SB_THUMBTRACK, 31 }));
    EXPECT_EQ(Pos(SB_VERT, SIF_TRACKPOS), 31);
    EXPECT_EQ(Pos(SB_VERT), 0) << "dragging alone does not move the position";
    desktop.MouseMove(190, 500);  // far past the end: the last full page
    EXPECT_EQ(g_scrolls.back(), (Scroll { WM_VSCROLL, SB_THUMBTRACK, 90 }));
    desktop.MouseUp();
    ASSERT_EQ(g_scrolls.size(), 4u);
    EXPECT_EQ(g_scrolls[2], (Scroll { WM_VSCROLL, SB_THUMBPOSITION, 90 }));
    EXPECT_EQ(g_scrolls[3], (Scroll { WM_VSCROLL, SB_ENDSCROLL, 0 }));
}

TEST_F(WinScrollBar, DisabledOrHiddenBarsIgnoreClicks)
{
    EnableScrollBar(hwnd, SB_BOTH, ESB_DISABLE_BOTH);
    desktop.Click(190, 5);
    EXPECT_TRUE(g_scrolls.empty());
    EnableScrollBar(hwnd, SB_BOTH, ESB_ENABLE_BOTH);
    ShowScrollBar(hwnd, SB_VERT, false);
    RECT r;
    GetClientRect(hwnd, &r);
    EXPECT_EQ(r, (RECT { 0, 0, 198, 131 }));
    desktop.Click(190, 5);
    EXPECT_TRUE(g_scrolls.empty());
}

namespace {
// Applies page-down requests the way a control would.
LRESULT Pager(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_VSCROLL && LOWORD(wp) == SB_PAGEDOWN) {
        SCROLLINFO si { .fMask = SIF_POS | SIF_PAGE };
        GetScrollInfo(h, SB_VERT, &si);
        si.nPos += static_cast<int>(si.nPage);
        SetScrollInfo(h, SB_VERT, &si);
    }
    return Recorder(h, m, wp, lp);
}
}  // namespace

TEST_F(WinScrollBar, HeldTrackPagesUntilTheThumbReachesTheCursor)
{
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(Pager));
    desktop.MouseMove(190, 60);
    desktop.MouseDown();
    desktop.Advance(2000);
    // Positions 10, 20, 30, 40: at 40 the thumb (y 57..65) lies under the cursor.
    EXPECT_EQ(Pos(SB_VERT), 40);
    EXPECT_EQ(g_scrolls.size(), 4u);
    desktop.MouseUp();
    EXPECT_EQ(g_scrolls.back(), (Scroll { WM_VSCROLL, SB_ENDSCROLL, 0 }));
}
