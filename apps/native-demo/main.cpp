// A window with scroll bars and a few child windows on the native layer, and
// one with the standard controls: edit boxes, a drop-down list and a button
// that asks with a message box.
// Runs in an X window, or with --screenshot FILE renders headless to a PNG.
#include <cstdio>
#include <string>
#include <tavix/native/combobox.h>
#include <tavix/native/desktop.h>
#include <tavix/native/edit.h>
#include <tavix/native/message_box.h>
#include <tavix/native/owner_draw.h>
#include <tavix/native/text.h>
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

constexpr RECT kAskButton { 10, 190, 130, 216 };
HWND g_answer = 0;

// Draws the drop-down list's items, and a push button that opens a message box.
LRESULT ControlsProc(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    switch (m) {
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        const bool selected = d->itemState & ODS_SELECTED;
        Rect rc { d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom };
        FillRect(d->hDC, rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (d->itemID != static_cast<UINT>(-1)) {
            std::string text(static_cast<size_t>(SendMessage(d->hwndItem, CB_GETLBTEXTLEN, d->itemID, 0)), ' ');
            SendMessage(d->hwndItem, CB_GETLBTEXT, d->itemID, reinterpret_cast<LPARAM>(text.data()));
            SetTextColor(d->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            SetBkMode(d->hDC, TRANSPARENT);
            Rect t = rc.Inflate(-3, 0);
            DrawText(d->hDC, text, t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        RECT c;
        GetClientRect(h, &c);
        FillRect(ps.hdc, Rect { 0, 0, c.right, c.bottom }, GetSysColorBrush(COLOR_BTNFACE));
        Rect b { kAskButton.left, kAskButton.top, kAskButton.right, kAskButton.bottom };
        FillRect(ps.hdc, b, GetSysColorBrush(COLOR_3DDKSHADOW));
        FillRect(ps.hdc, b.Inflate(-1, -1), GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(ps.hdc, TRANSPARENT);
        DrawText(ps.hdc, "Ask...", b, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        POINT p { GET_X_LPARAM(lp), GET_Y_LPARAM(lp) };
        if (p.x >= kAskButton.left && p.x < kAskButton.right && p.y >= kAskButton.top && p.y < kAskButton.bottom) {
            int answer
                = MessageBox(h, "Keep the changes made to the table?", "Native demo", MB_YESNOCANCEL | MB_ICONQUESTION);
            SetWindowText(g_answer, answer == IDYES ? "Yes" : answer == IDNO ? "No" : "Cancel");
        }
        return 0;
    }
    default: return DefWindowProc(h, m, wp, lp);
    }
}

void BuildControls()
{
    RegisterClass("DemoControls", ControlsProc);
    HWND panel = CreateWindowEx(WS_EX_CLIENTEDGE, "DemoControls", "", WS_VISIBLE, 460, 20, 260, 280, 0);
    g_answer = CreateWindowEx(WS_EX_CLIENTEDGE, WC_EDIT, "Type here, then press Ask",
        WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 236, 22, panel);
    CreateWindowEx(WS_EX_CLIENTEDGE, WC_EDIT,
        "A multi-line edit box wraps its words and scrolls.\r\nSelect with the mouse or Shift and the arrows; "
        "copy and paste with Ctrl+C and Ctrl+V.",
        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 10, 40, 236, 90, panel);
    HWND combo = CreateWindowEx(0, WC_COMBOBOX, "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS, 10, 140, 236,
        200, panel);
    for (const char* c :
        { "Red", "Green", "Blue", "Cyan", "Magenta", "Yellow", "Black", "White", "Orange", "Purple", "Brown", "Grey" })
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c));
    SendMessage(combo, CB_SETCURSEL, 2, 0);
    SetFocus(g_answer);
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
    BuildControls();
}

}  // namespace

int main(int argc, char** argv)
{
    std::string screenshot;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--screenshot" && i + 1 < argc)
            screenshot = argv[++i];

    Desktop desktop(740, 400);
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
