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
    ascii_.fill(Glyph { 0, -1 });
}

EditGlyphs::Glyph EditGlyphs::Measure(char32_t c)
{
    std::string one;
    utf8::Append(one, c);
    int32_t advance = face_->Shape(one, &scratch_);
    return Glyph { scratch_.empty() ? 0 : scratch_.front().id, advance };
}

}  // namespace tavix::native
