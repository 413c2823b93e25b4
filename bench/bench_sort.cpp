// Sorting through the grid (1,000,000 rows of 10 columns) against the reference row-moving shell
// sort (100,000 rows), which copies whole rows and computes display texts on every comparison.
#include <tavix/grid.h>
#include <tavix/variant.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/cell_text.h"
#include "platform/grid_access.h"
#include "sort/cell_comparer.h"
#include "support/reference_sort.h"

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
    for (int32_t r = 1; r <= rows; ++r) {
        grid->SetCellValue(r, kLongCol, tavix::GridVariant(static_cast<int32_t>(rng() % 1000000)));
        grid->SetCellValue(r, kTextCol, tavix::GridVariant(Word(rng)));
        grid->SetCellValue(r, 3, tavix::GridVariant(static_cast<double>(rng() % 100000) / 100));
        grid->SetCellValue(r, kGroupCol, tavix::GridVariant(static_cast<int32_t>(rng() % 50)));
        for (int c = 5; c < kOrigin; ++c)
            grid->SetCellValue(r, c, tavix::GridVariant(static_cast<int32_t>(c)));
        grid->SetCellValue(r, kOrigin, tavix::GridVariant(r));
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

// The grid's cells copied into a plain matrix that the reference sort moves
// row by row (a spare row after the last holds the row set aside), with the
// display texts computed on every comparison as the grid would.
class MatrixRows : public tavix::SortSource {
public:
    explicit MatrixRows(const tavix::core::GridTable& table)
        : table_(table)
        , rows_(table.RowCount())
        , cols_(table.ColCount())
        , records_(static_cast<size_t>(rows_ + 1))
        , cells_(static_cast<size_t>(rows_ + 1) * cols_)
    {
        for (int32_t r = 1; r <= rows_; ++r) {
            records_[static_cast<size_t>(r - 1)] = table.Row(r);
            for (int32_t c = 1; c <= cols_; ++c)
                At(r, c) = table.Cell(r, c);
        }
    }
    void SortBy(const tavix::ShellSortObject& criteria)
    {
        comparer_.emplace(criteria, *this, 0);
        tavix::testing::ReferenceSort(*this, false);
    }

    // The reference sort's row adapter.
    int32_t Count() const { return rows_; }
    bool IsGroup(int32_t) const { return false; }
    void Copy(int32_t from, int32_t to)
    {
        records_[static_cast<size_t>(to - 1)] = records_[static_cast<size_t>(from - 1)];
        std::copy_n(&At(from, 1), cols_, &At(to, 1));
    }
    bool NotBelow(int32_t a, int32_t b) { return comparer_->CompareRows(a, b); }

    // tavix::SortSource
    tavix::GridVariant& Value(int32_t r, int16_t c) override { return At(r, c).Value; }
    std::string DisplayText(int32_t r, int16_t c) override
    {
        return tavix::core::CellTextOf(At(r, c), table_.Look(At(r, c)), table_.Formats(), table_.Combos());
    }
    int16_t Icon(int32_t r, int16_t c) override { return table_.Look(At(r, c)).Icon; }
    int16_t ExtraIcon(int32_t r, int16_t c) override { return table_.Look(At(r, c)).ExtraIcon; }
    tavix::OleColor ForeColor(int32_t r, int16_t c) override { return table_.Look(At(r, c)).ForeColor; }
    tavix::OleColor BackColor(int32_t r, int16_t c) override { return table_.Look(At(r, c)).BackColor; }
    int16_t FontIndex(int32_t r, int16_t c) override { return table_.Look(At(r, c)).FontIndex; }
    bool Selected(int32_t r, int16_t c) override { return At(r, c).Flags & tavix::core::CellData::kSelected; }
    int16_t Indent(int32_t r, int16_t c) override { return table_.Look(At(r, c)).Indent; }
    uint8_t Hatch(int32_t r, int16_t c) override { return table_.Look(At(r, c)).Hatch; }
    bool IsGroupRow(int32_t) override { return false; }
    void CustomSort(tavix::GridVariant&, tavix::GridVariant&, bool&) override { }

private:
    tavix::core::CellData& At(int32_t r, int32_t c)
    {
        return cells_[static_cast<size_t>(r - 1) * cols_ + static_cast<size_t>(c - 1)];
    }

    const tavix::core::GridTable& table_;
    int32_t rows_;
    int32_t cols_;
    std::vector<tavix::core::RowData> records_;
    std::vector<tavix::core::CellData> cells_;
    std::optional<tavix::CellComparer> comparer_;
};

void ReferenceSort(benchmark::State& state, std::vector<std::pair<int16_t, int32_t>> criteria)
{
    static const auto grid = MakeGrid(kReferenceRows);
    MatrixRows rows(tavix::internal::GridAccess::Table(*grid));
    tavix::ShellSortObject sortBy, restore;
    SetCriteria(sortBy, criteria);
    SetCriteria(restore, { { kOrigin, tavix::tvSortByValue } });
    for (auto _ : state) {
        rows.SortBy(sortBy);
        state.PauseTiming();
        rows.SortBy(restore);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kReferenceRows);
}

void BM_Sort_Long(benchmark::State& state) { GridSort(state, { { kLongCol, tavix::tvSortByValue } }); }
void BM_Sort_Text(benchmark::State& state) { GridSort(state, { { kTextCol, tavix::tvSortByText } }); }
void BM_Sort_TextNoCase(benchmark::State& state) { GridSort(state, { { kTextCol, tavix::tvSortByTextNoCase } }); }
// A header click on a text column: columns sort by value unless told otherwise.
void BM_Sort_TextValue(benchmark::State& state) { GridSort(state, { { kTextCol, tavix::tvSortByValue } }); }
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
void BM_Sort_TextValue_Reference(benchmark::State& state)
{
    ReferenceSort(state, { { kTextCol, tavix::tvSortByValue } });
}
void BM_Sort_TwoCriteria_Reference(benchmark::State& state)
{
    ReferenceSort(state, { { kGroupCol, tavix::tvSortByValue }, { kTextCol, tavix::tvSortByText } });
}

BENCHMARK(BM_Sort_Long)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_Text)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_TextNoCase)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_TextValue)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_TwoCriteria)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort_Long_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sort_Text_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sort_TextNoCase_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sort_TextValue_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sort_TwoCriteria_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
