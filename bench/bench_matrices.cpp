// Exact and complex matrix work at the sizes the matrix window meets.
// Each benchmark checks its result once before timing.
#include <cmath>
#include <random>

#include <benchmark/benchmark.h>

#include "numbers/MMatrix.h"
#include "numbers/matrizQ.h"

using namespace numbrix;

namespace {

TMatriz EnterosAleatorios(int n, int max, unsigned semilla) {
    std::mt19937 gen(semilla);
    std::uniform_int_distribution<int> d(-max, max);
    TMatriz m(n, n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m.PonElemento(c, r, TFrac(d(gen)));
    return m;
}

TMatrix ComplejaBienCondicionada(int n, unsigned semilla) {
    std::mt19937 gen(semilla);
    std::uniform_real_distribution<double> d(-1, 1);
    TMatrix m(n, n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m.PonElemento(c, r, {d(gen) + (r == c ? n : 0), d(gen)});
    return m;
}

// The integer determinant again by floating elimination, rounded.
long double DeterminanteFlotante(const TMatriz& a) {
    TMatrix m(a.Columnas(), a.Filas());
    for (int r = 1; r <= a.Filas(); ++r)
        for (int c = 1; c <= a.Columnas(); ++c) m.PonElemento(c, r, {a.Elemento(c, r).Valor(), 0});
    return std::round(m.Determinante().Re);
}

void BM_DeterminanteExacto12x12(benchmark::State& state) {
    const TMatriz a = EnterosAleatorios(12, 9, 12);
    TFrac d = TMatriz::Determinante(a);
    if (!d.EsEntero() || static_cast<long double>(d.Num()) != DeterminanteFlotante(a)) {
        state.SkipWithError("determinante incorrecto");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(TMatriz::Determinante(a));
}
BENCHMARK(BM_DeterminanteExacto12x12)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_InversaExacta10x10(benchmark::State& state) {
    const TMatriz a = EnterosAleatorios(10, 4, 10);
    TMatriz inv = a;
    inv.Invierte();
    TMatriz identidad(10, 10);
    for (int i = 1; i <= 10; ++i) identidad.PonElemento(i, i, TFrac(1));
    if (!(TMatriz::Producto(a, inv) == identidad)) {
        state.SkipWithError("A * inv(A) no es la identidad");
        return;
    }
    for (auto _ : state) {
        TMatriz m = a;
        m.Invierte();
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_InversaExacta10x10)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_DeterminanteComplejo50x50(benchmark::State& state) {
    const TMatrix a = ComplejaBienCondicionada(50, 50);
    TMatrix t = a;
    t.Traspone();
    TComplejo d = a.Determinante(), dt = t.Determinante();
    if (CModulo(CResta(d, dt)) > 1e-13L * CModulo(d)) {
        state.SkipWithError("det(A) distinto de det(At)");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(a.Determinante());
}
BENCHMARK(BM_DeterminanteComplejo50x50)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_InversaCompleja50x50(benchmark::State& state) {
    const TMatrix a = ComplejaBienCondicionada(50, 51);
    TMatrix inv = a;
    inv.Invierte();
    TMatrix p = TMatrix::Producto(a, inv);
    long double residuo = 0;
    for (int r = 1; r <= 50; ++r)
        for (int c = 1; c <= 50; ++c)
            residuo = std::max(residuo, CModulo(CResta(p.Elemento(c, r), {r == c ? 1.0L : 0.0L, 0})));
    state.counters["residuo"] = static_cast<double>(residuo);
    if (residuo > 1e-15L) {
        state.SkipWithError("residuo de A * inv(A) demasiado grande");
        return;
    }
    for (auto _ : state) {
        TMatrix m = a;
        m.Invierte();
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_InversaCompleja50x50)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// Entries uniform in [-1, 1], real and imaginary parts, from a fixed seed.
TMatrix ComplejaUniforme(int n, unsigned semilla) {
    std::mt19937 gen(semilla);
    std::uniform_real_distribution<double> d(-1, 1);
    TMatrix m(n, n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m.PonElemento(c, r, {d(gen), d(gen)});
    return m;
}

void BM_DeterminanteComplejo100x100(benchmark::State& state) {
    const TMatrix a = ComplejaUniforme(100, 100);
    for (auto _ : state) benchmark::DoNotOptimize(a.Determinante());
}
BENCHMARK(BM_DeterminanteComplejo100x100)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_InversaCompleja100x100(benchmark::State& state) {
    const TMatrix a = ComplejaUniforme(100, 101);
    TMatrix inv = a;
    if (!inv.InvierteSiRegular()) {
        state.SkipWithError("singular");
        return;
    }
    TMatrix p = TMatrix::Producto(a, inv);
    long double residuo = 0;
    for (int r = 1; r <= 100; ++r)
        for (int c = 1; c <= 100; ++c)
            residuo = std::max(residuo, CModulo(CResta(p.Elemento(c, r), {r == c ? 1.0L : 0.0L, 0})));
    state.counters["residuo"] = static_cast<double>(residuo);
    if (residuo > 1e-12L) {
        state.SkipWithError("residuo de A * inv(A) demasiado grande");
        return;
    }
    for (auto _ : state) {
        TMatrix m = a;
        benchmark::DoNotOptimize(m.InvierteSiRegular());
    }
}
BENCHMARK(BM_InversaCompleja100x100)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_ProductoComplejo100x100(benchmark::State& state) {
    const TMatrix a = ComplejaUniforme(100, 102), b = ComplejaUniforme(100, 103);
    for (auto _ : state) benchmark::DoNotOptimize(TMatrix::Producto(a, b));
}
BENCHMARK(BM_ProductoComplejo100x100)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_ProductoRacional100x100(benchmark::State& state) {
    const TMatriz a = EnterosAleatorios(100, 9, 104), b = EnterosAleatorios(100, 9, 105);
    for (auto _ : state) benchmark::DoNotOptimize(TMatriz::Producto(a, b));
}
BENCHMARK(BM_ProductoRacional100x100)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// 1 on and above the diagonal: the inverse is 1 on the diagonal, -1 just above.
void BM_InversaRacionalTriangular100x100(benchmark::State& state) {
    TMatriz a(100, 100);
    for (int r = 1; r <= 100; ++r)
        for (int c = r; c <= 100; ++c) a.PonElemento(c, r, TFrac(1));
    TMatriz inv = a;
    inv.Invierte();
    if (!(inv.Elemento(1, 1) == TFrac(1) && inv.Elemento(2, 1) == TFrac(-1) && inv.Elemento(3, 1) == TFrac(0))) {
        state.SkipWithError("inversa incorrecta");
        return;
    }
    for (auto _ : state) {
        TMatriz m = a;
        m.Invierte();
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_InversaRacionalTriangular100x100)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// A 100 x 100 integer determinant is far beyond 64 bits: the message, not a hang.
void BM_DesbordamientoDeterminante100x100(benchmark::State& state) {
    const TMatriz a = EnterosAleatorios(100, 9, 106);
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(TMatriz::Determinante(a));
            state.SkipWithError("sin desbordamiento");
            return;
        } catch (const ENumbrix& e) {
            if (std::string(e.what()) != "Desbordamiento entero") {
                state.SkipWithError(e.what());
                return;
            }
        }
    }
}
BENCHMARK(BM_DesbordamientoDeterminante100x100)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
