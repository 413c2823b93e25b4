#include "native/gdi/text_layout.h"

#include <algorithm>
#include <cstdlib>

#include "native/gdi/utf8.h"

namespace tavix::native::detail {

namespace {

constexpr std::string_view kEllipsis = "...";
constexpr int32_t kDefaultTabChars = 8;

// The largest 26.6 advance that rounds to at most `pixels`.
int64_t Limit(int32_t pixels) { return static_cast<int64_t>(pixels) * 64 + 31; }

int32_t Pixels(int64_t advance) { return static_cast<int32_t>((advance + 32) >> 6); }

}  // namespace

TextLayout::TextLayout(FontFace& font, UINT flags)
    : font_(font)
    , flags_(flags)
{
    // With DT_TABSTOP the high byte is the tab size, so it cannot carry flags.
    int32_t tabChars = kDefaultTabChars;
    if (flags_ & DT_TABSTOP) {
        tabChars = static_cast<int32_t>((flags_ >> 8) & 0xFF);
        flags_ &= ~0xFF00u;
        if (tabChars == 0)
            tabChars = kDefaultTabChars;
    }
    tabWidth_ = std::max(1, tabChars * font_.Metrics().tmAveCharWidth);
    lineHeight_ = font_.Metrics().tmHeight;
    kernReach_ = static_cast<int64_t>(lineHeight_) * 64 / 2;
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

void TextLayout::Build(std::string_view text, int32_t width, TextView view)
{
    lines_.clear();
    paragraphs_.clear();
    shortened_.clear();
    hiddenLines_ = 0;
    width_ = width;
    view_ = view;
    if (flags_ & DT_SINGLELINE) {
        // Line breaks have no meaning on a single line; they are controls, drawn as nothing.
        AddParagraph(text);
    } else {
        size_t start = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\r' && text[i] != '\n')
                continue;
            AddParagraph(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        AddParagraph(text.substr(start));
    }
    if (flags_ & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (auto& l : lines_)
            Ellipsize(l);
}

void TextLayout::AddParagraph(std::string_view raw)
{
    const bool wrap = (flags_ & DT_WORDBREAK) && !(flags_ & DT_SINGLELINE);
    if (LineCount() >= view_.lines) {
        if (!wrap)
            ++hiddenLines_;
        return;
    }
    const auto index = static_cast<uint32_t>(paragraphs_.size());
    Paragraph& p = paragraphs_.emplace_back();
    const std::string_view shown = Prefixed(raw, p);
    p.shaped.emplace(font_, shown, (flags_ & DT_RTLREADING) != 0, (flags_ & DT_EXPANDTABS) ? tabWidth_ : 0);
    ShapedText& s = *p.shaped;
    if (wrap) {
        Wrap(index);
        return;
    }
    // Shape what decides the line: all of a path, up to the rectangle for an
    // ellipsis, up to the clip for left-aligned drawing, else everything.
    if (flags_ & DT_PATH_ELLIPSIS)
        s.ShapeAll();
    else if (flags_ & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
        s.ShapeTo(Limit(width_));
    else if (view_.right != TextView::kAll)
        s.ShapeTo(Limit(view_.right));
    else
        s.ShapeAll();
    Emit(index, 0, shown.size());
}

// "&x" underlines x, "&&" is a literal ampersand.
std::string_view TextLayout::Prefixed(std::string_view raw, Paragraph& p) const
{
    size_t amp = (flags_ & DT_NOPREFIX) ? std::string_view::npos : raw.find('&');
    if (amp == std::string_view::npos)
        return raw;
    size_t from = 0;
    for (; amp != std::string_view::npos; amp = raw.find('&', from)) {
        p.processed.append(raw.substr(from, amp - from));
        if (amp + 1 == raw.size())
            return p.processed;  // a trailing single ampersand shows nothing
        if (raw[amp + 1] != '&' && !(flags_ & DT_HIDEPREFIX))
            p.underlined.push_back(static_cast<uint32_t>(p.processed.size()));
        p.processed += raw[amp + 1];
        from = amp + 2;
    }
    p.processed.append(raw.substr(from));
    return p.processed;
}

void TextLayout::Emit(uint32_t index, size_t begin, size_t end)
{
    const ShapedText& s = *paragraphs_[index].shaped;
    const auto b = static_cast<uint32_t>(begin), e = static_cast<uint32_t>(end);
    lines_.push_back({ index, b, e, e, e, false, Pixels(LineSpan(s, begin, std::min(end, s.ShapedEnd()))) });
}

// Greedy: break after the last space that fits; a word wider than the line is
// split between clusters. Spaces at a break are dropped.
void TextLayout::Wrap(uint32_t index)
{
    ShapedText& s = *paragraphs_[index].shaped;
    const std::string_view text = s.Text();
    const int64_t limit = Limit(width_);
    size_t start = 0;
    do {
        if (LineCount() >= view_.lines)
            return;
        s.ShapeThrough(start);
        int64_t x = 0;
        size_t fit = start, lastBreak = std::string_view::npos, i = start;
        while (i < text.size()) {
            if (i == s.ShapedEnd())
                s.ShapeTo(s.Pen(i) + std::max<int64_t>(limit, 0));
            const size_t next = s.Next(i);
            const int64_t advance = ClusterAdvance(s, i, next, x);
            // Ending the line, a cluster loses its kerning with the next one;
            // that can only decide the break close to the edge.
            int64_t alone = advance;
            if (next < text.size() && text[i] != '\t' && std::abs(x + advance - limit) <= kernReach_)
                alone = s.LoneAdvance(i);
            if (x + alone > limit)
                break;
            x += advance;
            fit = next;
            if (text[i] == ' ')
                lastBreak = i;
            i = next;
        }
        if (i == text.size()) {
            Emit(index, start, text.size());
            return;
        }
        size_t end = fit, resume = fit;
        if (text[fit] != ' ') {
            if (lastBreak != std::string_view::npos)
                end = resume = lastBreak;
            else
                end = resume = std::max(fit, s.Next(start));  // at least one cluster per line
        }
        while (end > start && text[end - 1] == ' ')
            --end;
        Emit(index, start, end);
        while (resume < text.size() && text[resume] == ' ')
            ++resume;
        start = resume;
    } while (start < text.size());
}

int64_t TextLayout::ClusterAdvance(const ShapedText& s, size_t at, size_t next, int64_t x) const
{
    if (s.ExpandsTabs() && s.Text()[at] == '\t')
        return s.TabStop(x) - x;
    return s.Pen(next) - s.Pen(at);
}

int64_t TextLayout::Span(const ShapedText& s, size_t begin, size_t end) const
{
    // Tabs were expanded from the paragraph's start; a wrapped line counts them afresh.
    if (begin == 0 || !s.HasTabs())
        return s.Pen(end) - s.Pen(begin);
    int64_t x = 0;
    for (size_t i = begin; i < end;) {
        const size_t next = s.Next(i);
        x += ClusterAdvance(s, i, next, x);
        i = next;
    }
    return x;
}

int64_t TextLayout::LineSpan(const ShapedText& s, size_t begin, size_t end) const
{
    if (end <= begin)
        return 0;
    if (end == s.Text().size())
        return Span(s, begin, end);
    // The last cluster has nothing to kern with on its line.
    const size_t last = s.Prev(end);
    const int64_t before = Span(s, begin, last);
    if (s.ExpandsTabs() && s.Text()[last] == '\t')
        return s.TabStop(before);
    return before + s.LoneAdvance(last);
}

size_t TextLayout::FitPrefix(const ShapedText& s, size_t begin, size_t last, int64_t budget) const
{
    if (last <= begin || budget < 0)
        return begin;
    if (begin == 0 || !s.HasTabs()) {
        // Pens rise with the byte offset, so the longest fitting prefix is a binary search away.
        const int64_t target = s.Pen(begin) + budget;
        size_t lo = begin, hi = last;
        while (lo < hi) {
            const size_t mid = lo + (hi - lo + 1) / 2;
            if (s.Pen(mid) <= target)
                lo = mid;
            else
                hi = mid - 1;
        }
        return s.IsClusterStart(lo) ? lo : s.Prev(lo);
    }
    int64_t x = 0;
    size_t best = begin;
    for (size_t i = begin; i < last;) {
        const size_t next = s.Next(i);
        x += ClusterAdvance(s, i, next, x);
        if (x > budget)
            break;
        best = i = next;
    }
    return best;
}

void TextLayout::Ellipsize(TextLine& line)
{
    if (line.width <= width_)
        return;
    const ShapedText& s = *paragraphs_[line.paragraph].shaped;
    const std::string_view text = s.Text();
    const int64_t limit = Limit(width_);
    size_t tail = line.end;
    if (flags_ & DT_PATH_ELLIPSIS) {
        // The last path component stays whole; the text before it is shortened.
        const size_t sep = text.substr(line.begin, line.end - line.begin).find_last_of("\\/");
        if (sep != std::string_view::npos)
            tail = line.begin + sep;
    }
    // Candidates end before the tail; past the shaped part the text is too wide anyway.
    const size_t last = tail > s.ShapedEnd() ? s.ShapedEnd() : (tail > line.begin ? PrevCut(s, tail) : line.begin);
    const int64_t kept = tail < line.end ? LineSpan(s, tail, line.end) : 0;
    size_t cut = FitPrefix(s, line.begin, last, limit - font_.EllipsisAdvance() - kept);
    // The cached advances carry kerning with what follows the cut and know
    // ligatures only whole; settle the cut, character by character where the
    // junction can be shaped, on the width of the shortened text itself.
    const auto fits = [&](size_t c) { return Dotted(s, line.begin, c, tail, line.end, nullptr) <= limit; };
    while (cut > line.begin && !fits(cut))
        cut = PrevCut(s, cut);
    while (cut < last && fits(NextCut(s, cut)))
        cut = NextCut(s, cut);
    if (tail == line.end && (flags_ & DT_WORD_ELLIPSIS) && !(flags_ & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS))) {
        // Back to the last word start whose text, less trailing spaces, still fits.
        size_t word = cut;
        while (word < last && text[word] == ' ')
            ++word;
        if (word == cut)
            while (word > line.begin && text[word - 1] != ' ')
                word = PrevCut(s, word);
        cut = word;
        while (cut > line.begin && text[cut - 1] == ' ')
            --cut;
    }
    shortened_.assign(text.substr(line.begin, cut - line.begin));
    shortened_ += kEllipsis;
    shortened_ += text.substr(tail, line.end - tail);
    line.width = Pixels(Dotted(s, line.begin, cut, tail, line.end, &line));
}

// The width of text[begin, cut) + "..." + text[tail, end) as one line. The
// clusters either side of the dots are shaped with them, so that they kern
// as in the shortened text, when the font's own face draws them left to
// right. With `line`, records what to draw: [begin, cut) and [tail, end) of
// the paragraph around the shaped junction.
int64_t TextLayout::Dotted(const ShapedText& s, size_t begin, size_t cut, size_t tail, size_t end, TextLine* line) const
{
    const std::string_view text = s.Text();
    size_t from = s.IsClusterStart(cut) ? cut : s.Prev(cut);
    if (from == cut && cut > begin && Joinable(s, s.Prev(cut)))
        from = s.Prev(cut);
    const size_t to = tail < end && Joinable(s, tail) ? s.Next(tail) : tail;
    std::string joint(text.substr(from, cut - from));
    joint += kEllipsis;
    joint += text.substr(tail, to - tail);
    std::vector<ShapedGlyph> scratch;
    std::vector<ShapedGlyph>& glyphs = line ? line->junction : scratch;
    glyphs.clear();
    font_.ShapeRun(joint, 0, static_cast<uint32_t>(joint.size()), false, 0, glyphs);
    // The tail's first cluster kerns with the one after it.
    if (to > tail && to < end)
        glyphs.back().advance += static_cast<int32_t>(s.Pen(to) - s.Pen(tail) - s.LoneAdvance(tail));
    int64_t width = Span(s, begin, from) + LineSpan(s, to, end);
    for (const ShapedGlyph& g : glyphs)
        width += g.advance;
    if (line) {
        line->cut = static_cast<uint32_t>(from);
        line->tail = static_cast<uint32_t>(to);
        line->ellipsis = true;
    }
    return width;
}

// Cuts fall between clusters, and between the characters of a cluster the
// junction can shape (a ligature of the font's own face, say).
size_t TextLayout::PrevCut(const ShapedText& s, size_t cut) const
{
    size_t p = cut - 1;
    while (p > 0 && !IsCharBoundary(s.Text(), p))
        --p;
    const size_t cluster = s.IsClusterStart(p) ? p : s.Prev(p);
    return Joinable(s, cluster) ? p : cluster;
}

size_t TextLayout::NextCut(const ShapedText& s, size_t cut) const
{
    const size_t cluster = s.IsClusterStart(cut) ? cut : s.Prev(cut);
    const size_t next = s.Next(cluster);
    if (!Joinable(s, cluster))
        return next;
    return std::min(next, cut + DecodeUtf8(s.Text(), cut).length);
}

bool TextLayout::Joinable(const ShapedText& s, size_t cluster) const
{
    const GlyphRun& run = s.Runs()[s.RunAt(cluster)];
    return run.face == &font_ && !(run.level & 1) && !IsControl(DecodeUtf8(s.Text(), cluster).cp);
}

}  // namespace tavix::native::detail
