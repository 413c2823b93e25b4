// The grid's sort routine and the two records of the sort kept in step: the criteria of the
// grid's ShellSortObject and each column's SortKey / SortOrder.
#pragma once

#include <cstdint>

#include "tavix/shell_sort_object.h"

namespace tavix::core {
class GridState;
}

namespace tavix {

class GridSorter {
public:
    explicit GridSorter(core::GridState& state)
        : state_(state)
    {
    }

    // The grid's one criteria object, created with its first use and kept for the grid's life.
    ShellSortObject& Criteria();

    // Sorts the rows by the criteria; the current cell follows its row.
    void ApplySort();
    // Every column's SortKey and SortOrder from the criteria.
    void MarkColumnsFromCriteria();
    // Shift-click: adds column colIndex to the sort or changes its order. order -1 = default.
    void AddOrToggleColumn(int32_t colIndex, int32_t order);
    // Plain click: column colIndex becomes the only sort column.
    void SortOnlyBy(int32_t colIndex, int32_t order);
    // Criteria 1..count from the columns' SortKey, SortOrder and SortType (also for a restored
    // layout); a criterion no column names keeps what it held.
    void RebuildSortCriteria(int32_t count);

private:
    int32_t CurrentRowAfterSort(bool hadCurrentRow);
    void RebuildRowKeys();
    void RestoreCurrentCell();

    core::GridState& state_;
};

}  // namespace tavix
