#pragma once
// The two standard scroll bars of one window: ranges, pages, positions, line
// steps, and the translation of scroll and wheel messages into positions.
#include <array>
#include <cstdint>
#include <tavix/enums.h>
#include <tavix/native/subclass.h>
#include <tavix/native/window.h>

namespace tavix::scroll {

// What the owner of the bars does when the user moves them.
class ScrollListener {
public:
    // The position changed, by the user or by SetPosition.
    virtual void ScrollPositionChanged(EScrollBar bar, int32_t value) = 0;
    virtual void ScrollThumbTracked(EScrollBar bar, int32_t value) = 0;
    virtual void ScrollEnded(EScrollBar bar) = 0;

protected:
    ~ScrollListener() = default;
};

class ScrollBars : public native::SubclassOwner {
public:
    ScrollBars() = default;
    ~ScrollBars() override;
    ScrollBars(const ScrollBars&) = delete;
    ScrollBars& operator=(const ScrollBars&) = delete;

    void Attach(native::HWND hwnd);
    void Detach();
    native::HWND Window() const { return window_; }
    bool Attached() const { return attached_; }

    // 0 horizontal only, 1 vertical only, 2 both.
    void SetOrientation(int32_t orientation);
    int32_t Orientation() const { return orientation_; }

    void SetVisible(int bar, bool visible);
    // SetVisible in two steps: showing a bar resizes the window, whose handler
    // may lay the grid out again; recording both states first lets that
    // nested layout see the bars as they are about to be.
    void RecordVisible(int bar, bool visible);
    void ShowAsRecorded(int bar);
    bool Visible(int bar) const;

    // No flat scroll bar library on this platform: every style draws as regular.
    void SetStyle(int32_t style);
    int32_t Style() const { return style_; }
    bool CanBeFlat() const { return false; }

    void SetSmallChange(int bar, int32_t value);
    int32_t SmallChange(int bar) const;

    int32_t Minimum(int bar) const;
    // The native maximum, i.e. the maximum position plus the page.
    int32_t Maximum(int bar) const;
    int32_t Page(int bar) const;
    int32_t Position(int bar) const;
    int32_t TrackPosition(int bar) const;

    // Stores the maximum position M as native max M + page.
    void SetMaximum(int bar, int32_t maximumPosition);
    // Keeps the maximum position: the native max moves with the page.
    void SetPage(int bar, int32_t page);
    void SetPosition(int bar, int32_t value);
    void Enable(int bar, bool enable);

    // Null until the grid has a window to scroll.
    void SetListener(ScrollListener* listener) { listener_ = listener; }

    void SubclassProc(native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam,
        native::LPARAM lParam, native::LRESULT& result) override;

private:
    int64_t LineStep(int bar, int multiplier) const;
    native::SCROLLINFO Info(int bar, native::UINT mask) const;
    void Report(int bar);
    void FollowClamp(int bar);
    void HandleRequest(int bar, int request, int multiplier);

    native::HWND window_ { 0 };
    int32_t orientation_ { 2 };
    int32_t style_ { 0 };
    std::array<int32_t, 2> smallChange_ { 1, 1 };
    std::array<bool, 2> visible_ { false, false };
    std::array<int32_t, 2> lastValue_ { 0, 0 };
    bool attached_ { false };
    ScrollListener* listener_ { nullptr };
};

}  // namespace tavix::scroll
