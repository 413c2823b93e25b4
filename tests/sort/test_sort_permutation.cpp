#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "../../src/sort/sort_permutation.h"
#include "reference_sort.h"

using namespace tavix;
using namespace tavix::test;

namespace {

TestRow LongRow(std::vector<GridVariant> values) {
    TestRow row;
    for (auto& v : values) {
        TestCell c;
        c.value = std::move(v);
        row.cells.push_back(std::move(c));
    }
    return row;
}

ShellSortObject Criteria(std::vector<std::tuple<int16_t, int32_t, int32_t>> list) {
    ShellSortObject s;
    s.SetColCount(static_cast<int16_t>(list.size()));
    for (int16_t k = 1; k <= s.ColCount(); ++k) {
        const auto& [col, order, type] = list[k - 1];
        s.SetSortCol(k, col);
        s.SetSortOrder(k, order);
        s.SetSortType(k, type);
    }
    return s;
}

using Order = std::vector<int32_t>;

TEST(SortPermutation, SmallTablesAndEqualPair) {
    TableSource src;
    auto crit = Criteria({{1, tvSortAsc, tvSortByValue}});
    EXPECT_EQ(SortPermutation(crit, src, 0, false), Order{});
    src.rows = {LongRow({int32_t{1}})};
    EXPECT_EQ(SortPermutation(crit, src, 1, false), Order{1});
    src.rows = {LongRow({int32_t{4}}), LongRow({int32_t{4}})};
    EXPECT_EQ(SortPermutation(crit, src, 2, false), (Order{2, 1})) << "equal pair is exchanged";
    crit.SetSortOrder(1, tvSortDesc);
    EXPECT_EQ(SortPermutation(crit, src, 2, false), (Order{2, 1}));
    // Two rows in group mode are never sorted.
    src.rows[0].group = true;
    EXPECT_EQ(SortPermutation(crit, src, 2, true), (Order{1, 2}));
}

TEST(SortPermutation, GroupRowsFenceTheRuns) {
    TableSource src;
    for (int v : {5, 3, 9, 0, 8, 1, 7}) src.rows.push_back(LongRow({int32_t{v}}));
    src.rows[3].group = true;
    auto crit = Criteria({{1, tvSortAsc, tvSortByValue}});
    EXPECT_EQ(SortPermutation(crit, src, 7, true), (Order{2, 1, 3, 4, 6, 7, 5}));
    EXPECT_EQ(SortPermutation(crit, src, 7, false), (Order{4, 6, 2, 1, 7, 5, 3}));
}

TEST(SortPermutation, NullsFirstAscendingAndLastDescending) {
    TableSource src;
    src.rows = {LongRow({int32_t{2}}), LongRow({GridVariant::Null()}), LongRow({int32_t{1}})};
    EXPECT_EQ(SortPermutation(Criteria({{1, tvSortAsc, tvSortByValue}}), src, 3, false), (Order{2, 3, 1}));
    EXPECT_EQ(SortPermutation(Criteria({{1, tvSortDesc, tvSortByValue}}), src, 3, false), (Order{1, 3, 2}));
}

TEST(SortPermutation, LaterCriterionBreaksTiesOfColourSelectionAndNull) {
    TableSource src;
    src.rows = {LongRow({GridVariant::Null(), int32_t{3}}), LongRow({GridVariant::Null(), int32_t{1}}),
                LongRow({GridVariant::Null(), int32_t{2}})};
    EXPECT_EQ(SortPermutation(Criteria({{1, tvSortAsc, tvSortByValue}, {2, tvSortAsc, tvSortByValue}}), src, 3,
                              false),
              (Order{2, 3, 1}));
    for (int32_t type : {tvSortByForeColor, tvSortBySelected}) {
        EXPECT_EQ(SortPermutation(Criteria({{1, tvSortAsc, type}, {2, tvSortDesc, tvSortByValue}}), src, 3, false),
                  (Order{1, 3, 2}));
    }
}

TEST(SortPermutation, CustomCriterionDecidesAlone) {
    TableSource src;
    src.rows = {LongRow({int32_t{7}, int32_t{2}}), LongRow({int32_t{14}, int32_t{1}}),
                LongRow({int32_t{1}, int32_t{0}})};
    // 7 and 14 tie under the custom order: the second column is never consulted, so the
    // literal sort's handling of ties stands.
    auto crit = Criteria({{1, tvSortAsc, tvSortByCustomer}, {2, tvSortAsc, tvSortByValue}});
    const Order got = SortPermutation(crit, src, 3, false);
    ReferenceSort ref(crit, src);
    EXPECT_EQ(got, ref.Run(false));
    EXPECT_EQ(got.back(), 3);
}

TEST(SortPermutation, FailedComparisonKeepsEveryRowOnce) {
    TableSource src;
    for (int v : {5, 3, 9, 0, 8}) src.rows.push_back(LongRow({int32_t{v}}));
    src.rows[3].cells[0].value = GridVariant::Error(5);
    std::optional<TavixError> failure;
    Order got = SortPermutation(Criteria({{1, tvSortAsc, tvSortByValue}}), src, 5, false, &failure);
    ASSERT_TRUE(failure.has_value());
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (Order{1, 2, 3, 4, 5}));
}

