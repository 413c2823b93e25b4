// The selected cells of a grid, row by row, as (row, column index) pairs.
#pragma once

#include <tavix/grid.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace tavix::testing {

using Cells = std::vector<std::pair<int32_t, int32_t>>;

inline Cells SelectedCells(const Tavix& grid)
{
    Cells out;
    for (int32_t r = 1; r <= grid.RowCount(); ++r)
        for (int32_t c = 1; c <= grid.ColCount(); ++c)
            if (grid.CellSelected(r, c))
                out.emplace_back(r, c);
    return out;
}

}  // namespace tavix::testing
