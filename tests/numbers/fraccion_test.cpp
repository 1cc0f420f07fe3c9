#include "numbers/fraccion.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

void EsperaFrac(const TFrac& f, std::int64_t num, std::uint32_t den) {
    EXPECT_EQ(f.Num(), num);
    EXPECT_EQ(f.Den(), den);
}

template <class F>
void EsperaError(F&& f, EFraccion::Tipo tipo, const char* mensaje) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << mensaje;
    } catch (const EFraccion& e) {
        EXPECT_EQ(e.tipo(), tipo);
        EXPECT_STREQ(e.what(), mensaje);
    }
}

void EsperaDesbordamiento(auto&& f) { EsperaError(f, EFraccion::Tipo::Desbordamiento, "Desbordamiento entero"); }
void EsperaDivisionCero(auto&& f) { EsperaError(f, EFraccion::Tipo::DivisionCero, "División entre cero"); }

TEST(Fraccion, CreacionSimplifica) {
    EsperaFrac(TFrac(6, 4), 3, 2);
    EsperaFrac(TFrac(0, 7), 0, 1);
    EsperaFrac(TFrac(-6, 4), -3, 2);
    EsperaFrac(TFrac(kMin, 2), kMin / 2, 1);
    EsperaDivisionCero([] { TFrac(1, 0); });
    EXPECT_EQ(TFrac(-7, 2).ParteEntera(), -3);
    EXPECT_EQ(TFrac(-7, 2).Resto(), -1);
}

TEST(Fraccion, Aritmetica) {
    EsperaFrac(TFrac(1, 2) + TFrac(1, 3), 5, 6);
    EsperaFrac(TFrac(1, 2) - TFrac(1, 2), 0, 1);
    EsperaFrac(TFrac(2, 3) / TFrac(-4, 9), -3, 2);
    EsperaFrac(TFrac(2, 3) * TFrac(3, 4), 1, 2);
    EsperaFrac(TFrac(1, 65536) + TFrac(1, 65536), 1, 32768);  // judged after reduction
    EsperaFrac(TFrac(1, 4294967295u) * TFrac(4294967295u), 1, 1);
    EsperaFrac(TFrac(kMax) - TFrac(kMax), 0, 1);
    EsperaFrac(TFrac(5, 3).MultiplicaEntero(-3), -5, 1);
    EsperaFrac(TFrac(5, 3).DivideEntero(-10), -1, 6);
    EXPECT_LT(TFrac(1, 3), TFrac(1, 2));
    EXPECT_GT(TFrac(-1, 3), TFrac(-1, 2));
    EXPECT_EQ(TFrac(2, 6), TFrac(1, 3));
}

TEST(Fraccion, DivisionEntreCero) {
    EsperaDivisionCero([] { TFrac(0) / TFrac(0); });
    EsperaDivisionCero([] { TFrac(1) / TFrac(0); });
    EsperaDivisionCero([] { TFrac(0).Invierte(); });
    EsperaDivisionCero([] { TFrac(3).DivideEntero(0); });
    EsperaDivisionCero([] { TFrac(0).Potencia(TFrac(-2), {}); });
}

TEST(Fraccion, Desbordamiento) {
    EsperaDesbordamiento([] { TFrac(kMax) + TFrac(1); });
    EsperaDesbordamiento([] { TFrac(kMin) - TFrac(1); });
    EsperaDesbordamiento([] { TFrac(kMin).CambiaSigno(); });
    EsperaDesbordamiento([] { -TFrac(kMin); });
    EsperaDesbordamiento([] { TFrac(5000000000).Invierte(); });
    EsperaDesbordamiento([] { TFrac(kMin).Invierte(); });
    EsperaDesbordamiento([] { TFrac(1, 65536) * TFrac(1, 65537); });
    EsperaDesbordamiento([] { TFrac(kMin) * TFrac(-1); });
    EsperaDesbordamiento([] { TFrac(kMin) / TFrac(-1); });
    EsperaDesbordamiento([] { RealAFrac(0, 1e19L); });
    EsperaDesbordamiento([] { RealAFrac(0, std::numeric_limits<long double>::infinity()); });
    EsperaDesbordamiento([] { RealAFrac(0, std::numeric_limits<long double>::quiet_NaN()); });
    EsperaFrac(RealAFrac(0, -9223372036854775808.0L), kMin, 1);
    EsperaFrac(TFrac(kMin) / TFrac(1), kMin, 1);
}

