#pragma once
// The grid's own window: it creates it, routes its messages to the subsystems,
// turns scroll bar moves into view changes and re-creates the scroll bars after
// a system colour change. The one place that knows every subsystem.
#include "core/grid_table.h"
#include "header/grid_header.h"
#include "interaction/keyboard.h"
#include "interaction/mouse.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"
#include "scroll/scroll_bars.h"

#include <tavix/timer.h>

#include <memory>

namespace tavix::platform {

class GridWindow : public scroll::ScrollListener {
public:
    GridWindow(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter,
        interaction::Keyboard& keyboard, interaction::Mouse& mouse, header::GridHeader& header);
    ~GridWindow();
    GridWindow(const GridWindow&) = delete;
    GridWindow& operator=(const GridWindow&) = delete;

    // Creates the window and brings the grid to its ready state; 0 on failure.
    native::HWND Create(native::HWND parent, int32_t x, int32_t y, int32_t width, int32_t height);
    native::HWND Handle() const { return hwnd_; }

    // Window messages the grid handles itself.
    native::LRESULT HandleMessage(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);
    tavix::Host& GridHost() const { return table_.GetHost(); }

    // scroll::ScrollListener
    void ScrollPositionChanged(EScrollBar bar, int32_t value) override;
    void ScrollThumbTracked(EScrollBar bar, int32_t value) override;
    void ScrollEnded(EScrollBar bar) override;

private:
    void OnResize();
    // Pointer messages of the cell area; false for other messages.
    bool HandleMouse(native::UINT msg, native::WPARAM wParam, native::LPARAM lParam);
    void OnPaint();
    void OnSysColorChange();
    void RecreateScrollBarsTick();

    core::GridTable& table_;
    layout::ViewLayout& layout_;
    paint::GridPainter& painter_;
    interaction::Keyboard& keyboard_;
    interaction::Mouse& mouse_;
    header::GridHeader& header_;
    native::HWND hwnd_ { 0 };
    std::unique_ptr<CTimer> recreateTimer_;
};

}  // namespace tavix::platform
