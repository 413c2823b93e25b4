#include <tavix/grid.h>

#include "../core/grid_state.h"
#include "grid_sorter.h"

#include <vector>

namespace tavix {

ShellSortObject& Tavix::SortObject() { return GridSorter(*state_).Criteria(); }

void Tavix::Sort(const GridVariant& vCols)
{
    GridSorter sorter(*state_);
    ShellSortObject& criteria = sorter.Criteria();
    if (vCols.IsMissing()) {
        // Sorts again by the criteria as they stand, which the application may have set itself.
        if (criteria.ColCount() == 0)
            return;
    } else {
        const int32_t col = state_->ResolveCol(vCols);
        criteria.SetColCount(1);
        criteria.SetSortCol(1, static_cast<int16_t>(col));
        criteria.SetSortOrder(1, tvSortAsc);
        criteria.SetSortType(1, ColSortType(col));
    }
    sorter.ApplySort();
    sorter.MarkColumnsFromCriteria();
    state_->view->HeaderRepaint();
}

void Tavix::Sort(const std::vector<GridVariant>& vCols)
{
    // Every element is resolved before anything changes.
    std::vector<int32_t> cols;
    cols.reserve(vCols.size());
    for (const GridVariant& v : vCols)
        cols.push_back(state_->ResolveCol(v));
    GridSorter sorter(*state_);
    ShellSortObject& criteria = sorter.Criteria();
    criteria.SetColCount(static_cast<int16_t>(cols.size()));
    for (int16_t k = 1; k <= criteria.ColCount(); ++k) {
        criteria.SetSortCol(k, static_cast<int16_t>(cols[k - 1]));
        criteria.SetSortOrder(k, tvSortAsc);
        criteria.SetSortType(k, ColSortType(cols[k - 1]));
    }
    sorter.ApplySort();
    sorter.MarkColumnsFromCriteria();
    state_->view->HeaderRepaint();
}

void Tavix::DoDefaultSort(const GridVariant& vCol, int16_t iShift, ESortOrders eSortOrder)
{
    const int32_t col = state_->ResolveCol(vCol);
    state_->view->CancelEdit();
    GridSorter sorter(*state_);
    if (iShift != 0)
        sorter.AddOrToggleColumn(col, eSortOrder);
    else
        sorter.SortOnlyBy(col, eSortOrder);
    HeaderContentsChanged();
    sorter.ApplySort();
    state_->view->HeaderRepaint();
}

ESortTypes Tavix::ColSortType(const GridVariant& vCol) const
{
    return static_cast<ESortTypes>(state_->columns.At(state_->ColPosition(vCol)).SortType);
}

void Tavix::SetColSortType(const GridVariant& vCol, ESortTypes eSortType)
{
    state_->columns.At(state_->ColPosition(vCol)).SortType = eSortType;
}

ESortOrders Tavix::ColSortOrder(const GridVariant& vCol) const
{
    return static_cast<ESortOrders>(state_->columns.At(state_->ColPosition(vCol)).SortOrder);
}

void Tavix::SetColSortOrder(const GridVariant& vCol, ESortOrders eSortOrder)
{
    const int32_t position = state_->ColPosition(vCol);
    state_->columns.At(position).SortOrder = eSortOrder;
    RefreshHeaderItem(position);
}

int32_t Tavix::ColSortKey(const GridVariant& vCol) const
{
    return state_->columns.At(state_->ColPosition(vCol)).SortKey;
}

void Tavix::SetColSortKey(const GridVariant& vCol, int32_t lSortKey)
{
    const int32_t position = state_->ColPosition(vCol);
    state_->columns.At(position).SortKey = lSortKey;
    RefreshHeaderItem(position);
}

}  // namespace tavix
