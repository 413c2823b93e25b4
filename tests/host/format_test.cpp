#include "host/compiled_format.h"

#include <tavix/format.h>

#include <gtest/gtest.h>

#include <limits>

using namespace tavix;

namespace {

const double kDec31 = 45657.0;  // Tuesday 31 December 2024
const double kTime = (13 * 3600 + 5 * 60 + 9) / 86400.0;

}  // namespace

TEST(FormatNumber, DigitPlaceholdersAndGrouping)
{
    EXPECT_EQ(Format(1234.5, "#,##0.00"), "1,234.50");
    EXPECT_EQ(Format(1234567, "#,##0"), "1,234,567");
    EXPECT_EQ(Format(0, "#,##0"), "0");
    EXPECT_EQ(Format(5, "000"), "005");
    EXPECT_EQ(Format(12345, "00"), "12345");
    EXPECT_EQ(Format(0.5, "#.##"), ".5");
    EXPECT_EQ(Format(2, "0.##"), "2.");
    EXPECT_EQ(Format(2.5, "0.0#"), "2.5");
    EXPECT_EQ(Format(12.5, ".00"), "12.50");
    EXPECT_EQ(Format(1.005, "0.00"), "1.01");
    EXPECT_EQ(Format(123456789012345.67, "0.0"), "123456789012346.0");  // 15 significant digits
    EXPECT_EQ(Format(0.125, "0.00"), "0.13");
    EXPECT_EQ(Format(999.996, "#,##0.00"), "1,000.00");
    EXPECT_EQ(Format(1234567, "#,##0,"), "1,235");
    EXPECT_EQ(Format(5551234, "000-0000"), "555-1234");
}

TEST(FormatNumber, SectionsAndSigns)
{
    EXPECT_EQ(Format(-5, "0;(0)"), "(5)");
    EXPECT_EQ(Format(-5, "0"), "-5");
    EXPECT_EQ(Format(-5, "$0.00"), "-$5.00");
    EXPECT_EQ(Format(-5, "0;"), "-5");
    EXPECT_EQ(Format(0, "0;(0);\"zero\""), "zero");
    EXPECT_EQ(Format(GridVariant::Null(), "0;(0);\"zero\";\"none\""), "none");
    EXPECT_EQ(Format(GridVariant::Null(), "0.00"), "");
    EXPECT_EQ(Format(3, "\"#\"0\\%"), "#3%");
}

TEST(FormatNumber, PercentAndScientific)
{
    EXPECT_EQ(Format(0.25, "0%"), "25%");
    EXPECT_EQ(Format(0.1234, "0.0%"), "12.3%");
    EXPECT_EQ(Format(12345.678, "0.00E+00"), "1.23E+04");
    EXPECT_EQ(Format(0.00012345, "0.00E+00"), "1.23E-04");
    EXPECT_EQ(Format(12345.678, "0.00E-00"), "1.23E04");
    EXPECT_EQ(Format(9.999, "0.00e+00"), "1.00e+01");
    EXPECT_EQ(Format(0, "0.00E+00"), "0.00E+00");
    EXPECT_EQ(Format(12345.678, "00.0E+00"), "12.3E+03");
    EXPECT_EQ(Format(12345.678, "0.0E+0 \"m\""), "1.2E+4 m");
}

TEST(FormatNumber, NumericStringsAndNonNumbers)
{
    EXPECT_EQ(Format("1234.5", "#,##0.00"), "1,234.50");
    EXPECT_EQ(Format("abc", "0.00"), "abc");
    EXPECT_EQ(Format(true, "0"), "-1");
    EXPECT_EQ(Format(GridVariant::Currency(12345), "0.000"), "1.235");
}

