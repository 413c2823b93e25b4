#pragma once
// The blinking caret of a focused edit control: a window timer flips it, and
// any caret move shows it again and restarts the blink.
#include <tavix/native/window.h>

namespace tavix::native {

class EditCaret {
public:
    static constexpr UINT_PTR kTimerId = 0xCA4E7;
    static constexpr UINT kBlinkMs = 530;

    explicit EditCaret(HWND hwnd)
        : hwnd_(hwnd)
    {
    }

    bool Active() const { return active_; }
    // Shown now: active and in the "on" half of the blink.
    bool Shown() const { return active_ && on_; }
    void Start();
    void Stop();
    void Restart();
    // A timer tick; returns whether the caret changed.
    bool Tick();

private:
    HWND hwnd_;
    bool active_ { false };
    bool on_ { false };
};

}  // namespace tavix::native
