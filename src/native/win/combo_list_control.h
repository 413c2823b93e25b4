#pragma once
// The drop-down part of a combo box, window class "ComboLBox": a top-level
// popup that holds the mouse while open. It shows the combo box's items,
// drawn by the combo box's parent, highlights the item under the mouse, and
// closes on a click: on an item to choose it, elsewhere to cancel. Keys
// sent to it are its combo box's.
#include "native/win/window_control.h"

namespace tavix::native {

class ComboBoxControl;

class ComboListControl final : public WindowControl {
public:
    explicit ComboListControl(HWND hwnd)
        : hwnd_(hwnd)
    {
    }
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    void Attach(HWND combo) { combo_ = combo; }
    // Shown with `hot` highlighted and in view.
    void Open(int hot);
    int Hot() const { return hot_; }
    void SetHot(int index);
    int Top() const { return top_; }
    // Items that fit from the top: what Page Up and Page Down move by.
    int PageSize() const;
    // After the items or the size changed.
    void Layout();

private:
    std::shared_ptr<ComboBoxControl> Combo() const;
    int ItemAt(int32_t y) const;
    int MaxTop() const;
    int FittingFrom(int top) const;
    void ScrollTo(int top);
    void OnScroll(int code);
    void OnMouse(UINT msg, LPARAM lParam);
    void Paint();

    HWND hwnd_;
    HWND combo_ { 0 };
    int hot_ { -1 };
    int top_ { 0 };
};

}  // namespace tavix::native
