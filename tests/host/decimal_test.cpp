#include <tavix/format.h>
#include <tavix/variant.h>

#include <gtest/gtest.h>

#include "support/runtime_error.h"

#include <string>

using namespace tavix;
using tavix::testing::RuntimeErrorOf;

namespace {

const char* const kMax = "79228162514264337593543950335";

GridVariant Dec(const char* text) { return ParseVariantAs(VtDecimal, text); }

bool HeldInline(const GridVariant& v)
{
    const auto* at = v.AsString().data();
    const auto* self = reinterpret_cast<const char*>(&v);
    return at >= self && at < self + sizeof v;
}

}  // namespace

TEST(Decimal, LimitsAndScaleRoundTripThroughText)
{
    for (const char* text : { kMax, "-79228162514264337593543950335", "7.9228162514264337593543950335",
             "-0.0000000000000000000000000001", "9223372036854775807", "123.45" }) {
        EXPECT_EQ(Dec(text).ToString(), text);
        EXPECT_EQ(GridVariant(Dec(text).ToString()).ToDecimal(), Dec(text).AsDecimal()) << text;
    }
    EXPECT_EQ(Dec("1.500").AsDecimal().Scale(), 3);
    EXPECT_EQ(Dec("1.500").ToString(), "1.5");
    EXPECT_EQ(RuntimeErrorOf([] { Dec("79228162514264337593543950336"); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { Dec("1234567890123456789012345678901234567890"); }), 6);
    EXPECT_EQ(ParseVariantAs(VtDouble, "1234567890123456789012345678901234567890").AsDouble(), 1.2345678901234568e39);
    EXPECT_EQ(RuntimeErrorOf([] { Dec("7.9e28"); }), 0);
    EXPECT_EQ(RuntimeErrorOf([] { Dec("8e28"); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { Dec("12x"); }), 13);
}

TEST(Decimal, ExcessDigitsAndRoundingHalvesToEven)
{
    EXPECT_EQ(Dec("0.00000000000000000000000000025").ToString(), "0.0000000000000000000000000002");
    EXPECT_EQ(Dec("0.00000000000000000000000000035").ToString(), "0.0000000000000000000000000004");
    EXPECT_EQ(Dec("0.000000000000000000000000000250001").ToString(), "0.0000000000000000000000000003");
    EXPECT_EQ(Dec("9.99999999999999999999999999995").ToString(), "10");  // carries into one more whole digit
    EXPECT_EQ(Dec("1e-400").ToString(), "0");
    EXPECT_EQ(Dec("0e999").ToString(), "0");  // zero whatever its exponent
    EXPECT_EQ(Dec("2.5").ToLong(), 2);
    EXPECT_EQ(Dec("-3.5").ToLong(), -4);
    EXPECT_EQ(Dec("2147483646.5").ToLong(), 2147483646);
    EXPECT_EQ(RuntimeErrorOf([] { Dec("2147483647.5").ToLong(); }), 6);
    EXPECT_EQ(Dec("922337203685477.58065").ToCurrency(), INT64_MAX - 1);
    EXPECT_EQ(RuntimeErrorOf([] { Dec("922337203685477.58075").ToCurrency(); }), 6);
}

TEST(Decimal, ConversionsWithOtherTypes)
{
    EXPECT_EQ(GridVariant(0.1).ToDecimal().ToString(), "0.1");  // the double's 15 digits
    EXPECT_EQ(GridVariant(1.0f / 3).ToDecimal().ToString(), "0.3333333");
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant(1e29).ToDecimal(); }), 6);
    EXPECT_EQ(Dec(kMax).ToDouble(), 7.922816251426434e28);
    EXPECT_EQ(Dec("0.3").ToDouble(), 0.3);
    EXPECT_EQ(GridVariant::Currency(INT64_MIN).ToDecimal().ToString(), "-922337203685477.5808");
    EXPECT_EQ(ParseVariantAs(VtCurrency, "922337203685477.5807").AsCurrencyScaled(), INT64_MAX);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtCurrency, "922337203685477.5808"); }), 6);
    EXPECT_EQ(GridVariant("-922337203685477.5808").ToCurrency(), INT64_MIN);
    EXPECT_EQ(GridVariant::Currency(INT64_MAX).ToString(), "922337203685477.5807");
    EXPECT_TRUE(Dec("0.0000000000000000000000000001").ToBool());
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant::Null().ToDecimal(); }), 94);

    Locale german;
    german.decimalPoint = ",";
    german.thousandsSeparator = ".";
    EXPECT_EQ(ParseVariantAs(VtDecimal, "-1.234,5", german).ToString(), "-1234.5");
}