// Random small fractions checked against exact 128-bit cross products.
TEST(Fraccion, AritmeticaAleatoriaContraReferencia) {
    std::mt19937_64 gen(12345);
    std::uniform_int_distribution<std::int64_t> num(-1'000'000'000, 1'000'000'000);
    std::uniform_int_distribution<std::uint32_t> den(1, 100000);
    for (int i = 0; i < 3000; ++i) {
        TFrac a(num(gen), den(gen)), b(num(gen), den(gen));
        Entero128 an = a.Num(), ad = a.Den(), bn = b.Num(), bd = b.Den();
        auto comprueba = [&](const char* op, auto calcula, Entero128 n, Entero128 d) {
            SCOPED_TRACE(testing::Message() << a.Num() << "/" << a.Den() << op << b.Num() << "/" << b.Den());
            try {
                TFrac r = calcula();
                EXPECT_TRUE(Entero128(r.Num()) * d == n * r.Den());
            } catch (const EFraccion& e) {
                // Only a reduced result beyond 32-bit denominators may fail.
                EXPECT_EQ(e.tipo(), EFraccion::Tipo::Desbordamiento);
            }
        };
        comprueba("+", [&] { return a + b; }, an * bd + bn * ad, ad * bd);
        comprueba("-", [&] { return a - b; }, an * bd - bn * ad, ad * bd);
        comprueba("*", [&] { return a * b; }, an * bn, ad * bd);
        if (bn != 0) comprueba("/", [&] { return a / b; }, an * bd, ad * bn);
        EXPECT_EQ(a < b, an * bd < bn * ad);
    }
}

TEST(Fraccion, PotenciasEnterasExactas) {
    AjustesFraccion a;
    EsperaFrac(TFrac(2).Potencia(TFrac(-11), a), 1, 2048);
    EsperaFrac(TFrac(1, 50).Potencia(TFrac(2), a), 1, 2500);
    EsperaFrac(TFrac(-2, 3).Potencia(TFrac(3), a), -8, 27);
    EsperaFrac(TFrac(-2, 3).Potencia(TFrac(-3), a), -27, 8);
    EsperaFrac(TFrac(-1).Potencia(TFrac(kMax), a), -1, 1);
    EsperaFrac(TFrac(7, 9).Potencia(TFrac(0), a), 1, 1);
    EsperaFrac(TFrac(0).Potencia(TFrac(5), a), 0, 1);
}

TEST(Fraccion, PotenciaDesbordaDenominadorDe32Bits) {
    // 2^-32 needs a denominator of 2^32: one past the 32-bit range.
    EsperaDesbordamiento([] { TFrac(2).Potencia(TFrac(-32), {}); });
    EsperaFrac(TFrac(2).Potencia(TFrac(-31), {}), 1, 2147483648u);
    EsperaDesbordamiento([] { TFrac(3).Potencia(TFrac(40), {}); });
    EsperaFrac(TFrac(-2).Potencia(TFrac(63), {}), kMin, 1);
    EsperaDesbordamiento([] { TFrac(2).Potencia(TFrac(63), {}); });
}

