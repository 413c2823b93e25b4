#include "paint/cell_content.h"

#include <algorithm>
#include <string>

#include <tavix/enums.h>

#include "core/cell_text.h"
#include "paint/cell_controls.h"
#include "paint/cell_icon.h"
#include "paint/cell_text.h"
#include "paint/grid_painter.h"

namespace tavix::paint {

using namespace native;

namespace {

constexpr OleColor kNone = kColorDefault;
constexpr int32_t kComboButtonRoom = 17;

int32_t TypeOf(const core::CellData& c) { return c.Flags & core::CellData::kTypeMask; }
int32_t TypeFlagsOf(const core::CellData& c) { return c.Flags & core::CellData::kTypeFlagsMask; }

}  // namespace

COLORREF CellContent::TextColor(const core::CellData& cell, bool highlighted) const
{
    if (highlighted)
        return ctx_.highlightFore;
    const core::CellLook& look = ctx_.table.Look(cell);
    return Translate(look.ForeColor != kNone ? look.ForeColor : ctx_.look.foreColor);
}

bool CellContent::IsHot(const CellPaint& p) const
{
    return ctx_.painter.HotControl() == core::CellRef { p.row, p.colIndex };
}

bool CellContent::ShowsControl(const CellPaint& p) const { return ctx_.painter.ShowsCellControl(p.row, p.colIndex); }

void CellContent::Draw(HDC hdc, const CellPaint& args) const
{
    CellPaint p = args;
    const core::CellData& cell = ctx_.table.Cell(p.row, p.colIndex);
    const int32_t type = TypeOf(cell);
    if (type == tvCellCustomDraw) {
        SetTextColor(hdc, TextColor(cell, p.highlighted));
        SetBkMode(hdc, TRANSPARENT);
        if (TavixEvents* sink = ctx_.table.GetHost().EventSink()) {
            const Rect& r = p.cellRect;
            // Row text reports the selected flag itself, cells their highlighted state.
            const bool selected = p.rowText ? (cell.Flags & core::CellData::kSelected) != 0 : p.highlighted;
            sink->CustomDrawCell(p.row, p.colIndex, hdc, r.left, r.top, r.right, r.bottom, selected);
        }
        return;
    }
    if (!p.textRect.IsEmpty())
        DrawIcons(hdc, cell, p);
    if (type == tvCellCheck && !p.rowText) {
        DrawCheckBox(hdc, cell, p);
        return;
    }
    DrawText(hdc, cell, p);
    if (type == tvCellCombo && !p.rowText && ShowsControl(p))
        DrawComboButton(hdc, cell, p);
}

void CellContent::DrawIcons(HDC hdc, const core::CellData& cell, CellPaint& p) const
{
    const auto& look = ctx_.look;
    const int32_t w = ctx_.look.iconWidth, h = ctx_.look.iconHeight;
    const bool disabled = !ctx_.enabled && look.disableIcons;
    const bool blended = !disabled && (cell.Flags & core::CellData::kSelected) && look.highlightSelIcons;
    const core::CellLook& cellLook = ctx_.table.Look(cell);
    for (const int16_t icon : { cellLook.ExtraIcon, cellLook.Icon }) {
        if (icon < 0)
            continue;
        const Rect& t = p.textRect;
        const int32_t cx = p.rowText ? std::max(0, std::min(w, t.Width())) : w;
        const int32_t cy = p.rowText ? std::max(0, std::min(h, t.Height())) : h;
        DrawCellIcon(look.imageList, icon, hdc, t.left, t.top, cx, cy, disabled, blended);
        p.textRect.left += w + 2;
    }
}

void CellContent::DrawText(HDC hdc, const core::CellData& cell, CellPaint& p) const
{
    const core::GridTable& s = ctx_.table;
    const core::CellLook& look = s.Look(cell);
    const std::string text = core::CellTextOf(cell, look, s.Formats(), s.Combos());
    if (text.empty())
        return;
    DcStateSaver saver(hdc);
    SetTextColor(hdc, TextColor(cell, p.highlighted));
    if (look.FontIndex != 0)
        if (const HFONT font = ctx_.res.fonts.CellFont(s.Fonts(), look.FontIndex))
            SelectObject(hdc, font);
    Rect rc = p.textRect;
    if (TypeOf(cell) == tvCellCombo && !p.rowText && ShowsControl(p))
        rc.right -= kComboButtonRoom;
    if (look.Hatch != tvHatchNone && !p.highlighted && ctx_.enabled) {
        SetBkMode(hdc, ctx_.look.opaqueTextInHatchedCells ? OPAQUE : TRANSPARENT);
        SetBkColor(hdc, Translate(ctx_.look.backColor));
    }
    rc = rc.Inflate(0, 1);
    const uint32_t flags = p.rowText ? look.TextFlags : (look.TextFlags & ~static_cast<uint32_t>(tvTextNoClip));
    Rect drawn = rc;
    DrawCellText(hdc, text, drawn, flags);
    SetBkMode(hdc, TRANSPARENT);
    const SearchHighlight& search = ctx_.painter.Search();
    if (search.prefixLength > 0 && ctx_.enabled && p.row == s.CurRow() && p.colIndex == search.cell.colIndex
        && search.cell.row == p.row)
        DrawSearchPrefix(hdc, text.substr(0, Utf8Prefix(text, search.prefixLength)), rc, flags);
}

void CellContent::DrawSearchPrefix(HDC hdc, const std::string& prefix, Rect rc, uint32_t flags) const
{
    SetBkMode(hdc, OPAQUE);
    SetTextColor(hdc, Translate(ctx_.look.foreColor));
    SetBkColor(hdc, Translate(ctx_.look.backColor));
    DrawCellText(hdc, prefix, rc, flags);
    SetBkMode(hdc, TRANSPARENT);
}

void CellContent::DrawCheckBox(HDC hdc, const core::CellData& cell, const CellPaint& p) const
{
    ThemeState& theme = ctx_.res.theme;
    const Rect box = CheckBoxRect(p.cellRect, theme.CheckBoxSize());
    const int32_t flags = TypeFlagsOf(cell);
    const int state = core::CheckStateOf(cell.Value, (flags & tvCheckBox3State) != 0);
    theme.Strips().DrawCheckBox(hdc, box, state, (flags & tvCheckBoxFlat) != 0, IsHot(p));
}

void CellContent::DrawComboButton(HDC hdc, const core::CellData& cell, const CellPaint& p) const
{
    const bool pressed = p.row == ctx_.table.CurRow() && p.colIndex == ctx_.table.CurCol() && ctx_.painter.EditActive();
    const bool flat = (TypeFlagsOf(cell) & tvComboBtnFlat) != 0;
    ctx_.res.theme.Strips().DrawComboButton(hdc, ComboButtonRect(p.cellRect), pressed, flat, IsHot(p));
}

}  // namespace tavix::paint
