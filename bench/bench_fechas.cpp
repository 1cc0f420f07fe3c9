// One recomputation of the dates window, as each key typed into a box runs
// it: a date difference, a date plus days and a sum of three durations
// (no bar: the work is a few hundred nanoseconds).
#include <benchmark/benchmark.h>

#include "tools/Fechas.h"

namespace {

using numbrix::TipoCalculoFecha;

void Recalcular(benchmark::State& s, TipoCalculoFecha tipo, std::array<std::string, 3> cajas) {
    numbrix::TCalculoFechas calc(
        {numbrix::OrdenFecha::DiaMesAnio, [] { return numbrix::FechaHoraCivil{{2025, 6, 15}, 12, 0, 0, 0}; }});
    for (auto _ : s) benchmark::DoNotOptimize(calc.Calcular(tipo, cajas));
}

BENCHMARK_CAPTURE(Recalcular, diferencia, TipoCalculoFecha::Diferencia, {"01/03/2024 08:15", "28/02/24", ""});
BENCHMARK_CAPTURE(Recalcular, fecha_mas_dias, TipoCalculoFecha::FechaMasDias, {"31/12/2024", "1.5", ""});
BENCHMARK_CAPTURE(Recalcular, suma_tiempos, TipoCalculoFecha::TiempoMasTiempo, {"7:45", "2d 12", "-0:45:30.5"});

}  // namespace

BENCHMARK_MAIN();
