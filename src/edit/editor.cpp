#include "edit/editor.h"

#include "core/message_boundary.h"

#include "core/cell_text.h"

#include <tavix/enums.h>
#include <tavix/events.h>
#include <tavix/native/window.h>

#include <string>

namespace tavix::edit {

namespace {

constexpr int16_t kEnter = 13;
constexpr int16_t kSpace = 32;
constexpr int32_t kCheckBox3State = 16;

}  // namespace

Editor::Editor(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter,
    interaction::Keyboard& keyboard, interaction::IncrementalSearch& search)
    : table_(table)
    , layout_(layout)
    , painter_(painter)
    , keyboard_(keyboard)
    , search_(search)
{
}

Editor::~Editor()
{
    if (hookedGrid_ != 0 && native::IsWindow(hookedGrid_))
        native::Unsubclass(hookedGrid_, native::SubclassKind::Tavix);
}

ECellTypes Editor::CurrentType() const
{
    return static_cast<ECellTypes>(table_.Cell(table_.CurRow(), table_.CurCol()).Flags & core::CellData::kTypeMask);
}

void Editor::RequestEdit(int32_t code)
{
    if (!painter_.Look().enabled || !editable_ || editActive_)
        return;
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    // Control characters other than Enter start nothing.
    if (!table_.HasCell(row, col) || (code >= 1 && code < kSpace && code != kEnter))
        return;
    const std::string cellText = table_.CellText(row, col);
    std::string text = cellText;
    if (code >= kSpace) {
        const std::string typed = interaction::Utf8OfCode(code);
        if (keyboard_.KeyPressBehaviour() == tvKeyPressEditAppend)
            text += typed;
        else if (keyboard_.KeyPressBehaviour() == tvKeyPressEditReplace)
            text = typed;
    }
    bool cancel = false;
    int32_t maxLength = 0;
    auto options = static_cast<ETextEditFlags>(0);
    layout_.ScrollCellIntoView(row, col);
    table_.Events().RequestEdit(row, col, static_cast<int16_t>(code), cancel, text, maxLength, options);
    // The handler may have moved the current cell or removed it.
    if (cancel || !table_.HasCell(row, col) || row != table_.CurRow() || col != table_.CurCol())
        return;
    editActive_ = true;
    editType_ = CurrentType();
    search_.Clear();
    switch (editType_) {
    case tvCellText: StartTextEdit(code, cellText, text, maxLength, options); break;
    case tvCellCombo: StartComboEdit(code); break;
    case tvCellCheck: ToggleCheckCell(); break;
    default:
        // The host edits a custom-drawn cell itself, until QuitCustomEdit.
        editActive_ = false;
        break;
    }
}

void Editor::CancelEdit()
{
    table_.Events().QuitCustomEdit();
    if (!editActive_)
        return;
    if (editType_ == tvCellText)
        CancelTextEdit();
    else
        CancelComboEdit();
}

void Editor::CommitEdit()
{
    if (editActive_ && editType_ == tvCellText)
        CommitTextEdit();
}

bool Editor::CommitBeforePress()
{
    if (!editActive_ || editType_ != tvCellText)
        return true;
    CommitTextEdit();
    return !editActive_;
}

void Editor::SetEditable(bool editable)
{
    CancelEdit();
    editable_ = editable;
    painter_.MarkFullRedraw();
    painter_.Draw();
}

bool Editor::TextEditOpen() const { return editActive_ && editType_ == tvCellText && text_.Created(); }

void Editor::ToggleCheckCell()
{
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    const core::CellData& cell = table_.Cell(row, col);
    const bool threeState = (cell.Flags & core::CellData::kTypeFlagsMask & kCheckBox3State) != 0;
    const int32_t state = core::CheckStateOf(cell.Value, threeState);
    GridVariant value;
    if (threeState)
        value = GridVariant(static_cast<int32_t>((state + 1) % 3));
    else if (cell.Value.VarType() == VtBoolean)
        value = GridVariant(!cell.Value.AsBool());
    else
        value = GridVariant(static_cast<int32_t>(1 - state));
    EEditResults result = tvEditResCommit;
    const core::ShapeWatch watch(table_);
    table_.Events().BeforeCommitEdit(row, col, result, std::string(), value, 0);
    // A handler that cancelled the edit has reported it already.
    const bool cancelled = !editActive_;
    editActive_ = false;
    // A handler that moved rows or columns left (row, col) naming another cell or none.
    if (watch.Changed() || cancelled)
        return;
    if (result == tvEditResCancel) {
        table_.Events().CancelEdit(row, col);
    } else if (result == tvEditResCommit) {
        table_.SetCellValue({ row, col }, value);
        table_.Events().AfterCommitEdit(row, col);
    }
}

void Editor::HookGridWindow()
{
    const native::HWND grid = layout_.Window();
    if (grid == hookedGrid_)
        return;
    native::Subclass(grid, native::SubclassKind::Tavix, this);
    hookedGrid_ = grid;
}

void Editor::SubclassProc(native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam,
    native::LPARAM lParam, native::LRESULT& result)
{
    result = core::AtMessageBoundary(table_.GetHost(), [&] {
        native::LRESULT delivered = 0;
        Deliver(previous, hwnd, msg, wParam, lParam, delivered);
        return delivered;
    });
}

void Editor::Deliver(native::WNDPROC previous, native::HWND hwnd, native::UINT msg, native::WPARAM wParam,
    native::LPARAM lParam, native::LRESULT& result)
{
    bool handled = false;
    if (hwnd == hookedGrid_)
        GridWindowMessage(msg, wParam, lParam, handled, result);
    else if (text_.Owns(hwnd))
        handled = EditBoxMessage(msg, wParam, lParam);
    if (handled)
        return;
    result = native::CallWindowProc(previous, hwnd, msg, wParam, lParam);
    if (msg == native::WM_KILLFOCUS && text_.Owns(hwnd))
        EditBoxLostFocus(static_cast<native::HWND>(wParam));
}

}  // namespace tavix::edit
