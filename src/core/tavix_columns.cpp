// Column members of the facade.
#include "core/grid_table.h"

#include <tavix/grid.h>

namespace tavix {

CellObject& Tavix::AddCol(const std::string& sKey, const std::string& sHeader, ETextFormatFlags eHdrTextFlags,
    int16_t iIconIndex, int32_t lWidth, bool bVisible, const GridVariant& vColBefore, bool bIncludeInSelect,
    bool bRowTextCol, ESortTypes eSortType, int16_t lMinWidth, int16_t lMaxWidth, bool bAllowSizing,
    const GridVariant& vTag)
{
    return AddCol(AddColArgs { sKey, sHeader, eHdrTextFlags, iIconIndex, lWidth, bVisible, vColBefore, bIncludeInSelect,
        bRowTextCol, eSortType, lMinWidth, lMaxWidth, bAllowSizing, vTag });
}

CellObject& Tavix::AddCol(const AddColArgs& args) { return table_->AddCol(args); }
void Tavix::RemoveCol(const GridVariant& vCol) { table_->RemoveCol(vCol); }
int32_t Tavix::ColOrder(const GridVariant& vCol) const { return table_->ColPosition(vCol); }
void Tavix::SetColOrder(const GridVariant& vCol, int32_t lPosition) { table_->SetColOrder(vCol, lPosition); }
std::string Tavix::ColKey(int32_t lCol) const { return table_->Column(table_->ColPosition(GridVariant(lCol))).Key; }
void Tavix::SetColKey(int32_t lCol, const std::string& sKey) { table_->SetColKey(lCol, sKey); }
GridVariant Tavix::ColTag(const GridVariant& vCol) const { return table_->Column(table_->ColPosition(vCol)).Tag; }
void Tavix::SetColTag(const GridVariant& vCol, const GridVariant& vTag) { table_->SetColTag(vCol, vTag); }
int32_t Tavix::ColWidth(const GridVariant& vCol) const { return table_->Column(table_->ColPosition(vCol)).Width; }
void Tavix::SetColWidth(const GridVariant& vCol, int32_t lWidth) { table_->SetColWidth(vCol, lWidth); }
int32_t Tavix::ColMinWidth(const GridVariant& vCol) const { return table_->Column(table_->ColPosition(vCol)).MinWidth; }
void Tavix::SetColMinWidth(const GridVariant& vCol, int32_t lWidth) { table_->SetColMinWidth(vCol, lWidth); }
int32_t Tavix::ColMaxWidth(const GridVariant& vCol) const { return table_->Column(table_->ColPosition(vCol)).MaxWidth; }
void Tavix::SetColMaxWidth(const GridVariant& vCol, int32_t lWidth) { table_->SetColMaxWidth(vCol, lWidth); }

bool Tavix::ColAllowSizing(const GridVariant& vCol) const
{
    return table_->Column(table_->ColPosition(vCol)).AllowSizing;
}

void Tavix::SetColAllowSizing(const GridVariant& vCol, bool bAllow) { table_->SetColAllowSizing(vCol, bAllow); }
bool Tavix::ColVisible(const GridVariant& vCol) const { return table_->Column(table_->ColPosition(vCol)).Visible; }
void Tavix::SetColVisible(const GridVariant& vCol, bool bVisible) { table_->SetColVisible(vCol, bVisible); }

std::string Tavix::ColHeaderText(const GridVariant& vCol) const
{
    return table_->Column(table_->ColPosition(vCol)).HeaderText;
}

void Tavix::SetColHeaderText(const GridVariant& vCol, const std::string& sText)
{
    table_->SetColHeaderText(vCol, sText);
}

int16_t Tavix::ColHeaderIcon(const GridVariant& vCol) const
{
    return table_->Column(table_->ColPosition(vCol)).HeaderIcon;
}

void Tavix::SetColHeaderIcon(const GridVariant& vCol, int16_t iIcon) { table_->SetColHeaderIcon(vCol, iIcon); }

ETextFormatFlags Tavix::ColHeaderTextFlags(const GridVariant& vCol) const
{
    return table_->Column(table_->ColPosition(vCol)).HeaderTextFlags;
}

void Tavix::SetColHeaderTextFlags(const GridVariant& vCol, ETextFormatFlags eFlags)
{
    table_->SetColHeaderTextFlags(vCol, eFlags);
}

OleColor Tavix::ColHeaderBackColor(const GridVariant& vCol) const
{
    return table_->Column(table_->ColPosition(vCol)).HeaderBackColor;
}

void Tavix::SetColHeaderBackColor(const GridVariant& vCol, OleColor oColor)
{
    table_->SetColHeaderBackColor(vCol, oColor);
}

OleColor Tavix::ColHeaderForeColor(const GridVariant& vCol) const
{
    return table_->Column(table_->ColPosition(vCol)).HeaderForeColor;
}

void Tavix::SetColHeaderForeColor(const GridVariant& vCol, OleColor oColor)
{
    table_->SetColHeaderForeColor(vCol, oColor);
}

CellObject& Tavix::ColDefaultCell(const GridVariant& vCol) { return table_->DefaultCell(table_->ColPosition(vCol)); }
int32_t Tavix::RowTextStartCol() const { return table_->RowTextStartCol(); }
void Tavix::SetRowTextStartCol(int32_t lCol) { table_->SetRowTextStartCol(lCol); }

}  // namespace tavix
