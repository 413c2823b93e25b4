#include "core/format_pool.h"

#include <algorithm>

namespace tavix::core {

int16_t FormatPool::IndexOf(const std::string& fmt)
{
    const auto it = std::find_if(
        entries_.begin(), entries_.end(), [&](const CompiledFormat& entry) { return entry.Source() == fmt; });
    if (it != entries_.end())
        return static_cast<int16_t>(it - entries_.begin() + 1);
    entries_.emplace_back(fmt);
    return static_cast<int16_t>(entries_.size());
}

const CompiledFormat& FormatPool::Compiled(int16_t index) const
{
    static const CompiledFormat none;
    if (index < 1 || index > Count())
        return none;
    return entries_[static_cast<size_t>(index - 1)];
}

}  // namespace tavix::core
