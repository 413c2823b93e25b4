// One sort key per row, held in one block: the UTF-16 units of a display text, or the bytes of
// a collation key. The first sixteen bytes of each key are packed beside its length so that
// most comparisons never touch the block.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/huge_page_allocator.h"

namespace tavix {

// The first units of a row's key packed most significant first, the key's length (capped just
// above what the packing holds) and the row: a sort of these reads the block only for keys that
// agree on all they hold.
struct PackedKey {
    uint64_t high { 0 };
    uint64_t low { 0 };
    uint32_t length { 0 };
    int32_t row { 0 };
};

template <typename Unit> class KeyColumn {
public:
    explicit KeyColumn(int32_t rowCount)
    {
        starts_.reserve(static_cast<size_t>(rowCount) + 2);
        packed_.reserve(static_cast<size_t>(rowCount) + 1);
        // Room for keys of a typical length at once: growing by doubling would take fresh
        // memory from the kernel several times over.
        units_.reserve(static_cast<size_t>(rowCount) * kTypicalUnits);
        starts_.push_back(0);
        Add({});  // row 0 is never compared
    }

    // Rows are added in order, 1 upwards.
    void Add(std::basic_string_view<Unit> key)
    {
        units_.insert(units_.end(), key.begin(), key.end());
        starts_.push_back(units_.size());
        const auto length = static_cast<uint32_t>(std::min(key.size(), kPackedUnits + 1));
        packed_.push_back({ Pack(key, 0), Pack(key, kWordUnits), length, static_cast<int32_t>(packed_.size()) });
    }

    const PackedKey& Packed(int32_t row) const { return packed_[static_cast<size_t>(row)]; }
    // Equal keys hash alike.
    size_t Hash(int32_t row) const { return std::hash<std::basic_string_view<Unit>> {}(Key(row)); }

    // Lexicographic order of the units as unsigned numbers; a key before its own extensions.
    int Compare(int32_t a, int32_t b) const { return Compare(Packed(a), Packed(b)); }
    int Compare(const PackedKey& a, const PackedKey& b) const
    {
        if (a.high != b.high)
            return a.high < b.high ? -1 : 1;
        if (a.low != b.low)
            return a.low < b.low ? -1 : 1;
        // A key that lies wholly in the packing is a prefix of the other one, or equal to it.
        if (a.length <= kPackedUnits || b.length <= kPackedUnits)
            return (a.length > b.length) - (a.length < b.length);
        const int c = Key(a.row).compare(Key(b.row));
        return (c > 0) - (c < 0);
    }

private:
    static constexpr size_t kWordUnits = sizeof(uint64_t) / sizeof(Unit);
    static constexpr size_t kPackedUnits = 2 * kWordUnits;
    static constexpr size_t kTypicalUnits = 12;

    // Missing units count as 0, below every real unit but a 0 unit, which the lengths settle.
    static uint64_t Pack(std::basic_string_view<Unit> key, size_t first)
    {
        uint64_t p = 0;
        for (size_t i = first; i < first + kWordUnits; ++i) {
            const uint64_t unit = i < key.size() ? static_cast<std::make_unsigned_t<Unit>>(key[i]) : 0;
            p = (p << (8 * sizeof(Unit))) | unit;
        }
        return p;
    }

    std::basic_string_view<Unit> Key(int32_t row) const
    {
        const size_t from = starts_[static_cast<size_t>(row)], to = starts_[static_cast<size_t>(row) + 1];
        return { units_.data() + from, to - from };
    }

    core::HugePageVector<Unit> units_;
    core::HugePageVector<size_t> starts_;
    core::HugePageVector<PackedKey> packed_;
};

using TextKeys = KeyColumn<char16_t>;
// char8_t: the standard traits compare its bytes as unsigned, as collation keys require.
using CollationKeys = KeyColumn<char8_t>;

}  // namespace tavix
