#include "native/win/edit_control.h"
#include "native/win/edit_input.h"
#include "native/win/edit_keys.h"
#include "native/win/edit_messages.h"
#include "native/win/edit_mouse.h"
#include "native/win/edit_painter.h"
#include "native/win/utf8.h"
#include <tavix/native/clipboard.h>
#include <tavix/native/window_paint.h>

namespace tavix::native {

namespace {

// Style bits the layout depends on; a change to any of them lays out again.
constexpr DWORD kLayoutStyles = ES_CENTER | ES_RIGHT | ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL;

// EC_USEFONTINFO: half an average character keeps the caret off the border.
int32_t FontMargin(const EditGlyphs& glyphs) { return (glyphs.Metrics().tmAveCharWidth + 1) / 2; }

}  // namespace

EditControl::EditControl(HWND hwnd)
    : hwnd_(hwnd)
    , caret_(hwnd)
{
}

LRESULT EditControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_CREATE
        && ((Style() & kLayoutStyles) != layoutStyle_
            || (GetWindowLong(hwnd_, GWL_EXSTYLE) & WS_EX_RIGHT) != layoutExStyle_))
        Relayout();
    switch (msg) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: caret_.Stop(); return 0;
    case WM_SIZE: Relayout(); return 0;
    case WM_SETFONT: OnSetFont(static_cast<HFONT>(wParam), LOWORD(static_cast<uintptr_t>(lParam)) != 0); return 0;
    case WM_GETFONT: return font_;
    case WM_SETTEXT: SetText(lParam ? reinterpret_cast<const char*>(lParam) : ""); return 1;
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(text_.Bytes());
    case WM_GETTEXT: return static_cast<LRESULT>(CopyText(text_.Text(), wParam, lParam));
    case WM_ERASEBKGND: return 1;  // the painter fills the background with the parent's brush
    case WM_PAINT: PaintEdit(*this); return 0;
    case WM_SETFOCUS: OnFocus(true); return 0;
    case WM_KILLFOCUS: OnFocus(false); return 0;
    case WM_ENABLE: InvalidateRect(hwnd_, nullptr, true); return 0;
    case WM_TIMER:
        if (wParam != EditCaret::kTimerId)
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        if (caret_.Tick())
            InvalidateCaret();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(static_cast<uintptr_t>(lParam)) != HTCLIENT)
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        SetCursor(IDC_IBEAM);
        return 1;
    case WM_KEYDOWN:
        if (!EditKeyDown(*this, static_cast<int>(wParam)))
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        return 0;
    case WM_CHAR: EditChar(*this, static_cast<char32_t>(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP: EditMouse(*this, msg, wParam, lParam); return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL:
        if (!Multiline())
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_CUT: Cut(); return 0;
    case WM_COPY: Copy(); return 0;
    case WM_PASTE: Paste(); return 0;
    case WM_CLEAR: EraseSelection(false); return 0;
    case WM_UNDO: return Undo();
    default:
        if (msg >= EM_GETSEL && msg <= EM_CHARFROMPOS)
            return EditMessage(*this, msg, wParam, lParam);
        return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

void EditControl::OnCreate()
{
    text_ = EditBuffer(Style() & ES_MULTILINE);
    leftMargin_ = rightMargin_ = FontMargin(glyphs_);
    Relayout();
    // The window name is the initial text, which is no change to report.
    auto* s = CurrentState();
    if (auto* w = s ? s->Find(hwnd_) : nullptr; w && !w->title.empty())
        SetText(std::string(w->title), false);
}

void EditControl::OnSetFont(HFONT font, bool redraw)
{
    font_ = font;
    glyphs_ = EditGlyphs(font);
    text_.Remeasure(glyphs_);
    // A new font brings the margins that suit it, as EC_USEFONTINFO asks.
    leftMargin_ = rightMargin_ = FontMargin(glyphs_);
    Relayout();
    if (!redraw)
        ValidateRect(hwnd_, nullptr);
}

void EditControl::Relayout()
{
    const DWORD style = Style();
    const DWORD ex = static_cast<DWORD>(GetWindowLong(hwnd_, GWL_EXSTYLE));
    layoutStyle_ = style & kLayoutStyles;
    layoutExStyle_ = ex & WS_EX_RIGHT;
    RECT c;
    GetClientRect(hwnd_, &c);
    view_.SetFormatRect(
        Rect { c.left + leftMargin_, c.top, std::max(c.left + leftMargin_, c.right - rightMargin_), c.bottom });
    // A horizontal scroll bar or ES_AUTOHSCROLL turns word wrap off.
    view_.SetWrap(Multiline() && !(style & (ES_AUTOHSCROLL | WS_HSCROLL)));
    bool right = (style & ES_RIGHT) || (ex & WS_EX_RIGHT);
    view_.SetAlign(right          ? EditView::Align::Right
            : (style & ES_CENTER) ? EditView::Align::Center
                                  : EditView::Align::Left);
    view_.SetRowHeight(glyphs_.LineHeight());
    view_.Rebuild(text_);
    view_.EnsureVisible(text_, caretPos_);
    SyncScrollBars();
    InvalidateRect(hwnd_, nullptr, true);
}

void EditControl::SyncScrollBars()
{
    const DWORD style = Style();
    if (style & WS_VSCROLL) {
        SCROLLINFO si { .fMask = SIF_RANGE | SIF_PAGE | SIF_POS,
            .nMin = 0,
            .nMax = static_cast<int>(view_.RowCount()) - 1,
            .nPage = static_cast<UINT>(view_.VisibleRows()),
            .nPos = static_cast<int>(view_.FirstRow()) };
        SetScrollInfo(hwnd_, SB_VERT, &si);
    }
    if (style & WS_HSCROLL) {
        SCROLLINFO si { .fMask = SIF_RANGE | SIF_PAGE | SIF_POS,
            .nMin = 0,
            .nMax = view_.ContentWidth(text_),
            .nPage = static_cast<UINT>(std::max(0, view_.FormatRect().Width())),
            .nPos = view_.ScrollX() };
        SetScrollInfo(hwnd_, SB_HORZ, &si);
    }
}

void EditControl::InvalidateCaret()
{
    Point p = view_.PointOf(text_, caretPos_);
    RECT r { p.x - 1, p.y, p.x + 2, p.y + view_.RowHeight() };
    InvalidateRect(hwnd_, &r, false);
}

void EditControl::OnFocus(bool gained)
{
    if (gained)
        caret_.Start();
    else
        caret_.Stop();
    // The selection shows only with the focus (unless ES_NOHIDESEL).
    InvalidateRect(hwnd_, nullptr, false);
    NotifyParent(hwnd_, gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

void EditControl::SetSelection(size_t anchor, size_t caret)
{
    anchor_ = text_.Snap(anchor);
    caretPos_ = text_.Snap(caret);
    goalX_ = -1;
    view_.EnsureVisible(text_, caretPos_);
    caret_.Restart();
    SyncScrollBars();
    InvalidateRect(hwnd_, nullptr, false);
}

void EditControl::MoveCaret(size_t pos, bool extend)
{
    int32_t goal = goalX_;
    SetSelection(extend ? anchor_ : pos, pos);
    goalX_ = goal;
}

void EditControl::ApplyChange(size_t from, size_t to, std::string_view utf8)
{
    view_.Update(text_, text_.Replace(from, to, utf8, glyphs_));
}

// Text that does not fit is refused when the control may not scroll to it.
bool EditControl::Fits() const
{
    const DWORD style = Style();
    if (!Multiline())
        return (style & (ES_AUTOHSCROLL | WS_HSCROLL)) || text_.Line(0).Width() < view_.FormatRect().Width();
    return (style & (ES_AUTOVSCROLL | WS_VSCROLL)) || view_.RowCount() <= view_.VisibleRows();
}

bool EditControl::Input(std::string_view utf8, bool typing) { return !ReadOnly() && Insert(utf8, typing); }

bool EditControl::Insert(std::string_view utf8, bool typing)
{
    const size_t from = SelStart(), to = SelEnd();
    std::string text = PrepareInput(utf8, Style(), Multiline());
    const size_t kept = text_.Length() - (to - from);
    const size_t room = limit_ > kept ? limit_ - kept : 0;
    size_t count = utf8::Count(text);
    if (count > room) {
        text.resize(utf8::ByteOffset(text, room));
        count = room;
        NotifyParent(hwnd_, EN_MAXTEXT);
    }
    if (text.empty() && from == to)
        return false;
    std::string removed = text_.Text(from, to);
    ApplyChange(from, to, text);
    if (!Fits()) {
        ApplyChange(from, from + count, removed);
        NotifyParent(hwnd_, EN_MAXTEXT);
        return false;
    }
    undo_.Record(EditChange { from, std::move(removed), std::move(text) }, typing);
    SetSelection(from + count, from + count);
    Changed(true);
    return true;
}

bool EditControl::EraseSelection(bool typing)
{
    const size_t from = SelStart(), to = SelEnd();
    if (ReadOnly() || from == to)
        return false;
    std::string removed = text_.Text(from, to);
    ApplyChange(from, to, {});
    undo_.Record(EditChange { from, std::move(removed), {} }, typing);
    SetSelection(from, from);
    Changed(true);
    return true;
}

void EditControl::ReplaceSelection(std::string_view utf8, bool canUndo)
{
    Insert(utf8, false);
    if (!canUndo)
        undo_.Clear();
}

void EditControl::SetText(std::string_view utf8, bool notify)
{
    // A single line keeps line breaks as characters here.
    std::string text = PrepareInput(utf8, Style(), true);
    bool same = text == text_.Text();
    text_ = EditBuffer(Multiline());
    ApplyChange(0, 0, text);
    view_.Rebuild(text_);
    view_.ScrollTo(text_, 0, 0);
    undo_.Clear();
    SetSelection(0, 0);
    Changed(notify && !same);
    modified_ = false;
}

void EditControl::Changed(bool notify)
{
    if (notify)
        modified_ = true;
    SyncScrollBars();
    InvalidateRect(hwnd_, nullptr, false);
    if (notify) {
        NotifyParent(hwnd_, EN_UPDATE);
        NotifyParent(hwnd_, EN_CHANGE);
    }
}

bool EditControl::Undo()
{
    auto inverse = undo_.Inverse();
    if (!inverse || ReadOnly())
        return false;
    ApplyChange(inverse->at, inverse->at + utf8::Count(inverse->removed), inverse->inserted);
    size_t end = inverse->at + utf8::Count(inverse->inserted);
    size_t at = inverse->at;
    undo_.Record(std::move(*inverse), false);
    SetSelection(at, end);
    Changed(true);
    return true;
}

void EditControl::Copy() const
{
    if (SelStart() != SelEnd())
        SetClipboardText(SelectedText());
}

void EditControl::Cut()
{
    if (ReadOnly())
        return;
    Copy();
    EraseSelection(false);
}

void EditControl::Paste()
{
    if (auto text = GetClipboardText())
        Input(*text, false);
}

void EditControl::OfferPrimary() const
{
    if (SelStart() != SelEnd())
        SetClipboardText(SelectedText(), ClipboardSelection::Primary);
}

void EditControl::SetReadOnly(bool readOnly)
{
    DWORD style = Style();
    SetWindowLong(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(readOnly ? style | ES_READONLY : style & ~ES_READONLY));
    InvalidateRect(hwnd_, nullptr, true);
}

void EditControl::SetMargins(WPARAM which, LPARAM widths)
{
    auto width = [&](uint16_t w) { return w == EC_USEFONTINFO ? FontMargin(glyphs_) : static_cast<int32_t>(w); };
    if (which & EC_LEFTMARGIN)
        leftMargin_ = width(LOWORD(static_cast<uintptr_t>(widths)));
    if (which & EC_RIGHTMARGIN)
        rightMargin_ = width(HIWORD(static_cast<uintptr_t>(widths)));
    Relayout();
}

void EditControl::ScrollTo(size_t firstRow, int32_t scrollX)
{
    if (!view_.ScrollTo(text_, firstRow, scrollX))
        return;
    SyncScrollBars();
    InvalidateRect(hwnd_, nullptr, false);
}

void EditControl::ScrollBy(int64_t rows, int32_t dx)
{
    auto first = std::max<int64_t>(0, static_cast<int64_t>(view_.FirstRow()) + rows);
    ScrollTo(static_cast<size_t>(first), view_.ScrollX() + dx);
}

void EditControl::OnScroll(int bar, int code)
{
    SCROLLINFO si { .fMask = SIF_ALL };
    GetScrollInfo(hwnd_, bar, &si);
    const bool vert = bar == SB_VERT;
    const int64_t line = vert ? 1 : glyphs_.Metrics().tmAveCharWidth;
    const int64_t page = vert ? static_cast<int64_t>(view_.VisibleRows()) : view_.FormatRect().Width();
    const int64_t now = vert ? static_cast<int64_t>(view_.FirstRow()) : view_.ScrollX();
    int64_t to = now;
    switch (code) {
    case SB_LINEUP: to = now - line; break;
    case SB_LINEDOWN: to = now + line; break;
    case SB_PAGEUP: to = now - page; break;
    case SB_PAGEDOWN: to = now + page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: to = si.nTrackPos; break;
    case SB_TOP: to = 0; break;
    case SB_BOTTOM: to = vert ? static_cast<int64_t>(view_.RowCount()) : view_.ContentWidth(text_); break;
    default: return;
    }
    to = std::max<int64_t>(0, to);
    if (vert)
        ScrollTo(static_cast<size_t>(to), view_.ScrollX());
    else
        ScrollTo(view_.FirstRow(), static_cast<int32_t>(to));
    NotifyParent(hwnd_, vert ? EN_VSCROLL : EN_HSCROLL);
}

void EditControl::OnWheel(int delta)
{
    UINT lines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines);
    ScrollBy(-static_cast<int64_t>(delta) * lines / WHEEL_DELTA, 0);
}

}  // namespace tavix::native
