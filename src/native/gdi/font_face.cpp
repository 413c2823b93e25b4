#include "native/gdi/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

#include "native/gdi/font_fallback.h"

namespace tavix::native::detail {

namespace {

constexpr double kDpi = 96.0;
constexpr double kPointsPerInch = 72.0;
constexpr char32_t kFirstPrintableAscii = 0x20;
constexpr char32_t kLastPrintableAscii = 0x7E;
constexpr size_t kMaxCachedShape = 64;  // bytes; longer texts are rarely repainted unchanged
constexpr size_t kMaxCachedShapes = 4096;

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

// Shaping never nests, so every face shares one buffer.
hb_buffer_t* SharedBuffer()
{
    struct Deleter {
        void operator()(hb_buffer_t* b) const { hb_buffer_destroy(b); }
    };
    static std::unique_ptr<hb_buffer_t, Deleter> buffer(hb_buffer_create());
    return buffer.get();
}

int32_t PixelsOf(double points)
{
    return std::max(1, static_cast<int32_t>(std::lround(points * kDpi / kPointsPerInch)));
}

// The strike with the most pixels: colour strikes are only ever scaled down.
int LargestStrike(FT_Face face)
{
    int best = 0;
    for (int i = 1; i < face->num_fixed_sizes; ++i)
        if (face->available_sizes[i].height > face->available_sizes[best].height)
            best = i;
    return best;
}

// Box filter over premultiplied BGRA rows, into premultiplied 0xAARRGGBB.
void ScaleColor(const FT_Bitmap& bm, double scale, GlyphBitmap& g)
{
    const int32_t sw = static_cast<int32_t>(bm.width), sh = static_cast<int32_t>(bm.rows);
    g.width = std::max(1, static_cast<int32_t>(std::lround(sw * scale)));
    g.height = std::max(1, static_cast<int32_t>(std::lround(sh * scale)));
    g.color.resize(static_cast<size_t>(g.width) * g.height);
    for (int32_t y = 0; y < g.height; ++y) {
        const int32_t y0 = y * sh / g.height, y1 = std::max(y0 + 1, (y + 1) * sh / g.height);
        for (int32_t x = 0; x < g.width; ++x) {
            const int32_t x0 = x * sw / g.width, x1 = std::max(x0 + 1, (x + 1) * sw / g.width);
            uint32_t sum[4] = {};
            for (int32_t sy = y0; sy < y1; ++sy) {
                const uint8_t* px = bm.buffer + sy * bm.pitch + x0 * 4;
                for (int32_t sx = x0; sx < x1; ++sx, px += 4)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += px[c];
            }
            const uint32_t n = static_cast<uint32_t>((y1 - y0) * (x1 - x0));
            const uint32_t b = sum[0] / n, gr = sum[1] / n, r = sum[2] / n, a = sum[3] / n;
            g.color[static_cast<size_t>(y) * g.width + x] = (a << 24) | (r << 16) | (gr << 8) | b;
        }
    }
}

}  // namespace

std::shared_ptr<FontFace> FontFace::Open(const FontSpec& fontSpec)
{
    using Key = std::tuple<std::string, double, int, bool, bool, bool>;
    static std::map<Key, std::weak_ptr<FontFace>> cache;
    Key key { fontSpec.name, fontSpec.points, fontSpec.weight, fontSpec.italic, fontSpec.underline,
        fontSpec.strikeout };
    if (auto existing = cache[key].lock())
        return existing;

    const FontFile file = MatchFont(fontSpec);
    std::shared_ptr<FontFace> f(new FontFace());
    f->spec_ = fontSpec;
    f->family_ = file.family;
    f->Load(file, PixelsOf(fontSpec.points), 0);
    cache[key] = f;
    return f;
}

std::shared_ptr<FontFace> FontFace::OpenFallback(const FontFile& file, const FontFace& primary)
{
    const int32_t pixels = PixelsOf(primary.spec_.points);
    using Key = std::tuple<std::string, int, int32_t, int32_t>;
    static std::map<Key, std::weak_ptr<FontFace>> cache;
    Key key { file.path, file.index, pixels, primary.metrics_.tmHeight };
    if (auto existing = cache[key].lock())
        return existing;
    std::shared_ptr<FontFace> f(new FontFace());
    f->spec_ = primary.spec_;
    f->spec_.name = file.family;
    f->family_ = file.family;
    try {
        f->Load(file, pixels, primary.metrics_.tmHeight);
    } catch (const std::runtime_error&) {
        return nullptr;
    }
    cache[key] = f;
    return f;
}

FontFace::~FontFace()
{
    if (hbFont_)
        hb_font_destroy(hbFont_);
    if (face_)
        FT_Done_Face(face_);
}

void FontFace::Load(const FontFile& file, int32_t pixels, int32_t lineHeight)
{
    if (FT_New_Face(Library(), file.path.c_str(), file.index, &face_) != 0)
        throw std::runtime_error("cannot open font " + file.path);
    if (!FT_IS_SCALABLE(face_) && FT_HAS_COLOR(face_) && face_->num_fixed_sizes > 0) {
        LoadColorStrike(lineHeight > 0 ? lineHeight : pixels);
    } else {
        FT_Set_Pixel_Sizes(face_, 0, pixels);
        hbFont_ = hb_ft_font_create_referenced(face_);
        hb_ft_font_set_load_flags(hbFont_, FT_LOAD_TARGET_LIGHT);
    }
    coversAscii_ = true;
    for (char32_t c = kFirstPrintableAscii; c <= kLastPrintableAscii && coversAscii_; ++c)
        coversAscii_ = HasGlyph(c);
    InitMetrics();
}

// Emoji fonts hold one large bitmap strike; it is scaled so that the strike's
// line box matches the text's line height.
void FontFace::LoadColorStrike(int32_t lineHeight)
{
    if (FT_Select_Size(face_, LargestStrike(face_)) != 0)
        throw std::runtime_error("cannot select a strike of " + family_);
    const FT_Size_Metrics& sm = face_->size->metrics;
    const double strikeLine = static_cast<double>(sm.ascender - sm.descender) / 64.0;
    bitmapScale_ = strikeLine > 0 ? lineHeight / strikeLine : 1.0;
    color_ = true;
    hb_face_t* hbFace = hb_ft_face_create_referenced(face_);
    hbFont_ = hb_font_create(hbFace);
    hb_face_destroy(hbFace);
    // HarfBuzz then positions in 26.6 pixels of the scaled strike.
    const int scale = static_cast<int>(std::lround(sm.y_ppem * bitmapScale_ * 64.0));
    hb_font_set_scale(hbFont_, scale, scale);
}

// Ascent and descent are the font's own rounded to whole pixels, as the
// platform rounds them; FreeType's sized metrics round both outwards, which
// makes every line a pixel taller and sets the text too low in a tight row.
void FontFace::InitMetrics()
{
    const FT_Size_Metrics& sm = face_->size->metrics;
    if (FT_IS_SCALABLE(face_)) {
        const double perUnit = static_cast<double>(sm.y_ppem) / face_->units_per_EM;
        double ascent = face_->ascender, descent = -face_->descender;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
        if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
            ascent = os2->usWinAscent;
            descent = os2->usWinDescent;
        }
        metrics_.tmAscent = static_cast<int32_t>(std::lround(ascent * perUnit));
        metrics_.tmDescent = static_cast<int32_t>(std::lround(descent * perUnit));
        const double lineGap = face_->height - (face_->ascender - face_->descender);
        const double extra = lineGap - ((ascent + descent) - (face_->ascender - face_->descender));
        metrics_.tmExternalLeading = std::max(0, static_cast<int32_t>(std::lround(extra * perUnit)));
        lineThickness_ = std::max(1, static_cast<int32_t>(std::lround(face_->underline_thickness * perUnit)));
        underlinePos_ = std::max(1, static_cast<int32_t>(std::lround(-face_->underline_position * perUnit)));
    } else {
        metrics_.tmAscent = static_cast<int32_t>(std::lround(sm.ascender * bitmapScale_ / 64.0));
        metrics_.tmDescent = static_cast<int32_t>(std::lround(-sm.descender * bitmapScale_ / 64.0));
    }
    metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
    metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - static_cast<int32_t>(sm.y_ppem * bitmapScale_));
    std::vector<ShapedGlyph> x;
    ShapeRun("x", 0, 1, false, 0, x);
    metrics_.tmAveCharWidth = x.empty() ? 0 : (x[0].advance + 32) >> 6;
    metrics_.tmMaxCharWidth = static_cast<int32_t>(std::lround(sm.max_advance * bitmapScale_ / 64.0));
    metrics_.tmWeight = spec_.weight;
}

