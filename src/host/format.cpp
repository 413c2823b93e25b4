#include "host/format_parts.h"
#include "host/text_convert.h"

#include <tavix/format.h>

#include <cctype>
#include <optional>

namespace tavix {

namespace fmt {

std::vector<PatternToken> Tokenize(std::string_view p)
{
    std::vector<PatternToken> out;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '"') {
            const size_t end = p.find('"', i + 1);
            const size_t stop = end == std::string_view::npos ? p.size() : end;
            out.push_back({ 0, p.substr(i + 1, stop - i - 1) });
            i = stop;
        } else if (p[i] == '\\') {
            if (i + 1 < p.size())
                out.push_back({ 0, p.substr(i + 1, 1) });
            ++i;
        } else {
            out.push_back({ p[i], p.substr(i, 1) });
        }
    }
    return out;
}

std::vector<std::string_view> SplitSections(std::string_view format)
{
    std::vector<std::string_view> sections;
    size_t start = 0;
    bool quoted = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '"')
            quoted = !quoted;
        else if (format[i] == '\\' && !quoted)
            ++i;
        else if (format[i] == ';' && !quoted) {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(std::min(start, format.size())));
    return sections;
}

}  // namespace fmt

namespace {

enum class PatternKind { Number, Date, Text, Literal };

PatternKind Classify(std::string_view section)
{
    bool digit = false, text = false, date = false;
    for (const auto& t : fmt::Tokenize(section)) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t.ch)));
        if (c == '0' || c == '#')
            digit = true;
        else if (c == '@' || c == '&')
            text = true;
        else if (c && std::string_view("dwmqyhnsctap").find(c) != std::string_view::npos)
            date = true;
    }
    if (digit)
        return PatternKind::Number;
    if (text)
        return PatternKind::Text;
    if (date)
        return PatternKind::Date;
    return PatternKind::Literal;
}

std::optional<fmt::Number> NumberOf(const GridVariant& v, const Locale& loc)
{
    switch (v.VarType()) {
    case VtString: {
        const auto n = text::ParseNumber(v.AsString(), loc);
        return n ? std::optional<fmt::Number>({ *n, std::nullopt }) : std::nullopt;
    }
    case VtEmpty: return fmt::Number {};
    case VtNull:
    case VtObject:
    case VtError: return std::nullopt;
    case VtCurrency:
    case VtDecimal: return fmt::Number { 0, v.ToDecimal() };
    default: return fmt::Number { v.ToDouble(), std::nullopt };
    }
}

std::optional<double> DateOf(const GridVariant& v, const Locale& loc)
{
    if (v.VarType() == VtString) {
        auto d = text::ParseDate(v.AsString(), loc);
        return d ? d : text::ParseNumber(v.AsString(), loc);
    }
    if (v.IsNull() || v.IsObject() || v.IsError())
        return std::nullopt;
    return v.IsEmpty() ? 0.0 : v.ToDouble();
}

// The standard text of a number: every digit of a scaled value, 15 significant digits of a double.
std::string GeneralText(const fmt::Number& n, const Locale& loc)
{
    return n.exact ? text::DecimalText(*n.exact, loc) : text::GeneralNumber(n.value, 15, loc);
}

std::string PlainText(const GridVariant& v)
{
    if (v.IsNull() || v.IsObject())
        return {};
    return v.ToString();
}

void FormatNumberSections(
    const fmt::Number& n, const std::vector<std::string_view>& sections, const Locale& loc, std::string& out)
{
    std::string_view section = sections[0];
    bool sign = n.IsNegative();
    if (n.IsNegative() && sections.size() > 1 && !sections[1].empty()) {
        section = sections[1];
        sign = false;
    } else if (n.IsZero() && sections.size() > 2 && !sections[2].empty()) {
        section = sections[2];
    }
    if (sign)
        out += '-';
    fmt::FormatNumber(n.Magnitude(), section, loc, out);
}

