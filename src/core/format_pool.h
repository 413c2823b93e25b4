#pragma once

#include "host/compiled_format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavix::core {

// Distinct format strings, numbered from 1; cells keep only the number.
// Entries are never removed, so a number stays valid for the grid's lifetime.
// Each is parsed once, when it enters the pool, rather than on every paint.
class FormatPool {
public:
    int16_t IndexOf(const std::string& fmt);
    // 0 means "no format string" and yields an empty string.
    const std::string& At(int16_t index) const { return Compiled(index).Source(); }
    const CompiledFormat& Compiled(int16_t index) const;
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

private:
    std::vector<CompiledFormat> entries_;
};

}  // namespace tavix::core
