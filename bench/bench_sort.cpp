#include <tavix/shell_sort_object.h>
#include <tavix/variant.h>

#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <vector>

#include "../src/sort/sort_permutation.h"

namespace {

constexpr int32_t kRows = 100000;

std::vector<int32_t> RandomLongs() {
    std::mt19937 rng(7);
    std::vector<int32_t> v(kRows);
    for (auto& x : v) x = static_cast<int32_t>(rng() % 1000000);
    return v;
}

// One Long column; every other property is constant.
class LongColumn : public tavix::SortSource {
public:
    explicit LongColumn(const std::vector<int32_t>& values) {
        for (int32_t v : values) cells_.emplace_back(v);
    }
    tavix::GridVariant& Value(int32_t row, int16_t) override { return cells_[row - 1]; }
    std::string DisplayText(int32_t row, int16_t) override { return cells_[row - 1].ToString(); }
    int16_t Icon(int32_t, int16_t) override { return 0; }
    int16_t ExtraIcon(int32_t, int16_t) override { return 0; }
    uint32_t ForeColor(int32_t, int16_t) override { return 0; }
    uint32_t BackColor(int32_t, int16_t) override { return 0; }
    int16_t FontIndex(int32_t, int16_t) override { return 0; }
    bool Selected(int32_t, int16_t) override { return false; }
    int16_t Indent(int32_t, int16_t) override { return 0; }
    uint8_t Hatch(int32_t, int16_t) override { return 0; }
    bool IsGroupRow(int32_t) override { return false; }
    void CustomSort(tavix::GridVariant&, tavix::GridVariant&, bool&) override {}

private:
    std::vector<tavix::GridVariant> cells_;
};

void BM_Sort_Long(benchmark::State& state) {
    const auto values = RandomLongs();
    LongColumn source(values);
    tavix::ShellSortObject criteria;
    criteria.SetColCount(1);
    for (auto _ : state) benchmark::DoNotOptimize(tavix::SortPermutation(criteria, source, kRows, false));
}
BENCHMARK(BM_Sort_Long)->Unit(benchmark::kMillisecond);

// The same shell sort moving whole rows of ten cells, as a baseline.
void BM_Sort_Long_Reference(benchmark::State& state) {
    using Row = std::array<tavix::GridVariant, 10>;
    const auto values = RandomLongs();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Row> rows(kRows);
        for (int32_t r = 0; r < kRows; ++r) rows[r][0] = tavix::GridVariant(values[r]);
        state.ResumeTiming();
        int32_t h = 1;
        while (3 * h + 1 < kRows) h = 3 * h + 1;
        for (; h >= 1; h = (h - 1) / 3) {
            for (int32_t i = h; i < kRows; ++i) {
                Row held = rows[i];
                int32_t j = i - h;
                while (j >= 0 && tavix::CompareVariantValues(held[0], rows[j][0]) < 0) {
                    rows[j + h] = rows[j];
                    j -= h;
                }
                rows[j + h] = held;
            }
        }
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_Sort_Long_Reference)->Unit(benchmark::kMillisecond);

}  // namespace
