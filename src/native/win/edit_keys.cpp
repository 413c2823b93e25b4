#include "native/win/edit_keys.h"
#include "native/win/edit_control.h"
#include "native/win/utf8.h"

namespace tavix::native {

namespace {

constexpr char32_t kBackspace = 8, kTab = 9, kEnter = 13, kDelete = 127, kFirstPrintable = 32;

bool Down(int vk) { return GetKeyState(vk) < 0; }

size_t PrevChar(const EditBuffer& text, size_t pos)
{
    auto p = text.Locate(pos);
    if (p.column > 0)
        return pos - 1;
    return p.line > 0 ? text.LineEnd(p.line - 1) : 0;
}

size_t NextChar(const EditBuffer& text, size_t pos)
{
    auto p = text.Locate(pos);
    if (p.column < text.Line(p.line).Length())
        return pos + 1;
    return p.line + 1 < text.LineCount() ? text.LineStart(p.line + 1) : pos;
}

void Move(EditControl& e, size_t pos)
{
    const bool extend = Down(VK_SHIFT);
    e.MoveCaret(pos, extend);
    if (extend)
        e.OfferPrimary();
}

// Left and Right first collapse a selection to its near end.
void Sideways(EditControl& e, bool forward)
{
    const EditBuffer& text = e.Text();
    if (!Down(VK_SHIFT) && e.SelStart() != e.SelEnd())
        return Move(e, forward ? e.SelEnd() : e.SelStart());
    size_t pos = e.CaretPos();
    if (Down(VK_CONTROL))
        pos = forward ? text.NextWordStart(pos) : text.PrevWordStart(pos);
    else
        pos = forward ? NextChar(text, pos) : PrevChar(text, pos);
    Move(e, pos);
}

// Up and Down aim at the column where the run of vertical moves started.
void Vertically(EditControl& e, int64_t rows)
{
    const EditView& view = e.View();
    const EditBuffer& text = e.Text();
    Point at = view.PointOf(text, e.CaretPos());
    int32_t goal = e.GoalX() >= 0 ? e.GoalX() : at.x;
    auto row = std::clamp<int64_t>(
        static_cast<int64_t>(view.RowOf(text, e.CaretPos())) + rows, 0, static_cast<int64_t>(view.RowCount()) - 1);
    Move(e, view.PosAt(text, Point { goal, view.RowTop(static_cast<size_t>(row)) }));
    e.KeepGoalX(goal);
}

void RowEdge(EditControl& e, bool end)
{
    const EditBuffer& text = e.Text();
    if (Down(VK_CONTROL))
        return Move(e, end ? text.Length() : 0);
    auto row = e.View().RowAt(text, e.View().RowOf(text, e.CaretPos()));
    size_t column = !end ? row.from : row.last ? row.to : row.to - 1;
    Move(e, text.LineStart(row.line) + column);
}

void Erase(EditControl& e, bool forward)
{
    if (e.SelStart() == e.SelEnd()) {
        size_t pos = e.CaretPos();
        size_t other = forward ? NextChar(e.Text(), pos) : PrevChar(e.Text(), pos);
        if (other == pos)
            return;
        e.MoveCaret(other, true);
    }
    e.EraseSelection(true);
}

bool ControlKey(EditControl& e, int vk)
{
    switch (vk) {
    case 'A': e.SelectAll(); return true;
    case 'C': e.Copy(); return true;
    case 'X': e.Cut(); return true;
    case 'V': e.Paste(); return true;
    case 'Z': e.Undo(); return true;
    default: return false;
    }
}

}  // namespace

bool EditKeyDown(EditControl& e, int vk)
{
    const bool multi = e.Multiline();
    const auto page = static_cast<int64_t>(e.View().VisibleRows());
    if (Down(VK_CONTROL) && ControlKey(e, vk))
        return true;
    switch (vk) {
    case VK_LEFT: Sideways(e, false); return true;
    case VK_RIGHT: Sideways(e, true); return true;
    case VK_UP:
    case VK_DOWN:
        // A single line takes them as Left and Right.
        if (multi)
            Vertically(e, vk == VK_UP ? -1 : 1);
        else
            Sideways(e, vk == VK_DOWN);
        return true;
    case VK_PRIOR:
    case VK_NEXT:
        if (!multi)
            return false;
        Vertically(e, vk == VK_PRIOR ? -page : page);
        return true;
    case VK_HOME: RowEdge(e, false); return true;
    case VK_END: RowEdge(e, true); return true;
    case VK_DELETE:
        if (Down(VK_SHIFT))
            e.Cut();
        else
            Erase(e, true);
        return true;
    case VK_INSERT:
        if (Down(VK_SHIFT))
            e.Paste();
        else if (Down(VK_CONTROL))
            e.Copy();
        return true;
    case VK_APPS:
        // The keyboard's request carries no position.
        SendMessage(e.Hwnd(), WM_CONTEXTMENU, static_cast<WPARAM>(e.Hwnd()), MAKELPARAM(-1, -1));
        return true;
    default: return false;
    }
}

void EditChar(EditControl& e, char32_t ch)
{
    if (ch == kBackspace)
        return Erase(e, false);
    if (ch == kEnter || ch == kTab) {
        if (e.Multiline())
            e.Input(ch == kEnter ? "\r\n" : "\t", true);
        return;
    }
    if (ch < kFirstPrintable || ch == kDelete || (Down(VK_CONTROL) && !Down(VK_MENU)))
        return;
    if ((e.Style() & ES_NUMBER) && (ch < '0' || ch > '9'))
        return;
    std::string text;
    utf8::Append(text, ch);
    e.Input(text, true);
}

}  // namespace tavix::native
