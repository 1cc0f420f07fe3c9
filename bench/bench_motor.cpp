// Engine speed: compiling a typical line, long sums and deep nesting, and
// re-evaluating a compiled expression after assigning its variable. A plain
// C++ function and muparser (double precision) run beside it as yardsticks.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "engine/ExpresionX.h"

#ifdef NUMBRIX_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

using numbrix::TExpresionX;

// A real-mode engine with its registry already filled, as the calculator
// keeps it between lines, and one variable.
void Preparar(TExpresionX& e) {
    e.SetPredefinidas(true);
    e.Silencioso = true;
    e.AgregarVariable("x")->AsignarValor(0.5L);
    e.SetTexto("0");
}

// Compiles texto and its twin with a trailing blank in turn: SetTexto skips
// an unchanged text, and the blank is dropped before compiling, so both
// cost the same.
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
        benchmark::DoNotOptimize(e.Valor());
    }
    if (e.HayError) st.SkipWithError(e.Mensaje.c_str());
    st.SetLabel(std::to_string(texto.size()) + " caracteres");
}

std::string Suma(int n) {
    std::string t = "1";
    for (int i = 2; i <= n; ++i) {
        t += '+';
        t += std::to_string(i);
    }
    return t;
}

std::string Anidada(int n) {
    std::string t;
    for (int i = 0; i < n; ++i) t += "(x+";
    t += "1";
    t.append(static_cast<std::size_t>(n), ')');
    return t;
}

void BM_CompilarLinea(benchmark::State& st) { Compilar(st, "2*sen(30)+3*Max(1,5,3)^2-Rcp(4)"); }
BENCHMARK(BM_CompilarLinea);

void BM_CompilarSuma(benchmark::State& st) {
    Compilar(st, Suma(static_cast<int>(st.range(0))));
}
BENCHMARK(BM_CompilarSuma)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMicrosecond);

void BM_CompilarAnidada(benchmark::State& st) {
    Compilar(st, Anidada(static_cast<int>(st.range(0))));
}
BENCHMARK(BM_CompilarAnidada)->Arg(200)->Unit(benchmark::kMicrosecond);

// Re-evaluation: a*sin(x)+b*x^2-c/(1+x) in radians, x assigned every time.
constexpr long double kA = 1.25L, kB = -0.75L, kC = 2.5L;

long double SiguienteX(long double x) { return x < 3 ? x + 0.001L : 0.1L; }

void BM_EvaluarMotor(benchmark::State& st) {
    TExpresionX e;
    e.SetPredefinidas(true);
    e.Silencioso = true;
    e.AgregarVariable("a")->AsignarValor(kA);
    e.AgregarVariable("b")->AsignarValor(kB);
    e.AgregarVariable("c")->AsignarValor(kC);
    auto x = e.AgregarVariable("x");
    e.SetTexto("a*sin(x)+b*x^2-c/(1+x)");
    if (e.HayError) {
        st.SkipWithError(e.Mensaje.c_str());
        return;
    }
    long double xv = 0.1L;
    for (auto _ : st) {
        x->AsignarValor(xv);
        benchmark::DoNotOptimize(e.Valor());
        xv = SiguienteX(xv);
    }
    if (e.HayError) st.SkipWithError(e.Mensaje.c_str());
}
BENCHMARK(BM_EvaluarMotor);

[[gnu::noinline]] long double Nativa(long double a, long double b, long double c, long double x) {
    return a * sinl(x) + b * x * x - c / (1 + x);
}

void BM_EvaluarNativa(benchmark::State& st) {
    long double a = kA, b = kB, c = kC, xv = 0.1L;
    for (auto _ : st) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(c);
        benchmark::DoNotOptimize(Nativa(a, b, c, xv));
        xv = SiguienteX(xv);
    }
}
BENCHMARK(BM_EvaluarNativa);

#ifdef NUMBRIX_HAVE_MUPARSER
void BM_CompilarLineaMuparser(benchmark::State& st) {
    mu::Parser p;
    const std::string texto = "2*sin(30)+3*max(1,max(5,3))^2-1/4";
    try {
        p.SetExpr(texto);
        p.Eval();
        for (auto _ : st) {
            p.SetExpr(texto);
            benchmark::DoNotOptimize(p.Eval());
        }
    } catch (const mu::Parser::exception_type& ex) {
        st.SkipWithError(ex.GetMsg().c_str());
    }
}
BENCHMARK(BM_CompilarLineaMuparser);

void BM_CompilarSumaMuparser(benchmark::State& st) {
    mu::Parser p;
    const std::string texto = Suma(static_cast<int>(st.range(0)));
    try {
        for (auto _ : st) {
            p.SetExpr(texto);
            benchmark::DoNotOptimize(p.Eval());
        }
    } catch (const mu::Parser::exception_type& ex) {
        st.SkipWithError(ex.GetMsg().c_str());
    }
}
BENCHMARK(BM_CompilarSumaMuparser)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_EvaluarMuparser(benchmark::State& st) {
    mu::Parser p;
    double a = static_cast<double>(kA), b = static_cast<double>(kB), c = static_cast<double>(kC), x = 0.1;
    try {
        p.DefineVar("a", &a);
        p.DefineVar("b", &b);
        p.DefineVar("c", &c);
        p.DefineVar("x", &x);
        p.SetExpr("a*sin(x)+b*x^2-c/(1+x)");
        p.Eval();
        for (auto _ : st) {
            benchmark::DoNotOptimize(p.Eval());
            x = x < 3 ? x + 0.001 : 0.1;
        }
    } catch (const mu::Parser::exception_type& ex) {
        st.SkipWithError(ex.GetMsg().c_str());
    }
}
BENCHMARK(BM_EvaluarMuparser);
#endif

}  // namespace

BENCHMARK_MAIN();
