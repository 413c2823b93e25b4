#pragma once
// One resolved, sized font: FreeType face, HarfBuzz font and a glyph cache.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "native/gdi/font_match.h"
#include <tavix/native/text.h>

typedef struct FT_FaceRec_* FT_Face;
typedef struct hb_font_t hb_font_t;

namespace tavix::native::detail {

class FontFallback;

// A rendered glyph: grey coverage, or premultiplied 0xAARRGGBB for colour faces.
struct GlyphBitmap {
    int32_t left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> coverage;
    std::vector<uint32_t> color;
};

struct ShapedGlyph {
    // Controls and other characters drawn as nothing carry this id.
    static constexpr uint32_t kNone = 0xFFFFFFFF;
    uint32_t id = 0;
    int32_t x = 0, y = 0;  // 26.6 offset from the pen position, y upwards
    int32_t advance = 0;  // 26.6
    uint32_t cluster = 0;  // byte offset into the shaped text
};

class FontFace {
public:
    // Shared per distinct fontSpec.
    static std::shared_ptr<FontFace> Open(const FontSpec& fontSpec);
    // A face for the characters `primary` lacks, at its pixel size and line
    // height; null when the file cannot be used.
    static std::shared_ptr<FontFace> OpenFallback(const FontFile& file, const FontFace& primary);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FontSpec& Requested() const { return spec_; }
    const std::string& Family() const { return family_; }
    const TEXTMETRIC& Metrics() const { return metrics_; }
    int32_t UnderlinePosition() const { return underlinePos_; }  // below the baseline
    int32_t LineThickness() const { return lineThickness_; }

    bool HasGlyph(char32_t cp) const;
    bool CoversPrintableAscii() const { return coversAscii_; }
    // Another face that has `cp`, a colour one if `color`; null when no
    // installed face qualifies.
    FontFace* Fallback(char32_t cp, bool color);
    bool IsColor() const { return color_; }

    // Shapes text[begin, end) as one run, the rest of `text` serving as
    // context, and appends its glyphs in visual order. `script` is a HarfBuzz
    // script tag, 0 to guess.
    void ShapeRun(std::string_view text, uint32_t begin, uint32_t end, bool rtl, uint32_t script,
        std::vector<ShapedGlyph>& out) const;
    // A glyph's own advance in 26.6, before any kerning.
    int32_t NominalAdvance(uint32_t id) const;
    const GlyphBitmap& Glyph(uint32_t id);
    // The advance of "..." in 26.6.
    int32_t EllipsisAdvance();

private:
    FontFace() = default;
    void Load(const FontFile& file, int32_t pixels, int32_t lineHeight);
    void LoadColorStrike(int32_t lineHeight);
    void InitMetrics();
    GlyphBitmap Render(uint32_t id) const;

    FontSpec spec_;
    std::string family_;
    FT_Face face_ = nullptr;
    hb_font_t* hbFont_ = nullptr;
    // Colour bitmap faces come in fixed strikes, scaled to the line height.
    double bitmapScale_ = 1.0;
    bool color_ = false;
    bool coversAscii_ = false;
    TEXTMETRIC metrics_;
    int32_t underlinePos_ = 1;
    int32_t lineThickness_ = 1;
    std::unordered_map<uint32_t, GlyphBitmap> glyphs_;
    // Whole short texts as shaped before: a repaint shows the same cell texts
    // again, and HarfBuzz would otherwise cost more than drawing them.
    struct ShapeKey {
        std::string_view text;
        uint32_t script = 0;
        bool rtl = false;
        bool operator==(const ShapeKey&) const = default;
    };
    struct ShapeKeyHash {
        size_t operator()(const ShapeKey& k) const;
    };
    mutable std::unordered_map<ShapeKey, std::pair<std::unique_ptr<char[]>, std::vector<ShapedGlyph>>, ShapeKeyHash>
        shaped_;
    int32_t ellipsisAdvance_ = -1;
    std::unique_ptr<FontFallback> fallback_;
};

}  // namespace tavix::native::detail
