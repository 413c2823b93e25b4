#include "native/gdi/font_fallback.h"

#include "native/gdi/font_face.h"

namespace tavix::native::detail {

namespace {

// Above every code point, so colour choices share the map with the others.
constexpr char32_t kColorKey = 0x80000000;

}  // namespace

FontFallback::FontFallback(const FontFace& primary)
    : primary_(primary)
    , candidates_(FallbackFonts(primary.Requested()))
    , opened_(candidates_.size())
{
}

FontFace* FontFallback::FaceFor(char32_t cp, bool color)
{
    const char32_t key = color ? cp | kColorKey : cp;
    if (auto it = chosen_.find(key); it != chosen_.end())
        return it->second;
    FontFace* face = nullptr;
    for (size_t i = 0; i < candidates_.size() && !face; ++i) {
        if (!candidates_[i].Covers(cp))
            continue;
        if (!opened_[i])
            opened_[i] = FontFace::OpenFallback(candidates_[i].file, primary_);
        // Fontconfig's coverage can be wider than what the face maps.
        if (opened_[i] && opened_[i]->HasGlyph(cp) && (!color || opened_[i]->IsColor()))
            face = opened_[i].get();
    }
    chosen_.emplace(key, face);
    return face;
}

}  // namespace tavix::native::detail
