#pragma once
// Rows and columns are laid out in 32-bit grid coordinates, and the view adds
// its own offsets (header, borders, scroll positions) to them. The table keeps
// the sum of the sizes' magnitudes within kMaxExtent: then no Top, Left or edge
// overflows however the rows and columns are ordered, hidden or removed, and the
// view has the remaining headroom. A change beyond it is runtime error 6.
#include <tavix/error.h>

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace tavix::core {

inline constexpr int32_t kViewHeadroom = 1 << 20;
inline constexpr int64_t kMaxExtent = std::numeric_limits<int32_t>::max() - kViewHeadroom;

inline int64_t ExtentOf(int32_t size) { return std::llabs(static_cast<int64_t>(size)); }

// Validation step of a change that makes the sizes add up to `total`.
inline void CheckExtent(int64_t total)
{
    if (total > kMaxExtent)
        throw TavixError::Runtime(rtOverflow);
}

}  // namespace tavix::core
