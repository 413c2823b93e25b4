#pragma once
// What goes inside one cell rectangle once its background is down: icons,
// then text, a check box, a combo button, or the application's own drawing.
#include <cstdint>

#include "core/cell_data.h"
#include "paint/draw_context.h"

namespace tavix::paint {

struct CellPaint {
    int32_t row = 0;
    int32_t colIndex = 0;
    // The full cell rectangle (grid-line pixels included) and the room left
    // for icons and text.
    native::Rect cellRect;
    native::Rect textRect;
    bool highlighted = false;
    // Row text and group rows: icons clipped to the text room, the cell's full
    // text flags, and only text (no check box or combo button).
    bool rowText = false;
};

class CellContent {
public:
    explicit CellContent(const DrawContext& ctx)
        : ctx_(ctx)
    {
    }

    void Draw(native::HDC hdc, const CellPaint& p) const;
    // The text colour the colour rules give the cell.
    native::COLORREF TextColor(const core::CellData& cell, bool highlighted) const;

private:
    // Moves p.textRect's left edge past each icon drawn.
    void DrawIcons(native::HDC hdc, const core::CellData& cell, CellPaint& p) const;
    void DrawText(native::HDC hdc, const core::CellData& cell, CellPaint& p) const;
    void DrawSearchPrefix(native::HDC hdc, const std::string& text, native::Rect rc, uint32_t flags) const;
    void DrawCheckBox(native::HDC hdc, const core::CellData& cell, const CellPaint& p) const;
    void DrawComboButton(native::HDC hdc, const core::CellData& cell, const CellPaint& p) const;
    bool IsHot(const CellPaint& p) const;
    bool ShowsControl(const CellPaint& p) const;

    const DrawContext& ctx_;
};

}  // namespace tavix::paint
