#include "host/text_convert.h"
#include "host/variant_box.h"

#include <cfloat>
#include <cmath>

namespace tavix {

namespace {

// Date range of the platform: 1 Jan 100 to 31 Dec 9999.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.99999;

[[noreturn]] void Raise(int32_t number) { throw TavixError::Runtime(number); }

double NumericValue(const GridVariant& v)
{
    switch (v.VarType()) {
    case VtEmpty: return 0;
    case VtInteger: return v.AsInteger();
    case VtLong: return v.AsLong();
    case VtSingle: return v.AsSingle();
    case VtDouble:
    case VtDecimal: return v.AsDouble();
    case VtCurrency: return static_cast<double>(v.AsCurrencyScaled()) / 10000.0;
    case VtDate: return v.AsDate();
    case VtBoolean: return v.AsBool() ? -1 : 0;
    case VtByte: return v.AsByte();
    case VtString: {
        auto n = text::ParseNumber(v.AsString(), Locale::Current());
        if (!n)
            Raise(13);
        return *n;
    }
    case VtNull: Raise(94);
    default: Raise(13);
    }
}

int32_t RoundedInRange(const GridVariant& v, double lo, double hi)
{
    switch (v.VarType()) {
    case VtInteger:
    case VtLong:
    case VtByte:
    case VtBoolean:
    case VtEmpty: {
        const double d = NumericValue(v);
        if (d < lo || d > hi)
            Raise(6);
        return static_cast<int32_t>(d);
    }
    default: {
        const double r = std::nearbyint(NumericValue(v));
        if (!(r >= lo && r <= hi))
            Raise(6);
        return static_cast<int32_t>(r);
    }
    }
}

}  // namespace

int32_t RoundToLong(double value)
{
    // nearbyint follows the default rounding mode: halves go to the even neighbour.
    const double r = std::nearbyint(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        Raise(6);
    return static_cast<int32_t>(r);
}

int16_t GridVariant::ToInteger() const { return static_cast<int16_t>(RoundedInRange(*this, -32768, 32767)); }

int32_t GridVariant::ToLong() const { return RoundedInRange(*this, -2147483648.0, 2147483647.0); }

uint8_t GridVariant::ToByte() const { return static_cast<uint8_t>(RoundedInRange(*this, 0, 255)); }

float GridVariant::ToSingle() const
{
    const double d = NumericValue(*this);
    if (std::fabs(d) > FLT_MAX)
        Raise(6);
    return static_cast<float>(d);
}

double GridVariant::ToDouble() const { return NumericValue(*this); }

int64_t GridVariant::ToCurrency() const
{
    if (type_ == VtCurrency)
        return payload_.cy;
    const double scaled = std::nearbyint(NumericValue(*this) * 10000.0);
    if (!(scaled >= -9.2233720368547758e18 && scaled < 9.2233720368547758e18))
        Raise(6);
    return static_cast<int64_t>(scaled);
}

double GridVariant::ToDate() const
{
    double d = 0;
    if (type_ == VtString) {
        const Locale& loc = Locale::Current();
        auto parsed = text::ParseDate(AsString(), loc);
        if (!parsed)
            parsed = text::ParseNumber(AsString(), loc);
        if (!parsed)
            Raise(13);
        d = *parsed;
    } else {
        d = NumericValue(*this);
    }
    if (d < kMinDate || d > kMaxDate)
        Raise(6);
    return d;
}

bool GridVariant::ToBool() const
{
    if (type_ == VtBoolean)
        return payload_.b;
    if (type_ == VtString) {
        const std::string_view t = text::Trim(AsString());
        if (text::IEquals(t, "True"))
            return true;
        if (text::IEquals(t, "False"))
            return false;
    }
    return NumericValue(*this) != 0;
}

std::string GridVariant::ToString() const
{
    const Locale& loc = Locale::Current();
    switch (type_) {
    case VtEmpty: return {};
    case VtNull: Raise(94);
    case VtInteger: return std::to_string(payload_.i);
    case VtLong: return std::to_string(payload_.l);
    case VtByte: return std::to_string(payload_.u8);
    case VtSingle: return text::GeneralNumber(payload_.f, 7, loc);
    case VtDouble:
    case VtDecimal: return text::GeneralNumber(payload_.d, 15, loc);
    case VtCurrency: return text::CurrencyText(payload_.cy, loc);
    case VtDate: return text::DateText(payload_.d, loc);
    case VtBoolean: return payload_.b ? "True" : "False";
    case VtString: return AsString();
    case VtError: return "Error " + std::to_string(payload_.l);
    default: Raise(13);
    }
}

}  // namespace tavix