TEST(FormatNamed, NumericNames)
{
    EXPECT_EQ(Format(1234.5, "General Number"), "1234.5");
    EXPECT_EQ(Format(1234.5, "Currency"), "$1,234.50");
    EXPECT_EQ(Format(-1234.5, "currency"), "($1,234.50)");
    EXPECT_EQ(Format(1234.567, "Fixed"), "1234.57");
    EXPECT_EQ(Format(1234.567, "Standard"), "1,234.57");
    EXPECT_EQ(Format(0.5, "Percent"), "50.00%");
    EXPECT_EQ(Format(1234.5, "Scientific"), "1.23E+03");
    EXPECT_EQ(Format(0, "Yes/No"), "No");
    EXPECT_EQ(Format(3, "Yes/No"), "Yes");
    EXPECT_EQ(Format(-1, "True/False"), "True");
    EXPECT_EQ(Format(0, "On/Off"), "Off");
    EXPECT_EQ(Format("text", "Fixed"), "text");
}

TEST(FormatDate, DayMonthYearParts)
{
    const GridVariant d = GridVariant::Date(kDec31 + kTime);
    EXPECT_EQ(Format(d, "d/m/yy"), "31/12/24");
    EXPECT_EQ(Format(d, "dd-mm-yyyy"), "31-12-2024");
    EXPECT_EQ(Format(d, "ddd dddd"), "Tue Tuesday");
    EXPECT_EQ(Format(d, "mmm mmmm"), "Dec December");
    EXPECT_EQ(Format(d, "ddddd"), "12/31/2024");
    EXPECT_EQ(Format(d, "dddddd"), "Tuesday, December 31, 2024");
    EXPECT_EQ(Format(d, "q y"), "4 366");
    EXPECT_EQ(Format(d, "w ww"), "3 53");
    EXPECT_EQ(Format(d, "w", 2), "2");  // Monday first
    EXPECT_EQ(Format(GridVariant::Date(45292), "ww"), "1");  // 1 Jan 2024
    EXPECT_EQ(Format(GridVariant::Date(45298), "ww"), "2");  // Sunday 7 Jan 2024
    EXPECT_EQ(Format(d, "c"), "12/31/2024 1:05:09 PM");
}

TEST(FormatDate, FirstWeekOfYearRules)
{
    const double jan1 = 44197, jan2 = 44198, jan3 = 44199;  // Fri 1 Jan 2021 .. Sun 3 Jan 2021
    EXPECT_EQ(Format(GridVariant::Date(jan1), "ww", 1, 1), "1");
    EXPECT_EQ(Format(GridVariant::Date(jan1), "ww", 1, 2), "53");  // only two days in 2021
    EXPECT_EQ(Format(GridVariant::Date(jan2), "ww", 1, 3), "52");
    EXPECT_EQ(Format(GridVariant::Date(jan3), "ww", 1, 3), "1");
}

TEST(FormatDate, TimeParts)
{
    const GridVariant d = GridVariant::Date(kDec31 + kTime);
    EXPECT_EQ(Format(d, "hh:mm:ss"), "13:05:09");
    EXPECT_EQ(Format(d, "h:nn AM/PM"), "1:05 PM");
    EXPECT_EQ(Format(d, "h:nn am/pm"), "1:05 pm");
    EXPECT_EQ(Format(d, "h:nn a/p"), "1:05 p");
    EXPECT_EQ(Format(d, "hh:nn AMPM"), "01:05 PM");
    EXPECT_EQ(Format(d, "mm:ss"), "05:09");
    EXPECT_EQ(Format(d, "ttttt"), "1:05:09 PM");
    EXPECT_EQ(Format(GridVariant::Date(0.0), "h AM/PM"), "12 AM");
    EXPECT_EQ(Format("12/31/2024", "yyyy-mm-dd"), "2024-12-31");
    EXPECT_EQ(Format("not a date", "yyyy"), "not a date");
}

TEST(FormatNamed, DateNames)
{
    const GridVariant d = GridVariant::Date(kDec31 + kTime);
    EXPECT_EQ(Format(d, "General Date"), "12/31/2024 1:05:09 PM");
    EXPECT_EQ(Format(d, "Long Date"), "Tuesday, December 31, 2024");
    EXPECT_EQ(Format(d, "Medium Date"), "31-Dec-24");
    EXPECT_EQ(Format(d, "Short Date"), "12/31/2024");
    EXPECT_EQ(Format(d, "Long Time"), "1:05:09 PM");
    EXPECT_EQ(Format(d, "Medium Time"), "01:05 PM");
    EXPECT_EQ(Format(d, "Short Time"), "13:05");
}

