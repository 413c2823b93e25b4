#include <tavix/grid.h>
#include <tavix/native/desktop.h>

#include "platform/grid_access.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tavix;

// 1,000,000 rows in a 1280 x 800 grid window; the thumb jumps to random places,
// so every range is computed without a usable cache.
void BM_View_VisibleRangeAfterJump(benchmark::State& state)
{
    native::Desktop desktop(1280, 800);
    Tavix grid;
    grid.SetRedraw(false);
    for (int c = 0; c < 10; ++c)
        grid.AddCol(AddColArgs { .lWidth = 120 });
    grid.SetRowCount(1'000'000);
    grid.Create(0, 0, 0, 1280, 800);
    auto& layout = internal::GridAccess::Layout(grid);
    layout.RecalcLayout(false);
    const int32_t range = layout.ContentHeight() - layout.ViewHeight();
    int32_t y = 0;
    for (auto _ : state) {
        y = (y + 7'919'173) % range;
        // Where a thumb drag would put the view, without the repaint.
        layout.ScrollTo(tvScrollBarV, y);
        layout.InvalidateRange(core::RangeChange::Recompute);
        benchmark::DoNotOptimize(layout.ComputeVisibleRange().StartRow);
    }
}
BENCHMARK(BM_View_VisibleRangeAfterJump);

// Scrolling the vertical bar one page at a time through the window: range,
// repaint of the whole view and the position event. The cost must not depend
// on how many rows the grid holds.
void BM_View_ScrollPage(benchmark::State& state)
{
    const auto rows = static_cast<int32_t>(state.range(0));
    native::Desktop desktop(1280, 800);
    Tavix grid;
    for (int c = 0; c < 10; ++c)
        grid.AddCol(AddColArgs { .lWidth = 120 });
    grid.SetRedraw(false);
    grid.SetRowCount(rows);
    for (int32_t r = 1; r <= rows; r += 1)
        grid.SetCellValue(r, 1, GridVariant(r));
    grid.SetRedraw(true);
    grid.Create(0, 0, 0, 1280, 800);
    auto& bar = grid.VScrollBar();
    int32_t value = 0;
    for (auto _ : state) {
        value = (value + 780) % (bar.Max() - bar.LargeChange());
        bar.SetValue(value);
    }
}
BENCHMARK(BM_View_ScrollPage)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
