#include <gtest/gtest.h>

#include <tavix/dispatch.h>
#include <unicode/coll.h>
#include <unicode/locid.h>

#include <memory>
#include <random>

#include "../../src/sort/sort_keys.h"
#include "../../src/sort/sort_permutation.h"
#include "reference_sort.h"

using namespace tavix;
using namespace tavix::test;

namespace {

using Order = std::vector<int32_t>;

ShellSortObject ByValue(int32_t order)
{
    ShellSortObject s;
    s.SetColCount(1);
    s.SetSortOrder(1, order);
    return s;
}

TableSource Longs(std::initializer_list<int32_t> values)
{
    TableSource src;
    for (int32_t v : values)
        src.rows.push_back(TestRow { { TestCell { GridVariant(v) } } });
    return src;
}

TEST(SortEngine, SmallTablesEqualPairsAndGroupFences)
{
    TableSource src;
    EXPECT_EQ(SortPermutation(ByValue(tvSortAsc), src, 0, false), Order {});
    src = Longs({ 1 });
    EXPECT_EQ(SortPermutation(ByValue(tvSortAsc), src, 1, false), Order { 1 });
    src = Longs({ 4, 4 });
    EXPECT_EQ(SortPermutation(ByValue(tvSortAsc), src, 2, false), (Order { 2, 1 })) << "an equal pair is exchanged";
    EXPECT_EQ(SortPermutation(ByValue(tvSortDesc), src, 2, false), (Order { 2, 1 }));
    src.rows[0].group = true;
    EXPECT_EQ(SortPermutation(ByValue(tvSortAsc), src, 2, true), (Order { 1, 2 })) << "two rows with a group row stay";
    src = Longs({ 5, 3, 9, 0, 8, 1, 7 });
    src.rows[3].group = true;
    EXPECT_EQ(SortPermutation(ByValue(tvSortAsc), src, 7, true), (Order { 2, 1, 3, 4, 6, 7, 5 }));
}

TEST(SortEngine, TextsAreComputedOncePerRowAndCriterion)
{
    TableSource src;
    for (const char* t : { "d", "a", "c", "b", "e", "F" })
        src.rows.push_back(TestRow { { TestCell { {}, t } } });
    ShellSortObject crit;
    crit.SetColCount(2);
    crit.SetSortCol(2, 1);
    crit.SetSortType(1, tvSortByText);
    crit.SetSortType(2, tvSortByTextNoCase);
    EXPECT_EQ(SortPermutation(crit, src, 6, false), (Order { 6, 2, 4, 3, 1, 5 })) << "code unit order puts F first";
    for (const auto& [cell, calls] : src.textCalls)
        EXPECT_EQ(calls, 2) << "row " << cell.first;
}

std::string RandomText(std::mt19937& rng)
{
    // Case and accent variants, a long shared prefix, a character above U+FFFF and one just
    // below U+FFFF (UTF-8 and UTF-16 order them differently), and embedded zeros.
    static const char* parts[] = { "a", "A", "b", "B", "\xC3\xA9", "\xC3\x89", "e", " ", "-", "1", "10",
        "prefix-shared-", "\xF0\x9F\x98\x80", "\xEF\xBC\xA1" };
    std::string s;
    for (int i = static_cast<int>(rng() % 5); i > 0; --i)
        s += rng() % 15 == 0 ? std::string(1, '\0') : parts[rng() % 14];
    return s;
}

// A column's values come from one profile, so that the keyed paths (numbers, currencies,
// strings with or without numbers) and the mixtures left to the literal comparison (objects,
// errors, Empty beside numbers and strings) all occur.
GridVariant RandomValue(std::mt19937& rng, int profile)
{
    const int v = static_cast<int>(rng() % 8);
    if (v == 0)
        return GridVariant::Null();
    switch (profile) {
    case 0: return v == 1 ? GridVariant() : GridVariant(v == 2 ? -0.0 : static_cast<double>(rng() % 5) / 2 - 1);
    case 1: return v == 1 ? GridVariant(true) : (v == 2 ? GridVariant::Date(3.0) : GridVariant(int16_t(rng() % 4)));
    case 2: return GridVariant::Currency(static_cast<int64_t>(rng() % 5) * 5000);
    case 3: return v < 3 ? GridVariant(int32_t(rng() % 3)) : GridVariant(RandomText(rng));
    case 4: return v == 1 ? GridVariant() : GridVariant(RandomText(rng));
    case 5: return v == 1 ? GridVariant() : (v == 2 ? GridVariant("x") : GridVariant(int32_t { 1 }));
    case 6: return v == 1 ? GridVariant::Currency(1) : GridVariant(int32_t { 0 });
    case 7:  // decimals a double cannot tell apart
        return GridVariant::Decimal(
            Decimal::FromDigits(v % 2 == 1, "7922816251426433759354395032" + std::to_string(v), 0));
    default:
        return v == 1 ? GridVariant::Error(7)
                      : (v == 2 ? GridVariant(std::make_shared<DispatchObject>()) : GridVariant(int32_t { 2 }));
    }
}

// Random tables over every sort type, Nulls, frequent ties, group rows, a missing column and
// failing comparisons: the engine must end where the literal row-moving sort ends, fail
// when it fails, and make the same CustomSort calls.
TEST(SortEngine, MatchesTheLiteralSortOnRandomTables)
{
    std::mt19937 rng(12345);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 600; ++round) {
        const int rows = pick(40);
        const int profiles[3] = { pick(9), pick(9), pick(9) };
        TableSource src;
        for (int r = 0; r < rows; ++r) {
            TestRow row;
            for (int c = 0; c < 3; ++c) {
                TestCell cell { RandomValue(rng, profiles[c]), RandomText(rng) };
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
            crit.SetSortCol(k, static_cast<int16_t>(1 + pick(round % 4 ? 3 : 4)));  // column 4 does not exist
            crit.SetSortOrder(k, pick(2));
            crit.SetSortType(k, pick(round % 3 ? 3 : 13));  // values and texts most often
        }
        const bool groupMode = pick(2);
        TableSource refSrc = src;
        ReferenceSort ref(crit, refSrc);
        const Order expected = ref.Run(groupMode);
        std::optional<TavixError> failure;
        ASSERT_EQ(SortPermutation(crit, src, rows, groupMode, &failure), expected) << "round " << round;
        ASSERT_EQ(failure.has_value(), ref.failed) << "round " << round;
        ASSERT_EQ(src.customCalls, refSrc.customCalls) << "round " << round;
    }
}

TEST(SortEngine, CollationKeysOrderAsTheCollatorCompares)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale::getDefault(), status));
    ASSERT_TRUE(U_SUCCESS(status));
    collator->setStrength(icu::Collator::SECONDARY);
    std::mt19937 rng(99);
    TableSource src;
    for (int r = 0; r < 300; ++r)
        src.rows.push_back(TestRow { { TestCell { {}, RandomText(rng) } } });
    ShellSortObject crit;
    crit.SetColCount(1);
    crit.SetSortType(1, tvSortByTextNoCase);
    SortKeys keys(crit, src, 300);
    for (int32_t a = 1; a <= 300; ++a) {
        for (int32_t b = 1; b <= 300; ++b) {
            status = U_ZERO_ERROR;
            const int sign = collator->compare(icu::UnicodeString::fromUTF8(src.At(a, 1).text),
                icu::UnicodeString::fromUTF8(src.At(b, 1).text), status);
            ASSERT_EQ(keys.CompareRows(a, b), sign >= 0) << src.At(a, 1).text << " / " << src.At(b, 1).text;
        }
    }
}

}  // namespace
