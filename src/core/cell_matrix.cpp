#include "cell_matrix.h"

#include <algorithm>

namespace tavix::core {

void CellMatrix::ResizeRows(int32_t rows)
{
    if (rows == rows_)
        return;
    // The vector grows geometrically underneath, so a block of rows costs an
    // amortised copy instead of moving every cell once per block.
    const size_t size = static_cast<size_t>(rows) * static_cast<size_t>(columns_);
    ++reallocations_;
    cells_.resize(size);
    if (size < cells_.capacity() / 2)
        cells_.shrink_to_fit();
    rows_ = rows;
}

void CellMatrix::Rebuild(int32_t columns, int32_t colIndex, bool inserting)
{
    std::vector<CellData> next(static_cast<size_t>(rows_) * static_cast<size_t>(columns));
    for (int32_t r = 1; r <= rows_; ++r) {
        CellData* target = next.data() + static_cast<size_t>(r - 1) * static_cast<size_t>(columns);
        for (int32_t c = 1; c <= columns_; ++c) {
            if (!inserting && c == colIndex)
                continue;
            const int32_t to = (inserting ? c >= colIndex : c > colIndex) ? c + (inserting ? 1 : -1) : c;
            target[to - 1] = std::move(At(r, c));
        }
    }
    cells_ = std::move(next);
    columns_ = columns;
    ++reallocations_;
}

void CellMatrix::InsertColumn(int32_t colIndex)
{
    Rebuild(columns_ + 1, colIndex, true);
}

void CellMatrix::RemoveColumn(int32_t colIndex)
{
    Rebuild(columns_ - 1, colIndex, false);
}

void CellMatrix::RotateDown(int32_t row, int32_t last)
{
    const auto first = cells_.begin();
    std::rotate(first + static_cast<ptrdiff_t>(Offset(row, 1)), first + static_cast<ptrdiff_t>(Offset(last, 1)),
        first + static_cast<ptrdiff_t>(Offset(last + 1, 1)));
}

void CellMatrix::RotateUp(int32_t row, int32_t last)
{
    const auto first = cells_.begin();
    std::rotate(first + static_cast<ptrdiff_t>(Offset(row, 1)), first + static_cast<ptrdiff_t>(Offset(row + 1, 1)),
        first + static_cast<ptrdiff_t>(Offset(last + 1, 1)));
}

void CellMatrix::Reset(int32_t columns)
{
    cells_.clear();
    cells_.shrink_to_fit();
    columns_ = columns;
    rows_ = 0;
}

}  // namespace tavix::core
