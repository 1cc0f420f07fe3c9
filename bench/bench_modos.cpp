// The three engines on the same work: compiling and evaluating a typical
// line once (EvaluarTexto), and re-evaluating a compiled tree whose variable
// changes. Run with --benchmark_repetitions and read the medians; the ratio
// to the real engine is the cost of exact fractions and of complex values.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/ExpresionX.h"
#include "numbers/ExpresionC.h"
#include "numbers/ExpresionQ.h"

using namespace numbrix;

namespace {

// Only what all three modes know: integers, the four operations, powers,
// parentheses and the shared built-ins.
const std::string kLinea = "1+2*3-4/(5+6)^2+sqr(7)-Rcp(8)*sqrt(9)+(10-11)*12+Si(3>2,1,2)";
const std::string kPolinomio = "(x*x+2*x+1)/(x+1)-x";

template <class Motor>
void Preparar(Motor& e) {
    e.SetPredefinidas(true);
    e.Silencioso = true;
}

template <class Motor>
void CompilarYEvaluar(benchmark::State& st) {
    Motor e;
    Preparar(e);
    for (auto _ : st) benchmark::DoNotOptimize(e.EvaluarTexto(kLinea));
}

template <class Motor, class Valor>
void Reevaluar(benchmark::State& st, Valor (*valorDe)(long long)) {
    Motor e;
    Preparar(e);
    auto x = e.AgregarVariable("x");
    e.SetTexto(kPolinomio);
    long long i = 0;
    for (auto _ : st) {
        x->AsignarValor(valorDe(++i & 1023));
        benchmark::DoNotOptimize(e.Valor());
    }
}

long double Real(long long n) { return static_cast<long double>(n); }
TFrac Fraccion(long long n) { return TFrac(n, 3); }
TComplejo Complejo(long long n) { return {static_cast<long double>(n), 1}; }

void BM_CompilarEvaluar_Real(benchmark::State& st) { CompilarYEvaluar<TExpresionX>(st); }
void BM_CompilarEvaluar_Racional(benchmark::State& st) { CompilarYEvaluar<TExpresionQ>(st); }
void BM_CompilarEvaluar_Complejo(benchmark::State& st) { CompilarYEvaluar<TExpresionC>(st); }
void BM_Reevaluar_Real(benchmark::State& st) { Reevaluar<TExpresionX>(st, Real); }
void BM_Reevaluar_Racional(benchmark::State& st) { Reevaluar<TExpresionQ>(st, Fraccion); }
void BM_Reevaluar_Complejo(benchmark::State& st) { Reevaluar<TExpresionC>(st, Complejo); }

}  // namespace

BENCHMARK(BM_CompilarEvaluar_Real);
BENCHMARK(BM_CompilarEvaluar_Racional);
BENCHMARK(BM_CompilarEvaluar_Complejo);
BENCHMARK(BM_Reevaluar_Real);
BENCHMARK(BM_Reevaluar_Racional);
BENCHMARK(BM_Reevaluar_Complejo);

BENCHMARK_MAIN();
