#pragma once

#include <tavix/error.h>
#include <tavix/grid.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavix::test {

// Runs fn and returns the grid error code it raised, 0 when it raised none.
template <typename Fn>
int32_t ErrorOf(Fn&& fn)
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

// Collects CurCellChange notifications as "CurCellChange(row,col)".
struct CurCellLog {
    std::vector<std::string> events;
    void Attach(Tavix& g)
    {
        g.SetCurCellChangeHandler([this](int32_t r, int32_t c) {
            events.push_back("CurCellChange(" + std::to_string(r) + "," + std::to_string(c) + ")");
        });
    }
};

}  // namespace tavix::test
