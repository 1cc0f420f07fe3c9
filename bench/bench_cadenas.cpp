// Long flat chains: compiling «1+1+…+1» of 5,000, 10,000 and 20,000 terms
// (the bar: 20,000 terms within 50 ms, and time growing linearly with the
// length), the same sum written in 100,000 characters, a product, and
// re-evaluating, solving and laying out a 20,000-term chain.
//
// Run with repetitions and read the medians, e.g.
//   build/bench/bench_cadenas --benchmark_repetitions=15 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/DiagramaX.h"
#include "engine/ExpresionX.h"
#include "support/LienzoGrabado.h"

namespace {

using numbrix::TExpresionX;

std::string Cadena(int terminos, const std::string& termino, const std::string& sep) {
    std::string t;
    t.reserve(static_cast<std::size_t>(terminos) * (termino.size() + sep.size()));
    for (int i = 0; i < terminos; ++i) {
        if (i) t += sep;
        t += termino;
    }
    return t;
}

void Preparar(TExpresionX& e) {
    e.SetPredefinidas(true);
    e.Silencioso = true;
    e.AgregarVariable("x")->AsignarValor(1);
    e.SetTexto("0");
}

// Compiling (and releasing the previous tree): the text and its twin with a
// trailing blank in turn, since an unchanged text is not compiled again.
void Compilar(benchmark::State& st, const std::string& texto) {
    TExpresionX e;
    Preparar(e);
    const std::string textos[2] = {texto, texto + " "};
    e.SetTexto(texto);
    if (e.HayError) {
        st.SkipWithError(e.Mensaje.c_str());
        return;
    }
    int k = 0;
    for (auto _ : st) {
        e.SetTexto(textos[k ^= 1]);
        benchmark::DoNotOptimize(e.Arbol.get());
    }
    if (e.HayError) st.SkipWithError(e.Mensaje.c_str());
    st.SetLabel(std::to_string(texto.size()) + " caracteres");
    // Seconds per term: constant when the time is linear in the length.
    st.counters["por_termino"] = benchmark::Counter(static_cast<double>(st.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

void BM_CompilarSumaPlana(benchmark::State& st) {
    Compilar(st, Cadena(static_cast<int>(st.range(0)), "1", "+"));
}
BENCHMARK(BM_CompilarSumaPlana)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

// 20,000 terms in 100,000 characters.
void BM_CompilarSumaPlana100000Caracteres(benchmark::State& st) {
    Compilar(st, Cadena(static_cast<int>(st.range(0)), "1.25", "+"));
}
BENCHMARK(BM_CompilarSumaPlana100000Caracteres)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_CompilarProductoPlano(benchmark::State& st) {
    Compilar(st, Cadena(static_cast<int>(st.range(0)), "x", "*"));
}
BENCHMARK(BM_CompilarProductoPlano)->Arg(20000)->Unit(benchmark::kMillisecond);

// Re-evaluating «x+x+…+x» after assigning x.
void BM_EvaluarSumaPlana(benchmark::State& st) {
    TExpresionX e;
    Preparar(e);
    auto x = e.AgregarVariable("x");
    e.SetTexto(Cadena(static_cast<int>(st.range(0)), "x", "+"));
    long double v = 0;
    for (auto _ : st) {
        x->AsignarValor(v);
        benchmark::DoNotOptimize(v = e.Valor());
        v = v > 1 ? 0.5L : v + 1;
    }
    if (e.HayError) st.SkipWithError(e.Mensaje.c_str());
}
BENCHMARK(BM_EvaluarSumaPlana)->Arg(20000)->Unit(benchmark::kMillisecond);

// Solving «x+1+…+1=5» for x and evaluating the solution.
void BM_DespejarSumaPlana(benchmark::State& st) {
    TExpresionX e;
    Preparar(e);
    auto x = e.AgregarVariable("x");
    e.SetTexto("x+" + Cadena(static_cast<int>(st.range(0)) - 1, "1", "+") + "=5");
    for (auto _ : st) benchmark::DoNotOptimize(e.ResolverPara(x.get()));
    if (e.HayError) st.SkipWithError(e.Mensaje.c_str());
}
BENCHMARK(BM_DespejarSumaPlana)->Arg(20000)->Unit(benchmark::kMillisecond);

// Laying out and recording the picture of «x+x+…+x», with fixed metrics.
class MetricasFijas : public numbrix::MetricasTexto {
public:
    numbrix::MedidaTexto Medir(const numbrix::Fuente& f, std::string_view texto) const override {
        numbrix::MedidaTexto m;
        m.ancho = static_cast<int>(texto.size()) * f.tam / 2;
        m.alto = f.tam;
        m.ascenso = f.tam * 4 / 5;
        m.tintaArriba = 0;
        m.tintaAbajo = f.tam;
        return m;
    }
};

void BM_DibujarSumaPlana(benchmark::State& st) {
    TExpresionX e;
    Preparar(e);
    e.SetTexto(Cadena(static_cast<int>(st.range(0)), "x", "+"));
    auto metricas = std::make_shared<MetricasFijas>();
    for (auto _ : st) {
        auto g = numbrix::Metarchivo(e, metricas);
        benchmark::DoNotOptimize(g->Ancho());
    }
}
BENCHMARK(BM_DibujarSumaPlana)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
