// Text to a value of every type: only runtime errors may escape, and what converts must come
// back from its own text unchanged where the type is exact.
#include "fuzz_input.h"

#include <cstdlib>

namespace {

using tavix::GridVariant;

constexpr tavix::VariantType kTargets[] = { tavix::VtEmpty, tavix::VtNull, tavix::VtInteger, tavix::VtLong,
    tavix::VtSingle, tavix::VtDouble, tavix::VtCurrency, tavix::VtDate, tavix::VtString, tavix::VtObject,
    tavix::VtError, tavix::VtBoolean, tavix::VtDecimal, tavix::VtByte };

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool SameValue(const GridVariant& a, const GridVariant& b)
{
    if (a.VarType() != b.VarType())
        return false;
    switch (a.VarType()) {
    case tavix::VtDecimal: return a.AsDecimal() == b.AsDecimal();
    case tavix::VtCurrency: return a.AsCurrencyScaled() == b.AsCurrencyScaled();
    case tavix::VtInteger: return a.AsInteger() == b.AsInteger();
    case tavix::VtByte: return a.AsByte() == b.AsByte();
    default: return a.AsLong() == b.AsLong();
    }
}

// Every conversion of a parsed value either works or raises a runtime error.
void ConvertEveryWay(const GridVariant& v)
{
    const auto attempt = [](auto&& convert) {
        try {
            convert();
        } catch (const tavix::TavixError&) {
        }
    };
    attempt([&] { v.ToInteger(); });
    attempt([&] { v.ToLong(); });
    attempt([&] { v.ToByte(); });
    attempt([&] { v.ToSingle(); });
    attempt([&] { v.ToDouble(); });
    attempt([&] { v.ToCurrency(); });
    attempt([&] { v.ToDecimal(); });
    attempt([&] { v.ToDate(); });
    attempt([&] { v.ToBool(); });
    attempt([&] { v.ToString(); });
    attempt([&] { tavix::CompareVariantValues(v, GridVariant::Decimal(tavix::Decimal::Max())); });
    attempt([&] { tavix::VariantEquals(v, GridVariant::Currency(1)); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tavix::fuzz::FuzzInput in(data, size);
    const tavix::VariantType target = kTargets[in.Byte() % std::size(kTargets)];
    const tavix::Locale& locale = tavix::fuzz::PickLocale(in.Byte());
    tavix::Locale::SetCurrent(locale);
    const std::string_view text = in.Rest();
    GridVariant v;
    try {
        v = tavix::ParseVariantAs(target, text, locale);
    } catch (const tavix::TavixError& e) {
        Require(e.Number() == 6 || e.Number() == 13);
        return 0;
    }
    ConvertEveryWay(v);
    ConvertEveryWay(GridVariant(text));
    switch (v.VarType()) {
    case tavix::VtInteger:
    case tavix::VtLong:
    case tavix::VtByte:
    case tavix::VtCurrency:
    case tavix::VtDecimal: {
        const GridVariant again = tavix::ParseVariantAs(target, v.ToString(), locale);
        Require(SameValue(v, again) && tavix::VariantEquals(v, again));
        break;
    }
    case tavix::VtDate: (void)v.ToString(); break;  // a converted date is always in range
    default: break;
    }
    return 0;
}