TEST(FormatText, Placeholders)
{
    EXPECT_EQ(Format("abc", "@@@@@"), "  abc");
    EXPECT_EQ(Format("abc", "!@@@@@"), "abc  ");
    EXPECT_EQ(Format("abc", "&&&&&"), "abc");
    EXPECT_EQ(Format("abcdef", "@@-@@"), "abcd-ef");
    EXPECT_EQ(Format("abcdef", "!@@-@@"), "ab-cdef");
    EXPECT_EQ(Format("MiXed", "<"), "mixed");
    EXPECT_EQ(Format("MiXed", ">@@@@@"), "MIXED");
    EXPECT_EQ(Format("5551234", "@@@-@@@@"), "555-1234");
    EXPECT_EQ(Format("", "@;\"empty\""), "empty");
    EXPECT_EQ(Format(GridVariant::Null(), "@;\"null\""), "null");
    EXPECT_EQ(Format("\xC3\xA9t\xC3\xA9", "@@@@"), " \xC3\xA9t\xC3\xA9");  // whole UTF-8 characters
    EXPECT_EQ(Format(42, "@@@@"), "  42");
}

TEST(Format, EmptyFormatAndMalformedPatterns)
{
    EXPECT_EQ(Format(1234.5, ""), "1234.5");
    EXPECT_EQ(Format(GridVariant::Null(), ""), "");
    EXPECT_EQ(Format(GridVariant(), "0"), "0");
    EXPECT_EQ(Format(5, "0\"unterminated"), "5unterminated");
    EXPECT_EQ(Format(5, "0\\"), "5");
    EXPECT_EQ(Format(5, ";;;"), "");
    EXPECT_EQ(Format(GridVariant::Error(5), "0"), "Error 5");
    EXPECT_EQ(Format(1e300, "0.00E+00"), "1.00E+300");
    EXPECT_EQ(Format(1e300, "yyyy"), "");
    EXPECT_EQ(Format(1e307, "0%"), "");
    EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), "0.00"), "");
}

TEST(CompiledFormat, ReusedAcrossValuesGivesTheTextOfAFreshParse)
{
    const char* const patterns[] = { "#,##0.00;(#,##0.00);\"zero\";\"null\"", "0.0E+00", "Currency",
        "dddddd h:nn AM/PM", "@@-@;\"empty\"", "Yes/No", "\"lit\"" };
    const GridVariant values[] = { 1234.5, -0.004, 0, GridVariant::Null(), "42", "", GridVariant::Currency(-123456),
        GridVariant::Date(kDec31 + kTime), true };
    for (const char* pattern : patterns) {
        const CompiledFormat compiled(pattern);
        for (const GridVariant& v : values)
            EXPECT_EQ(compiled.Apply(v), Format(v, pattern)) << pattern << " / " << v.ToString();
    }
}

TEST(CompiledFormat, FollowsAReplacedLocale)
{
    struct Restore {
        Locale saved = Locale::Current();
        ~Restore() { Locale::SetCurrent(saved); }
    } restore;
    const CompiledFormat currency("Currency"), shortDate("Short Date"), standard("#,##0.00");
    Locale german;
    german.decimalPoint = ",";
    german.thousandsSeparator = ".";
    german.currencySymbol = "EUR ";
    german.currencyDecimals = 0;
    german.shortDatePattern = "dd.mm.yyyy";
    Locale::SetCurrent(german);
    EXPECT_EQ(currency.Apply(-1234.5), "(EUR 1.235)");
    EXPECT_EQ(shortDate.Apply(GridVariant::Date(kDec31)), "31.12.2024");
    EXPECT_EQ(standard.Apply(1234.5), "1.234,50");
}
