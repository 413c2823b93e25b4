#include "host/text_convert.h"

#include <tavix/error.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace tavix::text {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

const int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);
constexpr int64_t kSecondsPerDay = 86400;

int ExpandYear(int y, size_t digits)
{
    if (digits > 2)
        return y;
    return y < 30 ? 2000 + y : 1900 + y;
}

int MonthFromName(std::string_view w, const Locale& loc)
{
    for (int i = 0; i < 12; ++i)
        if (IEquals(w, loc.monthNames[i]) || IEquals(w, loc.monthAbbreviations[i]))
            return i + 1;
    return 0;
}

bool IsDayName(std::string_view w, const Locale& loc)
{
    for (int i = 0; i < 7; ++i)
        if (IEquals(w, loc.dayNames[i]) || IEquals(w, loc.dayAbbreviations[i]))
            return true;
    return false;
}

struct TimeOfDay {
    int h = 0, m = 0, s = 0;
    int ampm = 0;  // 0 none, 1 AM, 2 PM
};

std::vector<std::string_view> SplitWords(std::string_view s)
{
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == ',' || s[i] == '\t'))
            ++i;
        size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != ',' && s[j] != '\t')
            ++j;
        if (j > i)
            out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

bool ParseTime(std::string_view w, const Locale& loc, TimeOfDay& t)
{
    int fields[3] = { 0, 0, 0 };
    int n = 0;
    size_t i = 0;
    while (i < w.size() && n < 3) {
        size_t j = i;
        while (j < w.size() && IsDigit(w[j]))
            ++j;
        if (j == i)
            return false;
        if (std::from_chars(w.data() + i, w.data() + j, fields[n++]).ec != std::errc())
            return false;  // too many digits for any hour, minute or second
        i = j;
        if (i < w.size() && (w[i] == ':' || StartsWith(w.substr(i), loc.timeSeparator)))
            ++i;
        else
            break;
    }
    std::string_view rest = w.substr(i);
    if (!rest.empty()) {
        if (IEquals(rest, loc.amDesignator) || IEquals(rest, "AM") || IEquals(rest, "A"))
            t.ampm = 1;
        else if (IEquals(rest, loc.pmDesignator) || IEquals(rest, "PM") || IEquals(rest, "P"))
            t.ampm = 2;
        else
            return false;
    }
    t.h = fields[0];
    t.m = fields[1];
    t.s = fields[2];
    return n >= 2 || t.ampm != 0;
}

}  // namespace

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return !prefix.empty() && s.substr(0, prefix.size()) == prefix;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool IEquals(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return kDays[month - 1];
}

std::optional<double> MakeDate(int year, int month, int day)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    return static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffset);
}

namespace {

int DefaultYear(const Locale& loc)
{
    if (loc.defaultYear != 0)
        return loc.defaultYear;
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day(today).year());
}

}  // namespace

