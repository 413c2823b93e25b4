#include "sort/text_keys.h"

#include <functional>

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

}  // namespace

KeyColumn::KeyColumn(int32_t rowCount)
    : rowCount_(rowCount)
    , table_(1024)
{
    ids_.reserve(static_cast<size_t>(rowCount) + 1);
    ids_.push_back(0);  // row 0 is never compared
    added_ = 1;
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
        Finish();
        ids_.push_back(Append(packed, tail));
        ++added_;
        return;
    }
    p.packed = packed;
    p.hash = Hash(packed, tail);
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

void KeyColumn::Take(const Pending& key)
{
    ids_.push_back(table_.empty() ? Append(key.packed, key.tail) : Insert(key));
    if (ids_.size() == kSample && 2 * keys_.size() > kSample) {
        // Mostly distinct: the table would only add to the work, and every key is taken as new.
        table_ = {};
        keys_.reserve(keys_.size() + static_cast<size_t>(rowCount_) + 1 - ids_.size());
    }
}

PackedKey KeyColumn::Pack(std::u8string_view key)
{
    uint64_t words[2] = { 0, 0 };
    if (!key.empty())
        std::memcpy(words, key.data(), std::min(key.size(), kPackedBytes));
    if constexpr (std::endian::native == std::endian::little) {
        // The first byte most significant.
        words[0] = __builtin_bswap64(words[0]);
        words[1] = __builtin_bswap64(words[1]);
    }
    return { words[0], words[1], static_cast<uint32_t>(std::min<size_t>(key.size(), UINT32_MAX)), 0 };
}

uint64_t KeyColumn::Hash(const PackedKey& packed, std::u8string_view tail)
{
    uint64_t h = Mix(
        Mix(packed.high ^ 0x9E3779B97F4A7C15u, packed.low ^ 0xC2B2AE3D27D4EB4Fu) ^ packed.length, 0xD6E8FEB86659FD93u);
    if (!tail.empty())
        h = Mix(h, std::hash<std::string_view> {}({ reinterpret_cast<const char*>(tail.data()), tail.size() }));
    return h;
}

uint32_t KeyColumn::Append(PackedKey packed, std::u8string_view tail)
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

uint32_t KeyColumn::Insert(const Pending& key)
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
