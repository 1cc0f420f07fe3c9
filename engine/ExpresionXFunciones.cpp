// The real-mode built-in table: constants, one-argument functions with their
// inverses (for solving), the random getter and the functions of several
// arguments (aggregates, combinatorics, distributions), plus the helpers the
// shell and the tools share (Factorial, Combinaciones, NormalAcumulada).
//
// Every result goes through Comprobar, so nothing leaves here as inf or NaN.
// Integer arguments are rounded with R32, which refuses values outside 32
// bits instead of wrapping; counts derived from them are 64-bit. Factorials
// come from a table built once, so a huge count overflows at once instead of
// looping.
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/DiagramaX.h"
#include "support/Errores.h"
#include "engine/ExpresionX.h"
#include "support/angulos.h"

namespace numbrix {

namespace {

using V = long double;
using Nodos = std::vector<Ref<TEvalX>>;

// Largest n whose factorial fits in an 80-bit real (1755! overflows).
constexpr long long kFactorialMaximo = 1754;
constexpr V kE = 2.71828182845904523536028747135266250L;
constexpr V kRaiz2 = 1.41421356237309504880168872420969808L;
constexpr V kRaiz3 = 1.73205080756887729352744634150587237L;
constexpr V kRaizDosPi = 2.50662827463100050241576528481104525L;

const std::array<V, kFactorialMaximo + 1>& Factoriales() {
    static const std::array<V, kFactorialMaximo + 1> tabla = [] {
        std::array<V, kFactorialMaximo + 1> t{};
        t[0] = 1;
        for (long long i = 1; i <= kFactorialMaximo; ++i) t[i] = t[i - 1] * static_cast<V>(i);
        return t;
    }();
    return tabla;
}

// n! for n >= 0; beyond the table it is an overflow.
V FactorialNoNegativo(long long n) {
    if (n > kFactorialMaximo) LanzarDesbordamiento();
    return Factoriales()[static_cast<std::size_t>(n)];
}

// Factorial of a 64-bit count, with the invalid-operation rule of Factorial
// for negatives (CmbR's (m-1)! may be of -1).
V FactorialDeCuenta(long long n) {
    if (n < 0) LanzarOperacionInvalida();
    return FactorialNoNegativo(n);
}

V Dividir(V a, V b) {
    if (b == 0) LanzarDivisionCero();
    return Comprobar(a / b);
}

V Por(V a, V b) { return Comprobar(a * b); }

int Unidad(const ContextoX& c) { return c.ajustes ? c.ajustes->angulo : 0; }

// Angle of the engine's unit to radians and back, checked (a huge value in
// turns overflows rather than reaching sin as inf).
V ARad(const ContextoX& c, V x) { return Comprobar(ARadianes(Unidad(c), x)); }
V DeRad(const ContextoX& c, V r) { return Comprobar(DeRadianes(Unidad(c), r)); }

V Probabilidad(V p) {
    if (!(p >= 0 && p <= 1)) LanzarArgumentoInvalido();
    return p;
}

// DHpGeom's counts: 0..65535.
long long R16(V x) {
    const std::int32_t r = R32(x);
    if (r < 0 || r > 65535) LanzarArgumentoInvalido();
    return r;
}

V Arg(ContextoX& c, const Nodos& a, std::size_t i) { return a[i]->Valor(c); }
long long ArgR(ContextoX& c, const Nodos& a, std::size_t i) { return R32(a[i]->Valor(c)); }

// Sum of termino(i) for i = desde..hasta (0 when empty). Polls for a cancel
// request each step; a failing term ends the sum at once.
template <class F>
V Sumatoria(ContextoX& c, long long desde, long long hasta, F termino) {
    V s = 0;
    for (long long i = desde; i <= hasta; ++i) {
        c.Sondear();
        s = Comprobar(s + termino(i));
    }
    return s;
}

// ---------------------------------------------------------------- one argument

V Seno(const ContextoX& c, const V& x) { return Comprobar(std::sin(ARad(c, x))); }
V Coseno(const ContextoX& c, const V& x) { return Comprobar(std::cos(ARad(c, x))); }
V Tangente(const ContextoX& c, const V& x) { return Comprobar(std::tan(ARad(c, x))); }
V ArcoSeno(const ContextoX& c, const V& x) {
    if (!(x >= -1 && x <= 1)) LanzarOperacionInvalida();
    return DeRad(c, std::asin(x));
}
V ArcoCoseno(const ContextoX& c, const V& x) {
    if (!(x >= -1 && x <= 1)) LanzarOperacionInvalida();
    return DeRad(c, std::acos(x));
}
V ArcoTangente(const ContextoX& c, const V& x) { return DeRad(c, std::atan(x)); }

V GmsAUnidad(const ContextoX& c, const V& x) { return DeRad(c, GMSARad(x)); }
V GmsRad(const ContextoX&, const V& x) { return Comprobar(GMSARad(x)); }
V RadGms(const ContextoX&, const V& x) { return Comprobar(RadAGMS(x)); }

V SenoH(const ContextoX& c, const V& x) { return Comprobar(std::sinh(ARad(c, x))); }
V CosenoH(const ContextoX& c, const V& x) { return Comprobar(std::cosh(ARad(c, x))); }
V TangenteH(const ContextoX& c, const V& x) { return Comprobar(std::tanh(ARad(c, x))); }
V ArcoSenoH(const ContextoX& c, const V& x) { return DeRad(c, Comprobar(std::asinh(x))); }
V ArcoCosenoH(const ContextoX& c, const V& x) {
    if (!(x >= 1)) LanzarOperacionInvalida();
    return DeRad(c, Comprobar(std::acosh(x)));
}
V ArcoTangenteH(const ContextoX& c, const V& x) {
    // ±1 is the logarithm's pole, like ln(0); beyond it there is no value.
    if (x == 1 || x == -1) LanzarDivisionCero();
    if (!(x > -1 && x < 1)) LanzarOperacionInvalida();
    return DeRad(c, Comprobar(std::atanh(x)));
}

V Reciproco(const ContextoX&, const V& x) { return Dividir(1, x); }
V LogNatural(const ContextoX&, const V& x) {
    if (x == 0) LanzarDivisionCero();
    if (!(x > 0)) LanzarOperacionInvalida();
    return Comprobar(std::log(x));
}
V Log10(const ContextoX&, const V& x) {
    if (x == 0) LanzarDivisionCero();
    if (!(x > 0)) LanzarOperacionInvalida();
    return Comprobar(LogaritmoEnBase(x, 10));
}
V Cuadrado(const ContextoX&, const V& x) { return Por(x, x); }
V RaizCuadrada(const ContextoX&, const V& x) {
    if (x < 0) LanzarOperacionInvalida();
    return Comprobar(std::sqrt(x));
}
V Exponencial(const ContextoX&, const V& x) { return Comprobar(std::exp(x)); }
V Exponencial10(const ContextoX&, const V& x) { return Comprobar(Potencia(10, x)); }
V Absoluto(const ContextoX&, const V& x) { return std::fabs(x); }
// Int, Rd and Frac stay in extended precision: no integer conversion, so
// values beyond 64 bits keep their magnitude.
V ParteEntera(const ContextoX&, const V& x) { return std::trunc(x); }
V Redondeo(const ContextoX&, const V& x) {
    const V e = std::trunc(x);
    return e + std::trunc(2 * (x - e));
}
V Fraccion(const ContextoX&, const V& x) { return x - std::trunc(x); }
V FactorialFn(const ContextoX&, const V& x) { return Factorial(x); }
V NormalEstandar(const ContextoX&, const V& x) { return Comprobar(std::exp(-x * x / 2) / kRaizDosPi); }

// ---------------------------------------------------------------- random

// Uniform in [0, 1): 64 random bits are exact in the 64-bit mantissa, so the
// scaled value never rounds up to 1.
V Aleatorio(ContextoX& c) {
    if (c.azar) return static_cast<V>((*c.azar)()) * 0x1p-64L;
    thread_local std::mt19937_64 propio{std::random_device{}()};
    return static_cast<V>(propio()) * 0x1p-64L;
}

// ---------------------------------------------------------------- several arguments

// Scaled: only a hypotenuse beyond the range overflows, not its squares.
V Hipotenusa(ContextoX& c, const Nodos& a) {
    const V x = Arg(c, a, 0), y = Arg(c, a, 1);
    return Comprobar(std::hypot(x, y));
}

V Angulo(ContextoX& c, const Nodos& a) {
    const V x = Arg(c, a, 0), y = Arg(c, a, 1);
    return DeRad(c, std::atan2(y, x));
}

// Max keeps the first value and walks the rest from the last to the second;
// each argument is evaluated once and the value kept is the one returned (a
// random argument is never drawn again).
V Maximo(ContextoX& c, const Nodos& a) {
    V guardado = Arg(c, a, 0);
    for (std::size_t i = a.size() - 1; i >= 1; --i) {
        c.Sondear();
        const V v = Arg(c, a, i);
        if (!(guardado >= v)) guardado = v;
    }
    return guardado;
}

V Minimo(ContextoX& c, const Nodos& a) {
    V guardado = Arg(c, a, 0);
    for (std::size_t i = a.size() - 1; i >= 1; --i) {
        c.Sondear();
        const V v = Arg(c, a, i);
        if (guardado > v) guardado = v;
    }
    return guardado;
}

V SumaArgs(ContextoX& c, const Nodos& a) {
    V s = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        c.Sondear();
        s = Comprobar(s + Arg(c, a, i));
    }
    return s;
}

V Promedio(ContextoX& c, const Nodos& a) { return Dividir(SumaArgs(c, a), static_cast<V>(a.size())); }

// x − Int(x ÷ y)·y with the sign of x, exactly: the quotient is never
// rounded (Resto(1e20,3) is 1, not 0).
V Resto(ContextoX& c, const Nodos& a) {
    const V x = Arg(c, a, 0), y = Arg(c, a, 1);
    if (y == 0) LanzarDivisionCero();
    return std::fmod(x, y);
}

// a2 + a3·a1 + a4·a1² + …, each power by repeated squaring.
V Polinomio(ContextoX& c, const Nodos& a) {
    const V x = Arg(c, a, 0);
    V s = Arg(c, a, 1);
    for (std::size_t i = 2; i < a.size(); ++i) {
        c.Sondear();
        const V coef = Arg(c, a, i);
        s = Comprobar(s + Por(coef, PotenciaEntera(x, static_cast<long long>(i - 1))));
    }
    return s;
}

V PermutacionesRep(ContextoX& c, const Nodos& a) {
    std::vector<V> v(a.size());
    V partes = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        c.Sondear();
        v[i] = Arg(c, a, i);
        if (i > 0) partes = Comprobar(partes + v[i]);
    }
    if (!(v[0] >= partes)) LanzarOperacionInvalida();
    V divisor = 1;
    for (std::size_t i = 1; i < v.size(); ++i) {
        c.Sondear();
        divisor = Por(divisor, Factorial(v[i]));
    }
    return Dividir(Factorial(v[0]), divisor);
}

