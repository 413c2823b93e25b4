#pragma once

#include "core/cell_data.h"
#include "core/cell_look_pool.h"
#include "core/huge_page_allocator.h"
#include "core/row_blocks.h"
#include "core/row_slots.h"

#include <cstdint>
#include <span>

namespace tavix::core {

// All cells of the grid. A row's cells are adjacent, so painting and sorting take a
// row as one span; rows are stored in blocks so that adding rows does not copy the
// cells already there over and over. A row's cells stay where they were written:
// the rows' order is a map from row to storage, so that sorting, inserting and
// removing rows move four bytes a row instead of every cell.
class CellMatrix {
public:
    int32_t Columns() const { return cells_.Width(); }
    int32_t Rows() const { return static_cast<int32_t>(cells_.Rows()); }

    CellData& At(int32_t row, int32_t colIndex) { return cells_.Row(StorageOf(row))[colIndex - 1]; }
    const CellData& At(int32_t row, int32_t colIndex) const { return cells_.Row(StorageOf(row))[colIndex - 1]; }

    const CellLook& LookOf(const CellData& cell) const { return looks_.At(cell.Look); }
    // The number of a look, added to the grid's looks when it is new.
    uint32_t LookIndex(const CellLook& look) { return looks_.IndexOf(look); }

    // Keeps the cells of the rows that remain; new rows hold blank cells, or
    // copies of the row at `fill` (one cell per column) when given.
    void ResizeRows(int32_t rows, const CellData* fill = nullptr);
    // Inserts column `colIndex` (1-based); cells at or above it move one index up.
    void InsertColumn(int32_t colIndex);
    void RemoveColumn(int32_t colIndex);
    // Moves row last to place `row`, shifting row..last-1 down one place.
    void RotateDown(int32_t row, int32_t last);
    // Moves row `row` to place last, shifting row+1..last up one place.
    void RotateUp(int32_t row, int32_t last);
    // Row p takes the cells of row order[p - 1] (1-based rows, a permutation of 1..size).
    void Reorder(std::span<const int32_t> order);
    void Reset(int32_t columns);

    // Number of row allocation changes, for tests and benchmarks of block growth.
    int64_t Reallocations() const { return reallocations_; }

private:
    size_t StorageOf(int32_t row) const { return slots_[static_cast<size_t>(row - 1)]; }
    void Rebuild(int32_t columns, int32_t colIndex, bool inserting);

    RowBlocks<CellData> cells_;
    RowSlots slots_;
    CellLookPool looks_;
    int64_t reallocations_ { 0 };
};

}  // namespace tavix::core
