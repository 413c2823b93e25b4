#include "host/format_parts.h"
#include "host/text_convert.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace tavix::fmt {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

size_t RunLength(const std::vector<PatternToken>& toks, size_t i)
{
    size_t n = 1;
    while (i + n < toks.size() && toks[i + n].ch && Lower(toks[i + n].ch) == Lower(toks[i].ch))
        ++n;
    return n;
}

std::string Two(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

// Matches an AM/PM marker at token i: returns its length and the two designators.
size_t MatchAmPm(const std::vector<PatternToken>& toks, size_t i, const Locale& loc, std::string& am, std::string& pm)
{
    auto text = [&](size_t n) {
        std::string s;
        for (size_t k = i; k < i + n && k < toks.size(); ++k)
            s += toks[k].ch ? toks[k].ch : '\x01';
        return s;
    };
    if (text::IEquals(text(4), "AMPM")) {
        am = loc.amDesignator;
        pm = loc.pmDesignator;
        return 4;
    }
    const std::string five = text(5);
    if (text::IEquals(five, "AM/PM")) {
        const bool upper = five[0] == 'A';
        am = upper ? "AM" : "am";
        pm = upper ? "PM" : "pm";
        return 5;
    }
    const std::string three = text(3);
    if (text::IEquals(three, "A/P")) {
        am = std::string(1, three[0]);
        pm = std::string(1, three[0] == 'A' ? 'P' : 'p');
        return 3;
    }
    return 0;
}

// Week number; firstWeekOfYear 1: the week holding 1 January, 2: the first week with
// at least four days of the year, 3: the first full week. Earlier days belong to the
// last week of the previous year.
int WeekOfYear(double serial, const text::DateParts& d, int firstDayOfWeek, int firstWeekOfYear)
{
    const int jan1Weekday = ((d.dayOfWeek - 1 - (d.dayOfYear - 1)) % 7 + 7) % 7;  // 0 = Sunday
    const int before = (jan1Weekday - (firstDayOfWeek - 1) + 7) % 7;  // days of that week in December
    int start = -before;
    if ((firstWeekOfYear == 2 && 7 - before < 4) || (firstWeekOfYear == 3 && before != 0))
        start = 7 - before;
    const int index = d.dayOfYear - 1 - start;
    if (index < 0) {
        const double dec31 = serial - d.dayOfYear;
        return WeekOfYear(dec31, text::SplitDate(dec31), firstDayOfWeek, firstWeekOfYear);
    }
    return index / 7 + 1;
}

}  // namespace

bool HasAmPm(const std::vector<PatternToken>& toks)
{
    // Where a marker stands does not depend on the designators the locale gives it.
    static const Locale invariant;
    std::string am, pm;
    for (size_t i = 0; i < toks.size(); ++i)
        if (toks[i].ch && MatchAmPm(toks, i, invariant, am, pm))
            return true;
    return false;
}

void FormatDate(
    double serial, const Section& section, int firstDayOfWeek, int firstWeekOfYear, const Locale& loc, std::string& out)
{
    if (firstDayOfWeek < 1 || firstDayOfWeek > 7)
        firstDayOfWeek = 1;
    if (firstWeekOfYear < 1 || firstWeekOfYear > 3)
        firstWeekOfYear = 1;
    const std::vector<PatternToken>& toks = section.tokens;
    const text::DateParts d = text::SplitDate(serial);
    const bool twelveHour = section.twelveHour;
    std::string am, pm;

    bool afterHour = false;
    for (size_t i = 0; i < toks.size();) {
        const PatternToken& t = toks[i];
        if (t.ch == 0) {
            out += t.literal;
            ++i;
            continue;
        }
        if (size_t n = MatchAmPm(toks, i, loc, am, pm)) {
            out += d.hour < 12 ? am : pm;
            i += n;
            continue;
        }
        const size_t run = RunLength(toks, i);
        const char c = Lower(t.ch);
        size_t used = run;
        switch (c) {
        case 'c':
            out += text::DateText(serial, loc);
            used = 1;
            break;
        case 'd':
            if (run == 1)
                out += std::to_string(d.day);
            else if (run == 2)
                out += Two(d.day);
            else if (run == 3)
                out += loc.dayAbbreviations[d.dayOfWeek - 1];
            else if (run == 4)
                out += loc.dayNames[d.dayOfWeek - 1];
            else if (run == 5)
                out += text::ShortDateText(d, loc);
            else {
                FormatDate(serial, CompileSection(loc.longDatePattern), firstDayOfWeek, firstWeekOfYear, loc, out);
                used = 6;
            }
            break;
        case 'w':
            if (run == 1)
                out += std::to_string((d.dayOfWeek - firstDayOfWeek + 7) % 7 + 1);
            else {
                out += std::to_string(WeekOfYear(serial, d, firstDayOfWeek, firstWeekOfYear));
                used = 2;
            }
            break;
        case 'm': {
            // m right after an hour, or right before seconds, means minutes.
            size_t next = i + run;
            while (next < toks.size() && (toks[next].ch == 0 || toks[next].ch == ':' || toks[next].ch == ' '))
                ++next;
            const bool minutes = run <= 2 && (afterHour || (next < toks.size() && Lower(toks[next].ch) == 's'));
            if (minutes)
                out += run == 1 ? std::to_string(d.minute) : Two(d.minute);
            else if (run == 1)
                out += std::to_string(d.month);
            else if (run == 2)
                out += Two(d.month);
            else if (run == 3)
                out += loc.monthAbbreviations[d.month - 1];
            else {
                out += loc.monthNames[d.month - 1];
                used = 4;
            }
            break;
        }
        case 'q':
            out += std::to_string((d.month - 1) / 3 + 1);
            used = 1;
            break;
        case 'y':
            if (run == 1)
                out += std::to_string(d.dayOfYear);
            else if (run < 4) {
                out += Two(d.year % 100);
                used = 2;
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "%04d", d.year);
                out += buf;
                used = 4;
            }
            break;
        case 'h': {
            const int h = twelveHour ? (d.hour % 12 == 0 ? 12 : d.hour % 12) : d.hour;
            out += run == 1 ? std::to_string(h) : Two(h);
            used = std::min<size_t>(run, 2);
            break;
        }
        case 'n':
            out += run == 1 ? std::to_string(d.minute) : Two(d.minute);
            used = std::min<size_t>(run, 2);
            break;
        case 's':
            out += run == 1 ? std::to_string(d.second) : Two(d.second);
            used = std::min<size_t>(run, 2);
            break;
        case 't':
            if (run >= 5) {
                out += text::LongTimeText(d, loc);
                used = 5;
            } else {
                out += t.literal;
                used = 1;
            }
            break;
        case ':':
            out += loc.timeSeparator;
            used = 1;
            break;
        case '/':
            out += loc.dateSeparator;
            used = 1;
            break;
        default:
            out += t.literal;
            used = 1;
            break;
        }
        if (c == 'h')
            afterHour = true;
        else if (c != ':' && c != ' ')
            afterHour = false;
        i += used;
    }
}

}  // namespace tavix::fmt