// (m-n+1)·…·m; the loop stops at the first overflow, so huge counts answer
// at once.
V Variaciones(ContextoX& c, V a1, V a2) {
    const long long m = R32(a1), n = R32(a2);
    if (m < 0 || n < 0) LanzarArgumentoInvalido();
    if (n == 0) return 1;
    if (n > m) return 0;
    V r = 1;
    for (long long i = m - n + 1; i <= m; ++i) {
        c.Sondear();
        r = Por(r, static_cast<V>(i));
    }
    return r;
}

V VariacionesFn(ContextoX& c, const Nodos& a) {
    const V a1 = Arg(c, a, 0), a2 = Arg(c, a, 1);
    return Variaciones(c, a1, a2);
}

V VariacionesRep(ContextoX& c, const Nodos& a) {
    const long long m = ArgR(c, a, 0), n = ArgR(c, a, 1);
    if (m < 0 || n < 0) LanzarArgumentoInvalido();
    return Comprobar(PotenciaEntera(static_cast<V>(m), n));
}

V CombinacionesFn(ContextoX& c, const Nodos& a) {
    const V a1 = Arg(c, a, 0), a2 = Arg(c, a, 1);
    return Dividir(Variaciones(c, a1, a2), Factorial(a2));
}

V CombinacionesRep(ContextoX& c, const Nodos& a) {
    const long long m = ArgR(c, a, 0), n = ArgR(c, a, 1);
    if (m < 0 || n < 0) LanzarArgumentoInvalido();
    const V num = FactorialDeCuenta(m + n - 1);
    return Dividir(num, Por(FactorialDeCuenta(m - 1), FactorialDeCuenta(n)));
}

