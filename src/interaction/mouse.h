#pragma once
// The grid window's pointer notifications over the cell area: each raises its
// event first (the host may veto by reference), then runs the grid's default:
// selection and current cell, cell control clicks, drag start and hot tracking.
#include "core/grid_state.h"
#include "mouse_state.h"

#include <tavix/timer.h>

#include <cstdint>
#include <functional>
#include <optional>

namespace tavix::interaction {

// What only the painting side knows; both are unset on a grid without a painter.
struct MouseHooks {
    // Hot check boxes and combo buttons exist only with visual styles.
    std::function<bool()> themesActive;
    // The check box (cell type 2) or combo button (type 1) within a cell rectangle.
    std::function<native::Rect(int32_t cellType, native::Rect cell)> controlRect;
};

class Mouse {
public:
    // Button masks: 1 left, 2 right, 4 middle; shift masks: 1 Shift, 2 Ctrl, 4 Alt.
    explicit Mouse(core::GridState& state);
    Mouse(const Mouse&) = delete;
    Mouse& operator=(const Mouse&) = delete;

    void OnButtonDown(int16_t button, int16_t shift, int32_t x, int32_t y);
    void OnMove(int16_t button, int16_t shift, int32_t x, int32_t y);
    void OnButtonUp(int16_t button, int16_t shift, int32_t x, int32_t y);
    void OnDblClick();
    // A scroll by (dx, dy) client pixels keeps the tracked control rectangle on its control.
    void OnScrolled(int32_t dx, int32_t dy);

    MouseHooks hooks;

    const MouseState& State() const { return m_; }

private:
    bool InGrid(int32_t row, int32_t col) const;
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

    core::GridState& s_;
    MouseState m_;
    CTimer leaveTimer_;
};

}  // namespace tavix::interaction
