#include "paint/overflow_rects.h"

#include <tavix/enums.h>

#include "core/cell_text.h"
#include "paint/text_measure.h"

namespace tavix::paint {

namespace {

bool IsNormalColumn(const core::ColumnData& c) { return c.Visible && c.Width >= 1 && !c.IsRowTextCol; }

bool IsNoClipText(const core::CellData& cell, const core::CellLook& look)
{
    return (cell.Flags & core::CellData::kTypeMask) == tvCellText && (look.TextFlags & tvTextNoClip) != 0;
}

// Grows entry `p` over the unoccupied positions in direction `step` until the
// accumulated width exceeds `needed` (no limit when needed < 0).
void Extend(const core::GridTable& s, std::vector<OverflowRect>& e, int32_t p, int32_t step, int32_t needed)
{
    int32_t width = s.Column(p).Width;
    for (int32_t q = p + step; q >= 1 && q < static_cast<int32_t>(e.size()) && !e[q].occupied; q += step) {
        // The line between the two positions goes: the left one's right edge.
        e[step > 0 ? q - 1 : q].noLine = true;
        const core::ColumnData& c = s.Column(q);
        if (IsNormalColumn(c)) {
            if (step > 0)
                e[p].right = c.Left + c.Width;
            else
                e[p].left = c.Left;
            width += c.Width;
        }
        if (needed >= 0 && width > needed)
            break;
    }
}

}  // namespace

std::vector<OverflowRect> ComputeOverflowRects(const core::GridTable& s, const layout::ViewLayout& layout,
    int32_t iconWidth, FontCache& fonts, native::HDC hdc, int32_t row)
{
    const int32_t count = s.ColCount();
    std::vector<OverflowRect> e(static_cast<size_t>(count) + 1);
    for (int32_t p = 1; p <= count; ++p) {
        const core::ColumnData& c = s.Column(p);
        e[p].left = c.Left;
        e[p].right = c.Left + c.Width;
        if (!IsNormalColumn(c))
            continue;
        const core::CellData& cell = s.Cell(row, c.Index);
        const core::CellLook& look = s.Look(cell);
        e[p].text = core::CellTextOf(cell, look, s.Formats(), s.Combos());
        e[p].occupied = (cell.Flags & core::CellData::kTypeMask) != tvCellText || look.Icon >= 0 || look.ExtraIcon >= 0
            || !e[p].text.empty();
    }
    for (int32_t p = 1; p <= count; ++p) {
        const core::ColumnData& c = s.Column(p);
        if (!IsNormalColumn(c))
            continue;
        const core::CellData& cell = s.Cell(row, c.Index);
        const core::CellLook& look = s.Look(cell);
        if (!IsNoClipText(cell, look))
            continue;
        int32_t needed = MeasureTextWidth(s, fonts, hdc, row, c.Index, false, 0) + 1;
        for (const int16_t icon : { look.Icon, look.ExtraIcon })
            if (icon >= 0)
                needed += iconWidth + 2;
        if (look.TextFlags & tvTextCenter) {
            Extend(s, e, p, +1, -1);
        } else if (look.TextFlags & tvTextRight) {
            needed += look.RightIndent;
            if (needed > c.Width)
                Extend(s, e, p, -1, needed);
        } else {
            needed += look.Indent;
            if (needed > c.Width)
                Extend(s, e, p, +1, needed);
        }
    }
    for (int32_t p = 1; p <= count; ++p) {
        e[p].left -= layout.ScrollX();
        e[p].right -= layout.ScrollX();
    }
    return e;
}

}  // namespace tavix::paint
