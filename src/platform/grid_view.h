#pragma once
// The view of a grid that lives in a window: it owns the window, the scroll
// bars and the painter, and answers the calls the table operations make.
#include "core/grid_state.h"
#include "scroll/scroll_bars.h"

#include <tavix/scroll_bar_object.h>
#include <tavix/timer.h>

#include <memory>
#include <optional>

namespace tavix::paint {
class GridPainter;
}
namespace tavix::interaction {
class Mouse;
}

namespace tavix::platform {

class GridView : public core::GridViewHooks {
public:
    explicit GridView(core::GridState& state);
    ~GridView() override;
    GridView(const GridView&) = delete;
    GridView& operator=(const GridView&) = delete;

    // Creates the window and brings the grid to its ready state.
    native::HWND Create(native::HWND parent, int32_t x, int32_t y, int32_t width, int32_t height);

    ScrollBarObject& HScrollBar() { return *hObject_; }
    ScrollBarObject& VScrollBar() { return *vObject_; }
    scroll::ScrollBars& ScrollBarsWrapper() { return *bars_; }
    void ApplyScrollBarStyle(int32_t style);

    // Window messages the grid handles itself.
    native::LRESULT HandleMessage(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);

    // core::GridViewHooks
    void InvalidateRange(int32_t mode) override;
    void MarkLayoutStale() override;
    void Draw() override;
    void CancelEdit() override { }
    void UpdateScrollBars() override;
    void EnsurePaintBufferHeight(int32_t height) override;
    void ResetScrollPositions(bool horizontalToo) override;
    int32_t Window() const override { return hwnd_; }
    scroll::ScrollBars* Bars() override { return bars_.get(); }
    int32_t HeaderHeight() const override { return 0; }
    bool HasFocus() const override;
    void ScrollCellIntoView(int32_t row, int32_t col) override;

private:
    void CreateScrollBars();
    void OnScrollChange(int bar, int32_t value);
    void OnResize();
    // Pointer messages of the cell area; false for other messages.
    bool HandleMouse(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);
    void OnPaint();
    void OnSysColorChange();
    void RecreateScrollBarsTick();

    core::GridState& s_;
    native::HWND hwnd_ { 0 };
    std::unique_ptr<scroll::ScrollBars> bars_;
    std::optional<ScrollBarObject> hObject_;
    std::optional<ScrollBarObject> vObject_;
    std::unique_ptr<paint::GridPainter> painter_;
    std::unique_ptr<CTimer> recreateTimer_;
    std::unique_ptr<interaction::Mouse> mouse_;
};

}  // namespace tavix::platform
