#include <tavix/decimal.h>
#include <tavix/error.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tavix {

namespace {

// Magnitudes stay below 2^96, so a magnitude times 10^9 or two of them multiplied by a small
// power of ten fit the 128 bits that GCC and Clang offer.
using Uint128 = unsigned __int128;

constexpr Uint128 kMagnitudeLimit = Uint128 { 1 } << 96;
constexpr int kMaxDigits = 29;  // 2^96 - 1 has 29 digits
constexpr int kCurrencyScale = 4;
constexpr int64_t kExponentBound = int64_t { 1 } << 40;
constexpr uint64_t kTenPow19 = 10'000'000'000'000'000'000ull;

constexpr std::array<Uint128, 39> MakePowersOfTen()
{
    std::array<Uint128, 39> p {};
    p[0] = 1;
    for (size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}
constexpr std::array<Uint128, 39> kPow10 = MakePowersOfTen();

[[noreturn]] void Overflow() { throw TavixError::Runtime(6); }

Uint128 Magnitude(const Decimal& d) { return (Uint128 { d.Hi32() } << 64) | d.Lo64(); }

Decimal Make(bool negative, uint8_t scale, Uint128 magnitude)
{
    return Decimal::FromParts(
        negative, scale, static_cast<uint32_t>(magnitude >> 64), static_cast<uint64_t>(magnitude));
}

// magnitude / 10^drop, halves to even.
Uint128 DivideRounded(Uint128 magnitude, int drop)
{
    const Uint128 divisor = kPow10[static_cast<size_t>(drop)];
    const Uint128 quotient = magnitude / divisor;
    const Uint128 twice = (magnitude % divisor) * 2;  // below 2^128: remainder < 10^28
    return quotient + (twice > divisor || (twice == divisor && (quotient & 1)) ? 1 : 0);
}

// Magnitude rounded to `scale` decimals and then checked against a signed 64-bit range.
int64_t RoundToScaledInt64(const Decimal& d, int scale)
{
    Uint128 m = Magnitude(d);
    if (d.Scale() > scale)
        m = DivideRounded(m, d.Scale() - scale);
    else
        m *= kPow10[static_cast<size_t>(scale - d.Scale())];  // < 2^96 * 10^4
    const Uint128 limit = Uint128 { std::numeric_limits<int64_t>::max() } + (d.IsNegative() ? 1 : 0);
    if (m > limit)
        Overflow();
    return d.IsNegative() ? static_cast<int64_t>(0 - static_cast<uint64_t>(m)) : static_cast<int64_t>(m);
}

// Compares a × 10^shift with b for magnitudes below 2^96.
int CompareShifted(Uint128 a, int shift, Uint128 b)
{
    while (shift > 0) {
        const int step = shift < 9 ? shift : 9;
        a *= kPow10[static_cast<size_t>(step)];
        if (a >= kMagnitudeLimit)
            return 1;  // b is below 2^96
        shift -= step;
    }
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Digits of a double or float as its standard text shows them.
Decimal FromBinary(double value, int significantDigits)
{
    if (!std::isfinite(value))
        Overflow();
    if (value == 0)
        return Decimal();
    std::array<char, 48> buf {};
    std::snprintf(buf.data(), buf.size(), "%.*e", significantDigits - 1, std::fabs(value));
    std::string digits;
    const char* p = buf.data();
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    const int exponent = std::atoi(p + 1);  // "e+05", "e-07"
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return Decimal::FromDigits(value < 0, digits, exponent - static_cast<int64_t>(digits.size()) + 1);
}

}  // namespace

Decimal::Decimal(int64_t value) noexcept
    : lo_(value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value))
    , negative_(value < 0)
{
}

Decimal Decimal::FromParts(bool negative, uint8_t scale, uint32_t hi32, uint64_t lo64)
{
    if (scale > kMaxScale)
        Overflow();
    return Decimal(negative && (hi32 != 0 || lo64 != 0), scale, hi32, lo64);
}

Decimal Decimal::FromDigits(bool negative, std::string_view digits, int64_t exponent)
{
    if (digits.find_first_not_of("0123456789") != std::string_view::npos)
        throw TavixError::Runtime(13);
    while (!digits.empty() && digits.front() == '0')
        digits.remove_prefix(1);
    // Beyond this bound the exponent alone decides: overflow, or zero.
    exponent = std::clamp(exponent, -kExponentBound, kExponentBound);
    if (digits.empty())
        return Decimal(false, static_cast<uint8_t>(std::clamp<int64_t>(-exponent, 0, kMaxScale)), 0, 0);
    const auto count = static_cast<int64_t>(digits.size());
    const int64_t wholeDigits = count + exponent;  // may be negative: zeros after the point
    if (wholeDigits > kMaxDigits)
        Overflow();
    // Keep as many decimals as the scale and the 96 bits allow; one fewer when rounding up
    // carries past the limit.
    int64_t decimals = exponent < 0 ? std::min<int64_t>(-exponent, kMaxScale) : 0;
    decimals = std::min<int64_t>(decimals, kMaxDigits - wholeDigits);
    for (;; --decimals) {
        const int64_t kept = wholeDigits + decimals;  // digits of `digits` that stay
        Uint128 m = 0;
        for (int64_t i = 0; i < kept; ++i)
            m = m * 10 + static_cast<unsigned>(i < count ? digits[static_cast<size_t>(i)] - '0' : 0);
        if (kept >= 0 && kept < count) {
            const int first = digits[static_cast<size_t>(kept)] - '0';
            const bool rest = digits.find_first_not_of('0', static_cast<size_t>(kept) + 1) != std::string_view::npos;
            if (first > 5 || (first == 5 && (rest || (m & 1))))
                ++m;
        }
        if (m < kMagnitudeLimit)
            return Make(negative, static_cast<uint8_t>(decimals), m);
        if (decimals == 0)
            Overflow();
    }
}

Decimal Decimal::FromCurrency(int64_t scaled10000) noexcept
{
    const bool negative = scaled10000 < 0;
    const uint64_t m = negative ? 0 - static_cast<uint64_t>(scaled10000) : static_cast<uint64_t>(scaled10000);
    return Decimal(negative && m != 0, kCurrencyScale, 0, m);
}

Decimal Decimal::FromDouble(double value) { return FromBinary(value, std::numeric_limits<double>::digits10); }

Decimal Decimal::FromSingle(float value) { return FromBinary(value, std::numeric_limits<float>::digits10 + 1); }

Decimal Decimal::Max() noexcept { return Decimal(false, 0, 0xFFFFFFFFu, 0xFFFFFFFFFFFFFFFFull); }

Decimal Decimal::Negated() const noexcept { return Decimal(!negative_ && !IsZero(), scale_, hi_, lo_); }

double Decimal::ToDouble() const noexcept
{
    static constexpr std::array<double, 23> kExactPowers = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10,
        1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
    const Uint128 m = Magnitude(*this);
    double result = 0;
    if (m < (Uint128 { 1 } << std::numeric_limits<double>::digits) && scale_ < kExactPowers.size()) {
        // Both operands are exact, so the one division rounds correctly.
        result = static_cast<double>(static_cast<uint64_t>(m)) / kExactPowers[scale_];
    } else {
        const std::string text = ToString();
        std::from_chars(text.data() + (negative_ ? 1 : 0), text.data() + text.size(), result);
    }
    return negative_ ? -result : result;
}

int64_t Decimal::ToCurrency() const { return RoundToScaledInt64(*this, kCurrencyScale); }

int64_t Decimal::RoundToInt64() const { return RoundToScaledInt64(*this, 0); }

std::string Decimal::MagnitudeDigits() const
{
    const Uint128 m = Magnitude(*this);
    std::array<char, 48> buf {};
    char* end = buf.data();
    const auto high = static_cast<uint64_t>(m / kTenPow19);
    const auto low = static_cast<uint64_t>(m % kTenPow19);
    if (high == 0)
        return std::string(buf.data(), std::to_chars(end, buf.data() + buf.size(), low).ptr);
    end = std::to_chars(end, buf.data() + buf.size(), high).ptr;
    std::array<char, 20> lowDigits {};
    const char* lowEnd = std::to_chars(lowDigits.data(), lowDigits.data() + lowDigits.size(), low).ptr;
    const auto lowCount = static_cast<size_t>(lowEnd - lowDigits.data());
    std::string out(buf.data(), end);
    out.append(19 - lowCount, '0');
    out.append(lowDigits.data(), lowCount);
    return out;
}

std::string Decimal::ToString() const
{
    std::string digits = MagnitudeDigits();
    if (digits.size() <= scale_)
        digits.insert(0, scale_ + 1 - digits.size(), '0');
    if (scale_ > 0)
        digits.insert(digits.size() - scale_, 1, '.');
    return negative_ ? "-" + digits : digits;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) noexcept
{
    const bool zeroA = a.IsZero(), zeroB = b.IsZero();
    if (zeroA || zeroB) {
        const int signA = zeroA ? 0 : (a.IsNegative() ? -1 : 1);
        const int signB = zeroB ? 0 : (b.IsNegative() ? -1 : 1);
        return signA <=> signB;
    }
    if (a.IsNegative() != b.IsNegative())
        return a.IsNegative() ? std::strong_ordering::less : std::strong_ordering::greater;
    const Uint128 ma = Magnitude(a), mb = Magnitude(b);
    int magnitudeOrder = 0;
    if (a.Scale() == b.Scale())
        magnitudeOrder = ma < mb ? -1 : (ma > mb ? 1 : 0);
    else if (a.Scale() < b.Scale())
        magnitudeOrder = CompareShifted(ma, b.Scale() - a.Scale(), mb);
    else
        magnitudeOrder = -CompareShifted(mb, a.Scale() - b.Scale(), ma);
    return (a.IsNegative() ? -magnitudeOrder : magnitudeOrder) <=> 0;
}

}  // namespace tavix
