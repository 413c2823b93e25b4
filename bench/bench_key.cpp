#include <tavix/grid.h>

#include "platform/grid_access.h"

#include <tavix/native/desktop.h>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr int32_t kRows = 1'000'000;
constexpr int32_t kDown = 40;
constexpr int32_t kPageDown = 34;

// One grid of a million rows in a window 40 rows high, shared by the key
// benchmarks (building it dominates otherwise). Painting is switched off once the
// view is laid out: the keys' own work is measured, scrolling included.
tavix::Tavix& MillionRowGrid()
{
    static tavix::native::Desktop desktop(640, 700);
    static tavix::Tavix grid;
    if (grid.RowCount() == 0) {
        for (int32_t c = 0; c < 5; ++c)
            grid.AddCol();
        grid.SetRowCount(kRows);
        grid.SetBorderStyle(tavix::tvBorderNone);
        grid.Create(0, 0, 0, 600, 40 * grid.DefaultRowHeight());
        grid.SetRedraw(false);
    }
    return grid;
}

// Presses the key from the middle of the grid; in single-select mode the cost
// must not grow with the row count.
void PressFromMiddle(benchmark::State& state, int32_t vk, bool multiSelect = false)
{
    tavix::Tavix& grid = MillionRowGrid();
    auto& keys = tavix::internal::GridAccess::Keyboard(grid);
    grid.SetMultiSelect(multiSelect);
    grid.SetCurCell(kRows / 2, 1);
    for (auto _ : state) {
        keys.OnKeyDown(vk, 0);
        if (grid.CurRow() > kRows - 1000)
            grid.SetCurCell(kRows / 2, 1);
    }
    benchmark::DoNotOptimize(grid.CurRow());
}

void BM_Key_Down(benchmark::State& state) { PressFromMiddle(state, kDown); }
void BM_Key_PageDown(benchmark::State& state) { PressFromMiddle(state, kPageDown); }
// A plain arrow in multi-select mode makes the new cell the whole selection,
// which visits every cell: the known linear cost of that mode.
void BM_Key_DownMultiSelect(benchmark::State& state) { PressFromMiddle(state, kDown, true); }

}  // namespace

BENCHMARK(BM_Key_Down);
BENCHMARK(BM_Key_PageDown);
BENCHMARK(BM_Key_DownMultiSelect)->Unit(benchmark::kMillisecond);
