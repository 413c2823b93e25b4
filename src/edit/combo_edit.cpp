// The combo path of an edit: the cell's list drops down under the cell and the
// item chosen becomes the cell's value.
#include "edit/editor.h"

#include "core/combo_match.h"

#include <tavix/events.h>
#include <tavix/native/window.h>

namespace tavix::edit {

namespace {

constexpr int16_t kEnter = 13;
constexpr int16_t kEsc = 27;
// Enter and Space pick the item of the cell's value; a printable key, the first item it begins.
constexpr int16_t kFirstInitialKey = 33;

}  // namespace

void Editor::StartComboEdit(int32_t code)
{
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    const core::CellData& cell = table_.Cell(row, col);
    const ComboObject* combo = table_.Combos().AtSlot(table_.Look(cell).CtrlKeyIndex);
    if (combo == nullptr || layout_.Window() == 0 || !list_.Create(layout_.Window())) {
        editActive_ = false;
        return;
    }
    // The button shows pressed while the list is down.
    table_.MarkCellChanged(row, col);
    painter_.Draw();
    list_.AllowXPStyles(painter_.Supports(tvSupFeatXPStyles).value_or(false));
    list_.Load(*combo, painter_.Look().imageList);
    SetListIndex(-1);
    SetListIndex(
        code < kFirstInitialKey ? list_.ValueIndex(cell.Value) : list_.InitialIndex(interaction::Utf8OfCode(code)));
    const layout::CellRect r = layout_.CellBoundary(row, col);
    native::POINT corner { r.left, r.top };
    native::ClientToScreen(layout_.Window(), &corner);
    list_.ShowDropDownAtPosition(corner.x, corner.y, r.width, r.height);
}

int32_t Editor::FittingWidth(const ComboObject& list)
{
    return DropDownList::FittingWidth(list, painter_.Look().imageList);
}

void Editor::SetListIndex(int32_t index)
{
    // The list reports the grid's own choice as chosen: that report only re-arms.
    editChangeArmed_ = false;
    list_.SetListIndex(index);
}

void Editor::ItemChosen()
{
    if (!editActive_ || editType_ != tvCellCombo)
        return;
    if (!editChangeArmed_) {
        editChangeArmed_ = true;
        return;
    }
    if (list_.ListIndex() >= 0)
        CommitComboEdit();
    else
        CancelComboEdit();
}

void Editor::ListClosed()
{
    if (editActive_ && editType_ == tvCellCombo)
        CancelComboEdit();
}

void Editor::ListKeyDown(int16_t& keyCode, int16_t /*shift*/)
{
    if (!editActive_ || editType_ != tvCellCombo)
        return;
    // Only the keys that end the edit disarm: the navigation keys move the
    // list's choice, and a click after them must still commit.
    if (keyCode == kEnter) {
        CommitComboEdit();
        editChangeArmed_ = false;
    } else if (keyCode == kEsc) {
        CancelComboEdit();
        editChangeArmed_ = false;
    }
}

void Editor::CommitComboEdit()
{
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    const int32_t selected = list_.ListIndex();
    // Enter on a list without a choice (a typed letter no item begins) has nothing to store.
    if (selected < 0) {
        CancelComboEdit();
        return;
    }
    GridVariant value = list_.ItemValue(selected);
    EEditResults result = tvEditResCommit;
    const core::ShapeWatch watch(table_);
    table_.Events().BeforeCommitEdit(row, col, result, list_.Text(), value, 0);
    // A handler that cancelled the edit has already closed the list and reported it.
    if (!editActive_)
        return;
    editActive_ = false;
    // A handler that moved rows or columns left (row, col) naming another cell or none.
    if (result == tvEditResCommit && !watch.Changed()) {
        const bool kept = core::ComboValueMatches(list_.ItemValue(selected), value);
        const int32_t index = kept ? selected : list_.ValueIndex(value);
        table_.ChangeCell({ row, col }, [&](core::CellData& c) {
            c.Value = value;
            c.ComboItemIndex = static_cast<int16_t>(index);
            const int16_t icon = index >= 0 ? list_.ItemIconIndex(index) : int16_t { -1 };
            table_.SetLook(c, [&](core::CellLook& look) { look.Icon = icon; });
        });
        EndComboEdit();
        table_.Events().AfterCommitEdit(row, col);
        return;
    }
    EndComboEdit();
}

void Editor::CancelComboEdit()
{
    if (!editActive_)
        return;
    editActive_ = false;
    EndComboEdit();
    table_.Events().CancelEdit(table_.CurRow(), table_.CurCol());
}

void Editor::EndComboEdit()
{
    list_.Hide();
    if (layout_.Window() != 0)
        native::SetFocus(layout_.Window());
    // The button comes up again.
    if (table_.HasCurrentCell())
        table_.MarkCellChanged(table_.CurRow(), table_.CurCol());
    painter_.Draw();
}

}  // namespace tavix::edit
