#pragma once
// The selected cells as text for the clipboard, as spreadsheets paste it.
#include "core/grid_table.h"

#include <string>

namespace tavix::interaction {

// Rows with a selected cell in display order, each the displayed texts of the
// shown columns that hold a selected cell, in display order, joined by tabs and
// ended by a line feed; an unselected cell in that block is empty.
std::string SelectionAsText(const core::GridTable& table);

}  // namespace tavix::interaction
