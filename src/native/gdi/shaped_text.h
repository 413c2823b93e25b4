#pragma once
// One paragraph shaped into glyph runs. Each character gets a bidi level
// (ICU), a script and a face: the font's own, or a fallback face for what the
// font lacks; every maximal stretch of equal level, script and face is shaped
// by HarfBuzz as one run. Shaping goes in chunks of growing size and stops
// once the caller has seen enough, so a long text costs what is shown of it.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "native/gdi/font_face.h"

namespace tavix::native::detail {

struct GlyphRun {
    uint32_t begin = 0, end = 0;  // bytes of the text
    uint32_t glyphBegin = 0, glyphEnd = 0;  // in ShapedText::Glyphs(), visual order
    FontFace* face = nullptr;
    uint8_t level = 0;  // odd levels read right to left
};

class ShapedText {
public:
    // With tabWidth (pixels) > 0 tabs advance to the next multiple of it;
    // with 0 they are controls, drawn as nothing.
    ShapedText(FontFace& primary, std::string_view text, bool rtl, int32_t tabWidth);

    std::string_view Text() const { return text_; }
    uint8_t BaseLevel() const { return baseLevel_; }

    // Shapes on until the advance passes `pen` (26.6) or the text ends.
    void ShapeTo(int64_t pen);
    // Shapes on until `byte` is reached.
    void ShapeThrough(size_t byte);
    void ShapeAll() { ShapeThrough(text_.size()); }
    size_t ShapedEnd() const { return pen_.size() - 1; }
    bool Complete() const { return ShapedEnd() == text_.size(); }

    // Advance in 26.6 of the text before the cluster holding `byte`, within
    // the shaped part; tabs count from the start of the text.
    int64_t Pen(size_t byte) const { return pen_[byte]; }
    bool IsClusterStart(size_t byte) const { return byte == ShapedEnd() || starts_[byte]; }
    // The advance of the cluster at `cluster` with nothing after it to kern with.
    int64_t LoneAdvance(size_t cluster) const;
    size_t Next(size_t byte) const;
    size_t Prev(size_t byte) const;
    bool ExpandsTabs() const { return tabWidth_ > 0; }
    bool HasTabs() const { return hasTabs_; }
    int64_t TabStop(int64_t pen) const { return (pen / tabWidth_ + 1) * tabWidth_; }

    const std::vector<GlyphRun>& Runs() const { return runs_; }
    // The first run that ends after `byte`.
    size_t RunAt(size_t byte) const;
    // The glyphs of `run` whose clusters lie in [begin, end), in visual order.
    std::span<const ShapedGlyph> GlyphsIn(const GlyphRun& run, size_t begin, size_t end) const;

private:
    struct Char {
        char32_t cp = 0;
        uint32_t byte = 0;
        uint8_t level = 0;
        uint32_t script = 0;
        FontFace* face = nullptr;
    };

    size_t ChunkEnd(size_t from) const;
    bool StartsStrong(size_t byte) const;
    void ShapeChunk(size_t end);
    void Itemize(size_t begin, size_t end);
    void ResolveLevels();
    void ResolveScripts();
    void ChooseFaces();
    void AddRun(uint32_t begin, uint32_t end, FontFace* face, uint8_t level, uint32_t script);
    void Advance(const GlyphRun& run);
    int32_t ClusterAdvance(uint32_t cluster, int64_t pen, std::span<ShapedGlyph> glyphs);

    FontFace& primary_;
    std::string_view text_;
    uint8_t baseLevel_ = 0;
    int64_t tabWidth_ = 0;  // 26.6
    bool hasTabs_ = false;
    size_t chunkBytes_;
    std::vector<GlyphRun> runs_;
    std::vector<ShapedGlyph> glyphs_;
    std::vector<int64_t> pen_ { 0 };
    std::vector<uint8_t> starts_;
    std::vector<Char> chars_;  // itemisation scratch
};

}  // namespace tavix::native::detail
