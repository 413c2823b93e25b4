// SQLite's three ways of storing a date, read as the grid's dates: days since
// 30 Dec 1899, the fraction being the time of day.
#pragma once

#include <optional>
#include <string_view>

namespace tavix::sqlite {

// "YYYY-MM-DD", optionally followed by " HH:MM[:SS[.SSS]]" (or "T..."), or a time "HH:MM[:SS[.SSS]]"
// alone; a trailing "Z" or "+HH:MM" / "-HH:MM" zone is converted to UTC, as SQLite's date functions do.
std::optional<double> ParseIsoDate(std::string_view text);

double FromJulianDay(double julianDay);
double FromUnixSeconds(double seconds);

// SQLite reads numbers in this range as Julian days and any other as Unix seconds.
bool InJulianDayRange(double number);

// The date carries a time of day (to the nearest millisecond).
bool HasTimeOfDay(double days);

}  // namespace tavix::sqlite
