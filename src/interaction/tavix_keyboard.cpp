// Keyboard and incremental search members of the facade.
#include "core/grid_table.h"
#include "interaction/incremental_search.h"
#include "interaction/keyboard.h"

#include <tavix/grid.h>

namespace tavix {

EKeyPressBehaviour Tavix::KeyPressBehaviour() const { return keyboard_->KeyPressBehaviour(); }

void Tavix::SetKeyPressBehaviour(EKeyPressBehaviour eBehaviour)
{
    keyboard_->SetKeyPressBehaviour(eBehaviour);
    host_->PropertyChanged("KeyPressBehaviour");
}

int32_t Tavix::KeySearchCol() const { return search_->KeySearchCol(); }
void Tavix::SetKeySearchCol(int32_t lCol) { search_->SetKeySearchCol(lCol); }
bool Tavix::KeySearchFromCurRow() const { return search_->KeySearchFromCurRow(); }

void Tavix::SetKeySearchFromCurRow(bool bFromCurRow)
{
    search_->SetKeySearchFromCurRow(bFromCurRow);
    host_->PropertyChanged("KeySearchFromCurRow");
}

bool Tavix::KeySearchLoop() const { return search_->KeySearchLoop(); }

void Tavix::SetKeySearchLoop(bool bLoop)
{
    search_->SetKeySearchLoop(bLoop);
    host_->PropertyChanged("KeySearchLoop");
}

int32_t Tavix::FindSearchMatchRow(const GridVariant& vSearchCol, const std::string& sSearchString, int32_t lStartRow,
    bool bVisibleRowsOnly, bool bLoop) const
{
    const int32_t col = table_->ResolveCol(vSearchCol);
    return search_->FindMatchRow(col, sSearchString, lStartRow, bVisibleRowsOnly, bLoop);
}

}  // namespace tavix
