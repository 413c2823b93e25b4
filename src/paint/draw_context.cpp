#include "paint/draw_context.h"

#include "paint/grid_painter.h"

#include <tavix/enums.h>

namespace tavix::paint {

using namespace native;

namespace {
bool IsSystemColor(OleColor c) { return (c & 0xFFFFFF00u) == 0x80000000u; }
}  // namespace

COLORREF Translate(OleColor oleColor)
{
    COLORREF out = CLR_INVALID;
    OleTranslateColor(oleColor, 0, &out);
    return out;
}

UniqueGdiObject BrushFor(OleColor oleColor)
{
    if (IsSystemColor(oleColor))
        return UniqueGdiObject(GetSysColorBrush(static_cast<int>(oleColor & 0xFF)));
    return UniqueGdiObject(CreateSolidBrush(Translate(oleColor)));
}

DrawContext::DrawContext(
    const GridPainter& painter, core::GridTable& table, layout::ViewLayout& layout, PaintResources& res)
    : painter(painter)
    , table(table)
    , layout(layout)
    , look(painter.Look())
    , res(res)
{
}

void DrawContext::FillBackground(HDC hdc, const Rect& rc, int32_t originX, int32_t originY) const
{
    const PictureTiles& pic = res.picture;
    if (!pic.Empty()) {
        const int32_t w = pic.Width(), h = pic.Height();
        const auto mod = [](int32_t v, int32_t m) { return ((v % m) + m) % m; };
        for (int32_t y = rc.top, sy = mod(rc.top + originY, h); y < rc.bottom; y += h - sy, sy = 0) {
            const int32_t ch = std::min(h - sy, rc.bottom - y);
            for (int32_t x = rc.left, sx = mod(rc.left + originX, w); x < rc.right; x += w - sx, sx = 0)
                BitBlt(hdc, x, y, std::min(w - sx, rc.right - x), ch, pic.Dc(), sx, sy, SRCCOPY);
        }
        return;
    }
    const UniqueGdiObject brush = enabled ? BrushFor(look.backColor) : UniqueGdiObject(GetSysColorBrush(COLOR_BTNFACE));
    FillRect(hdc, rc, brush);
}

void DrawContext::FillRowBand(HDC hdc, int32_t row, const Rect& rc) const
{
    const OleColor color = table.Row(row).OddRow ? table.BackColorOddRows() : table.BackColorEvenRows();
    if (color == kColorDefault)
        return;
    FillRect(hdc, rc, BrushFor(color));
}

void DrawContext::DrawGridLineFrame(HDC hdc, const Rect& rc, bool noVertical) const
{
    const EGridLines lines = look.gridLines;
    if (lines == tvGridLinesNone || !gridLineBrush.Get())
        return;
    const Rect right { rc.right - 1, rc.top, rc.right, rc.bottom };
    const Rect bottom { rc.left, rc.bottom - 1, rc.right, rc.bottom };
    if (noVertical) {
        if (lines == tvGridLinesHorizontal || lines == tvGridLinesBoth)
            FillRect(hdc, bottom, gridLineBrush);
        return;
    }
    switch (lines) {
    case tvGridLinesVertical: FillRect(hdc, right, gridLineBrush); break;
    case tvGridLinesHorizontal: FillRect(hdc, bottom, gridLineBrush); break;
    default: FrameRect(hdc, { rc.left - 1, rc.top - 1, rc.right, rc.bottom }, gridLineBrush); break;
    }
}

void DrawContext::DrawExtensionLine(HDC hdc, int32_t bottom) const
{
    if (!gridLineBrush.Get())
        return;
    if (look.HorizontalLines() && look.LinesExtendRight())
        FillRect(hdc, { 0, bottom - 1, 32000, bottom }, gridLineBrush);
}

void DrawContext::DrawFocusFrame(HDC hdc, Rect rc) const
{
    const EGridLines lines = look.gridLines;
    if (lines == tvGridLinesVertical || lines == tvGridLinesBoth)
        rc.right -= 1;
    if (lines == tvGridLinesHorizontal || lines == tvGridLinesBoth)
        rc.bottom -= 1;
    FrameRect(hdc, rc, focusBrush);
    DcStateSaver saver(hdc);
    SetBkColor(hdc, Translate(look.focusRectColor1));
    SetTextColor(hdc, Translate(look.focusRectColor2));
    DrawFocusRect(hdc, rc);
}

}  // namespace tavix::paint
