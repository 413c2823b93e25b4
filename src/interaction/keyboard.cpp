#include "keyboard.h"

#include "core/cell_marks.h"
#include "core/cell_text.h"
#include "incremental_search.h"
#include "layout/layout.h"
#include "scroll/scroll_bars.h"
#include "selection.h"

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
};

constexpr int32_t kShift = 1;
constexpr int32_t kCtrl = 2;
constexpr int kHorizontal = 0;
constexpr int kVertical = 1;

}  // namespace

void Keyboard::OnKeyDown(int32_t vk, int32_t shift)
{
    if (!s_.look.enabled) {
        DisabledKeyDown(vk);
        return;
    }
    const auto hasCells = [this] { return s_.rowCount > 0 && s_.ColCount() > 0; };
    auto keyCode = static_cast<int16_t>(vk);
    auto mask = static_cast<int16_t>(shift);
    bool doDefault = hasCells();
    if (TavixEvents* sink = s_.host->EventSink())
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
    case kEsc: IncrementalSearch(s_).Clear(); break;
    default: break;
    }
}

void Keyboard::OnChar(int32_t charCode)
{
    auto keyAscii = static_cast<int16_t>(charCode);
    if (TavixEvents* sink = s_.host->EventSink())
        sink->KeyPress(keyAscii);
    // Only the character right after Ctrl+Space is swallowed, even when the host dropped it.
    const bool swallow = keyAscii == kSpace && s_.selection.swallowSpace;
    s_.selection.swallowSpace = false;
    if (keyAscii > 0 && !swallow)
        RequestEdit(keyAscii);
}

void Keyboard::OnKeyUp(int32_t vk, int32_t shift)
{
    auto keyCode = static_cast<int16_t>(vk);
    auto mask = static_cast<int16_t>(shift);
    if (TavixEvents* sink = s_.host->EventSink())
        sink->KeyUp(keyCode, mask);
}

void Keyboard::OnFocusChanged(bool gained)
{
    auto& sel = s_.selection;
    if (gained) {
        if (sel.hasFocus)
            return;
        sel.hasFocus = true;
        // Nothing to recolour before the first paint.
        if (!s_.geo.ready)
            return;
    } else {
        sel.hasFocus = false;
    }
    // The marks cover the range in view, so bring it up to date first.
    layout::Layout(s_).ComputeVisibleRange();
    core::MarkAllVisibleCellsChanged(s_);
    s_.view->Draw();
}

void Keyboard::RequestEdit(int16_t keyAscii)
{
    if (!s_.look.enabled)
        return;
    const int32_t behaviour = s_.selection.keyPressBehaviour;
    if (behaviour == tvKeyPressEditAppend || behaviour == tvKeyPressEditReplace || keyAscii == 0
        || keyAscii == kEnter) {
        if (s_.selection.startEdit)
            s_.selection.startEdit(keyAscii);
        else
            RaiseEditRequest(keyAscii);
    } else if (behaviour == tvKeyPressSearchCurCol || behaviour == tvKeyPressSearchDefCol) {
        IncrementalSearch(s_).OnChar(keyAscii);
    }
}

void Keyboard::RaiseEditRequest(int16_t keyAscii)
{
    const int32_t row = s_.curRow;
    const int32_t col = s_.curCol;
    if (row == 0 || col == 0 || (keyAscii >= 1 && keyAscii <= 31 && keyAscii != kEnter))
        return;
    std::string text = core::CellTextOf(s_.cells.At(row, col), s_.formats, s_.combos);
    if (keyAscii >= kSpace) {
        const std::string typed = Utf8OfCode(keyAscii);
        if (s_.selection.keyPressBehaviour == tvKeyPressEditAppend)
            text += typed;
        else if (s_.selection.keyPressBehaviour == tvKeyPressEditReplace)
            text = typed;
    }
    bool cancel = false;
    int32_t maxLength = 0;
    auto options = static_cast<ETextEditFlags>(0);
    s_.view->ScrollCellIntoView(row, col);
    if (TavixEvents* sink = s_.host->EventSink())
        sink->RequestEdit(row, col, keyAscii, cancel, text, maxLength, options);
    if (!cancel)
        IncrementalSearch(s_).Clear();
}

