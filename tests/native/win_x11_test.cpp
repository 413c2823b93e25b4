#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <tavix/native/drag_drop.h>
#include <tavix/native/header.h>
#include <tavix/native/window_paint.h>
#include <tavix/native/x11_display.h>
#include <thread>
#include <vector>

#include "support/x_server.h"

// After gtest: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

using namespace tavix::native;

namespace {

using tavix::testing::XServer;

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
    TAVIX_REQUIRE_X_SERVER(server);
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

namespace {

// The pointer's cursor image as the X server shows it.
std::vector<unsigned long> CursorUnderPointer(Display* display, Window window, int x, int y, X11Display* pump)
{
    XWarpPointer(display, 0, window, 0, 0, 0, 0, x, y);
    XSync(display, False);
    for (int i = 0; pump && i < 10; ++i)
        pump->PumpOnce(10);
    XSync(display, False);
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image)
        return {};
    std::vector<unsigned long> pixels { image->width, image->height, image->xhot, image->yhot };
    pixels.insert(pixels.end(), image->pixels, image->pixels + image->width * image->height);
    XFree(image);
    return pixels;
}

}  // namespace

TEST(WinX11, ShowsTheDividerCursorOverAHeader)
{
    XServer server;
    TAVIX_REQUIRE_X_SERVER(server);
    Display* probe = XOpenDisplay(server.Name().c_str());
    ASSERT_NE(probe, nullptr);
    int event = 0, error = 0;
    if (!XFixesQueryExtension(probe, &event, &error)) {
        XCloseDisplay(probe);
        GTEST_SKIP() << "the X server lacks XFixes";
    }
    // The cursor font's shapes, shown on windows of the probe's own.
    auto reference = [&](unsigned shape) {
        Window w = XCreateSimpleWindow(probe, DefaultRootWindow(probe), 400, 300, 40, 40, 0, 0, 0);
        Cursor c = XCreateFontCursor(probe, shape);
        XDefineCursor(probe, w, c);
        XMapWindow(probe, w);
        auto pixels = CursorUnderPointer(probe, w, 20, 20, nullptr);
        XDestroyWindow(probe, w);
        XFreeCursor(probe, c);
        return pixels;
    };
    const auto sizeWE = reference(XC_sb_h_double_arrow);
    const auto arrow = reference(XC_left_ptr);
    ASSERT_NE(sizeWE, arrow);

    Desktop desktop(200, 100);
    RegisterClass("Red", RedProc);
    HWND host = CreateWindowEx(0, "Red", "", WS_VISIBLE, 0, 0, 200, 100, 0);
    HWND header = CreateWindowEx(0, WC_HEADER, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, host);
    Header_InsertItem(header, 0, HDITEM { .mask = HDI_WIDTH, .cxy = 50 });
    X11Display x(desktop, server.Name().c_str());
    ASSERT_TRUE(x.IsOpen());
    EXPECT_EQ(CursorUnderPointer(probe, x.WindowId(), 50, 5, &x), sizeWE);
    EXPECT_EQ(CursorUnderPointer(probe, x.WindowId(), 20, 5, &x), arrow);
    XCloseDisplay(probe);
}

namespace {

// Hears the steps of a drag that change its target, and the drop.
struct RecordingTarget : DropTarget {
    std::vector<std::string> heard;
    void DragEnter(const std::shared_ptr<DataObject>&, DWORD, POINT, DWORD&) override { heard.push_back("enter"); }
    void DragOver(DWORD, POINT, DWORD&) override { }
    void DragLeave() override { heard.push_back("leave"); }
    void Drop(const std::shared_ptr<DataObject>& data, DWORD, POINT pt, DWORD& effect) override
    {
        heard.push_back("drop " + data->GetData(CF_TEXT).value_or("") + " at " + std::to_string(pt.x));
        effect = DROPEFFECT_COPY;
    }
};

// The drag's source, and its pump with a deadline for X events that never come.
struct ScriptedSource : DropSource, EventPump {
    X11Display* x { nullptr };
    int turns { 1000 };
    std::function<void()> onFeedback;
    void GiveFeedback(DWORD&, bool&) override { onFeedback(); }
    bool PumpOnce(int timeoutMs) override { return --turns > 0 && x->PumpOnce(timeoutMs); }
    void GrabInput(bool grab) override { x->GrabInput(grab); }
};

}  // namespace

TEST(WinX11, ADragHoldsThePointerOutsideTheWindowUntilTheRelease)
{
    XServer server;
    TAVIX_REQUIRE_X_SERVER(server);
    Desktop desktop(200, 100);
    RegisterClass("Red", RedProc);
    HWND source = CreateWindowEx(0, "Red", "", WS_VISIBLE, 0, 0, 100, 100, 0);
    HWND target = CreateWindowEx(0, "Red", "", WS_VISIBLE, 100, 0, 100, 100, 0);
    RecordingTarget heard;
    RegisterDragDrop(target, &heard);
    X11Display x(desktop, server.Name().c_str());
    ASSERT_TRUE(x.IsOpen());
    Display* probe = XOpenDisplay(server.Name().c_str());
    ASSERT_NE(probe, nullptr);
    // The X pointer starts off the window; the desktop's is put on the source.
    desktop.MouseMove(50, 50);
    desktop.MouseDown();

    // Each change of target is answered with the next move: onto the target, off the
    // X window (only a grab still reports it), back, and the release.
    bool grabbed = false;
    size_t acted = 0;
    ScriptedSource feedback;
    feedback.x = &x;
    feedback.onFeedback = [&] {
        if (heard.heard.size() < acted)
            return;
        switch (acted++) {
        case 0:
            grabbed = XGrabPointer(
                          probe, DefaultRootWindow(probe), False, 0, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime)
                == AlreadyGrabbed;
            XWarpPointer(probe, 0, x.WindowId(), 0, 0, 0, 0, 150, 50);
            break;
        case 1: XWarpPointer(probe, 0, x.WindowId(), 0, 0, 0, 0, 300, 300); break;
        case 2: XWarpPointer(probe, 0, x.WindowId(), 0, 0, 0, 0, 160, 50); break;
        case 3: {
            XEvent e {};
            e.xbutton = { .type = ButtonRelease, .window = x.WindowId(), .x = 160, .y = 50, .button = Button1 };
            XSendEvent(probe, x.WindowId(), False, ButtonReleaseMask, &e);
            break;
        }
        default: break;
        }
        XSync(probe, False);
    };
    desktop.SetEventPump(&feedback);
    auto data = std::make_shared<DataObject>();
    data->SetData(CF_TEXT, "hello");
    EXPECT_EQ(DoDragDrop(source, data, feedback, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    desktop.SetEventPump(&x);
    EXPECT_TRUE(grabbed);
    EXPECT_EQ(heard.heard, (std::vector<std::string> { "enter", "leave", "enter", "drop hello at 160" }));
    EXPECT_EQ(XGrabPointer(probe, DefaultRootWindow(probe), False, 0, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime),
        GrabSuccess)
        << "the grab ended with the drag";
    XCloseDisplay(probe);
}