bool FontFace::HasGlyph(char32_t cp) const { return FT_Get_Char_Index(face_, cp) != 0; }

FontFace* FontFace::Fallback(char32_t cp, bool color)
{
    if (!fallback_)
        fallback_ = std::make_unique<FontFallback>(*this);
    return fallback_->FaceFor(cp, color);
}

size_t FontFace::ShapeKeyHash::operator()(const ShapeKey& k) const
{
    return std::hash<std::string_view>()(k.text) ^ (static_cast<size_t>(k.script) << 1) ^ k.rtl;
}

void FontFace::ShapeRun(
    std::string_view text, uint32_t begin, uint32_t end, bool rtl, uint32_t script, std::vector<ShapedGlyph>& out) const
{
    // Only a run that is the whole text has no context that could shape it differently.
    const bool cacheable = begin == 0 && end == text.size() && text.size() <= kMaxCachedShape;
    if (cacheable) {
        if (auto it = shaped_.find({ text, script, rtl }); it != shaped_.end()) {
            out.insert(out.end(), it->second.second.begin(), it->second.second.end());
            return;
        }
    }
    const size_t first = out.size();
    hb_buffer_t* buffer = SharedBuffer();
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), static_cast<unsigned>(begin),
        static_cast<int>(end - begin));
    hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    if (script)
        hb_buffer_set_script(buffer, static_cast<hb_script_t>(script));
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(hbFont_, buffer, nullptr, 0);
    unsigned n = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &n);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &n);
    for (unsigned i = 0; i < n; ++i)
        out.push_back({ info[i].codepoint, pos[i].x_offset, pos[i].y_offset, pos[i].x_advance, info[i].cluster });
    if (!cacheable)
        return;
    if (shaped_.size() >= kMaxCachedShapes)
        shaped_.clear();  // scrolling through many rows: start over rather than grow
    auto copy = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), copy.get());
    const ShapeKey key { std::string_view(copy.get(), text.size()), script, rtl };
    std::vector<ShapedGlyph> glyphs(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
    shaped_.emplace(key, std::pair(std::move(copy), std::move(glyphs)));
}

