#include "grid_sorter.h"

#include "../core/grid_state.h"
#include "grid_sort_source.h"
#include "row_order.h"
#include "sort_permutation.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace tavix {

ShellSortObject& GridSorter::Criteria()
{
    auto& engine = state_.sort.engine;
    if (!engine)
        engine = std::make_shared<ShellSortObject>();
    return *static_cast<ShellSortObject*>(engine.get());
}

void GridSorter::ApplySort()
{
    auto& s = state_;
    s.view->CancelEdit();
    if (s.rowCount == 0 || s.ColCount() == 0)
        return;
    const bool hadCurrentRow = s.curRow >= 1 && s.curRow <= s.rowCount;
    if (hadCurrentRow)
        s.rows.At(s.curRow).SortMark = true;

    GridSortSource source(s);
    // A comparison that fails ends the sort; the grid carries on with the order reached.
    const auto order = SortPermutation(Criteria(), source, s.rowCount, s.groupRowCount != 0);
    ApplyRowOrder(s, order);

    const int32_t newRow = CurrentRowAfterSort(hadCurrentRow);
    s.rows.At(1).Top = 0;
    s.rows.RecalcTops(1, s.rowCount);
    s.UpdateParity(1);
    RebuildRowKeys();
    // Every row may have moved: the whole view is stale.
    s.view->InvalidateRange(1);
    s.view->MarkLayoutStale();
    s.SetCurrentCell(newRow, s.curCol, false);
    RestoreCurrentCell();
    s.RaisePendingCurCellChange();
}

int32_t GridSorter::CurrentRowAfterSort(bool hadCurrentRow)
{
    if (!hadCurrentRow)
        return state_.curRow;
    for (int32_t r = 1; r <= state_.rowCount; ++r) {
        auto& record = state_.rows.At(r);
        if (record.SortMark) {
            record.SortMark = false;
            return r;
        }
    }
    return state_.curRow;
}

void GridSorter::RebuildRowKeys()
{
    auto& s = state_;
    if (s.rowKeys.Count() == 0)
        return;
    s.rowKeys.Clear();
    const auto keyOf = s.KeyOf();
    for (int32_t r = 1; r <= s.rowCount; ++r) {
        const std::string& key = s.rows.At(r).Key;
        if (!key.empty())
            s.rowKeys.Insert(s.rowKeys.Find(key, keyOf).position, r, false);
    }
}

void GridSorter::RestoreCurrentCell()
{
    auto& s = state_;
    const bool valid = s.curRow >= 1 && s.curRow <= s.rowCount && s.curCol >= 1 && s.curCol <= s.ColCount();
    if (valid)
        s.view->ScrollCellIntoView(s.curRow, s.selection.rowMode ? 0 : s.curCol);
    // Scrolling draws what it shows; drawing again finds nothing stale.
    s.view->Draw();
}

void GridSorter::MarkColumnsFromCriteria()
{
    auto& s = state_;
    for (int32_t p = 1; p <= s.ColCount(); ++p)
        s.columns.At(p).SortKey = 0;
    const ShellSortObject& criteria = Criteria();
    for (int16_t k = 1; k <= criteria.ColCount(); ++k) {
        const int32_t p = s.columns.PositionOfIndex(criteria.SortCol(k));
        if (p < 1 || p > s.ColCount())
            continue;
        s.columns.At(p).SortKey = k;
        s.columns.At(p).SortOrder = criteria.SortOrder(k);
    }
}

void GridSorter::AddOrToggleColumn(int32_t colIndex, int32_t order)
{
    auto& s = state_;
    int32_t last = 0;
    for (int32_t p = 1; p <= s.ColCount(); ++p)
        last = std::max(last, s.columns.At(p).SortKey);
    core::ColumnData& c = s.columns.At(s.columns.PositionOfIndex(colIndex));
    if (c.SortKey < 1) {
        c.SortOrder = order != -1 ? order : tvSortAsc;
        c.SortKey = ++last;
    } else {
        c.SortOrder = order != -1 ? order : (c.SortOrder == tvSortAsc ? tvSortDesc : tvSortAsc);
    }
    RebuildSortCriteria(last);
}

void GridSorter::RebuildSortCriteria(int32_t count)
{
    auto& s = state_;
    ShellSortObject& criteria = Criteria();
    // Each step that fails (a SortKey beyond the count) is skipped and the rest run.
    if (count <= std::numeric_limits<int16_t>::max())
        criteria.SetColCount(static_cast<int16_t>(count));
    for (int32_t p = 1; p <= s.ColCount(); ++p) {
        const core::ColumnData& c = s.columns.At(p);
        if (c.SortKey <= 0 || c.SortKey > criteria.ColCount())
            continue;
        const auto k = static_cast<int16_t>(c.SortKey);
        criteria.SetSortCol(k, static_cast<int16_t>(c.Index));
        criteria.SetSortOrder(k, c.SortOrder);
        criteria.SetSortType(k, c.SortType);
    }
}

void GridSorter::SortOnlyBy(int32_t colIndex, int32_t order)
{
    auto& s = state_;
    ShellSortObject& criteria = Criteria();
    if (order == -1) {
        const bool wasFirstAscending
            = criteria.ColCount() >= 1 && criteria.SortCol(1) == colIndex && criteria.SortOrder(1) == tvSortAsc;
        order = wasFirstAscending ? tvSortDesc : tvSortAsc;
    }
    const int32_t position = s.columns.PositionOfIndex(colIndex);
    criteria.SetColCount(1);
    criteria.SetSortCol(1, static_cast<int16_t>(colIndex));
    criteria.SetSortOrder(1, order);
    criteria.SetSortType(1, s.columns.At(position).SortType);
    for (int32_t p = 1; p <= s.ColCount(); ++p)
        s.columns.At(p).SortKey = 0;
    s.columns.At(position).SortKey = 1;
    s.columns.At(position).SortOrder = order;
}

}  // namespace tavix
