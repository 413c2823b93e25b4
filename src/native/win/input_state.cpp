#include "native/win/desktop_state.h"
#include <algorithm>
#include <cstring>
#include <utility>

namespace tavix::native {

HWND SetFocus(HWND hwnd)
{
    auto* s = CurrentState();
    if (!s || (hwnd && !s->Find(hwnd)))
        return 0;
    HWND old = s->focus;
    if (old == hwnd)
        return old;
    s->focus = hwnd;
    if (old)
        SendMessage(old, WM_KILLFOCUS, static_cast<WPARAM>(hwnd), 0);
    // The kill-focus handler may itself have moved the focus elsewhere.
    if (hwnd && s->focus == hwnd)
        SendMessage(hwnd, WM_SETFOCUS, static_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus()
{
    auto* s = CurrentState();
    return s ? s->focus : 0;
}

HWND SetCapture(HWND hwnd)
{
    auto* s = CurrentState();
    if (!s || !s->Find(hwnd))
        return 0;
    HWND old = s->capture;
    s->capture = hwnd;
    if (old && old != hwnd)
        SendMessage(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd));
    return old;
}

bool ReleaseCapture()
{
    auto* s = CurrentState();
    if (!s)
        return false;
    HWND old = s->capture;
    s->capture = 0;
    if (old)
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture()
{
    auto* s = CurrentState();
    return s ? s->capture : 0;
}

HCURSOR LoadCursor(HCURSOR id)
{
    switch (id) {
    case IDC_ARROW:
    case IDC_IBEAM:
    case IDC_SIZEWE:
    case IDC_SIZEALL:
    case IDC_NO:
    case IDC_DRAGMOVE:
    case IDC_DRAGCOPY:
    case IDC_DRAGLINK: return id;
    default: return 0;
    }
}

HCURSOR SetCursor(HCURSOR cursor)
{
    auto* s = CurrentState();
    if (!s)
        return 0;
    return std::exchange(s->cursor, cursor);
}

HCURSOR GetCursor()
{
    auto* s = CurrentState();
    return s ? s->cursor : 0;
}

bool GetCursorPos(POINT* pt)
{
    auto* s = CurrentState();
    if (!s || !pt)
        return false;
    *pt = s->mouse;
    return true;
}

bool ClipCursor(const RECT* rect)
{
    auto* s = CurrentState();
    if (!s)
        return false;
    s->clipped = rect != nullptr;
    if (rect) {
        s->clip = *rect;
        s->mouse.x = std::clamp(s->mouse.x, rect->left, std::max(rect->left, rect->right - 1));
        s->mouse.y = std::clamp(s->mouse.y, rect->top, std::max(rect->top, rect->bottom - 1));
    }
    return true;
}

int16_t GetKeyState(int vk)
{
    auto* s = CurrentState();
    if (!s || vk < 0 || vk > 255)
        return 0;
    return s->keys[vk] ? static_cast<int16_t>(0x8000) : 0;
}

int16_t GetAsyncKeyState(int vk) { return GetKeyState(vk); }

int GetSystemMetrics(int index)
{
    auto* s = CurrentState();
    switch (index) {
    case SM_CXSCREEN: return s ? s->width : 0;
    case SM_CYSCREEN: return s ? s->height : 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXHTHUMB:
    case SM_CYVTHUMB: return 17;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}

bool SystemParametersInfo(UINT action, UINT, void* out, UINT)
{
    auto* s = CurrentState();
    if (action != SPI_GETWHEELSCROLLLINES || !out)
        return false;
    UINT lines = s ? s->wheelLines : 3;
    std::memcpy(out, &lines, sizeof lines);
    return true;
}

UINT GetDoubleClickTime() { return 500; }

DWORD GetTickCount()
{
    auto* s = CurrentState();
    return s ? s->now : 0;
}

}  // namespace tavix::native
