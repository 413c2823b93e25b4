// One sort key per row as bytes compared unsigned: texts in an encoding whose byte order is their
// UTF-16 code unit order, or collation keys. Each distinct key is kept once, its first sixteen
// bytes packed beside its length so that most comparisons never look further, and each row
// holds the number of its key: a column that repeats its texts sorts only the distinct ones.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/huge_page_allocator.h"

namespace tavix {

// The first bytes of a key packed most significant first, its length and its number among the
// column's distinct keys: a sort of these reads further only for keys that agree on all they hold.
struct PackedKey {
    uint64_t high { 0 };
    uint64_t low { 0 };
    uint32_t length { 0 };
    uint32_t id { 0 };
};

class KeyColumn {
public:
    explicit KeyColumn(int32_t rowCount);

    // Rows are added in order, 1 upwards, and then Finish is called; the keys are read only after.
    void Add(std::u8string_view key);
    void Finish();

    // Each distinct key replaced by what keyOf makes of its bytes, its id and rows kept: keys that
    // become equal then compare equal. keyOf's result is copied before it is called again.
    void Rekey(const std::function<std::u8string_view(std::u8string_view)>& keyOf);

    // The distinct keys, numbered in the order their first rows came.
    const core::HugePageVector<PackedKey>& Keys() const { return keys_; }
    // The distinct keys to sort where they lie, and the rows' ids to turn into ranks where they
    // lie: rows are compared no more after either.
    core::HugePageVector<PackedKey>& SpendKeys() { return keys_; }
    core::HugePageVector<uint32_t> SpendIds() { return std::move(ids_); }
    uint32_t IdOf(int32_t row) const { return ids_[static_cast<size_t>(row)]; }

    // Lexicographic order of the bytes; a key before its own extensions.
    int Compare(int32_t a, int32_t b) const { return Compare(keys_[IdOf(a)], keys_[IdOf(b)]); }
    int Compare(const PackedKey& a, const PackedKey& b) const
    {
        if (a.high != b.high)
            return a.high < b.high ? -1 : 1;
        if (a.low != b.low)
            return a.low < b.low ? -1 : 1;
        // A key that lies wholly in the packing is a prefix of the other one, or equal to it.
        if (a.length <= kPackedBytes || b.length <= kPackedBytes)
            return (a.length > b.length) - (a.length < b.length);
        const int c = Tail(a.id).compare(Tail(b.id));
        return (c > 0) - (c < 0);
    }

private:
    static constexpr size_t kPackedBytes = 2 * sizeof(uint64_t);

    // A slot holds the high half of a key's hash, whose low bits chose the slot, and its id + 1
    // (0 for none): keys are compared only when the halves agree.
    struct Slot {
        uint32_t hash;
        uint32_t id;
    };

    // A row's key while its slot in the table, asked for when it came, is on its way.
    struct Pending {
        PackedKey packed;
        uint64_t hash;
        std::u8string tail;
    };
    static constexpr size_t kAhead = 16;

    static inline PackedKey Pack(std::u8string_view key);
    static inline uint64_t Hash(const PackedKey& packed, std::u8string_view tail);
    std::u8string_view Tail(uint32_t id) const
    {
        return { tails_.data() + tailStarts_[id], tailStarts_[id + 1] - tailStarts_[id] };
    }
    // A key not met before; returns its id.
    inline uint32_t Append(PackedKey packed, std::u8string_view tail);
    // Finds the key among those met, or appends it.
    inline uint32_t Insert(const Pending& key);
    inline void Take(const Pending& key);
    void Grow();

    int32_t rowCount_ { 0 };
    core::HugePageVector<uint32_t> ids_;
    core::HugePageVector<PackedKey> keys_;
    // Element i starts key i's bytes beyond the packing, all of them kept in tails_; taken only
    // once a key is longer than the packing.
    std::vector<size_t> tailStarts_;
    std::u8string tails_;
    // Empty once the first rows have shown the keys to be mostly distinct: every key is new then.
    std::vector<Slot> table_;
    std::vector<Pending> pending_ = std::vector<Pending>(kAhead);
    size_t added_ { 1 };  // rows added, row 0 included; those beyond ids_ are pending
};

// Appends the bytes of one UTF-16 code unit: one below 0x80, else two or three with lead bytes
// rising with the unit, as UTF-8 writes the characters of the basic plane. The bytes of unit
// sequences then order as the sequences do, surrogates included.
inline void AppendUnitBytes(uint32_t unit, std::u8string& out)
{
    if (unit < 0x80) {
        out.push_back(static_cast<char8_t>(unit));
    } else if (unit < 0x800) {
        out.push_back(static_cast<char8_t>(0xC0 | (unit >> 6)));
        out.push_back(static_cast<char8_t>(0x80 | (unit & 0x3F)));
    } else {
        out.push_back(static_cast<char8_t>(0xE0 | (unit >> 12)));
        out.push_back(static_cast<char8_t>(0x80 | ((unit >> 6) & 0x3F)));
        out.push_back(static_cast<char8_t>(0x80 | (unit & 0x3F)));
    }
}

inline bool IsAscii(std::string_view s)
{
    // Whole words, the last one overlapping those before: no high bit set in any byte.
    constexpr uint64_t kHigh = 0x8080808080808080u;
    const char* p = s.data();
    const size_t n = s.size();
    if (n >= 8) {
        uint64_t bits = 0, w;
        for (size_t i = 0; i + 8 <= n; i += 8) {
            std::memcpy(&w, p + i, sizeof w);
            bits |= w;
        }
        std::memcpy(&w, p + n - 8, sizeof w);
        return ((bits | w) & kHigh) == 0;
    }
    if (n >= 4) {
        uint32_t first, last;
        std::memcpy(&first, p, 4);
        std::memcpy(&last, p + n - 4, 4);
        return ((first | last) & 0x80808080u) == 0;
    }
    uint32_t bits = 0;
    for (size_t i = 0; i < n; ++i)
        bits |= static_cast<unsigned char>(p[i]);
    return (bits & 0x80u) == 0;
}

}  // namespace tavix
