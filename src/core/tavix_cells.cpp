// Cell members of the facade: each resolves the row before the column.
#include "core/grid_table.h"

#include <tavix/error.h>
#include <tavix/grid.h>

namespace tavix {

namespace {

using core::CellData;
using core::CellLook;

template <typename Value>
const Value& Field(const core::GridTable& t, const GridVariant& vRow, const GridVariant& vCol, Value CellLook::*field)
{
    const auto at = t.ResolveCell(vRow, vCol);
    return t.CellLookAt(at.row, at.colIndex).*field;
}

template <typename Value>
void SetField(core::GridTable& t, const GridVariant& vRow, const GridVariant& vCol, Value value, Value CellLook::*field)
{
    t.ChangeLook(t.ResolveCell(vRow, vCol), [&](CellLook& look) { look.*field = value; });
}

}  // namespace

GridVariant Tavix::CellValue(const GridVariant& vRow, const GridVariant& vCol) const
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return table_->Cell(at.row, at.colIndex).Value;
}

void Tavix::SetCellValue(const GridVariant& vRow, const GridVariant& vCol, const GridVariant& value)
{
    table_->SetCellValue(table_->ResolveCell(vRow, vCol), value);
}

std::string Tavix::CellCtrlKey(const GridVariant& vRow, const GridVariant& vCol) const
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return table_->Combos().KeyOfSlot(table_->CellLookAt(at.row, at.colIndex).CtrlKeyIndex);
}

void Tavix::SetCellCtrlKey(const GridVariant& vRow, const GridVariant& vCol, const std::string& sKey)
{
    table_->SetCellCtrlKey(table_->ResolveCell(vRow, vCol), sKey);
}

CombosObject& Tavix::Combos() { return table_->Combos(); }

int32_t Tavix::CellTextFlags(const GridVariant& vRow, const GridVariant& vCol) const
{
    return Field(*table_, vRow, vCol, &CellLook::TextFlags);
}

void Tavix::SetCellTextFlags(const GridVariant& vRow, const GridVariant& vCol, int32_t eFlags)
{
    SetField(*table_, vRow, vCol, eFlags, &CellLook::TextFlags);
}

int16_t Tavix::CellIndent(const GridVariant& vRow, const GridVariant& vCol) const
{
    return Field(*table_, vRow, vCol, &CellLook::Indent);
}

void Tavix::SetCellIndent(const GridVariant& vRow, const GridVariant& vCol, int16_t iIndent)
{
    SetField(*table_, vRow, vCol, iIndent, &CellLook::Indent);
}

int16_t Tavix::CellIcon(const GridVariant& vRow, const GridVariant& vCol) const
{
    return Field(*table_, vRow, vCol, &CellLook::Icon);
}

void Tavix::SetCellIcon(const GridVariant& vRow, const GridVariant& vCol, int16_t iIcon)
{
    SetField(*table_, vRow, vCol, iIcon, &CellLook::Icon);
}

OleColor Tavix::CellBackColor(const GridVariant& vRow, const GridVariant& vCol) const
{
    return Field(*table_, vRow, vCol, &CellLook::BackColor);
}

void Tavix::SetCellBackColor(const GridVariant& vRow, const GridVariant& vCol, OleColor oColor)
{
    SetField(*table_, vRow, vCol, oColor, &CellLook::BackColor);
}

std::string Tavix::CellFmtString(const GridVariant& vRow, const GridVariant& vCol) const
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return table_->Formats().At(table_->CellLookAt(at.row, at.colIndex).FmtIndex);
}

void Tavix::SetCellFmtString(const GridVariant& vRow, const GridVariant& vCol, const std::string& sFmt)
{
    table_->SetCellFmtString(table_->ResolveCell(vRow, vCol), sFmt);
}

void Tavix::SetCellFont(const GridVariant& vRow, const GridVariant& vCol, const FontRef& oFont)
{
    table_->SetCellFont(table_->ResolveCell(vRow, vCol), oFont);
}

