#pragma once
// The desktop: screen size, window tree, message queue, input state and the
// clock. This is the headless backend: input is injected by the caller and
// the clock only moves when Advance() is called, so tests are deterministic.
// The most recently created live Desktop is the one the window calls use.
#include <memory>
#include <string>
#include <string_view>
#include <tavix/native/message_box.h>
#include <tavix/native/surface.h>
#include <tavix/native/window.h>
#include <vector>

namespace tavix::native {

struct DesktopState;

// Drives the desktop from outside while a modal window runs its own loop
// (X11Display does: X events, real time, frames).
class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles what is pending, waiting up to timeoutMs; false once the pump is closed.
    virtual bool PumpOnce(int timeoutMs) = 0;
    // While a drag runs, pointer and keys must reach the pump wherever the pointer goes.
    virtual void GrabInput(bool /*grab*/) { }
};

class Desktop {
public:
    enum class Button { Left, Right, Middle };

    explicit Desktop(int screenWidth = 1280, int screenHeight = 800);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    static Desktop* Current();

    int Width() const;
    // The screen follows a resized host window; windows keep their places.
    void SetScreenSize(int width, int height);
    int Height() const;
    DWORD Now() const;

    // Dispatches posted messages and due timers until the queue is empty.
    void RunUntilIdle();
    // Moves the virtual clock forward, firing every timer that falls due on
    // the way, in time order, each followed by RunUntilIdle().
    void Advance(DWORD ms);

    // Input, routed like a person's: capture, hit testing, focus, double clicks;
    // while a drag runs (DoDragDrop) the pointer and the keys are the drag's.
    void MouseMove(int x, int y);
    void MouseDown(Button button = Button::Left);
    void MouseUp(Button button = Button::Left);
    void Click(int x, int y, Button button = Button::Left);
    void Wheel(int delta);
    void KeyDown(int vk);
    void KeyUp(int vk);
    void Char(char32_t ch);
    void TypeText(std::string_view utf8);

    void SetWheelScrollLines(UINT lines);

    // The screen as a person would see it: pending paints done, windows
    // composed in z-order with their frames and scroll bars.
    // Message boxes. A queued answer is taken by the next MessageBox, which
    // then shows nothing; with none queued, the box is shown and run by the
    // event pump when there is one, else its default button answers at once.
    // Every call is recorded.
    void QueueMessageBoxAnswer(int answer);
    const std::vector<MessageBoxCall>& MessageBoxCalls() const;
    // Not owned; nullptr detaches. The pump must outlive its registration.
    void SetEventPump(EventPump* pump);
    EventPump* Pump() const;

    const Surface& Frame();
    // Changes whenever Frame() recomposed the screen.
    uint64_t FrameSerial() const;
    bool Screenshot(const std::string& path);  // PNG

    DesktopState& State() { return *state_; }

private:
    std::unique_ptr<DesktopState> state_;
    Desktop* previous_ { nullptr };
};

}  // namespace tavix::native
