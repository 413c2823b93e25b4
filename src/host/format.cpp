#include "host/compiled_format.h"
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
            out.push_back({ 0, std::string(p.substr(i + 1, stop - i - 1)) });
            i = stop;
        } else if (p[i] == '\\') {
            if (i + 1 < p.size())
                out.push_back({ 0, std::string(1, p[i + 1]) });
            ++i;
        } else {
            out.push_back({ p[i], std::string(1, p[i]) });
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

Section CompileSection(std::string_view text)
{
    Section s;
    s.empty = text.empty();
    s.tokens = Tokenize(text);
    s.number = AnalyseNumber(s.tokens);
    s.twelveHour = HasAmPm(s.tokens);
    return s;
}

}  // namespace fmt

namespace {

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

struct NamedPattern {
    std::string pattern;
    bool fromLocale = false;
};

std::optional<NamedPattern> NamedNumberPattern(std::string_view name, const Locale& loc)
{
    if (text::IEquals(name, "Fixed"))
        return NamedPattern { "0.00" };
    if (text::IEquals(name, "Standard"))
        return NamedPattern { "#,##0.00" };
    if (text::IEquals(name, "Percent"))
        return NamedPattern { "0.00%" };
    if (text::IEquals(name, "Scientific"))
        return NamedPattern { "0.00E+00" };
    if (text::IEquals(name, "Currency")) {
        std::string digits = "#,##0";
        if (loc.currencyDecimals > 0)
            digits += "." + std::string(loc.currencyDecimals, '0');
        const std::string symbol = "\"" + loc.currencySymbol + "\"";
        return NamedPattern { symbol + digits + ";(" + symbol + digits + ")", true };
    }
    return std::nullopt;
}

std::optional<NamedPattern> NamedDatePattern(std::string_view name, const Locale& loc)
{
    if (text::IEquals(name, "Long Date"))
        return NamedPattern { loc.longDatePattern, true };
    if (text::IEquals(name, "Medium Date"))
        return NamedPattern { "dd-mmm-yy" };
    if (text::IEquals(name, "Short Date"))
        return NamedPattern { loc.shortDatePattern, true };
    if (text::IEquals(name, "Long Time"))
        return NamedPattern { loc.longTimePattern, true };
    if (text::IEquals(name, "Medium Time"))
        return NamedPattern { "hh:nn AMPM" };
    if (text::IEquals(name, "Short Time"))
        return NamedPattern { "hh:nn" };
    return std::nullopt;
}

}  // namespace

CompiledFormat::CompiledFormat(std::string_view format)
    : source_(format)
{
    if (format.empty())
        return;
    static const char* const kSwitches[][3]
        = { { "Yes/No", "Yes", "No" }, { "True/False", "True", "False" }, { "On/Off", "On", "Off" } };
    for (const auto& sw : kSwitches) {
        if (text::IEquals(format, sw[0])) {
            kind_ = Kind::Switch;
            switchTexts_[0] = sw[1];
            switchTexts_[1] = sw[2];
            return;
        }
    }
    if (text::IEquals(format, "General Number")) {
        kind_ = Kind::GeneralNumber;
        return;
    }
    if (text::IEquals(format, "General Date")) {
        kind_ = Kind::GeneralDate;
        return;
    }
    const Locale& loc = Locale::Current();
    std::optional<NamedPattern> named = NamedNumberPattern(format, loc);
    if (named) {
        kind_ = Kind::NamedNumber;
        CompileSections(named->pattern);
    } else if ((named = NamedDatePattern(format, loc))) {
        // A named date pattern is one section, even if the locale's holds a ';'.
        kind_ = Kind::NamedDate;
        sections_.push_back(fmt::CompileSection(named->pattern));
    } else {
        CompileSections(format);
        kind_ = Classify(sections_[0]);
    }
    if (named && named->fromLocale)
        localeGeneration_ = fmt::LocaleGeneration();
}

void CompiledFormat::CompileSections(std::string_view pattern)
{
    for (const std::string_view section : fmt::SplitSections(pattern))
        sections_.push_back(fmt::CompileSection(section));
}

