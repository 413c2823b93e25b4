// Grid-wide members of the facade.
#include "core/grid_table.h"

#include <tavix/grid.h>

namespace tavix {

int32_t Tavix::ColCount() const { return table_->ColCount(); }
int32_t Tavix::RowCount() const { return table_->RowCount(); }
int32_t Tavix::ColIndex(const std::string& sKey) const { return table_->ColIndexOfKey(sKey); }
int32_t Tavix::RowIndex(const std::string& sKey) const { return table_->RowIndexOfKey(sKey); }
bool Tavix::Redraw() const { return table_->Redraw(); }
void Tavix::SetRedraw(bool bRedraw) { table_->SetRedraw(bRedraw); }
int32_t Tavix::CurRow() const { return table_->CurRow(); }
int32_t Tavix::CurCol() const { return table_->CurCol(); }
void Tavix::Clear(bool bRemoveCols) { table_->Clear(bRemoveCols); }

FontRef Tavix::Font() const { return table_->GridFont(); }

void Tavix::SetFont(const FontRef& oFont)
{
    table_->SetGridFont(oFont);
    host_->PropertyChanged("Font");
}

bool Tavix::Virtual() const { return table_->IsVirtual(); }

void Tavix::SetVirtual(bool bVirtual)
{
    table_->SetVirtual(bVirtual);
    host_->PropertyChanged("Virtual");
}

}  // namespace tavix
