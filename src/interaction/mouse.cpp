#include "mouse.h"

#include "incremental_search.h"
#include "keyboard.h"
#include "layout/layout.h"
#include "selection.h"

#include <tavix/enums.h>
#include <tavix/events.h>

#include <cstdlib>
#include <tuple>

namespace tavix::interaction {

namespace {

constexpr int16_t kLeftButton = 1;
constexpr int16_t kShift = 1;
constexpr int16_t kCtrl = 2;
// A release this close to the press point is a click, a move beyond it a drag.
constexpr int32_t kDragSlop = 2;

}  // namespace

Mouse::Mouse(core::GridState& state)
    : s_(state)
{
    leaveTimer_.OnThatTime = [this] { LeaveTick(); };
}

bool Mouse::InGrid(int32_t row, int32_t col) const
{
    return row >= 1 && row <= s_.rowCount && col >= 1 && col <= s_.ColCount();
}

std::optional<native::Rect> Mouse::ControlRect(int32_t row, int32_t col) const
{
    if (!InGrid(row, col) || !hooks.controlRect)
        return std::nullopt;
    const int32_t type = s_.cells.At(row, col).Flags & core::CellData::kTypeMask;
    if (type != tvCellCombo && type != tvCellCheck)
        return std::nullopt;
    const layout::CellRect cell = layout::Layout(s_).CellBoundary(row, col);
    return hooks.controlRect(type, { cell.left, cell.top, cell.left + cell.width, cell.top + cell.height });
}

void Mouse::OnButtonDown(int16_t button, int16_t shift, int32_t x, int32_t y)
{
    if (!s_.look.enabled)
        return;
    m_.dragStarted = false;
    m_.downX = x;
    m_.downY = y;
    std::tie(m_.downRow, m_.downCol) = layout::Layout(s_).CellFromPoint(x, y);
    const int32_t row = m_.downRow;
    const int32_t col = m_.downCol;
    bool doDefault = true;
    bool underControl = false;
    if (const auto rect = ControlRect(row, col))
        underControl = PointInRect(*rect, x, y);
    if (TavixEvents* sink = s_.host->EventSink())
        sink->MouseDown(button, shift, static_cast<float>(x), static_cast<float>(y), row, col, doDefault, underControl);
    // The handler may have removed the cell.
    if (button != kLeftButton || !doDefault || !InGrid(row, col))
        return;

    IncrementalSearch(s_).Clear();
    m_.dragArmed = !underControl;
    Selection sel(s_);
    if (s_.selection.multiSelect) {
        // A selected cell may be the start of a drag of the selection: wait for the release.
        if (!underControl && sel.IsSelected(row, col)) {
            m_.pendingClickOnSelected = true;
            return;
        }
        SelectPressed(row, col, shift);
    } else {
        sel.MoveSingleSelection(row, col);
        sel.SetSelAnchor(row, col, true);
    }
    sel.MoveTail(row, col);
    if (underControl)
        Keyboard(s_).RequestEdit(0);
}

void Mouse::SelectPressed(int32_t row, int32_t col, int16_t shift)
{
    Selection sel(s_);
    if ((shift & kShift) != 0) {
        sel.ExtendSelection(row, col, shift);
    } else if ((shift & kCtrl) == 0) {
        SelectPlain(row, col);
        sel.SetSelAnchor(row, col, true);
    } else {
        InvertPressed(row, col);
        sel.SetSelAnchor(row, col, sel.IsSelected(row, col));
    }
}

void Mouse::SelectPlain(int32_t row, int32_t col)
{
    Selection sel(s_);
    auto& state = s_.selection;
    if (!state.rowMode) {
        sel.SelectAlone(row, col);
        return;
    }
    // Known to be one row: only that row needs clearing.
    if (state.singleRowSelected) {
        if (s_.curRow >= 1 && s_.curRow <= s_.rowCount)
            sel.SetRowSelected(s_.curRow, false);
        sel.SetRowSelected(row, true);
    } else {
        sel.SelectOnly(row, col);
    }
    state.singleRowSelected = true;
}

void Mouse::InvertPressed(int32_t row, int32_t col)
{
    Selection sel(s_);
    if (!s_.selection.rowMode) {
        sel.SetCellSelected(row, col, !sel.IsSelected(row, col));
        return;
    }
    for (int32_t c = 1; c <= s_.ColCount(); ++c)
        sel.SetCellSelected(row, c, !sel.IsSelected(row, c));
    s_.selection.singleRowSelected = false;
}

void Mouse::OnButtonUp(int16_t button, int16_t shift, int32_t x, int32_t y)
{
    if (!s_.look.enabled)
        return;
    m_.dragArmed = false;
    bool doDefault = true;
    if (TavixEvents* sink = s_.host->EventSink())
        sink->MouseUp(
            button, shift, static_cast<float>(x), static_cast<float>(y), m_.pointerRow, m_.pointerCol, doDefault);
    const bool pending = m_.pendingClickOnSelected;
    m_.pendingClickOnSelected = false;
    const bool click = std::abs(m_.downX - x) <= kDragSlop && std::abs(m_.downY - y) <= kDragSlop;
    if (!doDefault || !pending || !click || !InGrid(m_.downRow, m_.downCol))
        return;

    const int32_t row = m_.downRow;
    const int32_t col = m_.downCol;
    Selection sel(s_);
    if ((shift & kShift) != 0) {
        sel.ExtendSelection(row, col, shift);
    } else if ((shift & kCtrl) == 0) {
        sel.SelectAlone(row, col);
        sel.SetSelAnchor(row, col, true);
    } else {
        InvertPressed(row, col);
        sel.SetSelAnchor(row, col, sel.IsSelected(row, col));
    }
    sel.MoveTail(row, col);
}

void Mouse::OnDblClick()
{
    if (!s_.look.enabled)
        return;
    bool requestEdit = m_.downRow > 0 && m_.downCol > 0;
    if (TavixEvents* sink = s_.host->EventSink())
        sink->DblClick(m_.downRow, m_.downCol, requestEdit);
    const bool hasCurrent = (s_.curRow > 0 || s_.curCol > 0) && !(s_.curRow > s_.rowCount && s_.curCol > s_.ColCount());
    if (requestEdit && hasCurrent)
        Keyboard(s_).RequestEdit(0);
}

}  // namespace tavix::interaction