CompiledFormat::Kind CompiledFormat::Classify(const fmt::Section& section)
{
    bool digit = false, text = false, date = false;
    for (const auto& t : section.tokens) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t.ch)));
        if (c == '0' || c == '#')
            digit = true;
        else if (c == '@' || c == '&')
            text = true;
        else if (c && std::string_view("dwmqyhnsctap").find(c) != std::string_view::npos)
            date = true;
    }
    if (digit)
        return Kind::Number;
    if (text)
        return Kind::Text;
    if (date)
        return Kind::Date;
    return Kind::Literal;
}

std::string CompiledFormat::Apply(const GridVariant& value, int firstDayOfWeek, int firstWeekOfYear) const
{
    if (localeGeneration_ && *localeGeneration_ != fmt::LocaleGeneration())
        return CompiledFormat(source_).Apply(value, firstDayOfWeek, firstWeekOfYear);
    std::string out;
    try {
        ApplyTo(value, firstDayOfWeek, firstWeekOfYear, Locale::Current(), out);
    } catch (const TavixError&) {
        // A value the pattern cannot express (a date out of range, an overflow)
        // keeps what was produced so far rather than failing the paint.
    }
    return out;
}

void CompiledFormat::ApplyTo(
    const GridVariant& value, int firstDayOfWeek, int firstWeekOfYear, const Locale& loc, std::string& out) const
{
    switch (kind_) {
    case Kind::Plain: out = PlainText(value); return;
    case Kind::Switch: {
        const auto n = NumberOf(value, loc);
        out = n ? switchTexts_[n->IsZero() ? 1 : 0] : PlainText(value);
        return;
    }
    case Kind::GeneralNumber: {
        const auto n = NumberOf(value, loc);
        out = n ? GeneralText(*n, loc) : PlainText(value);
        return;
    }
    case Kind::GeneralDate: {
        const auto d = DateOf(value, loc);
        out = d ? text::DateText(*d, loc) : PlainText(value);
        return;
    }
    case Kind::NamedDate: {
        // Named date formats ignore the week settings.
        if (const auto d = DateOf(value, loc))
            fmt::FormatDate(*d, sections_[0], 1, 1, loc, out);
        else
            out = PlainText(value);
        return;
    }
    case Kind::NamedNumber: {
        if (const auto n = NumberOf(value, loc))
            FormatNumberSections(*n, loc, out);
        else
            out = PlainText(value);
        return;
    }
    default: break;
    }
    if (value.IsNull()) {
        // Null takes the fourth numeric section or the second text section.
        if (kind_ == Kind::Text && sections_.size() > 1)
            fmt::FormatText("", sections_[1], out);
        else if (kind_ != Kind::Text && sections_.size() > 3)
            fmt::FormatNumber({}, sections_[3], loc, out);
        return;
    }
    if (kind_ == Kind::Number || (kind_ == Kind::Literal && !value.IsString())) {
        if (const auto n = NumberOf(value, loc))
            FormatNumberSections(*n, loc, out);
        else
            out = PlainText(value);
    } else if (kind_ == Kind::Date) {
        if (const auto d = DateOf(value, loc))
            fmt::FormatDate(*d, sections_[0], firstDayOfWeek, firstWeekOfYear, loc, out);
        else
            out = PlainText(value);
    } else {
        const std::string s = PlainText(value);
        fmt::FormatText(s, s.empty() && sections_.size() > 1 ? sections_[1] : sections_[0], out);
    }
}

void CompiledFormat::FormatNumberSections(const fmt::Number& n, const Locale& loc, std::string& out) const
{
    const fmt::Section* section = &sections_[0];
    bool sign = n.IsNegative();
    if (n.IsNegative() && sections_.size() > 1 && !sections_[1].empty) {
        section = &sections_[1];
        sign = false;
    } else if (n.IsZero() && sections_.size() > 2 && !sections_[2].empty) {
        section = &sections_[2];
    }
    if (sign)
        out += '-';
    fmt::FormatNumber(n.Magnitude(), *section, loc, out);
}

std::string Format(const GridVariant& value, std::string_view format, int firstDayOfWeek, int firstWeekOfYear)
{
    return CompiledFormat(format).Apply(value, firstDayOfWeek, firstWeekOfYear);
}

}  // namespace tavix
