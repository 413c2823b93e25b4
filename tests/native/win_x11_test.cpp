#include <gtest/gtest.h>
#include <tavix/native/window_paint.h>
#include <tavix/native/x11_display.h>

// After gtest: Xlib defines macros such as None and Bool.
#include "native/x_server.h"
#include <X11/Xutil.h>

using namespace tavix::native;
using tavix::native::testing::XServer;

namespace {

LRESULT RedProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_ERASEBKGND) {
        RECT c;
        GetClientRect(h, &c);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(static_cast<HDC>(wp), Rect { 0, 0, c.right, c.bottom }, red);
        DeleteObject(red);
        return 1;
    }
    if (m == WM_LBUTTONDOWN)
        SetProp(h, "clicked", GET_X_LPARAM(lp) + 1);
    return DefWindowProc(h, m, wp, lp);
}

}  // namespace

TEST(WinX11, ShowsTheFrameAndTurnsXInputIntoMessages)
{
    XServer server;
    if (server.Name().empty() && XServer::RequiredByCi())
        FAIL() << "CI=true but there is no X server: DISPLAY is unusable and /usr/bin/Xvfb is missing or did not start";
    if (server.Name().empty())
        GTEST_SKIP() << "no X server: DISPLAY is unusable and /usr/bin/Xvfb is not installed or did not start";
    Desktop desktop(200, 100);
    RegisterClass("Red", RedProc);
    HWND w = CreateWindowEx(0, "Red", "", WS_VISIBLE | WS_BORDER, 10, 10, 100, 60, 0);
    X11Display x(desktop, server.Name().c_str());
    ASSERT_TRUE(x.IsOpen());
    for (int i = 0; i < 20; ++i)
        x.PumpOnce(10);

    Display* probe = XOpenDisplay(server.Name().c_str());
    ASSERT_NE(probe, nullptr);
    XImage* image = XGetImage(probe, x.WindowId(), 0, 0, 200, 100, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, 50, 40) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(XGetPixel(image, 150, 90) & 0xFFFFFF, desktop.Frame().Pixel(150, 90));
    XDestroyImage(image);

    // A synthetic button press on the X window reaches the window procedure.
    XEvent e {};
    e.xbutton.type = ButtonPress;
    e.xbutton.window = x.WindowId();
    e.xbutton.x = 31;
    e.xbutton.y = 31;
    e.xbutton.button = Button1;
    XSendEvent(probe, x.WindowId(), False, ButtonPressMask, &e);
    XFlush(probe);
    for (int i = 0; i < 20 && !GetProp(w, "clicked"); ++i)
        x.PumpOnce(10);
    EXPECT_EQ(GetProp(w, "clicked"), 31 - 11 + 1);
    XCloseDisplay(probe);
}
