// The sort's parts on rows in memory: the criteria object, the reference comparison of two
// cells and the keys the engine compares instead.
#include <gtest/gtest.h>

#include <unicode/locid.h>

#include "sort/sort_keys.h"
#include "sort/sort_permutation.h"
#include "sort_fixture.h"

using namespace tavix;
using namespace tavix::test;

namespace {

TEST(ShellSortObject, GrowingKeepsEntriesAndBadArgumentsChangeNothing)
{
    ShellSortObject s;
    s.SetColCount(1);
    s.SetSortCol(1, 7);
    s.SetSortOrder(1, tvSortDesc);
    s.SetSortType(1, tvSortByHatch);
    s.SetColCount(3);
    const auto entry = [&](int16_t k) { return std::tuple(s.SortCol(k), s.SortOrder(k), s.SortType(k)); };
    EXPECT_EQ(entry(1), std::tuple(int16_t { 7 }, int32_t { tvSortDesc }, int32_t { tvSortByHatch }));
    EXPECT_EQ(entry(3), std::tuple(int16_t { 3 }, int32_t { tvSortAsc }, int32_t { tvSortByValue }));
    for (const auto& call :
        std::initializer_list<std::function<void()>> { [&] { s.SetColCount(-1); }, [&] { s.SortCol(0); },
            [&] { s.SetSortCol(4, 1); }, [&] { s.SetSortOrder(0, 1); }, [&] { s.SortType(4); } })
        EXPECT_EQ(tavix::testing::ErrorOf(call), tvErrInvalidArgument);
    EXPECT_EQ(s.ColCount(), 3);
    s.SetColCount(0);
    s.SetColCount(1);
    EXPECT_EQ(s.SortCol(1), 1) << "emptying must drop old entries";
}

// The reference comparison is the oracle the engine is checked against: each rule once.
struct Case {
    const char* what;
    int32_t type;
    int32_t order;
    TestCell a, b;
    bool ge, eq;
};

TestCell V(GridVariant v) { return TestCell { std::move(v) }; }

TEST(CellComparer, ComparesEachSortTypeAsTheRulesSay)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale::getEnglish(), status);
    const GridVariant null = GridVariant::Null();
    const Case cases[] = {
        { "two Nulls are equal", tvSortByValue, tvSortAsc, V(null), V(null), true, true },
        { "Null first ascending", tvSortByValue, tvSortAsc, V(null), V(1), false, false },
        { "Null last descending", tvSortByValue, tvSortDesc, V(null), V(1), true, false },
        { "value after Null ascending", tvSortByValue, tvSortAsc, V(1), V(null), true, false },
        { "numbers across types", tvSortByValue, tvSortAsc, V(2), V(1.5), true, false },
        { "descending flips", tvSortByValue, tvSortDesc, V(2), V(1.5), false, false },
        { "equal is ge descending", tvSortByValue, tvSortDesc, V(2), V(2.0), true, true },
        { "number before string", tvSortByValue, tvSortAsc, V(99), V("1"), false, false },
        { "Empty is 0", tvSortByValue, tvSortAsc, V({}), V(0), true, true },
        { "icon difference wraps", tvSortByIcon, tvSortAsc, { .icon = 32767 }, { .icon = -1 }, false, false },
        { "font index descending", tvSortByFontIndex, tvSortDesc, { .fontIndex = 1 }, { .fontIndex = 2 }, true, false },
        { "system colour wraps", tvSortByForeColor, tvSortAsc, { .fore = 0x80000005u }, { .fore = 0xFFFFFFu }, true,
            false },
        { "back colours", tvSortByBackColor, tvSortAsc, { .back = 1 }, { .back = 2 }, false, false },
        { "hatch by byte", tvSortByHatch, tvSortAsc, { .hatch = 200 }, { .hatch = 10 }, true, false },
        { "unselected first", tvSortBySelected, tvSortAsc, { .selected = false }, { .selected = true }, false, false },
        { "text by code unit", tvSortByText, tvSortAsc, { .text = "apple" }, { .text = "Banana" }, true, false },
        { "text ignoring case", tvSortByTextNoCase, tvSortAsc, { .text = "apple" }, { .text = "Banana" }, false,
            false },
        { "case only is equal", tvSortByTextNoCase, tvSortAsc, { .text = "b" }, { .text = "B" }, true, true },
        { "a surrogate pair below U+FF21", tvSortByText, tvSortAsc, { .text = "\xF0\x9F\x98\x80" },
            { .text = "\xEF\xBC\xA1" }, false, false },
        { "unknown type never ge", 12, tvSortAsc, V(5), V(1), false, false },
    };
    for (const Case& c : cases) {
        TableSource src;
        src.rows = { TestRow { { c.a } }, TestRow { { c.b } } };
        ShellSortObject crit;
        crit.SetColCount(1);
        crit.SetSortType(1, c.type);
        crit.SetSortOrder(1, c.order);
        const CellOrder r = CellComparer(crit, src, 2).CompareCells(1, 2, 1);
        EXPECT_EQ(r.ge, c.ge) << c.what;
        EXPECT_EQ(r.eq, c.eq) << c.what;
    }
}

TEST(CellComparer, CustomGetsTheStoredValuesSwappedWhenDescending)
{
    struct Rewriting : TableSource {
        void CustomSort(GridVariant& v1, GridVariant& v2, bool& isGreater) override
        {
            TableSource::CustomSort(v1, v2, isGreater);
            v1 = GridVariant(int32_t { 42 });
        }
    } src;
    src.rows = { TestRow { { V(3) } }, TestRow { { V(5) } } };
    ShellSortObject crit;
    crit.SetColCount(1);
    crit.SetSortType(1, tvSortByCustomer);
    crit.SetSortOrder(1, tvSortDesc);
    const CellOrder r = CellComparer(crit, src, 2).CompareCells(1, 2, 1);
    EXPECT_TRUE(r.ge && !r.eq) << "5 mod 7 > 3 mod 7, never equal";
    EXPECT_EQ(src.customCalls, (std::vector<CustomCall> { { std::to_string(5.0), std::to_string(3.0) } }));
    EXPECT_EQ(src.At(2, 1).value.ToLong(), 42) << "v1 is row 2's stored value itself";
}

