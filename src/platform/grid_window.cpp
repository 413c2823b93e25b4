#include "platform/grid_view.h"

#include "interaction/keyboard.h"
#include "interaction/mouse.h"
#include "paint/grid_painter.h"

#include <tavix/native/window.h>
#include <tavix/native/window_paint.h>

namespace tavix::platform {

namespace {

constexpr const char* kClassName = "Tavix";
constexpr const char* kObjectProp = "ObjPtr_";

native::LRESULT GridWindowProc(native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    auto* view = reinterpret_cast<GridView*>(native::GetProp(hwnd, kObjectProp));
    if (view == nullptr)
        return native::DefWindowProc(hwnd, msg, wParam, lParam);
    return view->HandleMessage(msg, wParam, lParam);
}

int16_t ShiftState()
{
    auto down = [](int vk) { return (native::GetKeyState(vk) & 0x8000) != 0; };
    return static_cast<int16_t>(
        (down(native::VK_SHIFT) ? 1 : 0) | (down(native::VK_CONTROL) ? 2 : 0) | (down(native::VK_MENU) ? 4 : 0));
}

// Button masks of the grid's mouse events: 1 left, 2 right, 4 middle.
int16_t ButtonsDown(native::WPARAM wParam)
{
    return static_cast<int16_t>(((wParam & native::MK_LBUTTON) != 0 ? 1 : 0)
        | ((wParam & native::MK_RBUTTON) != 0 ? 2 : 0) | ((wParam & native::MK_MBUTTON) != 0 ? 4 : 0));
}

int16_t ReleasedButton(native::UINT msg)
{
    return msg == native::WM_LBUTTONUP ? 1 : msg == native::WM_RBUTTONUP ? 2 : 4;
}

native::DWORD FrameExStyle(int32_t appearance, int32_t borderStyle)
{
    if (appearance == 0 || borderStyle == 0)
        return 0;
    return borderStyle == 2 ? native::WS_EX_CLIENTEDGE : native::WS_EX_STATICEDGE;
}

}  // namespace

native::HWND GridView::Create(native::HWND parent, int32_t x, int32_t y, int32_t width, int32_t height)
{
    // Classes belong to the desktop, and a process may run several in turn.
    native::RegisterClass(kClassName, GridWindowProc, native::CS_DBLCLKS);
    const auto& look = s_.look;
    native::DWORD style = native::WS_VISIBLE | (parent != 0 ? native::WS_CHILD : 0);
    if (look.appearance == 0 && look.borderStyle != 0)
        style |= native::WS_BORDER;
    hwnd_ = native::CreateWindowEx(
        FrameExStyle(look.appearance, look.borderStyle), kClassName, "", style, x, y, width, height, parent);
    if (hwnd_ == 0)
        return 0;
    native::SetProp(hwnd_, kObjectProp, reinterpret_cast<intptr_t>(this));
    s_.geo.hwnd = hwnd_;

    CreateScrollBars();
    s_.geo.ready = true;
    s_.redraw = true;
    OnResize();
    native::InvalidateRect(hwnd_, nullptr, false);
    return hwnd_;
}

native::LRESULT GridView::HandleMessage(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    switch (msg) {
    case native::WM_PAINT: OnPaint(); return 0;
    case native::WM_ERASEBKGND: return 1;
    case native::WM_SIZE: OnResize(); return 0;
    case native::WM_SYSCOLORCHANGE: OnSysColorChange(); return 0;
    case native::WM_KEYDOWN:
    case native::WM_SYSKEYDOWN:
        interaction::Keyboard(s_).OnKeyDown(static_cast<int32_t>(wParam), ShiftState());
        return 0;
    case native::WM_CHAR: interaction::Keyboard(s_).OnChar(static_cast<int32_t>(wParam)); return 0;
    case native::WM_KEYUP:
    case native::WM_SYSKEYUP: interaction::Keyboard(s_).OnKeyUp(static_cast<int32_t>(wParam), ShiftState()); return 0;
    case native::WM_SETFOCUS:
    case native::WM_KILLFOCUS: interaction::Keyboard(s_).OnFocusChanged(msg == native::WM_SETFOCUS); return 0;
    case native::WM_THEMECHANGED: painter_->OnThemeChanged(); return 0;
    default:
        if (HandleMouse(msg, wParam, lParam))
            return 0;
        return native::DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

bool GridView::HandleMouse(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam)
{
    const int32_t x = native::GET_X_LPARAM(lParam);
    const int32_t y = native::GET_Y_LPARAM(lParam);
    switch (msg) {
    case native::WM_LBUTTONDOWN:
    case native::WM_RBUTTONDOWN:
    case native::WM_MBUTTONDOWN:
    case native::WM_RBUTTONDBLCLK:
    case native::WM_MBUTTONDBLCLK:
        if (s_.look.enabled)
            native::SetFocus(hwnd_);
        mouse_->OnButtonDown(ButtonsDown(wParam), ShiftState(), x, y);
        return true;
    case native::WM_LBUTTONDBLCLK:
        // The second press of a double click arrives only as this message.
        mouse_->OnDblClick();
        return true;
    case native::WM_LBUTTONUP:
    case native::WM_RBUTTONUP:
    case native::WM_MBUTTONUP: mouse_->OnButtonUp(ReleasedButton(msg), ShiftState(), x, y); return true;
    case native::WM_MOUSEMOVE: mouse_->OnMove(ButtonsDown(wParam), ShiftState(), x, y); return true;
    default: return false;
    }
}

}  // namespace tavix::platform
