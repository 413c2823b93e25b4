#pragma once
// One resolved, sized font: FreeType face, HarfBuzz font and a glyph cache.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <tavix/native/text.h>

typedef struct FT_FaceRec_* FT_Face;
typedef struct hb_font_t hb_font_t;
typedef struct hb_buffer_t hb_buffer_t;

namespace tavix::native::detail {

struct GlyphBitmap {
    int32_t left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> coverage;
};

struct ShapedGlyph {
    uint32_t id = 0;
    int32_t x = 0;  // 26.6 pen offset from the run start
    uint32_t cluster = 0;  // byte offset into the run
};

class FontFace {
public:
    // Shared per distinct fontSpec.
    static std::shared_ptr<FontFace> Open(const FontSpec& fontSpec);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FontSpec& Requested() const { return spec_; }
    const std::string& Family() const { return family_; }
    const TEXTMETRIC& Metrics() const { return metrics_; }
    int32_t UnderlinePosition() const { return underlinePos_; }  // below the baseline
    int32_t LineThickness() const { return lineThickness_; }

    // Glyphs of a run in visual order; returns the run's advance in pixels.
    int32_t Shape(std::string_view utf8, std::vector<ShapedGlyph>* glyphs);
    int32_t Measure(std::string_view utf8) { return Shape(utf8, nullptr); }
    const GlyphBitmap& Glyph(uint32_t id);

private:
    FontFace() = default;
    void InitMetrics();

    FontSpec spec_;
    std::string family_;
    FT_Face face_ = nullptr;
    hb_font_t* hbFont_ = nullptr;
    hb_buffer_t* buffer_ = nullptr;
    TEXTMETRIC metrics_;
    int32_t underlinePos_ = 1;
    int32_t lineThickness_ = 1;
    std::unordered_map<uint32_t, GlyphBitmap> glyphs_;
};

}  // namespace tavix::native::detail
