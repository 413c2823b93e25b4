#pragma once
// The grid window's key and focus notifications: each raises its event first
// (the host may change or veto by-reference arguments), then runs the grid's
// default: navigation, selection, incremental search or an edit request.
#include "core/grid_table.h"
#include "interaction/incremental_search.h"
#include "interaction/navigation.h"
#include "interaction/selection.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"

#include <tavix/enums.h>

#include <cstdint>

namespace tavix::interaction {

// Where an edit request goes: the in-place editor.
class EditRequests {
public:
    // code: the typed character's code point, 13 for Enter, 0 for a click or F2.
    // Events carry it as a 16-bit KeyAscii; the typed text keeps all of it.
    virtual void RequestEdit(int32_t code) = 0;
    // A press on the grid commits a running text edit first; false when the
    // editor stays open, and the press is then ignored.
    virtual bool CommitBeforePress() = 0;

protected:
    ~EditRequests() = default;
};

class Keyboard {
public:
    Keyboard(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter, Selection& selection,
        IncrementalSearch& search)
        : table_(table)
        , layout_(layout)
        , painter_(painter)
        , selection_(selection)
        , search_(search)
    {
    }
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    void Connect(EditRequests& editor) { editor_ = &editor; }

    void OnKeyDown(int32_t vk, int32_t shift);
    void OnChar(int32_t charCode);
    void OnKeyUp(int32_t vk, int32_t shift);
    void OnFocusChanged(bool gained);

    // Where printable characters and Enter go: editing or the search.
    void RequestEdit(int32_t code);
    bool CommitBeforePress() { return editor_ == nullptr || editor_->CommitBeforePress(); }

    EKeyPressBehaviour KeyPressBehaviour() const { return keyPressBehaviour_; }
    void SetKeyPressBehaviour(EKeyPressBehaviour behaviour) { keyPressBehaviour_ = behaviour; }

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

    core::GridTable& table_;
    layout::ViewLayout& layout_;
    paint::GridPainter& painter_;
    Selection& selection_;
    IncrementalSearch& search_;
    EditRequests* editor_ { nullptr };
    EKeyPressBehaviour keyPressBehaviour_ { tvKeyPressEditReplace };
    // Ctrl+Space toggled the selection: the Space character that follows is not an edit request.
    bool swallowSpace_ { false };
    bool hasFocus_ { false };
};

}  // namespace tavix::interaction
