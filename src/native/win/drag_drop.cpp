// The drag loop: a modal loop on the desktop's event pump, fed by the desktop's
// input while it runs (see Desktop's input members).
#include "native/win/drag_loop.h"

#include <utility>

namespace tavix::native {

namespace {

constexpr int kPumpWaitMs = 15;

HCURSOR CursorFor(DWORD effect)
{
    if (effect & DROPEFFECT_MOVE)
        return IDC_DRAGMOVE;
    if (effect & DROPEFFECT_COPY)
        return IDC_DRAGCOPY;
    if (effect & DROPEFFECT_LINK)
        return IDC_DRAGLINK;
    return IDC_NO;
}

}  // namespace

bool RegisterDragDrop(HWND hwnd, DropTarget* target, int mode)
{
    auto* s = CurrentState();
    auto* w = s ? s->Find(hwnd) : nullptr;
    if (!w)
        return false;
    const bool accepts = target && (mode == DROPMODE_MANUAL || mode == DROPMODE_AUTOMATIC);
    w->dropTarget = accepts ? target : nullptr;
    return true;
}

bool RevokeDragDrop(HWND hwnd) { return RegisterDragDrop(hwnd, nullptr, DROPMODE_NONE); }

DragLoop::DragLoop(DesktopState& s, const std::shared_ptr<DataObject>& data, DropSource& source, DWORD allowed)
    : s_(s)
    , data_(data)
    , source_(source)
    , allowed_(allowed)
{
    for (int vk : { VK_LBUTTON, VK_RBUTTON, VK_MBUTTON })
        if (s_.keys[vk] && button_ == 0)
            button_ = vk;
}

DWORD DragLoop::KeyState() const
{
    DWORD k = 0;
    k |= s_.keys[VK_LBUTTON] ? MK_LBUTTON : 0;
    k |= s_.keys[VK_RBUTTON] ? MK_RBUTTON : 0;
    k |= s_.keys[VK_MBUTTON] ? MK_MBUTTON : 0;
    k |= s_.keys[VK_SHIFT] ? MK_SHIFT : 0;
    k |= s_.keys[VK_CONTROL] ? MK_CONTROL : 0;
    k |= s_.keys[VK_MENU] ? MK_ALT : 0;
    return k;
}

DropTarget* DragLoop::TargetOf(HWND hwnd) const
{
    auto* w = hwnd ? s_.Find(hwnd) : nullptr;
    return w ? w->dropTarget : nullptr;
}

// A drop on a child (the grid's header, an editor) goes to the nearest registered window
// above it. Disabled windows are targets too: whether to refuse is theirs to say.
HWND DragLoop::DropWindowAt(POINT pt) const
{
    for (HWND h = WindowFromPoint(pt); h; h = GetParent(h))
        if (TargetOf(h))
            return h;
    return 0;
}

void DragLoop::Track()
{
    if (!Running())
        return;
    const POINT pt = s_.mouse;
    const HWND hit = DropWindowAt(pt);
    if (hit != target_) {
        Leave();
        target_ = hit;
        if (DropTarget* t = TargetOf(hit)) {
            DWORD effect = allowed_;
            t->DragEnter(data_, KeyState(), pt, effect);
            effect_ = effect & allowed_;
        }
    } else if (DropTarget* t = TargetOf(target_)) {
        DWORD effect = allowed_;
        t->DragOver(KeyState(), pt, effect);
        effect_ = effect & allowed_;
    }
    Feedback();
}

void DragLoop::Leave()
{
    const HWND old = std::exchange(target_, 0);
    effect_ = DROPEFFECT_NONE;
    if (DropTarget* t = TargetOf(old))
        t->DragLeave();
}

void DragLoop::Feedback()
{
    DWORD effect = effect_;
    bool defaultCursors = true;
    source_.GiveFeedback(effect, defaultCursors);
    if (defaultCursors)
        SetCursor(CursorFor(effect));
}

void DragLoop::ButtonUp(int vk)
{
    if (Running() && vk == button_)
        Drop();
}

void DragLoop::KeyDown(int vk)
{
    if (vk == VK_ESCAPE)
        Cancel();
    else if (Running())
        Track();
}

void DragLoop::Cancel()
{
    if (!Running())
        return;
    outcome_ = Outcome::Cancelled;
    Leave();
}

void DragLoop::Drop()
{
    outcome_ = Outcome::Dropped;
    DropTarget* t = TargetOf(target_);
    if (!t || effect_ == DROPEFFECT_NONE) {
        Leave();
        return;
    }
    target_ = 0;
    DWORD effect = allowed_;
    const DWORD button = button_ == VK_LBUTTON ? MK_LBUTTON
        : button_ == VK_RBUTTON                ? MK_RBUTTON
        : button_ == VK_MBUTTON                ? MK_MBUTTON
                                               : 0;
    const DWORD keys = KeyState() | button;
    t->Drop(data_, keys, s_.mouse, effect);
    result_ = effect & allowed_;
}

namespace {

// Takes the pointer for the loop and gives it back however the loop ends,
// an exception from a target or source included.
class DragSession {
public:
    DragSession(DesktopState& s, DragLoop& loop, HWND source)
        : s_(s)
        , source_(source)
        , cursor_(GetCursor())
        , pump_(s.pump)
    {
        s_.drag = &loop;
        if (IsWindow(source_))
            SetCapture(source_);
        if (pump_)
            pump_->GrabInput(true);
    }
    ~DragSession()
    {
        if (pump_ && s_.pump == pump_)
            pump_->GrabInput(false);
        s_.drag = nullptr;
        if (source_ && GetCapture() == source_)
            ReleaseCapture();
        SetCursor(cursor_);
    }
    DragSession(const DragSession&) = delete;
    DragSession& operator=(const DragSession&) = delete;

private:
    DesktopState& s_;
    HWND source_;
    HCURSOR cursor_;
    EventPump* pump_;
};

}  // namespace

DWORD DoDragDrop(HWND source, const std::shared_ptr<DataObject>& data, DropSource& feedback, DWORD allowedEffects)
{
    auto* s = CurrentState();
    if (!s || s->drag || !data || allowedEffects == DROPEFFECT_NONE)
        return DROPEFFECT_NONE;
    DragLoop loop(*s, data, feedback, allowedEffects);
    const DragSession session(*s, loop, source);
    loop.Track();
    // With no button down the drag is over as soon as it starts.
    if (!s->keys[VK_LBUTTON] && !s->keys[VK_RBUTTON] && !s->keys[VK_MBUTTON])
        loop.ButtonUp(0);
    while (loop.Running())
        if (!s->pump || !s->pump->PumpOnce(kPumpWaitMs))
            loop.Cancel();
    return loop.Result();
}

}  // namespace tavix::native
