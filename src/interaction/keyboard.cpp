#include "interaction/keyboard.h"

#include "interaction/incremental_search.h"
#include "interaction/selection.h"
#include "layout/view_layout.h"
#include "scroll/scroll_bars.h"

#include <tavix/enums.h>
#include <tavix/events.h>

#include <algorithm>
#include <string>

namespace tavix::interaction {

namespace {

enum Key : int32_t {
    kEnter = 13,
    kEsc = 27,
    kSpace = 32,
    kPageUp = 33,
    kPageDown = 34,
    kEnd = 35,
    kHome = 36,
    kLeft = 37,
    kUp = 38,
    kRight = 39,
    kDown = 40,
    kF2 = 0x71,
};

constexpr int32_t kShift = 1;
constexpr int32_t kCtrl = 2;
constexpr int kHorizontal = 0;
constexpr int kVertical = 1;

}  // namespace

void Keyboard::OnKeyDown(int32_t vk, int32_t shift)
{
    if (!painter_.Look().enabled) {
        DisabledKeyDown(vk);
        return;
    }
    const auto hasCells = [this] { return table_.RowCount() > 0 && table_.ColCount() > 0; };
    auto keyCode = static_cast<int16_t>(vk);
    auto mask = static_cast<int16_t>(shift);
    bool doDefault = hasCells();
    if (TavixEvents* sink = table_.GetHost().EventSink())
        sink->KeyDown(keyCode, mask, doDefault);
    if (!doDefault || !hasCells())
        return;
    switch (keyCode) {
    case kLeft: ArrowHorizontal(-1, mask); break;
    case kRight: ArrowHorizontal(1, mask); break;
    case kUp: ArrowVertical(-1, mask); break;
    case kDown: ArrowVertical(1, mask); break;
    case kHome: HomeEnd(false, mask); break;
    case kEnd: HomeEnd(true, mask); break;
    case kPageUp: Page(false, mask); break;
    case kPageDown: Page(true, mask); break;
    case kSpace: CtrlSpace(mask); break;
    case kEnter: Enter(); break;
    case kEsc: search_.Clear(); break;
    case kF2: RequestEdit(0); break;
    default: break;
    }
}

void Keyboard::OnChar(int32_t charCode)
{
    auto keyAscii = static_cast<int16_t>(charCode);
    const int16_t typed = keyAscii;
    if (TavixEvents* sink = table_.GetHost().EventSink())
        sink->KeyPress(keyAscii);
    // The host sees 16 bits (negative from U+8000 on); what it left unchanged goes on whole,
    // so that Hangul, the upper CJK range and emoji start an edit or a search as typed.
    const int32_t code = keyAscii == typed ? charCode : static_cast<uint16_t>(keyAscii);
    // Only the character right after Ctrl+Space is swallowed, even when the host dropped it.
    const bool swallow = code == kSpace && swallowSpace_;
    swallowSpace_ = false;
    if (code > 0 && !swallow)
        RequestEdit(code);
}

void Keyboard::OnKeyUp(int32_t vk, int32_t shift)
{
    auto keyCode = static_cast<int16_t>(vk);
    auto mask = static_cast<int16_t>(shift);
    if (TavixEvents* sink = table_.GetHost().EventSink())
        sink->KeyUp(keyCode, mask);
}

void Keyboard::OnFocusChanged(bool gained)
{
    if (gained) {
        if (hasFocus_)
            return;
        hasFocus_ = true;
        // Nothing to recolour before the first paint.
        if (!table_.Ready())
            return;
    } else {
        hasFocus_ = false;
    }
    // The marks cover the range in view, so bring it up to date first.
    layout_.ComputeVisibleRange();
    painter_.MarkAllVisibleCellsChanged();
    painter_.Draw();
}

void Keyboard::RequestEdit(int32_t code)
{
    if (!painter_.Look().enabled)
        return;
    const EKeyPressBehaviour behaviour = keyPressBehaviour_;
    if (behaviour == tvKeyPressEditAppend || behaviour == tvKeyPressEditReplace || code == 0 || code == kEnter) {
        if (editor_ != nullptr)
            editor_->RequestEdit(code);
    } else if (behaviour == tvKeyPressSearchCurCol || behaviour == tvKeyPressSearchDefCol) {
        search_.OnChar(code, behaviour);
    }
}

void Keyboard::ArrowHorizontal(int32_t step, int32_t shift)
{
    search_.Clear();
    if (table_.RowMode()) {
        if (auto* bars = layout_.Bars())
            ScrollBarBy(kHorizontal, step * bars->SmallChange(kHorizontal));
        return;
    }
    const CellPos to = Navigation(table_, layout_).NextCell(step, 0);
    SelectAndMove(to, to.col, shift, true);
}

void Keyboard::ArrowVertical(int32_t step, int32_t shift)
{
    search_.Clear();
    const int32_t colForRange = table_.CurCol();
    SelectAndMove(Navigation(table_, layout_).NextCell(0, step), colForRange, shift, true);
}

void Keyboard::HomeEnd(bool end, int32_t shift)
{
    search_.Clear();
    const Navigation nav(table_, layout_);
    const int32_t row = end ? nav.LastNavRow() : nav.FirstNavRow();
    const int32_t col = table_.CurRow() == 0 || table_.CurCol() == 0 ? nav.FirstNavCol() : table_.CurCol();
    SelectAndMove({ row, col }, col, shift, false);
}

void Keyboard::Page(bool down, int32_t shift)
{
    search_.Clear();
    Navigation nav(table_, layout_);
    const bool noCurrent = table_.CurRow() == 0 || table_.CurCol() == 0;
    const int32_t start = noCurrent ? nav.FirstNavRow() : table_.CurRow();
    const int32_t col = noCurrent ? nav.FirstNavCol() : table_.CurCol();
    if (start == 0)
        return;
    const int32_t row = down ? nav.PageDownTarget(start) : nav.PageUpTarget(start);
    SelectAndMove({ row, col }, col, shift, false);
}

void Keyboard::CtrlSpace(int32_t shift)
{
    if ((shift & kCtrl) == 0 || !table_.MultiSelect())
        return;
    selection_.ToggleCurrent();
    painter_.Draw();
    swallowSpace_ = true;
}

void Keyboard::Enter()
{
    if (!search_.Active())
        return;
    search_.Clear();
    if (table_.HasCurrentCell())
        table_.MarkCellChanged(table_.CurRow(), table_.CurCol());
    painter_.Draw();
}

void Keyboard::SelectAndMove(CellPos to, int32_t colForRange, int32_t shift, bool arrowKey)
{
    Selection& selection = selection_;
    const core::ShapeWatch watch(table_);
    if (!table_.MultiSelect()) {
        selection.MoveSingleSelection(to.row, to.col);
        selection.SetSelAnchor(to.row, to.col, true);
    } else if ((shift & kShift) != 0) {
        selection.ExtendSelection(to.row, colForRange, shift);
    } else if ((shift & kCtrl) != 0) {
        if (table_.HasCell(to.row, to.col))
            table_.MarkCellChanged(to.row, to.col);
        selection.SetSelAnchor(to.row, to.col, true);
        selection.SetSingleRowSelected(false);
    } else if (!arrowKey || shift == 0) {
        selection.SelectAlone(to.row, to.col);
        selection.SetSelAnchor(to.row, to.col, true);
    } else {
        // The current row moves away from the selection, which may be a row no longer current.
        selection.SetSingleRowSelected(false);
    }
    selection.MoveTail(to.row, to.col, watch);
}

void Keyboard::ScrollBarBy(int bar, int32_t delta)
{
    auto* bars = layout_.Bars();
    if (bars == nullptr || !bars->Visible(bar))
        return;
    const int32_t target = std::clamp(bars->Position(bar) + delta, bars->Minimum(bar), bars->Maximum(bar));
    bars->SetPosition(bar, target);
}

void Keyboard::DisabledKeyDown(int32_t vk)
{
    auto* bars = layout_.Bars();
    if (bars == nullptr)
        return;
    switch (vk) {
    case kUp: ScrollBarBy(kVertical, -bars->SmallChange(kVertical)); break;
    case kDown: ScrollBarBy(kVertical, bars->SmallChange(kVertical)); break;
    case kPageUp: ScrollBarBy(kVertical, -bars->Page(kVertical)); break;
    case kPageDown: ScrollBarBy(kVertical, bars->Page(kVertical)); break;
    case kLeft: ScrollBarBy(kHorizontal, -bars->SmallChange(kHorizontal)); break;
    case kRight: ScrollBarBy(kHorizontal, bars->SmallChange(kHorizontal)); break;
    default: break;
    }
}

}  // namespace tavix::interaction
