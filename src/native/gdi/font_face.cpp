#include "native/gdi/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

namespace tavix::native::detail {

namespace {

FT_Library Library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            throw std::runtime_error("FreeType initialisation failed");
        return l;
    }();
    return lib;
}

struct Match {
    std::string file;
    int index = 0;
    std::string family;
};

// Fontconfig picks the closest installed face, which is how unknown names fall back.
Match Resolve(const FontSpec& fontSpec)
{
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(fontSpec.name.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, FcWeightFromOpenType(fontSpec.weight > 0 ? fontSpec.weight : FW_NORMAL));
    FcPatternAddInteger(pat, FC_SLANT, fontSpec.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    Match m;
    if (found) {
        FcChar8* s = nullptr;
        if (FcPatternGetString(found, FC_FILE, 0, &s) == FcResultMatch)
            m.file = reinterpret_cast<const char*>(s);
        if (FcPatternGetString(found, FC_FAMILY, 0, &s) == FcResultMatch)
            m.family = reinterpret_cast<const char*>(s);
        FcPatternGetInteger(found, FC_INDEX, 0, &m.index);
        FcPatternDestroy(found);
    }
    if (m.file.empty())
        throw std::runtime_error("no font available for " + fontSpec.name);
    return m;
}

int32_t Ceil26(FT_Pos v) { return static_cast<int32_t>((v + 63) >> 6); }

}  // namespace

std::shared_ptr<FontFace> FontFace::Open(const FontSpec& fontSpec)
{
    using Key = std::tuple<std::string, double, int, bool, bool, bool>;
    static std::map<Key, std::weak_ptr<FontFace>> cache;
    Key key { fontSpec.name, fontSpec.points, fontSpec.weight, fontSpec.italic, fontSpec.underline,
        fontSpec.strikeout };
    if (auto existing = cache[key].lock())
        return existing;

    Match m = Resolve(fontSpec);
    std::shared_ptr<FontFace> f(new FontFace());
    f->spec_ = fontSpec;
    f->family_ = m.family;
    if (FT_New_Face(Library(), m.file.c_str(), m.index, &f->face_) != 0)
        throw std::runtime_error("cannot open font " + m.file);
    const int px = std::max(1, static_cast<int>(std::lround(fontSpec.points * 96.0 / 72.0)));
    FT_Set_Pixel_Sizes(f->face_, 0, px);
    f->hbFont_ = hb_ft_font_create_referenced(f->face_);
    hb_ft_font_set_load_flags(f->hbFont_, FT_LOAD_TARGET_LIGHT);
    f->buffer_ = hb_buffer_create();
    f->InitMetrics();
    cache[key] = f;
    return f;
}

FontFace::~FontFace()
{
    if (buffer_)
        hb_buffer_destroy(buffer_);
    if (hbFont_)
        hb_font_destroy(hbFont_);
    if (face_)
        FT_Done_Face(face_);
}

void FontFace::InitMetrics()
{
    const FT_Size_Metrics& sm = face_->size->metrics;
    metrics_.tmAscent = Ceil26(sm.ascender);
    metrics_.tmDescent = Ceil26(-sm.descender);
    metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
    metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - static_cast<int32_t>(sm.y_ppem));
    metrics_.tmExternalLeading = std::max(0, Ceil26(sm.height) - metrics_.tmHeight);
    metrics_.tmAveCharWidth = Measure("x");
    metrics_.tmMaxCharWidth = Ceil26(sm.max_advance);
    metrics_.tmWeight = spec_.weight;
    const double scale = static_cast<double>(sm.y_scale) / 65536.0 / 64.0;
    lineThickness_ = std::max(1, static_cast<int32_t>(std::lround(face_->underline_thickness * scale)));
    underlinePos_ = std::max(1, static_cast<int32_t>(std::lround(-face_->underline_position * scale)));
}

int32_t FontFace::Shape(std::string_view utf8, std::vector<ShapedGlyph>* glyphs)
{
    if (glyphs)
        glyphs->clear();
    if (utf8.empty())
        return 0;
    hb_buffer_clear_contents(buffer_);
    hb_buffer_add_utf8(buffer_, utf8.data(), static_cast<int>(utf8.size()), 0, static_cast<int>(utf8.size()));
    hb_buffer_guess_segment_properties(buffer_);
    hb_shape(hbFont_, buffer_, nullptr, 0);
    unsigned n = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer_, &n);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer_, &n);
    int32_t x = 0;
    for (unsigned i = 0; i < n; ++i) {
        if (glyphs)
            glyphs->push_back({ info[i].codepoint, x + pos[i].x_offset, info[i].cluster });
        x += pos[i].x_advance;
    }
    return (x + 32) >> 6;
}

const GlyphBitmap& FontFace::Glyph(uint32_t id)
{
    auto it = glyphs_.find(id);
    if (it != glyphs_.end())
        return it->second;
    GlyphBitmap g;
    if (FT_Load_Glyph(face_, id, FT_LOAD_TARGET_LIGHT) == 0
        && FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) == 0) {
        const FT_Bitmap& bm = face_->glyph->bitmap;
        g.left = face_->glyph->bitmap_left;
        g.top = face_->glyph->bitmap_top;
        g.width = static_cast<int32_t>(bm.width);
        g.height = static_cast<int32_t>(bm.rows);
        g.coverage.resize(static_cast<size_t>(g.width) * g.height);
        for (int32_t y = 0; y < g.height; ++y)
            std::copy(bm.buffer + y * bm.pitch, bm.buffer + y * bm.pitch + g.width, g.coverage.begin() + y * g.width);
    }
    return glyphs_.emplace(id, std::move(g)).first->second;
}

}  // namespace tavix::native::detail
