#include "interaction/mouse.h"

#include "core/message_boundary.h"
#include "interaction/incremental_search.h"
#include "interaction/keyboard.h"
#include "interaction/selection.h"
#include "layout/view_layout.h"
#include "paint/cell_controls.h"

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

Mouse::Mouse(core::GridTable& table, layout::ViewLayout& layout, paint::GridPainter& painter, Selection& selection,
    IncrementalSearch& search, Keyboard& keyboard)
    : table_(table)
    , layout_(layout)
    , painter_(painter)
    , selection_(selection)
    , search_(search)
    , keyboard_(keyboard)
    , ole_(table)
{
    leaveTimer_.OnThatTime = [this] {
        core::AtMessageBoundary(table_.GetHost(), [this] {
            LeaveTick();
            return native::LRESULT { 0 };
        });
    };
}

std::optional<native::Rect> Mouse::ControlRect(int32_t row, int32_t col) const
{
    if (!table_.HasCell(row, col))
        return std::nullopt;
    const int32_t type = table_.Cell(row, col).Flags & core::CellData::kTypeMask;
    if (type != tvCellCombo && type != tvCellCheck)
        return std::nullopt;
    const layout::CellRect c = layout_.CellBoundary(row, col);
    const native::Rect cell { c.left, c.top, c.left + c.width, c.top + c.height };
    return type == tvCellCombo ? ComboButtonRect(cell) : CheckBoxRect(cell, painter_.CheckBoxSize());
}

void Mouse::OnButtonDown(int16_t button, int16_t shift, int32_t x, int32_t y)
{
    if (!painter_.Look().enabled || !keyboard_.CommitBeforePress())
        return;
    m_.dragStarted = false;
    m_.downX = x;
    m_.downY = y;
    std::tie(m_.downRow, m_.downCol) = layout_.CellFromPoint(x, y);
    const int32_t row = m_.downRow;
    const int32_t col = m_.downCol;
    bool doDefault = true;
    bool underControl = false;
    if (const auto rect = ControlRect(row, col))
        underControl = PointInRect(*rect, x, y);
    if (TavixEvents* sink = table_.GetHost().EventSink())
        sink->MouseDown(button, shift, static_cast<float>(x), static_cast<float>(y), row, col, doDefault, underControl);
    // The handler may have removed the cell.
    if (button != kLeftButton || !doDefault || !table_.HasCell(row, col))
        return;

    search_.Clear();
    m_.dragArmed = !underControl;
    Selection& sel = selection_;
    const core::ShapeWatch watch(table_);
    if (table_.MultiSelect()) {
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
    sel.MoveTail(row, col, watch);
    // RequestEdit works on the current cell, which a CurCellChange handler may have sent elsewhere.
    if (underControl && !watch.Changed() && table_.CurRow() == row && table_.CurCol() == col)
        keyboard_.RequestEdit(0);
}

void Mouse::SelectPressed(int32_t row, int32_t col, int16_t shift)
{
    Selection& sel = selection_;
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
    Selection& sel = selection_;
    if (!table_.RowMode()) {
        sel.SelectAlone(row, col);
        return;
    }
    // Known to be one row: only that row needs clearing.
    if (sel.SingleRowSelected()) {
        const core::ShapeWatch watch(table_);
        if (table_.CurRow() >= 1 && table_.CurRow() <= table_.RowCount())
            sel.SetRowSelected(table_.CurRow(), false);
        if (!watch.Changed())
            sel.SetRowSelected(row, true);
    } else {
        sel.SelectOnly(row, col);
    }
    sel.SetSingleRowSelected(true);
}

void Mouse::InvertPressed(int32_t row, int32_t col)
{
    Selection& sel = selection_;
    if (!table_.RowMode()) {
        sel.SetCellSelected(row, col, !sel.IsSelected(row, col));
        return;
    }
    const core::ShapeWatch watch(table_);
    for (int32_t c = 1; c <= table_.ColCount() && !watch.Changed(); ++c)
        sel.SetCellSelected(row, c, !sel.IsSelected(row, c));
    sel.SetSingleRowSelected(false);
}

void Mouse::OnButtonUp(int16_t button, int16_t shift, int32_t x, int32_t y)
{
    if (!painter_.Look().enabled)
        return;
    m_.dragArmed = false;
    bool doDefault = true;
    if (TavixEvents* sink = table_.GetHost().EventSink())
        sink->MouseUp(
            button, shift, static_cast<float>(x), static_cast<float>(y), m_.pointerRow, m_.pointerCol, doDefault);
    const bool pending = m_.pendingClickOnSelected;
    m_.pendingClickOnSelected = false;
    const bool click = std::abs(m_.downX - x) <= kDragSlop && std::abs(m_.downY - y) <= kDragSlop;
    if (!doDefault || !pending || !click || !table_.HasCell(m_.downRow, m_.downCol))
        return;

    const int32_t row = m_.downRow;
    const int32_t col = m_.downCol;
    Selection& sel = selection_;
    const core::ShapeWatch watch(table_);
    if ((shift & kShift) != 0) {
        sel.ExtendSelection(row, col, shift);
    } else if ((shift & kCtrl) == 0) {
        sel.SelectAlone(row, col);
        sel.SetSelAnchor(row, col, true);
    } else {
        InvertPressed(row, col);
        sel.SetSelAnchor(row, col, sel.IsSelected(row, col));
    }
    sel.MoveTail(row, col, watch);
}

void Mouse::OleDrag()
{
    ole_.Drag();
    // The drag loop took the release that ends the press.
    m_.dragArmed = false;
    m_.pendingClickOnSelected = false;
}

void Mouse::OnDblClick()
{
    if (!painter_.Look().enabled)
        return;
    bool requestEdit = m_.downRow > 0 && m_.downCol > 0;
    if (TavixEvents* sink = table_.GetHost().EventSink())
        sink->DblClick(m_.downRow, m_.downCol, requestEdit);
    const bool hasCurrent = (table_.CurRow() > 0 || table_.CurCol() > 0)
        && !(table_.CurRow() > table_.RowCount() && table_.CurCol() > table_.ColCount());
    if (requestEdit && hasCurrent)
        keyboard_.RequestEdit(0);
}

}  // namespace tavix::interaction
