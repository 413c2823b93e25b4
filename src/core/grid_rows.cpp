#include <tavix/grid.h>

#include "grid_state.h"
#include "row_adding.h"

#include <tavix/error.h>

namespace tavix {

void Tavix::AddRow(const std::string& sKey, const GridVariant& vRowBefore, bool bVisible, int32_t lHeight,
    bool bGroupRow, int32_t lGroupColStartIndex, const GridVariant& vTag)
{
    AddRow(AddRowArgs { sKey, vRowBefore, bVisible, lHeight, bGroupRow, lGroupColStartIndex, vTag });
}

void Tavix::AddRow(const AddRowArgs& a) { core::AddRow(*state_, a); }

void Tavix::RemoveRow(const GridVariant& vRow)
{
    auto& s = *state_;
    int32_t row = 0;
    int32_t keyPosition = 0;
    if (IsNumericVariant(vRow)) {
        row = RoundToLong(vRow.ToDouble());
    } else if (vRow.IsString()) {
        const auto hit = s.rowKeys.Find(std::string(vRow.AsString()), s.KeyOf());
        if (!hit.found)
            RaiseGridError(tvErrSubscript);
        row = s.rowKeys.RowAt(hit.position);
        keyPosition = hit.position;
    } else {
        RaiseGridError(tvErrSubscript);
    }
    s.CheckRowIndex(row);
    s.view->InvalidateRange(1);

    core::RowData& removed = s.rows.At(row);
    if (!removed.Key.empty()) {
        if (keyPosition == 0)
            keyPosition = s.rowKeys.Find(removed.Key, s.KeyOf()).position;
        s.rowKeys.Remove(keyPosition, true);
    } else {
        s.rowKeys.ShiftFrom(row + 1, -1);
    }
    if (s.rowCount == 1) {
        Clear(false);
        return;
    }
    const int32_t newCur = s.curRow > row ? s.curRow - 1 : s.curRow == row ? 0 : s.curRow;
    if (removed.IsGroup)
        --s.groupRowCount;
    const bool wasVisible = removed.Visible;
    const int32_t height = removed.Height;
    if (row < s.rowCount) {
        s.rows.RotateUp(row, s.rowCount);
        s.cells.RotateUp(row, s.rowCount);
        --s.rowCount;
        if (wasVisible)
            for (int32_t i = row; i <= s.rowCount; ++i)
                s.rows.At(i).Top -= height;
        if (wasVisible)
            s.UpdateParity(row);
    } else {
        --s.rowCount;
    }
    s.EnsureRowCapacity(s.rowCount);
    s.LayoutChanged();
    if (!s.redraw)
        s.view->UpdateScrollBars();
    s.SetCurrentCell(newCur, s.curCol, true);
}

void Tavix::SetRowCount(int32_t n)
{
    auto& s = *state_;
    if (n < 0)
        RaiseGridError(tvErrInvalidArgument);
    if (s.ColCount() == 0)
        RaiseGridError(tvErrNoColumns);
    if (n == s.rowCount)
        return;
    s.view->InvalidateRange(1);
    s.view->CancelEdit();
    const bool shrinking = n < s.rowCount;
    if (shrinking) {
        if (n == 0)
            s.rowKeys.Clear();
        else
            s.rowKeys.DropAbove(n);
        for (int32_t i = n + 1; i <= s.rowCount; ++i)
            if (s.rows.At(i).IsGroup)
                --s.groupRowCount;
    }
    s.EnsureRowCapacity(n);
    if (shrinking) {
        s.rowCount = n;
    } else {
        int32_t parityRow = s.rowCount;
        while (parityRow > 0 && !s.rows.At(parityRow).Visible)
            --parityRow;
        bool parity = parityRow > 0 && s.rows.At(parityRow).OddRow;
        for (int32_t i = s.rowCount + 1; i <= n; ++i) {
            core::RowData& r = s.rows.At(i);
            r = core::RowData {};
            r.Visible = true;
            r.Height = s.defaultRowHeight;
            r.NormalCellHeight = s.defaultRowHeight;
            const core::RowData& above = s.rows.At(i - 1);
            r.Top = i == 1 ? 0 : above.Top + (above.Visible ? above.Height : 0);
            parity = !parity;
            r.OddRow = parity;
        }
        const int32_t first = s.rowCount + 1;
        s.rowCount = n;
        for (int32_t i = first; i <= n; ++i)
            for (int32_t c = 1; c <= s.ColCount(); ++c)
                s.InitCell(i, c);
        s.view->EnsurePaintBufferHeight(s.defaultRowHeight);
    }
    s.LayoutChanged();
    if (shrinking)
        s.SetCurrentCell(s.curRow <= n ? s.curRow : 0, s.curCol, true);
}

std::string Tavix::RowKey(int32_t lRow) const
{
    state_->CheckRowIndex(lRow);
    return state_->rows.At(lRow).Key;
}

void Tavix::SetRowKey(int32_t lRow, const std::string& sKey)
{
    auto& s = *state_;
    s.CheckRowIndex(lRow);
    core::RowData& r = s.rows.At(lRow);
    if (!sKey.empty()) {
        const auto hit = s.rowKeys.Find(sKey, s.KeyOf());
        if (hit.found && s.rowKeys.RowAt(hit.position) != lRow)
            RaiseGridError(tvErrDuplicateKey);
        if (hit.found)
            return;
    }
    if (!r.Key.empty()) {
        s.rowKeys.Remove(s.rowKeys.Find(r.Key, s.KeyOf()).position, false);
        r.Key.clear();
    }
    if (!sKey.empty()) {
        const auto hit = s.rowKeys.Find(sKey, s.KeyOf());
        r.Key = sKey;
        s.rowKeys.Insert(hit.position, lRow, false);
    }
}

GridVariant Tavix::RowTag(const GridVariant& vRow) const { return state_->rows.At(state_->ResolveRow(vRow)).Tag; }

void Tavix::SetRowTag(const GridVariant& vRow, const GridVariant& vTag)
{
    state_->rows.At(state_->ResolveRow(vRow)).Tag = vTag;
}

bool Tavix::RowVisible(const GridVariant& vRow) const { return state_->rows.At(state_->ResolveRow(vRow)).Visible; }

void Tavix::SetRowVisible(const GridVariant& vRow, bool bVisible)
{
    auto& s = *state_;
    const int32_t row = s.ResolveRow(vRow);
    s.view->InvalidateRange(1);
    s.view->CancelEdit();
    core::RowData& r = s.rows.At(row);
    if (r.Visible == bVisible)
        return;
    r.Visible = bVisible;
    s.rows.RecalcTops(row, s.rowCount);
    s.UpdateParity(bVisible ? row : row + 1);
    s.LayoutChanged();
}

int32_t Tavix::RowHeight(const GridVariant& vRow) const { return state_->rows.At(state_->ResolveRow(vRow)).Height; }

void Tavix::SetRowHeight(const GridVariant& vRow, int32_t lHeight)
{
    auto& s = *state_;
    const int32_t row = s.ResolveRow(vRow);
    s.view->InvalidateRange(1);
    s.view->CancelEdit();
    s.rows.At(row).Height = lHeight;
    s.rows.RecalcTops(row > 1 ? row - 1 : 1, s.rowCount);
    s.view->EnsurePaintBufferHeight(lHeight);
    s.LayoutChanged();
}

int32_t Tavix::RowNormalCellHeight(const GridVariant& vRow) const
{
    return state_->rows.At(state_->ResolveRow(vRow)).NormalCellHeight;
}

void Tavix::SetRowNormalCellHeight(const GridVariant& vRow, int32_t lHeight)
{
    auto& s = *state_;
    const int32_t row = s.ResolveRow(vRow);
    s.view->CancelEdit();
    s.rows.At(row).NormalCellHeight = lHeight;
    s.MarkRowChanged(row);
    s.view->Draw();
}

bool Tavix::RowIsGroup(const GridVariant& vRow) const { return state_->rows.At(state_->ResolveRow(vRow)).IsGroup; }

void Tavix::SetRowIsGroup(const GridVariant& vRow, bool bIsGroup)
{
    auto& s = *state_;
    const int32_t row = s.ResolveRow(vRow);
    core::RowData& r = s.rows.At(row);
    if (r.IsGroup == bIsGroup)
        return;
    r.IsGroup = bIsGroup;
    s.groupRowCount += bIsGroup ? 1 : -1;
    s.MarkRowChanged(row);
    s.view->Draw();
}

int32_t Tavix::RowGroupStartCol(const GridVariant& vRow) const
{
    return state_->rows.At(state_->ResolveRow(vRow)).GroupStartCol;
}

void Tavix::SetRowGroupStartCol(const GridVariant& vRow, int32_t lCol)
{
    auto& s = *state_;
    const int32_t row = s.ResolveRow(vRow);
    core::RowData& r = s.rows.At(row);
    if (r.GroupStartCol == lCol)
        return;
    r.GroupStartCol = lCol;
    s.MarkRowChanged(row);
    s.view->Draw();
}

int32_t Tavix::DefaultRowHeight() const { return state_->defaultRowHeight; }

void Tavix::SetDefaultRowHeight(int32_t lHeight)
{
    auto& s = *state_;
    if (lHeight < 1)
        RaiseGridError(tvErrInvalidArgument);
    if (lHeight == s.defaultRowHeight)
        return;
    s.defaultRowHeight = lHeight;
    s.view->EnsurePaintBufferHeight(lHeight);
    // Existing rows keep their heights; only the ghost rows below the last row
    // and the row-text band are drawn with the default height.
    const bool horizontalLines = s.look.gridLines == tvGridLinesHorizontal || s.look.gridLines == tvGridLinesBoth;
    const bool extendsDown
        = s.look.gridLinesExtend == tvGridLinesExtendDown || s.look.gridLinesExtend == tvGridLinesExtendBoth;
    if ((horizontalLines && extendsDown) || (s.drawRowText && s.rowTextCol > 0))
        s.LayoutChanged();
    s.host->PropertyChanged("DefaultRowHeight");
}

int32_t Tavix::MemMngWantFreeRows() const { return state_->memMngWantFreeRows; }

void Tavix::SetMemMngWantFreeRows(int32_t lRows)
{
    if (lRows < 0)
        RaiseGridError(tvErrInvalidArgument);
    state_->memMngWantFreeRows = lRows;
}

int32_t Tavix::MemMngAllocatedRows() const { return state_->Allocated(); }

void Tavix::SetMemMngAllocatedRows(int32_t lRows)
{
    auto& s = *state_;
    if (lRows < s.rowCount || lRows > s.Allocated())
        RaiseGridError(tvErrInvalidArgument);
    if (lRows != s.Allocated())
        s.SetAllocation(lRows);
}

}  // namespace tavix
