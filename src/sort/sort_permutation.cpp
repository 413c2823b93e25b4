#include "sort/sort_permutation.h"

#include "sort/sort_keys.h"

#include <tavix/error.h>

#include <algorithm>
#include <utility>

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
    using Item = Slot;

    PlacedRows(SortKeys& keys, core::HugePageVector<uint64_t> places)
        : keys_(keys)
        , first_(keys.RankedCount())
    {
        slots_.resize(places.size());
        for (size_t r = 0; r < places.size(); ++r)
            slots_[r] = { places[r], static_cast<int32_t>(r) };
    }

    Slot& operator[](int32_t position) { return slots_[static_cast<size_t>(position)]; }
    int32_t RowOf(const Slot& s) const { return s.row; }
    bool Ge(const Slot& held, const Slot& other)
    {
        if (held.place != other.place)
            return held.place > other.place;
        return keys_.CompareFrom(first_, held.row, other.row);
    }

private:
    SortKeys& keys_;
    size_t first_ { 0 };
    core::HugePageVector<Slot> slots_;
};

// When the places decide every comparison, each row is one word: its dense rank above its
// number. Half the bytes of a slot for the shell sort to move, and no call to compare.
class RankedRows {
public:
    using Item = uint64_t;

    // inOrder: the rows may start in the radix order when no two places are equal, for then
    // every sort ends in that one order, and the shell sort finds nothing left to move.
    RankedRows(const core::HugePageVector<uint64_t>& places, bool inOrder)
        : words_(places.size())
    {
        const core::HugePageVector<uint32_t> sorted = RowsByPlace(places);
        uint32_t rank = 0;
        for (size_t i = 0; i < sorted.size(); ++i) {
            if (i > 0 && places[sorted[i]] != places[sorted[i - 1]])
                ++rank;
            words_[sorted[i]] = uint64_t { rank } << 32 | sorted[i];
        }
        if (inOrder && rank + size_t { 1 } == sorted.size())
            for (size_t i = 0; i < sorted.size(); ++i)
                words_[i + 1] = uint64_t { i } << 32 | sorted[i];
    }

    uint64_t& operator[](int32_t position) { return words_[static_cast<size_t>(position)]; }
    int32_t RowOf(uint64_t w) const { return static_cast<int32_t>(w & 0xFFFFFFFFu); }
    bool Ge(uint64_t held, uint64_t other) const { return (held >> 32) >= (other >> 32); }

private:
    // Rows 1.. (element 0 of places is unused) in order of their places: a least-significant-digit
    // radix sort of 16-bit digits that skips the digits every place shares.
    static core::HugePageVector<uint32_t> RowsByPlace(const core::HugePageVector<uint64_t>& places)
    {
        constexpr int kDigitBits = 16;
        constexpr uint64_t kDigitMask = (uint64_t { 1 } << kDigitBits) - 1;
        const size_t n = places.size() - 1;
        core::HugePageVector<uint32_t> from(n), to(n);
        uint64_t differing = 0;
        for (size_t i = 0; i < n; ++i) {
            from[i] = static_cast<uint32_t>(i + 1);
            differing |= places[i + 1] ^ places[1];
        }
        std::vector<size_t> counts(kDigitMask + 1);
        for (int shift = 0; shift < 64; shift += kDigitBits) {
            if (((differing >> shift) & kDigitMask) == 0)
                continue;
            std::fill(counts.begin(), counts.end(), 0);
            for (const uint32_t row : from)
                ++counts[(places[row] >> shift) & kDigitMask];
            size_t sum = 0;
            for (size_t& c : counts)
                sum += std::exchange(c, sum);
            for (const uint32_t row : from)
                to[counts[(places[row] >> shift) & kDigitMask]++] = row;
            from.swap(to);
        }
        return from;
    }

    core::HugePageVector<uint64_t> words_;
};

// rows[p] is the row at position p (1-based, rows[0] unused).
template <typename Rows> void SortRange(Rows& rows, int32_t lo, int32_t hi)
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
            const typename Rows::Item held = rows[i];
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

template <typename Rows>
void SortRuns(Rows& rows, SortSource& source, int32_t rowCount, bool groupMode, core::HugePageVector<int32_t>& order)
{
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
        order[static_cast<size_t>(p - 1)] = rows.RowOf(rows[p]);
}

}  // namespace

core::HugePageVector<int32_t> SortPermutation(
    const ShellSortObject& criteria, SortSource& source, int32_t rowCount, bool groupMode)
{
    rowCount = rowCount > 0 ? rowCount : 0;
    core::HugePageVector<int32_t> order(static_cast<size_t>(rowCount));
    for (int32_t p = 1; p <= rowCount; ++p)
        order[static_cast<size_t>(p - 1)] = p;
    if (criteria.ColCount() == 0 || (groupMode && rowCount <= 2))
        return order;
    SortKeys keys(criteria, source, rowCount);
    core::HugePageVector<uint64_t> places = keys.Places(rowCount);
    if (keys.FullyRanked() && rowCount > 0) {
        RankedRows rows(places, !groupMode);
        places = {};
        SortRuns(rows, source, rowCount, groupMode, order);
    } else {
        PlacedRows rows(keys, std::move(places));
        SortRuns(rows, source, rowCount, groupMode, order);
    }
    return order;
}

}  // namespace tavix
