// The default action of a click on a column header.
#pragma once

#include <cstdint>

namespace tavix {

class Tavix;

// Raises ColHeaderClick; unless the application clears bDoDefault, sorts by the column
// (DoDefaultSort with the shift state read at the click) and raises ContentsSorted.
// x, y are in header coordinates.
void HeaderClickSort(Tavix& grid, int32_t lCol, int16_t shift, int32_t x, int32_t y);

}  // namespace tavix
