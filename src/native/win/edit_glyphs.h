#pragma once
// The glyph and advance of each character in one font. Characters are
// measured one by one, the way a simple edit control measures, so an edit
// never measures more than the characters it inserts and a line's positions
// are plain sums of advances.
#include "native/gdi/font_face.h"
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tavix::native {

class EditGlyphs {
public:
    // id: the glyph in its face, the face's number in the top byte (0 the
    // font's own face, others its fallbacks for characters it lacks).
    struct Glyph {
        uint32_t id { 0 };
        int32_t advance { 0 };
    };

    // The stock UI font when `font` is not a font.
    explicit EditGlyphs(HFONT font);

    HFONT Font() const { return font_; }
    detail::FontFace& Face() const { return *face_; }
    const TEXTMETRIC& Metrics() const { return face_->Metrics(); }
    int32_t LineHeight() const { return Metrics().tmHeight; }
    // Tabs advance to the next multiple of this.
    int32_t TabWidth() const { return tabWidth_; }

    Glyph Of(char32_t c)
    {
        if (c < kAsciiCount) {
            Glyph& g = ascii_[c];
            if (g.advance < 0)
                g = Measure(c);
            return g;
        }
        auto it = others_.find(c);
        return it != others_.end() ? it->second : others_.emplace(c, Measure(c)).first->second;
    }

    const detail::GlyphBitmap& Bitmap(uint32_t id) const { return faces_[id >> kFaceShift]->Glyph(id & kGlyphMask); }

private:
    static constexpr uint32_t kFaceShift = 24;
    static constexpr uint32_t kGlyphMask = (1u << kFaceShift) - 1;
    static constexpr char32_t kAsciiCount = 128;
    static constexpr int kTabChars = 8;

    Glyph Measure(char32_t c);

    HFONT font_ { 0 };
    std::shared_ptr<detail::FontFace> face_;
    // faces_[0] is face_; fallbacks are owned by it.
    std::vector<detail::FontFace*> faces_;
    int32_t tabWidth_ { 1 };
    std::array<Glyph, kAsciiCount> ascii_;
    std::unordered_map<char32_t, Glyph> others_;
    std::vector<detail::ShapedGlyph> scratch_;
};

}  // namespace tavix::native
