#include <filesystem>
#include <gtest/gtest.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window_paint.h>
#include <vector>

using namespace tavix::native;

namespace {

std::vector<RECT> g_paints;
// Paints left in which RedProc invalidates itself again, as a window moving itself while painting does.
int g_paintsInvalidating = 0;
constexpr COLORREF kRed = RGB(255, 0, 0);

// Paints its client area red and records what it was asked to paint.
LRESULT RedProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m != WM_PAINT)
        return DefWindowProc(h, m, wp, lp);
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    g_paints.push_back(ps.rcPaint);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT c;
    GetClientRect(h, &c);
    FillRect(ps.hdc, Rect { c.left, c.top, c.right, c.bottom }, red);
    DeleteObject(red);
    EndPaint(h, &ps);
    if (g_paintsInvalidating > 0) {
        --g_paintsInvalidating;
        InvalidateRect(h, nullptr, false);
    }
    return 0;
}

LRESULT PlainProc(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

class WinPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_paints.clear();
        RegisterClass("Red", RedProc);
        RegisterClass("Plain", PlainProc);
    }
    uint32_t At(int x, int y) { return desktop.Frame().Pixel(x, y); }
    Desktop desktop { 320, 240 };
};

}  // namespace

TEST_F(WinPaint, InvalidAreaIsPaintedOnceByThePump)
{
    HWND w = CreateWindowEx(0, "Red", "", WS_VISIBLE, 0, 0, 100, 100, 0);
    desktop.RunUntilIdle();
    ASSERT_EQ(g_paints.size(), 1u);
    EXPECT_EQ(g_paints[0], (RECT { 0, 0, 100, 100 }));
    RECT a { 10, 10, 20, 20 }, b { 30, 5, 40, 15 };
    InvalidateRect(w, &a, false);
    InvalidateRect(w, &b, false);
    UpdateWindow(w);
    ASSERT_EQ(g_paints.size(), 2u);
    EXPECT_EQ(g_paints[1], (RECT { 10, 5, 40, 20 }));
    desktop.RunUntilIdle();
    EXPECT_EQ(g_paints.size(), 2u) << "validated by BeginPaint";
    g_paintsInvalidating = 1;
    InvalidateRect(w, &a, false);
    desktop.RunUntilIdle();
    ASSERT_EQ(g_paints.size(), 4u) << "invalidated while painting: painted again";
    EXPECT_EQ(g_paints[3], (RECT { 0, 0, 100, 100 }));
    g_paintsInvalidating = 1'000'000;
    InvalidateRect(w, &a, false);
    desktop.RunUntilIdle();
    EXPECT_GT(g_paintsInvalidating, 0) << "a window invalidating itself at every paint does not hold the pump";
    g_paintsInvalidating = 0;
    desktop.RunUntilIdle();
    const size_t painted = g_paints.size();
    ShowWindow(w, SW_HIDE);
    InvalidateRect(w, nullptr, true);
    desktop.RunUntilIdle();
    EXPECT_EQ(g_paints.size(), painted) << "hidden windows are not painted";
}

TEST_F(WinPaint, ChildrenAreComposedInZOrderAndClippedToTheParent)
{
    HWND parent = CreateWindowEx(0, "Plain", "", WS_VISIBLE | WS_BORDER, 10, 10, 100, 100, 0);
    CreateWindowEx(0, "Red", "", WS_CHILD | WS_VISIBLE, 80, 80, 50, 50, parent);
    EXPECT_EQ(At(12, 12), ToPixel(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(At(100, 100), ToPixel(kRed));
    EXPECT_EQ(At(109, 100), ToPixel(GetSysColor(COLOR_WINDOWFRAME))) << "the parent's frame is not overdrawn";
    EXPECT_EQ(At(115, 115), ToPixel(GetSysColor(COLOR_BACKGROUND)));
    // A window on top hides the red child.
    CreateWindowEx(0, "Plain", "", WS_VISIBLE, 90, 90, 30, 30, 0);
    EXPECT_EQ(At(100, 100), ToPixel(GetSysColor(COLOR_WINDOW)));
}

TEST_F(WinPaint, BorderedWindowWithBothScrollBarsScreenshot)
{
    HWND w = CreateWindowEx(0, "Red", "", WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL, 20, 20, 200, 150, 0);
    SCROLLINFO si { .fMask = SIF_ALL, .nMin = 0, .nMax = 99, .nPage = 50, .nPos = 0 };
    SetScrollInfo(w, SB_VERT, &si);
    SetScrollInfo(w, SB_HORZ, &si);
    std::filesystem::create_directories(TAVIX_TEST_OUTPUT_DIR);
    std::string path = std::string(TAVIX_TEST_OUTPUT_DIR) + "/win_scrollbars.png";
    ASSERT_TRUE(desktop.Screenshot(path));
    EXPECT_GT(std::filesystem::file_size(path), 100u);

    const uint32_t frame = ToPixel(GetSysColor(COLOR_WINDOWFRAME));
    const uint32_t face = ToPixel(GetSysColor(COLOR_BTNFACE));
    const uint32_t track = ToPixel(GetSysColor(COLOR_SCROLLBAR));
    EXPECT_EQ(At(20, 20), frame);
    EXPECT_EQ(At(219, 169), frame);
    EXPECT_EQ(At(100, 80), ToPixel(kRed));
    // Vertical bar: x 202..218 in screen; track from y 38 to 134 (97 px), the
    // thumb is half of it at the top, the lower half shows the track.
    EXPECT_EQ(At(210, 60), face);
    EXPECT_EQ(At(210, 120), track);
    EXPECT_EQ(At(210, 29), ToPixel(GetSysColor(COLOR_BTNTEXT))) << "up arrow glyph";
    EXPECT_EQ(At(210, 160), face) << "size box between the bars";
    // Scrolling to the end moves the thumb down.
    si = { .fMask = SIF_POS, .nPos = 50 };
    SetScrollInfo(w, SB_VERT, &si);
    EXPECT_EQ(At(210, 60), track);
    EXPECT_EQ(At(210, 120), face);
}

TEST_F(WinPaint, ScreenDcDrawsOverEveryWindow)
{
    CreateWindowEx(0, "Red", "", WS_VISIBLE, 0, 0, 100, 100, 0);
    desktop.Frame();
    uint64_t serial = desktop.FrameSerial();
    HDC dc = GetDC(0);
    PatBlt(dc, 50, 0, 1, 100, DSTINVERT);
    ReleaseDC(0, dc);
    EXPECT_NE(desktop.FrameSerial(), serial) << "a display must learn that the frame changed";
    EXPECT_EQ(At(50, 10), ToPixel(kRed) ^ 0xFFFFFF);
    EXPECT_EQ(At(51, 10), ToPixel(kRed));
}
