#include <tavix/grid.h>

#include "cell_text.h"
#include "grid_state.h"

#include <tavix/error.h>

namespace tavix {
namespace {

// Resolves the row before the column, as every cell member does, and hands out the cell.
struct CellRef {
    int32_t row;
    int32_t col;
};

// Whole numbers need no rounding; fill loops pass them for every cell, so they
// skip the general conversion.
int32_t WholeNumberOr(const GridVariant& v, int32_t none)
{
    switch (v.VarType()) {
    case VtLong: return v.AsLong();
    case VtInteger: return v.AsInteger();
    default: return none;
    }
}

CellRef Resolve(const core::GridState& s, const GridVariant& vRow, const GridVariant& vCol)
{
    int32_t row = WholeNumberOr(vRow, -1);
    if (row < 0)
        row = s.ResolveRow(vRow);
    else
        s.CheckRowIndex(row);
    int32_t col = WholeNumberOr(vCol, -1);
    if (col < 0)
        col = s.ResolveCol(vCol);
    else
        s.CheckColIndex(col);
    return { row, col };
}

template <typename Apply>
void ChangeCell(core::GridState& s, const GridVariant& vRow, const GridVariant& vCol, Apply apply)
{
    const CellRef at = Resolve(s, vRow, vCol);
    apply(s.cells.At(at.row, at.col));
    s.MarkCellChanged(at.row, at.col);
    s.view->Draw();
}

void MatchComboItem(core::GridState& s, core::CellData& c)
{
    if ((c.Flags & core::CellData::kTypeMask) != tvCellCombo)
        return;
    const auto [item, icon] = s.FindComboItem(c.Value, c.CtrlKeyIndex);
    c.ComboItemIndex = item;
    c.Icon = icon;
}

}  // namespace

std::string Tavix::CellCtrlKey(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->combos.KeyOfSlot(state_->cells.At(at.row, at.col).CtrlKeyIndex);
}

void Tavix::SetCellCtrlKey(const GridVariant& vRow, const GridVariant& vCol, const std::string& sKey)
{
    auto& s = *state_;
    const CellRef at = Resolve(s, vRow, vCol);
    core::CellData& c = s.cells.At(at.row, at.col);
    if ((c.Flags & core::CellData::kTypeMask) != tvCellCombo)
        return;
    // Binding a list is not a visible change until the value is edited.
    c.CtrlKeyIndex = static_cast<int16_t>(s.FindComboListByKey(sKey));
    MatchComboItem(s, c);
}

CombosObject& Tavix::Combos() { return state_->combos; }

GridVariant Tavix::CellValue(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).Value;
}

void Tavix::SetCellValue(const GridVariant& vRow, const GridVariant& vCol, const GridVariant& value)
{
    auto& s = *state_;
    ChangeCell(s, vRow, vCol, [&](core::CellData& c) {
        c.Value = value;
        MatchComboItem(s, c);
    });
}

int32_t Tavix::CellTextFlags(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).TextFlags;
}

void Tavix::SetCellTextFlags(const GridVariant& vRow, const GridVariant& vCol, int32_t eFlags)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.TextFlags = eFlags; });
}

int16_t Tavix::CellIndent(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).Indent;
}

void Tavix::SetCellIndent(const GridVariant& vRow, const GridVariant& vCol, int16_t iIndent)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.Indent = iIndent; });
}

int16_t Tavix::CellIcon(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).Icon;
}

void Tavix::SetCellIcon(const GridVariant& vRow, const GridVariant& vCol, int16_t iIcon)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.Icon = iIcon; });
}

OleColor Tavix::CellBackColor(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).BackColor;
}

void Tavix::SetCellBackColor(const GridVariant& vRow, const GridVariant& vCol, OleColor oColor)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.BackColor = oColor; });
}

std::string Tavix::CellFmtString(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->formats.At(state_->cells.At(at.row, at.col).FmtIndex);
}

void Tavix::SetCellFmtString(const GridVariant& vRow, const GridVariant& vCol, const std::string& sFmt)
{
    auto& s = *state_;
    ChangeCell(s, vRow, vCol, [&](core::CellData& c) { c.FmtIndex = s.formats.IndexOf(sFmt); });
}

void Tavix::SetCellFont(const GridVariant& vRow, const GridVariant& vCol, const FontRef& oFont)
{
    auto& s = *state_;
    ChangeCell(s, vRow, vCol, [&](core::CellData& c) { c.FontIndex = s.fonts.IndexOf(oFont); });
}

