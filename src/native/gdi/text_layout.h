#pragma once
// Breaks DrawText input into lines: prefix characters, line breaks, word
// wrapping, tab expansion and ellipses. Every paragraph is shaped once; breaks
// and ellipses are found on its cached advances, so the cost grows with the
// length of the text, and only with the part that can be seen when drawing.
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "native/gdi/shaped_text.h"

namespace tavix::native::detail {

struct Paragraph {
    std::string processed;  // the text less its prefix characters, when they are processed
    std::vector<uint32_t> underlined;  // byte offsets of prefix-underlined characters, ascending
    std::optional<ShapedText> shaped;
};

// A line shows [begin, cut) of its paragraph, then, with an ellipsis, the
// junction (the dots shaped with the clusters next to them) and [tail, end).
struct TextLine {
    uint32_t paragraph = 0;
    uint32_t begin = 0, cut = 0, tail = 0, end = 0;
    bool ellipsis = false;
    int32_t width = 0;
    std::vector<ShapedGlyph> junction;  // in the font's own face
};

// What a drawing call can show; layout stops where nothing more would be seen.
struct TextView {
    static constexpr int32_t kAll = std::numeric_limits<int32_t>::max();
    int32_t right = kAll;  // pixels from the rectangle's left to the clip's right
    int32_t lines = kAll;  // lines above the clip's bottom
};

class TextLayout {
public:
    TextLayout(FontFace& font, UINT flags);

    // Lays out `text` for a rectangle `width` pixels wide. Paragraphs wholly
    // below view.lines are counted, not shaped; wrapped text stops there.
    void Build(std::string_view text, int32_t width, TextView view = {});

    const std::vector<TextLine>& Lines() const { return lines_; }
    const Paragraph& ParagraphOf(const TextLine& line) const { return paragraphs_[line.paragraph]; }
    // Lines laid out plus the unwrapped ones counted below the view.
    int32_t LineCount() const { return static_cast<int32_t>(lines_.size()) + hiddenLines_; }
    int32_t LineHeight() const { return lineHeight_; }
    int32_t MaxWidth() const;
    // The text after ellipsis, for DT_MODIFYSTRING; empty when nothing was cut.
    const std::string& Shortened() const { return shortened_; }
    UINT Flags() const { return flags_; }
    FontFace& Font() const { return font_; }

private:
    void AddParagraph(std::string_view raw);
    std::string_view Prefixed(std::string_view raw, Paragraph& p) const;
    void Wrap(uint32_t index);
    void Emit(uint32_t index, size_t begin, size_t end);
    void Ellipsize(TextLine& line);
    // Advance of [begin, end) on a line starting at begin, tabs counted from
    // there; the last cluster keeps its kerning with what follows.
    int64_t Span(const ShapedText& s, size_t begin, size_t end) const;
    // The advance of [begin, end) as a line of its own.
    int64_t LineSpan(const ShapedText& s, size_t begin, size_t end) const;
    int64_t Dotted(const ShapedText& s, size_t begin, size_t cut, size_t tail, size_t end, TextLine* line) const;
    bool Joinable(const ShapedText& s, size_t cluster) const;
    size_t PrevCut(const ShapedText& s, size_t cut) const;
    size_t NextCut(const ShapedText& s, size_t cut) const;
    int64_t ClusterAdvance(const ShapedText& s, size_t at, size_t next, int64_t x) const;
    // The last cluster start c in [begin, last] with Span(begin, c) <= budget.
    size_t FitPrefix(const ShapedText& s, size_t begin, size_t last, int64_t budget) const;

    FontFace& font_;
    UINT flags_;
    int32_t tabWidth_ = 0;
    int32_t lineHeight_ = 0;
    int64_t kernReach_ = 0;  // 26.6; no kerning pair moves a glyph further
    int32_t width_ = 0;
    TextView view_;
    std::deque<Paragraph> paragraphs_;  // stable addresses: shaped text points into `processed`
    std::vector<TextLine> lines_;
    int32_t hiddenLines_ = 0;
    std::string shortened_;
};

}  // namespace tavix::native::detail
