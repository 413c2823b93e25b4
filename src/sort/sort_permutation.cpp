#include "sort/sort_permutation.h"

#include "sort/sort_keys.h"

#include <tavix/error.h>

namespace tavix {

namespace {

// A row and its place under the leading criteria: most comparisons are settled by the places
// held right here, without reaching into the keys.
struct Slot {
    uint64_t place;
    int32_t row;
};

class PlacedRows {
public:
    PlacedRows(SortKeys& keys, int32_t rowCount)
        : keys_(keys)
    {
        const std::vector<uint64_t> places = keys.Places(rowCount);
        first_ = keys.RankedCount();
        slots_.resize(static_cast<size_t>(rowCount) + 1);
        for (int32_t r = 0; r <= rowCount; ++r)
            slots_[static_cast<size_t>(r)] = { places[static_cast<size_t>(r)], r };
    }

    Slot& operator[](int32_t position) { return slots_[static_cast<size_t>(position)]; }
    bool Ge(const Slot& held, const Slot& other)
    {
        if (held.place != other.place)
            return held.place > other.place;
        return keys_.CompareFrom(first_, held.row, other.row);
    }

private:
    SortKeys& keys_;
    size_t first_ { 0 };
    std::vector<Slot> slots_;
};

// rows[p] is the row at position p (1-based, rows[0] unused).
void SortRange(PlacedRows& rows, int32_t lo, int32_t hi)
{
    const int32_t n = hi - lo + 1;
    if (n < 2)
        return;
    if (n == 2) {
        if (rows.Ge(rows[lo], rows[hi]))
            std::swap(rows[lo], rows[hi]);
        return;
    }
    int32_t h = 1;
    while (3 * h + 1 < n)
        h = 3 * h + 1;
    for (; h >= 1; h = (h - 1) / 3) {
        for (int32_t i = lo + h; i <= hi; ++i) {
            const Slot held = rows[i];
            int32_t j = i - h;
            try {
                while (j >= lo && !rows.Ge(held, rows[j])) {
                    rows[j + h] = rows[j];
                    j -= h;
                }
            } catch (...) {
                rows[j + h] = held;  // keep every row exactly once
                throw;
            }
            rows[j + h] = held;
        }
    }
}

}  // namespace

std::vector<int32_t> SortPermutation(
    const ShellSortObject& criteria, SortSource& source, int32_t rowCount, bool groupMode)
{
    rowCount = rowCount > 0 ? rowCount : 0;
    std::vector<int32_t> order(static_cast<size_t>(rowCount));
    for (int32_t p = 1; p <= rowCount; ++p)
        order[static_cast<size_t>(p - 1)] = p;
    if (criteria.ColCount() == 0 || (groupMode && rowCount <= 2))
        return order;
    SortKeys keys(criteria, source, rowCount);
    PlacedRows rows(keys, rowCount);
    try {
        if (!groupMode) {
            SortRange(rows, 1, rowCount);
        } else {
            int32_t start = 1;
            for (int32_t r = 1; r <= rowCount + 1; ++r) {
                if (r <= rowCount && !source.IsGroupRow(r))
                    continue;
                SortRange(rows, start, r - 1);
                start = r + 1;
            }
        }
    } catch (const TavixError&) {
        // The order reached stands; see the header.
    }
    for (int32_t p = 1; p <= rowCount; ++p)
        order[static_cast<size_t>(p - 1)] = rows[p].row;
    return order;
}

}  // namespace tavix
