#include <tavix/grid.h>

#include "core/grid_state.h"
#include "incremental_search.h"

namespace tavix {

EKeyPressBehaviour Tavix::KeyPressBehaviour() const
{
    return static_cast<EKeyPressBehaviour>(state_->selection.keyPressBehaviour);
}

void Tavix::SetKeyPressBehaviour(EKeyPressBehaviour eBehaviour)
{
    state_->selection.keyPressBehaviour = eBehaviour;
    host_->PropertyChanged("KeyPressBehaviour");
}

int32_t Tavix::KeySearchCol() const { return state_->selection.keySearchCol; }

void Tavix::SetKeySearchCol(int32_t lCol)
{
    state_->CheckColIndex(lCol);
    state_->selection.keySearchCol = lCol;
}

bool Tavix::KeySearchFromCurRow() const { return state_->selection.keySearchFromCurRow; }

void Tavix::SetKeySearchFromCurRow(bool bFromCurRow)
{
    state_->selection.keySearchFromCurRow = bFromCurRow;
    host_->PropertyChanged("KeySearchFromCurRow");
}

bool Tavix::KeySearchLoop() const { return state_->selection.keySearchLoop; }

void Tavix::SetKeySearchLoop(bool bLoop)
{
    state_->selection.keySearchLoop = bLoop;
    host_->PropertyChanged("KeySearchLoop");
}

int32_t Tavix::FindSearchMatchRow(const GridVariant& vSearchCol, const std::string& sSearchString, int32_t lStartRow,
    bool bVisibleRowsOnly, bool bLoop) const
{
    const int32_t col = state_->ResolveCol(vSearchCol);
    return interaction::IncrementalSearch(*state_).FindMatchRow(col, sSearchString, lStartRow, bVisibleRowsOnly, bLoop);
}

}  // namespace tavix
