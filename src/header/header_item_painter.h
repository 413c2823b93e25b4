#pragma once
// How a header item looks: its background, icon, caption, sort icon and sort
// number, and the lines drawn over the native borders when items are flat.
#include "core/column_data.h"
#include "header/header_settings.h"

#include <tavix/native/gdi.h>
#include <tavix/native/imagelist.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace tavix::header {

// What one paint of the header draws items with.
struct HeaderItemLook {
    const HeaderSettings& settings;
    native::HFONT textFont;
    native::HFONT sortInfoFont;
    native::HIMAGELIST imageList;
    int32_t iconWidth;
    int32_t iconHeight;
    int32_t sortedColumns;
    bool stylesInUse;
};

class HeaderItemPainter {
public:
    explicit HeaderItemPainter(const HeaderItemLook& look)
        : look_(look)
    {
    }

    // rc: the item inside its native border.
    void Draw(native::HDC hdc, const core::ColumnData& column, native::Rect rc, bool pressed, bool hot) const;

    // Room the sort information takes beside the caption: 9 for the icon, plus
    // the number's width when numbers show (several columns sorted).
    static int32_t SortInfoWidth(
        native::HDC hdc, native::HFONT font, ESortInfoStyles style, int32_t sortedColumns, int32_t sortKey);
    // Draws a sort icon into its 9 x 10 box at (x0, y0).
    static void DrawSortIcon(native::HDC hdc, int32_t x0, int32_t y0, bool ascending, bool solid, OleColor solidColor);

private:
    native::COLORREF TextColor(const core::ColumnData& column, bool hot) const;

    const HeaderItemLook& look_;
};

// The lines over the native item borders that the flat looks ask for, and the
// area right of the last item. `items`: width and background of each item in
// display order.
class HeaderBorders {
public:
    explicit HeaderBorders(const HeaderSettings& settings)
        : settings_(settings)
    {
    }
    void Paint(
        native::HDC hdc, int32_t width, int32_t height, const std::vector<std::pair<int32_t, OleColor>>& items) const;

private:
    const HeaderSettings& settings_;
};

}  // namespace tavix::header
