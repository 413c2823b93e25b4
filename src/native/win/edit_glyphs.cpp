#include "native/win/edit_glyphs.h"
#include "native/gdi/gdi_table.h"
#include "native/win/utf8.h"
#include <algorithm>

namespace tavix::native {

EditGlyphs::EditGlyphs(HFONT font)
{
    auto* obj = detail::GdiTable::Instance().Get<detail::FontObj>(font);
    font_ = obj ? font : GetStockUiFont();
    face_ = obj ? obj->face : detail::GdiTable::Instance().Get<detail::FontObj>(font_)->face;
    tabWidth_ = std::max(1, kTabChars * face_->Metrics().tmAveCharWidth);
    faces_.push_back(face_.get());
    ascii_.fill(Glyph { 0, -1 });
}

EditGlyphs::Glyph EditGlyphs::Measure(char32_t c)
{
    std::string one;
    utf8::Append(one, c);
    // A character the font lacks comes from a fallback face, as in drawn text.
    detail::FontFace* face = face_.get();
    if (!face->HasGlyph(c))
        if (detail::FontFace* fallback = face->Fallback(c, false))
            face = fallback;
    auto slot = std::find(faces_.begin(), faces_.end(), face);
    if (slot == faces_.end())
        slot = faces_.insert(faces_.end(), face);
    const auto faceNumber = static_cast<uint32_t>(slot - faces_.begin());
    scratch_.clear();
    face->ShapeRun(one, 0, static_cast<uint32_t>(one.size()), false, 0, scratch_);
    int32_t advance = 0;
    for (const auto& g : scratch_)
        advance += g.advance;
    const uint32_t id = scratch_.empty() || scratch_.front().id == detail::ShapedGlyph::kNone ? 0 : scratch_.front().id;
    return Glyph { (faceNumber << kFaceShift) | (id & kGlyphMask), (advance + 32) >> 6 };
}

}  // namespace tavix::native
