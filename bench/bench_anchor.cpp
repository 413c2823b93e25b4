// The workload the grid is compared on with other table widgets: 1,000,000 rows of 10 columns
// (eight ints, one double, one 8-letter string) filled cell by cell through the public API, a
// full repaint of a 1280 x 800 window, a sort by the first int column and one by the string.
#include <tavix/grid.h>
#include <tavix/native/desktop.h>
#include <tavix/native/window_paint.h>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace tavix;

constexpr int32_t kRows = 1000000;
constexpr int32_t kColumns = 10;
constexpr int32_t kDoubleCol = 2, kStringCol = 3, kSortIntCol = 1;
constexpr size_t kLetters = 8;

// Drawn once, in the order the other widgets' benchmark draws them, so every run fills the same cells.
struct AnchorData {
    std::vector<int32_t> ints;
    std::vector<double> doubles;
    std::vector<char> letters;

    AnchorData()
        : ints(static_cast<size_t>(kRows) * kColumns)
        , doubles(kRows)
        , letters(static_cast<size_t>(kRows) * kLetters)
    {
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> intDist(0, 1000000);
        std::uniform_real_distribution<double> doubleDist(0, 1e6);
        for (size_t r = 0; r < static_cast<size_t>(kRows); ++r) {
            for (size_t c = 0; c < kColumns; ++c)
                ints[r * kColumns + c] = intDist(rng);
            doubles[r] = doubleDist(rng);
            for (size_t i = 0; i < kLetters; ++i)
                letters[r * kLetters + i] = static_cast<char>('a' + rng() % 26);
        }
    }
    static const AnchorData& Get()
    {
        static const AnchorData data;
        return data;
    }
};

double ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

double PeakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;)
        if (key == "VmHWM:") {
            double kb = 0;
            status >> kb;
            return kb * 1024;
        }
    return 0;
}

// Lets the next PeakResidentBytes see the peak of what follows only.
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

std::unique_ptr<Tavix> FillGrid()
{
    const AnchorData& data = AnchorData::Get();
    auto grid = std::make_unique<Tavix>();
    for (int32_t c = 0; c < kColumns; ++c)
        grid->AddCol(AddColArgs { .lWidth = 120 });
    grid->SetRowCount(kRows);
    for (int32_t r = 1; r <= kRows; ++r) {
        const size_t row = static_cast<size_t>(r - 1);
        for (int32_t c = 1; c <= kColumns; ++c) {
            if (c == kDoubleCol)
                grid->SetCellValue(r, c, GridVariant(data.doubles[row]));
            else if (c == kStringCol)
                grid->SetCellValue(r, c, GridVariant(std::string(&data.letters[row * kLetters], kLetters)));
            else
                grid->SetCellValue(r, c, GridVariant(data.ints[row * kColumns + static_cast<size_t>(c - 1)]));
        }
    }
    return grid;
}

constexpr double kCells = static_cast<double>(kRows) * kColumns;

void BM_Anchor_Fill(benchmark::State& state)
{
    AnchorData::Get();
    double bytesPerCell = 0;
    for (auto _ : state) {
        const double before = ResidentBytes();
        auto grid = FillGrid();
        bytesPerCell = (ResidentBytes() - before) / kCells;
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = bytesPerCell;
    state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}
BENCHMARK(BM_Anchor_Fill)->Unit(benchmark::kMillisecond)->Iterations(1);

void SortFreshGrid(benchmark::State& state, int32_t col, ESortTypes type)
{
    double peakPerCell = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = ResidentBytes();
        auto grid = FillGrid();
        grid->SetColSortType(col, type);
        ResetPeakResident();
        state.ResumeTiming();
        grid->Sort(GridVariant(col));
        state.PauseTiming();
        peakPerCell = (PeakResidentBytes() - before) / kCells;
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["peak_bytes_per_cell"] = peakPerCell;
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_Anchor_SortInt(benchmark::State& state) { SortFreshGrid(state, kSortIntCol, tvSortByValue); }
BENCHMARK(BM_Anchor_SortInt)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Anchor_SortString(benchmark::State& state) { SortFreshGrid(state, kStringCol, tvSortByText); }
BENCHMARK(BM_Anchor_SortString)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Anchor_Render(benchmark::State& state)
{
    native::Desktop desktop(1280, 800);
    auto grid = FillGrid();
    grid->Create(0, 0, 0, 1280, 800);
    desktop.RunUntilIdle();
    for (auto _ : state) {
        native::InvalidateRect(grid->hwnd(), nullptr, true);
        native::UpdateWindow(grid->hwnd());
    }
}
BENCHMARK(BM_Anchor_Render)->Unit(benchmark::kMillisecond);

}  // namespace
