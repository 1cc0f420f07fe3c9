// A million steps of S1/2+1 through the sequence engines, beside the same
// recurrence as a plain long double loop.
#include <benchmark/benchmark.h>

#include "tools/Sucesion.h"

namespace {

void BM_SucesionMillon(benchmark::State& st) {
    for (auto _ : st) {
        numbrix::TSucesion s;
        numbrix::DefinicionSucesion d;
        d.Sn = "S1/2+1", d.Parada = "n>=1000000";
        s.Compilar(d);
        s.FijarIniciales({0});
        std::vector<std::string> l;
        s.Correr({}, {}, l);
        benchmark::DoNotOptimize(s.Termino(0));
    }
}
BENCHMARK(BM_SucesionMillon)->Unit(benchmark::kMillisecond);

void BM_BucleLongDouble(benchmark::State& st) {
    for (auto _ : st) {
        volatile long double v = 0;
        for (long n = 2; n <= 1000000; ++n) v = v / 2 + 1;
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_BucleLongDouble)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
