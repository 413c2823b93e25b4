// Font objects, text metrics and DrawText.
#include <algorithm>

#include "native/gdi/font_face.h"
#include "native/gdi/gdi_table.h"
#include "native/gdi/shaped_text.h"
#include "native/gdi/text_layout.h"
#include "native/gdi/text_renderer.h"

namespace tavix::native {

using detail::DcObj;
using detail::FontFace;
using detail::FontObj;
using detail::GdiTable;
using detail::GetDc;

namespace {

FontFace* FaceOf(HFONT font)
{
    auto* f = GdiTable::Instance().Get<FontObj>(font);
    return f ? f->face.get() : nullptr;
}

FontFace* DcFace(DcObj& dc)
{
    FontFace* f = FaceOf(dc.font);
    return f ? f : FaceOf(GetStockUiFont());
}

int DrawTextImpl(HDC hdc, std::string_view text, Rect& rc, UINT flags, std::string* modified)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return 0;
    FontFace* face = DcFace(*dc);
    detail::TextLayout layout(*face, flags);
    flags = layout.Flags();
    const int32_t lineHeight = std::max(1, layout.LineHeight());
    Rect clip = dc->EffectiveClip();
    if (!(flags & DT_NOCLIP))
        clip = clip.Intersect(dc->ToTarget(rc));
    // Drawing lays out only what the clip lets through: left-aligned
    // left-to-right text up to the clip's right edge, lines down to its bottom.
    detail::TextView view;
    if (!(flags & DT_CALCRECT)) {
        const Point origin = dc->ToTarget(Point { rc.left, rc.top });
        if (!(flags & (DT_CENTER | DT_RIGHT | DT_RTLREADING)))
            view.right = std::max(0, clip.right - origin.x);
        if (!(flags & DT_SINGLELINE))
            view.lines = std::max(0, (clip.bottom - origin.y + lineHeight - 1) / lineHeight);
    }
    layout.Build(text, rc.Width(), view);
    const int32_t height = layout.LineCount() * lineHeight;
    if (modified && (flags & DT_MODIFYSTRING) && !layout.Shortened().empty())
        *modified = layout.Shortened();

    if (flags & DT_CALCRECT) {
        rc.right = rc.left + layout.MaxWidth();
        rc.bottom = rc.top + height;
        return height;
    }
    int32_t top = rc.top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            top = rc.top + (rc.Height() - height) / 2;
        else if (flags & DT_BOTTOM)
            top = rc.bottom - height;
    }
    SurfacePtr s = dc->Target();
    if (!s)
        return 0;
    detail::TextRenderer renderer(*s, layout, clip, ToPixel(dc->textColor));
    int32_t y = top;
    for (const auto& line : layout.Lines()) {
        int32_t x = rc.left;
        if (flags & DT_CENTER)
            x = rc.left + (rc.Width() - line.width) / 2;
        else if (flags & DT_RIGHT)
            x = rc.right - line.width;
        const Point at = dc->ToTarget(Point { x, y });
        if (dc->bkMode == OPAQUE) {
            const uint32_t bk = ToPixel(dc->bkColor);
            const Rect box = Rect { at.x, at.y, at.x + line.width, at.y + lineHeight }.Intersect(clip);
            for (int32_t yy = box.top; yy < box.bottom; ++yy)
                std::fill(s->Row(yy) + box.left, s->Row(yy) + box.right, bk);
        }
        renderer.Draw(line, at.x, at.y + face->Metrics().tmAscent);
        y += lineHeight;
    }
    return (top - rc.top) + height;
}

}  // namespace

HFONT CreateFontFromSpec(const FontSpec& fontSpec)
{
    return GdiTable::Instance().Add(FontObj { FontFace::Open(fontSpec) });
}

std::string GetFontFamily(HFONT font)
{
    FontFace* f = FaceOf(font);
    return f ? f->Family() : std::string();
}

HFONT GetStockUiFont()
{
    static HFONT font = GdiTable::Instance().Add(FontObj { FontFace::Open(FontSpec {}) }, true);
    return font;
}

bool GetTextMetrics(HDC hdc, TEXTMETRIC* tm)
{
    DcObj* dc = GetDc(hdc);
    if (!dc || !tm)
        return false;
    *tm = DcFace(*dc)->Metrics();
    return true;
}

bool GetTextExtentPoint32(HDC hdc, std::string_view utf8, Size* size)
{
    DcObj* dc = GetDc(hdc);
    if (!dc || !size)
        return false;
    FontFace* f = DcFace(*dc);
    detail::ShapedText shaped(*f, utf8, false, 0);
    shaped.ShapeAll();
    *size = { static_cast<int32_t>((shaped.Pen(utf8.size()) + 32) >> 6), f->Metrics().tmHeight };
    return true;
}

int DrawText(HDC hdc, std::string_view utf8, Rect& rc, UINT flags)
{
    return DrawTextImpl(hdc, utf8, rc, flags, nullptr);
}

int DrawText(HDC hdc, std::string& text, Rect& rc, UINT flags)
{
    const std::string copy = text;
    return DrawTextImpl(hdc, copy, rc, flags, &text);
}

}  // namespace tavix::native
