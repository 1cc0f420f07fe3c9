// Speed of the shell's calculus functions: a million-term sum and a
// million-interval integral through the engine, each beside the same loop in
// plain C++, and a 12×12 determinant. The cancel request is polled as in the
// calculator (a callback that never cancels).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

#include "shell/Calculo.h"

namespace {

using namespace numbrix;

// A real-mode engine with x and n as the session registers them: the slot's
// value once asked (here: always marked, so nothing is asked).
struct Motor {
    VariablePregunta x{'x', 0.5L, true, "1"};
    VariablePregunta n{'n', 1, true, "1"};
    TExpresionX e;

    Motor() {
        e.SetPredefinidas(true);
        e.Silencioso = true;
        e.Cancelar = [] { return false; };
        for (VariablePregunta* p : {&x, &n}) {
            e.AgregarFuncion0(
                std::string(1, p->letra), [p](ContextoX&) { return p->preguntada ? p->valor : 0.0L; }, "",
                MakeVariable);
        }
        RegistrarCalculo(e, x, n, true);
    }
};

void Evaluar(benchmark::State& st, const std::string& texto) {
    Motor m;
    m.e.SetTexto(texto);
    if (m.e.HayError) {
        st.SkipWithError(m.e.Mensaje.c_str());
        return;
    }
    for (auto _ : st) {
        m.e.Forzar = true;
        benchmark::DoNotOptimize(m.e.Valor());
    }
    if (m.e.HayError) st.SkipWithError(m.e.Mensaje.c_str());
}

void BM_SumatoriaMotor(benchmark::State& st) { Evaluar(st, "Sumatoria(1,1000000,n^2)"); }
BENCHMARK(BM_SumatoriaMotor)->Unit(benchmark::kMillisecond);

void BM_SumatoriaCpp(benchmark::State& st) {
    for (auto _ : st) {
        long double s = 0;
        for (std::int64_t k = 1; k <= 1000000; ++k) {
            long double v = static_cast<long double>(k);
            benchmark::DoNotOptimize(v);
            s += v * v;
        }
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_SumatoriaCpp)->Unit(benchmark::kMillisecond);

void BM_IntegrarMotor(benchmark::State& st) { Evaluar(st, "Integrar(0,1,1000000,x^2)"); }
BENCHMARK(BM_IntegrarMotor)->Unit(benchmark::kMillisecond);

// The same composite Boole rule, five evaluations per panel.
void BM_IntegrarCpp(benchmark::State& st) {
    const std::int64_t paneles = 1000000 / 4;
    const long double a = 0, b = 1, h = (b - a) / (4.0L * paneles);
    for (auto _ : st) {
        long double suma = 0;
        for (std::int64_t k = 0; k < paneles; ++k) {
            long double x = a + 4.0L * static_cast<long double>(k) * h;
            long double f[5];
            for (auto& v : f) {
                benchmark::DoNotOptimize(x);
                v = x * x;
                x += h;
            }
            suma += (7 * f[0] + 32 * f[1] + 12 * f[2] + 32 * f[3] + 7 * f[4]) * h * 2 / 45;
        }
        benchmark::DoNotOptimize(suma);
    }
}
BENCHMARK(BM_IntegrarCpp)->Unit(benchmark::kMillisecond);

std::string TextoDet12(bool conVariable) {
    std::mt19937_64 azar(12);
    std::uniform_int_distribution<int> d(-99, 99);
    std::string t = "Det(";
    for (int k = 0; k < 144; ++k) {
        if (k) t += ',';
        t += (k == 0 && conVariable) ? std::string("x") : std::to_string(d(azar));
    }
    return t + ")";
}

// One entry reads x, so every evaluation reads the 144 arguments and eliminates.
void BM_Det12(benchmark::State& st) { Evaluar(st, TextoDet12(true)); }
BENCHMARK(BM_Det12)->Unit(benchmark::kMicrosecond);

// All constant: the determinant is folded while compiling the line.
void BM_Det12Compilar(benchmark::State& st) {
    Motor m;
    const std::string textos[2] = {TextoDet12(false), TextoDet12(false) + " "};
    int k = 0;
    for (auto _ : st) {
        m.e.SetTexto(textos[k ^= 1]);
        benchmark::DoNotOptimize(m.e.Valor());
    }
    if (m.e.HayError) st.SkipWithError(m.e.Mensaje.c_str());
}
BENCHMARK(BM_Det12Compilar)->Unit(benchmark::kMicrosecond);

void BM_Determinante12(benchmark::State& st) {
    std::mt19937_64 azar(12);
    std::uniform_int_distribution<int> d(-99, 99);
    std::vector<long double> a(144);
    for (auto& v : a) v = d(azar);
    for (auto _ : st) benchmark::DoNotOptimize(Determinante(a, 12));
}
BENCHMARK(BM_Determinante12)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
