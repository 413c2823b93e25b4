#include <tavix/dispatch.h>
#include <tavix/variant.h>

#include <gtest/gtest.h>

#include "support/runtime_error.h"

#include <cstdint>

using namespace tavix;

using tavix::testing::RuntimeErrorOf;

TEST(GridVariant, ConstructorsPickTypes)
{
    EXPECT_EQ(GridVariant().VarType(), VtEmpty);
    EXPECT_EQ(GridVariant(int16_t { 1 }).VarType(), VtInteger);
    EXPECT_EQ(GridVariant(1).VarType(), VtLong);
    EXPECT_EQ(GridVariant(1.0f).VarType(), VtSingle);
    EXPECT_EQ(GridVariant(1.0).VarType(), VtDouble);
    EXPECT_EQ(GridVariant(true).VarType(), VtBoolean);
    EXPECT_EQ(GridVariant(uint8_t { 1 }).VarType(), VtByte);
    EXPECT_EQ(GridVariant("a").VarType(), VtString);
    EXPECT_EQ(GridVariant::Null().VarType(), VtNull);
    EXPECT_TRUE(GridVariant::Missing().IsMissing());
    EXPECT_FALSE(GridVariant::Error(5).IsMissing());
}

TEST(GridVariant, CopiesShareAndOutliveTheirSource)
{
    GridVariant a(std::string(100, 'x'));
    GridVariant b = a;
    EXPECT_EQ(a.AsString().data(), b.AsString().data());
    GridVariant c(std::move(a));
    EXPECT_TRUE(a.IsEmpty());
    a = c;
    c = GridVariant(5);
    b = b;  // self-assignment keeps the box alive
    EXPECT_EQ(b.AsString(), std::string(100, 'x'));
    EXPECT_EQ(a.AsString(), b.AsString());
    EXPECT_EQ(c.AsLong(), 5);
}

TEST(GridVariant, RoundingHalvesToEvenAndOverflows)
{
    EXPECT_EQ(GridVariant(2.5).ToLong(), 2);
    EXPECT_EQ(GridVariant(3.5).ToLong(), 4);
    EXPECT_EQ(GridVariant(-2.5).ToLong(), -2);
    EXPECT_EQ(GridVariant(2.6).ToInteger(), 3);
    EXPECT_EQ(RoundToLong(0.5), 0);
    EXPECT_EQ(RoundToLong(1.5), 2);
    EXPECT_EQ(RoundToLong(-2147483648.4), INT32_MIN);
    EXPECT_EQ(RuntimeErrorOf([] { RoundToLong(2147483647.6); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant(32767.5).ToInteger(); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant(40000).ToInteger(); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant(-1).ToByte(); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant(1e300).ToSingle(); }), 6);
    EXPECT_EQ(GridVariant(255.4).ToByte(), 255);
}

TEST(GridVariant, ConversionsAndTheirErrors)
{
    EXPECT_EQ(GridVariant(true).ToLong(), -1);
    EXPECT_EQ(GridVariant().ToLong(), 0);
    EXPECT_EQ(GridVariant(" 1,234.5 ").ToDouble(), 1234.5);
    EXPECT_EQ(GridVariant("2.5").ToLong(), 2);
    EXPECT_EQ(GridVariant(1.23456).ToCurrency(), 12346);
    EXPECT_TRUE(GridVariant("tRUE").ToBool());
    EXPECT_FALSE(GridVariant("0").ToBool());
    EXPECT_TRUE(GridVariant(0.1).ToBool());
    EXPECT_EQ(GridVariant("12/31/2024").ToDate(), 45657.0);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant("abc").ToLong(); }), 13);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant("maybe").ToBool(); }), 13);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant::Null().ToLong(); }), 94);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant::Error(5).ToDouble(); }), 13);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant(1e20).ToDate(); }), 6);
}

TEST(GridVariant, ToStringUsesStandardConversion)
{
    EXPECT_EQ(GridVariant().ToString(), "");
    EXPECT_EQ(GridVariant(true).ToString(), "True");
    EXPECT_EQ(GridVariant(false).ToString(), "False");
    EXPECT_EQ(GridVariant(0.1 + 0.2).ToString(), "0.3");
    EXPECT_EQ(GridVariant(-1234.5).ToString(), "-1234.5");
    EXPECT_EQ(GridVariant(1e15).ToString(), "1E+15");
    EXPECT_EQ(GridVariant(0.00001).ToString(), "1E-05");
    EXPECT_EQ(GridVariant(3.14159274f).ToString(), "3.141593");
    EXPECT_EQ(GridVariant::Currency(12345000).ToString(), "1234.5");
    EXPECT_EQ(GridVariant::Currency(-5).ToString(), "-0.0005");
    EXPECT_EQ(GridVariant::Date(45657).ToString(), "12/31/2024");
    EXPECT_EQ(GridVariant::Date(45657 + (13 * 60 + 5) / 1440.0).ToString(), "12/31/2024 1:05:00 PM");
    EXPECT_EQ(GridVariant::Date((13 * 60 + 5) / 1440.0).ToString(), "1:05:00 PM");
    EXPECT_EQ(GridVariant::Date(0).ToString(), "12:00:00 AM");
    EXPECT_EQ(GridVariant::Date(-1.25).ToString(), "12/29/1899 6:00:00 AM");
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant::Null().ToString(); }), 94);
    EXPECT_EQ(RuntimeErrorOf([] { GridVariant::Date(1e300).ToString(); }), 6);
}

