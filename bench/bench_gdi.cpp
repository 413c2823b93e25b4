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
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_Text_DrawTextShort)->Unit(benchmark::kMillisecond);

// Words of varied length, so that breaks and ellipses fall at arbitrary places.
static std::string LongText(size_t chars)
{
    static constexpr std::string_view kWords[] = { "lorem ", "ipsum ", "dolor ", "sit ", "amet, ", "consectetur ",
        "adipiscing ", "elit; ", "sed ", "do ", "eiusmod ", "tempor. " };
    std::string s;
    for (size_t i = 0; s.size() < chars; ++i)
        s += kWords[(i * 7) % std::size(kWords)];
    s.resize(chars);
    return s;
}

// One cell-sized rectangle holding a text of state.range(0) characters.
static void DrawLong(benchmark::State& state, UINT flags)
{
    BenchCanvas c(200, 15);
    SetBkMode(c.dc, TRANSPARENT);
    const std::string text = LongText(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        Rect rc { 0, 0, 200, 15 };
        benchmark::DoNotOptimize(DrawText(c.dc, text, rc, flags));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

static void BM_Text_DrawLong(benchmark::State& state) { DrawLong(state, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER); }
BENCHMARK(BM_Text_DrawLong)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

static void BM_Text_DrawLongWordBreak(benchmark::State& state) { DrawLong(state, DT_WORDBREAK | DT_END_ELLIPSIS); }
BENCHMARK(BM_Text_DrawLongWordBreak)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Measuring cannot stop at the rectangle: the whole text is laid out.
static void BM_Text_MeasureLongWordBreak(benchmark::State& state) { DrawLong(state, DT_WORDBREAK | DT_CALCRECT); }
BENCHMARK(BM_Text_MeasureLongWordBreak)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Short cells in Latin, CJK, Arabic and emoji; compare items_per_second with
// BM_Text_DrawTextShort.
static void BM_Text_DrawMixedScripts(benchmark::State& state)
{
    BenchCanvas c(1280, 20);
    SetBkMode(c.dc, TRANSPARENT);
    static constexpr std::string_view kSamples[]
        = { "Cell 1234", "\u6771\u4eac\u90fd 12", "\u0645\u0631\u062d\u0628\u0627 42", "Party \U0001F389\U0001F600" };
    std::vector<std::string> texts;
    for (int i = 0; i < 500; ++i)
        texts.emplace_back(kSamples[i % std::size(kSamples)]);
    for (auto _ : state) {
        for (size_t i = 0; i < texts.size(); ++i) {
            Rect rc { static_cast<int32_t>(i % 16) * 80, 0, static_cast<int32_t>(i % 16) * 80 + 80, 20 };
            benchmark::DoNotOptimize(DrawText(c.dc, texts[i], rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_Text_DrawMixedScripts)->Unit(benchmark::kMillisecond);

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
