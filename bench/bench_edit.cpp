#include <benchmark/benchmark.h>

#include <string>
#include <tavix/grid.h>
#include <tavix/native/clipboard.h>
#include <tavix/native/desktop.h>
#include <tavix/native/edit.h>

using namespace tavix::native;

namespace {

constexpr size_t kLongText = 10000;
constexpr int kResetEvery = 1000;

std::string Words(size_t length)
{
    std::string text;
    for (int i = 0; text.size() < length; ++i)
        text += "word" + std::to_string(i % 97) + ' ';
    text.resize(length);
    return text;
}

LRESULT HostProc(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }

// A focused edit box holding `length` characters with the caret in the middle.
struct EditScene {
    Desktop desktop { 800, 600 };
    HWND edit { 0 };
    std::string text;

    EditScene(DWORD style, int width, int height, size_t length)
        : text(Words(length))
    {
        RegisterClass("BenchHost", HostProc);
        HWND host = CreateWindowEx(0, "BenchHost", "", WS_VISIBLE, 0, 0, 800, 600, 0);
        edit = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, host);
        SendMessage(edit, EM_LIMITTEXT, 0, 0);
        SetFocus(edit);
        Reset();
    }
    void Reset()
    {
        SetWindowText(edit, text);
        SendMessage(edit, EM_SETSEL, text.size() / 2, text.size() / 2);
        desktop.RunUntilIdle();
    }
    // Key down, character, key up, and the repaint that follows.
    void Type()
    {
        desktop.KeyDown('X');
        desktop.Char('x');
        desktop.KeyUp('X');
    }
};

void TypeInto(benchmark::State& state, EditScene& scene)
{
    int typed = 0;
    for (auto _ : state) {
        scene.Type();
        if (++typed == kResetEvery) {
            state.PauseTiming();
            scene.Reset();
            typed = 0;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

static void BM_Edit_NativeTypeLong(benchmark::State& state)
{
    EditScene scene(ES_AUTOHSCROLL, 300, 22, kLongText);
    TypeInto(state, scene);
}
BENCHMARK(BM_Edit_NativeTypeLong)->Unit(benchmark::kMicrosecond);

// The same text as one word-wrapped paragraph: each key re-wraps the paragraph.
static void BM_Edit_NativeTypeLongWrapped(benchmark::State& state)
{
    EditScene scene(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 300, 200, kLongText);
    TypeInto(state, scene);
}
BENCHMARK(BM_Edit_NativeTypeLongWrapped)->Unit(benchmark::kMicrosecond);

static void BM_Edit_NativePasteMegabyte(benchmark::State& state)
{
    EditScene scene(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL, 300, 200, 0);
    std::string megabyte;
    while (megabyte.size() < (1 << 20))
        megabyte += Words(70) + "\r\n";
    SetClipboardText(megabyte);
    for (auto _ : state) {
        state.PauseTiming();
        SetWindowText(scene.edit, "");
        state.ResumeTiming();
        SendMessage(scene.edit, WM_PASTE, 0, 0);
        scene.desktop.RunUntilIdle();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(megabyte.size()));
}
BENCHMARK(BM_Edit_NativePasteMegabyte)->Unit(benchmark::kMillisecond);

namespace {

// A grid of text cells in a window, its current cell (2, 2) holding a Long.
struct GridEditScene {
    Desktop desktop { 800, 600 };
    tavix::Tavix grid;

    GridEditScene()
    {
        for (int c = 0; c < 5; ++c)
            grid.AddCol(tavix::AddColArgs { .lWidth = 120 });
        grid.SetRowCount(50);
        grid.Create(0, 0, 0, 700, 500);
        grid.SetCellValue(2, 2, tavix::GridVariant(int32_t { 5 }));
        grid.SetCurCell(2, 2);
        SetFocus(grid.hwnd());
        desktop.RunUntilIdle();
    }
};

}  // namespace

// F2 opens the editor over the cell, a typed digit and Enter store the converted value.
static void BM_Edit_OpenCommit(benchmark::State& state)
{
    GridEditScene scene;
    int32_t n = 0;
    for (auto _ : state) {
        scene.desktop.KeyDown(VK_F2);
        scene.desktop.KeyUp(VK_F2);
        scene.desktop.Char(U'0' + static_cast<char32_t>(n++ % 10));
        scene.desktop.Char(U'\r');
        scene.desktop.RunUntilIdle();
    }
    if (scene.grid.EditActive() || scene.grid.CellValue(2, 2).ToLong() != (n - 1) % 10)
        state.SkipWithError("the edit did not store the typed digit");
}
BENCHMARK(BM_Edit_OpenCommit)->Unit(benchmark::kMicrosecond);

// One character typed into the grid's editor holding 10,000 characters.
static void BM_Edit_TypeLong(benchmark::State& state)
{
    GridEditScene scene;
    const std::string text = Words(kLongText);
    scene.grid.SetCellValue(2, 2, tavix::GridVariant(text));
    scene.desktop.KeyDown(VK_F2);
    scene.desktop.KeyUp(VK_F2);
    scene.desktop.RunUntilIdle();
    const HWND box = scene.grid.TextEditHwnd();
    if (box == 0) {
        state.SkipWithError("no editor");
        return;
    }
    int typed = 0;
    for (auto _ : state) {
        scene.desktop.Char(U'x');
        scene.desktop.RunUntilIdle();
        if (++typed == kResetEvery) {
            state.PauseTiming();
            SetWindowText(box, text);
            SendMessage(box, EM_SETSEL, text.size() / 2, text.size() / 2);
            typed = 0;
            state.ResumeTiming();
        }
    }
    scene.desktop.Char(U'\x1b');
}
BENCHMARK(BM_Edit_TypeLong)->Unit(benchmark::kMicrosecond);
