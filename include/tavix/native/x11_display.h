#pragma once
// Shows a Desktop in one real, resizable X window: X input becomes the
// Desktop's injected input, the clock follows real time, and the composed
// frame is put after each batch of messages. While open it is the desktop's
// event pump (modal windows loop through it) and its clipboard is the X one.
#include <memory>
#include <tavix/native/desktop.h>

namespace tavix::native {

class X11Display final : public EventPump {
public:
    // Opens `displayName` (nullptr = $DISPLAY); check IsOpen(). The title is UTF-8; `appName`
    // names the window's WM_CLASS (instance `appName`, class the same with a capital initial).
    explicit X11Display(Desktop& desktop, const char* displayName = nullptr, const char* title = "Tavix",
        const char* appName = "tavix");
    ~X11Display() override;
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    bool IsOpen() const;
    unsigned long WindowId() const;
    // Handles pending X events, fires due timers and puts the frame; waits up
    // to timeoutMs for an event when none is pending. False once the window was closed.
    bool PumpOnce(int timeoutMs = 10) override;
    // Grabs the X pointer and keyboard for our window.
    void GrabInput(bool grab) override;
    void Run();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tavix::native
