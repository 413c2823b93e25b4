#include "core/row_table.h"

#include <algorithm>

namespace tavix::core {

void RowTable::RecalcTops(int32_t from, int32_t rowCount)
{
    // After a sort the records lie anywhere: ask for the ones ahead while this one is summed.
    constexpr int32_t kAhead = 16;
    for (int32_t i = std::max(from, 1) + 1; i <= rowCount; ++i) {
        if (i + kAhead <= rowCount)
            __builtin_prefetch(&At(i + kAhead), 1);
        const RowData& above = At(i - 1);
        At(i).Top = above.Top + (above.Visible ? above.Height : 0);
    }
}

void RowTable::RecalcOddRows(int32_t from, int32_t rowCount)
{
    At(0).Visible = true;
    int32_t above = std::min(from, rowCount + 1) - 1;
    while (above > 0 && !At(above).Visible)
        --above;
    bool parity = above > 0 ? At(above).OddRow : false;
    for (int32_t i = std::max(from, 1); i <= rowCount; ++i) {
        RowData& r = At(i);
        if (r.Visible) {
            parity = !parity;
            r.OddRow = parity;
        }
    }
}

}  // namespace tavix::core
