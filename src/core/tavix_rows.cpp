// Row members of the facade.
#include "core/grid_table.h"

#include <tavix/grid.h>

namespace tavix {

void Tavix::AddRow(const std::string& sKey, const GridVariant& vRowBefore, bool bVisible, int32_t lHeight,
    bool bGroupRow, int32_t lGroupColStartIndex, const GridVariant& vTag)
{
    AddRow(AddRowArgs { sKey, vRowBefore, bVisible, lHeight, bGroupRow, lGroupColStartIndex, vTag });
}

void Tavix::AddRow(const AddRowArgs& args) { table_->AddRow(args); }
void Tavix::RemoveRow(const GridVariant& vRow) { table_->RemoveRow(vRow); }
void Tavix::SetRowCount(int32_t n) { table_->SetRowCount(n); }

std::string Tavix::RowKey(int32_t lRow) const
{
    table_->CheckRowIndex(lRow);
    return table_->Row(lRow).Key;
}

void Tavix::SetRowKey(int32_t lRow, const std::string& sKey) { table_->SetRowKey(lRow, sKey); }
GridVariant Tavix::RowTag(const GridVariant& vRow) const { return table_->Row(table_->ResolveRow(vRow)).Tag; }
void Tavix::SetRowTag(const GridVariant& vRow, const GridVariant& vTag)
{
    table_->SetRowTag(table_->ResolveRow(vRow), vTag);
}
bool Tavix::RowVisible(const GridVariant& vRow) const { return table_->Row(table_->ResolveRow(vRow)).Visible; }

void Tavix::SetRowVisible(const GridVariant& vRow, bool bVisible)
{
    table_->SetRowVisible(table_->ResolveRow(vRow), bVisible);
}

int32_t Tavix::RowHeight(const GridVariant& vRow) const { return table_->Row(table_->ResolveRow(vRow)).Height; }

void Tavix::SetRowHeight(const GridVariant& vRow, int32_t lHeight)
{
    table_->SetRowHeight(table_->ResolveRow(vRow), lHeight);
}

int32_t Tavix::RowNormalCellHeight(const GridVariant& vRow) const
{
    return table_->Row(table_->ResolveRow(vRow)).NormalCellHeight;
}

void Tavix::SetRowNormalCellHeight(const GridVariant& vRow, int32_t lHeight)
{
    table_->SetRowNormalCellHeight(table_->ResolveRow(vRow), lHeight);
}

bool Tavix::RowIsGroup(const GridVariant& vRow) const { return table_->Row(table_->ResolveRow(vRow)).IsGroup; }

void Tavix::SetRowIsGroup(const GridVariant& vRow, bool bIsGroup)
{
    table_->SetRowIsGroup(table_->ResolveRow(vRow), bIsGroup);
}

int32_t Tavix::RowGroupStartCol(const GridVariant& vRow) const
{
    return table_->Row(table_->ResolveRow(vRow)).GroupStartCol;
}

void Tavix::SetRowGroupStartCol(const GridVariant& vRow, int32_t lCol)
{
    table_->SetRowGroupStartCol(table_->ResolveRow(vRow), lCol);
}

int32_t Tavix::DefaultRowHeight() const { return table_->DefaultRowHeight(); }
void Tavix::SetDefaultRowHeight(int32_t lHeight) { table_->SetDefaultRowHeight(lHeight); }
int32_t Tavix::MemMngWantFreeRows() const { return table_->MemMngWantFreeRows(); }
void Tavix::SetMemMngWantFreeRows(int32_t lRows)
{
    table_->SetMemMngWantFreeRows(lRows);
    host_->PropertyChanged("MemMngWantFreeRows");
}
int32_t Tavix::MemMngAllocatedRows() const { return table_->Allocated(); }
void Tavix::SetMemMngAllocatedRows(int32_t lRows) { table_->SetMemMngAllocatedRows(lRows); }

}  // namespace tavix
