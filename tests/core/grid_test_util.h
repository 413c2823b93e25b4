#pragma once

#include <tavix/error.h>
#include <tavix/grid.h>

#include <gtest/gtest.h>

#include "platform/grid_access.h"
#include "support/errors.h"
#include "support/event_recorder.h"

#include <string>

namespace tavix::test {

using testing::ErrorOf;

// The grid's table model, read through its own accessors and changed only by its operations.
inline core::GridTable& Table(Tavix& g) { return internal::GridAccess::Table(g); }

// A grid with `cols` columns keyed c1..cN and `rows` rows keyed r1..rN.
inline void Fill(Tavix& g, int32_t cols, int32_t rows)
{
    for (int32_t c = 1; c <= cols; ++c)
        g.AddCol("c" + std::to_string(c));
    for (int32_t r = 1; r <= rows; ++r)
        g.AddRow("r" + std::to_string(r));
}

}  // namespace tavix::test
