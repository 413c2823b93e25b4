#include "paint/text_measure.h"

#include <string>

#include <tavix/enums.h>

#include "core/cell_text.h"
#include "paint/cell_text.h"

namespace tavix::paint {

using namespace native;

namespace {
constexpr uint32_t kModifyingFlags = 0x5C000;  // path/end/word ellipsis and modify-string
}

int32_t MeasureTextWidth(const core::GridTable& s, FontCache& fonts, HDC hdc, int32_t row, int32_t colIndex,
    bool forceNoModify, int32_t minWrapWidth)
{
    const core::CellData& cell = s.Cell(row, colIndex);
    const core::CellLook& look = s.Look(cell);
    DcStateSaver saver(hdc);
    if (look.FontIndex != 0)
        if (const HFONT font = fonts.CellFont(s.Fonts(), look.FontIndex))
            SelectObject(hdc, font);
    const std::string text = core::CellTextOf(cell, look, s.Formats(), s.Combos());

    uint32_t flags = static_cast<uint32_t>(look.TextFlags) | DT_CALCRECT;
    Rect rc {};
    const bool wraps = (flags & tvTextWordBreak) != 0;
    if (wraps) {
        const int32_t width = s.Column(s.Columns().PositionOfIndex(colIndex)).Width;
        rc.right = std::max(width, minWrapWidth);
        if (rc.right == 0)
            rc.right = 1;
    }
    if (forceNoModify)
        flags &= ~kModifyingFlags;
    Rect measured = rc;
    DrawCellText(hdc, text, measured, flags);

    // A lone CR or LF breaks the line as CR LF does: such a text never fits on one
    // line, and widening it would go on for ever.
    if (wraps && text.find_first_of("\r\n") == std::string::npos && !text.empty()) {
        Rect line {};
        DrawCellText(hdc, "A", line, DT_CALCRECT);
        int32_t limit = s.Row(row).Height - 1;
        if (line.Height() > limit)
            limit = line.Height();
        while (measured.Height() > limit) {
            rc.right += 16;
            measured = rc;
            DrawCellText(hdc, text, measured, flags);
        }
    }
    return measured.Width();
}

}  // namespace tavix::paint
