#pragma once

#include <cstdint>

namespace tavix::core {

class GridState;

// Asks the application for row n (RequestRow), appends it with the AddRow
// defaults and lets the application fill it (RequestRowData). An answer of
// bNoMoreRows ends the rows: geo.moreRows becomes false and nothing is added.
// Painting and keyboard navigation call it while geo.isVirtual and geo.moreRows
// hold; check geo.moreRows afterwards to know whether the row came.
void RequestNextRow(GridState& state, int32_t n);

}  // namespace tavix::core
