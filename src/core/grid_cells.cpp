#include <tavix/grid.h>

#include "grid_state.h"

#include <tavix/error.h>

namespace tavix {
namespace {

// Resolves the row before the column, as every cell member does, and hands out the cell.
struct CellRef {
    int32_t row;
    int32_t col;
};

CellRef Resolve(const core::GridState& s, const GridVariant& vRow, const GridVariant& vCol)
{
    const int32_t row = s.ResolveRow(vRow);
    return { row, s.ResolveCol(vCol) };
}

template <typename Apply>
void ChangeCell(core::GridState& s, const GridVariant& vRow, const GridVariant& vCol, Apply apply)
{
    const CellRef at = Resolve(s, vRow, vCol);
    apply(s.cells.At(at.row, at.col));
    s.MarkCellChanged(at.row, at.col);
    s.view->Draw();
}

}  // namespace

GridVariant Tavix::CellValue(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).Value;
}

void Tavix::SetCellValue(const GridVariant& vRow, const GridVariant& vCol, const GridVariant& value)
{
    ChangeCell(*state_, vRow, vCol, [&](core::CellData& c) { c.Value = value; });
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

uint32_t Tavix::CellBackColor(const GridVariant& vRow, const GridVariant& vCol) const
{
    const CellRef at = Resolve(*state_, vRow, vCol);
    return state_->cells.At(at.row, at.col).BackColor;
}

void Tavix::SetCellBackColor(const GridVariant& vRow, const GridVariant& vCol, uint32_t oColor)
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
    case tvCellText:
        return GridVariant(std::string());
    case tvCellCombo:
    case tvCellCustomDraw:
        return GridVariant();
    case tvCellCheck:
        return GridVariant(int32_t { 0 });
    }
    RaiseGridError(tvErrInvalidArgument);
}

}  // namespace tavix
