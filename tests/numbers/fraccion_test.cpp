// Exact fractions: reduction, checked arithmetic, powers and roots, the
// conversion from reals and the texts, each failure with its kind and text.
#include "numbers/fraccion.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

#include "Ayudas.h"

namespace numbrix {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr long double kPi = std::numbers::pi_v<long double>;

// A fraction computed in the table and the terms it must have.
struct Caso { const char* expresion; TFrac f; std::int64_t num; std::uint32_t den; };
#define FRAC(expr, num, den) Caso{#expr, expr, num, den}

// An expression that must fail, and the kind of failure.
struct CasoFallo { const char* expresion; void (*f)(); EFraccion::Tipo tipo; };
#define FALLA(expr, tipo) CasoFallo{#expr, [] { (void)(expr); }, EFraccion::Tipo::tipo}

void EsperaFallo(const char* expresion, auto&& f, EFraccion::Tipo tipo, const std::string& mensaje) {
    const auto e = prueba::Lanzado<EFraccion>(f);
    ASSERT_TRUE(e) << expresion << ": sin error; se esperaba " << mensaje;
    EXPECT_EQ(e->tipo(), tipo) << expresion;
    EXPECT_EQ(e->what(), mensaje) << expresion;
}

TEST(Fraccion, ResultadosExactos) {
    AjustesFraccion a;  // DenominadorMax 1000
    AjustesFraccion max7{7, false};
    const Caso casos[] = {
        // reduced, the sign in the numerator
        FRAC(TFrac(6, 4), 3, 2), FRAC(TFrac(0, 7), 0, 1), FRAC(TFrac(-6, 4), -3, 2), FRAC(TFrac(kMin, 2), kMin / 2, 1),
        // arithmetic; overflow is judged after reduction
        FRAC(TFrac(1, 2) + TFrac(1, 3), 5, 6), FRAC(TFrac(1, 2) - TFrac(1, 2), 0, 1), FRAC(TFrac(kMax) - TFrac(kMax), 0, 1),
        FRAC(TFrac(2, 3) / TFrac(-4, 9), -3, 2), FRAC(TFrac(2, 3) * TFrac(3, 4), 1, 2), FRAC(TFrac(kMin) / TFrac(1), kMin, 1),
        FRAC(TFrac(1, 65536) + TFrac(1, 65536), 1, 32768), FRAC(TFrac(1, 4294967295u) * TFrac(4294967295u), 1, 1),
        FRAC(TFrac(5, 3).MultiplicaEntero(-3), -5, 1), FRAC(TFrac(5, 3).DivideEntero(-10), -1, 6),
        // integral powers are exact, down to a 2^31 denominator and up to 2^63
        FRAC(TFrac(2).Potencia(TFrac(-11), a), 1, 2048), FRAC(TFrac(1, 50).Potencia(TFrac(2), a), 1, 2500),
        FRAC(TFrac(-2, 3).Potencia(TFrac(3), a), -8, 27), FRAC(TFrac(-2, 3).Potencia(TFrac(-3), a), -27, 8),
        FRAC(TFrac(-1).Potencia(TFrac(kMax), a), -1, 1), FRAC(TFrac(7, 9).Potencia(TFrac(0), a), 1, 1),
        FRAC(TFrac(0).Potencia(TFrac(5), a), 0, 1), FRAC(TFrac(2).Potencia(TFrac(-31), a), 1, 2147483648u),
        FRAC(TFrac(-2).Potencia(TFrac(63), a), kMin, 1),
        // other powers and roots: exact for perfect powers, else through the reals
        FRAC(TFrac(1, 4).Potencia(TFrac(1, 2), a), 1, 2), FRAC(TFrac(2).Potencia(TFrac(1, 2), a), 1393, 985),
        FRAC(TFrac(2).Raiz(TFrac(2), a), 1393, 985), FRAC(TFrac(1, 4000000).Raiz(TFrac(2), a), 1, 2000),
        FRAC(TFrac(-8, 27).Raiz(TFrac(3), a), -2, 3), FRAC(TFrac(4).Raiz(TFrac(-2), a), 1, 2),
        // reals: the best convergent within the largest denominator (0: the settings')
        FRAC(RealAFrac(0, 0.0004L, a), 0, 1), FRAC(RealAFrac(0, -0.75L, a), -3, 4), FRAC(RealAFrac(0, -2.0001L, a), -2, 1),
        FRAC(RealAFrac(0, 0.333333L, a), 1, 3), FRAC(RealAFrac(0, 3.14159265L, a), 355, 113),
        FRAC(RealAFrac(100, kPi, a), 22, 7), FRAC(RealAFrac(30000, kPi, a), 355, 113), FRAC(RealAFrac(0, kPi, max7), 22, 7),
        FRAC(RealAFrac(1000, std::numbers::e_v<long double>, a), 1457, 536),
        FRAC(RealAFrac(10, std::numbers::e_v<long double>, a), 19, 7),
        FRAC(RealAFrac(1000, std::numbers::sqrt2_v<long double>, a), 1393, 985),
        FRAC(RealAFrac(100, std::numbers::sqrt2_v<long double>, a), 99, 70),
        FRAC(RealAFrac(1000, 1e18L + 0.5L, a), 2000000000000000001LL, 2),
        FRAC(RealAFrac(0, -9223372036854775808.0L), kMin, 1), FRAC(RealAFrac(4294967295u, 1.0L + 3e-13L), 1, 1),
        // continued fractions of at most n terms
        FRAC(FracContinua(0, 3.25L), 3, 1), FRAC(FracContinua(1, 3.25L), 3, 1), FRAC(FracContinua(2, 3.25L), 13, 4),
        FRAC(FracContinua(50, 3.25L), 13, 4), FRAC(FracContinua(2, 0.6L), 1, 1), FRAC(FracContinua(3, 0.6L), 1, 2),
        FRAC(FracContinua(4, kPi), 355, 113), FRAC(FracContinua(2, 0.5L), 1, 2), FRAC(FracContinua(3, 0.0L), 0, 1),
    };
    for (const Caso& c : casos) EXPECT_EQ(std::pair(c.f.Num(), c.f.Den()), std::pair(c.num, c.den)) << c.expresion;
    EXPECT_EQ(TFrac(-7, 2).ParteEntera(), -3);
    EXPECT_EQ(TFrac(-7, 2).Resto(), -1);
}

TEST(Fraccion, FallosConSuTipoYSuTexto) {
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    const CasoFallo casos[] = {
        FALLA(TFrac(1, 0), DivisionCero), FALLA(TFrac(0) / TFrac(0), DivisionCero), FALLA(TFrac(1) / TFrac(0), DivisionCero),
        FALLA(TFrac(0).Invierte(), DivisionCero), FALLA(TFrac(3).DivideEntero(0), DivisionCero),
        FALLA(TFrac(0).Potencia(TFrac(-2), {}), DivisionCero), FALLA(TextoAFrac("1|0"), DivisionCero),
        FALLA(TFrac(kMax) + TFrac(1), Desbordamiento), FALLA(TFrac(kMin) - TFrac(1), Desbordamiento),
        FALLA(TFrac(kMin).CambiaSigno(), Desbordamiento), FALLA(-TFrac(kMin), Desbordamiento),
        FALLA(TFrac(5000000000).Invierte(), Desbordamiento), FALLA(TFrac(kMin).Invierte(), Desbordamiento),
        FALLA(TFrac(1, 65536) * TFrac(1, 65537), Desbordamiento), FALLA(TFrac(kMin) * TFrac(-1), Desbordamiento),
        FALLA(TFrac(kMin) / TFrac(-1), Desbordamiento), FALLA(RealAFrac(0, 1e19L), Desbordamiento),
        FALLA(RealAFrac(0, kInf), Desbordamiento), FALLA(RealAFrac(0, std::nanl("")), Desbordamiento),
        FALLA(TFrac(2).Potencia(TFrac(-32), {}), Desbordamiento),  // 2^32 is one past the denominators
        FALLA(TFrac(3).Potencia(TFrac(40), {}), Desbordamiento), FALLA(TFrac(2).Potencia(TFrac(63), {}), Desbordamiento),
        FALLA(FracContinua(2, 1.0L + 3e-13L), Desbordamiento),  // a term near 1e13
    };
    for (const CasoFallo& c : casos)
        EsperaFallo(c.expresion, c.f, c.tipo,
                    c.tipo == EFraccion::Tipo::DivisionCero ? "División entre cero" : "Desbordamiento entero");
    struct CasoReal { TFrac base, f; bool raiz; CodigoError tipo; const char* mensaje; };
    const CasoReal reales[] = {
        {TFrac(-2), TFrac(1, 2), false, CodigoError::OperacionInvalida, "Operación de punto flotante inválida"},
        {TFrac(-2), TFrac(2), true, CodigoError::OperacionInvalida, "Operación de punto flotante inválida"},
        {TFrac(0), TFrac(-1, 2), false, CodigoError::DivisionCero, "División de punto flotante entre cero"},
        {TFrac(3), TFrac(0), true, CodigoError::DivisionCero, "División de punto flotante entre cero"},
    };
    for (const CasoReal& c : reales) {
        TFrac x = c.base;
        const auto e = prueba::Lanzado<EMatematico>([&] { c.raiz ? x.Raiz(c.f, {}) : x.Potencia(c.f, {}); });
        ASSERT_TRUE(e) << c.mensaje;
        EXPECT_EQ(e->Codigo(), c.tipo);
        EXPECT_STREQ(e->what(), c.mensaje);
    }
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

TEST(Fraccion, LecturaDeTexto) {
    struct CasoTexto { const char* texto; std::int64_t num; std::uint32_t den; };
    const CasoTexto casos[] = {
        {"  3 | 4  ", 3, 4}, {"1|1|2", 3, 2},  {"-1|1|2", -3, 2}, {"0|1|2", 1, 2},     {"2.5", 5, 2},   {"7", 7, 1},
        {"+7", 7, 1},        {"3|-4", -3, 4},  {"6|8", 3, 4},     {"2.0|4", 1, 2},     {"1e3|7", 1000, 7},
        {"1.5e1", 15, 1},    {"-3 | 1 | 2", -7, 2},              {"0.333333", 1, 3},  {"-9223372036854775808", kMin, 1},
        {"9223372036854775807 | 4294967295", kMax, 4294967295u},
    };
    for (const CasoTexto& c : casos) {
        auto f = TextoAFrac(c.texto);
        ASSERT_TRUE(f.has_value()) << c.texto;
        EXPECT_EQ(std::pair(f->Num(), f->Den()), std::pair(c.num, c.den)) << c.texto;
    }
    EXPECT_FALSE(TextoAFrac("").has_value());
    EXPECT_FALSE(TextoAFrac("   ").has_value());
    // Unreadable: the text without its blanks in the message.
    for (const char* t : {"abc", "1 | x", "|3", "3|", "9223372036854775808", "1|4294967296", "1e30", "1e99999", "inf",
                          "1,5", "+-5"}) {
        std::string sinBlancos = t;
        std::erase(sinBlancos, ' ');
        EsperaFallo(t, [&] { TextoAFrac(t); }, EFraccion::Tipo::TextoInvalido, sinBlancos + " no es un valor racional valido");
    }
}

TEST(Fraccion, Texto) {
    struct CasoTexto { TFrac f; const char *mixto, *impropio, *decimal; };
    const CasoTexto casos[] = {
        {TFrac(7, 2), "3 | 1 | 2", "7 | 2", "3.5"},    {TFrac(-7, 2), "-3 | 1 | 2", "-7 | 2", "-3.5"},
        {TFrac(1, 2), "1 | 2", "1 | 2", "0.5"},        {TFrac(-1, 2), "-1 | 2", "-1 | 2", "-0.5"},
        {TFrac(4), "4", "4", "4"},                     {TFrac(0), "0", "0", "0"},
        {TFrac(1, 3), "1 | 3", "1 | 3", "0.333333333333333"},
        {TFrac(kMin), "-9223372036854775808", "-9223372036854775808", "-9.22337203685478e+18"},
    };
    for (const CasoTexto& c : casos) {
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
