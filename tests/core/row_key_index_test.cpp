#include "core/row_key_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace tavix::core {
namespace {

// Row keys kept beside the index the way the row table keeps them.
struct KeyedRows {
    std::map<int32_t, std::string> keys;
    RowKeyIndex index;
    RowKeyIndex::KeyOf keyOf = [this](int32_t row) -> const std::string& { return keys.at(row); };

    void Add(int32_t row, const std::string& key)
    {
        const auto hit = index.Find(key, keyOf);
        ASSERT_FALSE(hit.found);
        keys[row] = key;
        index.Insert(hit.position, row, false);
    }
};

TEST(RowKeyIndex, FindOnEmptyAndSingleEntry)
{
    KeyedRows k;
    EXPECT_EQ(k.index.Find("a", k.keyOf).position, 1);
    EXPECT_FALSE(k.index.Find("a", k.keyOf).found);
    k.Add(1, "m");
    EXPECT_TRUE(k.index.Find("m", k.keyOf).found);
    EXPECT_EQ(k.index.Find("a", k.keyOf).position, 1);
    EXPECT_EQ(k.index.Find("z", k.keyOf).position, 2);
    // Binary comparison: capitals sort before small letters and are distinct.
    EXPECT_FALSE(k.index.Find("M", k.keyOf).found);
    EXPECT_EQ(k.index.Find("M", k.keyOf).position, 1);
}

TEST(RowKeyIndex, CapacityDoublesFromTen)
{
    KeyedRows k;
    EXPECT_EQ(k.index.Capacity(), 10);
    for (int32_t r = 1; r <= 10; ++r)
        k.Add(r, "k" + std::to_string(100 + r));
    EXPECT_EQ(k.index.Capacity(), 10);
    k.Add(11, "k999");
    EXPECT_EQ(k.index.Capacity(), 20);
    for (int32_t r = 12; r <= 21; ++r)
        k.Add(r, "x" + std::to_string(100 + r));
    EXPECT_EQ(k.index.Capacity(), 40);
}

TEST(RowKeyIndex, ShiftingInsertAndRemoveRenumberRows)
{
    KeyedRows k;
    k.Add(1, "a");
    k.Add(2, "b");
    k.Add(3, "c");
    // A keyed row inserted before row 2: rows 2 and 3 become 3 and 4.
    k.index.Insert(k.index.Find("x", k.keyOf).position, 2, true);
    EXPECT_EQ(k.index.RowAt(1), 1);
    EXPECT_EQ(k.index.RowAt(2), 3);
    EXPECT_EQ(k.index.RowAt(3), 4);
    EXPECT_EQ(k.index.RowAt(4), 2);
    k.index.Remove(4, true);
    EXPECT_EQ(k.index.Count(), 3);
    EXPECT_EQ(k.index.RowAt(2), 2);
    EXPECT_EQ(k.index.RowAt(3), 3);
    k.index.DropAbove(2);
    EXPECT_EQ(k.index.Count(), 2);
}

TEST(RowKeyIndex, RandomKeysStaySortedAndFindable)
{
    KeyedRows k;
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> ch('A', 'z');
    int32_t row = 0;
    while (row < 2000) {
        std::string key(1 + rng() % 4, ' ');
        for (char& c : key)
            c = static_cast<char>(ch(rng));
        if (k.index.Find(key, k.keyOf).found)
            continue;
        k.Add(++row, key);
    }
    ASSERT_EQ(k.index.Count(), 2000);
    for (int32_t p = 2; p <= k.index.Count(); ++p)
        ASSERT_LT(k.keys[k.index.RowAt(p - 1)], k.keys[k.index.RowAt(p)]);
    for (const auto& [r, key] : k.keys) {
        const auto hit = k.index.Find(key, k.keyOf);
        ASSERT_TRUE(hit.found);
        ASSERT_EQ(k.index.RowAt(hit.position), r);
    }
}

}  // namespace
}  // namespace tavix::core
