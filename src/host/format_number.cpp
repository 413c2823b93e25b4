#include "host/format_parts.h"

#include <tavix/error.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace tavix::fmt {

namespace {

bool IsPlaceholder(const PatternToken& t) { return t.ch == '0' || t.ch == '#'; }

struct Digits {
    std::string whole;  // no leading zeros; empty for zero
    std::string fraction;  // exactly the requested number of digits
};

// A magnitude as 0.mantissa × 10^wholeDigits.
struct Significand {
    std::string mantissa;
    int wholeDigits = 1;
};

// Most values shown are whole numbers of hundredths or so. When v × 10^k comes out as an integer
// N below 10^15, v is within a rounding error of N / 10^k, far less than half a unit in the 15th
// digit, so N's digits are the ones the general path below would give, at the cost of an integer.
bool ShortSignificand(double v, Significand& s)
{
    static constexpr double kPowers[] = { 1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6 };
    if (!(v > 0 && v < 1e15))
        return false;
    for (int k = 0; k < static_cast<int>(std::size(kPowers)); ++k) {
        const double x = v * kPowers[k];
        if (x >= 1e15)
            return false;
        if (x != std::floor(x))
            continue;
        char buf[20];
        char* end = std::to_chars(buf, buf + sizeof buf, static_cast<uint64_t>(x)).ptr;
        s.mantissa.assign(buf, end);
        s.mantissa.resize(15, '0');
        s.wholeDigits = static_cast<int>(end - buf) - k;
        return true;
    }
    return false;
}

// The 15 significant digits a double is shown with, so that 1.005 rounds to 1.01 as typed
// rather than as stored. to_chars rounds exactly like printf's %.14e, without its cost.
Significand SignificandOf(double v)
{
    Significand s;
    if (ShortSignificand(v, s))
        return s;
    char buf[40];
    const char* end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14).ptr;
    const char* p = buf;
    for (; p < end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            s.mantissa += *p;
    int exponent = 0;
    const bool negative = p + 1 < end && p[1] == '-';
    for (p += 2; p < end; ++p)
        exponent = exponent * 10 + (*p - '0');
    s.wholeDigits = v == 0 ? 1 : (negative ? -exponent : exponent) + 1;
    return s;
}

// Every digit of a decimal; `shift` moves the point right (percent) or left (scaling commas).
Significand SignificandOf(const Decimal& d, int shift)
{
    Significand s { d.MagnitudeDigits(), 0 };
    s.wholeDigits = static_cast<int>(s.mantissa.size()) - d.Scale() + shift;
    return s;
}

// Rounds half away from zero at `decimals`.
Digits Round(const Significand& s, int decimals)
{
    const std::string& mant = s.mantissa;
    const int keep = s.wholeDigits + decimals;
    std::string kept;
    if (keep >= 0) {
        kept.assign(mant, 0, std::min<size_t>(keep, mant.size()));
        const bool up = keep < static_cast<int>(mant.size()) && mant[keep] >= '5';
        kept.append(keep > static_cast<int>(kept.size()) ? keep - kept.size() : 0, '0');
        if (up) {
            int i = static_cast<int>(kept.size()) - 1;
            while (i >= 0 && kept[i] == '9')
                kept[i--] = '0';
            if (i >= 0)
                ++kept[i];
            else
                kept.insert(kept.begin(), '1');
        }
    }
    // kept holds the digits of round(v * 10^decimals).
    if (kept.size() < static_cast<size_t>(decimals))
        kept.insert(0, decimals - kept.size(), '0');
    const size_t wholeEnd = kept.size() - decimals;
    const size_t nz = std::min(kept.find_first_not_of('0'), wholeEnd);
    Digits d;
    d.whole.assign(kept, nz, wholeEnd - nz);
    d.fraction.assign(kept, wholeEnd);
    return d;
}

}  // namespace