TEST(VariantEquals, NullNeverEqualsAndNumbersCompareAcrossTypes)
{
    EXPECT_FALSE(VariantEquals(GridVariant::Null(), GridVariant::Null()));
    EXPECT_FALSE(VariantEquals(GridVariant::Null(), GridVariant()));
    EXPECT_TRUE(VariantEquals(GridVariant(int16_t { 3 }), GridVariant(3.0)));
    EXPECT_TRUE(VariantEquals(GridVariant(true), GridVariant(-1)));
    EXPECT_TRUE(VariantEquals(GridVariant::Currency(15000), GridVariant(1.5f)));
    EXPECT_TRUE(VariantEquals(GridVariant::Date(2), GridVariant(2)));
    EXPECT_TRUE(VariantEquals(GridVariant(), GridVariant(0)));
    EXPECT_TRUE(VariantEquals(GridVariant(), GridVariant("")));
    EXPECT_FALSE(VariantEquals(GridVariant(), GridVariant("0")));
}

TEST(VariantEquals, StringsObjectsAndErrors)
{
    EXPECT_TRUE(VariantEquals(GridVariant("abc"), GridVariant("abc")));
    EXPECT_FALSE(VariantEquals(GridVariant("abc"), GridVariant("ABC")));
    EXPECT_TRUE(VariantEquals(GridVariant("12.0"), GridVariant(12)));
    EXPECT_FALSE(VariantEquals(GridVariant("twelve"), GridVariant(12)));
    auto obj = std::make_shared<DispatchObject>();
    auto other = std::make_shared<DispatchObject>();
    EXPECT_TRUE(VariantEquals(GridVariant(obj), GridVariant(obj)));
    EXPECT_FALSE(VariantEquals(GridVariant(obj), GridVariant(other)));
    EXPECT_FALSE(VariantEquals(GridVariant(obj), GridVariant(0)));
    EXPECT_TRUE(VariantEquals(GridVariant::Error(5), GridVariant::Error(5)));
    EXPECT_FALSE(VariantEquals(GridVariant::Error(5), GridVariant(5)));
}

TEST(CompareVariantValues, NumbersBeforeStringsAndEmptyRules)
{
    EXPECT_LT(CompareVariantValues(GridVariant(2), GridVariant(10.5)), 0);
    EXPECT_GT(CompareVariantValues(GridVariant(false), GridVariant(true)), 0);  // True is -1
    EXPECT_LT(CompareVariantValues(GridVariant(1e9), GridVariant("0")), 0);
    EXPECT_GT(CompareVariantValues(GridVariant(""), GridVariant(5)), 0);
    EXPECT_EQ(CompareVariantValues(GridVariant(), GridVariant()), 0);
    EXPECT_EQ(CompareVariantValues(GridVariant(), GridVariant(0.0)), 0);
    EXPECT_LT(CompareVariantValues(GridVariant(), GridVariant(0.5)), 0);
    EXPECT_GT(CompareVariantValues(GridVariant(), GridVariant(-3)), 0);
    EXPECT_EQ(CompareVariantValues(GridVariant(), GridVariant("")), 0);
    EXPECT_LT(CompareVariantValues(GridVariant(), GridVariant("a")), 0);
    EXPECT_LT(CompareVariantValues(GridVariant::Currency(1), GridVariant::Currency(2)), 0);
}

TEST(CompareVariantValues, StringsByUtf16CodeUnit)
{
    EXPECT_LT(CompareVariantValues(GridVariant("B"), GridVariant("a")), 0);
    EXPECT_LT(CompareVariantValues(GridVariant("ab"), GridVariant("abc")), 0);
    // U+1F600 is a surrogate pair (0xD83D...) and so orders before U+FF01.
    EXPECT_LT(CompareVariantValues(GridVariant("\xF0\x9F\x98\x80"), GridVariant("\xEF\xBC\x81")), 0);
    EXPECT_EQ(RuntimeErrorOf([] { CompareVariantValues(GridVariant::Error(1), GridVariant(1)); }), 13);
}