TEST(Fraccion, PotenciaYRaizNoEnteras) {
    AjustesFraccion a;
    EsperaFrac(TFrac(1, 4).Potencia(TFrac(1, 2), a), 1, 2);
    EsperaFrac(TFrac(2).Potencia(TFrac(1, 2), a), 1393, 985);
    EsperaFrac(TFrac(2).Raiz(TFrac(2), a), 1393, 985);
    EsperaFrac(TFrac(1, 4000000).Raiz(TFrac(2), a), 1, 2000);  // exact root
    EsperaFrac(TFrac(-8, 27).Raiz(TFrac(3), a), -2, 3);
    EsperaFrac(TFrac(4).Raiz(TFrac(-2), a), 1, 2);
    EXPECT_THROW(TFrac(-2).Potencia(TFrac(1, 2), a), EMatematico);
    EXPECT_THROW(TFrac(-2).Raiz(TFrac(2), a), EMatematico);
    EXPECT_THROW(TFrac(0).Potencia(TFrac(-1, 2), a), EMatematico);
    EXPECT_THROW(TFrac(3).Raiz(TFrac(0), a), EMatematico);
}

TEST(Fraccion, RealAFrac) {
    AjustesFraccion a;  // DenominadorMax 1000
    struct Caso { long double x; std::uint32_t max; std::int64_t num; std::uint32_t den; };
    const Caso casos[] = {
        {0.0004L, 0, 0, 1},
        {-0.75L, 0, -3, 4},
        {-2.0001L, 0, -2, 1},
        {0.333333L, 0, 1, 3},
        {3.14159265L, 0, 355, 113},
        {std::numbers::pi_v<long double>, 100, 22, 7},
        {std::numbers::pi_v<long double>, 30000, 355, 113},
        {std::numbers::e_v<long double>, 1000, 1457, 536},
        {std::numbers::e_v<long double>, 10, 19, 7},
        {std::numbers::sqrt2_v<long double>, 1000, 1393, 985},
        {std::numbers::sqrt2_v<long double>, 100, 99, 70},
        {1e18L + 0.5L, 1000, 2000000000000000001LL, 2},
    };
    for (const Caso& c : casos) {
        EsperaFrac(RealAFrac(c.max, c.x, a), c.num, c.den);
    }
    a.DenominadorMax = 7;
    EsperaFrac(RealAFrac(0, std::numbers::pi_v<long double>, a), 22, 7);
}

TEST(Fraccion, RealAFracNuncaSuperaElMaximo) {
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> d(-1e6, 1e6);
    for (std::uint32_t max : {1u, 2u, 10u, 1000u, 65535u, 4294967295u})
        for (int i = 0; i < 300; ++i) {
            long double x = d(gen) / 7.0L;
            TFrac f = RealAFrac(max, x);
            EXPECT_LE(f.Den(), max);
            EXPECT_LE(std::fabs(f.Valor() - x), 1.0L / f.Den());
        }
}

TEST(Fraccion, FracContinua) {
    EsperaFrac(FracContinua(0, 3.25L), 3, 1);
    EsperaFrac(FracContinua(1, 3.25L), 3, 1);
    EsperaFrac(FracContinua(2, 3.25L), 13, 4);
    EsperaFrac(FracContinua(50, 3.25L), 13, 4);
    EsperaFrac(FracContinua(2, 0.6L), 1, 1);  // 0 + 1/1
    EsperaFrac(FracContinua(3, 0.6L), 1, 2);
    EsperaFrac(FracContinua(4, std::numbers::pi_v<long double>), 355, 113);
    EsperaFrac(FracContinua(2, 0.5L), 1, 2);
    EsperaFrac(FracContinua(3, 0.0L), 0, 1);
    // A fractional part just above the cut makes a term near 1e13.
    EsperaDesbordamiento([] { FracContinua(2, 1.0L + 3e-13L); });
    EsperaFrac(RealAFrac(4294967295u, 1.0L + 3e-13L), 1, 1);
}

