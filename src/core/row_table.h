#pragma once

#include "core/row_blocks.h"
#include "core/row_data.h"
#include "core/row_slots.h"

#include <cstdint>
#include <span>
#include <utility>

namespace tavix::core {

// Row records 0..allocation; element 0 is the sentinel, rows above the row
// count are spare storage that keeps whatever it held. Block storage, so
// growing the table does not copy the records again and again; records stay
// where they were written and the rows' order is kept in their slots.
class RowTable {
public:
    RowTable() { Resize(0); }

    int32_t Allocated() const { return static_cast<int32_t>(records_.Rows()) - 1; }
    RowData& At(int32_t row) { return *records_.Row(slots_[static_cast<size_t>(row)]); }
    const RowData& At(int32_t row) const { return *records_.Row(slots_[static_cast<size_t>(row)]); }

    // alsoSwap(a, b) exchanges what slots a and b hold in storage that follows these slots.
    template <typename Swap> void Resize(int32_t allocation, Swap alsoSwap)
    {
        const size_t size = static_cast<size_t>(allocation) + 1;
        slots_.Resize(size, [&](size_t a, size_t b) {
            std::swap(*records_.Row(a), *records_.Row(b));
            alsoSwap(a, b);
        });
        records_.Resize(size);
    }
    void Resize(int32_t allocation)
    {
        Resize(allocation, [](size_t, size_t) {});
    }
    // Where each row is stored; slot 0 is the sentinel's.
    const RowSlots& Slots() const { return slots_; }
    // Moves row last to place `row`, shifting row..last-1 down one place.
    void RotateDown(int32_t row, int32_t last)
    {
        slots_.RotateDown(static_cast<size_t>(row), static_cast<size_t>(last));
    }
    // Moves row `row` to place last, shifting row+1..last up one place.
    void RotateUp(int32_t row, int32_t last) { slots_.RotateUp(static_cast<size_t>(row), static_cast<size_t>(last)); }
    // Row p takes the record of row order[p - 1] (1-based rows, a permutation of 1..size); the
    // order is spent.
    void Reorder(std::span<int32_t> order) { slots_.Reorder(order, 1); }

    void RecalcTops(int32_t from, int32_t rowCount);
    void RecalcOddRows(int32_t from, int32_t rowCount);

private:
    RowBlocks<RowData> records_ { 1 };
    RowSlots slots_;
};

}  // namespace tavix::core