V DensidadNormal(ContextoX& c, const Nodos& a) {
    const V x = Arg(c, a, 0), mu = Arg(c, a, 1), sigma = Arg(c, a, 2);
    const V d = Comprobar(x - mu);
    const V e = Dividir(-Por(d, d), Por(2, Por(sigma, sigma)));
    return Dividir(Comprobar(std::exp(e)), Por(kRaizDosPi, sigma));
}

V AreaNormal(ContextoX& c, const Nodos& a) {
    if (a.size() == 3) {
        const V x = Arg(c, a, 0), mu = Arg(c, a, 1), sigma = Arg(c, a, 2);
        return NormalAcumulada(Dividir(Comprobar(x - mu), sigma));
    }
    const V x1 = Arg(c, a, 0), x2 = Arg(c, a, 1), mu = Arg(c, a, 2), sigma = Arg(c, a, 3);
    const V f2 = NormalAcumulada(Dividir(Comprobar(x2 - mu), sigma));
    const V f1 = NormalAcumulada(Dividir(Comprobar(x1 - mu), sigma));
    return std::fabs(f2 - f1);
}

V AreaNormalEstandar(ContextoX& c, const Nodos& a) {
    const V x1 = Arg(c, a, 0);
    if (a.size() == 1) return NormalAcumulada(x1);
    const V x2 = Arg(c, a, 1);
    return std::fabs(NormalAcumulada(x1) - NormalAcumulada(x2));
}

