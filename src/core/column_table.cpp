#include "core/column_table.h"

#include "core/extent.h"

#include <algorithm>

namespace tavix::core {

ColumnTable::ColumnTable() { Reset(); }

int32_t ColumnTable::PositionOfIndex(int32_t index) const
{
    // Indices are unique, and until columns are moved each sits at its own
    // position: every new cell looks its column up here.
    if (index >= 1 && index <= Count() && At(index).Index == index)
        return index;
    for (int32_t p = 1; p <= Count(); ++p)
        if (At(p).Index == index)
            return p;
    return 0;
}

int32_t ColumnTable::PositionOfKeyLower(const std::string& keyLower) const
{
    for (int32_t p = 1; p <= Count(); ++p)
        if (At(p).KeyLower == keyLower)
            return p;
    return 0;
}

int32_t ColumnTable::VisibleBefore(int32_t position) const
{
    int32_t n = 0;
    for (int32_t p = 1; p < position; ++p)
        if (At(p).Visible)
            ++n;
    return n;
}

ColumnData& ColumnTable::Insert(int32_t position, int32_t index)
{
    for (auto it = records_.begin() + 1; it != records_.end(); ++it)
        if (it->Index >= index)
            ++it->Index;
    auto inserted = records_.emplace(records_.begin() + position);
    inserted->Index = index;
    return *inserted;
}

void ColumnTable::Retire(ColumnData& record)
{
    if (record.DefaultCell)
        retiredDefaultCells_.push_back(std::move(record.DefaultCell));
}

void ColumnTable::Remove(int32_t position)
{
    const int32_t index = At(position).Index;
    Retire(At(position));
    records_.erase(records_.begin() + position);
    for (auto it = records_.begin() + 1; it != records_.end(); ++it)
        if (it->Index > index)
            --it->Index;
}

void ColumnTable::Move(int32_t from, int32_t to)
{
    const auto first = records_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

void ColumnTable::Permute(std::span<const int32_t> fromPositions)
{
    std::vector<ColumnData> permuted;
    permuted.reserve(records_.size());
    permuted.push_back(std::move(records_[0]));
    for (int32_t from : fromPositions)
        permuted.push_back(std::move(records_[static_cast<size_t>(from)]));
    records_ = std::move(permuted);
}

void ColumnTable::Reset()
{
    for (ColumnData& record : records_)
        Retire(record);
    records_.clear();
    records_.emplace_back();
}

void ColumnTable::RecalcLefts()
{
    records_[0].Width = 0;
    int32_t left = 0;
    for (int32_t p = 1; p <= Count(); ++p) {
        ColumnData& c = At(p);
        c.Left = left;
        if (c.Visible)
            left += c.Width;
    }
}

int64_t ColumnTable::Extent() const
{
    int64_t total = 0;
    for (int32_t p = 1; p <= Count(); ++p)
        total += ExtentOf(At(p).Width);
    return total;
}

}  // namespace tavix::core
