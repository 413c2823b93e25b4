#include <tavix/format.h>
#include <tavix/variant.h>

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

namespace {

void BM_Text_FormatDouble(benchmark::State& state)
{
    const tavix::GridVariant value(1234567.891);
    for (auto _ : state)
        benchmark::DoNotOptimize(tavix::Format(value, "#,##0.00"));
}
BENCHMARK(BM_Text_FormatDouble);

void BM_Text_VariantToString(benchmark::State& state)
{
    const tavix::GridVariant values[] = { tavix::GridVariant(1234.5), tavix::GridVariant(42),
        tavix::GridVariant::Date(45657.5), tavix::GridVariant("text") };
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(values[i++ & 3].ToString());
}
BENCHMARK(BM_Text_VariantToString);

// Assigns one value over a block of cells, as filling a column from its default cell does.
void CopyIntoCells(benchmark::State& state, const tavix::GridVariant& source)
{
    constexpr size_t kCells = 1024;
    std::vector<tavix::GridVariant> cells(kCells);
    for (auto _ : state) {
        for (auto& cell : cells)
            cell = source;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kCells));
}

void BM_Variant_CopyShortString(benchmark::State& state) { CopyIntoCells(state, tavix::GridVariant("abcdefgh")); }
BENCHMARK(BM_Variant_CopyShortString);

void BM_Variant_CopyEmptyString(benchmark::State& state) { CopyIntoCells(state, tavix::GridVariant("")); }
BENCHMARK(BM_Variant_CopyEmptyString);

void BM_Variant_DecimalCompare(benchmark::State& state)
{
    // Equal scales, different scales, and a long against a decimal.
    const std::array<tavix::GridVariant, 4> values = { tavix::ParseVariantAs(tavix::VtDecimal, "12345.6789"),
        tavix::ParseVariantAs(tavix::VtDecimal, "12345.6788"),
        tavix::ParseVariantAs(tavix::VtDecimal, "79228162514264337593543950335"), tavix::GridVariant(12345) };
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tavix::CompareVariantValues(values[i & 3], values[(i + 1) & 3]));
        ++i;
    }
}
BENCHMARK(BM_Variant_DecimalCompare);

void BM_Variant_DecimalFormat(benchmark::State& state)
{
    const tavix::GridVariant value = tavix::ParseVariantAs(tavix::VtDecimal, "1234567890123456789.0123456789");
    for (auto _ : state)
        benchmark::DoNotOptimize(tavix::Format(value, "#,##0.00"));
}
BENCHMARK(BM_Variant_DecimalFormat);

}  // namespace
