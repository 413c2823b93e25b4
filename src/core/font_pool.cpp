#include "core/font_pool.h"

namespace tavix::core {

int16_t FontPool::IndexOf(const FontRef& font)
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (FontsEqual(font, entries_[i]))
            return static_cast<int16_t>(i + 1);
    entries_.push_back(font.Clone());
    return static_cast<int16_t>(entries_.size());
}

}  // namespace tavix::core