NumberLayout AnalyseNumber(const std::vector<PatternToken>& toks)
{
    NumberLayout l;
    l.mantissaEnd = toks.size();
    for (size_t i = 0; i + 1 < toks.size(); ++i) {
        if ((toks[i].ch == 'E' || toks[i].ch == 'e') && (toks[i + 1].ch == '+' || toks[i + 1].ch == '-')) {
            l.exponent = static_cast<int>(i);
            l.mantissaEnd = i;
            break;
        }
    }
    for (size_t i = 0; i < l.mantissaEnd; ++i) {
        if (toks[i].ch == '.' && l.point < 0)
            l.point = static_cast<int>(i);
        else if (toks[i].ch == '%')
            ++l.percents;
        else if (IsPlaceholder(toks[i]))
            (l.point < 0 ? l.intPlaceholders : l.fracPlaceholders)++;
    }
    const size_t intEnd = l.point < 0 ? l.mantissaEnd : static_cast<size_t>(l.point);
    // A comma between digit placeholders groups thousands; one right after them scales by 1000.
    int seen = 0;
    for (size_t i = 0; i < intEnd; ++i) {
        if (IsPlaceholder(toks[i])) {
            ++seen;
            l.scaleCommas = 0;
        } else if (toks[i].ch == ',' && seen > 0) {
            if (seen < l.intPlaceholders)
                l.grouping = true;
            else
                ++l.scaleCommas;
        }
    }
    for (size_t i = intEnd; i < l.mantissaEnd; ++i)
        if (IsPlaceholder(toks[i]))
            l.fracKinds += toks[i].ch;
    l.exponentEnd = toks.size();
    if (l.exponent >= 0) {
        l.exponentEnd = static_cast<size_t>(l.exponent) + 2;
        for (; l.exponentEnd < toks.size() && IsPlaceholder(toks[l.exponentEnd]); ++l.exponentEnd)
            if (toks[l.exponentEnd].ch == '0')
                ++l.exponentMinDigits;
    }
    l.scaleUp = std::pow(100.0, l.percents);
    l.scaleDown = std::pow(1000.0, l.scaleCommas);
    return l;
}

void FormatNumber(const Number& number, const Section& section, const Locale& loc, std::string& out)
{
    const std::vector<PatternToken>& toks = section.tokens;
    const NumberLayout& l = section.number;
    Significand sig;
    if (number.exact) {
        sig = SignificandOf(*number.exact, 2 * l.percents - 3 * l.scaleCommas);
    } else {
        const double v = number.value * l.scaleUp / l.scaleDown;
        if (!std::isfinite(v))
            throw TavixError::Runtime(6);
        sig = SignificandOf(v);
    }

    int exp10 = 0;
    Digits digits = Round(sig, l.fracPlaceholders);
    const bool zero = sig.mantissa.find_first_not_of('0') == std::string::npos;
    if (l.exponent >= 0 && !zero) {
        // The mantissa gets as many whole digits as there are placeholders for them.
        exp10 = sig.wholeDigits - l.intPlaceholders;
        digits = Round({ sig.mantissa, l.intPlaceholders }, l.fracPlaceholders);
        if (static_cast<int>(digits.whole.size()) > l.intPlaceholders) {
            ++exp10;
            digits = Round({ sig.mantissa, l.intPlaceholders - 1 }, l.fracPlaceholders);
        }
    }

    // Trailing '#' fraction placeholders drop their zeros.
    int fracKeep = l.fracPlaceholders;
    while (fracKeep > 0 && l.fracKinds[fracKeep - 1] == '#' && digits.fraction[fracKeep - 1] == '0')
        --fracKeep;

    const int wholeLen = static_cast<int>(digits.whole.size());
    auto emitDigit = [&](char c, int posFromRight) {
        out += c;
        if (l.grouping && posFromRight > 0 && posFromRight % 3 == 0)
            out += loc.thousandsSeparator;
    };
    int intIndex = 0, fracIndex = 0;
    for (size_t i = 0; i < l.mantissaEnd; ++i) {
        const PatternToken& t = toks[i];
        if (t.ch == 0) {
            out += t.literal;
        } else if (static_cast<int>(i) == l.point) {
            if (l.intPlaceholders == 0)
                out += digits.whole;
            out += loc.decimalPoint;
        } else if (IsPlaceholder(t) && (l.point < 0 || static_cast<int>(i) < l.point)) {
            const int pos = l.intPlaceholders - 1 - intIndex++;
            if (intIndex == 1)
                for (int p = wholeLen - 1; p > pos; --p)
                    emitDigit(digits.whole[wholeLen - 1 - p], p);
            if (pos < wholeLen)
                emitDigit(digits.whole[wholeLen - 1 - pos], pos);
            else if (t.ch == '0')
                emitDigit('0', pos);
        } else if (IsPlaceholder(t)) {
            if (fracIndex < fracKeep)
                out += digits.fraction[fracIndex];
            ++fracIndex;
        } else if (t.ch != ',') {
            out += t.literal;
        }
    }
    if (l.exponent < 0)
        return;

    out += toks[l.exponent].ch;
    if (exp10 < 0)
        out += '-';
    else if (toks[l.exponent + 1].ch == '+')
        out += '+';
    std::string e = std::to_string(std::abs(exp10));
    if (static_cast<int>(e.size()) < l.exponentMinDigits)
        e.insert(0, l.exponentMinDigits - e.size(), '0');
    out += e;
    for (size_t i = l.exponentEnd; i < toks.size(); ++i)
        out += toks[i].literal;
}

}  // namespace tavix::fmt
