#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window.h>

#include "platform/grid_access.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace tavix;

// A 1280 x 800 grid window: 10 columns of 125 pixels, alternating text and
// formatted numbers, more rows than fit.
struct PaintScene {
    native::Desktop desktop { 1280, 800 };
    Tavix grid;

    PaintScene()
    {
        grid.SetBorderStyle(tvBorderNone);
        for (int c = 1; c <= 10; ++c) {
            grid.AddCol(AddColArgs { .lWidth = 125 });
            if (c % 2 == 0)
                grid.ColDefaultCell(c).SetsFmtString("#,##0.00");
        }
        for (int r = 1; r <= 100; ++r) {
            grid.AddRow();
            for (int c = 1; c <= 10; ++c) {
                if (c % 2 == 0)
                    grid.SetCellValue(r, c, GridVariant(r * 1234.5 + c));
                else
                    grid.SetCellValue(r, c, GridVariant("Item " + std::to_string(r) + "/" + std::to_string(c)));
            }
        }
        grid.Create(0, 0, 0, 1280, 800);
        desktop.RunUntilIdle();
    }
    paint::GridPainter& Painter() { return internal::GridAccess::Painter(grid); }
};

void BM_Paint_FullView(benchmark::State& state)
{
    PaintScene scene;
    for (auto _ : state) {
        scene.Painter().MarkLayoutStale();
        scene.Painter().Draw();
    }
}
BENCHMARK(BM_Paint_FullView)->Unit(benchmark::kMillisecond);

void BM_Paint_OneCell(benchmark::State& state)
{
    PaintScene scene;
    for (auto _ : state) {
        scene.grid.DrawCell(20, 5);
    }
}
BENCHMARK(BM_Paint_OneCell)->Unit(benchmark::kMicrosecond);

}  // namespace
