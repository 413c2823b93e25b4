// Out-of-line storage shared by copies of a string or object variant.
#pragma once

#include <tavix/variant.h>

#include <atomic>
#include <string>

namespace tavix {

// Intrusively counted so that the variant stays 16 bytes (a shared_ptr would take 16 alone).
struct GridVariant::Box {
    std::atomic<int32_t> refs { 1 };
    std::string text;
    std::shared_ptr<Dispatch> object;
};

}  // namespace tavix
