#include "sort/grid_sorter.h"

#include "sort/grid_sort_source.h"

#include "sort/sort_permutation.h"
#include <tavix/events.h>

#include <algorithm>
#include <limits>

namespace tavix::sort {

void GridSorter::ApplySort()
{
    table_.Editor().CancelEdit();
    if (table_.RowCount() == 0 || table_.ColCount() == 0)
        return;
    GridSortSource source(table_);
    try {
        auto order = SortPermutation(criteria_, source, table_.RowCount(), table_.GroupRowCount() != 0);
        table_.ApplyRowOrder(order);
    } catch (const SortInterrupted&) {
        return;
    }
    // Every row may have moved: the whole view is stale.
    table_.Layout().InvalidateRange(core::RangeChange::Recompute);
    table_.Painter().MarkLayoutStale();
    if (table_.HasCurrentCell())
        table_.Layout().ScrollCellIntoView(table_.CurRow(), table_.RowMode() ? 0 : table_.CurCol());
    // Scrolling draws what it shows; drawing again finds nothing stale.
    table_.Painter().Draw();
    table_.RaisePendingCurCellChange();
}

void GridSorter::MarkColumnsFromCriteria()
{
    for (int32_t p = 1; p <= table_.ColCount(); ++p)
        table_.SetColumnSortState(p, 0, table_.Column(p).SortOrder);
    for (int16_t k = 1; k <= criteria_.ColCount(); ++k) {
        const int32_t p = table_.Columns().PositionOfIndex(criteria_.SortCol(k));
        if (p < 1 || p > table_.ColCount())
            continue;
        table_.SetColumnSortState(p, k, static_cast<ESortOrders>(criteria_.SortOrder(k)));
    }
}

void GridSorter::AddOrToggleColumn(int32_t colIndex, int32_t order)
{
    int32_t last = 0;
    for (int32_t p = 1; p <= table_.ColCount(); ++p)
        last = std::max(last, table_.Column(p).SortKey);
    const int32_t position = table_.Columns().PositionOfIndex(colIndex);
    const core::ColumnData& c = table_.Column(position);
    if (c.SortKey < 1) {
        table_.SetColumnSortState(position, ++last, order != -1 ? static_cast<ESortOrders>(order) : tvSortAsc);
    } else {
        const ESortOrders toggled = c.SortOrder == tvSortAsc ? tvSortDesc : tvSortAsc;
        table_.SetColumnSortState(position, c.SortKey, order != -1 ? static_cast<ESortOrders>(order) : toggled);
    }
    RebuildSortCriteria(last);
}

void GridSorter::RebuildSortCriteria(int32_t count)
{
    // Each step that fails (a SortKey beyond the count) is skipped and the rest run.
    if (count <= std::numeric_limits<int16_t>::max())
        criteria_.SetColCount(static_cast<int16_t>(count));
    for (int32_t p = 1; p <= table_.ColCount(); ++p) {
        const core::ColumnData& c = table_.Column(p);
        if (c.SortKey <= 0 || c.SortKey > criteria_.ColCount())
            continue;
        const auto k = static_cast<int16_t>(c.SortKey);
        criteria_.SetSortCol(k, static_cast<int16_t>(c.Index));
        criteria_.SetSortOrder(k, c.SortOrder);
        criteria_.SetSortType(k, c.SortType);
    }
}

void GridSorter::SortOnlyBy(int32_t colIndex, int32_t order)
{
    if (order == -1) {
        const bool wasFirstAscending
            = criteria_.ColCount() >= 1 && criteria_.SortCol(1) == colIndex && criteria_.SortOrder(1) == tvSortAsc;
        order = wasFirstAscending ? tvSortDesc : tvSortAsc;
    }
    const int32_t position = table_.Columns().PositionOfIndex(colIndex);
    criteria_.SetColCount(1);
    criteria_.SetSortCol(1, static_cast<int16_t>(colIndex));
    criteria_.SetSortOrder(1, order);
    criteria_.SetSortType(1, table_.Column(position).SortType);
    for (int32_t p = 1; p <= table_.ColCount(); ++p)
        table_.SetColumnSortState(p, 0, table_.Column(p).SortOrder);
    table_.SetColumnSortState(position, 1, static_cast<ESortOrders>(order));
}

void GridSorter::SortAgain()
{
    // Sorts by the criteria as they stand, which the application may have set itself.
    if (criteria_.ColCount() == 0)
        return;
    ApplySort();
    MarkColumnsFromCriteria();
    table_.Header().Repaint();
}

void GridSorter::SortByColumns(const std::vector<int32_t>& colIndexes)
{
    criteria_.SetColCount(static_cast<int16_t>(colIndexes.size()));
    for (int16_t k = 1; k <= criteria_.ColCount(); ++k) {
        const int32_t col = colIndexes[static_cast<size_t>(k - 1)];
        criteria_.SetSortCol(k, static_cast<int16_t>(col));
        criteria_.SetSortOrder(k, tvSortAsc);
        criteria_.SetSortType(k, table_.Column(table_.Columns().PositionOfIndex(col)).SortType);
    }
    ApplySort();
    MarkColumnsFromCriteria();
    table_.Header().Repaint();
}

void GridSorter::DoDefaultSort(int32_t colIndex, int16_t shift, int32_t order)
{
    table_.Editor().CancelEdit();
    if (shift != 0)
        AddOrToggleColumn(colIndex, order);
    else
        SortOnlyBy(colIndex, order);
    table_.HeaderContentsChanged();
    ApplySort();
    table_.Header().Repaint();
}

void GridSorter::HeaderClick(int32_t colIndex, int16_t shift, int32_t x, int32_t y)
{
    table_.Editor().CancelEdit();
    bool doDefault = true;
    table_.Events().ColHeaderClick(colIndex, doDefault, shift, x, y);
    // The handler may have removed the column.
    if (!doDefault || table_.Columns().PositionOfIndex(colIndex) == 0)
        return;
    DoDefaultSort(colIndex, shift, -1);
    table_.Events().ContentsSorted();
}

}  // namespace tavix::sort
