// Chemistry: the look-up of a long formula, compiling and evaluating a line
// of formulas against the same line written with their masses (the look-up
// is the engine's last resort, so it should cost little more), and loading
// the shipped quim.ini.
#include <benchmark/benchmark.h>

#include <string>
#include <tuple>

#include "engine/ExpresionX.h"
#include "tools/Quim.h"

namespace {

using namespace numbrix;

const std::filesystem::path kQuimIni = std::filesystem::path(NUMBRIX_DATOS) / "quim.ini";

void Cargar() {
    static const bool hecho = TablaQuimica().Cargar(kQuimIni).empty();
    (void)hecho;
}

void BM_FormulaLarga(benchmark::State& st) {
    Cargar();
    std::string f = "2";
    for (int i = 0; i < 40; ++i) f += "CH3(CH2)14COONa";
    for (auto _ : st) {
        long double m = 0;
        benchmark::DoNotOptimize(TablaQuimica().MasaMolar(f, m));
        benchmark::DoNotOptimize(m);
    }
    st.SetLabel(std::to_string(f.size()) + " caracteres");
}
BENCHMARK(BM_FormulaLarga);

// Compiles and evaluates, alternating with a twin that has a trailing blank
// (SetTexto skips an unchanged text).
void Linea(benchmark::State& st, const std::string& texto, bool quimica) {
    Cargar();
    TExpresionX e;
    e.SetPredefinidas(true);
    e.Silencioso = true;
    if (quimica) {
        e.BuscarExterno2 = BuscarFormulaQuimica;
        std::tie(e.MedirExterno, e.DibujarExterno) = DibujoQuimico();
    }
    const std::string textos[2] = {texto, texto + " "};
    int k = 0;
    for (auto _ : st) {
        e.SetTexto(textos[k ^= 1]);
        benchmark::DoNotOptimize(e.Valor());
    }
    if (e.HayError) st.SkipWithError(e.Mensaje.c_str());
}
BENCHMARK_CAPTURE(Linea, formulas, std::string("2NaCl+3H2SO4+Ca(OH)2"), true);
BENCHMARK_CAPTURE(Linea, masas_con_quimica, std::string("2*58.44+3*98.072+74.092"), true);
BENCHMARK_CAPTURE(Linea, masas_sin_quimica, std::string("2*58.44+3*98.072+74.092"), false);

void BM_CargarQuimIni(benchmark::State& st) {
    TTablaQuimica t;
    for (auto _ : st) benchmark::DoNotOptimize(t.Cargar(kQuimIni));
    st.SetLabel(std::to_string(t.Elementos().size()) + " elementos");
}
BENCHMARK(BM_CargarQuimIni);

}  // namespace

BENCHMARK_MAIN();
