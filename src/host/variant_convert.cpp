#include "host/text_convert.h"
#include "host/variant_box.h"

#include <cfloat>
#include <cmath>

namespace tavix {

namespace {

[[noreturn]] void Raise(int32_t number) { throw TavixError::Runtime(number); }

double NumericValue(const GridVariant& v)
{
    switch (v.VarType()) {
    case VtEmpty: return 0;
    case VtInteger: return v.AsInteger();
    case VtLong: return v.AsLong();
    case VtSingle: return v.AsSingle();
    case VtDouble: return v.AsDouble();
    case VtDecimal: return v.AsDecimal().ToDouble();
    case VtCurrency: return Decimal::FromCurrency(v.AsCurrencyScaled()).ToDouble();
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
    case VtCurrency:
    case VtDecimal: {
        // Exact halves of huge values would be lost in a double.
        const int64_t r = v.ToDecimal().RoundToInt64();
        if (r < lo || r > hi)
            Raise(6);
        return static_cast<int32_t>(r);
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
    switch (VarType()) {
    case VtCurrency: return AsCurrencyScaled();
    case VtDecimal:
    case VtString: return ToDecimal().ToCurrency();
    default: break;
    }
    const double scaled = std::nearbyint(NumericValue(*this) * 10000.0);
    if (!(scaled >= -9.2233720368547758e18 && scaled < 9.2233720368547758e18))
        Raise(6);
    return static_cast<int64_t>(scaled);
}

Decimal GridVariant::ToDecimal() const
{
    switch (VarType()) {
    case VtEmpty: return tavix::Decimal();
    case VtInteger: return tavix::Decimal(AsInteger());
    case VtLong: return tavix::Decimal(AsLong());
    case VtByte: return tavix::Decimal(AsByte());
    case VtBoolean: return tavix::Decimal(AsBool() ? -1 : 0);
    case VtCurrency: return tavix::Decimal::FromCurrency(AsCurrencyScaled());
    case VtDecimal: return AsDecimal();
    case VtSingle: return tavix::Decimal::FromSingle(AsSingle());
    case VtDouble:
    case VtDate: return tavix::Decimal::FromDouble(AsDouble());
    case VtString: {
        auto d = text::ParseDecimal(AsString(), Locale::Current());
        if (!d)
            Raise(13);
        return *d;
    }
    case VtNull: Raise(94);
    default: Raise(13);
    }
}

double GridVariant::ToDate() const
{
    double d = 0;
    if (IsString()) {
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
    if (!text::IsDateInRange(d))
        Raise(6);
    return d;
}

bool GridVariant::ToBool() const
{
    switch (VarType()) {
    case VtBoolean: return AsBool();
    case VtDecimal: return !AsDecimal().IsZero();
    case VtString: {
        const std::string_view t = text::Trim(AsString());
        if (text::IEquals(t, "True"))
            return true;
        if (text::IEquals(t, "False"))
            return false;
        break;
    }
    default: break;
    }
    return NumericValue(*this) != 0;
}

std::string GridVariant::ToString() const
{
    const Locale& loc = Locale::Current();
    switch (VarType()) {
    case VtEmpty: return {};
    case VtNull: Raise(94);
    case VtInteger: return std::to_string(AsInteger());
    case VtLong: return std::to_string(AsLong());
    case VtByte: return std::to_string(AsByte());
    case VtSingle: return text::GeneralNumber(AsSingle(), 7, loc);
    case VtDouble: return text::GeneralNumber(AsDouble(), 15, loc);
    case VtDecimal: return text::DecimalText(AsDecimal(), loc);
    case VtCurrency: return text::CurrencyText(AsCurrencyScaled(), loc);
    case VtDate: return text::DateText(AsDate(), loc);
    case VtBoolean: return AsBool() ? "True" : "False";
    case VtString: return std::string(AsString());
    case VtError: return "Error " + std::to_string(AsErrorCode());
    default: Raise(13);
    }
}

}  // namespace tavix
