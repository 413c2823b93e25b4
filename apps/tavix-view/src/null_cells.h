// NULL shown as NULL: a grey "NULL" in every cell whose value is Null, so that it
// cannot be taken for an empty text, a zero or an unchecked box.
#pragma once

#include <cstdint>

namespace tavix {
class Tavix;
}

namespace tavix::view {

// Marks the Null cells of one row; their values stay Null, so sorting still puts them first.
void ShowNullCells(Tavix& grid, int32_t row);
// After an edit: a cell that holds a value again takes its column's look back.
void ShowEditedCell(Tavix& grid, int32_t row, int32_t col);

}  // namespace tavix::view
