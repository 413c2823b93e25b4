// Reads typed values off the front of a fuzzer's input; past its end every read gives zero.
#pragma once

#include <tavix/locale.h>
#include <tavix/variant.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace tavix::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : bytes_(data, size)
    {
    }

    uint8_t Byte() { return Take<uint8_t>(); }
    template <typename T> T Take()
    {
        T value {};
        const size_t n = std::min(sizeof value, bytes_.size());
        std::memcpy(&value, bytes_.data(), n);
        bytes_ = bytes_.subspan(n);
        return value;
    }
    // A string of up to `limit` bytes, its length read first.
    std::string_view Text(size_t limit)
    {
        const size_t n = std::min<size_t>({ Byte(), limit, bytes_.size() });
        const std::string_view text(reinterpret_cast<const char*>(bytes_.data()), n);
        bytes_ = bytes_.subspan(n);
        return text;
    }
    std::string_view Rest() const { return { reinterpret_cast<const char*>(bytes_.data()), bytes_.size() }; }

private:
    std::span<const uint8_t> bytes_;
};

// The invariant locale, a German one, and one with empty and multi-character separators.
inline const Locale& PickLocale(uint8_t selector)
{
    static const Locale invariant;
    static const Locale german = [] {
        Locale l;
        l.decimalPoint = ",";
        l.thousandsSeparator = ".";
        l.dateOrder = DateOrder::DMY;
        l.dateSeparator = ".";
        l.currencySymbol = "\xE2\x82\xAC";  // €
        return l;
    }();
    static const Locale odd = [] {
        Locale l;
        l.decimalPoint = "::";
        l.thousandsSeparator = "";
        l.dateOrder = DateOrder::YMD;
        l.dateSeparator = "";
        l.timeSeparator = "h";
        l.amDesignator = "";
        l.currencySymbol = "";
        return l;
    }();
    switch (selector % 3) {
    case 1: return german;
    case 2: return odd;
    default: return invariant;
    }
}

// A value of any type, its bits taken from the input as they come: NaN, infinities, scales
// above 28 and the extremes of every range included.
inline GridVariant PickValue(FuzzInput& in)
{
    switch (in.Byte() % 14) {
    case 0: return GridVariant();
    case 1: return GridVariant::Null();
    case 2: return GridVariant(in.Take<int16_t>());
    case 3: return GridVariant(in.Take<int32_t>());
    case 4: return GridVariant(in.Take<float>());
    case 5: return GridVariant(in.Take<double>());
    case 6: return GridVariant::Currency(in.Take<int64_t>());
    case 7: return GridVariant::Date(in.Take<double>());
    case 8: return GridVariant(in.Text(64));
    case 9: return GridVariant(in.Byte() % 2 == 1);
    case 10: {
        const bool negative = in.Byte() % 2 == 1;
        const auto scale = static_cast<uint8_t>(in.Byte() % (Decimal::kMaxScale + 1));
        const auto hi = in.Take<uint32_t>();
        return GridVariant::Decimal(Decimal::FromParts(negative, scale, hi, in.Take<uint64_t>()));
    }
    case 11: return GridVariant(in.Byte());
    case 12: return GridVariant::Error(in.Take<int32_t>());
    default: return GridVariant::Missing();
    }
}

}  // namespace tavix::fuzz
