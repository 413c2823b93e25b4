// The platform's exact decimal number: a 96-bit magnitude scaled by a power of ten.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavix {

class GridVariant;

// sign × magnitude / 10^scale with a magnitude below 2^96 and a scale of 0..28: 28 or 29
// significant digits. Equal values may differ in scale (1.5 and 1.50); comparisons go by value.
// Results that do not fit raise runtime error 6 (Overflow) as a TavixError.
class Decimal {
public:
    static constexpr uint8_t kMaxScale = 28;

    constexpr Decimal() noexcept = default;
    explicit Decimal(int64_t value) noexcept;

    // Error 6 for a scale above 28.
    static Decimal FromParts(bool negative, uint8_t scale, uint32_t hi32, uint64_t lo64);
    // digits × 10^exponent (error 13 when `digits` holds anything but decimal digits). Fraction
    // digits beyond what fits are rounded off, halves to even; error 6 when the whole part does
    // not fit.
    static Decimal FromDigits(bool negative, std::string_view digits, int64_t exponent);
    static Decimal FromCurrency(int64_t scaled10000) noexcept;
    // The 15 significant digits a double shows as text (7 for a float); error 6 beyond the
    // range and for infinities and NaN.
    static Decimal FromDouble(double value);
    static Decimal FromSingle(float value);
    static Decimal Max() noexcept;

    bool IsNegative() const noexcept { return negative_; }
    bool IsZero() const noexcept { return lo_ == 0 && hi_ == 0; }
    uint8_t Scale() const noexcept { return scale_; }
    uint32_t Hi32() const noexcept { return hi_; }
    uint64_t Lo64() const noexcept { return lo_; }

    Decimal Negated() const noexcept;
    // The nearest double.
    double ToDouble() const noexcept;
    // Rounded to ten-thousandths, halves to even; error 6 outside the 64-bit range.
    int64_t ToCurrency() const;
    // Rounded to an integer, halves to even; error 6 outside the 64-bit range.
    int64_t RoundToInt64() const;

    // The magnitude's decimal digits without leading zeros ("0" for zero); the last Scale()
    // of them are decimals, as far as there are that many.
    std::string MagnitudeDigits() const;
    // Every digit of the scale kept, "." as decimal point: "-1.50", "0.001".
    std::string ToString() const;

    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) noexcept;
    friend bool operator==(const Decimal& a, const Decimal& b) noexcept { return (a <=> b) == 0; }

private:
    friend class GridVariant;  // stores the parts inline and rebuilds them unchecked

    constexpr Decimal(bool negative, uint8_t scale, uint32_t hi32, uint64_t lo64) noexcept
        : lo_(lo64)
        , hi_(hi32)
        , scale_(scale)
        , negative_(negative)
    {
    }

    uint64_t lo_ { 0 };
    uint32_t hi_ { 0 };
    uint8_t scale_ { 0 };
    bool negative_ { false };
};

}  // namespace tavix
