#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavix::core {

// Distinct format strings, numbered from 1; cells keep only the number.
// Entries are never removed, so a number stays valid for the grid's lifetime.
class FormatPool {
public:
    int16_t IndexOf(const std::string& fmt);
    // 0 means "no format string" and yields an empty string.
    const std::string& At(int16_t index) const;
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

private:
    std::vector<std::string> entries_;
};

}  // namespace tavix::core
