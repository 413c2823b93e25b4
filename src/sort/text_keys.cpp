#include "sort/text_keys.h"

#include <functional>
#include <utility>

namespace tavix {

namespace {

// After this many rows a column whose keys are mostly distinct stops looking for repeats.
constexpr size_t kSample = size_t { 1 } << 16;

// Every bit of either word reaches every bit of the result, low ones included.
uint64_t Mix(uint64_t a, uint64_t b)
{
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return static_cast<uint64_t>(product) ^ static_cast<uint64_t>(product >> 64);
}

uint64_t Load64(const char8_t* p)
{
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Bytes p[0..n) as a word, p[0] at the lowest address; n <= 8, and nothing past p + n is read.
uint64_t LoadShort(const char8_t* p, size_t n)
{
    if (n == 8)
        return Load64(p);
    if (n >= 4) {
        uint32_t first, last;
        std::memcpy(&first, p, 4);
        std::memcpy(&last, p + n - 4, 4);
        // The two halves overlap on equal bytes when n < 8.
        return first | uint64_t { last } << (8 * (n - 4));
    }
    uint64_t w = 0;
    for (size_t i = 0; i < n; ++i)
        w |= uint64_t { p[i] } << (8 * i);
    return w;
}

}  // namespace

KeyColumn::KeyColumn(int32_t rowCount)
    : rowCount_(rowCount)
    , table_(1024)
{
    ids_.reserve(static_cast<size_t>(rowCount) + 1);
    ids_.push_back(0);  // row 0 is never compared
}

// The steps of Add, inline so that the compiler may fold them into it.
inline PackedKey KeyColumn::Pack(std::u8string_view key)
{
    static_assert(std::endian::native == std::endian::little);
    const size_t n = key.size();
    const char8_t* p = key.data();
    uint64_t first = 0, second = 0;
    if (n >= kPackedBytes) {
        first = Load64(p);
        second = Load64(p + 8);
    } else if (n > 8) {
        first = Load64(p);
        // The word ending with the key's last byte, less the bytes the first word holds.
        second = Load64(p + n - 8) >> (8 * (kPackedBytes - n));
    } else {
        first = LoadShort(p, n);
    }
    // The first byte most significant.
    return { __builtin_bswap64(first), __builtin_bswap64(second),
        static_cast<uint32_t>(std::min<size_t>(n, UINT32_MAX)), 0 };
}

inline uint64_t KeyColumn::Hash(const PackedKey& packed, std::u8string_view tail)
{
    uint64_t h = Mix(
        Mix(packed.high ^ 0x9E3779B97F4A7C15u, packed.low ^ 0xC2B2AE3D27D4EB4Fu) ^ packed.length, 0xD6E8FEB86659FD93u);
    if (!tail.empty())
        h = Mix(h, std::hash<std::string_view> {}({ reinterpret_cast<const char*>(tail.data()), tail.size() }));
    return h;
}

inline uint32_t KeyColumn::Append(PackedKey packed, std::u8string_view tail)
{
    packed.id = static_cast<uint32_t>(keys_.size());
    keys_.push_back(packed);
    if (!tail.empty()) {
        // Keys before the first long one have no tail: their starts are all 0.
        if (tailStarts_.empty())
            tailStarts_.assign(packed.id + size_t { 1 }, 0);
        tails_.append(tail);
    }
    if (!tailStarts_.empty())
        tailStarts_.push_back(tails_.size());
    return packed.id;
}

inline uint32_t KeyColumn::Insert(const Pending& key)
{
    const PackedKey& packed = key.packed;
    const auto tag = static_cast<uint32_t>(key.hash >> 32);
    const size_t mask = table_.size() - 1;
    size_t slot = key.hash & mask;
    for (; table_[slot].id != 0; slot = (slot + 1) & mask) {
        const PackedKey& k = keys_[table_[slot].id - 1];
        if (table_[slot].hash == tag && k.high == packed.high && k.low == packed.low && k.length == packed.length
            && (key.tail.empty() || Tail(k.id) == key.tail))
            return k.id;
    }
    const uint32_t id = Append(packed, key.tail);
    table_[slot] = { tag, id + 1 };
    if (2 * keys_.size() > table_.size())
        Grow();
    return id;
}

inline void KeyColumn::Take(const Pending& key)
{
    ids_.push_back(table_.empty() ? Append(key.packed, key.tail) : Insert(key));
    if (ids_.size() == kSample && 2 * keys_.size() > kSample) {
        // Mostly distinct: the table would only add to the work, and every key is taken as new.
        table_ = {};
        keys_.reserve(keys_.size() + static_cast<size_t>(rowCount_) + 1 - ids_.size());
    }
}

void KeyColumn::Add(std::u8string_view key)
{
    const PackedKey packed = Pack(key);
    const std::u8string_view tail = key.size() > kPackedBytes ? key.substr(kPackedBytes) : std::u8string_view();
    // Keys are taken kAhead rows after they come: by then the slot their hash names has arrived,
    // and the key that the slot of a row half as far back holds has been asked for.
    Pending& p = pending_[added_ % kAhead];
    if (!table_.empty() && added_ - ids_.size() == kAhead)
        Take(p);
    if (table_.empty()) {
        if (ids_.size() < added_)
            Finish();
        ids_.push_back(Append(packed, tail));
        ++added_;
        return;
    }
    p.packed = packed;
    p.hash = Hash(packed, tail);
    if (tail.empty())
        p.tail.clear();
    else
        p.tail.assign(tail);
    const size_t mask = table_.size() - 1;
    __builtin_prefetch(&table_[p.hash & mask]);
    const Pending& half = pending_[(added_ + kAhead / 2) % kAhead];
    if (added_ - ids_.size() >= kAhead / 2) {
        const Slot& slot = table_[half.hash & mask];
        if (slot.id != 0)
            __builtin_prefetch(&keys_[slot.id - 1]);
    }
    ++added_;
}

void KeyColumn::Finish()
{
    while (ids_.size() < added_)
        Take(pending_[ids_.size() % kAhead]);
    table_ = {};
}

void KeyColumn::Rekey(const std::function<std::u8string_view(std::u8string_view)>& keyOf)
{
    const core::HugePageVector<PackedKey> keys = std::exchange(keys_, {});
    const std::vector<size_t> starts = std::exchange(tailStarts_, {});
    const std::u8string tails = std::exchange(tails_, {});
    keys_.reserve(keys.size());
    std::u8string bytes;
    for (const PackedKey& k : keys) {
        // The packed bytes back in their order, then the tail: the key as it was added.
        const uint64_t words[] = { __builtin_bswap64(k.high), __builtin_bswap64(k.low) };
        bytes.assign(reinterpret_cast<const char8_t*>(words), std::min<size_t>(k.length, kPackedBytes));
        if (k.length > kPackedBytes)
            bytes.append(tails, starts[k.id], starts[k.id + 1] - starts[k.id]);
        const std::u8string_view key = keyOf(bytes);
        Append(Pack(key), key.size() > kPackedBytes ? key.substr(kPackedBytes) : std::u8string_view());
    }
}

void KeyColumn::Grow()
{
    // The table grows with the distinct keys, so that it stays in the caches.
    std::vector<Slot> old(2 * table_.size());
    old.swap(table_);
    const size_t mask = table_.size() - 1;
    for (const Slot& s : old) {
        if (s.id == 0)
            continue;
        const PackedKey& k = keys_[s.id - 1];
        size_t slot = Hash(k, k.length > kPackedBytes ? Tail(k.id) : std::u8string_view()) & mask;
        while (table_[slot].id != 0)
            slot = (slot + 1) & mask;
        table_[slot] = s;
    }
}

}  // namespace tavix
