#include <gtest/gtest.h>

#include <unicode/locid.h>

#include <functional>

#include "../../src/sort/cell_comparer.h"
#include "table_source.h"

using namespace tavix;
using namespace tavix::test;

namespace {

// The literal comparison is the oracle the engine is checked against: each rule once.
struct Case {
    const char* what;
    int32_t type;
    int32_t order;
    std::function<void(TestCell& a, TestCell& b)> set;
    bool ge, eq;
};

TestCell Value(GridVariant v) { return TestCell { std::move(v) }; }

TEST(CellComparer, ComparesEachSortTypeAsTheRulesSay)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale::getEnglish(), status);
    const GridVariant null = GridVariant::Null();
    const Case cases[] = {
        { "two Nulls are equal", tvSortByValue, tvSortAsc, [&](auto& a, auto& b) { a = Value(null), b = Value(null); },
            true, true },
        { "Null first ascending", tvSortByValue, tvSortAsc, [&](auto& a, auto& b) { a = Value(null), b = Value(1); },
            false, false },
        { "Null last descending", tvSortByValue, tvSortDesc, [&](auto& a, auto& b) { a = Value(null), b = Value(1); },
            true, false },
        { "value after Null ascending", tvSortByValue, tvSortAsc,
            [&](auto& a, auto& b) { a = Value(1), b = Value(null); }, true, false },
        { "numbers across types", tvSortByValue, tvSortAsc, [](auto& a, auto& b) { a = Value(2), b = Value(1.5); },
            true, false },
        { "descending flips", tvSortByValue, tvSortDesc, [](auto& a, auto& b) { a = Value(2), b = Value(1.5); }, false,
            false },
        { "equal is ge descending", tvSortByValue, tvSortDesc, [](auto& a, auto& b) { a = Value(2), b = Value(2.0); },
            true, true },
        { "number before string", tvSortByValue, tvSortAsc, [](auto& a, auto& b) { a = Value(99), b = Value("1"); },
            false, false },
        { "Empty is 0", tvSortByValue, tvSortAsc, [](auto& a, auto& b) { a = Value({}), b = Value(0); }, true, true },
        { "icon difference wraps", tvSortByIcon, tvSortAsc, [](auto& a, auto& b) { a.icon = 32767, b.icon = -1; },
            false, false },
        { "font index descending", tvSortByFontIndex, tvSortDesc,
            [](auto& a, auto& b) { a.fontIndex = 1, b.fontIndex = 2; }, true, false },
        { "system colour wraps", tvSortByForeColor, tvSortAsc,
            [](auto& a, auto& b) { a.fore = 0x80000005u, b.fore = 0xFFFFFFu; }, true, false },
        { "back colours", tvSortByBackColor, tvSortAsc, [](auto& a, auto& b) { a.back = 1, b.back = 2; }, false,
            false },
        { "hatch by byte", tvSortByHatch, tvSortAsc, [](auto& a, auto& b) { a.hatch = 200, b.hatch = 10; }, true,
            false },
        { "unselected first", tvSortBySelected, tvSortAsc,
            [](auto& a, auto& b) { a.selected = false, b.selected = true; }, false, false },
        { "text by code unit", tvSortByText, tvSortAsc, [](auto& a, auto& b) { a.text = "apple", b.text = "Banana"; },
            true, false },
        { "text ignoring case", tvSortByTextNoCase, tvSortAsc,
            [](auto& a, auto& b) { a.text = "apple", b.text = "Banana"; }, false, false },
        { "case only is equal", tvSortByTextNoCase, tvSortAsc, [](auto& a, auto& b) { a.text = "b", b.text = "B"; },
            true, true },
        { "a surrogate pair below U+FF21", tvSortByText, tvSortAsc,
            [](auto& a, auto& b) { a.text = "\xF0\x9F\x98\x80", b.text = "\xEF\xBC\xA1"; }, false, false },
        { "unknown type never ge", 12, tvSortAsc, [](auto& a, auto& b) { a = Value(5), b = Value(1); }, false, false },
    };
    for (const Case& c : cases) {
        TableSource src;
        src.rows = { TestRow { { TestCell {} } }, TestRow { { TestCell {} } } };
        c.set(src.At(1, 1), src.At(2, 1));
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
    src.rows = { TestRow { { Value(3) } }, TestRow { { Value(5) } } };
    ShellSortObject crit;
    crit.SetColCount(1);
    crit.SetSortType(1, tvSortByCustomer);
    crit.SetSortOrder(1, tvSortDesc);
    const CellOrder r = CellComparer(crit, src, 2).CompareCells(1, 2, 1);
    EXPECT_TRUE(r.ge && !r.eq) << "5 mod 7 > 3 mod 7, never equal";
    EXPECT_EQ(src.customCalls, (std::vector<CustomCall> { { std::to_string(5.0), std::to_string(3.0) } }));
    EXPECT_EQ(src.At(2, 1).value.ToLong(), 42) << "v1 is row 2's stored value itself";
}

}  // namespace
