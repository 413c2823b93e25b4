// The one place where a click asks its window whether it activates: the
// answer's ...ANDEAT forms discard the click. There is no active window to
// change here, so only the discarding has an effect.
#include "native/win/desktop_state.h"

namespace tavix::native {

namespace {

HWND TopLevelOf(DesktopState& s, HWND hwnd)
{
    HWND top = hwnd;
    for (auto* w = s.Find(hwnd); w && w->parent; w = s.Find(w->parent))
        top = w->parent;
    return top;
}

}  // namespace

bool MouseActivateEatsClick(DesktopState& s, HWND target, LRESULT hit, UINT downMessage)
{
    LRESULT answer = SendMessage(target, WM_MOUSEACTIVATE, static_cast<WPARAM>(TopLevelOf(s, target)),
        MAKELPARAM(static_cast<int>(hit), static_cast<int>(downMessage)));
    return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

}  // namespace tavix::native