std::optional<double> ParseDate(std::string_view s, const Locale& loc)
{
    std::vector<int> nums;
    std::vector<size_t> numDigits;
    int monthName = 0;
    bool hasTime = false;
    TimeOfDay t;
    for (std::string_view w : SplitWords(Trim(s))) {
        if (IEquals(w, loc.amDesignator) || IEquals(w, loc.pmDesignator)) {
            if (!hasTime)
                return std::nullopt;
            t.ampm = IEquals(w, loc.amDesignator) ? 1 : 2;
        } else if (w.find(':') != std::string_view::npos
            || (!loc.timeSeparator.empty() && w.find(loc.timeSeparator) != std::string_view::npos)) {
            if (hasTime || !ParseTime(w, loc, t))
                return std::nullopt;
            hasTime = true;
        } else if (int m = MonthFromName(w, loc)) {
            if (monthName)
                return std::nullopt;
            monthName = m;
        } else if (IsDayName(w, loc)) {
            continue;
        } else {
            // Numbers separated by '/', '-', '.' or the locale's date separator; month names may sit between.
            size_t i = 0;
            while (i < w.size()) {
                size_t j = i;
                while (j < w.size() && IsDigit(w[j]))
                    ++j;
                if (j > i) {
                    int v = 0;
                    std::from_chars(w.data() + i, w.data() + j, v);
                    nums.push_back(v);
                    numDigits.push_back(j - i);
                } else {
                    while (j < w.size() && std::isalpha(static_cast<unsigned char>(w[j])))
                        ++j;
                    if (j == i)
                        return std::nullopt;
                    int m = MonthFromName(w.substr(i, j - i), loc);
                    if (!m || monthName)
                        return std::nullopt;
                    monthName = m;
                }
                i = j;
                if (i < w.size()) {
                    if (w[i] == '/' || w[i] == '-' || w[i] == '.')
                        ++i;
                    else if (StartsWith(w.substr(i), loc.dateSeparator))
                        i += loc.dateSeparator.size();
                    else
                        return std::nullopt;
                }
            }
        }
    }
    double serial = 0;
    if (!nums.empty() || monthName) {
        int y = 0, m = 0, d = 0;
        const bool isoFirst = !nums.empty() && numDigits[0] >= 3;
        if (monthName) {
            m = monthName;
            if (nums.size() == 2) {
                const bool yearFirst = numDigits[0] >= 3 || nums[0] > 31;
                y = ExpandYear(nums[yearFirst ? 0 : 1], numDigits[yearFirst ? 0 : 1]);
                d = nums[yearFirst ? 1 : 0];
            } else if (nums.size() == 1) {
                d = nums[0];
                y = DefaultYear(loc);
            } else {
                return std::nullopt;
            }
        } else if (nums.size() == 3) {
            int a = nums[0], b = nums[1], c = nums[2];
            if (isoFirst || loc.dateOrder == DateOrder::YMD) {
                y = ExpandYear(a, numDigits[0]);
                m = b;
                d = c;
            } else if (loc.dateOrder == DateOrder::DMY) {
                d = a;
                m = b;
                y = ExpandYear(c, numDigits[2]);
            } else {
                m = a;
                d = b;
                y = ExpandYear(c, numDigits[2]);
            }
        } else if (nums.size() == 2) {
            // Month and day of the current year.
            y = DefaultYear(loc);
            if (loc.dateOrder == DateOrder::DMY) {
                d = nums[0];
                m = nums[1];
            } else {
                m = nums[0];
                d = nums[1];
            }
        } else {
            return std::nullopt;
        }
        auto date = MakeDate(y, m, d);
        if (!date)
            return std::nullopt;
        serial = *date;
    } else if (!hasTime) {
        return std::nullopt;
    }
    if (hasTime) {
        if (t.ampm != 0) {
            if (t.h < 1 || t.h > 12)
                return std::nullopt;
            t.h = t.h % 12 + (t.ampm == 2 ? 12 : 0);
        }
        if (t.h > 23 || t.m > 59 || t.s > 59)
            return std::nullopt;
        const double frac = (t.h * 3600 + t.m * 60 + t.s) / 86400.0;
        serial = serial < 0 ? serial - frac : serial + frac;
    }
    return serial;
}

DateParts SplitDate(double serial)
{
    if (!IsDateInRange(serial))
        throw TavixError::Runtime(6);
    DateParts p;
    double whole = std::trunc(serial);
    int64_t secs = std::llround(std::fabs(serial - whole) * kSecondsPerDay);
    if (secs >= kSecondsPerDay) {
        const double next = whole + (serial < 0 ? -1 : 1);
        if (next > kDateSerialBelow && next < kDateSerialAbove) {
            secs -= kSecondsPerDay;
            whole = next;
        } else {
            secs = kSecondsPerDay - 1;
        }
    }
    const int64_t z = static_cast<int64_t>(whole) + kEpochOffset + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    p.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    p.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    p.year = static_cast<int>(yoe + era * 400 + (p.month <= 2));
    p.hour = static_cast<int>(secs / 3600);
    p.minute = static_cast<int>(secs / 60 % 60);
    p.second = static_cast<int>(secs % 60);
    p.hasTime = secs != 0;
    const int64_t days1970 = z - 719468;
    p.dayOfWeek = static_cast<int>(((days1970 % 7) + 7 + 4) % 7) + 1;  // 1970-01-01 was a Thursday
    p.dayOfYear = static_cast<int>(z - 719468 - DaysFromCivil(p.year, 1, 1) + 1);
    return p;
}

std::string ShortDateText(const DateParts& d, const Locale& loc)
{
    const std::string& sep = loc.dateSeparator;
    const std::string day = std::to_string(d.day), month = std::to_string(d.month);
    char year[8];
    std::snprintf(year, sizeof year, "%04d", d.year);
    switch (loc.dateOrder) {
    case DateOrder::DMY: return day + sep + month + sep + year;
    case DateOrder::YMD: return year + sep + month + sep + day;
    default: return month + sep + day + sep + year;
    }
}

std::string LongTimeText(const DateParts& d, const Locale& loc)
{
    char buf[16];
    const int h12 = d.hour % 12 == 0 ? 12 : d.hour % 12;
    std::snprintf(buf, sizeof buf, "%d%s%02d%s%02d", h12, loc.timeSeparator.c_str(), d.minute,
        loc.timeSeparator.c_str(), d.second);
    return std::string(buf) + " " + (d.hour < 12 ? loc.amDesignator : loc.pmDesignator);
}

std::string DateText(double serial, const Locale& loc)
{
    const DateParts d = SplitDate(serial);
    if (std::trunc(serial) == 0)
        return LongTimeText(d, loc);
    std::string out = ShortDateText(d, loc);
    if (d.hasTime)
        out += " " + LongTimeText(d, loc);
    return out;
}

}  // namespace tavix::text
