#include "host/property_bag_codec.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace tavix::bagcodec {

namespace {

struct TypeTag {
    VariantType type;
    std::string_view name;
};

constexpr std::array<TypeTag, 14> kTags = { {
    { VtEmpty, "Empty" },
    { VtNull, "Null" },
    { VtInteger, "Integer" },
    { VtLong, "Long" },
    { VtSingle, "Single" },
    { VtDouble, "Double" },
    { VtCurrency, "Currency" },
    { VtDate, "Date" },
    { VtString, "String" },
    { VtError, "Error" },
    { VtBoolean, "Boolean" },
    { VtDecimal, "Decimal" },
    { VtByte, "Byte" },
    { VtObject, "Object" },
} };

[[noreturn]] void Malformed() { throw TavixError::Grid(tvErrInvalidArgument); }

template <typename T, typename... Fmt> std::string Number(T value, Fmt... fmt)
{
    std::array<char, 48> buf {};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value, fmt...);
    if (ec != std::errc())
        Malformed();
    return std::string(buf.data(), end);
}

// The whole text must be the number; partial parses are malformed input.
template <typename T> T Parse(std::string_view text)
{
    T value {};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        Malformed();
    return value;
}

// Exactly the text Decimal::ToString gives, so that the scale is kept and nothing is rounded.
Decimal ParseDecimal(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view magnitude = text.substr(negative ? 1 : 0);
    const size_t point = magnitude.find('.');
    std::string digits(magnitude.substr(0, point));
    int64_t exponent = 0;
    if (point != std::string_view::npos) {
        digits += magnitude.substr(point + 1);
        exponent = -static_cast<int64_t>(magnitude.size() - point - 1);
    }
    if (digits.empty())
        Malformed();
    Decimal d;
    try {
        d = Decimal::FromDigits(negative, digits, exponent);
    } catch (const TavixError&) {
        Malformed();  // stray characters or too many digits
    }
    if (d.ToString() != text)
        Malformed();
    return d;
}

std::string Escape(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Unescape(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size())
            Malformed();
        switch (s[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: Malformed();
        }
    }
    return out;
}

std::string_view TagName(VariantType type)
{
    for (const auto& tag : kTags)
        if (tag.type == type)
            return tag.name;
    Malformed();
}

std::string EncodeValue(const GridVariant& v)
{
    switch (v.VarType()) {
    case VtEmpty:
    case VtNull: return {};
    case VtInteger: return Number(v.AsInteger());
    case VtLong: return Number(v.AsLong());
    case VtByte: return Number(v.AsByte());
    case VtError: return Number(v.AsErrorCode());
    case VtCurrency: return Number(v.AsCurrencyScaled());
    case VtBoolean: return v.AsBool() ? "True" : "False";
    case VtSingle: return Number(v.AsSingle());  // shortest form that reads back exactly
    case VtDouble:
    case VtDate: return Number(v.AsDouble(), std::chars_format::general, 17);
    case VtDecimal: return v.AsDecimal().ToString();  // keeps the scale: 1.50 stays 1.50
    case VtString: return Escape(v.AsString());
    case VtObject:
        if (!v.AsObject())
            return {};  // Nothing
        break;
    }
    Malformed();
}

}  // namespace

std::string Encode(const GridVariant& value)
{
    std::string out(TagName(value.VarType()));
    out += ':';
    out += EncodeValue(value);
    return out;
}

GridVariant Decode(std::string_view text)
{
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        Malformed();
    const std::string_view tag = text.substr(0, colon);
    const std::string_view value = text.substr(colon + 1);
    const auto* found = std::find_if(kTags.begin(), kTags.end(), [&](const TypeTag& t) { return t.name == tag; });
    if (found == kTags.end())
        Malformed();
    const VariantType type = found->type;
    switch (type) {
    case VtEmpty:
    case VtNull:
        if (!value.empty())
            Malformed();
        return type == VtNull ? GridVariant::Null() : GridVariant();
    case VtInteger: return GridVariant(Parse<int16_t>(value));
    case VtLong: return GridVariant(Parse<int32_t>(value));
    case VtByte: return GridVariant(Parse<uint8_t>(value));
    case VtError: return GridVariant::Error(Parse<int32_t>(value));
    case VtCurrency: return GridVariant::Currency(Parse<int64_t>(value));
    case VtSingle: return GridVariant(Parse<float>(value));
    case VtDouble: return GridVariant(Parse<double>(value));
    case VtDate: return GridVariant::Date(Parse<double>(value));
    case VtDecimal: return GridVariant::Decimal(ParseDecimal(value));
    case VtString: return GridVariant(Unescape(value));
    case VtBoolean:
        if (value == "True")
            return GridVariant(true);
        if (value == "False")
            return GridVariant(false);
        Malformed();
    case VtObject:
        if (!value.empty())
            Malformed();
        return GridVariant(std::shared_ptr<Dispatch>());
    }
    Malformed();
}

}  // namespace tavix::bagcodec
