#include "paint/row_painter.h"

#include "paint/grid_painter.h"

#include <tavix/enums.h>

namespace tavix::paint {

using namespace native;

namespace {

constexpr OleColor kNone = kColorDefault;

bool IsOverflowCell(const core::CellData& cell, const core::CellLook& look)
{
    return (cell.Flags & core::CellData::kTypeMask) == tvCellText && (look.TextFlags & tvTextNoClip) != 0;
}

// The cell's own clip; the previous one comes back with the saver.
void ClipTo(HDC hdc, const Rect& rc)
{
    UniqueGdiObject rgn(CreateRectRgnIndirect(rc));
    SelectClipRgn(hdc, rgn);
}

}  // namespace

bool RowPainter::Highlighted(const core::CellData& cell) const
{
    return (cell.Flags & core::CellData::kSelected) && ctx_.enabled && ctx_.look.highlightSelCells;
}

void RowPainter::Paint(const RowPlan& plan) const
{
    const core::GridTable& s = ctx_.table;
    const core::RowData& row = s.Row(plan.row);
    const HDC hdc = ctx_.surface;
    const int32_t bottom = plan.top + row.Height;
    // Without a buffer the whole client area was filled before the rows.
    if (ctx_.buffered)
        ctx_.FillBackground(hdc, ctx_.band, 0, plan.clientY - plan.top);
    ctx_.FillRowBand(hdc, plan.row, { 0, plan.top, ctx_.rightEdge, bottom });
    if (!row.IsGroup) {
        for (int32_t p = plan.firstPos; p <= plan.lastPos; ++p)
            PaintCell(plan, 1, p);
        if (!plan.overflow.empty())
            for (int32_t p = plan.firstPos; p <= plan.lastPos; ++p)
                PaintCell(plan, 2, p);
    }
    if (s.RowTextCol() > 0 && (row.IsGroup || ctx_.rowTextInEffect))
        PaintRowText(plan);
    if (!row.IsGroup && s.RowMode() && ctx_.look.focusRect && ctx_.enabled && ctx_.focused && plan.row == s.CurRow())
        ctx_.DrawFocusFrame(hdc, { ctx_.highlightLeft, plan.top, ctx_.rightEdge, bottom });
    ctx_.DrawExtensionLine(hdc, bottom);
}

void RowPainter::PaintCell(const RowPlan& plan, int pass, int32_t pos) const
{
    const core::GridTable& s = ctx_.table;
    const core::ColumnData& col = s.Column(pos);
    if (!col.Visible || col.IsRowTextCol)
        return;
    const core::CellData& cell = s.Cell(plan.row, col.Index);
    const core::CellLook& look = s.Look(cell);
    const bool overflowCell = !plan.overflow.empty() && IsOverflowCell(cell, look);
    if (pass == 2 && !overflowCell)
        return;

    const core::RowData& row = s.Row(plan.row);
    Rect rc { col.Left - ctx_.layout.ScrollX(), plan.top, col.Left + col.Width - ctx_.layout.ScrollX(),
        plan.top + row.Height };
    if (ctx_.rowTextInEffect && pos >= ctx_.rowTextStart.rowTextStartPos)
        rc.bottom = plan.top + row.NormalCellHeight;
    if (pass == 2) {
        rc.left = plan.overflow[pos].left;
        rc.right = plan.overflow[pos].right;
    }
    const HDC hdc = ctx_.surface;
    DcStateSaver saver(hdc);
    ClipTo(hdc, rc);

    Rect text { rc.left, rc.top + 1, rc.right - 1, rc.bottom - 2 };
    if (pass == 2) {
        if (look.TextFlags & tvTextRight)
            text.right -= look.RightIndent;
        else if (!(look.TextFlags & tvTextCenter))
            text.left += look.Indent;
    } else {
        text = { rc.left + 1 + look.Indent, rc.top + 1, rc.right - 2 - look.RightIndent, rc.bottom - 2 };
    }

    bool highlighted = Highlighted(cell);
    if (pass == 1) {
        highlighted = highlighted && pos >= ctx_.rowTextStart.firstSelectablePos;
        FillCellBackground(hdc, look, rc, highlighted);
    } else {
        highlighted = highlighted && s.RowMode();
    }
    if ((pass == 1) != overflowCell)
        content_.Draw(hdc, { plan.row, col.Index, rc, text, highlighted, false });
    if (pass == 2)
        return;

    DrawCellGridLines(plan, pos, rc);
    if (plan.row == s.CurRow() && col.Index == s.CurCol() && ctx_.enabled && ctx_.focused && ctx_.look.focusRect
        && !ctx_.painter.EditActive() && !s.RowMode())
        ctx_.DrawFocusFrame(hdc, rc);
}

void RowPainter::FillCellBackground(HDC hdc, const core::CellLook& look, const Rect& rc, bool highlighted) const
{
    if (highlighted) {
        FillRect(hdc, rc, ctx_.highlightBrush);
        return;
    }
    if (!ctx_.enabled || look.BackColor == kNone)
        return;
    if (look.Hatch == tvHatchNone) {
        FillRect(hdc, rc, BrushFor(look.BackColor));
        return;
    }
    // Only the hatch lines: the band shows between them.
    DcStateSaver saver(hdc);
    SetBkColor(hdc, Translate(ctx_.look.backColor));
    SetBkMode(hdc, TRANSPARENT);
    UniqueGdiObject hatch(CreateHatchBrush(look.Hatch, Translate(look.BackColor)));
    FillRect(hdc, rc, hatch);
}

void RowPainter::DrawCellGridLines(const RowPlan& plan, int32_t pos, const Rect& rc) const
{
    const int32_t lines = ctx_.look.gridLines;
    if (ctx_.rowTextInEffect && pos >= ctx_.rowTextStart.rowTextStartPos) {
        const bool vertical = lines == tvGridLinesVertical || lines == tvGridLinesBoth;
        if (pos == ctx_.lastVisiblePos ? vertical : lines == tvGridLinesBoth)
            ctx_.DrawGridLineFrame(ctx_.surface, rc, false);
        return;
    }
    ctx_.DrawGridLineFrame(ctx_.surface, rc, !plan.overflow.empty() && plan.overflow[pos].noLine);
}

void RowPainter::PaintRowText(const RowPlan& plan) const
{
    const core::GridTable& s = ctx_.table;
    const core::RowData& row = s.Row(plan.row);
    const core::CellData& cell = s.Cell(plan.row, s.RowTextCol());
    const core::CellLook& look = s.Look(cell);
    const int32_t startPos
        = row.IsGroup ? ctx_.layout.GroupStartPos(row.GroupStartCol) : ctx_.rowTextStart.rowTextStartPos;
    const Rect rc { s.Column(startPos).Left - ctx_.layout.ScrollX(),
        plan.top + (row.IsGroup ? 0 : row.NormalCellHeight), ctx_.rightEdge, plan.top + row.Height };
    const HDC hdc = ctx_.surface;
    const bool highlighted = Highlighted(cell);
    FillCellBackground(hdc, look, rc, highlighted);
    const Rect text { rc.left + 1 + look.Indent, rc.top + 1, rc.right - 2 - look.RightIndent, rc.bottom - 2 };
    content_.Draw(hdc, { plan.row, s.RowTextCol(), rc, text, highlighted, true });
    ctx_.DrawGridLineFrame(hdc, rc, false);
    if (row.IsGroup && plan.row == s.CurRow() && s.CurCol() == s.RowTextCol() && ctx_.enabled && ctx_.focused
        && ctx_.look.focusRect && !ctx_.painter.EditActive())
        ctx_.DrawFocusFrame(hdc, rc);
}

}  // namespace tavix::paint