void Keyboard::ArrowHorizontal(int32_t step, int32_t shift)
{
    IncrementalSearch(s_).Clear();
    if (s_.selection.rowMode) {
        if (auto* bars = s_.view->Bars())
            ScrollBarBy(kHorizontal, step * bars->SmallChange(kHorizontal));
        return;
    }
    const CellPos to = Navigation(s_).NextCell(step, 0);
    SelectAndMove(to, to.col, shift, true);
}

void Keyboard::ArrowVertical(int32_t step, int32_t shift)
{
    IncrementalSearch(s_).Clear();
    const int32_t colForRange = s_.curCol;
    SelectAndMove(Navigation(s_).NextCell(0, step), colForRange, shift, true);
}

void Keyboard::HomeEnd(bool end, int32_t shift)
{
    IncrementalSearch(s_).Clear();
    const Navigation nav(s_);
    const int32_t row = end ? nav.LastNavRow() : nav.FirstNavRow();
    const int32_t col = s_.curRow == 0 || s_.curCol == 0 ? nav.FirstNavCol() : s_.curCol;
    SelectAndMove({ row, col }, col, shift, false);
}

void Keyboard::Page(bool down, int32_t shift)
{
    IncrementalSearch(s_).Clear();
    Navigation nav(s_);
    const bool noCurrent = s_.curRow == 0 || s_.curCol == 0;
    const int32_t start = noCurrent ? nav.FirstNavRow() : s_.curRow;
    const int32_t col = noCurrent ? nav.FirstNavCol() : s_.curCol;
    if (start == 0)
        return;
    const int32_t row = down ? nav.PageDownTarget(start) : nav.PageUpTarget(start);
    SelectAndMove({ row, col }, col, shift, false);
}

void Keyboard::CtrlSpace(int32_t shift)
{
    if ((shift & kCtrl) == 0 || !s_.selection.multiSelect)
        return;
    Selection(s_).ToggleCurrent();
    s_.view->Draw();
    s_.selection.swallowSpace = true;
}

void Keyboard::Enter()
{
    if (s_.selection.searchBuffer.empty())
        return;
    IncrementalSearch(s_).Clear();
    if (s_.curRow >= 1 && s_.curRow <= s_.rowCount && s_.curCol >= 1 && s_.curCol <= s_.ColCount())
        s_.MarkCellChanged(s_.curRow, s_.curCol);
    s_.view->Draw();
}

void Keyboard::SelectAndMove(CellPos to, int32_t colForRange, int32_t shift, bool arrowKey)
{
    auto& sel = s_.selection;
    Selection selection(s_);
    if (!sel.multiSelect) {
        selection.MoveSingleSelection(to.row, to.col);
        selection.SetSelAnchor(to.row, to.col, true);
    } else if ((shift & kShift) != 0) {
        selection.ExtendSelection(to.row, colForRange, shift);
    } else if ((shift & kCtrl) != 0) {
        if (to.row >= 1 && to.row <= s_.rowCount && to.col >= 1 && to.col <= s_.ColCount())
            s_.MarkCellChanged(to.row, to.col);
        selection.SetSelAnchor(to.row, to.col, true);
        sel.singleRowSelected = false;
    } else if (!arrowKey || shift == 0) {
        selection.SelectAlone(to.row, to.col);
        selection.SetSelAnchor(to.row, to.col, true);
    }
    selection.MoveTail(to.row, to.col);
}

void Keyboard::ScrollBarBy(int bar, int32_t delta)
{
    auto* bars = s_.view->Bars();
    if (bars == nullptr || !bars->Visible(bar))
        return;
    const int32_t target = std::clamp(bars->Position(bar) + delta, bars->Minimum(bar), bars->Maximum(bar));
    bars->SetPosition(bar, target);
}

void Keyboard::DisabledKeyDown(int32_t vk)
{
    auto* bars = s_.view->Bars();
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
