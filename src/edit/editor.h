#pragma once
// In-place editing of the current cell. An edit request, announced to the host
// by the RequestEdit event, runs one of four ways by the cell's type: a text
// cell opens a text editor over the cell, a combo cell drops its list down, a
// check box cycles its value at once and a custom-drawn cell is left to the
// host. Whatever stores a value passes BeforeCommitEdit first.
#include "core/grid_table.h"
#include "edit/drop_down_list.h"
#include "edit/text_editor.h"
#include "interaction/incremental_search.h"
#include "interaction/keyboard.h"
#include "layout/view_layout.h"
#include "paint/grid_painter.h"

#include <tavix/enums.h>
#include <tavix/native/subclass.h>

#include <cstdint>
#include <string>

namespace tavix::edit {

class Editor : public core::EditSession,
               public core::ComboListMetrics,
               public paint::EditingState,
               public interaction::EditRequests,
               public native::SubclassOwner,
               public DropDownListener {
public:
    Editor(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter,
        interaction::Keyboard& keyboard, interaction::IncrementalSearch& search);
    ~Editor() override;
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // core::EditSession: QuitCustomEdit, then the running edit is cancelled.
    void CancelEdit() override;
    // core::ComboListMetrics
    int32_t FittingWidth(const ComboObject& list) override;
    // paint::EditingState; EditActive is core::EditSession's as well
    bool Editable() const override { return editable_; }
    bool EditActive() const override { return editActive_; }
    // interaction::EditRequests
    void RequestEdit(int32_t code) override;
    bool CommitBeforePress() override;

    // Commits a running text edit; a combo edit is left alone.
    void CommitEdit();
    void SetEditable(bool editable);
    bool SilentValidation() const { return silentValidation_; }
    void SetSilentValidation(bool silent) { silentValidation_ = silent; }
    bool CustomContextMenu() const { return customContextMenu_; }
    void SetCustomContextMenu(bool custom) { customContextMenu_ = custom; }

    // The open text editor; empty and 0 while no text edit runs.
    bool TextEditOpen() const;
    const TextEditor& Text() const { return text_; }
    // Null while no text edit runs.
    const TextEditor* OpenTextEditor() const { return TextEditOpen() ? &text_ : nullptr; }
    const DropDownList& List() const { return list_; }
    DropDownList& List() { return list_; }

    // native::SubclassOwner: the edit boxes and the grid window.
    void SubclassProc(native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam,
        native::LPARAM lParam, native::LRESULT& result) override;

    // DropDownListener
    Host& GridHost() override { return table_.GetHost(); }
    void ItemChosen() override;
    void ListClosed() override;
    void ListKeyDown(int16_t& keyCode, int16_t shift) override;

private:
    void Deliver(native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam,
        native::LPARAM lParam, native::LRESULT& result);
    ECellTypes CurrentType() const;
    void HookGridWindow();

    // Text cells.
    void StartTextEdit(
        int32_t code, const std::string& cellText, const std::string& text, int32_t maxLength, ETextEditFlags options);
    EEditResults CommitTextEdit();
    void CancelTextEdit();
    // Puts the cell's Selected bit back and hides the editor.
    void CloseTextEditor();
    // True when the message is spent; a typed character may be changed in wParam.
    bool EditBoxMessage(native::UINT msg, native::WPARAM& wParam, native::LPARAM lParam);
    bool EditBoxChar(native::WPARAM& wParam);
    void EditBoxLostFocus(native::HWND newFocus);
    void GridWindowMessage(
        native::UINT msg, native::WPARAM wParam, native::LPARAM lParam, bool& handled, native::LRESULT& result);
    native::COLORREF EditorBackColor(const core::CellLook& cell) const;

    // Combo cells.
    void StartComboEdit(int32_t code);
    void CommitComboEdit();
    void CancelComboEdit();
    void EndComboEdit();
    void SetListIndex(int32_t index);

    // Check-box cells.
    void ToggleCheckCell();

    core::GridTable& table_;
    layout::ViewLayout& layout_;
    paint::GridPainter& painter_;
    interaction::Keyboard& keyboard_;
    interaction::IncrementalSearch& search_;
    TextEditor text_;
    DropDownList list_ { *this };
    native::HWND hookedGrid_ { 0 };

    bool editable_ { true };
    bool silentValidation_ { false };
    bool customContextMenu_ { false };
    bool editActive_ { false };
    // Text edit: changes of the editor's text are reported. Combo edit: the
    // next choice of the list is the user's.
    bool editChangeArmed_ { false };
    bool commitInProgress_ { false };
    bool editCellWasSelected_ { false };
    // The validation message or the host's BeforeCommitEdit is running: the editor
    // losing the focus to a box they show is no cancel.
    bool validating_ { false };
    // The type of the running edit's cell, taken when it started.
    ECellTypes editType_ { tvCellText };
};

}  // namespace tavix::edit
