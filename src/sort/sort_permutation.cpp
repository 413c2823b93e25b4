#include "sort/sort_permutation.h"

#include "sort/sort_keys.h"

#include <tavix/error.h>

#include <algorithm>
#include <bit>
#if defined(__x86_64__)
#include <immintrin.h>
#endif
#include <numeric>
#include <utility>

namespace tavix {

namespace {

// One step of the h-sorting pass: row i goes back along its chain (i - h, i - 2h, ...) past
// the rows that sort after it. Each chain ends sorted, and rows that compare equal keep
// their order within it.
template <typename Rows> void InsertAt(Rows& rows, int32_t lo, int32_t i, int32_t h)
{
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
    void InsertionPass(int32_t lo, int32_t hi, int32_t h)
    {
        for (int32_t i = lo + h; i <= hi; ++i)
            InsertAt(*this, lo, i, h);
    }

private:
    SortKeys& keys_;
    size_t first_ { 0 };
    core::HugePageVector<Slot> slots_;
};

// The h-sorting pass over ranked words, which never throws. A word sorts after another
// exactly when it is greater than the other's rank with the row half all ones.
void InsertWord(uint64_t* w, size_t lo, size_t i, size_t h)
{
    const uint64_t held = w[i];
    const uint64_t key = held | 0xFFFFFFFFu;
    size_t j = i;
    for (; j >= lo + h && w[j - h] > key; j -= h)
        w[j] = w[j - h];
    w[j] = held;
}

#if defined(__x86_64__)
// Four neighbouring rows lie on four different chains when h >= 4, and their steps do
// not touch each other: they go back together, one lane each, and the pass waits on
// one branch per step instead of guessing one per row. Ranks stay below 2^31, so
// signed comparisons order the words.
__attribute__((target("avx2"))) void RankedPassAvx2(uint64_t* w, size_t lo, size_t hi, size_t h)
{
    const __m256i rowHalf = _mm256_set1_epi64x(0xFFFFFFFF);
    size_t i = lo + h;
    size_t chain = 0;  // (i - lo) % h, kept without dividing
    while (i <= hi) {
        // The four chains must be equally long: the lanes step back in lockstep.
        if (i + 3 > hi || chain + 3 >= h) {
            InsertWord(w, lo, i++, h);
            chain = chain + 1 == h ? 0 : chain + 1;
            continue;
        }
        const __m256i held = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + i));
        const __m256i key = _mm256_or_si256(held, rowHalf);
        __m256i moving = _mm256_set1_epi64x(-1);  // lanes whose place is still open at j
        size_t j = i;
        for (; j >= lo + h; j -= h) {
            auto* at = reinterpret_cast<__m256i*>(w + j);
            const __m256i above = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + j - h));
            const __m256i shift = _mm256_and_si256(moving, _mm256_cmpgt_epi64(above, key));
            if (_mm256_testz_si256(shift, shift))
                break;
            // Shifting lanes take the word above, lanes that just stopped take theirs, the rest keep.
            const __m256i stay = _mm256_blendv_epi8(_mm256_loadu_si256(at), held, moving);
            _mm256_storeu_si256(at, _mm256_blendv_epi8(stay, above, shift));
            moving = shift;
        }
        auto* at = reinterpret_cast<__m256i*>(w + j);
        _mm256_storeu_si256(at, _mm256_blendv_epi8(_mm256_loadu_si256(at), held, moving));
        i += 4;
        chain += 4;  // below h + 3, as h >= 4
        chain -= chain >= h ? h : 0;
    }
}

// The same with eight lanes, for gaps of 16 and more: below that, too many rows lie where
// eight neighbouring chains are not all equally long.
__attribute__((target("avx512f"))) void RankedPassAvx512(uint64_t* w, size_t lo, size_t hi, size_t h)
{
    const __m512i rowHalf = _mm512_set1_epi64(0xFFFFFFFF);
    size_t i = lo + h;
    size_t chain = 0;
    while (i <= hi) {
        if (i + 7 > hi || chain + 7 >= h) {
            InsertWord(w, lo, i++, h);
            chain = chain + 1 == h ? 0 : chain + 1;
            continue;
        }
        const __m512i held = _mm512_loadu_si512(w + i);
        const __m512i key = _mm512_or_si512(held, rowHalf);
        __mmask8 moving = 0xFF;
        size_t j = i;
        for (; j >= lo + h; j -= h) {
            const __m512i above = _mm512_loadu_si512(w + j - h);
            const __mmask8 shift = _mm512_mask_cmpgt_epi64_mask(moving, above, key);
            if (shift == 0)
                break;
            const __m512i stay = _mm512_mask_blend_epi64(moving, _mm512_loadu_si512(w + j), held);
            _mm512_storeu_si512(w + j, _mm512_mask_blend_epi64(shift, stay, above));
            moving = shift;
        }
        _mm512_mask_storeu_epi64(w + j, moving, held);
        i += 8;
        chain += 8;
        chain -= chain >= h ? h : 0;
    }
}

#endif

void RankedInsertionPass(uint64_t* w, size_t lo, size_t hi, size_t h)
{
#if defined(__x86_64__)
    static const bool avx512 = __builtin_cpu_supports("avx512f");
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx512 && h >= 16) {
        RankedPassAvx512(w, lo, hi, h);
        return;
    }
    if (avx2 && h >= 4) {
        RankedPassAvx2(w, lo, hi, h);
        return;
    }
