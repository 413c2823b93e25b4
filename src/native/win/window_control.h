#pragma once
// Built-in controls keep their state in an object owned by their window.
#include "native/win/desktop_state.h"

namespace tavix::native {

template <typename T> std::shared_ptr<T> ControlOf(HWND hwnd)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    return w ? std::dynamic_pointer_cast<T>(w->control) : nullptr;
}

// The class procedure of control T: T(hwnd) is made on WM_CREATE and then
// handles every message, T::Handle(msg, wParam, lParam), WM_CREATE included.
template <typename T> LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE) {
        if (auto* w = CurrentState()->Find(hwnd))
            w->control = std::make_shared<T>(hwnd);
    }
    auto control = ControlOf<T>(hwnd);
    return control ? control->Handle(msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

// Sends WM_COMMAND with a notification code to a control's parent.
inline void NotifyParent(HWND control, uint16_t code)
{
    if (HWND parent = GetParent(control))
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(0, code), static_cast<LPARAM>(control));
}

}  // namespace tavix::native
