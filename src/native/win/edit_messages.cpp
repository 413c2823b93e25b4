#include "native/win/edit_messages.h"
#include "native/win/edit_control.h"
#include <limits>

namespace tavix::native {

namespace {

// EM_LIMITTEXT(0) lifts the limit, to the largest values the platform uses.
constexpr UINT kNoLimitSingle = 0x7FFFFFFE, kNoLimitMulti = 0xFFFFFFFF;

LRESULT GetSel(const EditControl& e, WPARAM wParam, LPARAM lParam)
{
    auto start = static_cast<DWORD>(e.SelStart()), end = static_cast<DWORD>(e.SelEnd());
    if (wParam)
        *reinterpret_cast<DWORD*>(wParam) = start;
    if (lParam)
        *reinterpret_cast<DWORD*>(lParam) = end;
    return static_cast<LRESULT>(
        MAKELPARAM(static_cast<int>(std::min<DWORD>(start, 0xFFFF)), static_cast<int>(std::min<DWORD>(end, 0xFFFF))));
}

// wParam -1 drops the selection; an end of -1 (or past the text) means the end.
void SetSel(EditControl& e, WPARAM wParam, LPARAM lParam)
{
    auto start = static_cast<intptr_t>(wParam), end = static_cast<intptr_t>(lParam);
    const size_t length = e.Text().Length();
    if (start < 0)
        return e.SetSelection(e.CaretPos(), e.CaretPos());
    auto clamp = [&](intptr_t v) { return v < 0 ? length : std::min<size_t>(static_cast<size_t>(v), length); };
    e.SetSelection(clamp(start), clamp(end));
}

// Lines here are the rows on screen, as word wrap makes them.
size_t RowIndex(const EditControl& e, WPARAM wParam)
{
    auto row = static_cast<intptr_t>(wParam);
    return row < 0 ? e.View().RowOf(e.Text(), e.CaretPos()) : static_cast<size_t>(row);
}

LRESULT RowStart(const EditControl& e, WPARAM wParam)
{
    size_t row = RowIndex(e, wParam);
    if (row >= e.View().RowCount())
        return -1;
    auto r = e.View().RowAt(e.Text(), row);
    return static_cast<LRESULT>(e.Text().LineStart(r.line) + r.from);
}

LRESULT RowLength(const EditControl& e, WPARAM wParam)
{
    auto pos = static_cast<intptr_t>(wParam);
    size_t at = pos < 0 ? e.CaretPos() : e.Text().Snap(static_cast<size_t>(pos));
    auto r = e.View().RowAt(e.Text(), e.View().RowOf(e.Text(), at));
    return static_cast<LRESULT>(r.to - r.from);
}

LRESULT PosFromChar(const EditControl& e, WPARAM wParam)
{
    if (wParam > e.Text().Length())
        return -1;
    Point p = e.View().PointOf(e.Text(), static_cast<size_t>(wParam));
    return MAKELPARAM(p.x, p.y);
}

// The character in the low word, its row in the high word.
LRESULT CharFromPos(const EditControl& e, LPARAM lParam)
{
    size_t pos = e.View().PosAt(e.Text(), Point { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
    size_t row = e.View().RowOf(e.Text(), pos);
    return MAKELPARAM(static_cast<int>(std::min<size_t>(pos, 0xFFFF)), static_cast<int>(std::min<size_t>(row, 0xFFFF)));
}

}  // namespace

LRESULT EditMessage(EditControl& e, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const EditView& view = e.View();
    switch (msg) {
    case EM_GETSEL: return GetSel(e, wParam, lParam);
    case EM_SETSEL: SetSel(e, wParam, lParam); return 0;
    case EM_REPLACESEL: e.ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : "", wParam != 0); return 0;
    case EM_GETRECT:
        if (lParam) {
            const Rect& f = view.FormatRect();
            *reinterpret_cast<RECT*>(lParam) = RECT { f.left, f.top, f.right, f.bottom };
        }
        return 0;
    case EM_LINESCROLL:
        e.ScrollBy(static_cast<int32_t>(lParam),
            static_cast<int32_t>(static_cast<intptr_t>(wParam)) * e.Glyphs().Metrics().tmAveCharWidth);
        return 1;
    case EM_SCROLLCARET: e.MoveCaret(e.CaretPos(), true); return 1;
    case EM_GETMODIFY: return e.Modified();
    case EM_SETMODIFY: e.SetModified(wParam != 0); return 0;
    case EM_GETLINECOUNT: return static_cast<LRESULT>(view.RowCount());
    case EM_LINEINDEX: return RowStart(e, wParam);
    case EM_LINELENGTH: return RowLength(e, wParam);
    case EM_LINEFROMCHAR:
        return static_cast<LRESULT>(view.RowOf(
            e.Text(), static_cast<intptr_t>(wParam) < 0 ? e.SelStart() : e.Text().Snap(static_cast<size_t>(wParam))));
    case EM_LIMITTEXT:
        e.SetLimit(wParam       ? static_cast<UINT>(std::min<WPARAM>(wParam, std::numeric_limits<UINT>::max()))
                : e.Multiline() ? kNoLimitMulti
                                : kNoLimitSingle);
        return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(e.Limit());
    case EM_CANUNDO: return e.CanUndo();
    case EM_UNDO: return e.Undo();
    case EM_EMPTYUNDOBUFFER: e.EmptyUndo(); return 0;
    case EM_GETFIRSTVISIBLELINE: return static_cast<LRESULT>(view.FirstRow());
    case EM_SETREADONLY: e.SetReadOnly(wParam != 0); return 1;
    case EM_SETMARGINS: e.SetMargins(wParam, lParam); return 0;
    case EM_GETMARGINS: return e.Margins();
    case EM_POSFROMCHAR: return PosFromChar(e, wParam);
    case EM_CHARFROMPOS: return CharFromPos(e, lParam);
    default: return DefWindowProc(e.Hwnd(), msg, wParam, lParam);
    }
}

}  // namespace tavix::native
