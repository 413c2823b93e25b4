#include "cell_marks.h"

#include "grid_state.h"

#include <algorithm>

namespace tavix::core {

void MarkAllVisibleCellsChanged(GridState& s)
{
    const VisibleRange& r = s.geo.range;
    const int32_t lastRow = std::min(r.EndRow, s.rowCount);
    const int32_t lastPos = std::min(r.EndCol, s.ColCount());
    for (int32_t row = std::max(r.StartRow - 1, 1); row <= lastRow; ++row)
        for (int32_t p = std::max(r.StartCol, 1); p <= lastPos; ++p)
            s.MarkCellChanged(row, s.columns.At(p).Index);
}

bool ShowsCellControl(const GridState& s, const EditSettings& edit, int32_t row, int32_t colIndex)
{
    if (!edit.editable)
        return false;
    if (row == s.curRow && colIndex == s.curCol)
        return true;
    return s.look.showControlsInAllCells;
}

}  // namespace tavix::core
