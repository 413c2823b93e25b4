// Moving every row to its sorted place at once.
#include "core/grid_table.h"

#include <algorithm>

namespace tavix::core {

void GridTable::ApplyRowOrder(std::span<int32_t> order)
{
    ++shape_;
    ++rowNumbering_;
    const auto count = static_cast<int32_t>(order.size());
    // The current row follows its data.
    int32_t newRow = curRow_;
    if (curRow_ >= 1 && curRow_ <= count)
        newRow = static_cast<int32_t>(std::find(order.begin(), order.end(), curRow_) - order.begin()) + 1;
    rows_.Reorder(order);
    if (rowCount_ > 0)
        rows_.At(1).Top = 0;
    rows_.RecalcTops(1, rowCount_);
    UpdateParity(1);
    RebuildRowKeys();
    SetCurrentCell(newRow, curCol_, false);
}

}  // namespace tavix::core
