// Sorting through the grid (1,000,000 rows of 10 columns) against the literal row-moving shell
// sort (100,000 rows), which copies whole rows and computes display texts on every comparison.
#include <tavix/grid.h>
#include <tavix/variant.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "../src/core/grid_state.h"
#include "../src/sort/cell_comparer.h"
#include "../src/sort/grid_sort_source.h"

namespace {

constexpr int32_t kGridRows = 1000000;
constexpr int32_t kReferenceRows = 100000;
constexpr int32_t kColumns = 10;
// Column 10 holds each row's number at creation: sorting by it restores the filled order.
constexpr int16_t kLongCol = 1, kTextCol = 2, kGroupCol = 4, kOrigin = 10;

std::string Word(std::mt19937& rng)
{
    static const char* syllables[] = { "ka", "Lo", "mi", "Ter", "su", "VA", "ne", "ri", "Do", "pe" };
    std::string s;
    for (int i = 0; i < 3 + static_cast<int>(rng() % 3); ++i)
        s += syllables[rng() % 10];
    return s;
}

std::unique_ptr<tavix::Tavix> MakeGrid(int32_t rows)
{
    auto grid = std::make_unique<tavix::Tavix>();
    for (int c = 0; c < kColumns; ++c)
        grid->AddCol();
    grid->SetRowCount(rows);
    std::mt19937 rng(7);
    auto& s = grid->State();
    for (int32_t r = 1; r <= rows; ++r) {
        s.cells.At(r, kLongCol).Value = tavix::GridVariant(static_cast<int32_t>(rng() % 1000000));
        s.cells.At(r, kTextCol).Value = tavix::GridVariant(Word(rng));
        s.cells.At(r, 3).Value = tavix::GridVariant(static_cast<double>(rng() % 100000) / 100);
        s.cells.At(r, kGroupCol).Value = tavix::GridVariant(static_cast<int32_t>(rng() % 50));
        for (int c = 5; c < kOrigin; ++c)
            s.cells.At(r, c).Value = tavix::GridVariant(static_cast<int32_t>(c));
        s.cells.At(r, kOrigin).Value = tavix::GridVariant(r);
    }
    return grid;
}

void SetCriteria(tavix::ShellSortObject& criteria, const std::vector<std::pair<int16_t, int32_t>>& list)
{
    criteria.SetColCount(static_cast<int16_t>(list.size()));
    for (int16_t k = 1; k <= criteria.ColCount(); ++k) {
        criteria.SetSortCol(k, list[k - 1].first);
        criteria.SetSortOrder(k, tavix::tvSortAsc);
        criteria.SetSortType(k, list[k - 1].second);
    }
}

void GridSort(benchmark::State& state, std::vector<std::pair<int16_t, int32_t>> criteria)
{
    static const auto grid = MakeGrid(kGridRows);
    for (auto _ : state) {
        SetCriteria(grid->SortObject(), criteria);
        grid->Sort();
        state.PauseTiming();
        SetCriteria(grid->SortObject(), { { kOrigin, tavix::tvSortByValue } });
        grid->Sort();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kGridRows);
}

// The shell sort as written: held row copied aside (into the spare row after the last),
// rows shifted by copying every cell and the record, nothing cached between comparisons.
void LiteralSort(tavix::core::GridState& s, const tavix::ShellSortObject& criteria)
{
    tavix::GridSortSource source(s);
    tavix::CellComparer literal(criteria, source, 0);
    const int32_t held = s.rowCount + 1;
    auto copyRow = [&](int32_t from, int32_t to) {
        for (int32_t c = 1; c <= s.ColCount(); ++c)
            s.cells.At(to, c) = s.cells.At(from, c);
        s.rows.At(to) = s.rows.At(from);
    };
    const int32_t n = s.rowCount;
    int32_t h = 1;
    while (3 * h + 1 < n)
        h = 3 * h + 1;
    for (; h >= 1; h = (h - 1) / 3) {
        for (int32_t i = 1 + h; i <= n; ++i) {
            copyRow(i, held);
            int32_t j = i - h;
            while (j >= 1 && !literal.CompareRows(held, j)) {
                copyRow(j, j + h);
                j -= h;
            }
            copyRow(held, j + h);
        }
    }
}

void ReferenceSort(benchmark::State& state, std::vector<std::pair<int16_t, int32_t>> criteria)
{
    static const auto grid = MakeGrid(kReferenceRows);
    auto& s = grid->State();
    tavix::ShellSortObject sortBy, restore;
    SetCriteria(sortBy, criteria);
    SetCriteria(restore, { { kOrigin, tavix::tvSortByValue } });
    for (auto _ : state) {
        LiteralSort(s, sortBy);
        state.PauseTiming();
        LiteralSort(s, restore);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kReferenceRows);
}

void BM_Sort_Long(benchmark::State& state) { GridSort(state, { { kLongCol, tavix::tvSortByValue } }); }
void BM_Sort_Text(benchmark::State& state) { GridSort(state, { { kTextCol, tavix::tvSortByText } }); }
void BM_Sort_TextNoCase(benchmark::State& state) { GridSort(state, { { kTextCol, tavix::tvSortByTextNoCase } }); }
void BM_Sort_TwoCriteria(benchmark::State& state)
{
    GridSort(state, { { kGroupCol, tavix::tvSortByValue }, { kTextCol, tavix::tvSortByText } });
}
void BM_Sort_Long_Reference(benchmark::State& state) { ReferenceSort(state, { { kLongCol, tavix::tvSortByValue } }); }
void BM_Sort_Text_Reference(benchmark::State& state) { ReferenceSort(state, { { kTextCol, tavix::tvSortByText } }); }
void BM_Sort_TextNoCase_Reference(benchmark::State& state)
{
    ReferenceSort(state, { { kTextCol, tavix::tvSortByTextNoCase } });
}
void BM_Sort_TwoCriteria_Reference(benchmark::State& state)
{
    ReferenceSort(state, { { kGroupCol, tavix::tvSortByValue }, { kTextCol, tavix::tvSortByText } });
}

BENCHMARK(BM_Sort_Long)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_Text)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_TextNoCase)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_TwoCriteria)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_Long_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sort_Text_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sort_TextNoCase_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sort_TwoCriteria_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
