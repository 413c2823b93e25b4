#pragma once

#include "edit_settings.h"

#include <cstdint>

namespace tavix::core {

class GridState;

// Marks every cell in view for repainting: rows StartRow-1 (at least 1) to
// EndRow, display positions StartCol to EndCol of the visible range. Used when
// focus or highlight colours change what every visible cell looks like.
void MarkAllVisibleCellsChanged(GridState& s);

// Whether the cell shows its combo button or similar control: never on a grid
// that cannot be edited, always on the current cell, elsewhere as
// ShowControlsInAllCells says.
bool ShowsCellControl(const GridState& s, const EditSettings& edit, int32_t row, int32_t colIndex);

}  // namespace tavix::core
