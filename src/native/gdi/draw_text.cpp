// Font objects, text metrics and DrawText.
#include <algorithm>

#include "native/gdi/font_face.h"
#include "native/gdi/gdi_table.h"
#include "native/gdi/pixel_access.h"
#include "native/gdi/text_layout.h"

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

// Renders one text line at (x, baseline) within `clip` (target coordinates).
class LineRenderer {
public:
    LineRenderer(Surface& s, FontFace& f, const detail::TextLayout& layout, Rect clip, uint32_t color)
        : s_(s)
        , f_(f)
        , layout_(layout)
        , clip_(clip)
        , color_(color)
    {
    }

    void Draw(const detail::TextLine& line, int32_t x, int32_t baseline)
    {
        std::string_view text = line.text;
        const bool tabs = layout_.Flags() & DT_EXPANDTABS;
        int32_t pen = 0;
        size_t start = 0;
        while (true) {
            size_t tab = tabs ? text.find('\t', start) : std::string_view::npos;
            std::string_view run = text.substr(start, tab == std::string_view::npos ? tab : tab - start);
            DrawRun(run, start, line, x + pen, baseline);
            pen += f_.Measure(run);
            if (tab == std::string_view::npos)
                break;
            pen = (pen / layout_.TabWidth() + 1) * layout_.TabWidth();
            start = tab + 1;
        }
        const auto& fontSpec = f_.Requested();
        if (fontSpec.underline)
            HLine(x, x + line.width, baseline + f_.UnderlinePosition());
        if (fontSpec.strikeout)
            HLine(x, x + line.width, baseline - f_.Metrics().tmAscent / 3);
    }

private:
    void DrawRun(std::string_view run, size_t offset, const detail::TextLine& line, int32_t x, int32_t baseline)
    {
        f_.Shape(run, &glyphs_);
        for (size_t i = 0; i < glyphs_.size(); ++i) {
            const auto& g = glyphs_[i];
            const int32_t gx = x + ((g.x + 32) >> 6);
            Blit(f_.Glyph(g.id), gx, baseline);
            const size_t at = offset + g.cluster;
            if (std::find(line.underlined.begin(), line.underlined.end(), at) != line.underlined.end()) {
                // The prefix underline spans the character's advance.
                const int32_t next = i + 1 < glyphs_.size() ? x + ((glyphs_[i + 1].x + 32) >> 6) : x + f_.Measure(run);
                HLine(gx, next, baseline + f_.UnderlinePosition());
            }
        }
    }

    void Blit(const detail::GlyphBitmap& g, int32_t x, int32_t baseline)
    {
        detail::BlitGlyph(s_, g, x, baseline, clip_, color_);
    }

    void HLine(int32_t x0, int32_t x1, int32_t y)
    {
        const Rect r = Rect { x0, y, x1, y + f_.LineThickness() }.Intersect(clip_);
        for (int32_t yy = r.top; yy < r.bottom; ++yy)
            std::fill(s_.Row(yy) + r.left, s_.Row(yy) + r.right, color_);
    }

    Surface& s_;
    FontFace& f_;
    const detail::TextLayout& layout_;
    Rect clip_;
    uint32_t color_;
    std::vector<detail::ShapedGlyph> glyphs_;
};

int DrawTextImpl(HDC hdc, std::string_view text, Rect& rc, UINT flags, std::string* modified)
{
    DcObj* dc = GetDc(hdc);
    if (!dc)
        return 0;
    FontFace* face = DcFace(*dc);
    detail::TextLayout layout(*face, flags);
    flags = layout.Flags();
    layout.Build(text, rc.Width());
    const auto& lines = layout.Lines();
    const int32_t height = static_cast<int32_t>(lines.size()) * layout.LineHeight();
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
    Rect clip = dc->EffectiveClip();
    if (!(flags & DT_NOCLIP))
        clip = clip.Intersect(dc->ToTarget(rc));
    LineRenderer renderer(*s, *face, layout, clip, ToPixel(dc->textColor));
    int32_t y = top;
    for (const auto& line : lines) {
        int32_t x = rc.left;
        if (flags & DT_CENTER)
            x = rc.left + (rc.Width() - line.width) / 2;
        else if (flags & DT_RIGHT)
            x = rc.right - line.width;
        const Point at = dc->ToTarget(Point { x, y });
        if (dc->bkMode == OPAQUE) {
            const uint32_t bk = ToPixel(dc->bkColor);
            const Rect box = Rect { at.x, at.y, at.x + line.width, at.y + layout.LineHeight() }.Intersect(clip);
            for (int32_t yy = box.top; yy < box.bottom; ++yy)
                std::fill(s->Row(yy) + box.left, s->Row(yy) + box.right, bk);
        }
        renderer.Draw(line, at.x, at.y + face->Metrics().tmAscent);
        y += layout.LineHeight();
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
    *size = { f->Measure(utf8), f->Metrics().tmHeight };
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