std::optional<std::string> NamedNumberPattern(std::string_view name, const Locale& loc)
{
    if (text::IEquals(name, "Fixed"))
        return "0.00";
    if (text::IEquals(name, "Standard"))
        return "#,##0.00";
    if (text::IEquals(name, "Percent"))
        return "0.00%";
    if (text::IEquals(name, "Scientific"))
        return "0.00E+00";
    if (text::IEquals(name, "Currency")) {
        std::string digits = "#,##0";
        if (loc.currencyDecimals > 0)
            digits += "." + std::string(loc.currencyDecimals, '0');
        const std::string symbol = "\"" + loc.currencySymbol + "\"";
        return symbol + digits + ";(" + symbol + digits + ")";
    }
    return std::nullopt;
}

std::optional<std::string> NamedDatePattern(std::string_view name, const Locale& loc)
{
    if (text::IEquals(name, "Long Date"))
        return loc.longDatePattern;
    if (text::IEquals(name, "Medium Date"))
        return "dd-mmm-yy";
    if (text::IEquals(name, "Short Date"))
        return loc.shortDatePattern;
    if (text::IEquals(name, "Long Time"))
        return loc.longTimePattern;
    if (text::IEquals(name, "Medium Time"))
        return "hh:nn AMPM";
    if (text::IEquals(name, "Short Time"))
        return "hh:nn";
    return std::nullopt;
}

// Returns true when `format` was a named format and `out` holds the result.
bool FormatNamed(const GridVariant& value, std::string_view format, const Locale& loc, std::string& out)
{
    static const char* const kSwitches[][3]
        = { { "Yes/No", "Yes", "No" }, { "True/False", "True", "False" }, { "On/Off", "On", "Off" } };
    for (const auto& sw : kSwitches) {
        if (!text::IEquals(format, sw[0]))
            continue;
        const auto n = NumberOf(value, loc);
        out = n ? (!n->IsZero() ? sw[1] : sw[2]) : PlainText(value);
        return true;
    }
    if (text::IEquals(format, "General Number")) {
        const auto n = NumberOf(value, loc);
        out = n ? GeneralText(*n, loc) : PlainText(value);
        return true;
    }
    if (auto pattern = NamedNumberPattern(format, loc)) {
        const auto n = NumberOf(value, loc);
        if (n)
            FormatNumberSections(*n, fmt::SplitSections(*pattern), loc, out);
        else
            out = PlainText(value);
        return true;
    }
    const bool general = text::IEquals(format, "General Date");
    auto datePattern = NamedDatePattern(format, loc);
    if (!general && !datePattern)
        return false;
    const auto d = DateOf(value, loc);
    if (!d)
        out = PlainText(value);
    else if (general)
        out = text::DateText(*d, loc);
    else
        fmt::FormatDate(*d, *datePattern, 1, 1, loc, out);
    return true;
}

}  // namespace

std::string Format(const GridVariant& value, std::string_view format, int firstDayOfWeek, int firstWeekOfYear)
{
    const Locale& loc = Locale::Current();
    std::string out;
    try {
        if (format.empty())
            return PlainText(value);
        if (FormatNamed(value, format, loc, out))
            return out;
        const auto sections = fmt::SplitSections(format);
        const PatternKind kind = Classify(sections[0]);
        if (value.IsNull()) {
            // Null takes the fourth numeric section or the second text section.
            if (kind == PatternKind::Text && sections.size() > 1)
                fmt::FormatText("", sections[1], out);
            else if (kind != PatternKind::Text && sections.size() > 3)
                fmt::FormatNumber({}, sections[3], loc, out);
            return out;
        }
        if (kind == PatternKind::Number || (kind == PatternKind::Literal && !value.IsString())) {
            if (const auto n = NumberOf(value, loc))
                FormatNumberSections(*n, sections, loc, out);
            else
                out = PlainText(value);
        } else if (kind == PatternKind::Date) {
            if (const auto d = DateOf(value, loc))
                fmt::FormatDate(*d, sections[0], firstDayOfWeek, firstWeekOfYear, loc, out);
            else
                out = PlainText(value);
        } else {
            const std::string s = PlainText(value);
            fmt::FormatText(s, s.empty() && sections.size() > 1 ? sections[1] : sections[0], out);
        }
    } catch (const TavixError&) {
        // A value the pattern cannot express (a date out of range, an overflow)
        // keeps what was produced so far rather than failing the paint.
    }
    return out;
}

}  // namespace tavix
