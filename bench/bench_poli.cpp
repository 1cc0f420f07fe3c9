// The roots text where the rational search has the most candidates and finds
// none: every divisor pair is filtered modulo a prime before the exact test.
#include <benchmark/benchmark.h>

#include "tools/Poli.h"

using namespace numbrix;

namespace {

void Raices(benchmark::State& st, const char* texto) {
    const TPoli p = TPoli::DesdeTexto(texto);
    for (auto _ : st) benchmark::DoNotOptimize(RaicesTexto(p));
}

}  // namespace

BENCHMARK_CAPTURE(Raices, MuchosDivisores, "x^6+963761198400")->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(Raices, DosFinales, "720720x^6+963761198400")->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(Raices, DosFinalesCoprimos, "720720x^6+1085220062510491")->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

BENCHMARK_MAIN();