int32_t FontFace::NominalAdvance(uint32_t id) const { return hb_font_get_glyph_h_advance(hbFont_, id); }

int32_t FontFace::EllipsisAdvance()
{
    if (ellipsisAdvance_ < 0) {
        std::vector<ShapedGlyph> dots;
        ShapeRun("...", 0, 3, false, 0, dots);
        ellipsisAdvance_ = 0;
        for (const auto& g : dots)
            ellipsisAdvance_ += g.advance;
    }
    return ellipsisAdvance_;
}

const GlyphBitmap& FontFace::Glyph(uint32_t id)
{
    auto it = glyphs_.find(id);
    if (it == glyphs_.end())
        it = glyphs_.emplace(id, Render(id)).first;
    return it->second;
}

GlyphBitmap FontFace::Render(uint32_t id) const
{
    GlyphBitmap g;
    if (color_) {
        if (FT_Load_Glyph(face_, id, FT_LOAD_COLOR) != 0 || face_->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_BGRA)
            return g;
        ScaleColor(face_->glyph->bitmap, bitmapScale_, g);
        g.left = static_cast<int32_t>(std::lround(face_->glyph->bitmap_left * bitmapScale_));
        g.top = static_cast<int32_t>(std::lround(face_->glyph->bitmap_top * bitmapScale_));
        return g;
    }
    if (FT_Load_Glyph(face_, id, FT_LOAD_TARGET_LIGHT) != 0
        || FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return g;
    const FT_Bitmap& bm = face_->glyph->bitmap;
    g.left = face_->glyph->bitmap_left;
    g.top = face_->glyph->bitmap_top;
    g.width = static_cast<int32_t>(bm.width);
    g.height = static_cast<int32_t>(bm.rows);
    g.coverage.resize(static_cast<size_t>(g.width) * g.height);
    for (int32_t y = 0; y < g.height; ++y)
        std::copy(bm.buffer + y * bm.pitch, bm.buffer + y * bm.pitch + g.width, g.coverage.begin() + y * g.width);
    return g;
}

}  // namespace tavix::native::detail
