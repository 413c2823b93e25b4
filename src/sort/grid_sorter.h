// The grid's sort routine and the two records of the sort kept in step: the criteria of the
// grid's ShellSortObject and each column's SortKey / SortOrder.
#pragma once

#include "core/grid_table.h"

#include <tavix/shell_sort_object.h>

#include <cstdint>
#include <vector>

namespace tavix::sort {

class GridSorter {
public:
    explicit GridSorter(core::GridTable& table)
        : table_(table)
    {
    }
    GridSorter(const GridSorter&) = delete;
    GridSorter& operator=(const GridSorter&) = delete;

    // The grid's one criteria object, kept for the grid's life.
    ShellSortObject& Criteria() { return criteria_; }

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

    // The public members: sorting by the criteria as they stand, by columns
    // (ascending, each by its sort type), and what a header click does.
    void SortAgain();
    void SortByColumns(const std::vector<int32_t>& colIndexes);
    void DoDefaultSort(int32_t colIndex, int16_t shift, int32_t order);
    // A click on a column's header item: ColHeaderClick, then unless the application
    // declines, the default sort with the shift state of the click and ContentsSorted.
    // x, y are in header coordinates.
    void HeaderClick(int32_t colIndex, int16_t shift, int32_t x, int32_t y);

private:
    core::GridTable& table_;
    ShellSortObject criteria_;
};

}  // namespace tavix::sort
