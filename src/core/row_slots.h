#pragma once

#include "core/huge_page_allocator.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <span>
#include <vector>

namespace tavix::core {

// Where each row (0-based) is stored: a permutation of the storage slots 0..size-1.
// Sorting, inserting and removing rows change this map, four bytes a row, while what
// the rows hold stays where it was written.
class RowSlots {
public:
    size_t operator[](size_t row) const { return slots_[row]; }
    size_t Size() const { return slots_.size(); }

    // New rows take the new slots at the end. Before the last rows are dropped, the rows
    // kept that are stored above the new size trade places with the slots the dropped
    // ones leave below it: swap(a, b) exchanges what slots a and b hold.
    template <typename Swap> void Resize(size_t rows, Swap swap)
    {
        if (rows < slots_.size())
            Compact(rows, swap);
        const size_t old = slots_.size();
        slots_.resize(rows);
        if (rows > old)
            std::iota(slots_.begin() + static_cast<std::ptrdiff_t>(old), slots_.end(), static_cast<uint32_t>(old));
    }

    // Moves row last to place `row`, shifting row..last-1 one place down.
    void RotateDown(size_t row, size_t last)
    {
        if (row < last)
            std::rotate(At(row), At(last), At(last + 1));
    }
    // Moves row `row` to place last, shifting row+1..last one place up.
    void RotateUp(size_t row, size_t last)
    {
        if (row < last)
            std::rotate(At(row), At(row + 1), At(last + 1));
    }

    // Row first + p takes the slot of row first + order[p] - 1; the other rows keep theirs. The
    // order is spent: its memory holds the new slots on their way, rather than a second map.
    void Reorder(std::span<int32_t> order, size_t first)
    {
        for (int32_t& o : order)
            o = static_cast<int32_t>(slots_[first + static_cast<size_t>(o - 1)]);
        std::transform(order.begin(), order.end(), At(first), [](int32_t s) { return static_cast<uint32_t>(s); });
    }

private:
    HugePageVector<uint32_t>::iterator At(size_t row) { return slots_.begin() + static_cast<std::ptrdiff_t>(row); }

    template <typename Swap> void Compact(size_t rows, Swap swap)
    {
        std::vector<uint32_t> free;
        for (size_t r = rows; r < slots_.size(); ++r)
            if (slots_[r] < rows)
                free.push_back(slots_[r]);
        auto slot = free.begin();
        for (size_t r = 0; r < rows && slot != free.end(); ++r) {
            if (slots_[r] < rows)
                continue;
            swap(slots_[r], *slot);
            slots_[r] = *slot++;
        }
    }

    HugePageVector<uint32_t> slots_;
};

}  // namespace tavix::core
