#pragma once

#include "cell_data.h"

#include <cstdint>
#include <vector>

namespace tavix::core {

// All cells in one block, row-major: a row's cells are adjacent, so moving a
// row moves one contiguous run and painting a row touches one cache-friendly span.
class CellMatrix {
public:
    int32_t Columns() const { return columns_; }
    int32_t Rows() const { return rows_; }

    CellData& At(int32_t row, int32_t colIndex) { return cells_[Offset(row, colIndex)]; }
    const CellData& At(int32_t row, int32_t colIndex) const { return cells_[Offset(row, colIndex)]; }

    // Keeps the cells of the rows that remain; new storage holds default cells.
    void ResizeRows(int32_t rows);
    // Inserts column `colIndex` (1-based); cells at or above it move one index up.
    void InsertColumn(int32_t colIndex);
    void RemoveColumn(int32_t colIndex);
    void RotateDown(int32_t row, int32_t last);
    void RotateUp(int32_t row, int32_t last);
    void Reset(int32_t columns);

    // Number of row allocation changes, for tests and benchmarks of block growth.
    int64_t Reallocations() const { return reallocations_; }

private:
    size_t Offset(int32_t row, int32_t colIndex) const
    {
        return static_cast<size_t>(row - 1) * static_cast<size_t>(columns_) + static_cast<size_t>(colIndex - 1);
    }
    void Rebuild(int32_t columns, int32_t skipOrInsertAt, bool inserting);

    std::vector<CellData> cells_;
    int32_t columns_ { 0 };
    int32_t rows_ { 0 };
    int64_t reallocations_ { 0 };
};

}  // namespace tavix::core
