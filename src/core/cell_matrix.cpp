#include "core/cell_matrix.h"

#include <algorithm>
#include <utility>

namespace tavix::core {

void CellMatrix::ResizeRows(int32_t rows, const CellData* fill)
{
    if (rows == Rows())
        return;
    ++reallocations_;
    cells_.Resize(static_cast<size_t>(rows), fill);
}

void CellMatrix::SwapSlots(size_t a, size_t b)
{
    std::swap_ranges(cells_.Row(a - 1), cells_.Row(a - 1) + Columns(), cells_.Row(b - 1));
}

void CellMatrix::Rebuild(int32_t columns, int32_t colIndex, bool inserting)
{
    RowBlocks<CellData> next(columns);
    next.Resize(cells_.Rows());
    const int32_t oldColumns = Columns();
    for (size_t r = 0; r < cells_.Rows(); ++r) {
        CellData* source = cells_.Row(r);
        CellData* target = next.Row(r);
        for (int32_t c = 1; c <= oldColumns; ++c) {
            if (!inserting && c == colIndex)
                continue;
            const int32_t to = (inserting ? c >= colIndex : c > colIndex) ? c + (inserting ? 1 : -1) : c;
            target[to - 1] = std::move(source[c - 1]);
        }
    }
    cells_ = std::move(next);
    ++reallocations_;
}

void CellMatrix::InsertColumn(int32_t colIndex) { Rebuild(Columns() + 1, colIndex, true); }

void CellMatrix::RemoveColumn(int32_t colIndex) { Rebuild(Columns() - 1, colIndex, false); }

void CellMatrix::Reset(int32_t columns) { cells_.Reset(columns); }

}  // namespace tavix::core
