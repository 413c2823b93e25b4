// The text editor path of an edit: opening the editor over a text cell, its
// notifications, and committing or cancelling what was typed.
#include "edit/editor.h"

#include "core/shift_state.h"

#include <tavix/error.h>
#include <tavix/events.h>
#include <tavix/native/edit.h>
#include <tavix/native/window.h>

#include <algorithm>
#include <string>

namespace tavix::edit {

namespace {

using namespace native;

constexpr int16_t kEnter = 13;
constexpr int16_t kEsc = 27;
constexpr int32_t kWordBreak = tvTextWordBreak;
constexpr int32_t kVScrollBar = tvTextBoxVScrollBar;
constexpr int32_t kHScrollBar = tvTextBoxHScrollBar;
constexpr uint8_t kNoHatch = tvHatchNone;
constexpr const char* kValidationTitle = "Input validation";
// A position past any text: the box clamps it to the end.
constexpr int32_t kTextEnd = 0x7FFFFFFF;

// Which of the five editors: word-wrapped cells get a multi-line one, with the
// scroll bars their type flags ask for.
int32_t EditorIndexFor(const core::CellData& cell, const core::CellLook& look)
{
    if ((look.TextFlags & kWordBreak) == 0)
        return 0;
    const int32_t typeFlags = cell.Flags & core::CellData::kTypeFlagsMask;
    const bool v = (typeFlags & kVScrollBar) != 0;
    const bool h = (typeFlags & kHScrollBar) != 0;
    return v && h ? 4 : h ? 3 : v ? 2 : 1;
}

// The first `count` code points.
std::string FirstChars(const std::string& text, int32_t count)
{
    size_t i = 0;
    for (int32_t n = 0; i < text.size() && n < count; ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return text.substr(0, i);
}

COLORREF Translate(OleColor color)
{
    COLORREF out = 0;
    OleTranslateColor(color, 0, &out);
    return out;
}

struct Converted {
    GridVariant value;
    int32_t error { 0 };
};

// The typed text as a value of the type the cell holds now.
Converted ConvertEditText(const GridVariant& current, const std::string& text)
{
    switch (current.VarType()) {
    case VtEmpty:
    case VtNull: return { text.empty() ? current : GridVariant(text) };
    case VtString: return { GridVariant(text) };
    case VtInteger:
    case VtLong:
    case VtSingle:
    case VtDouble:
    case VtCurrency:
    case VtDate:
    case VtBoolean:
    case VtDecimal:
    case VtByte: try { return { ParseVariantAs(current.VarType(), text) };
        } catch (const TavixError& e) {
            return { GridVariant(), e.Number() };
        }
    default: return { current };
    }
}

int16_t MouseButtons(WPARAM wParam)
{
    return static_cast<int16_t>(((wParam & MK_LBUTTON) != 0 ? 1 : 0) | ((wParam & MK_RBUTTON) != 0 ? 2 : 0)
        | ((wParam & MK_MBUTTON) != 0 ? 4 : 0));
}

bool IsButtonDown(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK
        || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

}  // namespace

void Editor::StartTextEdit(
    int32_t code, const std::string& cellText, const std::string& text, int32_t maxLength, ETextEditFlags options)
{
    const bool typed = code != 0 && code != kEnter;
    const bool digit = code >= '0' && code <= '9';
    if (options == tvTextEditNumberOnly && typed && !digit) {
        editActive_ = false;
        return;
    }
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    const layout::CellRect cellRect = painter_.CellTextRect(row, col);
    // A row taller than the window gets an editor over its visible part only, not a window
    // (and a backing surface) as tall as the row.
    RECT client {};
    GetClientRect(layout_.Window(), &client);
    const native::Rect r { std::max(cellRect.left, client.left), std::max(cellRect.top, client.top),
        std::min(cellRect.left + cellRect.width, client.right),
        std::min(cellRect.top + cellRect.height, client.bottom) };
    if (r.right <= r.left || r.bottom <= r.top || layout_.Window() == 0) {
        editActive_ = false;
        return;
    }
    HookGridWindow();
    if (!text_.Create(layout_.Window(), *this)) {
        editActive_ = false;
        return;
    }
    const core::CellData& cell = table_.Cell(row, col);
    const core::CellLook& look = table_.Look(cell);
    text_.Prepare({ .index = EditorIndexFor(cell, look),
        .rect = r,
        .font = painter_.CellFont(look.FontIndex),
        .maxLength = maxLength,
        .styleBits = static_cast<DWORD>(options),
        .rightToLeft = (look.TextFlags & tvTextRTLReading) != 0,
        .back = EditorBackColor(look),
        .fore = Translate(look.ForeColor != kColorDefault ? look.ForeColor : painter_.Look().foreColor) });
    // The cell's own text first, unreported, so that TextEditChange tells whether the request changed it.
    editChangeArmed_ = false;
    text_.SetText(cellText);
    editChangeArmed_ = true;
    text_.SetText(maxLength >= 1 ? FirstChars(text, maxLength) : text);
    if (typed)
        text_.SetSel(kTextEnd, kTextEnd);
    else
        text_.SetSel(0, -1);
    if (!editActive_)
        return;
    // The cell is drawn unselected under the editor.
    editCellWasSelected_ = (cell.Flags & core::CellData::kSelected) != 0;
    table_.SetSelectedBit(row, col, false);
    table_.MarkCellChanged(row, col);
    painter_.Draw();
    text_.Show();
    text_.Focus();
}

COLORREF Editor::EditorBackColor(const core::CellLook& cell) const
{
    const paint::Appearance& look = painter_.Look();
    OleColor back = look.backColor;
    const bool even = table_.CurRow() % 2 == 0;
    if (cell.Hatch != kNoHatch)
        back = look.backColor;
    else if (cell.BackColor != kColorDefault)
        back = cell.BackColor;
    else if (even && table_.BackColorEvenRows() != kColorDefault)
        back = table_.BackColorEvenRows();
    else if (!even && table_.BackColorOddRows() != kColorDefault)
        back = table_.BackColorOddRows();
    return Translate(back);
}

EEditResults Editor::CommitTextEdit()
{
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    commitInProgress_ = true;
    EEditResults result = tvEditResCommit;
    const std::string newText = text_.Text();
    Converted converted = ConvertEditText(table_.Cell(row, col).Value, newText);
    if (converted.error >= 1 && !silentValidation_) {
        // The editor stays open, and the commit stays in progress, so that
        // losing the focus to the message is no second validation.
        validating_ = true;
        const std::string message = "Invalid value (" + RuntimeErrorText(converted.error) + ").";
        table_.GetHost().MessageBox(message, kValidationTitle, tavix::MB_OK | tavix::MB_ICONERROR);
        validating_ = false;
        if (editActive_)
            text_.Focus();
        return tvEditResProceed;
    }
    // The host may ask the user about the value: the editor losing the focus to that is no cancel.
    validating_ = true;
    const core::ShapeWatch watch(table_);
    table_.Events().BeforeCommitEdit(row, col, result, newText, converted.value, converted.error);
    validating_ = false;
    // A handler that moved rows or columns left (row, col) naming another cell or none;
    // one that ended the edit (CancelEdit, a move of the current cell) reported it cancelled.
    if (watch.Changed() || !editActive_) {
        if (editActive_) {
            editActive_ = false;
            CloseTextEditor();
        }
        commitInProgress_ = false;
        return tvEditResCancel;
    }
    switch (result) {
    case tvEditResCancel:
        editActive_ = false;
        CloseTextEditor();
        break;
    case tvEditResCommit:
        editActive_ = false;
        table_.SetCellValue({ row, col }, converted.value);
        CloseTextEditor();
        table_.Events().AfterCommitEdit(row, col);
        break;
    default: text_.Focus(); break;
    }
    commitInProgress_ = false;
    return result;
}

void Editor::CancelTextEdit()
{
    if (!editActive_)
        return;
    editActive_ = false;
    // A validation message may have left its commit pending: it ends with the edit.
    commitInProgress_ = false;
    CloseTextEditor();
    table_.Events().CancelEdit(table_.CurRow(), table_.CurCol());
}

void Editor::CloseTextEditor()
{
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    if (table_.HasCell(row, col)) {
        table_.SetSelectedBit(row, col, editCellWasSelected_);
        table_.MarkCellChanged(row, col);
    }
    const bool hadFocus = GetFocus() == text_.Hwnd();
    text_.Hide();
    if (hadFocus && layout_.Window() != 0)
        SetFocus(layout_.Window());
    painter_.Draw();
}

bool Editor::EditBoxMessage(UINT msg, WPARAM& wParam, LPARAM lParam)
{
    if (!editActive_ || editType_ != tvCellText)
        return false;
    const int32_t row = table_.CurRow();
    const int32_t col = table_.CurCol();
    TavixEvents& events = table_.Events();
    const auto x = static_cast<float>(GET_X_LPARAM(lParam));
    const auto y = static_cast<float>(GET_Y_LPARAM(lParam));
    switch (msg) {
    case WM_KEYDOWN: events.TextEditKeyDown(row, col, static_cast<int16_t>(wParam), core::ShiftState()); return false;
    case WM_KEYUP: events.TextEditKeyUp(row, col, static_cast<int16_t>(wParam), core::ShiftState()); return false;
    case WM_CHAR: return EditBoxChar(wParam);
    case WM_LBUTTONDBLCLK: events.TextEditDblClick(row, col); return false;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        events.TextEditMouseDown(row, col, MouseButtons(wParam), core::ShiftState(), x, y);
        return false;
    case WM_MOUSEMOVE: events.TextEditMouseMove(row, col, MouseButtons(wParam), core::ShiftState(), x, y); return false;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int16_t released = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
        events.TextEditMouseUp(row, col, released, core::ShiftState(), x, y);
        return false;
    }
    case WM_CONTEXTMENU:
        if (!customContextMenu_)
            return false;
        events.TextEditCustomContextMenu(row, col);
        return true;
    default: return false;
    }
}

bool Editor::EditBoxChar(WPARAM& wParam)
{
    // Characters beyond 16 bits reach the host as they fit, and the box unchanged unless the
    // host changed them: U+1000D is no Enter.
    auto keyAscii = static_cast<int16_t>(wParam);
    const int16_t typed = keyAscii;
    table_.Events().TextEditKeyPress(table_.CurRow(), table_.CurCol(), keyAscii);
    // The handler ended the edit: the key has nothing left to commit or type into.
    if (!editActive_)
        return true;
    const bool changed = keyAscii != typed;
    const auto code = changed ? static_cast<WPARAM>(static_cast<uint16_t>(keyAscii)) : wParam;
    if (code == kEnter) {
        CommitTextEdit();
        return true;
    }
    if (code == kEsc) {
        CancelTextEdit();
        return true;
    }
    if (code == 0)
        return true;
    wParam = code;
    return false;
}

void Editor::EditBoxLostFocus(HWND newFocus)
{
    if (!editActive_ || editType_ != tvCellText || validating_)
        return;
    // Focus moving to the grid is its validity check; anywhere else ends the edit.
    if (newFocus == layout_.Window() && newFocus != 0) {
        if (!commitInProgress_ && CommitTextEdit() == tvEditResProceed)
            text_.Focus();
        return;
    }
    CancelTextEdit();
}

void Editor::GridWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled, LRESULT& result)
{
    if (msg == WM_COMMAND && text_.Owns(static_cast<HWND>(lParam))) {
        handled = true;
        result = 0;
        if (HIWORD(wParam) == EN_CHANGE && editChangeArmed_ && editActive_ && editType_ == tvCellText)
            table_.Events().TextEditChange(table_.CurRow(), table_.CurCol());
    } else if (msg == WM_CTLCOLOREDIT && text_.Owns(static_cast<HWND>(lParam))) {
        handled = true;
        result = text_.CtlColor(static_cast<HDC>(wParam));
    } else if (IsButtonDown(msg) && !CommitBeforePress()) {
        // The editor stays open with a value that did not pass: the press is ignored.
        handled = true;
        result = 0;
    }
}

}  // namespace tavix::edit