void Tavix::CellDefaultFont(const GridVariant& vRow, const GridVariant& vCol)
{
    ChangeCell(*state_, vRow, vCol, [](core::CellData& c) { c.FontIndex = 0; });
}

GridVariant Tavix::InitValue(ECellTypes eCellType) const
{
    switch (eCellType) {
    case tvCellText: return GridVariant(std::string());
    case tvCellCombo:
    case tvCellCustomDraw: return GridVariant();
    case tvCellCheck: return GridVariant(int32_t { 0 });
    }
    RaiseGridError(tvErrInvalidArgument);
}

}  // namespace tavix

namespace tavix {

std::string Tavix::CellText(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return core::CellTextOf(state_->cells.At(at.row, at.col), state_->formats, state_->combos);
}

int16_t Tavix::CellRightIndent(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).RightIndent;
}

void Tavix::SetCellRightIndent(const GridVariant& vRow, const GridVariant& vCol, int16_t iIndent)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.RightIndent = iIndent; });
}

ECellTypes Tavix::CellType(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return static_cast<ECellTypes>(state_->cells.At(at.row, at.col).Flags & core::CellData::kTypeMask);
}

void Tavix::SetCellType(const GridVariant& vRow, const GridVariant& vCol, ECellTypes eType)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) {
        c.Flags = static_cast<uint8_t>((c.Flags & 0xF8) | (eType & 0xFF) | core::CellData::kNeedsRepaint);
        MatchComboItem(*state_, c);
    });
}

int32_t Tavix::CellTypeFlags(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).Flags & core::CellData::kTypeFlagsMask;
}

void Tavix::SetCellTypeFlags(const GridVariant& vRow, const GridVariant& vCol, int32_t eFlags)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) {
        c.Flags = static_cast<uint8_t>((c.Flags & 0xC7) | (eFlags & 0xFF) | core::CellData::kNeedsRepaint);
    });
}

bool Tavix::CellSelected(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return (state_->cells.At(at.row, at.col).Flags & core::CellData::kSelected) != 0;
}

int16_t Tavix::CellExtraIcon(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).ExtraIcon;
}

void Tavix::SetCellExtraIcon(const GridVariant& vRow, const GridVariant& vCol, int16_t iIcon)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.ExtraIcon = iIcon; });
}

OleColor Tavix::CellForeColor(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).ForeColor;
}

void Tavix::SetCellForeColor(const GridVariant& vRow, const GridVariant& vCol, OleColor oColor)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.ForeColor = oColor; });
}

void Tavix::CellDefaultBackColor(int32_t lRow, const GridVariant& vCol)
{
    ChangeCell(*state_, GridVariant(lRow), vCol, [](core::CellData& c) { c.BackColor = 0xFFFFFFFFu; });
}

void Tavix::CellDefaultForeColor(int32_t lRow, const GridVariant& vCol)
{
    ChangeCell(*state_, GridVariant(lRow), vCol, [](core::CellData& c) { c.ForeColor = 0xFFFFFFFFu; });
}

EHatchStyles Tavix::CellHatch(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return static_cast<EHatchStyles>(state_->cells.At(at.row, at.col).Hatch);
}

void Tavix::SetCellHatch(const GridVariant& vRow, const GridVariant& vCol, EHatchStyles eHatch)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.Hatch = static_cast<uint8_t>(eHatch); });
}

FontRef Tavix::CellFont(const GridVariant& vRow, const GridVariant& vCol)
{
    auto& s = *state_;
    const CellRef at = Resolve(s, vRow, vCol);
    s.fontEditRow = at.row;
    s.fontEditCol = at.col;
    const int16_t index = s.cells.At(at.row, at.col).FontIndex;
    s.fontEditObject = (index == 0 ? s.font : s.fonts.At(index)).Clone();
    // Replacing the subscription drops the watch on the copy handed out before.
    s.fontEditWatch = s.fontEditObject->OnChanged([&s] {
        if (s.fontEditRow > s.rowCount || s.fontEditCol > s.ColCount())
            return;
        s.cells.At(s.fontEditRow, s.fontEditCol).FontIndex = s.fonts.IndexOf(*s.fontEditObject);
        s.MarkCellChanged(s.fontEditRow, s.fontEditCol);
        s.view->Draw();
    });
    return *s.fontEditObject;
}

}  // namespace tavix
