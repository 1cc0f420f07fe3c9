// The instant converter's work per keystroke: one recompute of the largest
// magnitude of the shipped unit file, the quantity read and every unit's
// text written (bar 2 ms), and the 35 base cells' texts (bar 1 ms).
#include <benchmark/benchmark.h>

#include "shell/Sesion.h"
#include "units/Conversor.h"

namespace {

void BM_RecalcularMayor(benchmark::State& s) {
    numbrix::TModeloUnidades m;
    m.CargarMagnitudes(std::filesystem::path(NUMBRIX_SOURCE_DATA_DIR) / numbrix::TModeloUnidades::NombreArchivo);
    int mayor = 0;
    for (std::size_t i = 0; i < m.Magnitudes().size(); ++i)
        if (m.Magnitudes()[i].Unidades.size() > m.Magnitudes()[static_cast<std::size_t>(mayor)].Unidades.size())
            mayor = static_cast<int>(i);
    numbrix::TSesion sesion;
    numbrix::TCantidadConversor cantidad(sesion);
    std::size_t filas = 0;
    for (auto _ : s) {
        const auto l = cantidad.Leer("3*12+sin(1)");
        const auto t = numbrix::ConvertirATodas(m, mayor, 1, l.valor,
                                                [&](long double v) { return sesion.TextoResultado(v); });
        filas = t.textos.size();
        benchmark::DoNotOptimize(t.textos.data());
    }
    s.counters["unidades"] = static_cast<double>(filas);
    if (filas < 10) s.SkipWithError("no se halló el archivo de fábrica");
}
BENCHMARK(BM_RecalcularMayor)->Unit(benchmark::kMicrosecond);

void BM_TextosBases(benchmark::State& s) {
    const numbrix::FormatoNumero f;
    for (auto _ : s) benchmark::DoNotOptimize(numbrix::TextosBases(255.8125L, f));
}
BENCHMARK(BM_TextosBases)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
