#include <tavix/grid.h>

#include "core/grid_state.h"
#include "selection.h"

#include <tavix/error.h>

namespace tavix {

namespace {

bool IsZero(const GridVariant& v) { return IsNumericVariant(v) && v.ToDouble() == 0.0; }

// The common steps of CurRow and CurCol let once the value is known to differ.
void MoveTo(core::GridState& s, int32_t row, int32_t col)
{
    interaction::Selection sel(s);
    s.view->CancelEdit();
    sel.SetSelAnchor(row, col, true);
    sel.SelectOnly(row, col);
    sel.MoveTail(row, col);
}

}  // namespace

void Tavix::SetCurRow(int32_t lRow)
{
    auto& s = *state_;
    if (lRow != 0)
        s.CheckRowIndex(lRow);
    if (lRow != s.curRow)
        MoveTo(s, lRow, s.curCol);
}

void Tavix::SetCurCol(int32_t lCol)
{
    auto& s = *state_;
    if (lCol != 0)
        s.CheckColIndex(lCol);
    if (lCol != s.curCol)
        MoveTo(s, s.curRow, lCol);
}

void Tavix::SetCurCell(const GridVariant& vRow, const GridVariant& vCol)
{
    auto& s = *state_;
    const int32_t row = IsZero(vRow) ? 0 : s.ResolveRow(vRow);
    const int32_t col = IsZero(vCol) ? 0 : s.ResolveCol(vCol);
    interaction::Selection sel(s);
    sel.SetSelAnchor(row, col, true);
    if (row == s.curRow && col == s.curCol) {
        s.view->ScrollCellIntoView(row, col);
        return;
    }
    s.view->CancelEdit();
    sel.SelectOnly(row, col);
    sel.MoveTail(row, col);
}

void Tavix::SetCellSelected(const GridVariant& vRow, const GridVariant& vCol, bool bSelected)
{
    auto& s = *state_;
    const int32_t row = s.ResolveRow(vRow);
    const int32_t col = s.ResolveCol(vCol);
    interaction::Selection sel(s);
    if (!s.selection.multiSelect) {
        // Selecting a cell in single-select mode makes it current; deselecting is ignored.
        if (bSelected) {
            sel.MoveSingleSelection(row, col);
            sel.MoveTail(row, col);
        }
        return;
    }
    if (s.selection.rowMode) {
        sel.SetRowSelected(row, bSelected);
        if (bSelected)
            s.selection.singleRowSelected = false;
    } else {
        sel.SetCellSelected(row, col, bSelected);
    }
    s.view->Draw();
}

bool Tavix::MultiSelect() const { return state_->selection.multiSelect; }

void Tavix::SetMultiSelect(bool bMultiSelect)
{
    auto& s = *state_;
    if (s.selection.multiSelect && !bMultiSelect)
        interaction::Selection(s).CollapseToCurrent();
    s.selection.multiSelect = bMultiSelect;
    s.view->Draw();
    s.host->PropertyChanged("MultiSelect");
}

bool Tavix::RowMode() const { return state_->selection.rowMode; }

void Tavix::SetRowMode(bool bRowMode)
{
    auto& s = *state_;
    const bool switching = s.selection.rowMode != bRowMode;
    s.selection.rowMode = bRowMode;
    interaction::Selection sel(s);
    if (switching && !s.selection.multiSelect) {
        if (s.curRow >= 1 && s.curCol >= 1 && s.curRow <= s.rowCount && s.curCol <= s.ColCount())
            for (int32_t c = 1; c <= s.ColCount(); ++c)
                sel.SetCellSelected(s.curRow, c, bRowMode || c == s.curCol);
    } else if (switching && bRowMode) {
        for (int32_t r = 1; r <= s.rowCount; ++r) {
            bool any = false;
            for (int32_t c = 1; c <= s.ColCount() && !any; ++c)
                any = sel.IsSelected(r, c);
            if (any)
                sel.SetRowSelected(r, true);
        }
    } else if (switching) {
        sel.CollapseToCurrent();
    }
    s.geo.needFullRedraw = true;
    s.view->Draw();
    s.host->PropertyChanged("RowMode");
}

void Tavix::ClearSelection()
{
    auto& s = *state_;
    interaction::Selection sel(s);
    if (s.selection.multiSelect) {
        for (int32_t r = 1; r <= s.rowCount; ++r)
            sel.SetRowSelected(r, false);
    } else if (s.curRow >= 1 && s.curRow <= s.rowCount) {
        if (s.selection.rowMode)
            sel.SetRowSelected(s.curRow, false);
        else if (s.curCol >= 1 && s.curCol <= s.ColCount())
            sel.SetCellSelected(s.curRow, s.curCol, false);
    }
    s.SetCurrentCell(0, 0, false);
    s.view->Draw();
    s.RaisePendingCurCellChange();
}

}  // namespace tavix