// ln C(n, k), 0 <= k <= n, from the logarithms of the factorials: for the
// counts whose factorials overflow (good to about 1e-15 of the result).
V LnCombinaciones(long long n, long long k) {
    if (k < 0 || k > n) LanzarArgumentoInvalido();
    auto lnFact = [](long long m) { return std::lgamma(static_cast<V>(m) + 1); };
    return lnFact(n) - lnFact(k) - lnFact(n - k);
}

// The combinations are taken first: their invalid-argument check must win
// over a power of 0 with a negative exponent. Beyond the factorial table the
// whole term goes through logarithms, so DBinom(2000,1000,0.5) is a
// probability, not an overflow.
V TerminoBinomial(long long n, long long k, V p) {
    if (n <= kFactorialMaximo) {
        const V comb = Combinaciones(n, k);
        return Por(Por(comb, PotenciaEntera(p, k)), PotenciaEntera(1 - p, n - k));
    }
    const V lnComb = LnCombinaciones(n, k);
    if (p == 0) return k == 0 ? 1 : 0;
    if (p == 1) return k == n ? 1 : 0;
    return Comprobar(std::exp(lnComb + static_cast<V>(k) * std::log(p) + static_cast<V>(n - k) * std::log1p(-p)));
}

V Binomial(ContextoX& c, const Nodos& a) {
    const long long n = ArgR(c, a, 0), k = ArgR(c, a, 1);
    const V p = Probabilidad(Arg(c, a, 2));
    return TerminoBinomial(n, k, p);
}

V BinomialAcumulada(ContextoX& c, const Nodos& a) {
    const long long n = ArgR(c, a, 0);
    long long desde = 0, hasta;
    V p;
    if (a.size() == 3) {
        hasta = ArgR(c, a, 1);
        p = Probabilidad(Arg(c, a, 2));
    } else {
        desde = ArgR(c, a, 1);
        hasta = ArgR(c, a, 2);
        p = Probabilidad(Arg(c, a, 3));
    }
    return Sumatoria(c, desde, hasta, [&](long long i) { return TerminoBinomial(n, i, p); });
}

