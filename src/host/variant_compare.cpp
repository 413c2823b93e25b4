#include "host/text_convert.h"
#include "host/utf16_units.h"
#include "host/variant_box.h"

namespace tavix {

namespace {

int Sign(double d) { return d < 0 ? -1 : (d > 0 ? 1 : 0); }

bool IsScaled(VariantType t) { return t == VtCurrency || t == VtDecimal; }

// Values that are exact decimals. Two of them compare exactly when either is scaled; integers
// alone are exact as doubles too.
bool IsExactNumber(VariantType t)
{
    switch (t) {
    case VtEmpty:
    case VtInteger:
    case VtLong:
    case VtByte:
    case VtBoolean:
    case VtCurrency:
    case VtDecimal: return true;
    default: return false;
    }
}

bool ComparesExactly(VariantType a, VariantType b)
{
    return (IsScaled(a) || IsScaled(b)) && IsExactNumber(a) && IsExactNumber(b);
}

// A numeric string against a scaled value is read exactly; one too large for a decimal equals none.
bool TextEqualsScaled(std::string_view text, const GridVariant& scaled)
{
    try {
        const auto d = text::ParseDecimal(text, Locale::Current());
        return d && *d == scaled.ToDecimal();
    } catch (const TavixError&) {
        return false;
    }
}

// Strings order by UTF-16 code unit, the character code of the platform's strings.
// UTF-8 byte order would put U+E000..U+FFFF before characters above U+FFFF, unlike it.
int CompareText(std::string_view a, std::string_view b)
{
    Utf16Units ua(a), ub(b);
    for (;;) {
        uint32_t x = 0, y = 0;
        const bool hasA = ua.Next(x), hasB = ub.Next(y);
        if (!hasA || !hasB)
            return hasA ? 1 : (hasB ? -1 : 0);
        if (x != y)
            return x < y ? -1 : 1;
    }
}

}  // namespace

bool IsNumericVariant(const GridVariant& v) noexcept
{
    switch (v.VarType()) {
    case VtInteger:
    case VtLong:
    case VtSingle:
    case VtDouble:
    case VtCurrency:
    case VtDecimal:
    case VtByte: return true;
    default: return false;
    }
}

bool VariantEquals(const GridVariant& a, const GridVariant& b)
{
    const VariantType ta = a.VarType(), tb = b.VarType();
    if (ta == VtNull || tb == VtNull)
        return false;
    if (ta == VtObject || tb == VtObject)
        return ta == tb && a.AsObject() == b.AsObject();
    if (ta == VtError || tb == VtError)
        return ta == tb && a.AsErrorCode() == b.AsErrorCode();
    if (ta == VtEmpty && tb == VtEmpty)
        return true;
    if (ta == VtString && tb == VtString)
        return a.AsString() == b.AsString();
    if (ta == VtString || tb == VtString) {
        const GridVariant& s = ta == VtString ? a : b;
        const GridVariant& other = ta == VtString ? b : a;
        if (other.IsEmpty())
            return s.AsString().empty();
        if (IsScaled(other.VarType()))
            return TextEqualsScaled(s.AsString(), other);
        auto n = text::ParseNumber(s.AsString(), Locale::Current());
        return n && *n == other.ToDouble();
    }
    if (ta == VtCurrency && tb == VtCurrency)
        return a.AsCurrencyScaled() == b.AsCurrencyScaled();
    if (ComparesExactly(ta, tb))
        return a.ToDecimal() == b.ToDecimal();
    return a.ToDouble() == b.ToDouble();
}

int CompareVariantValues(const GridVariant& a, const GridVariant& b)
{
    const VariantType ta = a.VarType(), tb = b.VarType();
    if (ta == VtNull || tb == VtNull)
        throw TavixError::Runtime(94);
    if (ta == VtObject || tb == VtObject || ta == VtError || tb == VtError)
        throw TavixError::Runtime(13);
    if (ta == VtEmpty && tb == VtEmpty)
        return 0;
    if (ta == VtString || tb == VtString) {
        if (ta == tb)
            return CompareText(a.AsString(), b.AsString());
        if (ta == VtEmpty)
            return b.AsString().empty() ? 0 : -1;
        if (tb == VtEmpty)
            return a.AsString().empty() ? 0 : 1;
        return ta == VtString ? 1 : -1;  // a number sorts before a string
    }
    if (ta == VtCurrency && tb == VtCurrency) {
        const int64_t x = a.AsCurrencyScaled(), y = b.AsCurrencyScaled();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ComparesExactly(ta, tb)) {
        const auto order = a.ToDecimal() <=> b.ToDecimal();
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    return Sign(a.ToDouble() - b.ToDouble());
}

}  // namespace tavix
