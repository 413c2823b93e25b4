// Puts the grid's rows in a new order, moving each row's cells and record once.
#pragma once

#include <cstdint>
#include <span>

namespace tavix::core {
class GridState;
}

namespace tavix {

// order[p - 1] is the row (numbered before) that ends at position p; order covers rows 1..order.size().
void ApplyRowOrder(core::GridState& state, std::span<const int32_t> order);

}  // namespace tavix
