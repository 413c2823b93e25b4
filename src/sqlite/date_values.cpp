#include "sqlite/date_values.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tavix::sqlite {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kJulianDayOfDateZero = 2415018.5;  // 30 Dec 1899, 00:00
constexpr double kUnixEpochDays = 25569.0;  // 1 Jan 1970 after 30 Dec 1899
constexpr double kLastJulianDay = 5373484.5;  // 31 Dec 9999, as SQLite's "auto" modifier bounds it

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's civil algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

bool ValidDay(int y, int m, int d)
{
    static constexpr int kDays[] = { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (m < 1 || m > 12 || d < 1 || d > kDays[m - 1])
        return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m != 2 || d <= 28 || leap;
}

// Reads the text from left to right; every Read* fails without moving on a mismatch.
class Cursor {
public:
    explicit Cursor(std::string_view text)
        : text_(text)
    {
    }
    bool AtEnd() const { return pos_ == text_.size(); }
    bool Next(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool ReadDigits(size_t count, int& out)
    {
        if (pos_ + count > text_.size())
            return false;
        const char* first = text_.data() + pos_;
        auto [end, ec] = std::from_chars(first, first + count, out);
        if (ec != std::errc() || end != first + count)
            return false;
        pos_ += count;
        return true;
    }
    // "HH:MM[:SS[.fraction]]" as seconds of the day.
    std::optional<double> ReadTime()
    {
        int hh = 0, mm = 0, ss = 0;
        if (!ReadDigits(2, hh) || !Next(':') || !ReadDigits(2, mm) || hh > 23 || mm > 59)
            return std::nullopt;
        double seconds = hh * 3600.0 + mm * 60.0;
        if (Next(':')) {
            if (!ReadDigits(2, ss) || ss > 59)
                return std::nullopt;
            seconds += ss;
            if (Next('.')) {
                double scale = 0.1;
                const size_t start = pos_;
                for (; pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9'; ++pos_, scale /= 10)
                    seconds += (text_[pos_] - '0') * scale;
                if (pos_ == start)
                    return std::nullopt;
            }
        }
        return seconds;
    }
    // "Z", "+HH:MM" or "-HH:MM" as the seconds to add for UTC; 0 without a zone.
    std::optional<double> ReadZone()
    {
        if (Next('Z') || Next('z') || AtEnd())
            return 0.0;
        const bool ahead = Next('+');
        if (!ahead && !Next('-'))
            return std::nullopt;
        int hh = 0, mm = 0;
        if (!ReadDigits(2, hh) || !Next(':') || !ReadDigits(2, mm) || hh > 14 || mm > 59)
            return std::nullopt;
        const double offset = hh * 3600.0 + mm * 60.0;
        return ahead ? -offset : offset;
    }

private:
    std::string_view text_;
    size_t pos_ { 0 };
};

}  // namespace

std::optional<double> ParseIsoDate(std::string_view text)
{
    Cursor in(text);
    double days = 0;
    double seconds = 0;
    int y = 0, m = 0, d = 0;
    if (in.ReadDigits(4, y)) {
        if (!in.Next('-') || !in.ReadDigits(2, m) || !in.Next('-') || !in.ReadDigits(2, d) || !ValidDay(y, m, d))
            return std::nullopt;
        days = static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)))
            + kUnixEpochDays;
        if (in.Next(' ') || in.Next('T')) {
            auto time = in.ReadTime();
            if (!time)
                return std::nullopt;
            seconds = *time;
        }
    } else {
        auto time = in.ReadTime();
        if (!time)
            return std::nullopt;
        seconds = *time;
    }
    auto zone = in.ReadZone();
    if (!zone || !in.AtEnd())
        return std::nullopt;
    return days + (seconds + *zone) / kSecondsPerDay;
}

double FromJulianDay(double julianDay) { return julianDay - kJulianDayOfDateZero; }

double FromUnixSeconds(double seconds) { return seconds / kSecondsPerDay + kUnixEpochDays; }

bool InJulianDayRange(double number) { return number >= 0 && number < kLastJulianDay; }

bool HasTimeOfDay(double days)
{
    constexpr double kHalfMillisecond = 0.0005 / kSecondsPerDay;
    const double fraction = days - std::floor(days);
    return fraction > kHalfMillisecond && fraction < 1 - kHalfMillisecond;
}

}  // namespace tavix::sqlite
