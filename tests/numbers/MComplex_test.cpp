// Complex arithmetic and functions: known values (cuts, scaling, far from the
// axes), identities at random points, every failure's class and text, and
// the text forms.
#include "numbers/MComplex.h"

#include <cmath>
#include <numbers>
#include <random>
#include <typeinfo>

#include <gtest/gtest.h>

#include "Aproximado.h"

namespace numbrix {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Both parts within tol of the expected ones, relative to max(1, |part|).
void Cerca(const TComplejo& z, long double re, long double im, long double tol, const char* que = "") {
    EXPECT_CERCA_REL(z.Re, re, tol) << que;
    EXPECT_CERCA_REL(z.Im, im, tol) << que;
}

struct Caso { const char* expresion; TComplejo z; long double re, im; };
#define VALOR(expr, re, im) Caso{#expr, expr, re, im}

TEST(Complejo, ValoresConocidos) {
    const TComplejo z{3, 4}, w{1, -2}, i{0, 1}, cero{0, 0};
    const long double raiz3 = std::sqrt(3.0L), lnGrande = std::log(1e4000L) + std::log(std::sqrt(2.0L));
    const Caso casos[] = {
        VALOR(z + w, 4, 2), VALOR(z - w, 2, 6), VALOR(z * w, 11, -2), VALOR(z / w, -1, 2), VALOR(i * i, -1, 0),
        VALOR(CPorI(z), -4, 3), VALOR(CPorMenosI(z), 4, -3), VALOR(CConjugado(z), 3, -4),
        VALOR(CReciproco(z), 0.12L, -0.16L), VALOR(CReciproco({1e-2466L, 0}), 1e2466L, 0),
        // scaled: the squares of tiny or huge parts are never formed
        VALOR(CDivision({1e-2466L, 0}, {1e-2466L, 1e-2466L}), 0.5L, -0.5L),
        VALOR(CLn({1e-2466L, 0}), std::log(1e-2466L), 0), VALOR(TComplejo{CModulo({3e3000L, 4e3000L})}, 5e3000L, 0),
        VALOR(CLn({1e4000L, 1e4000L}), lnGrande, kPi / 4),
        VALOR(CDivision({1e4000L, 1e4000L}, {1e4000L, -1e4000L}), 0, 1),
        // powers, 0^w among them
        VALOR(CPotencia(cero, {2, 5}), 0, 0), VALOR(CPotencia(cero, cero), 1, 0), VALOR(CPotencia(i, {2, 0}), -1, 0),
        VALOR(CPotencia(i, i), std::exp(-kPi / 2), 0), VALOR(CPotencia({2, 0}, {10, 0}), 1024, 0),
        // principal roots
        VALOR(CRaiz({-4, 0}), 0, 2), VALOR(CRaiz({-4, -0.0L}), 0, 2), VALOR(CRaiz({3, 4}), 2, 1),
        VALOR(CRaiz({0, 2}), 1, 1), VALOR(CRaiz({0, -2}), 1, -1), VALOR(CRaiz(cero), 0, 0), VALOR(CRaiz({4, 0}), 2, 0),
        VALOR(CRaiz({-4, -1e-6L}), 2.5e-7L, -2 - 1.5625e-14L),
        // the cut on the negative real axis: -0 counts as +0; powers inherit it
        VALOR(CLn({-1, 0}), 0, kPi), VALOR(CLn({-1, -0.0L}), 0, kPi), VALOR(CLn({-1, -1e-30L}), 0, -kPi),
        VALOR(CRaiz({-9, 0}), 0, 3), VALOR(CRaiz({-9, -1e-30L}), 0, -3),
        VALOR(CPotencia({-8, 0}, {1.0L / 3, 0}), 1, raiz3),
        // far from the real axis tan and tanh are ±i and ±1, not an overflow
        VALOR(CTan({0.5L, 30000}), 0, 1), VALOR(CTan({0.5L, -30000}), 0, -1), VALOR(CTanH({-30000, 0.5L}), -1, 0),
        // no cancellation in asinh of large negatives
        VALOR(CArcSenH({-1e10L, 0}), -std::asinh(1e10L), 0), VALOR(CArcSenH({1e10L, 0}), std::asinh(1e10L), 0),
        VALOR(CArcSen({2, 0}), kPi / 2, -std::acosh(2.0L)),
    };
    for (const Caso& c : casos) Cerca(c.z, c.re, c.im, 1e-15L, c.expresion);
    EXPECT_EQ(CModulo(z), 5);
    EXPECT_CERCA(CArgumento({-1, -0.0L}), kPi);
    EXPECT_EQ(CArgumento({-0.0L, -0.0L}), 0);
    EXPECT_EQ(CArgumento({-0.0L, 0}), 0);
}

struct CasoFallo { const char* expresion; void (*f)(); const std::type_info* clase; const char* mensaje; };
#define FALLA(expr, clase, mensaje) CasoFallo{#expr, [] { (void)(expr); }, &typeid(clase), mensaje}

TEST(Complejo, FallosConSuClaseYSuTexto) {
    const char *divide = "Discriminante de 0 igual a cero (Div)", *desborda = "Desbordamiento de punto flotante";
    const CasoFallo casos[] = {
        FALLA(CDivision({1, 0}, {0, 0}), ErrorComplejo, divide), FALLA(CPotencia({0, 0}, {0, 1}), ErrorComplejo, divide),
        FALLA(CPotencia({0, 0}, {-1, 0}), ErrorComplejo, divide),
        FALLA(CReciproco({0, 0}), ErrorComplejo, "Discriminante de 0 igual a cero (Rcp)"),
        FALLA(CLn({0, 0}), ErrorComplejo, "Descriminante de 0 igual a cero (ln)."),
        FALLA(CArcTanH({1, 0}), EMatematico, "División por cero"),
        FALLA(CExp({20000, 0}), EMatematico, desborda), FALLA(CExp({20000, 1}), EMatematico, desborda),
        FALLA(CSen({0, 20000}), EMatematico, desborda), FALLA(CCosH({20000, 0}), EMatematico, desborda),
        FALLA(CProducto({1e4000L, 0}, {1e4000L, 0}), EMatematico, desborda),
        FALLA(CSuma({1e4932L, 0}, {1e4932L, 0}), EMatematico, desborda),
        FALLA(CReciproco({1e-4940L, 0}), EMatematico, desborda),
        FALLA(TextoAComplejo("abc"), EValorComplejo, "'abc' no es un valor punto flotante válido"),
        FALLA(TextoAComplejo("3+xi"), EValorComplejo, "'+x' no es un valor punto flotante válido"),
        FALLA(TextoAComplejo("1,5"), EValorComplejo, "'1,5' no es un valor punto flotante válido"),
    };
    for (const CasoFallo& c : casos) {
        try {
            c.f();
            ADD_FAILURE() << c.expresion << ": sin error; se esperaba " << c.mensaje;
        } catch (const ENumbrix& e) {
            EXPECT_TRUE(typeid(e) == *c.clase) << c.expresion << ": " << typeid(e).name();
            EXPECT_STREQ(e.what(), c.mensaje) << c.expresion;
            if (auto* m = dynamic_cast<const EMatematico*>(&e); m && c.mensaje == desborda) {
                EXPECT_EQ(m->Codigo(), CodigoError::Desbordamiento) << c.expresion;
            }
        }
    }
}

TEST(Complejo, IdentidadesEnPuntosAleatorios) {
    struct Par { TComplejo (*f)(const TComplejo&), (*inversa)(const TComplejo&); long double tol; };
    const Par pares[] = {{CExp, CLn, 1e-15L},       {CCuadrado, CRaiz, 1e-15L}, {CSen, CArcSen, 1e-14L},
                         {CCos, CArcCos, 1e-14L},   {CTan, CArcTan, 1e-14L},    {CSenH, CArcSenH, 1e-14L},
                         {CCosH, CArcCosH, 1e-14L}, {CTanH, CArcTanH, 1e-14L}};
    std::mt19937 gen(2024);
    std::uniform_real_distribution<double> d(-3, 3);
    for (int i = 0; i < 400; ++i) {
        TComplejo z{d(gen), d(gen)};
        if (std::fabs(z.Im) < 1e-3 && z.Re < 0) continue;  // near the cut of ln
        SCOPED_TRACE(ComplejoATexto(z, 20));
        for (const Par& p : pares) Cerca(p.f(p.inversa(z)), z.Re, z.Im, p.tol);
        const TComplejo s = CSen(z), c = CCos(z), sh = CSenH(z), ch = CCosH(z);
        Cerca(CCuadrado(s) + CCuadrado(c), 1, 0, 1e-15L);
        Cerca(CCuadrado(ch) - CCuadrado(sh), 1, 0, 1e-14L);
        Cerca(CTan(z), (s / c).Re, (s / c).Im, 1e-13L);
        EXPECT_GE(CRaiz(z).Re, 0);
    }
}

TEST(Complejo, Texto) {
    struct CasoTexto { TComplejo z; const char* texto; };
    const CasoTexto casos[] = {
        {{3, 2}, "3+2i"},           {{3, -1}, "3-i"},        {{0, -2}, "-2i"},           {{0, 0}, "0"},
        {{-0.0L, -0.0L}, "0"},      {{2, -1}, "2-i"},        {{0, 1}, "i"},              {{0, -1}, "-i"},
        {{1e-12L, 0}, "1e-12"},     {{0, 1e-12L}, "1e-12i"}, {{1.5e-3L, 4}, "0.0015+4i"}, {{-2.5L, 0}, "-2.5"},
        {{1e20L, 1e20L}, "1e+20+1e+20i"},                    {{1.0L / 3, -2.0L / 3}, "0.3333333333-0.6666666667i"},
        // a part is dropped only below 1e-15 of the other (rounding noise)
        {{1e-10L, 5}, "1e-10+5i"},  {{2e9L, 1}, "2000000000+i"}, {{1e9L, 0.05L}, "1000000000+0.05i"},
        {{1, 2e-15L}, "1+2e-15i"},  {{1, 5e-16L}, "1"},      {{-5e-16L, 1}, "i"},        {{1, 1e-17L}, "1"},
    };
    for (const CasoTexto& c : casos) EXPECT_EQ(ComplejoATexto(c.z), c.texto);
    EXPECT_EQ(ComplejoATexto({kPi, 0}, 8), "3.1415927");
}

TEST(Complejo, LecturaDeTexto) {
    struct CasoLectura { const char* texto; long double re, im; };
    const CasoLectura casos[] = {
        {"3+2i", 3, 2},   {"3-i", 3, -1},     {"-2.5i", 0, -2.5L}, {"1.5e-3+4i", 1.5e-3L, 4},
        {"7", 7, 0},      {"2-3i", 2, -3},    {"1e-5-2i", 1e-5L, -2}, {"-i", 0, -1},
        {"4", 4, 0},      {"i", 0, 1},        {"+i", 0, 1},        {"5I", 0, 5},
        {"", 0, 0},       {"1e+20+1e+20i", 1e20L, 1e20L}, {"2e-3i", 0, 2e-3L}, {" 3 + 2i ", 3, 2},
        {"-1E-5-1E-5i", -1e-5L, -1e-5L},
    };
    for (const CasoLectura& c : casos) EXPECT_EQ(TextoAComplejo(c.texto), (TComplejo{c.re, c.im})) << c.texto;
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> d(-1e6, 1e6);
    for (int i = 0; i < 300; ++i) {  // ten digits there and back
        TComplejo z{d(gen), d(gen)};
        TComplejo r = TextoAComplejo(ComplejoATexto(z));
        EXPECT_CERCA_REL(r.Re, z.Re, 1e-9L);
        EXPECT_CERCA_REL(r.Im, z.Im, 1e-9L);
    }
    for (TComplejo z : {TComplejo{0, 1}, TComplejo{0, -1}, TComplejo{5, 1}, TComplejo{-5, -1}, TComplejo{0, 0}})
        EXPECT_EQ(TextoAComplejo(ComplejoATexto(z)), z);
}

}  // namespace
}  // namespace numbrix