TEST(SortPermutation, TextsAreComputedOncePerRow) {
    TableSource src;
    for (const char* t : {"d", "a", "c", "b", "e", "F"}) {
        TestRow row;
        row.cells.push_back(TestCell{});
        row.cells[0].text = t;
        src.rows.push_back(row);
    }
    EXPECT_EQ(SortPermutation(Criteria({{1, tvSortAsc, tvSortByText}}), src, 6, false), (Order{6, 2, 4, 3, 1, 5})) << "code unit order puts F first";
    EXPECT_FALSE(src.textCalls.empty());
    for (const auto& [cell, calls] : src.textCalls) EXPECT_EQ(calls, 1);
}

// Random tables over every sort type, with Nulls, frequent ties and group rows: the permutation
// must match the row-moving sort, including the CustomSort calls it makes.
TEST(SortPermutation, MatchesRowMovingSortOnRandomTables) {
    std::mt19937 rng(12345);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 300; ++round) {
        const int rows = pick(40);
        const int16_t cols = 3;
        TableSource src;
        for (int r = 0; r < rows; ++r) {
            TestRow row;
            for (int c = 0; c < cols; ++c) {
                TestCell cell;
                const int v = pick(5);
                cell.value = v == 0 ? GridVariant::Null() : (pick(4) == 0 ? GridVariant(std::to_string(v))
                                                                          : GridVariant(int32_t{v}));
                static const char* texts[] = {"a", "B", "b", "\xC3\xA9", "A"};
                cell.text = texts[pick(5)];
                cell.icon = static_cast<int16_t>(pick(3) - 1);
                // Odd rounds put -1 and 32767 in one column: their 16-bit difference wraps.
                cell.extraIcon = static_cast<int16_t>(pick(2) ? 32767 : (round % 2 ? -1 : 0));
                cell.fore = pick(2) ? 0x80000000u + pick(3) : static_cast<uint32_t>(pick(3));
                cell.back = static_cast<uint32_t>(pick(3));
                cell.fontIndex = static_cast<int16_t>(pick(3));
                cell.selected = pick(2);
                cell.indent = static_cast<int16_t>(pick(3));
                cell.hatch = static_cast<uint8_t>(pick(2) * 250);
                row.cells.push_back(cell);
            }
            row.group = pick(8) == 0;
            src.rows.push_back(row);
        }
        ShellSortObject crit;
        crit.SetColCount(static_cast<int16_t>(1 + pick(3)));
        for (int16_t k = 1; k <= crit.ColCount(); ++k) {
            crit.SetSortCol(k, static_cast<int16_t>(1 + pick(cols)));
            crit.SetSortOrder(k, pick(2));
            crit.SetSortType(k, pick(13));
        }
        const bool groupMode = pick(2);
        TableSource refSrc = src;
        const Order got = SortPermutation(crit, src, rows, groupMode);
        ReferenceSort ref(crit, refSrc);
        ASSERT_EQ(got, ref.Run(groupMode)) << "round " << round;
        ASSERT_EQ(src.customCalls, refSrc.customCalls) << "round " << round;
    }
}

}  // namespace
