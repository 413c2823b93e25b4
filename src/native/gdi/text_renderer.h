#pragma once
// Draws laid-out text lines onto a surface: runs in visual order, glyphs from
// each run's own face (grey coverage in the text colour, colour glyphs as they
// are), prefix underlines and the font's underline and strikeout.
#include <span>
#include <vector>

#include "native/gdi/text_layout.h"

namespace tavix::native::detail {

class TextRenderer {
public:
    TextRenderer(Surface& surface, const TextLayout& layout, Rect clip, uint32_t color);

    // Draws `line` with its left edge at x and its baseline at `baseline`,
    // both in surface pixels.
    void Draw(const TextLine& line, int32_t x, int32_t baseline);

private:
    struct Piece {
        std::span<const ShapedGlyph> glyphs;
        FontFace* face = nullptr;
        uint8_t level = 0;
        bool fromText = true;  // false for an ellipsis junction, whose clusters are its own
    };

    void Collect(const TextLine& line);
    void AddText(const ShapedText& text, size_t begin, size_t end);
    void Reorder();
    void DrawGlyphs(const Paragraph& p, int32_t x, int32_t baseline);
    void Blit(const GlyphBitmap& g, int32_t x, int32_t baseline);
    void HLine(int32_t x0, int32_t x1, int32_t y);

    Surface& surface_;
    const TextLayout& layout_;
    Rect clip_;
    uint32_t color_;
    std::vector<Piece> pieces_;
};

}  // namespace tavix::native::detail
