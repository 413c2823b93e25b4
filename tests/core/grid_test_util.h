#pragma once

#include <tavix/error.h>
#include <tavix/grid.h>

#include <gtest/gtest.h>

#include "support/event_recorder.h"

#include <string>
#include <vector>

namespace tavix::test {

// Runs fn and returns the grid error code it raised, 0 when it raised none.
template <typename Fn> int32_t ErrorOf(Fn&& fn)
{
    try {
        fn();
    } catch (const TavixError& e) {
        return e.Code();
    }
    return 0;
}

// A grid with `cols` columns keyed c1..cN and `rows` rows keyed r1..rN.
inline void Fill(Tavix& g, int32_t cols, int32_t rows)
{
    for (int32_t c = 1; c <= cols; ++c)
        g.AddCol("c" + std::to_string(c));
    for (int32_t r = 1; r <= rows; ++r)
        g.AddRow("r" + std::to_string(r));
}

// Records the grid's events as "CurCellChange(row,col)" strings.
struct CurCellLog {
    testing::EventRecorder recorder;
    void Attach(Tavix& g) { g.SetEventSink(&recorder); }
    std::vector<std::string> Events() const { return recorder.Strings(); }
};

}  // namespace tavix::test
