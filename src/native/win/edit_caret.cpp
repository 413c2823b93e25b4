#include "native/win/edit_caret.h"

namespace tavix::native {

void EditCaret::Start()
{
    active_ = true;
    Restart();
}

void EditCaret::Stop()
{
    active_ = false;
    on_ = false;
    KillTimer(hwnd_, kTimerId);
}

void EditCaret::Restart()
{
    if (!active_)
        return;
    on_ = true;
    SetTimer(hwnd_, kTimerId, kBlinkMs, nullptr);
}

bool EditCaret::Tick()
{
    if (!active_)
        return false;
    on_ = !on_;
    return true;
}

}  // namespace tavix::native