V TerminoBinomialNeg(long long x, long long r, V p) {
    const V comb = Combinaciones(x - 1, r - 1);
    return Por(Por(comb, PotenciaEntera(p, r)), PotenciaEntera(1 - p, x - r));
}

V BinomialNeg(ContextoX& c, const Nodos& a) {
    const long long x = ArgR(c, a, 0), r = ArgR(c, a, 1);
    const V p = Probabilidad(Arg(c, a, 2));
    return TerminoBinomialNeg(x, r, p);
}

V BinomialNegAcumulada(ContextoX& c, const Nodos& a) {
    long long desde, hasta, r;
    V p;
    if (a.size() == 3) {
        hasta = ArgR(c, a, 0);
        r = ArgR(c, a, 1);
        desde = r;
        p = Probabilidad(Arg(c, a, 2));
    } else {
        desde = ArgR(c, a, 0);
        hasta = ArgR(c, a, 1);
        r = ArgR(c, a, 2);
        p = Probabilidad(Arg(c, a, 3));
    }
    return Sumatoria(c, desde, hasta, [&](long long i) { return TerminoBinomialNeg(i, r, p); });
}

// Beyond the factorial table, through logarithms like the binomial.
V TerminoHipergeometrico(long long N, long long K, long long n, long long k) {
    if (N > kFactorialMaximo) {
        const V exitos = LnCombinaciones(K, k);
        const V fracasos = LnCombinaciones(N - K, n - k);
        return Comprobar(std::exp(exitos + fracasos - LnCombinaciones(N, n)));
    }
    const V exitos = Combinaciones(K, k);
    const V fracasos = Combinaciones(N - K, n - k);
    return Dividir(Por(exitos, fracasos), Combinaciones(N, n));
}

// N, K, n: population, its successes, sample size; K > N has no meaning.
void LeerHipergeometrica(ContextoX& c, const Nodos& a, long long& N, long long& K, long long& n) {
    N = R16(Arg(c, a, 0));
    K = R16(Arg(c, a, 1));
    n = R16(Arg(c, a, 2));
    if (K > N) LanzarArgumentoInvalido();
}

V Hipergeometrica(ContextoX& c, const Nodos& a) {
    long long N, K, n;
    LeerHipergeometrica(c, a, N, K, n);
    const long long k = R16(Arg(c, a, 3));
    return TerminoHipergeometrico(N, K, n, k);
}

V HipergeometricaAcumulada(ContextoX& c, const Nodos& a) {
    long long N, K, n;
    LeerHipergeometrica(c, a, N, K, n);
    long long desde = 0, hasta;
    if (a.size() == 4) {
        hasta = R16(Arg(c, a, 3));
    } else {
        desde = R16(Arg(c, a, 3));
        hasta = R16(Arg(c, a, 4));
    }
    return Sumatoria(c, desde, hasta, [&](long long i) { return TerminoHipergeometrico(N, K, n, i); });
}

// λᵏ·e^(−λ) ÷ k!; k! first so a negative k is refused before 0 is raised to
// a negative power.
V TerminoPoisson(V lambda, long long k) {
    const V fact = FactorialEntero(k);
    return Dividir(Por(PotenciaEntera(lambda, k), Comprobar(std::exp(-lambda))), fact);
}

V Poisson(ContextoX& c, const Nodos& a) {
    const V lambda = Arg(c, a, 0);
    return TerminoPoisson(lambda, ArgR(c, a, 1));
}

V PoissonAcumulada(ContextoX& c, const Nodos& a) {
    const V lambda = Arg(c, a, 0);
    long long desde = 0, hasta;
    if (a.size() == 2) {
        hasta = ArgR(c, a, 1);
    } else {
        desde = ArgR(c, a, 1);
        hasta = ArgR(c, a, 2);
    }
    return Sumatoria(c, desde, hasta, [&](long long i) { return TerminoPoisson(lambda, i); });
}

}  // namespace

// ---------------------------------------------------------------- helpers