#endif
    for (size_t i = lo + h; i <= hi; ++i)
        InsertWord(w, lo, i, h);
}

// When the places decide every comparison, each row is one word: its dense rank above its
// number. Half the bytes of a slot for the shell sort to move, and no call to compare.
class RankedRows {
public:
    using Item = uint64_t;

    // inOrder: the rows may start in the radix order when no two places are equal, for then
    // every sort ends in that one order, and the shell sort finds nothing left to move.
    // The words take the places' memory: each place is read before its row's word is written.
    RankedRows(core::HugePageVector<uint64_t>&& places, bool inOrder)
        : words_(std::move(places))
    {
        const auto& placesOf = words_;
        const uint64_t least = *std::min_element(placesOf.begin() + 1, placesOf.end());
        uint64_t span = 0;
        for (size_t r = 1; r < placesOf.size(); ++r)
            span = std::max(span, placesOf[r] - least);
        // Places of a small span are ranks already, as far as order goes; only a run that may
        // start in order (all places distinct) needs them sorted first.
        if (span < kRankLimit && !(inOrder && MayBeDistinct(placesOf, least, span))) {
            for (size_t r = 1; r < words_.size(); ++r)
                words_[r] = (words_[r] - least) << 32 | r;
            return;
        }
        const core::HugePageVector<uint32_t> sorted = RowsByPlace(placesOf, least, span);
        uint32_t rank = 0;
        uint64_t previous = 0;
        for (size_t i = 0; i < sorted.size(); ++i) {
            const uint64_t place = words_[sorted[i]];
            if (i > 0 && place != previous)
                ++rank;
            previous = place;
            words_[sorted[i]] = uint64_t { rank } << 32 | sorted[i];
        }
        if (inOrder && rank + size_t { 1 } == sorted.size())
            for (size_t i = 0; i < sorted.size(); ++i)
                words_[i + 1] = uint64_t { i } << 32 | sorted[i];
    }

    uint64_t& operator[](int32_t position) { return words_[static_cast<size_t>(position)]; }
    int32_t RowOf(uint64_t w) const { return static_cast<int32_t>(w & 0xFFFFFFFFu); }
    bool Ge(uint64_t held, uint64_t other) const { return (held >> 32) >= (other >> 32); }

    void InsertionPass(int32_t lo, int32_t hi, int32_t h)
    {
        RankedInsertionPass(words_.data(), static_cast<size_t>(lo), static_cast<size_t>(hi), static_cast<size_t>(h));
    }

private:
    // Ranks stay below 2^31: the pass compares words as signed numbers.
    static constexpr uint64_t kRankLimit = uint64_t { 1 } << 31;

    // False when two places are known to be equal: a bit per value of a span not much wider than the rows.
    static bool MayBeDistinct(const core::HugePageVector<uint64_t>& places, uint64_t least, uint64_t span)
    {
        if (span >= 16 * places.size())
            return true;
        std::vector<uint64_t> seen(span / 64 + 1);
        for (size_t r = 1; r < places.size(); ++r) {
            const uint64_t k = places[r] - least;
            uint64_t& word = seen[k / 64];
            const uint64_t bit = uint64_t { 1 } << (k % 64);
            if (word & bit)
                return false;
            word |= bit;
        }
        return true;
    }

    // Rows 1.. (element 0 of places is unused) in order of their places: a least-significant-digit
    // radix sort of the places less the least one, in as few digits of at most 11 bits as their
    // span needs. Small digits keep the counts, and the places they scatter to, in the caches.
    static core::HugePageVector<uint32_t> RowsByPlace(
        const core::HugePageVector<uint64_t>& places, uint64_t least, uint64_t span)
    {
        constexpr int kMaxDigitBits = 11;
        const size_t n = places.size() - 1;
        core::HugePageVector<uint32_t> from(n), to(n);
        std::iota(from.begin(), from.end(), uint32_t { 1 });
        const int bits = std::bit_width(span);
        const int digits = (bits + kMaxDigitBits - 1) / kMaxDigitBits;
        if (digits == 0)
            return from;
        const int digitBits = (bits + digits - 1) / digits;
        const uint64_t mask = (uint64_t { 1 } << digitBits) - 1;
        std::vector<size_t> counts(mask + 1);
        for (int shift = 0; shift < bits; shift += digitBits) {
            std::fill(counts.begin(), counts.end(), 0);
            for (const uint32_t row : from)
                ++counts[((places[row] - least) >> shift) & mask];
            size_t sum = 0;
            for (size_t& c : counts)
                sum += std::exchange(c, sum);
            for (const uint32_t row : from)
                to[counts[((places[row] - least) >> shift) & mask]++] = row;
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
        rows.InsertionPass(lo, hi, h);
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
        RankedRows rows(std::move(places), !groupMode);
        SortRuns(rows, source, rowCount, groupMode, order);
    } else {
        PlacedRows rows(keys, std::move(places));
        SortRuns(rows, source, rowCount, groupMode, order);
    }
    return order;
}

}  // namespace tavix
