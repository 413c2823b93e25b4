#include "core/format_pool.h"

#include <algorithm>

namespace tavix::core {

int16_t FormatPool::IndexOf(const std::string& fmt)
{
    const auto it = std::find(entries_.begin(), entries_.end(), fmt);
    if (it != entries_.end())
        return static_cast<int16_t>(it - entries_.begin() + 1);
    entries_.push_back(fmt);
    return static_cast<int16_t>(entries_.size());
}

const std::string& FormatPool::At(int16_t index) const
{
    static const std::string empty;
    if (index < 1 || index > Count())
        return empty;
    return entries_[static_cast<size_t>(index - 1)];
}

}  // namespace tavix::core
