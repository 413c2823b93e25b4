#include <tavix/grid.h>

#include "platform/grid_access.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace {

// Resident set size in bytes, from /proc/self/statm.
double ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// Appends rows one by one and sets every cell, as an application filling the grid does.
void AppendRowsAndSetCells(benchmark::State& state, int32_t rows, int32_t cols)
{
    double bytesPerCell = 0;
    int64_t reallocations = 0;
    for (auto _ : state) {
        const double before = ResidentBytes();
        tavix::Tavix grid;
        for (int32_t c = 0; c < cols; ++c)
            grid.AddCol();
        for (int32_t r = 1; r <= rows; ++r) {
            grid.AddRow();
            for (int32_t c = 1; c <= cols; ++c)
                grid.SetCellValue(r, c, tavix::GridVariant(r + c));
        }
        bytesPerCell = (ResidentBytes() - before) / (static_cast<double>(rows) * cols);
        reallocations = tavix::internal::GridAccess::Table(grid).Cells().Reallocations();
        benchmark::DoNotOptimize(grid.RowCount());
    }
    state.counters["bytes_per_cell"] = bytesPerCell;
    state.counters["reallocations"] = static_cast<double>(reallocations);
    state.SetItemsProcessed(state.iterations() * rows * cols);
}

void BM_Fill_AppendRows(benchmark::State& state)
{
    AppendRowsAndSetCells(state, static_cast<int32_t>(state.range(0)), 10);
}
BENCHMARK(BM_Fill_AppendRows)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A hundred columns: each new cell finds its column's default cell.
void BM_Fill_AppendRowsWide(benchmark::State& state)
{
    AppendRowsAndSetCells(state, static_cast<int32_t>(state.range(0)), 100);
}
BENCHMARK(BM_Fill_AppendRowsWide)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Fill_RowIndex(benchmark::State& state)
{
    const int32_t rows = static_cast<int32_t>(state.range(0));
    tavix::Tavix grid;
    grid.AddCol();
    std::mt19937 rng(1);
    std::vector<std::string> keys;
    keys.reserve(static_cast<size_t>(rows));
    for (int32_t r = 0; r < rows; ++r) {
        std::string key = "k" + std::to_string(rng()) + "_" + std::to_string(r);
        grid.AddRow(key);
        keys.push_back(std::move(key));
    }
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid.RowIndex(keys[i]));
        i = (i + 7919) % keys.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Fill_RowIndex)->Arg(100000);

void BM_Text_CellTextFormatted(benchmark::State& state)
{
    const int32_t rows = static_cast<int32_t>(state.range(0));
    tavix::Tavix grid;
    grid.AddCol().SetsFmtString("#,##0.00");
    grid.SetRowCount(rows);
    for (int32_t r = 1; r <= rows; ++r)
        grid.SetCellValue(r, 1, tavix::GridVariant(r * 1.25));
    for (auto _ : state)
        for (int32_t r = 1; r <= rows; ++r)
            benchmark::DoNotOptimize(grid.CellText(r, 1));
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_Text_CellTextFormatted)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
