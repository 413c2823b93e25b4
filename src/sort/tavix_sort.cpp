// Sorting members of the facade.
#include "core/grid_table.h"
#include "sort/grid_sorter.h"

#include <tavix/grid.h>

#include <vector>

namespace tavix {

ShellSortObject& Tavix::SortObject() { return sorter_->Criteria(); }

void Tavix::Sort(const GridVariant& vCols)
{
    if (vCols.IsMissing())
        sorter_->SortAgain();
    else
        sorter_->SortByColumns({ table_->ResolveCol(vCols) });
}

void Tavix::Sort(const std::vector<GridVariant>& vCols)
{
    // Every element is resolved before anything changes.
    std::vector<int32_t> cols;
    cols.reserve(vCols.size());
    for (const GridVariant& v : vCols)
        cols.push_back(table_->ResolveCol(v));
    sorter_->SortByColumns(cols);
}

void Tavix::DoDefaultSort(const GridVariant& vCol, int16_t iShift, ESortOrders eSortOrder)
{
    sorter_->DoDefaultSort(table_->ResolveCol(vCol), iShift, eSortOrder);
}

ESortTypes Tavix::ColSortType(const GridVariant& vCol) const
{
    return table_->Column(table_->ColPosition(vCol)).SortType;
}
void Tavix::SetColSortType(const GridVariant& vCol, ESortTypes eSortType) { table_->SetColSortType(vCol, eSortType); }

ESortOrders Tavix::ColSortOrder(const GridVariant& vCol) const
{
    return table_->Column(table_->ColPosition(vCol)).SortOrder;
}

void Tavix::SetColSortOrder(const GridVariant& vCol, ESortOrders eSortOrder)
{
    table_->SetColSortOrder(vCol, eSortOrder);
}
int32_t Tavix::ColSortKey(const GridVariant& vCol) const { return table_->Column(table_->ColPosition(vCol)).SortKey; }
void Tavix::SetColSortKey(const GridVariant& vCol, int32_t lSortKey) { table_->SetColSortKey(vCol, lSortKey); }

}  // namespace tavix