TEST(Fraccion, TextoAFrac) {
    struct Caso { const char* texto; std::int64_t num; std::uint32_t den; };
    const Caso casos[] = {
        {"  3 | 4  ", 3, 4},
        {"1|1|2", 3, 2},
        {"-1|1|2", -3, 2},
        {"0|1|2", 1, 2},
        {"2.5", 5, 2},
        {"7", 7, 1},
        {"+7", 7, 1},
        {"-3 | 1 | 2", -7, 2},
        {"3|-4", -3, 4},
        {"6|8", 3, 4},
        {"2.0|4", 1, 2},
        {"1e3|7", 1000, 7},
        {"1.5e1", 15, 1},
        {"-9223372036854775808", kMin, 1},
        {"9223372036854775807 | 4294967295", kMax, 4294967295u},
        {"0.333333", 1, 3},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        auto f = TextoAFrac(c.texto);
        ASSERT_TRUE(f.has_value());
        EsperaFrac(*f, c.num, c.den);
    }
    EXPECT_FALSE(TextoAFrac("").has_value());
    EXPECT_FALSE(TextoAFrac("   ").has_value());
}

TEST(Fraccion, TextoInvalido) {
    struct Caso { const char* texto; const char* mensaje; };
    const Caso casos[] = {
        {"abc", "abc no es un valor racional valido"},
        {"1 | x", "1|x no es un valor racional valido"},
        {"|3", "|3 no es un valor racional valido"},
        {"3|", "3| no es un valor racional valido"},
        {"9223372036854775808", "9223372036854775808 no es un valor racional valido"},
        {"1|4294967296", "1|4294967296 no es un valor racional valido"},
        {"1e30", "1e30 no es un valor racional valido"},
        {"1e99999", "1e99999 no es un valor racional valido"},
        {"inf", "inf no es un valor racional valido"},
        {"1,5", "1,5 no es un valor racional valido"},
        {"+-5", "+-5 no es un valor racional valido"},
    };
    for (const Caso& c : casos) EsperaError([&] { TextoAFrac(c.texto); }, EFraccion::Tipo::TextoInvalido, c.mensaje);
    EsperaDivisionCero([] { TextoAFrac("1|0"); });
}

TEST(Fraccion, Texto) {
    AjustesFraccion mixto{1000, true}, impropio{1000, false};
    struct Caso { TFrac f; const char* mixto; const char* impropio; const char* decimal; };
    const Caso casos[] = {
        {TFrac(7, 2), "3 | 1 | 2", "7 | 2", "3.5"},
        {TFrac(-7, 2), "-3 | 1 | 2", "-7 | 2", "-3.5"},
        {TFrac(1, 2), "1 | 2", "1 | 2", "0.5"},
        {TFrac(-1, 2), "-1 | 2", "-1 | 2", "-0.5"},
        {TFrac(4), "4", "4", "4"},
        {TFrac(0), "0", "0", "0"},
        {TFrac(1, 3), "1 | 3", "1 | 3", "0.333333333333333"},
        {TFrac(kMin), "-9223372036854775808", "-9223372036854775808", "-9.22337203685478e+18"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(c.f.ATexto(mixto), c.mixto);
        EXPECT_EQ(c.f.ATexto(impropio), c.impropio);
        EXPECT_EQ(c.f.ATextoModo(0), c.mixto);
        EXPECT_EQ(c.f.ATextoModo(1), c.impropio);
        EXPECT_EQ(c.f.ATextoModo(2), c.decimal);
    }
}

TEST(Fraccion, TextoIdaYVuelta) {
    std::mt19937_64 gen(99);
    std::uniform_int_distribution<std::int64_t> num(kMin, kMax);
    std::uniform_int_distribution<std::uint32_t> den(1, 4294967295u);
    for (int i = 0; i < 500; ++i) {
        TFrac f(num(gen), i % 3 == 0 ? 1 : den(gen));
        for (bool mixto : {false, true}) {
            AjustesFraccion a{1000, mixto};
            auto g = TextoAFrac(f.ATexto(a), a);
            ASSERT_TRUE(g.has_value());
            EXPECT_EQ(*g, f) << f.ATexto(a);
        }
    }
}

}  // namespace
}  // namespace numbrix
