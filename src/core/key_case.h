// Column keys compare without regard to case: a key is kept and looked up lower-cased.
#pragma once

#include <string>
#include <string_view>

namespace tavix::core {

// `key` lower-cased, letters beyond ASCII included.
std::string KeyLower(std::string_view key);

}  // namespace tavix::core