TEST(ParseVariantAs, NumbersWithRangeChecks)
{
    EXPECT_EQ(ParseVariantAs(VtLong, " 1,234 ").AsLong(), 1234);
    EXPECT_EQ(ParseVariantAs(VtInteger, "-7").AsInteger(), -7);
    EXPECT_EQ(ParseVariantAs(VtByte, "255").AsByte(), 255);
    EXPECT_EQ(ParseVariantAs(VtDouble, "1,234.5").AsDouble(), 1234.5);
    EXPECT_EQ(ParseVariantAs(VtDouble, "1.5e3").AsDouble(), 1500.0);
    EXPECT_EQ(ParseVariantAs(VtCurrency, "$12.34").AsCurrencyScaled(), 123400);
    EXPECT_EQ(ParseVariantAs(VtSingle, "0.5").VarType(), VtSingle);
    EXPECT_EQ(ParseVariantAs(VtDecimal, "0.5").VarType(), VtDecimal);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtByte, "256"); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtInteger, "32768"); }), 6);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtLong, "x"); }), 13);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtLong, ""); }), 13);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtDouble, "1.2.3"); }), 13);
}

TEST(ParseVariantAs, LocaleSeparators)
{
    Locale german;
    german.decimalPoint = ",";
    german.thousandsSeparator = ".";
    german.dateOrder = DateOrder::DMY;
    german.dateSeparator = ".";
    EXPECT_EQ(ParseVariantAs(VtDouble, "1.234,5", german).AsDouble(), 1234.5);
    EXPECT_EQ(ParseVariantAs(VtDate, "31.12.2024", german).AsDate(), 45657.0);
}

TEST(ParseVariantAs, DatesTimesBooleansAndText)
{
    const double dec31 = 45657.0;
    EXPECT_EQ(ParseVariantAs(VtDate, "12/31/2024").AsDate(), dec31);
    EXPECT_EQ(ParseVariantAs(VtDate, "2024-12-31").AsDate(), dec31);
    EXPECT_EQ(ParseVariantAs(VtDate, "Dec 31, 2024").AsDate(), dec31);
    EXPECT_EQ(ParseVariantAs(VtDate, "12/31/24").AsDate(), dec31);
    EXPECT_DOUBLE_EQ(ParseVariantAs(VtDate, "12/31/2024 13:05").AsDate(), dec31 + 785 / 1440.0);
    EXPECT_DOUBLE_EQ(ParseVariantAs(VtDate, "1:05 PM").AsDate(), 785 / 1440.0);
    EXPECT_DOUBLE_EQ(ParseVariantAs(VtDate, "12:30:15 am").AsDate(), (30 * 60 + 15) / 86400.0);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtDate, "2/30/2024"); }), 13);
    Locale in2024;
    in2024.defaultYear = 2024;
    EXPECT_EQ(ParseVariantAs(VtDate, "12/31", in2024).AsDate(), dec31);
    EXPECT_EQ(ParseVariantAs(VtDate, "31 Dec", in2024).AsDate(), dec31);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtDate, "25:00"); }), 13);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtDate, "soon"); }), 13);
    EXPECT_TRUE(ParseVariantAs(VtBoolean, " true ").AsBool());
    EXPECT_FALSE(ParseVariantAs(VtBoolean, "0").AsBool());
    EXPECT_TRUE(ParseVariantAs(VtBoolean, "-2").AsBool());
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtBoolean, "yes"); }), 13);
    EXPECT_EQ(ParseVariantAs(VtString, " x ").AsString(), " x ");
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtObject, "x"); }), 13);
}

TEST(Locale, ReplacingTheCurrentLocaleChangesConversions)
{
    struct Restore {
        Locale saved = Locale::Current();
        ~Restore() { Locale::SetCurrent(saved); }
    } restore;
    Locale german;
    german.decimalPoint = ",";
    german.thousandsSeparator = ".";
    german.dateOrder = DateOrder::DMY;
    german.dateSeparator = ".";
    Locale::SetCurrent(german);
    EXPECT_EQ(GridVariant(1234.5).ToString(), "1234,5");
    EXPECT_EQ(GridVariant::Date(45657).ToString(), "31.12.2024");
    EXPECT_EQ(GridVariant("1.234,5").ToDouble(), 1234.5);
    EXPECT_EQ(ParseVariantAs(VtDate, "31.12.2024").AsDate(), 45657.0);
}

TEST(ParseVariantAs, NumberNotations)
{
    EXPECT_EQ(ParseVariantAs(VtLong, "(5)").AsLong(), -5);
    EXPECT_EQ(ParseVariantAs(VtLong, "&HFF").AsLong(), 255);
    EXPECT_EQ(ParseVariantAs(VtLong, "&HFFFF").AsLong(), -1);  // a 16-bit literal
    EXPECT_EQ(ParseVariantAs(VtLong, "&O17").AsLong(), 15);
    EXPECT_EQ(ParseVariantAs(VtDouble, ".5").AsDouble(), 0.5);
    EXPECT_EQ(ParseVariantAs(VtDouble, "-5.").AsDouble(), -5.0);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtDouble, "-"); }), 13);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtDouble, "1e"); }), 13);
    EXPECT_EQ(RuntimeErrorOf([] { ParseVariantAs(VtLong, "&HZZ"); }), 13);
}
