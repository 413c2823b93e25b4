#include "host/format_parts.h"

#include <cctype>

namespace tavix::fmt {

namespace {

// Splits UTF-8 text into characters so that placeholders take whole characters.
std::vector<std::string_view> Characters(std::string_view s)
{
    std::vector<std::string_view> out;
    for (size_t i = 0; i < s.size();) {
        size_t n = 1;
        while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80)
            ++n;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

}  // namespace

void FormatText(std::string_view text, const Section& section, std::string& out)
{
    const std::vector<PatternToken>& toks = section.tokens;
    bool lower = false, upper = false, leftToRight = false;
    size_t placeholders = 0;
    for (const auto& t : toks) {
        if (t.ch == '<')
            lower = true, upper = false;
        else if (t.ch == '>')
            upper = true, lower = false;
        else if (t.ch == '!')
            leftToRight = true;
        else if (t.ch == '@' || t.ch == '&')
            ++placeholders;
    }
    std::string cased(text);
    for (char& c : cased) {
        if (lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const auto chars = Characters(cased);
    const long total = static_cast<long>(chars.size());
    const long count = static_cast<long>(placeholders);
    // Right-to-left filling gives surplus characters to the first placeholder,
    // left-to-right filling to the last.
    const long shift = leftToRight ? 0 : total - count;
    long k = 0;
    for (const auto& t : toks) {
        if (t.ch == '<' || t.ch == '>' || t.ch == '!')
            continue;
        if (t.ch != '@' && t.ch != '&') {
            out += t.literal;
            continue;
        }
        if (k == 0 && shift > 0)
            for (long j = 0; j < shift; ++j)
                out += chars[j];
        const long index = k + shift;
        if (index >= 0 && index < total)
            out += chars[index];
        else if (t.ch == '@')
            out += ' ';
        if (++k == count && leftToRight)
            for (long j = count; j < total; ++j)
                out += chars[j];
    }
    if (count == 0)
        out += cased;
}

}  // namespace tavix::fmt
