#include "null_cells.h"

#include <tavix/grid.h>

namespace tavix::view {

namespace {

// The fourth section of a format string is the one a Null value takes.
constexpr const char* kNullFormat = ";;;\"NULL\"";
constexpr OleColor kNullForeColor = 0x909090;

void MarkNull(Tavix& grid, int32_t row, int32_t col)
{
    // A check box or a combo would show a Null as unchecked or as no item.
    if (grid.CellType(row, col) != tvCellText)
        grid.SetCellType(row, col, tvCellText);
    grid.SetCellFmtString(row, col, kNullFormat);
    grid.SetCellForeColor(row, col, kNullForeColor);
}

}  // namespace

void ShowNullCells(Tavix& grid, int32_t row)
{
    for (int32_t col = 1; col <= grid.ColCount(); ++col)
        if (grid.CellValue(row, col).IsNull())
            MarkNull(grid, row, col);
}

void ShowEditedCell(Tavix& grid, int32_t row, int32_t col)
{
    if (grid.CellValue(row, col).IsNull()) {
        MarkNull(grid, row, col);
        return;
    }
    const CellObject& look = grid.ColDefaultCell(col);
    if (grid.CellType(row, col) != look.eType())
        grid.SetCellType(row, col, static_cast<ECellTypes>(look.eType()));
    grid.SetCellFmtString(row, col, look.sFmtString());
    grid.SetCellForeColor(row, col, look.oForeColor);
}

}  // namespace tavix::view
