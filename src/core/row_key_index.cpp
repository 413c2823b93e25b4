#include "core/row_key_index.h"

#include <algorithm>

namespace tavix::core {

RowKeyIndex::Lookup RowKeyIndex::Find(const std::string& key, const KeyOf& keyOf) const
{
    const int32_t count = Count();
    if (count == 0)
        return { 1, false };
    int32_t low = 1;
    int32_t high = count;
    while (low <= high) {
        // Upper middle: with low = 1 this is (high + 1) / 2.
        const int32_t middle = low + (high - low + 1) / 2;
        const int cmp = key.compare(keyOf(RowAt(middle)));
        if (cmp == 0)
            return { middle, true };
        if (cmp < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return { low, false };
}

void RowKeyIndex::Insert(int32_t position, int32_t row, bool shifting)
{
    if (shifting)
        ShiftFrom(row, 1);
    if (Count() == capacity_) {
        capacity_ *= 2;
        rows_.reserve(static_cast<size_t>(capacity_));
    }
    rows_.insert(rows_.begin() + (position - 1), row);
}

void RowKeyIndex::Remove(int32_t position, bool shifting)
{
    const int32_t removed = RowAt(position);
    rows_.erase(rows_.begin() + (position - 1));
    if (shifting)
        for (int32_t& r : rows_)
            if (r > removed)
                --r;
}

void RowKeyIndex::ShiftFrom(int32_t row, int32_t delta)
{
    for (int32_t& r : rows_)
        if (r >= row)
            r += delta;
}

void RowKeyIndex::DropAbove(int32_t lastRow)
{
    std::erase_if(rows_, [lastRow](int32_t r) { return r > lastRow; });
}

void RowKeyIndex::Clear() { rows_.clear(); }

}  // namespace tavix::core
