#pragma once

#include <memory>

namespace tavix::core {

// The grid's sort engine lives in a module above the core; the grid owns it here.
struct SortState {
    std::shared_ptr<void> engine;
};

}  // namespace tavix::core
