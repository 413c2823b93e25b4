#pragma once
// The grid window's key and focus notifications: each raises its event first
// (the host may change or veto by-reference arguments), then runs the grid's
// default: navigation, selection, incremental search or an edit request.
#include "core/grid_state.h"
#include "navigation.h"

#include <cstdint>

namespace tavix::interaction {

// Keeps no state of its own (it lives in GridState::selection), so a
// Keyboard may be made for each notification.
class Keyboard {
public:
    explicit Keyboard(core::GridState& state)
        : s_(state)
    {
    }

    void OnKeyDown(int32_t vk, int32_t shift);
    void OnChar(int32_t charCode);
    void OnKeyUp(int32_t vk, int32_t shift);
    void OnFocusChanged(bool gained);

    // Where printable characters, Enter and cell-control clicks go: editing or the search.
    void RequestEdit(int16_t keyAscii);

private:
    void ArrowHorizontal(int32_t step, int32_t shift);
    void ArrowVertical(int32_t step, int32_t shift);
    void HomeEnd(bool end, int32_t shift);
    void Page(bool down, int32_t shift);
    void CtrlSpace(int32_t shift);
    void Enter();
    void DisabledKeyDown(int32_t vk);

    void SelectAndMove(CellPos to, int32_t colForRange, int32_t shift, bool arrowKey);
    // Moves a shown scroll bar by delta, within its range.
    void ScrollBarBy(int bar, int32_t delta);
    void RaiseEditRequest(int16_t keyAscii);

    core::GridState& s_;
};

}  // namespace tavix::interaction
