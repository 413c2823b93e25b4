#pragma once
// Shows a Desktop in one real, resizable X window: X input becomes the
// Desktop's injected input, the clock follows real time, and the composed
// frame is put after each batch of messages.
#include <memory>
#include <tavix/native/desktop.h>

namespace tavix::native {

class X11Display {
public:
    // Opens `displayName` (nullptr = $DISPLAY); check IsOpen(). The title is UTF-8; `appName`
    // names the window's WM_CLASS (instance `appName`, class the same with a capital initial).
    explicit X11Display(Desktop& desktop, const char* displayName = nullptr, const char* title = "Tavix",
        const char* appName = "tavix");
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    bool IsOpen() const;
    unsigned long WindowId() const;
    // Handles pending X events, fires due timers and puts the frame; waits up
    // to timeoutMs for an event when none is pending. False once the window was closed.
    bool PumpOnce(int timeoutMs = 10);
    void Run();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tavix::native
