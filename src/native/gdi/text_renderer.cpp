#include "native/gdi/text_renderer.h"

#include <algorithm>

#include "native/gdi/pixel_access.h"

namespace tavix::native::detail {

namespace {

int32_t Pixels(int64_t advance) { return static_cast<int32_t>((advance + 32) >> 6); }

}  // namespace

TextRenderer::TextRenderer(Surface& surface, const TextLayout& layout, Rect clip, uint32_t color)
    : surface_(surface)
    , layout_(layout)
    , clip_(clip)
    , color_(color)
{
}

void TextRenderer::Draw(const TextLine& line, int32_t x, int32_t baseline)
{
    Collect(line);
    Reorder();
    DrawGlyphs(layout_.ParagraphOf(line), x, baseline);
    const FontFace& font = layout_.Font();
    if (font.Requested().underline)
        HLine(x, x + line.width, baseline + font.UnderlinePosition());
    if (font.Requested().strikeout)
        HLine(x, x + line.width, baseline - font.Metrics().tmAscent / 3);
}

// The pieces of the line in logical order.
void TextRenderer::Collect(const TextLine& line)
{
    pieces_.clear();
    const ShapedText& text = *layout_.ParagraphOf(line).shaped;
    AddText(text, line.begin, line.cut);
    if (line.ellipsis) {
        pieces_.push_back({ line.junction, &layout_.Font(), text.BaseLevel(), false });
        AddText(text, line.tail, line.end);
    }
}

void TextRenderer::AddText(const ShapedText& text, size_t begin, size_t end)
{
    end = std::min(end, text.ShapedEnd());
    const auto& runs = text.Runs();
    for (size_t r = text.RunAt(begin); begin < end && r < runs.size() && runs[r].begin < end; ++r) {
        const auto glyphs
            = text.GlyphsIn(runs[r], std::max<size_t>(begin, runs[r].begin), std::min<size_t>(end, runs[r].end));
        if (!glyphs.empty())
            pieces_.push_back({ glyphs, runs[r].face, runs[r].level, true });
    }
}

// From the highest level down to the lowest odd one, every maximal sequence of
// pieces at or above that level is reversed.
void TextRenderer::Reorder()
{
    uint8_t highest = 0, lowestOdd = UINT8_MAX;
    for (const Piece& p : pieces_) {
        highest = std::max(highest, p.level);
        if (p.level & 1)
            lowestOdd = std::min(lowestOdd, p.level);
    }
    for (int level = highest; level >= lowestOdd; --level) {
        for (auto it = pieces_.begin(); it != pieces_.end();) {
            const auto below = [level](const Piece& p) { return p.level < level; };
            auto first = std::find_if_not(it, pieces_.end(), below);
            auto last = std::find_if(first, pieces_.end(), below);
            std::reverse(first, last);
            it = last;
        }
    }
}

void TextRenderer::DrawGlyphs(const Paragraph& p, int32_t x, int32_t baseline)
{
    const ShapedText& text = *p.shaped;
    const FontFace& font = layout_.Font();
    // Glyphs reach at most about a line height left of their pen position.
    const int32_t stop = clip_.right + layout_.LineHeight();
    int64_t pen = 0;
    for (const Piece& piece : pieces_) {
        for (const ShapedGlyph& g : piece.glyphs) {
            const int32_t gx = x + Pixels(pen + g.x);
            if (gx > stop)
                return;
            int64_t advance = g.advance;
            if (piece.fromText && text.ExpandsTabs() && text.Text()[g.cluster] == '\t')
                advance = text.TabStop(pen) - pen;  // stops count from the line's start
            if (g.id != ShapedGlyph::kNone)
                Blit(piece.face->Glyph(g.id), gx, baseline - Pixels(g.y));
            if (piece.fromText && !p.underlined.empty()
                && std::binary_search(p.underlined.begin(), p.underlined.end(), g.cluster))
                HLine(gx, x + Pixels(pen + advance), baseline + font.UnderlinePosition());
            pen += advance;
        }
    }
}

void TextRenderer::Blit(const GlyphBitmap& g, int32_t x, int32_t baseline)
{
    BlitGlyph(surface_, g, x, baseline, clip_, color_);
}

void TextRenderer::HLine(int32_t x0, int32_t x1, int32_t y)
{
    const Rect r = Rect { x0, y, x1, y + layout_.Font().LineThickness() }.Intersect(clip_);
    for (int32_t yy = r.top; yy < r.bottom; ++yy)
        std::fill(surface_.Row(yy) + r.left, surface_.Row(yy) + r.right, color_);
}

}  // namespace tavix::native::detail
