// The error code a call raises, for tests of bad arguments.
#pragma once

#include <tavix/error.h>

#include <cstdint>

namespace tavix::testing {

// The TavixError code the call raised; 0 when it raised none.
template <typename Fn> int32_t ErrorOf(Fn&& fn)
{
    try {
        fn();
    } catch (const TavixError& e) {
        return e.Code();
    }
    return 0;
}

}  // namespace tavix::testing
