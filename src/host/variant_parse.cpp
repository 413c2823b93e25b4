#include "host/text_convert.h"

#include <tavix/variant.h>

#include <cfloat>
#include <cmath>

namespace tavix {

namespace {

[[noreturn]] void Raise(int32_t number) { throw TavixError::Runtime(number); }

double NumberOrMismatch(std::string_view text, const Locale& locale)
{
    auto n = text::ParseNumber(text, locale);
    if (!n)
        Raise(13);
    return *n;
}

Decimal DecimalOrMismatch(std::string_view text, const Locale& locale)
{
    auto d = text::ParseDecimal(text, locale);
    if (!d)
        Raise(13);
    return *d;
}

double RoundedInRange(std::string_view text, const Locale& locale, double lo, double hi)
{
    const double r = std::nearbyint(NumberOrMismatch(text, locale));
    if (!(r >= lo && r <= hi))
        Raise(6);
    return r;
}

}  // namespace

GridVariant ParseVariantAs(VariantType target, std::string_view text, const Locale& locale)
{
    switch (target) {
    case VtEmpty:
    case VtNull:
    case VtString: return GridVariant(text);
    case VtInteger: return GridVariant(static_cast<int16_t>(RoundedInRange(text, locale, -32768, 32767)));
    case VtLong: return GridVariant(static_cast<int32_t>(RoundedInRange(text, locale, -2147483648.0, 2147483647.0)));
    case VtByte: return GridVariant(static_cast<uint8_t>(RoundedInRange(text, locale, 0, 255)));
    case VtSingle: {
        const double d = NumberOrMismatch(text, locale);
        if (std::fabs(d) > FLT_MAX)
            Raise(6);
        return GridVariant(static_cast<float>(d));
    }
    case VtDouble: return GridVariant(NumberOrMismatch(text, locale));
    case VtDecimal: return GridVariant::Decimal(DecimalOrMismatch(text, locale));
    case VtCurrency: return GridVariant::Currency(DecimalOrMismatch(text, locale).ToCurrency());
    case VtDate: {
        auto d = text::ParseDate(text, locale);
        if (!d)
            d = text::ParseNumber(text, locale);
        if (!d)
            Raise(13);
        if (!text::IsDateInRange(*d))
            Raise(6);
        return GridVariant::Date(*d);
    }
    case VtBoolean: {
        const std::string_view t = text::Trim(text);
        if (text::IEquals(t, "True"))
            return GridVariant(true);
        if (text::IEquals(t, "False"))
            return GridVariant(false);
        return GridVariant(NumberOrMismatch(t, locale) != 0);
    }
    default: Raise(13);
    }
}

}  // namespace tavix
