#pragma once
// The state and the operations of one "EDIT" window. Keys, mouse, EM_*
// messages and painting are handled in their own files on top of these
// operations.
#include "native/win/edit_buffer.h"
#include "native/win/edit_caret.h"
#include "native/win/edit_undo.h"
#include "native/win/edit_view.h"
#include "native/win/window_control.h"
#include <tavix/native/edit.h>

namespace tavix::native {

class EditControl final : public WindowControl {
public:
    explicit EditControl(HWND hwnd);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND Hwnd() const { return hwnd_; }
    // Read live: the number and case styles may be switched at any time.
    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }
    bool Multiline() const { return text_.Multiline(); }
    bool ReadOnly() const { return Style() & ES_READONLY; }
    const EditBuffer& Text() const { return text_; }
    const EditView& View() const { return view_; }
    EditGlyphs& Glyphs() { return glyphs_; }
    const EditCaret& Caret() const { return caret_; }
    size_t CaretPos() const { return caretPos_; }
    size_t Anchor() const { return anchor_; }
    size_t SelStart() const { return std::min(anchor_, caretPos_); }
    size_t SelEnd() const { return std::max(anchor_, caretPos_); }
    std::string SelectedText() const { return text_.Text(SelStart(), SelEnd()); }
    UINT Limit() const { return limit_; }
    bool Modified() const { return modified_; }
    bool CanUndo() const { return undo_.CanUndo(); }

    // Selection and caret; both scroll the caret into view.
    void SetSelection(size_t anchor, size_t caret);
    void MoveCaret(size_t pos, bool extend);
    // Where Up and Down aim, kept across a run of vertical moves.
    int32_t GoalX() const { return goalX_; }
    void KeepGoalX(int32_t x) { goalX_ = x; }

    // Editing as a person does: refused when read-only, case styles applied,
    // cut to the limit (EN_MAXTEXT). Returns whether the text changed.
    bool Input(std::string_view utf8, bool typing);
    bool EraseSelection(bool typing);
    // EM_REPLACESEL: the limit and case styles apply, read-only does not.
    void ReplaceSelection(std::string_view utf8, bool canUndo);
    // WM_SETTEXT: no limit, undo emptied, EN_CHANGE only when it changed.
    void SetText(std::string_view utf8, bool notify = true);
    void SetLimit(UINT limit) { limit_ = limit; }
    void SetModified(bool modified) { modified_ = modified; }
    void EmptyUndo() { undo_.Clear(); }
    void SetReadOnly(bool readOnly);
    void SetMargins(WPARAM which, LPARAM widths);
    LRESULT Margins() const { return MAKELPARAM(leftMargin_, rightMargin_); }

    bool Undo();
    void Copy() const;
    void Cut();
    void Paste();
    void SelectAll() { SetSelection(0, text_.Length()); }
    // Offers the selection as the X primary selection.
    void OfferPrimary() const;

    // Scrolling from scroll bars, the wheel and EM_LINESCROLL.
    void ScrollBy(int64_t rows, int32_t dx);
    void ScrollTo(size_t firstRow, int32_t scrollX);

private:
    void OnCreate();
    void OnSetFont(HFONT font, bool redraw);
    void OnScroll(int bar, int code);
    void OnFocus(bool gained);
    void OnWheel(int delta);
    void Relayout();
    void SyncScrollBars();
    void Changed(bool notify);
    void ApplyChange(size_t from, size_t to, std::string_view utf8);
    bool Insert(std::string_view utf8, bool typing);
    bool Fits() const;
    void InvalidateCaret();

    HWND hwnd_;
    EditBuffer text_ { false };
    EditGlyphs glyphs_ { 0 };
    HFONT font_ { 0 };  // as set by WM_SETFONT: 0 for the stock font
    EditView view_;
    EditCaret caret_;
    EditUndo undo_;
    size_t anchor_ { 0 };
    size_t caretPos_ { 0 };
    int32_t goalX_ { -1 };
    UINT limit_ { kEditDefaultLimit };
    bool modified_ { false };
    int32_t leftMargin_ { 0 };
    int32_t rightMargin_ { 0 };
    DWORD layoutStyle_ { 0 };  // the style bits the layout was made for
    DWORD layoutExStyle_ { 0 };
};

}  // namespace tavix::native
