#pragma once

#include "core/cell_data.h"
#include "core/cell_look_pool.h"
#include "core/huge_page_allocator.h"
#include "core/row_blocks.h"
#include "core/row_slots.h"

#include <cstdint>

namespace tavix::core {

// All cells of the grid. A row's cells are adjacent, so painting and sorting take a
// row as one span; rows are stored in blocks so that adding rows does not copy the
// cells already there over and over. A row's cells stay where they were written, in
// the slot of its record: the row records' slots give the rows' order, so sorting,
// inserting and removing rows move four bytes a row instead of every cell.
class CellMatrix {
public:
    // slots: the row records' slots, which this matrix's rows follow (slot s holds row s - 1 here).
    explicit CellMatrix(const RowSlots& slots)
        : slots_(slots)
    {
    }

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
    // Exchanges the cells held in two slots, as the row records' slots trade places.
    void SwapSlots(size_t a, size_t b);
    // Inserts column `colIndex` (1-based); cells at or above it move one index up.
    void InsertColumn(int32_t colIndex);
    void RemoveColumn(int32_t colIndex);
    void Reset(int32_t columns);

    // Number of row allocation changes, for tests and benchmarks of block growth.
    int64_t Reallocations() const { return reallocations_; }

private:
    size_t StorageOf(int32_t row) const { return slots_[static_cast<size_t>(row)] - 1; }
    void Rebuild(int32_t columns, int32_t colIndex, bool inserting);

    const RowSlots& slots_;
    RowBlocks<CellData> cells_;
    CellLookPool looks_;
    int64_t reallocations_ { 0 };
};

}  // namespace tavix::core
