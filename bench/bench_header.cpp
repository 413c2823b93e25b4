#include <benchmark/benchmark.h>

#include <tavix/grid.h>
#include <tavix/header_object.h>
#include <tavix/native/desktop.h>
#include <tavix/native/header.h>
#include <tavix/native/window_paint.h>

#include <string>

using namespace tavix::native;

namespace {

constexpr int kHeaderWidth = 1280;
constexpr int kHeaderHeight = 20;
constexpr int kItems = 20;

// Fills each owner-drawn item with a colour of its own, as a grid's header would.
LRESULT FillingParent(HWND h, UINT m, WPARAM wp, LPARAM lp)
{
    if (m != WM_DRAWITEM)
        return DefWindowProc(h, m, wp, lp);
    const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    UniqueGdiObject brush(CreateSolidBrush(RGB(static_cast<uint8_t>(dis.itemData * 12), 0x90, 0xC0)));
    FillRect(dis.hDC, { dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom }, brush);
    return 1;
}

}  // namespace

static void BM_Header_NativePaint(benchmark::State& state)
{
    Desktop desktop(kHeaderWidth, 200);
    RegisterClass("BenchHeaderParent", FillingParent);
    HWND parent = CreateWindowEx(0, "BenchHeaderParent", "", WS_VISIBLE, 0, 0, kHeaderWidth, 200, 0);
    HWND header = CreateWindowEx(
        0, WC_HEADER, "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, 0, 0, kHeaderWidth, kHeaderHeight, parent);
    for (int i = 0; i < kItems; ++i)
        Header_InsertItem(header, i,
            HDITEM { .mask = HDI_WIDTH | HDI_FORMAT | HDI_LPARAM,
                .cxy = kHeaderWidth / kItems,
                .fmt = HDF_OWNERDRAW,
                .lParam = i });
    desktop.RunUntilIdle();
    for (auto _ : state) {
        InvalidateRect(header, nullptr, false);
        UpdateWindow(header);
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_Header_NativePaint)->Unit(benchmark::kMicrosecond);

namespace {

// A 1280-wide grid with 20 captioned columns, in its window.
struct HeaderedGrid {
    explicit HeaderedGrid(int32_t rows = 50)
    {
        for (int c = 1; c <= kItems; ++c)
            grid.AddCol(tavix::AddColArgs { .sHeader = "Column " + std::to_string(c), .lWidth = 64 });
        grid.SetRowCount(rows);
        grid.SetColSortKey(3, 1);
        grid.SetBorderStyle(tavix::tvBorderNone);
        grid.Create(0, 0, 0, kHeaderWidth, 800);
        desktop.RunUntilIdle();
    }
    Desktop desktop { kHeaderWidth, 800 };
    tavix::Tavix grid;
};

}  // namespace

static void BM_Header_Paint(benchmark::State& state)
{
    HeaderedGrid g;
    const HWND header = static_cast<HWND>(g.grid.Header().hwnd());
    for (auto _ : state) {
        InvalidateRect(header, nullptr, false);
        UpdateWindow(header);
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_Header_Paint)->Unit(benchmark::kMicrosecond);

static void BM_Header_AutoWidthCol(benchmark::State& state)
{
    const auto rows = static_cast<int32_t>(state.range(0));
    tavix::Tavix grid;
    grid.AddCol(tavix::AddColArgs { .sHeader = "Name" });
    grid.SetRowCount(rows);
    for (int32_t r = 1; r <= rows; ++r)
        grid.SetCellValue(r, 1, "Customer " + std::to_string(r * 7919 % 100000));
    for (auto _ : state) {
        grid.SetColWidth(1, 10);
        grid.AutoWidthCol(1);
    }
    state.counters["ns_per_row"] = benchmark::Counter(
        static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Header_AutoWidthCol)->Arg(1000000)->Unit(benchmark::kMillisecond);

// One mouse move of a divider drag: an inverted line, or the column resized and the grid drawn.
static void BM_Header_DividerMove(benchmark::State& state)
{
    HeaderedGrid g(60);
    g.grid.SetImmediateColumnResizing(state.range(0) != 0);
    const int y = g.grid.Header().Height() / 2;
    g.desktop.MouseMove(64, y);
    g.desktop.MouseDown();
    int dx = 0;
    for (auto _ : state) {
        dx = (dx + 1) % 40;
        g.desktop.MouseMove(64 + dx + 1, y);
    }
    g.desktop.MouseUp();
}
BENCHMARK(BM_Header_DividerMove)->Arg(0)->Arg(1)->ArgName("immediate")->Unit(benchmark::kMicrosecond);
