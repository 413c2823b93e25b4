#pragma once

#include "core/cell_data.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>

namespace tavix::core {

// The distinct cell looks of a grid, numbered from 0 (the default look). Entries
// are never removed, so a number stays valid for the grid's lifetime: a grid that
// gives its cells many distinct looks pays for each once. Adding a look moves none,
// so a painter holding one while an event handler restyles cells still reads it.
class CellLookPool {
public:
    CellLookPool();

    uint32_t IndexOf(const CellLook& look);
    const CellLook& At(uint32_t index) const { return looks_[index]; }
    size_t Count() const { return looks_.size(); }

private:
    struct Hash {
        size_t operator()(const CellLook& look) const noexcept;
    };

    std::deque<CellLook> looks_;
    std::unordered_map<CellLook, uint32_t, Hash> numbers_;
};

}  // namespace tavix::core
