#pragma once
// The state of a running DoDragDrop. While it runs the desktop hands it the
// pointer and the keys instead of routing them to windows.
#include "native/win/desktop_state.h"

namespace tavix::native {

class DragLoop {
public:
    DragLoop(DesktopState& s, const std::shared_ptr<DataObject>& data, DropSource& source, DWORD allowed);

    bool Running() const { return outcome_ == Outcome::Running; }
    DWORD Result() const { return result_; }

    // The pointer moved or the key state changed: find the target, tell it, ask for feedback.
    void Track();
    void ButtonUp(int vk);
    void KeyDown(int vk);
    void Cancel();

private:
    enum class Outcome { Running, Dropped, Cancelled };

    DWORD KeyState() const;
    DropTarget* TargetOf(HWND hwnd) const;
    HWND DropWindowAt(POINT pt) const;
    void Leave();
    void Feedback();
    void Drop();

    DesktopState& s_;
    std::shared_ptr<DataObject> data_;
    DropSource& source_;
    DWORD allowed_;
    int button_ { 0 };  // the VK_*BUTTON that carries the drag, 0 when none was down
    HWND target_ { 0 };
    DWORD effect_ { DROPEFFECT_NONE };
    DWORD result_ { DROPEFFECT_NONE };
    Outcome outcome_ { Outcome::Running };
};

}  // namespace tavix::native
