#include <tavix/property_bag.h>

#include <array>
#include <charconv>
#include <cstdlib>

namespace tavix {

namespace {

[[noreturn]] void Malformed() { throw TavixError::Grid(tvErrInvalidArgument); }

// Points scaled by 10000 as the shortest exact decimal: 90000 -> "9", 82500 -> "8.25".
std::string ScaledToText(int64_t scaled)
{
    std::string out = scaled < 0 ? "-" : "";
    const uint64_t mag = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    out += std::to_string(mag / 10000);
    std::string frac = std::to_string(10000 + mag % 10000).substr(1);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (!frac.empty())
        out += '.' + frac;
    return out;
}

// Exact decimal parse, so that a stored size never passes through binary rounding.
int64_t TextToScaled(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    const size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view frac = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (whole.empty() || frac.size() > 4 || (dot != std::string_view::npos && frac.empty()))
        Malformed();
    int64_t value = 0;
    for (char c : whole) {
        if (c < '0' || c > '9' || value > 100000000000LL)
            Malformed();
        value = value * 10 + (c - '0');
    }
    int64_t scaledFrac = 0;
    for (size_t i = 0; i < 4; ++i) {
        const char c = i < frac.size() ? frac[i] : '0';
        if (c < '0' || c > '9')
            Malformed();
        scaledFrac = scaledFrac * 10 + (c - '0');
    }
    const int64_t scaled = value * 10000 + scaledFrac;
    return negative ? -scaled : scaled;
}

template <typename T> T ParseInt(std::string_view text)
{
    T value {};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        Malformed();
    return value;
}

bool ParseFlag(std::string_view text)
{
    if (text != "0" && text != "1")
        Malformed();
    return text == "1";
}

}  // namespace

GridVariant FontToVariant(const FontRef& font)
{
    std::string text = font.Name();
    text += ',' + ScaledToText(font.SizeScaled());
    text += ',' + std::to_string(font.Weight());
    text += font.Italic() ? ",1" : ",0";
    text += font.Underline() ? ",1" : ",0";
    text += font.Strikethrough() ? ",1" : ",0";
    text += ',' + std::to_string(font.Charset());
    return GridVariant(text);
}

FontRef FontFromVariant(const GridVariant& value)
{
    if (!value.IsString())
        Malformed();
    std::string_view text = value.AsString();
    // Six numeric fields at the end; the name before them may itself contain commas.
    std::array<std::string_view, 6> fields;
    for (size_t i = fields.size(); i-- > 0;) {
        const size_t comma = text.rfind(',');
        if (comma == std::string_view::npos)
            Malformed();
        fields[i] = text.substr(comma + 1);
        text = text.substr(0, comma);
    }
    if (text.empty())
        Malformed();
    FontRef font(std::string(text), 0.0);
    font.SetSizeScaled(TextToScaled(fields[0]));
    font.SetWeight(ParseInt<int32_t>(fields[1]));
    font.SetItalic(ParseFlag(fields[2]));
    font.SetUnderline(ParseFlag(fields[3]));
    font.SetStrikethrough(ParseFlag(fields[4]));
    font.SetCharset(ParseInt<int16_t>(fields[5]));
    return font;
}

}  // namespace tavix
