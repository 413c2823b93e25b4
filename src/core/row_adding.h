#pragma once

#include <tavix/grid.h>

namespace tavix::core {

class GridState;

// AddRow on the tables: validates, appends or inserts, marks the layout stale and
// draws. The virtual-mode row request appends through it like the application does.
void AddRow(GridState& s, const AddRowArgs& args);

}  // namespace tavix::core
