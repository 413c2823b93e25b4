#pragma once
// The window of a modal message box, class "#32770": caption, icon, wrapped
// text and a row of push buttons worked by mouse and keyboard (Tab and the
// arrows move between buttons, Enter and Space press the focused one, Escape
// and the underlined letters answer directly). The caption drags the box.
#include "native/win/message_box_buttons.h"
#include "native/win/window_control.h"
#include <string>
#include <tavix/native/gdi.h>

namespace tavix::native {

inline constexpr std::string_view WC_MESSAGEBOX = "#32770";

class MessageBoxWindow final : public WindowControl {
public:
    explicit MessageBoxWindow(HWND hwnd)
        : hwnd_(hwnd)
    {
    }
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    // Sizes itself to the text, centres on `owner` (or the screen), shows
    // itself and takes the focus.
    void Show(std::string_view text, UINT type, HWND owner);
    // The chosen button's id; 0 while none was chosen.
    int Answer() const { return answer_; }

private:
    void Paint();
    void PaintButton(HDC dc, size_t index) const;
    void OnKeyDown(int vk);
    void OnMouse(UINT msg, LPARAM lParam);
    Rect ButtonRect(size_t index) const;
    int ButtonAt(POINT pt) const;
    void Focus(size_t index);

    HWND hwnd_;
    std::string text_;
    UINT type_ { MB_OK };
    MessageBoxButtons buttons_ { MessageBoxButtons::For(MB_OK) };
    size_t focus_ { 0 };
    int pressed_ { -1 };  // the button held down with the mouse
    bool pressedInside_ { false };
    bool dragging_ { false };
    POINT dragFrom_;  // screen position of the last drag step
    Rect iconRect_;
    Rect textRect_;
    int32_t footerTop_ { 0 };
    int answer_ { 0 };
};

}  // namespace tavix::native
