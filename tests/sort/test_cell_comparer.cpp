#include <gtest/gtest.h>

#include <unicode/locid.h>

#include "../../src/sort/cell_comparer.h"
#include "table_source.h"

using namespace tavix;
using namespace tavix::test;

namespace {

class CompareCellsTest : public ::testing::Test {
protected:
    // Two rows, one column; criterion 1 of the given type and order.
    CellOrder Compare(const TestCell& a, const TestCell& b, int32_t type, int32_t order = tvSortAsc) {
        src.rows = {{{a}}, {{b}}};
        crit.SetColCount(1);
        crit.SetSortType(1, type);
        crit.SetSortOrder(1, order);
        CellComparer cmp(crit, src, 2);
        return cmp.CompareCells(1, 2, 1);
    }
    static TestCell V(GridVariant v) {
        TestCell c;
        c.value = std::move(v);
        return c;
    }

    TableSource src;
    ShellSortObject crit;
};

void ExpectOrder(CellOrder r, bool ge, bool eq) {
    EXPECT_EQ(r.ge, ge);
    EXPECT_EQ(r.eq, eq);
}

TEST_F(CompareCellsTest, NullsFirstAscendingLastDescending) {
    ExpectOrder(Compare(V(GridVariant::Null()), V(GridVariant::Null()), tvSortByValue), true, true);
    ExpectOrder(Compare(V(GridVariant::Null()), V(int32_t{1}), tvSortByValue), false, false);
    ExpectOrder(Compare(V(GridVariant::Null()), V(int32_t{1}), tvSortByValue, tvSortDesc), true, false);
    ExpectOrder(Compare(V(int32_t{1}), V(GridVariant::Null()), tvSortByValue), true, false);
    ExpectOrder(Compare(V(int32_t{1}), V(GridVariant::Null()), tvSortByValue, tvSortDesc), false, false);
}

TEST_F(CompareCellsTest, ValuesOrderNumbersBeforeStringsAndFlipForDescending) {
    ExpectOrder(Compare(V(int32_t{2}), V(1.5), tvSortByValue), true, false);
    ExpectOrder(Compare(V(int32_t{2}), V(1.5), tvSortByValue, tvSortDesc), false, false);
    ExpectOrder(Compare(V(int32_t{2}), V(2.0), tvSortByValue, tvSortDesc), true, true);
    ExpectOrder(Compare(V(int32_t{99}), V("1"), tvSortByValue), false, false);
    ExpectOrder(Compare(V(GridVariant()), V(int32_t{0}), tvSortByValue), true, true);
}

TEST_F(CompareCellsTest, SixteenBitFieldsCompareByWrappedDifference) {
    TestCell a, b;
    a.icon = 32767;
    b.icon = -1;  // difference wraps to -32768: a sorts before b
    ExpectOrder(Compare(a, b, tvSortByIcon), false, false);
    a.indent = 3;
    b.indent = 3;
    ExpectOrder(Compare(a, b, tvSortByIndentation, tvSortDesc), true, true);
    a.fontIndex = 1;
    b.fontIndex = 2;
    ExpectOrder(Compare(a, b, tvSortByFontIndex, tvSortDesc), true, false);
}

TEST_F(CompareCellsTest, ColoursCompareByWrappedDifferenceHatchByByte) {
    TestCell a, b;
    a.fore = 0x80000005u;  // system colour: wraps to a negative difference against white
    b.fore = 0x00FFFFFFu;
    ExpectOrder(Compare(a, b, tvSortByForeColor), true, false);
    a.back = 0x00000001u;
    b.back = 0x00000002u;
    ExpectOrder(Compare(a, b, tvSortByBackColor), false, false);
    a.hatch = 200;
    b.hatch = 10;
    ExpectOrder(Compare(a, b, tvSortByHatch), true, false);
    a.selected = false;
    b.selected = true;
    ExpectOrder(Compare(a, b, tvSortBySelected), false, false);
}

TEST_F(CompareCellsTest, TextByCodeUnitAndWithoutCase) {
    TestCell a, b;
    a.text = "b";
    b.text = "B";
    ExpectOrder(Compare(a, b, tvSortByText), true, false);
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale::getEnglish(), status);
    ExpectOrder(Compare(a, b, tvSortByTextNoCase), true, true);
    a.text = "apple";
    b.text = "Banana";
    ExpectOrder(Compare(a, b, tvSortByText), true, false);
    ExpectOrder(Compare(a, b, tvSortByTextNoCase), false, false);
    // U+FF21 sorts below a surrogate pair in UTF-16 code units.
    a.text = "\xF0\x9F\x98\x80";
    b.text = "\xEF\xBC\xA1";
    ExpectOrder(Compare(a, b, tvSortByText), false, false);
}

TEST_F(CompareCellsTest, CustomSwapsArgumentsWhenDescendingAndNeverEqual) {
    ExpectOrder(Compare(V(int32_t{3}), V(int32_t{5}), tvSortByCustomer), false, false);
    ASSERT_EQ(src.customCalls.size(), 1u);
    EXPECT_EQ(src.customCalls[0].v1, std::to_string(3.0));
    src.customCalls.clear();
    ExpectOrder(Compare(V(int32_t{3}), V(int32_t{5}), tvSortByCustomer, tvSortDesc), true, false);
    EXPECT_EQ(src.customCalls[0].v1, std::to_string(5.0));
}

TEST(CustomSortArguments, AreTheStoredValuesByReference) {
    struct Rewriting : TableSource {
        void CustomSort(GridVariant& v1, GridVariant&, bool&) override { v1 = GridVariant(int32_t{42}); }
    } src;
    src.rows = {{{TestCell{GridVariant(int32_t{1})}}}, {{TestCell{GridVariant(int32_t{2})}}}};
    ShellSortObject crit;
    crit.SetColCount(1);
    crit.SetSortType(1, tvSortByCustomer);
    crit.SetSortOrder(1, tvSortDesc);  // descending hands row 2's value over as v1
    CellComparer(crit, src, 2).CompareCells(1, 2, 1);
    EXPECT_EQ(src.At(2, 1).value.ToLong(), 42);
    EXPECT_EQ(src.At(1, 1).value.ToLong(), 1);
}

TEST_F(CompareCellsTest, UnknownTypeIsNeverGreater) {
    ExpectOrder(Compare(V(int32_t{5}), V(int32_t{1}), 12), false, false);
    ExpectOrder(Compare(V(int32_t{5}), V(int32_t{1}), -1), false, false);
}

}  // namespace