long double Factorial(long double x) {
    if (x < 0) LanzarOperacionInvalida();
    return FactorialNoNegativo(R32(x));
}

long double FactorialEntero(long long n) {
    if (n < 0) LanzarArgumentoInvalido();
    return FactorialNoNegativo(n);
}

long double Combinaciones(long long n, long long k) {
    const V total = FactorialEntero(n);
    if (k < 0 || k > n) LanzarArgumentoInvalido();
    return Dividir(total, Por(FactorialEntero(n - k), FactorialEntero(k)));
}

long double NormalAcumulada(long double x) {
    const V ax = std::fabs(x);
    if (ax >= 9) return x > 0 ? 1 : 0;
    const V h = ax / 400;
    auto phi = [](V t) { return std::exp(-t * t / 2) / kRaizDosPi; };
    V integral = 0;
    for (int i = 0; i < 100; ++i) {
        V f[5];
        for (int j = 0; j < 5; ++j) f[j] = phi(static_cast<V>(4 * i + j) * h);
        integral += (7 * f[0] + 32 * f[1] + 12 * f[2] + 32 * f[3] + 7 * f[4]) * 2 * h / 45;
    }
    const V r = 0.5L + integral;
    return x < 0 ? 1 - r : r;
}

// ---------------------------------------------------------------- the table