// The keys compare every pair of rows as the reference comparison does, failing where it
// fails, over random tables and criteria; each row's text is made once per criterion.
TEST(SortEngine, KeysCompareEveryPairAsTheReferenceComparison)
{
    std::mt19937 rng(99);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 120; ++round) {
        TableSource src;
        const int profiles[2] = { pick(9), pick(9) };
        for (int r = 0; r < 40; ++r) {
            TestRow row;
            for (int c = 0; c < 2; ++c)
                row.cells.push_back({ RandomValue(rng, profiles[c]), RandomText(rng),
                    static_cast<int16_t>(pick(2) ? 32767 : -1), static_cast<int16_t>(pick(3)),
                    static_cast<int16_t>(pick(3)), static_cast<int16_t>(pick(3)), 0x80000000u + pick(3),
                    static_cast<uint32_t>(pick(3)), pick(2) == 0, static_cast<uint8_t>(pick(2) * 250) });
            src.rows.push_back(row);
        }
        ShellSortObject crit;
        crit.SetColCount(2);
        for (int16_t k = 1; k <= 2; ++k) {
            crit.SetSortCol(k, static_cast<int16_t>(1 + pick(2)));
            crit.SetSortOrder(k, pick(2));
            crit.SetSortType(k, pick(round % 2 ? 3 : 13));  // values and texts most often
        }
        TableSource referenceSrc = src;
        SortKeys keys(crit, src, 40);
        CellComparer reference(crit, referenceSrc, 0);
        const auto outcome = [](auto&& compare) {
            try {
                return compare() ? 1 : 0;
            } catch (const TavixError&) {
                return -1;
            }
        };
        for (int32_t a = 1; a <= 40; ++a)
            for (int32_t b = 1; b <= 40; ++b)
                ASSERT_EQ(outcome([&] { return keys.CompareRows(a, b); }), outcome([&] {
                    return reference.CompareRows(a, b);
                })) << "round "
                    << round << ", rows " << a << ", " << b;
        for (const auto& [cell, calls] : src.textCalls)
            ASSERT_LE(calls, 2) << "round " << round << ", row " << cell.first;
    }
}

// Thousands of rows with few distinct keys: every gap of the shell sort moves rows over long
// chains, and ties show whether each pass kept exactly the reference's order.
TEST(SortEngine, ManyTiedRowsEndInTheReferenceOrder)
{
    std::mt19937 rng(5);
    for (const int distinct : { 3, 60, 5000 }) {
        TableSource src;
        for (int r = 0; r < 5003; ++r)
            src.rows.push_back(TestRow { { TestCell { GridVariant(static_cast<int32_t>(rng() % distinct)) } } });
        ShellSortObject crit;
        crit.SetColCount(1);
        crit.SetSortCol(1, 1);
        crit.SetSortOrder(1, distinct == 60 ? tvSortDesc : tvSortAsc);
        const auto order = SortPermutation(crit, src, 5003, false);
        EXPECT_EQ(Order(order.begin(), order.end()), ReferenceRows::Sort(crit, src, false)) << distinct;
    }
}

// A key column finds repeats while the first rows repeat and stops looking once they are mostly
// distinct; either way rows compare as their bytes do, and rows of one id hold equal keys.
TEST(SortEngine, KeyColumnsCompareAsBytesAndNumberEqualKeysAlike)
{
    std::mt19937 rng(11);
    for (const int distinct : { 3000, 1 << 30 }) {
        const int32_t rows = 70000;  // beyond the rows after which mostly distinct keys stop the search
        std::vector<std::u8string> keys(static_cast<size_t>(rows) + 1);
        KeyColumn column(rows);
        for (int32_t r = 1; r <= rows; ++r) {
            // Long keys sharing their packed bytes, prefixes of one another, and zero bytes.
            const auto n = static_cast<uint32_t>(rng() % static_cast<uint32_t>(distinct));
            std::u8string& key = keys[static_cast<size_t>(r)];
            key = n % 3 == 0 ? u8"sixteen-byte-key" : u8"";
            for (uint32_t v = n; v != 0; v /= 7)
                key.push_back(static_cast<char8_t>(v % 7));
            column.Add(key);
        }
        column.Finish();
        for (int i = 0; i < 200000; ++i) {
            const auto a = static_cast<int32_t>(1 + rng() % rows), b = static_cast<int32_t>(1 + rng() % rows);
            const int expected = keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
            ASSERT_EQ(column.Compare(a, b), (expected > 0) - (expected < 0)) << a << ", " << b;
            if (column.IdOf(a) == column.IdOf(b) || distinct < rows) {
                ASSERT_EQ(column.IdOf(a) == column.IdOf(b), expected == 0) << a << ", " << b;
            }
        }
    }
}

// Text taken as its own key must hold no byte of a longer character, wherever that byte lies.
TEST(SortEngine, AsciiCheckSeesAHighByteAtAnyPlace)
{
    for (size_t n = 0; n <= 24; ++n) {
        std::string s(n, 'a');
        EXPECT_TRUE(IsAscii(s)) << n;
        for (size_t i = 0; i < n; ++i) {
            s[i] = '\x80';
            EXPECT_FALSE(IsAscii(s)) << n << ", " << i;
            s[i] = 'a';
        }
    }
}

}  // namespace
