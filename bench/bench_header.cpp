#include <benchmark/benchmark.h>

#include <tavix/native/desktop.h>
#include <tavix/native/header.h>
#include <tavix/native/window_paint.h>

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
