// The statistics tool's core: pasting a large column and the 21 measures
// over a large table (bars: 300 ms and 200 ms).
#include <benchmark/benchmark.h>

#include <string>

#include "tools/Estadistica.h"

namespace numbrix {
namespace {

std::string Columna(int n) {
    std::string t;
    for (int i = 0; i < n; ++i) t += std::to_string(i) + "." + std::to_string(i % 97) + "*" + std::to_string(1 + i % 5) + "\r\n";
    return t;
}

void BM_Pegar100000(benchmark::State& s) {
    const std::string t = Columna(100000);
    for (auto _ : s) {
        TEstadistica e;
        benchmark::DoNotOptimize(e.Pegar(t));
    }
}
BENCHMARK(BM_Pegar100000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_Medidas1000000(benchmark::State& s) {
    TEstadistica e;
    e.Pegar(Columna(1000000));
    for (auto _ : s) benchmark::DoNotOptimize(e.Medidas());
}
BENCHMARK(BM_Medidas1000000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace numbrix

BENCHMARK_MAIN();
