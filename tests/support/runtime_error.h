// The runtime error number a call raises, 0 when it raises none.
#pragma once

#include <tavix/error.h>

#include <cstdint>

namespace tavix::testing {

template <typename F> int32_t RuntimeErrorOf(F&& f)
{
    try {
        f();
    } catch (const TavixError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace tavix::testing
