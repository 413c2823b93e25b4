#include "header/header_item_painter.h"

#include "paint/cell_icon.h"
#include "paint/cell_text.h"

#include <tavix/native/text.h>

#include <algorithm>
#include <string>

namespace tavix::header {

using namespace native;

namespace {

// Content inset from the item's edges, and how far a pressed item's content moves.
constexpr int32_t kInsetX = 6;
constexpr int32_t kInsetY = 3;
constexpr int32_t kPressShift = 1;
// The sort icon's box, and the gap between caption and sort information.
constexpr int32_t kSortIconWidth = 9;
constexpr int32_t kSortGap = 4;
constexpr int32_t kIconGap = 2;
constexpr uint32_t kShorteningFlags = 0x5C000;

COLORREF ColorOf(OleColor color)
{
    COLORREF out = 0;
    OleTranslateColor(color, 0, &out);
    return out;
}

void Pixel(HDC hdc, int32_t x, int32_t y, COLORREF c) { SetPixel(hdc, x, y, c); }

void Line(HDC hdc, COLORREF color, std::initializer_list<Point> points)
{
    UniqueGdiObject pen(CreatePen(PS_SOLID, 1, color));
    DcStateSaver saver(hdc);
    SelectObject(hdc, pen);
    auto it = points.begin();
    MoveToEx(hdc, it->x, it->y, nullptr);
    for (++it; it != points.end(); ++it)
        LineTo(hdc, it->x, it->y);
}

void Fill(HDC hdc, const Rect& rc, COLORREF color)
{
    if (rc.IsEmpty())
        return;
    UniqueGdiObject brush(CreateSolidBrush(color));
    FillRect(hdc, rc, brush);
}

}  // namespace

COLORREF HeaderItemPainter::TextColor(const core::ColumnData& column, bool hot) const
{
    if (hot && look_.settings.HotTracks(tvHdrHotText))
        return ColorOf(look_.settings.hotTrackForeColor);
    return ColorOf(column.HeaderForeColor != kColorDefault ? column.HeaderForeColor : look_.settings.foreColor);
}

int32_t HeaderItemPainter::SortInfoWidth(
    HDC hdc, HFONT font, ESortInfoStyles style, int32_t sortedColumns, int32_t sortKey)
{
    if (style != tvSortInfoNumIcons || sortedColumns < 2)
        return kSortIconWidth;
    DcStateSaver saver(hdc);
    SelectObject(hdc, font);
    Rect measured {};
    DrawText(hdc, std::to_string(sortKey), measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return measured.Width() + kSortIconWidth;
}

void HeaderItemPainter::DrawSortIcon(HDC hdc, int32_t x0, int32_t y0, bool ascending, bool solid, OleColor solidColor)
{
    if (solid) {
        const COLORREF c = ColorOf(solidColor);
        for (int32_t k = 0; k <= 4; ++k) {
            const int32_t from = ascending ? x0 + 4 - k : x0 + k;
            const int32_t to = ascending ? x0 + 4 + k : x0 + 8 - k;
            for (int32_t x = from; x <= to; ++x)
                Pixel(hdc, x, y0 + 4 + k, c);
        }
        return;
    }
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const auto dots = [&](COLORREF c, std::initializer_list<std::pair<int32_t, int32_t>> at) {
        for (const auto& [dx, dy] : at)
            Pixel(hdc, x0 + dx, y0 + dy, c);
    };
    if (ascending) {
        dots(shadow,
            { { 0, 9 }, { 0, 8 }, { 1, 8 }, { 1, 7 }, { 1, 6 }, { 2, 6 }, { 2, 5 }, { 2, 4 }, { 3, 4 }, { 3, 3 } });
        dots(light, { { 4, 3 }, { 4, 4 }, { 5, 4 }, { 5, 5 }, { 5, 6 }, { 6, 6 }, { 6, 7 }, { 6, 8 }, { 7, 8 } });
        for (int32_t x = 1; x <= 7; ++x)
            Pixel(hdc, x0 + x, y0 + 9, light);
        return;
    }
    for (int32_t x = 1; x <= 8; ++x)
        Pixel(hdc, x0 + x, y0 + 3, shadow);
    dots(shadow, { { 1, 4 }, { 2, 4 }, { 2, 5 }, { 2, 6 }, { 3, 6 }, { 3, 7 }, { 3, 8 }, { 4, 8 }, { 4, 9 } });
    dots(light, { { 8, 4 }, { 7, 4 }, { 7, 5 }, { 7, 6 }, { 6, 6 }, { 6, 7 }, { 6, 8 }, { 5, 8 }, { 5, 9 } });
}

void HeaderItemPainter::Draw(HDC hdc, const core::ColumnData& column, Rect rc, bool pressed, bool hot) const
{
    const HeaderSettings& s = look_.settings;
    DcStateSaver saver(hdc);
    Fill(hdc, rc, ColorOf(column.HeaderBackColor != kColorDefault ? column.HeaderBackColor : s.backColor));
    Rect content { rc.left + kInsetX, rc.top + kInsetY, rc.right - kInsetX, rc.bottom - kInsetY };
    if (pressed)
        content = content.Offset(kPressShift, kPressShift);
    SetBkMode(hdc, TRANSPARENT);

    if (column.HeaderIcon >= 0 && !content.IsEmpty()) {
        const int32_t cx = std::min(look_.iconWidth, content.Width());
        const int32_t cy = std::min(look_.iconHeight, content.Height());
        DrawCellIcon(look_.imageList, column.HeaderIcon, hdc, content.left, content.top, cx, cy, false,
            hot && s.HotTracks(tvHdrHotIcon));
        content.left += look_.iconWidth + kIconGap;
    }
    if (content.IsEmpty())
        return;

    int32_t reserve = 0;
    if (s.sortInfoStyle != tvSortInfoNone && column.SortKey > 0)
        reserve = SortInfoWidth(hdc, look_.sortInfoFont, s.sortInfoStyle, look_.sortedColumns, column.SortKey);
    if (content.Width() < reserve)
        return;
    const int32_t sortRoom = reserve > 0 ? reserve + kSortGap : 0;

    const COLORREF textColor = TextColor(column, hot);
    if (!column.HeaderText.empty()) {
        SelectObject(hdc, look_.textFont);
        SetTextColor(hdc, textColor);
        uint32_t flags = static_cast<uint32_t>(column.HeaderTextFlags);
        Rect measured { content.left, content.top, content.left + content.Width() - sortRoom, content.bottom };
        DrawCellText(hdc, column.HeaderText, measured, (flags & ~kShorteningFlags) | DT_CALCRECT);
        // A caption too wide for its room starts at the left, where its ellipsis shows what fits.
        if (measured.Width() > content.Width() - sortRoom)
            flags &= ~static_cast<uint32_t>(DT_CENTER | DT_RIGHT);
        Rect text { content.left, content.top, content.right - sortRoom, content.bottom };
        DrawCellText(hdc, column.HeaderText, text, flags);
        if (reserve > 0)
            content.left = content.right - sortRoom + kSortGap;
    } else if (reserve > 0) {
        content.left = content.right - reserve;
    }

    if (reserve == 0)
        return;
    const bool solid = s.sortIconStyle == tvSortIconSolid || (s.sortIconStyle == tvSortIconAuto && look_.stylesInUse);
    DrawSortIcon(hdc, content.left, content.top, column.SortOrder == tvSortAsc, solid, s.solidSortIconColor);
    if (reserve == kSortIconWidth)
        return;
    SelectObject(hdc, look_.sortInfoFont);
    SetTextColor(hdc, hot && s.HotTracks(tvHdrHotSortInfo) ? ColorOf(s.hotTrackForeColor) : textColor);
    Rect number { content.left + kSortIconWidth, content.top, content.right, content.bottom };
    DrawText(hdc, std::to_string(column.SortKey), number, DT_SINGLELINE | DT_NOPREFIX);
}

void HeaderBorders::Paint(HDC hdc, int32_t w, int32_t h, const std::vector<std::pair<int32_t, OleColor>>& items) const
{
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    int32_t x = 0;
    for (const auto& [width, back] : items) {
        const int32_t r = x + width;
        const COLORREF c = ColorOf(back);
        if (!settings_.buttons) {
            Line(hdc, c, { { x, h - 2 }, { r - 2, h - 2 }, { r - 2, -1 } });
            Line(hdc, shadow, { { x, h - 1 }, { r - 1, h - 1 }, { r - 1, -1 } });
        } else if (settings_.flat) {
            Line(hdc, c, { { x + 1, h - 2 }, { r - 2, h - 2 }, { r - 2, 1 }, { x + 1, 1 }, { x + 1, h - 2 } });
        }
        x = r;
    }
    if (x >= w)
        return;
    const COLORREF back = ColorOf(settings_.backColor);
    if (!settings_.buttons) {
        Fill(hdc, { x, 0, w, h - 1 }, back);
        Line(hdc, shadow, { { x, h - 1 }, { w, h - 1 } });
    } else if (settings_.flat) {
        Fill(hdc, { x + 1, 1, w, h - 1 }, back);
        Line(hdc, back, { { x + 1, h - 2 }, { w, h - 2 } });
        Line(hdc, shadow, { { x, h - 1 }, { w, h - 1 } });
    } else {
        Fill(hdc, { x + 2, 2, w, h - 2 }, back);
    }
}

}  // namespace tavix::header
