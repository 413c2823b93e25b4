#include "null_cells.h"

#include <tavix/grid.h>

namespace tavix::view {

namespace {

// The fourth section of a format string is the one a Null value takes.
constexpr const char* kNullFormat = ";;;\"NULL\"";
constexpr OleColor kNullForeColor = 0x909090;

}  // namespace

void ShowNullCells(Tavix& grid, int32_t row)
{
    for (int32_t col = 1; col <= grid.ColCount(); ++col) {
        if (!grid.CellValue(row, col).IsNull())
            continue;
        // A check box or a combo would show a Null as unchecked or as no item.
        if (grid.CellType(row, col) != tvCellText)
            grid.SetCellType(row, col, tvCellText);
        grid.SetCellFmtString(row, col, kNullFormat);
        grid.SetCellForeColor(row, col, kNullForeColor);
    }
}

}  // namespace tavix::view
