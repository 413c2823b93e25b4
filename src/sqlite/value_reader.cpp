#include "sqlite/value_reader.h"

#include "sqlite/date_values.h"

#include <tavix/error.h>
#include <tavix/locale.h>
#include <tavix/variant.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tavix::sqlite {

namespace {

// The largest whole amount a Currency holds (its scaled value is a 64-bit integer).
constexpr int64_t kCurrencyLimit = std::numeric_limits<int64_t>::max() / 10000;
constexpr int64_t kCurrencyScale = 10000;

bool FitsLong(int64_t v)
{
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

GridVariant TextOf(const SqlValue& value)
{
    switch (value.storage) {
    case Storage::Integer: return GridVariant(std::to_string(value.integer));
    case Storage::Real: return GridVariant(RealText(value.real));
    default: return GridVariant(value.text);
    }
}

GridVariant DecimalOf(const SqlValue& value)
{
    std::optional<GridVariant> decimal;
    switch (value.storage) {
    case Storage::Integer: decimal = DecimalValue(std::to_string(value.integer)); break;
    case Storage::Real: decimal = DecimalValue(RealText(value.real)); break;
    default: decimal = DecimalValue(value.text); break;
    }
    return decimal ? *decimal : TextOf(value);
}

GridVariant LongOf(const SqlValue& value)
{
    if (value.storage == Storage::Integer && FitsLong(value.integer))
        return GridVariant(static_cast<int32_t>(value.integer));
    return DecimalOf(value);
}

GridVariant CurrencyOf(const SqlValue& value)
{
    if (value.storage == Storage::Integer && value.integer >= -kCurrencyLimit && value.integer <= kCurrencyLimit)
        return GridVariant::Currency(value.integer * kCurrencyScale);
    if (value.storage == Storage::Real) {
        try {
            return GridVariant::CurrencyFromDouble(value.real);
        } catch (const TavixError&) {
            // Beyond a Currency's range: still a number.
        }
    }
    return DecimalOf(value);
}

GridVariant DateOf(const SqlValue& value, DateNumbers numbers)
{
    if (value.storage == Storage::Text) {
        if (auto days = ParseIsoDate(value.text))
            return GridVariant::Date(*days);
        return TextOf(value);
    }
    const double number = value.storage == Storage::Integer ? static_cast<double>(value.integer) : value.real;
    return GridVariant::Date(numbers == DateNumbers::UnixSeconds ? FromUnixSeconds(number) : FromJulianDay(number));
}

}  // namespace

std::optional<GridVariant> DecimalValue(std::string_view number)
{
    double value = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    // Exact to 28-29 digits; a number beyond the decimal range keeps its magnitude as a double.
    static const Locale invariant;
    try {
        return ParseVariantAs(VtDecimal, number, invariant);
    } catch (const TavixError&) {
        return GridVariant(value);
    }
}

std::string RealText(double value)
{
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer, static_cast<size_t>(n));
    if (text.find_first_of(".eEni") == std::string::npos)
        text += ".0";
    return text;
}

GridVariant ReadValue(const SqlValue& value, const FieldInfo& field)
{
    if (value.storage == Storage::Null)
        return GridVariant::Null();
    if (value.storage == Storage::Blob)
        return GridVariant("[" + std::to_string(value.integer) + " bytes]");
    const bool number = value.storage != Storage::Text;
    switch (field.type) {
    case FieldType::Long: return LongOf(value);
    case FieldType::Decimal: return DecimalOf(value);
    case FieldType::Currency: return number ? CurrencyOf(value) : TextOf(value);
    case FieldType::Date: return DateOf(value, field.dateNumbers);
    case FieldType::Double:
        if (number)
            return GridVariant(value.storage == Storage::Integer ? static_cast<double>(value.integer) : value.real);
        break;
    case FieldType::Boolean:
        if (number)
            return GridVariant(value.storage == Storage::Integer ? value.integer != 0 : value.real != 0);
        break;
    case FieldType::Text: break;
    }
    return TextOf(value);
}

}  // namespace tavix::sqlite
