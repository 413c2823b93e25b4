// Current cell and selection members of the facade.
#include "core/grid_table.h"
#include "interaction/selection.h"
#include "interaction/selection_text.h"

#include <tavix/grid.h>

namespace tavix {

namespace {

bool IsZero(const GridVariant& v) { return IsNumericVariant(v) && v.ToDouble() == 0.0; }

}  // namespace

void Tavix::SetCurRow(int32_t lRow) { selection_->SetCurRow(lRow); }
void Tavix::SetCurCol(int32_t lCol) { selection_->SetCurCol(lCol); }

void Tavix::SetCurCell(const GridVariant& vRow, const GridVariant& vCol)
{
    const int32_t row = IsZero(vRow) ? 0 : table_->ResolveRow(vRow);
    const int32_t col = IsZero(vCol) ? 0 : table_->ResolveCol(vCol);
    selection_->SetCurCell(row, col);
}

void Tavix::SetCellSelected(const GridVariant& vRow, const GridVariant& vCol, bool bSelected)
{
    const int32_t row = table_->ResolveRow(vRow);
    const int32_t col = table_->ResolveCol(vCol);
    selection_->SelectCell(row, col, bSelected);
}

bool Tavix::MultiSelect() const { return table_->MultiSelect(); }

void Tavix::SetMultiSelect(bool bMultiSelect)
{
    selection_->SetMultiSelect(bMultiSelect);
    host_->PropertyChanged("MultiSelect");
}

bool Tavix::RowMode() const { return table_->RowMode(); }

void Tavix::SetRowMode(bool bRowMode)
{
    selection_->SetRowMode(bRowMode);
    host_->PropertyChanged("RowMode");
}

void Tavix::ClearSelection() { selection_->ClearSelection(); }

std::string Tavix::SelectionAsText() const { return interaction::SelectionAsText(*table_); }

}  // namespace tavix
