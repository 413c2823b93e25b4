#pragma once

#include <tavix/font.h>

#include <cstdint>
#include <vector>

namespace tavix::core {

// Distinct cell fonts, numbered from 1. Entries are private copies, so later
// changes to the application's font object never alter a pooled font.
class FontPool {
public:
    int16_t IndexOf(const FontRef& font);
    const FontRef& At(int16_t index) const { return entries_[static_cast<size_t>(index - 1)]; }
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }

private:
    std::vector<FontRef> entries_;
};

}  // namespace tavix::core
