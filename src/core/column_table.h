#pragma once

#include "core/column_data.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tavix::core {

// Column records in display order; element 0 is the sentinel (Width 0, Left 0).
class ColumnTable {
public:
    ColumnTable();

    int32_t Count() const { return static_cast<int32_t>(records_.size()) - 1; }
    ColumnData& At(int32_t position) { return records_[static_cast<size_t>(position)]; }
    const ColumnData& At(int32_t position) const { return records_[static_cast<size_t>(position)]; }

    int32_t PositionOfIndex(int32_t index) const;
    // First position whose KeyLower equals keyLower, 0 when none.
    int32_t PositionOfKeyLower(const std::string& keyLower) const;
    // Visible columns at positions 1..position-1: the header place of a column.
    int32_t VisibleBefore(int32_t position) const;

    // Inserts at position and renumbers indices >= index.
    ColumnData& Insert(int32_t position, int32_t index);
    // Removes the record and closes the gap in the indices. The column's default cell
    // stays valid: the application may hold it, and public objects live as long as the grid.
    void Remove(int32_t position);
    void Move(int32_t from, int32_t to);
    // Position p receives the record that was at fromPositions[p - 1]; the caller
    // hands a permutation of 1..Count().
    void Permute(std::span<const int32_t> fromPositions);
    // Removes every record; their default cells stay valid as with Remove.
    void Reset();
    void RecalcLefts();
    // The sum of the widths' magnitudes, hidden columns included (see extent.h).
    int64_t Extent() const;

private:
    void Retire(ColumnData& record);

    std::vector<ColumnData> records_;
    std::vector<std::unique_ptr<CellObject>> retiredDefaultCells_;
};

}  // namespace tavix::core
