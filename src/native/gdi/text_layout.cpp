#include "native/gdi/text_layout.h"

#include <algorithm>

namespace tavix::native::detail {

namespace {

constexpr std::string_view kEllipsis = "...";

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte length of the UTF-8 character starting at i.
size_t CharLen(std::string_view s, size_t i)
{
    size_t j = i + 1;
    while (j < s.size() && IsContinuation(s[j]))
        ++j;
    return j - i;
}

size_t PrevChar(std::string_view s, size_t i)
{
    if (i == 0)
        return 0;
    --i;
    while (i > 0 && IsContinuation(s[i]))
        --i;
    return i;
}

// Splits at CR LF, LF and CR.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> out;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        out.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    out.push_back(text.substr(start));
    return out;
}

}  // namespace

TextLayout::TextLayout(FontFace& font, UINT flags)
    : font_(font)
    , flags_(flags)
{
    // With DT_TABSTOP the high byte is the tab size, so it cannot carry flags.
    int tabChars = 8;
    if (flags_ & DT_TABSTOP) {
        tabChars = static_cast<int>((flags_ >> 8) & 0xFF);
        flags_ &= ~0xFF00u;
        if (tabChars == 0)
            tabChars = 8;
    }
    tabWidth_ = std::max(1, tabChars * font_.Metrics().tmAveCharWidth);
    lineHeight_ = font_.Metrics().tmHeight;
    if (flags_ & DT_EXTERNALLEADING)
        lineHeight_ += font_.Metrics().tmExternalLeading;
}

int32_t TextLayout::MaxWidth() const
{
    int32_t w = 0;
    for (const auto& l : lines_)
        w = std::max(w, l.width);
    return w;
}

int32_t TextLayout::Measure(std::string_view text) const
{
    if (!(flags_ & DT_EXPANDTABS))
        return font_.Measure(text);
    int32_t x = 0;
    size_t start = 0;
    for (size_t tab; (tab = text.find('\t', start)) != std::string_view::npos; start = tab + 1) {
        x += font_.Measure(text.substr(start, tab - start));
        x = (x / tabWidth_ + 1) * tabWidth_;
    }
    return x + font_.Measure(text.substr(start));
}

// "&x" underlines x, "&&" is a literal ampersand.
TextLine TextLayout::Prefixed(std::string_view raw) const
{
    TextLine line;
    if (flags_ & DT_NOPREFIX) {
        line.text = raw;
        return line;
    }
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '&' && i + 1 < raw.size()) {
            ++i;
            if (raw[i] != '&' && !(flags_ & DT_HIDEPREFIX))
                line.underlined.push_back(line.text.size());
        } else if (raw[i] == '&') {
            continue;  // a trailing single ampersand shows nothing
        }
        line.text += raw[i];
    }
    return line;
}

void TextLayout::Build(std::string_view text, int32_t width)
{
    lines_.clear();
    shortened_.clear();
    std::vector<std::string_view> raw;
    std::string joined;
    if (flags_ & DT_SINGLELINE) {
        // Line breaks have no meaning on a single line; they are dropped.
        for (char c : text)
            if (c != '\r' && c != '\n')
                joined += c;
        raw.push_back(joined);
    } else {
        raw = SplitLines(text);
    }
    const bool wrap = (flags_ & DT_WORDBREAK) && !(flags_ & DT_SINGLELINE);
    for (auto r : raw) {
        TextLine line = Prefixed(r);
        if (wrap) {
            Wrap(std::move(line), width);
        } else {
            line.width = Measure(line.text);
            lines_.push_back(std::move(line));
        }
    }
    if (flags_ & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        for (auto& l : lines_)
            Ellipsize(l, width);
    }
}

// Greedy: break after the last space that fits; a word wider than the line is
// split between characters. Spaces at a break are dropped.
void TextLayout::Wrap(TextLine line, int32_t width)
{
    std::string_view s = line.text;
    size_t start = 0;
    auto emit = [&](size_t from, size_t to) {
        TextLine out;
        out.text = std::string(s.substr(from, to - from));
        for (size_t u : line.underlined)
            if (u >= from && u < to)
                out.underlined.push_back(u - from);
        out.width = Measure(out.text);
        lines_.push_back(std::move(out));
    };
    do {
        if (Measure(s.substr(start)) <= width) {
            emit(start, s.size());
            return;
        }
        size_t lastBreak = std::string_view::npos;
        size_t fit = start;  // end of the longest prefix that fits
        for (size_t i = start; i < s.size(); i += CharLen(s, i)) {
            size_t next = i + CharLen(s, i);
            if (Measure(s.substr(start, next - start)) > width)
                break;
            fit = next;
            if (s[i] == ' ')
                lastBreak = i;
        }
        size_t end, resume;
        if (fit < s.size() && s[fit] == ' ') {
            end = fit;
            resume = fit;
        } else if (lastBreak != std::string_view::npos) {
            end = lastBreak;
            resume = lastBreak;
        } else {
            end = std::max(fit, start + CharLen(s, start));  // at least one character per line
            resume = end;
        }
        while (end > start && s[end - 1] == ' ')
            --end;
        emit(start, end);
        while (resume < s.size() && s[resume] == ' ')
            ++resume;
        start = resume;
    } while (start < s.size());
}

std::string TextLayout::FitEnd(std::string_view text, int32_t width, bool wordsOnly) const
{
    size_t cut = text.size();
    while (cut > 0) {
        cut = PrevChar(text, cut);
        if (wordsOnly) {
            while (cut > 0 && text[cut - 1] != ' ')
                cut = PrevChar(text, cut);
        }
        std::string_view kept = text.substr(0, cut);
        if (wordsOnly)
            while (!kept.empty() && kept.back() == ' ')
                kept.remove_suffix(1);
        std::string candidate = std::string(kept) + std::string(kEllipsis);
        if (Measure(candidate) <= width)
            return candidate;
    }
    return std::string(kEllipsis);
}

// Keeps the last component whole and drops characters before it.
std::string TextLayout::FitPath(std::string_view text, int32_t width) const
{
    const size_t sep = text.find_last_of("\\/");
    if (sep == std::string_view::npos)
        return FitEnd(text, width, false);
    std::string_view last = text.substr(sep);
    size_t cut = sep;
    while (cut > 0) {
        cut = PrevChar(text, cut);
        std::string candidate = std::string(text.substr(0, cut)) + std::string(kEllipsis) + std::string(last);
        if (Measure(candidate) <= width)
            return candidate;
    }
    return std::string(kEllipsis) + std::string(last);
}

void TextLayout::Ellipsize(TextLine& line, int32_t width)
{
    if (line.width <= width)
        return;
    if (flags_ & DT_PATH_ELLIPSIS)
        line.text = FitPath(line.text, width);
    else
        line.text = FitEnd(line.text, width, (flags_ & DT_WORD_ELLIPSIS) && !(flags_ & DT_END_ELLIPSIS));
    // Underline offsets no longer line up with a rewritten string.
    line.underlined.erase(
        std::remove_if(line.underlined.begin(), line.underlined.end(), [&](size_t u) { return u >= line.text.size(); }),
        line.underlined.end());
    line.width = Measure(line.text);
    shortened_ = line.text;
}

}  // namespace tavix::native::detail
