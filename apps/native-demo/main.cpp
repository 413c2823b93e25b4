// A window with scroll bars and a few child windows on the native layer.
// Runs in an X window, or with --screenshot FILE renders headless to a PNG.
#include <cstdio>
#include <string>
#include <tavix/native/desktop.h>
#include <tavix/native/window_paint.h>
#include <tavix/native/x11_display.h>

using namespace tavix::native;

namespace {

constexpr int kRows = 40;
constexpr int kRowHeight = 20;

// Paints coloured bands; the vertical bar scrolls them.
LRESULT ContentProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    switch (m) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        RECT c;
        GetClientRect(h, &c);
        SCROLLINFO si { .fMask = SIF_POS };
        GetScrollInfo(h, SB_VERT, &si);
        for (int row = 0; row < kRows; ++row) {
            int top = (row - si.nPos) * kRowHeight;
            HBRUSH b = CreateSolidBrush(row % 2 ? RGB(230, 240, 255) : RGB(255, 255, 255));
            FillRect(ps.hdc, Rect { 0, top, c.right, top + kRowHeight }, b);
            DeleteObject(b);
        }
        EndPaint(h, &ps);
        return 0;
    }
    case WM_VSCROLL: {
        SCROLLINFO si { .fMask = SIF_ALL };
        GetScrollInfo(h, SB_VERT, &si);
        int pos = si.nPos;
        switch (LOWORD(wp)) {
        case SB_LINEUP: pos -= 1; break;
        case SB_LINEDOWN: pos += 1; break;
        case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
        case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
        case SB_THUMBTRACK: pos = si.nTrackPos; break;
        default: return 0;
        }
        si = { .fMask = SIF_POS, .nPos = pos };
        SetScrollInfo(h, SB_VERT, &si);
        InvalidateRect(h, nullptr, false);
        return 0;
    }
    case WM_MOUSEWHEEL:
        SendMessage(h, WM_VSCROLL, GET_WHEEL_DELTA_WPARAM(wp) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return 0;
    default: return DefWindowProc(h, m, wp, lp);
    }
}

LRESULT PanelProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_ERASEBKGND) {
        RECT c;
        GetClientRect(h, &c);
        HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(GetProp(h, "color")));
        FillRect(static_cast<HDC>(wp), Rect { 0, 0, c.right, c.bottom }, b);
        DeleteObject(b);
        return 1;
    }
    if (m == WM_LBUTTONDOWN)
        SetFocus(h);
    return DefWindowProc(h, m, wp, lp);
}

void BuildScene()
{
    RegisterClass("DemoContent", ContentProc, CS_DBLCLKS);
    RegisterClass("DemoPanel", PanelProc);
    HWND main = CreateWindowEx(
        WS_EX_CLIENTEDGE, "DemoContent", "Demo", WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 20, 20, 420, 300, 0);
    SCROLLINFO si { .fMask = SIF_ALL, .nMin = 0, .nMax = kRows - 1, .nPage = 13, .nPos = 0 };
    SetScrollInfo(main, SB_VERT, &si);
    si.nMax = 99;
    si.nPage = 60;
    SetScrollInfo(main, SB_HORZ, &si);
    const COLORREF colors[] = { RGB(220, 80, 60), RGB(60, 160, 90), RGB(70, 110, 200) };
    for (int i = 0; i < 3; ++i) {
        HWND panel = CreateWindowEx(
            WS_EX_STATICEDGE, "DemoPanel", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20 + i * 120, 40, 100, 80, main);
        SetProp(panel, "color", static_cast<intptr_t>(colors[i]));
    }
    HWND popup
        = CreateWindowEx(WS_EX_TOPMOST, "DemoPanel", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 380, 260, 160, 90, 0);
    SetProp(popup, "color", static_cast<intptr_t>(RGB(250, 220, 120)));
}

}  // namespace

int main(int argc, char** argv)
{
    std::string screenshot;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--screenshot" && i + 1 < argc)
            screenshot = argv[++i];

    Desktop desktop(640, 400);
    BuildScene();
    if (!screenshot.empty()) {
        desktop.RunUntilIdle();
        if (!desktop.Screenshot(screenshot)) {
            std::fprintf(stderr, "cannot write %s\n", screenshot.c_str());
            return 1;
        }
        return 0;
    }
    X11Display display(desktop, nullptr, "Tavix native demo");
    if (!display.IsOpen()) {
        std::fprintf(stderr, "cannot open the X display (use --screenshot FILE without one)\n");
        return 1;
    }
    display.Run();
    return 0;
}
