#include "paint/auto_sizer.h"

#include "paint/cell_text.h"
#include "paint/text_measure.h"

#include <tavix/enums.h>
#include <tavix/events.h>

#include <algorithm>

namespace tavix::paint {

using namespace native;

namespace {

// A check box cell, and what the text room of a cell loses to its margins and
// grid line, its icons' gaps and a combo button.
constexpr int32_t kCheckBoxCellSize = 19;
constexpr int32_t kTextMargins = 3;
constexpr int32_t kIconGap = 2;
constexpr int32_t kComboButtonRoom = 20;

int32_t TypeOf(const core::CellData& c) { return c.Flags & core::CellData::kTypeMask; }

}  // namespace

int32_t AutoSizer::TextWidth(int32_t row, int32_t colIndex, bool forceNoModify)
{
    return MeasureTextWidth(table_, painter_.Fonts(), painter_.MeasuringDc(), row, colIndex, forceNoModify, 0);
}

int32_t AutoSizer::TextHeight(int32_t row, int32_t colIndex)
{
    const core::CellLook& look = table_.CellLookAt(row, colIndex);
    const std::string text = table_.CellText(row, colIndex);
    if (text.empty())
        return 0;
    const HDC hdc = painter_.MeasuringDc();
    DcStateSaver saver(hdc);
    if (look.FontIndex != 0)
        if (const HFONT font = painter_.Fonts().CellFont(table_.Fonts(), look.FontIndex))
            SelectObject(hdc, font);
    int32_t width = 0;
    if (colIndex == table_.RowTextCol()) {
        width = layout_.CellTextBoundary(row, colIndex, painter_.Look().iconWidth).width;
    } else {
        width = table_.Column(table_.Columns().PositionOfIndex(colIndex)).Width - kTextMargins - look.Indent
            - look.RightIndent;
        for (const int16_t icon : { look.Icon, look.ExtraIcon })
            if (icon >= 0)
                width -= painter_.Look().iconWidth + kIconGap;
    }
    Rect rc { 0, 0, width, 0 };
    DrawCellText(hdc, text, rc, static_cast<uint32_t>(look.TextFlags) | DT_CALCRECT);
    return rc.Height();
}

int32_t AutoSizer::CustomDrawSize(int32_t row, int32_t colIndex, bool height)
{
    int32_t w = 0, h = 0;
    table_.Events().CustomDrawCellGetSize(row, colIndex, w, h);
    return height ? h : w;
}

int32_t AutoSizer::CellWidth(int32_t row, int32_t colIndex, int32_t& widestText)
{
    const core::CellData& cell = table_.Cell(row, colIndex);
    switch (TypeOf(cell)) {
    case tvCellCheck: return kCheckBoxCellSize;
    case tvCellCustomDraw: return CustomDrawSize(row, colIndex, false);
    default: break;
    }
    const int32_t text
        = MeasureTextWidth(table_, painter_.Fonts(), painter_.MeasuringDc(), row, colIndex, true, widestText);
    widestText = std::max(widestText, text);
    const core::CellLook& look = table_.Look(cell);
    int32_t width = text + look.Indent + look.RightIndent + kTextMargins;
    for (const int16_t icon : { look.Icon, look.ExtraIcon })
        if (icon >= 0)
            width += painter_.Look().iconWidth + kIconGap;
    if (TypeOf(cell) == tvCellCombo)
        width += kComboButtonRoom;
    return width;
}

void AutoSizer::AutoWidthCol(int32_t colIndex)
{
    table_.Layout().InvalidateRange(core::RangeChange::Recompute);
    table_.Editor().CancelEdit();
    int32_t best = 0;
    int32_t widestText = 0;
    // A handler may remove rows while custom-drawn cells report their sizes.
    for (int32_t row = 1; row <= table_.RowCount() && colIndex <= table_.ColCount(); ++row)
        if (table_.Row(row).Visible)
            best = std::max(best, CellWidth(row, colIndex, widestText));
    if (colIndex > table_.ColCount())
        return;
    const int32_t position = table_.Columns().PositionOfIndex(colIndex);
    if (withHeader_ && header_ != nullptr)
        best = std::max(best, header_->NeededWidth(position));
    const core::ColumnData& c = table_.Column(position);
    if (c.MinWidth >= 0 && best < c.MinWidth)
        best = c.MinWidth;
    if (c.MaxWidth >= 0 && best > c.MaxWidth)
        best = c.MaxWidth;
    if (best > 0)
        table_.SetColWidth(GridVariant(colIndex), best);
}

void AutoSizer::AutoHeightRow(int32_t row, int32_t minimumHeight)
{
    if (minimumHeight == -1)
        minimumHeight = table_.DefaultRowHeight();
    const core::RowData& r = table_.Row(row);
    const int32_t rowTextCol = table_.RowTextCol();
    int32_t best = 0;
    int32_t normal = 0;
    if (r.IsGroup) {
        best = TextHeight(row, rowTextCol) + 3;
    } else {
        const bool rowText = layout_.RowTextInEffect();
        const int32_t rowTextHeight = rowText ? TextHeight(row, rowTextCol) + 1 : 0;
        const int32_t rowTextStart = layout_.GetRowTextStart().rowTextStartPos;
        for (int32_t p = 1; p <= table_.ColCount(); ++p) {
            const core::ColumnData& c = table_.Column(p);
            if (!c.Visible || c.Width < 1 || c.IsRowTextCol)
                continue;
            const core::CellData& cell = table_.Cell(row, c.Index);
            const core::CellLook& look = table_.Look(cell);
            int32_t h = 0;
            if (TypeOf(cell) == tvCellCheck) {
                h = kCheckBoxCellSize;
            } else if (TypeOf(cell) == tvCellCustomDraw) {
                h = CustomDrawSize(row, c.Index, true);
            } else {
                h = TextHeight(row, c.Index) + 1;
                if (look.Icon >= 0 || look.ExtraIcon >= 0)
                    h = std::max(h, painter_.Look().iconHeight + 3);
                if (rowText && p >= rowTextStart) {
                    normal = std::max(normal, h);
                    h += rowTextHeight;
                }
            }
            best = std::max(best, h);
            // A handler may have removed the row while reporting a size.
            if (row > table_.RowCount())
                return;
        }
        table_.SetRowNormalCellHeight(row, normal);
    }
    table_.SetRowHeight(row, std::max(best, minimumHeight));
}

}  // namespace tavix::paint
