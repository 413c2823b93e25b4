// Locale-aware number and date text helpers shared by conversion and formatting.
#pragma once

#include <tavix/decimal.h>
#include <tavix/locale.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavix::text {

std::string_view Trim(std::string_view s);
bool IEquals(std::string_view a, std::string_view b);
bool StartsWith(std::string_view s, std::string_view prefix);
bool IsDigit(char c);

// A number as typed by a user: sign, currency symbol, thousands separators,
// decimal point, exponent, "(5)" for -5, "&H" hex and "&O" octal.
std::optional<double> ParseNumber(std::string_view s, const Locale& locale);
// The same grammar read exactly; nullopt for text that is no number, error 6 for a number
// too large for a decimal.
std::optional<Decimal> ParseDecimal(std::string_view s, const Locale& locale);

// A date and/or time in the locale's order, ISO "yyyy-mm-dd", month names, "13:05", "1:05 PM".
std::optional<double> ParseDate(std::string_view s, const Locale& locale);

// Up to `digits` significant digits, exponent form for very large or small values.
std::string GeneralNumber(double value, int digits, const Locale& locale);
// A currency amount scaled by 10000, without trailing zeros.
std::string CurrencyText(int64_t scaled, const Locale& locale);
// Every digit, without trailing zeros of the fraction.
std::string DecimalText(const Decimal& value, const Locale& locale);

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    int dayOfWeek = 7;  // 1 = Sunday
    int dayOfYear = 1;
    bool hasTime = false;
};

// The platform's dates run from 1 Jan 100 to 31 Dec 9999. A negative date counts its day
// back from 30 Dec 1899 and its time forward from that day's midnight, so every number
// strictly between these two bounds is a date, and no other.
inline constexpr double kDateSerialBelow = -657435.0;  // 31 Dec 99
inline constexpr double kDateSerialAbove = 2958466.0;  // 1 Jan 10000
inline bool IsDateInRange(double serial) { return serial > kDateSerialBelow && serial < kDateSerialAbove; }

// Error 6 outside the range; a time that rounds to the next second past either end stays on it.
DateParts SplitDate(double serial);
std::optional<double> MakeDate(int year, int month, int day);
int DaysInMonth(int year, int month);

// Short date, plus the long time when not midnight; the time alone on day 0.
std::string DateText(double serial, const Locale& locale);
std::string ShortDateText(const DateParts& d, const Locale& locale);
std::string LongTimeText(const DateParts& d, const Locale& locale);

}  // namespace tavix::text
