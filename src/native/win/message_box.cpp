#include "native/win/message_box_window.h"

namespace tavix::native {

namespace {

constexpr int kPumpWaitMs = 15;

HWND TopLevel(HWND hwnd)
{
    for (HWND p = GetParent(hwnd); p; p = GetParent(hwnd))
        hwnd = p;
    return hwnd;
}

// The box in its own loop, with its owner disabled, until a button answers.
int RunModal(EventPump& pump, HWND hwnd, std::string_view text, std::string_view caption, UINT type)
{
    const HWND owner = IsWindow(hwnd) ? TopLevel(hwnd) : 0;
    const bool ownerEnabled = owner && IsWindowEnabled(owner);
    const HWND focus = GetFocus();
    if (ownerEnabled)
        EnableWindow(owner, false);
    HWND box = CreateWindowEx(WS_EX_TOPMOST, WC_MESSAGEBOX, caption, WS_POPUP | WS_BORDER, 0, 0, 0, 0, 0);
    auto window = ControlOf<MessageBoxWindow>(box);
    int answer = 0;
    if (window) {
        window->Show(text, type, owner);
        while (IsWindow(box) && window->Answer() == 0 && pump.PumpOnce(kPumpWaitMs)) { }
        answer = window->Answer();
    }
    DestroyWindow(box);
    if (ownerEnabled)
        EnableWindow(owner, true);
    if (IsWindow(focus))
        SetFocus(focus);
    // A loop that ended without a choice answers as Escape would, or as the default button.
    auto buttons = MessageBoxButtons::For(type);
    return answer ? answer : buttons.escapeId ? buttons.escapeId : buttons.DefaultId();
}

}  // namespace

int MessageBox(HWND hwnd, std::string_view text, std::string_view caption, UINT type)
{
    auto* s = CurrentState();
    if (!s)
        return 0;
    s->messageBoxCalls.push_back(MessageBoxCall { std::string(text), std::string(caption), type, 0 });
    const size_t call = s->messageBoxCalls.size() - 1;
    int answer;
    if (!s->messageBoxAnswers.empty()) {
        answer = s->messageBoxAnswers.front();
        s->messageBoxAnswers.pop_front();
    } else if (s->pump) {
        answer = RunModal(*s->pump, hwnd, text, caption, type);
    } else {
        answer = MessageBoxButtons::For(type).DefaultId();
    }
    s->messageBoxCalls[call].answer = answer;
    return answer;
}

}  // namespace tavix::native
