#include <tavix/format.h>
#include <tavix/variant.h>

#include <benchmark/benchmark.h>

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

}  // namespace
