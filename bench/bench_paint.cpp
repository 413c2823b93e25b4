#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window.h>

#include "core/grid_state.h"
#include "paint/grid_painter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace tavix;

native::LRESULT PlainProc(native::HWND h, native::UINT m, native::WPARAM w, native::LPARAM l)
{
    return native::DefWindowProc(h, m, w, l);
}

// A 1280 x 800 grid window: 10 columns of 125 pixels, alternating text and
// formatted numbers, more rows than fit.
struct PaintScene {
    native::Desktop desktop { 1280, 800 };
    Tavix grid;

    PaintScene()
    {
        native::RegisterClass("PaintBench", PlainProc);
        auto& s = grid.State();
        s.geo.hwnd = native::CreateWindowEx(0, "PaintBench", "", native::WS_VISIBLE, 0, 0, 1280, 800, 0);
        desktop.RunUntilIdle();
        s.look.borderStyle = tvBorderNone;
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
        s.geo.ready = true;
        s.redraw = true;
        paint::GridPainter(s).Paint();
    }
};

void BM_Paint_FullView(benchmark::State& state)
{
    PaintScene scene;
    auto& s = scene.grid.State();
    for (auto _ : state) {
        s.geo.needFullRedraw = true;
        s.geo.needPaintBelow = true;
        paint::GridPainter(s).Draw();
    }
}
BENCHMARK(BM_Paint_FullView)->Unit(benchmark::kMillisecond);

void BM_Paint_OneCell(benchmark::State& state)
{
    PaintScene scene;
    auto& s = scene.grid.State();
    paint::GridPainter(s).Draw();  // takes the marks the full paint left
    for (auto _ : state) {
        s.MarkCellChanged(20, 5);
        paint::GridPainter(s).Draw();
    }
}
BENCHMARK(BM_Paint_OneCell)->Unit(benchmark::kMicrosecond);

}  // namespace