void RegistrarPredefinidasX(TExpresionX& e) {
    e.AgregarConstante("Pi", "Pi", PiExtendido);
    e.AgregarConstante("e", "Base Log. Naturales", kE);
    e.AgregarConstante("R2", "Raíz cuadrada de 2", kRaiz2);
    e.AgregarConstante("R3", "Raiz cuadrada de 3", kRaiz3);

    e.AgregarFuncion1("sin/sen", Seno, ArcoSeno, "Seno");
    e.AgregarFuncion1("cos", Coseno, ArcoCoseno, "Coseno");
    e.AgregarFuncion1("tan/tg", Tangente, ArcoTangente, "Tangente");
    e.AgregarFuncion1("arcsin/arcsen", ArcoSeno, Seno, "Arcoseno");
    e.AgregarFuncion1("arccos/arcos", ArcoCoseno, Coseno, "Arcocoseno");
    e.AgregarFuncion1("arctan/arctg", ArcoTangente, Tangente, "Arcotangente");
    e.AgregarFuncion1("GMS", GmsAUnidad, {}, "GGG,MMSS.SS");
    e.AgregarFuncion1("GMSRad", GmsRad, RadGms, "");
    e.AgregarFuncion1("RadGMS", RadGms, GmsRad, "");
    e.AgregarFuncion1("sinh/senh", SenoH, ArcoSenoH, "Seno hiperbólico");
    e.AgregarFuncion1("cosh", CosenoH, ArcoCosenoH, "Coseno hiperbólico");
    e.AgregarFuncion1("tanh/tgh", TangenteH, ArcoTangenteH, "Tangente hiperbólica");
    e.AgregarFuncion1("arcsinh/arcsenh", ArcoSenoH, SenoH, "Arcoseno hiperbólico");
    e.AgregarFuncion1("arccosh/arcosh", ArcoCosenoH, CosenoH, "Arcocoseno hiperbólico");
    e.AgregarFuncion1("arctanh/arctgh", ArcoTangenteH, TangenteH, "Arcotangente hiperbólica");
    e.AgregarFuncion1("Rcp", Reciproco, Reciproco, "Recíproco", DibujoReciprocoX().first, DibujoReciprocoX().second);
    e.AgregarFuncion1("ln", LogNatural, Exponencial, "Logarítmo natural");
    e.AgregarFuncion1("log", Log10, Exponencial10, "Logarítmo base 10");
    e.AgregarFuncion1("sqr/cuad", Cuadrado, RaizCuadrada, "Cuadrado", DibujoCuadradoX().first, DibujoCuadradoX().second);
    e.AgregarFuncion1("sqrt/raiz", RaizCuadrada, Cuadrado, "Raíz cuadrada", DibujoRaizX().first, DibujoRaizX().second);
    e.AgregarFuncion1("exp", Exponencial, LogNatural, "Exponencial", DibujoExpX().first, DibujoExpX().second);
    e.AgregarFuncion1("exp10", Exponencial10, Log10, "Expo base 10", DibujoExp10X().first, DibujoExp10X().second);
    e.AgregarFuncion1("Abs", Absoluto, {}, "Valor Absoluto", DibujoAbsX().first, DibujoAbsX().second);
    e.AgregarFuncion1("Int/Ent", ParteEntera, {}, "Parte entera");
    e.AgregarFuncion1("Rd", Redondeo, {}, "Redondeo");
    e.AgregarFuncion1("Frac", Fraccion, {}, "Fracción");
    e.AgregarFuncion1("Fact", FactorialFn, {}, "Factorial", DibujoFactorialX().first, DibujoFactorialX().second);
    e.AgregarFuncion1("Prm", FactorialFn, {}, "Permutaciones sin repetición");
    e.AgregarFuncion1("DNormStd", NormalEstandar, {}, "Distribución Normal Estándar");

    // Kind 3 in place of the getter's own: a random number is never fresh.
    e.AgregarFuncion0("Ale/Rnd", Aleatorio, "Aleatorio", 3);

    constexpr int kIlimitados = kArgumentosIlimitados;
    e.AgregarFuncionN("hipot", Hipotenusa, "Hipotenusa", 2, 2);
    e.AgregarFuncionN("ang/arg", Angulo, "Angulo", 2, 2);
    e.AgregarFuncionN("Max", Maximo, "Máximo", kIlimitados, 2);
    e.AgregarFuncionN("Min", Minimo, "Mínimo", kIlimitados, 2);
    e.AgregarFuncionN("Prom", Promedio, "Promedio", kIlimitados, 2);
    e.AgregarFuncionN("Suma", SumaArgs, "Suma", kIlimitados, 2);
    e.AgregarFuncionN("Resto/Mod", Resto, "Resto", 2, 2);
    e.AgregarFuncionN("Poli/Poly", Polinomio, "Polinomio (coef. de 0 a n)", kIlimitados, 2);
    e.AgregarFuncionN("PrmR", PermutacionesRep, "Permutaciones con repetición", kIlimitados, 2);
    e.AgregarFuncionN("Var", VariacionesFn, "Variaciones sin repetición", 2, 2);
    e.AgregarFuncionN("VarR", VariacionesRep, "Variaciones con repetición", 2, 2);
    e.AgregarFuncionN("Cmb", CombinacionesFn, "Combinaciones sin repetición", 2, 2, DibujoBinomialX().first,
                      DibujoBinomialX().second);
    e.AgregarFuncionN("CmbR", CombinacionesRep, "Combinaciones con repetición", 2, 2);
    e.AgregarFuncionN("DNormal", DensidadNormal, "Distribución Normal", 3, 3);
    e.AgregarFuncionN("DNormalA", AreaNormal, "Area Distribución Normal", 4, 3);
    e.AgregarFuncionN("DNormStdA", AreaNormalEstandar, "Area Dist. Normal Std", 2, 1);
    e.AgregarFuncionN("DBinom", Binomial, "Distribución Binomial", 3, 3);
    e.AgregarFuncionN("DBinomA", BinomialAcumulada, "Distribución Binomial Acumulada", 4, 3);
    e.AgregarFuncionN("DBinomNeg", BinomialNeg, "Dist. Binomial Negativa", 3, 3);
    e.AgregarFuncionN("DBinomNegA", BinomialNegAcumulada, "Dist. Binomial Negativa Acumulada", 4, 3);
    e.AgregarFuncionN("DHpGeom", Hipergeometrica, "Distribución Hipergeométrica", 4, 4);
    e.AgregarFuncionN("DHpGeomA", HipergeometricaAcumulada, "Distribución Hipergeométrica Acumulada", 5, 4);
    e.AgregarFuncionN("DPoisson", Poisson, "Distribución Poisson", 2, 2);
    e.AgregarFuncionN("DPoissonA", PoissonAcumulada, "Distribución Poisson Acumulada", 3, 2);
}

}  // namespace numbrix
