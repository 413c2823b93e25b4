// The colour type of the public interface.
#pragma once

#include <cstdint>

namespace tavix {

// 0x00BBGGRR, or a system colour index when the high bit is set (0x800000nn);
// 0xFFFFFFFF (-1) means not set, the default colour applies.
using OleColor = uint32_t;

inline constexpr OleColor kColorDefault { 0xFFFFFFFFu };

}  // namespace tavix
