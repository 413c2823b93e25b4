#pragma once
// The grid window's pointer notifications over the cell area: each raises its
// event first (the host may veto by reference), then runs the grid's default:
// selection and current cell, cell control clicks, drag start and hot tracking.
#include "core/grid_table.h"
#include "interaction/incremental_search.h"
#include "interaction/keyboard.h"
#include "interaction/mouse_state.h"
#include "interaction/ole_drag_drop.h"
#include "interaction/selection.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"

#include <tavix/timer.h>

#include <cstdint>
#include <optional>

namespace tavix::interaction {

class Mouse {
public:
    // Button masks: 1 left, 2 right, 4 middle; shift masks: 1 Shift, 2 Ctrl, 4 Alt.
    Mouse(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter, Selection& selection,
        IncrementalSearch& search, Keyboard& keyboard);
    Mouse(const Mouse&) = delete;
    Mouse& operator=(const Mouse&) = delete;

    void OnButtonDown(int16_t button, int16_t shift, int32_t x, int32_t y);
    void OnMove(int16_t button, int16_t shift, int32_t x, int32_t y);
    void OnButtonUp(int16_t button, int16_t shift, int32_t x, int32_t y);
    void OnDblClick();
    // A scroll by (dx, dy) client pixels keeps the tracked control rectangle on its control.
    void OnScrolled(int32_t dx, int32_t dy);

    const MouseState& State() const { return m_; }
    // Handed to the platform's drag and drop unchanged; the grid adds nothing of its own.
    int16_t OleDropMode() const { return ole_.DropMode(); }
    void SetOleDropMode(int16_t mode) { ole_.SetDropMode(mode); }
    void AttachWindow(native::HWND hwnd) { ole_.AttachWindow(hwnd); }
    void DetachWindow() { ole_.DetachWindow(); }
    // A drag and drop of the grid window, run to its end.
    void OleDrag();

private:
    // The cell's check box or combo button rectangle; empty for other cells.
    std::optional<native::Rect> ControlRect(int32_t row, int32_t col) const;
    void SelectPressed(int32_t row, int32_t col, int16_t shift);
    void SelectPlain(int32_t row, int32_t col);
    void InvertPressed(int32_t row, int32_t col);
    void LeaveHotControl(int32_t x, int32_t y);
    void EnterHotControl(int32_t x, int32_t y);
    void TrackHotCell(int32_t x, int32_t y);
    void SetControlHot(bool hot);
    void LeaveTick();

    core::GridTable& table_;
    layout::ViewLayout& layout_;
    paint::GridPainter& painter_;
    Selection& selection_;
    IncrementalSearch& search_;
    Keyboard& keyboard_;
    MouseState m_;
    CTimer leaveTimer_;
    OleDragDrop ole_;
};

}  // namespace tavix::interaction
