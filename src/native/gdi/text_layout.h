#pragma once
// Breaks DrawText input into measured lines: prefix characters, line breaks,
// word wrapping, tab expansion and ellipses.
#include <string>
#include <string_view>
#include <vector>

#include "native/gdi/font_face.h"

namespace tavix::native::detail {

struct TextLine {
    std::string text;
    std::vector<size_t> underlined;  // byte offsets of prefix-underlined characters
    int32_t width = 0;
};

class TextLayout {
public:
    TextLayout(FontFace& font, UINT flags);

    // Lays out `text` for a rectangle `width` pixels wide.
    void Build(std::string_view text, int32_t width);

    const std::vector<TextLine>& Lines() const { return lines_; }
    int32_t LineHeight() const { return lineHeight_; }
    int32_t MaxWidth() const;
    // The text after ellipsis, for DT_MODIFYSTRING; empty when nothing was cut.
    const std::string& Shortened() const { return shortened_; }
    UINT Flags() const { return flags_; }
    int32_t TabWidth() const { return tabWidth_; }

    // Width of a line with tabs expanded from its start.
    int32_t Measure(std::string_view text) const;

private:
    TextLine Prefixed(std::string_view raw) const;
    void Wrap(TextLine line, int32_t width);
    void Ellipsize(TextLine& line, int32_t width);
    std::string FitEnd(std::string_view text, int32_t width, bool wordsOnly) const;
    std::string FitPath(std::string_view text, int32_t width) const;

    FontFace& font_;
    UINT flags_;
    int32_t tabWidth_ = 0;
    int32_t lineHeight_ = 0;
    std::vector<TextLine> lines_;
    std::string shortened_;
};

}  // namespace tavix::native::detail
