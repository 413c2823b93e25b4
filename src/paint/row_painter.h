#pragma once
// Composes one row: its band, the normal cells in one or two passes, the row
// text or group row content, the row focus frame and the extension line.
#include <cstdint>
#include <vector>

#include "paint/cell_content.h"
#include "paint/draw_context.h"
#include "paint/overflow_rects.h"

namespace tavix::paint {

struct RowPlan {
    int32_t row = 0;
    // Top of the row on the drawing surface, and its client y without the header.
    int32_t top = 0;
    int32_t clientY = 0;
    // Display positions drawn.
    int32_t firstPos = 0;
    int32_t lastPos = -1;
    // Filled for a row holding a no-clip text: then it flows in a second pass.
    std::vector<OverflowRect> overflow;
};

class RowPainter {
public:
    explicit RowPainter(const DrawContext& ctx)
        : ctx_(ctx)
        , content_(ctx)
    {
    }

    void Paint(const RowPlan& plan) const;

private:
    void PaintCell(const RowPlan& plan, int pass, int32_t pos) const;
    void FillCellBackground(
        native::HDC hdc, const core::CellLook& look, const native::Rect& rc, bool highlighted) const;
    void DrawCellGridLines(const RowPlan& plan, int32_t pos, const native::Rect& rc) const;
    void PaintRowText(const RowPlan& plan) const;
    bool Highlighted(const core::CellData& cell) const;

    const DrawContext& ctx_;
    CellContent content_;
};

}  // namespace tavix::paint
