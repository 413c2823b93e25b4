#pragma once
// What one Draw decides once and every row and cell it paints reads: the
// surfaces, the brushes, the focus and enabled state and the row-text geometry.
#include "core/grid_table.h"
#include "layout/view_layout.h"
#include "paint/appearance.h"
#include "paint/paint_resources.h"

#include <tavix/native/gdi.h>

#include <cstdint>

namespace tavix::paint {

class GridPainter;

// An OleColor as a colour reference; -1 when it cannot be translated.
native::COLORREF Translate(OleColor oleColor);
// A brush of the colour; a system colour gives its shared system brush.
native::UniqueGdiObject BrushFor(OleColor oleColor);

struct DrawContext {
    DrawContext(const GridPainter& painter, core::GridTable& table, layout::ViewLayout& layout, PaintResources& res);

    const GridPainter& painter;
    core::GridTable& table;
    layout::ViewLayout& layout;
    const Appearance& look;
    PaintResources& res;
    // Rows are composed on `surface`: the row buffer, or the window itself
    // when no buffer could be made.
    native::HDC window = 0;
    native::HDC surface = 0;
    bool buffered = false;
    int32_t headerHeight = 0;
    // The background each buffered row starts from, buffer coordinates.
    native::Rect band;

    bool enabled = true;
    bool focused = false;
    bool rowTextInEffect = false;
    layout::RowTextStart rowTextStart;
    int32_t lastVisiblePos = 0;
    // Highlight left edge and the right edge of the last visible column, client x.
    int32_t highlightLeft = 0;
    int32_t rightEdge = 0;

    // 0 when grid lines are off.
    native::UniqueGdiObject gridLineBrush;
    native::UniqueGdiObject highlightBrush;
    native::UniqueGdiObject focusBrush;
    native::COLORREF highlightFore = 0;

    // FillBackground: the picture tiled with its grid anchored at
    // (-originX, -originY) relative to rc, else the base colour.
    void FillBackground(native::HDC hdc, const native::Rect& rc, int32_t originX, int32_t originY) const;
    // The odd/even row colour over (0, top) .. (right, bottom); nothing when unset.
    void FillRowBand(native::HDC hdc, int32_t row, const native::Rect& rc) const;
    // The lines of one cell: its last pixel column and row, per GridLines.
    void DrawGridLineFrame(native::HDC hdc, const native::Rect& rc, bool noVertical) const;
    // The horizontal line past the last column when GridLinesExtend asks for it.
    void DrawExtensionLine(native::HDC hdc, int32_t bottom) const;
    // The two-coloured dotted frame inside the grid lines.
    void DrawFocusFrame(native::HDC hdc, native::Rect rc) const;
};

}  // namespace tavix::paint
