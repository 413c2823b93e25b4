#include "native/win/edit_mouse.h"
#include "native/win/edit_control.h"
#include <tavix/native/clipboard.h>

namespace tavix::native {

namespace {

size_t PosAt(const EditControl& e, LPARAM lParam)
{
    return e.View().PosAt(e.Text(), Point { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
}

void Press(EditControl& e, WPARAM keys, LPARAM lParam)
{
    if (GetFocus() != e.Hwnd())
        SetFocus(e.Hwnd());
    // The focus handler may have hidden or destroyed the control.
    if (!IsWindow(e.Hwnd()))
        return;
    e.MoveCaret(PosAt(e, lParam), (keys & MK_SHIFT) != 0);
    SetCapture(e.Hwnd());
}

}  // namespace

void EditMouse(EditControl& e, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDOWN: Press(e, wParam, lParam); break;
    case WM_LBUTTONDBLCLK: {
        auto [from, to] = e.Text().WordAt(PosAt(e, lParam));
        e.SetSelection(from, to);
        e.OfferPrimary();
        break;
    }
    case WM_MOUSEMOVE:
        if (GetCapture() == e.Hwnd())
            e.MoveCaret(PosAt(e, lParam), true);
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == e.Hwnd()) {
            ReleaseCapture();
            e.OfferPrimary();
        }
        break;
    case WM_MBUTTONUP:
        if (auto text = GetClipboardText(ClipboardSelection::Primary); text && !e.ReadOnly()) {
            e.MoveCaret(PosAt(e, lParam), false);
            e.Input(*text, false);
        }
        break;
    default: break;
    }
}

}  // namespace tavix::native
