#pragma once
// In-place editing of the current cell. Today it takes the edit requests of the
// keyboard and the mouse and raises RequestEdit; the editor windows, commit and
// cancel are not built yet, so no edit ever becomes active and cancelling one
// does nothing.
#include "core/grid_table.h"
#include "interaction/incremental_search.h"
#include "interaction/keyboard.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"

#include <cstdint>

namespace tavix::edit {

class Editor : public core::EditSession, public paint::EditingState, public interaction::EditRequests {
public:
    Editor(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter,
        interaction::Keyboard& keyboard, interaction::IncrementalSearch& search)
        : table_(table)
        , layout_(layout)
        , painter_(painter)
        , keyboard_(keyboard)
        , search_(search)
    {
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // core::EditSession
    void CancelEdit() override { }
    // paint::EditingState
    bool Editable() const override { return editable_; }
    bool EditActive() const override { return false; }
    // interaction::EditRequests
    void RequestEdit(int16_t keyAscii) override;

private:
    core::GridTable& table_;
    layout::ViewLayout& layout_;
    paint::GridPainter& painter_;
    interaction::Keyboard& keyboard_;
    interaction::IncrementalSearch& search_;
    bool editable_ { true };
};

}  // namespace tavix::edit
