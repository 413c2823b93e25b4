// One sort key per row, held in one block: the UTF-16 units of a display text, or the bytes of
// a collation key. The first sixteen bytes of each key are packed into two numbers so that
// most comparisons never touch the block.
#pragma once

#include <compare>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tavix {

// Compares as the packed units do: most significant first.
struct KeyPrefix {
    uint64_t high { 0 };
    uint64_t low { 0 };
    auto operator<=>(const KeyPrefix&) const = default;
};

template <typename Unit>
class KeyColumn {
public:
    explicit KeyColumn(int32_t rowCount) {
        starts_.reserve(static_cast<size_t>(rowCount) + 2);
        prefixes_.reserve(static_cast<size_t>(rowCount) + 1);
        starts_.push_back(0);
        Add({});  // row 0 is never compared
    }

    // Rows are added in order, 1 upwards.
    void Add(std::basic_string_view<Unit> key) {
        units_.insert(units_.end(), key.begin(), key.end());
        starts_.push_back(units_.size());
        prefixes_.push_back(Prefix(key));
    }

    KeyPrefix PrefixOf(int32_t row) const { return prefixes_[static_cast<size_t>(row)]; }

    // Lexicographic order of the units as unsigned numbers; a key before its own extensions.
    int Compare(int32_t a, int32_t b) const {
        const KeyPrefix& pa = prefixes_[static_cast<size_t>(a)];
        const KeyPrefix& pb = prefixes_[static_cast<size_t>(b)];
        if (pa != pb) return pa < pb ? -1 : 1;
        const int c = Key(a).compare(Key(b));
        return (c > 0) - (c < 0);
    }

private:
    static constexpr size_t kWordUnits = sizeof(uint64_t) / sizeof(Unit);

    // Missing units count as 0, below every real unit but a 0 unit, which the full compare settles.
    static uint64_t Pack(std::basic_string_view<Unit> key, size_t first) {
        uint64_t p = 0;
        for (size_t i = first; i < first + kWordUnits; ++i) {
            const uint64_t unit = i < key.size() ? static_cast<std::make_unsigned_t<Unit>>(key[i]) : 0;
            p = (p << (8 * sizeof(Unit))) | unit;
        }
        return p;
    }
    static KeyPrefix Prefix(std::basic_string_view<Unit> key) { return {Pack(key, 0), Pack(key, kWordUnits)}; }

    std::basic_string_view<Unit> Key(int32_t row) const {
        const size_t from = starts_[static_cast<size_t>(row)], to = starts_[static_cast<size_t>(row) + 1];
        return {units_.data() + from, to - from};
    }

    std::vector<Unit> units_;
    std::vector<size_t> starts_;
    std::vector<KeyPrefix> prefixes_;
};

using TextKeys = KeyColumn<char16_t>;
// char8_t: the standard traits compare its bytes as unsigned, as collation keys require.
using CollationKeys = KeyColumn<char8_t>;

}  // namespace tavix
