#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "tavix/native/text.h"

using namespace tavix::native;

namespace {

// A memory DC over a w x h bitmap, released at scope end.
struct BenchCanvas {
    UniqueDC dc { CreateCompatibleDC(0) };
    UniqueGdiObject bm;
    HGDIOBJ old;
    BenchCanvas(int w, int h)
        : bm(CreateCompatibleBitmap(0, w, h))
        , old(SelectObject(dc, bm))
    {
    }
    ~BenchCanvas() { SelectObject(dc, old); }
};

}  // namespace

static void BM_Text_DrawTextShort(benchmark::State& state)
{
    BenchCanvas c(1280, 20);
    SetBkMode(c.dc, TRANSPARENT);
    std::vector<std::string> texts;
    size_t glyphs = 0;
    for (int i = 0; i < 10000; ++i) {
        texts.push_back("Cell " + std::to_string(i * 37));
        glyphs += texts.back().size();
    }
    for (auto _ : state) {
        for (size_t i = 0; i < texts.size(); ++i) {
            Rect rc { static_cast<int32_t>(i % 16) * 80, 0, static_cast<int32_t>(i % 16) * 80 + 80, 20 };
            benchmark::DoNotOptimize(DrawText(c.dc, texts[i], rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
        }
    }
    state.counters["glyphs_per_s"]
        = benchmark::Counter(static_cast<double>(glyphs) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Text_DrawTextShort)->Unit(benchmark::kMillisecond);

static void BM_Paint_FillRect(benchmark::State& state)
{
    BenchCanvas c(1280, 20);
    UniqueGdiObject brush(CreateSolidBrush(RGB(30, 120, 200)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FillRect(c.dc, { 0, 0, 1280, 20 }, brush));
    state.SetItemsProcessed(state.iterations() * 1280 * 20);
}
BENCHMARK(BM_Paint_FillRect);

static void BM_Paint_BitBlt(benchmark::State& state)
{
    BenchCanvas src(1280, 20), dst(1280, 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(BitBlt(dst.dc, 0, 0, 1280, 20, src.dc, 0, 0, SRCCOPY));
    state.SetItemsProcessed(state.iterations() * 1280 * 20);
}
BENCHMARK(BM_Paint_BitBlt);
