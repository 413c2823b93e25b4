#include <gtest/gtest.h>

#include <unicode/coll.h>
#include <unicode/locid.h>

#include <memory>
#include <random>

#include <tavix/dispatch.h>

#include "../../src/sort/sort_keys.h"
#include "../../src/sort/sort_permutation.h"
#include "reference_sort.h"

using namespace tavix;
using namespace tavix::test;

namespace {

std::string RandomText(std::mt19937& rng) {
    // Case and accent variants, a shared long prefix, a character above U+FFFF and one just
    // below U+FFFF (their UTF-8 and UTF-16 orders differ), and an embedded zero.
    static const char* parts[] = {"a", "A", "b", "B", "\xC3\xA9", "\xC3\x89", "e", " ", "-", "1", "10",
                                  "prefix-shared-", "\xF0\x9F\x98\x80", "\xEF\xBC\xA1"};
    std::string s;
    const int n = static_cast<int>(rng() % 5);
    for (int i = 0; i < n; ++i) s += rng() % 15 == 14 ? std::string("\0", 1) : std::string(parts[rng() % 14]);
    return s;
}

// A column's values are drawn from one profile, so that both the keyed paths (numbers only,
// currencies only, strings with or without numbers) and the mixtures left to the literal
// comparison (objects, errors, Empty beside numbers and strings) occur.
GridVariant RandomValue(std::mt19937& rng, int profile) {
    const int v = static_cast<int>(rng() % 8);
    if (v == 0) return GridVariant::Null();
    switch (profile) {
    case 0: return v == 1 ? GridVariant() : GridVariant(static_cast<double>(rng() % 5) / 2);
    case 1: return v == 1 ? GridVariant(true) : (v == 2 ? GridVariant::Date(3.0) : GridVariant(int16_t(rng() % 4)));
    case 2: return GridVariant::Currency(static_cast<int64_t>(rng() % 5) * 5000);
    case 3: return v < 3 ? GridVariant(int32_t(rng() % 3)) : GridVariant(RandomText(rng));
    case 4: return v == 1 ? GridVariant() : GridVariant(RandomText(rng));
    case 5: return v == 1 ? GridVariant() : (v == 2 ? GridVariant("x") : GridVariant(int32_t{1}));
    case 6: return v == 1 ? GridVariant::Currency(1) : GridVariant(int32_t{0});
    default: return v == 1 ? GridVariant::Error(7) : (v == 2 ? GridVariant(std::make_shared<DispatchObject>()) : GridVariant(int32_t{2}));
    }
}

TEST(SortKeys, KeyedComparisonsMatchTheLiteralSortOnRandomValuesAndTexts) {
    std::mt19937 rng(2026);
    for (int round = 0; round < 400; ++round) {
        const int rows = static_cast<int>(rng() % 40);
        TableSource src;
        const int profiles[3] = {static_cast<int>(rng() % 8), static_cast<int>(rng() % 8), static_cast<int>(rng() % 8)};
        for (int r = 0; r < rows; ++r) {
            TestRow row;
            for (int c = 0; c < 3; ++c) {
                TestCell cell;
                cell.value = RandomValue(rng, profiles[c]);
                cell.text = RandomText(rng);
                row.cells.push_back(cell);
            }
            src.rows.push_back(row);
        }
        ShellSortObject crit;
        crit.SetColCount(static_cast<int16_t>(1 + rng() % 3));
        for (int16_t k = 1; k <= crit.ColCount(); ++k) {
            crit.SetSortCol(k, static_cast<int16_t>(1 + rng() % 4));  // column 4 does not exist
            crit.SetSortOrder(k, static_cast<int32_t>(rng() % 2));
            crit.SetSortType(k, static_cast<int32_t>(rng() % 3));
        }
        TableSource refSrc = src;
        ReferenceSort ref(crit, refSrc);
        const std::vector<int32_t> expected = ref.Run(false);
        std::optional<TavixError> failure;
        ASSERT_EQ(SortPermutation(crit, src, rows, false, &failure), expected) << "round " << round;
        ASSERT_EQ(failure.has_value(), ref.failed) << "round " << round;
    }
}

TEST(SortKeys, CollationKeysOrderAsTheCollatorCompares) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(icu::Locale::getDefault(), status));
    ASSERT_TRUE(U_SUCCESS(status));
    collator->setStrength(icu::Collator::SECONDARY);
    std::mt19937 rng(99);
    TableSource src;
    for (int r = 0; r < 300; ++r) {
        TestRow row;
        row.cells.push_back(TestCell{});
        row.cells[0].text = RandomText(rng);
        src.rows.push_back(row);
    }
    for (bool descending : {false, true}) {
        ShellSortObject crit;
        crit.SetColCount(1);
        crit.SetSortType(1, tvSortByTextNoCase);
        crit.SetSortOrder(1, descending ? tvSortDesc : tvSortAsc);
        SortKeys keys(crit, src, 300);
        for (int32_t a = 1; a <= 300; ++a) {
            for (int32_t b = 1; b <= 300; ++b) {
                const auto ua = icu::UnicodeString::fromUTF8(src.At(a, 1).text);
                const auto ub = icu::UnicodeString::fromUTF8(src.At(b, 1).text);
                status = U_ZERO_ERROR;
                const int sign = collator->compare(ua, ub, status);
                ASSERT_EQ(keys.CompareRows(a, b), descending ? sign <= 0 : sign >= 0)
                    << src.At(a, 1).text << " / " << src.At(b, 1).text;
            }
        }
    }
}

}  // namespace