TEST(Decimal, ComparisonsAreExactBetweenExactTypes)
{
    const GridVariant max = Dec(kMax), belowMax = Dec("79228162514264337593543950334");
    EXPECT_EQ(max.ToDouble(), belowMax.ToDouble());
    EXPECT_GT(CompareVariantValues(max, belowMax), 0);
    EXPECT_FALSE(VariantEquals(max, belowMax));
    EXPECT_TRUE(VariantEquals(Dec("1.50"), Dec("1.5")));
    EXPECT_EQ(CompareVariantValues(Dec("1.50"), GridVariant(int16_t { 1 })), 1);
    EXPECT_GT(CompareVariantValues(Dec("1.0000000000000000000000000001"), GridVariant(true)), 0);
    EXPECT_LT(CompareVariantValues(Dec("-0.5"), GridVariant()), 0);
    EXPECT_LT(CompareVariantValues(Dec("922337203685477.5806"), GridVariant::Currency(INT64_MAX)), 0);
    EXPECT_TRUE(VariantEquals(Dec("0.1"), GridVariant(0.1)));  // a double side compares as doubles
    EXPECT_TRUE(VariantEquals(Dec("12345678901234567890.1"), GridVariant("12345678901234567890.1")));
    EXPECT_FALSE(VariantEquals(Dec("12345678901234567890.1"), GridVariant("12345678901234567890.2")));
    EXPECT_FALSE(VariantEquals(Dec("1"), GridVariant(std::string(40, '9'))));
    EXPECT_LT(CompareVariantValues(max, GridVariant("0")), 0);  // numbers before strings
}

TEST(Decimal, FormatPrintsExactDigits)
{
    EXPECT_EQ(Format(Dec(kMax), "#,##0"), "79,228,162,514,264,337,593,543,950,335");
    EXPECT_EQ(Format(Dec(kMax), "0.00E+00"), "7.92E+28");
    EXPECT_EQ(Format(Dec("-7.9228162514264337593543950335"), "0.000000000000000000000000000000"),
        "-7.922816251426433759354395033500");
    EXPECT_EQ(Format(Dec("1.005"), "0.00"), "1.01");  // halves away from zero
    EXPECT_EQ(Format(Dec("-1234.5"), "#,##0;(#,##0)"), "(1,235)");
    EXPECT_EQ(Format(Dec("0.125"), "0.0%"), "12.5%");
    EXPECT_EQ(Format(Dec("12345678901234567890"), "#,##0,,"), "12,345,678,901,235");
    EXPECT_EQ(Format(Dec("0"), "0;(0);\"zero\""), "zero");
    EXPECT_EQ(Format(GridVariant::Currency(INT64_MAX), "Standard"), "922,337,203,685,477.58");
    EXPECT_EQ(Format(Dec("9223372036854775807"), "General Number"), "9223372036854775807");
    EXPECT_EQ(Format(Dec("0.5"), "Yes/No"), "Yes");
}

TEST(GridVariant, ShortStringsAreHeldInlineAndLongOnesShared)
{
    const std::string cases[] = { "", "abcdefgh", std::string(13, 'x'),
        "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9x", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80x",
        std::string(14, 'x'), "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80xy", std::string(100, 'x') };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        const bool fits = text.size() <= GridVariant::kInlineTextCapacity;
        GridVariant v(text);
        const GridVariant copy = v;
        EXPECT_EQ(HeldInline(v), fits);
        EXPECT_EQ(copy.AsString().data() == v.AsString().data(), !fits);
        EXPECT_EQ(copy.AsString(), text);
        v = GridVariant(std::string(50, 'y'));  // replace each kind by the other and back
        v = copy;
        EXPECT_EQ(v.AsString(), text);
        EXPECT_EQ(v.VarType(), VtString);
    }
}

TEST(GridVariant, DatesEndAtTheFirstAndLastDayOfTheCalendar)
{
    EXPECT_EQ(GridVariant::Date(-657434.999).ToString(), "1/1/0100 11:58:34 PM");
    EXPECT_EQ(GridVariant::Date(2958465.9999999).ToString(), "12/31/9999 11:59:59 PM");  // no carry into 10000
    EXPECT_EQ(GridVariant(-657434.5).ToDate(), -657434.5);
    EXPECT_EQ(ParseVariantAs(VtDate, "-657434.5").AsDate(), -657434.5);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant(-657435.0).ToDate(); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtDate, "2958466"); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant::Date(2958466).ToString(); }), 6);
    EXPECT_DOUBLE_EQ(ParseVariantAs(VtDate, "12/31/9999 23:59:59").AsDate(), 2958465 + 86399 / 86400.0);
    EXPECT_EQ(ParseVariantAs(VtDate, "0100-01-01").AsDate(), -657434.0);
    for (const char* outside : { "1/1/10000", "12/31/0099", "0099-12-31", "99999999999:00" })
        EXPECT_EQ(RuntimeErrorOf([&] { ParseVariantAs(VtDate, outside); }), 13) << outside;
    EXPECT_EQ(Format(GridVariant::Date(2958465.9999999), "yyyy-mm-dd hh:nn:ss"), "9999-12-31 23:59:59");
}