void Tavix::CellDefaultFont(const GridVariant& vRow, const GridVariant& vCol)
{
    SetField(*table_, vRow, vCol, int16_t { 0 }, &CellLook::FontIndex);
}

FontRef Tavix::CellFont(const GridVariant& vRow, const GridVariant& vCol)
{
    return table_->CellFontObject(table_->ResolveCell(vRow, vCol));
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

std::string Tavix::CellText(const GridVariant& vRow, const GridVariant& vCol) const
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return table_->CellText(at.row, at.colIndex);
}

int16_t Tavix::CellRightIndent(const GridVariant& vRow, const GridVariant& vCol) const
{
    return Field(*table_, vRow, vCol, &CellLook::RightIndent);
}

void Tavix::SetCellRightIndent(const GridVariant& vRow, const GridVariant& vCol, int16_t iIndent)
{
    SetField(*table_, vRow, vCol, iIndent, &CellLook::RightIndent);
}

ECellTypes Tavix::CellType(const GridVariant& vRow, const GridVariant& vCol) const
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return static_cast<ECellTypes>(table_->Cell(at.row, at.colIndex).Flags & CellData::kTypeMask);
}

void Tavix::SetCellType(const GridVariant& vRow, const GridVariant& vCol, ECellTypes eType)
{
    table_->SetCellType(table_->ResolveCell(vRow, vCol), eType);
}

int32_t Tavix::CellTypeFlags(const GridVariant& vRow, const GridVariant& vCol) const
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return table_->Cell(at.row, at.colIndex).Flags & CellData::kTypeFlagsMask;
}

void Tavix::SetCellTypeFlags(const GridVariant& vRow, const GridVariant& vCol, int32_t eFlags)
{
    table_->ChangeCell(table_->ResolveCell(vRow, vCol),
        [&](CellData& c) { c.Flags = static_cast<uint8_t>((c.Flags & ~CellData::kTypeFlagsMask) | (eFlags & 0xFF)); });
}

bool Tavix::CellSelected(const GridVariant& vRow, const GridVariant& vCol) const
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return (table_->Cell(at.row, at.colIndex).Flags & CellData::kSelected) != 0;
}

int16_t Tavix::CellExtraIcon(const GridVariant& vRow, const GridVariant& vCol) const
{
    return Field(*table_, vRow, vCol, &CellLook::ExtraIcon);
}

void Tavix::SetCellExtraIcon(const GridVariant& vRow, const GridVariant& vCol, int16_t iIcon)
{
    SetField(*table_, vRow, vCol, iIcon, &CellLook::ExtraIcon);
}

OleColor Tavix::CellForeColor(const GridVariant& vRow, const GridVariant& vCol) const
{
    return Field(*table_, vRow, vCol, &CellLook::ForeColor);
}

void Tavix::SetCellForeColor(const GridVariant& vRow, const GridVariant& vCol, OleColor oColor)
{
    SetField(*table_, vRow, vCol, oColor, &CellLook::ForeColor);
}

void Tavix::CellDefaultBackColor(int32_t lRow, const GridVariant& vCol)
{
    SetField(*table_, GridVariant(lRow), vCol, kColorDefault, &CellLook::BackColor);
}

void Tavix::CellDefaultForeColor(int32_t lRow, const GridVariant& vCol)
{
    SetField(*table_, GridVariant(lRow), vCol, kColorDefault, &CellLook::ForeColor);
}

EHatchStyles Tavix::CellHatch(const GridVariant& vRow, const GridVariant& vCol) const
{
    const auto at = table_->ResolveCell(vRow, vCol);
    return static_cast<EHatchStyles>(table_->CellLookAt(at.row, at.colIndex).Hatch);
}

void Tavix::SetCellHatch(const GridVariant& vRow, const GridVariant& vCol, EHatchStyles eHatch)
{
    SetField(*table_, vRow, vCol, static_cast<uint8_t>(eHatch), &CellLook::Hatch);
}

}  // namespace tavix
