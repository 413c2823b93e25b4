#include "host/text_convert.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tavix::text {

namespace {

// Exponents beyond this are out of every type's range; saturating keeps the arithmetic small.
constexpr int64_t kExponentLimit = 1'000'000;

std::optional<double> ParseRadix(std::string_view s, int radix)
{
    if (s.empty())
        return std::nullopt;
    uint64_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, radix);
    if (ec != std::errc() || p != s.data() + s.size() || v > 0xFFFFFFFFull)
        return std::nullopt;
    // Hex literals are 16 or 32 bit two's complement, as in source code.
    if (v <= 0xFFFF)
        return static_cast<double>(static_cast<int16_t>(v));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
}

// A number as typed, split into parts from which both a double and an exact decimal are made.
struct ScannedNumber {
    bool negative = false;
    std::optional<double> radixValue;  // "&H" and "&O" literals
    std::string digits;  // every mantissa digit, the point left out
    int64_t fractionDigits = 0;
    int64_t exponent = 0;
    std::string plain;  // "123.45e-6", as from_chars reads it
};

std::optional<ScannedNumber> Scan(std::string_view s, const Locale& loc)
{
    ScannedNumber n;
    s = Trim(s);
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') {
        n.negative = true;
        s = Trim(s.substr(1, s.size() - 2));
    }
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        n.negative = n.negative != (s.front() == '-');
        s = Trim(s.substr(1));
    }
    if (StartsWith(s, loc.currencySymbol))
        s = Trim(s.substr(loc.currencySymbol.size()));
    if (s.size() > 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            n.radixValue = ParseRadix(s.substr(2), 16);
        else if (s[1] == 'O' || s[1] == 'o')
            n.radixValue = ParseRadix(s.substr(2), 8);
        if (!n.radixValue)
            return std::nullopt;
        return n;
    }
    bool point = false;
    size_t i = 0;
    while (i < s.size()) {
        if (IsDigit(s[i])) {
            n.digits += s[i];
            n.plain += s[i++];
            n.fractionDigits += point ? 1 : 0;
        } else if (!point && StartsWith(s.substr(i), loc.decimalPoint)) {
            n.plain += '.';
            point = true;
            i += loc.decimalPoint.size();
        } else if (!point && !n.digits.empty() && StartsWith(s.substr(i), loc.thousandsSeparator)) {
            i += loc.thousandsSeparator.size();
        } else {
            break;
        }
    }
    if (n.digits.empty())
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        n.plain += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            n.plain += s[i++];
        }
        const size_t start = i;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            n.plain += s[i];
            n.exponent = std::min(n.exponent * 10 + (s[i] - '0'), kExponentLimit);
        }
        if (i == start)
            return std::nullopt;
        if (negativeExponent)
            n.exponent = -n.exponent;
    }
    if (StartsWith(s.substr(i), loc.currencySymbol))
        i += loc.currencySymbol.size();
    if (!Trim(s.substr(i)).empty())
        return std::nullopt;
    return n;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view s, const Locale& loc)
{
    const auto n = Scan(s, loc);
    if (!n)
        return std::nullopt;
    double v = 0;
    if (n->radixValue) {
        v = *n->radixValue;
    } else {
        auto [p, ec] = std::from_chars(n->plain.data(), n->plain.data() + n->plain.size(), v);
        if (ec != std::errc() || p != n->plain.data() + n->plain.size() || !std::isfinite(v))
            return std::nullopt;
    }
    return n->negative ? -v : v;
}

std::optional<Decimal> ParseDecimal(std::string_view s, const Locale& loc)
{
    const auto n = Scan(s, loc);
    if (!n)
        return std::nullopt;
    if (n->radixValue) {
        const Decimal d(static_cast<int64_t>(*n->radixValue));
        return n->negative ? d.Negated() : d;
    }
    return Decimal::FromDigits(n->negative, n->digits, n->exponent - n->fractionDigits);
}

std::string GeneralNumber(double value, int digits, const Locale& loc)
{
    if (value == 0)
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, value);
    std::string out;
    for (const char* p = buf; *p; ++p) {
        if (*p == '.')
            out += loc.decimalPoint;
        else
            out += *p;
    }
    return out;
}

std::string CurrencyText(int64_t scaled, const Locale& loc)
{
    const bool negative = scaled < 0;
    const uint64_t mag = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string out = negative ? "-" : "";
    out += std::to_string(mag / 10000);
    std::string frac = std::to_string(10000 + mag % 10000).substr(1);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (!frac.empty())
        out += loc.decimalPoint + frac;
    return out;
}

std::string DecimalText(const Decimal& value, const Locale& loc)
{
    std::string out = value.ToString();
    const size_t point = out.find('.');
    if (point == std::string::npos)
        return out;
    const size_t last = out.find_last_not_of('0');
    out.erase(last == point ? point : last + 1);
    if (out.size() > point)
        out.replace(point, 1, loc.decimalPoint);
    return out;
}

}  // namespace tavix::text
