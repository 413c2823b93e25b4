// The viewer's top-level window with the grid as its child filling the client area.
#pragma once

#include <tavix/native/message_filter.h>
#include <tavix/native/messages.h>

#include <functional>
#include <optional>
#include <string>

namespace tavix {
class Tavix;
}

namespace tavix::view {

class ViewerWindow : native::MessageFilter {
public:
    // A key on its way to the grid window: handled = true keeps it from the grid.
    // Keys on their way to an editor or an open list are theirs.
    // `after` runs once the grid has handled the keys it kept.
    struct KeyHandlers {
        std::function<bool(int vk, bool shift)> command;
        std::function<void(bool isChar, int code)> after;
        // Runs a command posted with Defer, once the message that asked for it is done.
        std::function<void(int command)> deferred;
    };

    ViewerWindow(Tavix& grid, const std::string& title, int width, int height, KeyHandlers keys);
    ~ViewerWindow();
    ViewerWindow(const ViewerWindow&) = delete;
    ViewerWindow& operator=(const ViewerWindow&) = delete;

    native::HWND Frame() const { return frame_; }
    bool Closed() const { return frame_ == 0; }
    void Close();
    // Posts `command` to the frame, for work that must not run inside the grid's own key handling.
    void Defer(int command);
    // Follows a new screen size (the X window was resized).
    void Resize(int width, int height);

private:
    // The viewer's shortcuts, in the message loop's application stage.
    bool TranslateAccelerator(const native::MSG& msg) override;
    static native::LRESULT FrameProc(native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);
    static native::LRESULT GridKeyProc(
        native::HWND hwnd, native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);

    Tavix& grid_;
    KeyHandlers keys_;
    native::HWND frame_ { 0 };
    native::HWND gridWindow_ { 0 };
    native::WNDPROC gridProc_ { nullptr };
    std::optional<native::ScopedMessageFilter> shortcuts_;
};

}  // namespace tavix::view
