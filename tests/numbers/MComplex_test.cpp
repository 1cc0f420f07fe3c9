#include "numbers/MComplex.h"

#include <cmath>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

#include "Aproximado.h"
namespace numbrix {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Both parts within tol (absolute: most parts here are near 1).
void Cerca(const TComplejo& z, long double re, long double im, long double tol = 1e-15L) {
    EXPECT_LE(std::fabs(z.Re - re), tol) << prueba::Texto21(z.Re) << " frente a " << prueba::Texto21(re);
    EXPECT_LE(std::fabs(z.Im - im), tol) << prueba::Texto21(z.Im) << " frente a " << prueba::Texto21(im);
}

template <class E, class F>
void EsperaMensaje(F&& f, const char* mensaje) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << mensaje;
    } catch (const E& e) {
        EXPECT_STREQ(e.what(), mensaje);
    }
}

TEST(Complejo, Aritmetica) {
    TComplejo z{3, 4}, w{1, -2};
    EXPECT_EQ(z + w, (TComplejo{4, 2}));
    EXPECT_EQ(z - w, (TComplejo{2, 6}));
    EXPECT_EQ(z * w, (TComplejo{11, -2}));
    Cerca(z / w, -1, 2);
    EXPECT_EQ(CPorI(z), (TComplejo{-4, 3}));
    EXPECT_EQ(CPorMenosI(z), (TComplejo{4, -3}));
    EXPECT_EQ(CConjugado(z), (TComplejo{3, -4}));
    EXPECT_EQ(CModulo(z), 5);
    Cerca(CReciproco(z), 0.12L, -0.16L);
    EXPECT_EQ(CProducto({0, 1}, {0, 1}), (TComplejo{-1, 0}));
}

TEST(Complejo, EscaladoSinDesbordarNiAnular) {
    // A divisor near 1e-2466 squares to 0 in the naive form.
    TComplejo chico{1e-2466L, 1e-2466L};
    Cerca(CDivision({1e-2466L, 0}, chico), 0.5L, -0.5L);
    EXPECT_NEAR(static_cast<double>(CReciproco({1e-2466L, 0}).Re / 1e2466L), 1.0, 1e-15);
    Cerca(CLn({1e-2466L, 0}), std::log(1e-2466L), 0, 1e-12L);
    EXPECT_NEAR(static_cast<double>(CModulo({3e3000L, 4e3000L}) / 1e3000L), 5.0, 1e-15);
    Cerca(CLn({1e4000L, 1e4000L}), std::log(1e4000L) + std::log(std::sqrt(2.0L)), kPi / 4, 1e-12L);
    Cerca(CDivision({1e4000L, 1e4000L}, {1e4000L, -1e4000L}), 0, 1);
}

TEST(Complejo, ErroresDeCero) {
    EsperaMensaje<ErrorComplejo>([] { CDivision({1, 0}, {0, 0}); }, "Discriminante de 0 igual a cero (Div)");
    EsperaMensaje<ErrorComplejo>([] { CReciproco({0, 0}); }, "Discriminante de 0 igual a cero (Rcp)");
    EsperaMensaje<ErrorComplejo>([] { CLn({0, 0}); }, "Descriminante de 0 igual a cero (ln).");
    EsperaMensaje<EMatematico>([] { CArcTanH({1, 0}); }, "División por cero");
    EsperaMensaje<ErrorComplejo>([] { CPotencia({0, 0}, {-1, 0}); }, "Discriminante de 0 igual a cero (Div)");
    EsperaMensaje<ErrorComplejo>([] { CPotencia({0, 0}, {0, 1}); }, "Discriminante de 0 igual a cero (Div)");
}

TEST(Complejo, ResultadosNoFinitosLanzan) {
    EXPECT_THROW(CExp({20000, 0}), EMatematico);
    EXPECT_THROW(CExp({20000, 1}), EMatematico);
    EXPECT_THROW(CSen({0, 20000}), EMatematico);
    EXPECT_THROW(CCosH({20000, 0}), EMatematico);
    EXPECT_THROW(CProducto({1e4000L, 0}, {1e4000L, 0}), EMatematico);
    EXPECT_THROW(CSuma({1e4932L, 0}, {1e4932L, 0}), EMatematico);
    EXPECT_THROW(CReciproco({1e-4940L, 0}), EMatematico);
    try {
        CExp({20000, 0});
    } catch (const EMatematico& e) {
        EXPECT_EQ(e.Codigo(), CodigoError::Desbordamiento);
    }
    // Far from the real axis tan and tanh are ±i and ±1, not an overflow.
    Cerca(CTan({0.5L, 30000}), 0, 1);
    Cerca(CTan({0.5L, -30000}), 0, -1);
    Cerca(CTanH({-30000, 0.5L}), -1, 0);
}

TEST(Complejo, Potencias) {
    EXPECT_EQ(CPotencia({0, 0}, {2, 5}), (TComplejo{0, 0}));
    EXPECT_EQ(CPotencia({0, 0}, {0, 0}), (TComplejo{1, 0}));
    Cerca(CPotencia({0, 1}, {0, 1}), std::exp(-kPi / 2), 0);
    Cerca(CPotencia({0, 1}, {2, 0}), -1, 0);
    Cerca(CPotencia({2, 0}, {10, 0}), 1024, 0, 1e-12L);
}

TEST(Complejo, Raiz) {
    struct Caso { TComplejo z; long double re, im; };
    const Caso casos[] = {
        {{-4, 0}, 0, 2},
        {{-4, -0.0L}, 0, 2},
        {{-4, -0.000001L}, 2.5e-7L, -2},
        {{3, 4}, 2, 1},
        {{0, 2}, 1, 1},
        {{0, -2}, 1, -1},
        {{0, 0}, 0, 0},
        {{4, 0}, 2, 0},
    };
    for (const Caso& c : casos) Cerca(CRaiz(c.z), c.re, c.im, 1e-12L);
}

TEST(Complejo, CortesEnElEjeRealNegativo) {
    Cerca(CLn({-1, 0}), 0, kPi);
    Cerca(CLn({-1, -0.0L}), 0, kPi);  // -0 counts as +0
    Cerca(CLn({-1, -1e-30L}), 0, -kPi);
    EXPECT_CERCA(CArgumento({-1, -0.0L}), kPi);
    EXPECT_EQ(CArgumento({-0.0L, -0.0L}), 0);
    EXPECT_EQ(CArgumento({-0.0L, 0}), 0);
    // Square roots on and just below the cut.
    Cerca(CRaiz({-9, 0}), 0, 3);
    Cerca(CRaiz({-9, -1e-30L}), 0, -3);
    // Powers inherit the logarithm's cut.
    Cerca(CPotencia({-8, 0}, {1.0L / 3, 0}), 1, std::sqrt(3.0L), 1e-15L);
}

TEST(Complejo, IdentidadesEnPuntosAleatorios) {
    std::mt19937 gen(2024);
    std::uniform_real_distribution<double> d(-3, 3);
    for (int i = 0; i < 400; ++i) {
        TComplejo z{d(gen), d(gen)};
        if (std::fabs(z.Im) < 1e-3 && z.Re < 0) continue;  // near the cut of ln
        SCOPED_TRACE(ComplejoATexto(z, 20));
        Cerca(CExp(CLn(z)), z.Re, z.Im, 1e-15L);
        TComplejo s = CSen(z), c = CCos(z);
        Cerca(CSuma(CCuadrado(s), CCuadrado(c)), 1, 0, 1e-15L);
        TComplejo sh = CSenH(z), ch = CCosH(z);
        Cerca(CResta(CCuadrado(ch), CCuadrado(sh)), 1, 0, 1e-14L);
        Cerca(CTan(z), CDivision(s, c).Re, CDivision(s, c).Im, 1e-13L);
        Cerca(CSen(CArcSen(z)), z.Re, z.Im, 1e-14L);
        Cerca(CCos(CArcCos(z)), z.Re, z.Im, 1e-14L);
        Cerca(CTan(CArcTan(z)), z.Re, z.Im, 1e-14L);
        Cerca(CSenH(CArcSenH(z)), z.Re, z.Im, 1e-14L);
        Cerca(CCosH(CArcCosH(z)), z.Re, z.Im, 1e-14L);
        Cerca(CTanH(CArcTanH(z)), z.Re, z.Im, 1e-14L);
        TComplejo r = CRaiz(z);
        EXPECT_GE(r.Re, 0);
        Cerca(CCuadrado(r), z.Re, z.Im, 1e-15L);
    }
}

TEST(Complejo, ArcoSenoHiperbolicoSinCancelacion) {
    Cerca(CArcSenH({-1e10L, 0}), -std::asinh(1e10L), 0, 1e-15L);
    Cerca(CArcSenH({1e10L, 0}), std::asinh(1e10L), 0, 1e-15L);
    Cerca(CArcSen({2, 0}), kPi / 2, -std::acosh(2.0L), 1e-15L);
}

TEST(Complejo, Texto) {
    struct Caso { TComplejo z; const char* texto; };
    const Caso casos[] = {
        {{3, 2}, "3+2i"},
        {{3, -1}, "3-i"},
        {{0, -2}, "-2i"},
        {{0, 0}, "0"},
        {{-0.0L, -0.0L}, "0"},
        {{1e-10L, 5}, "1e-10+5i"},
        {{2e9L, 1}, "2000000000+i"},
        {{1e9L, 0.05L}, "1000000000+0.05i"},
        {{1, 2e-15L}, "1+2e-15i"},
        {{1, 5e-16L}, "1"},
        {{-5e-16L, 1}, "i"},
        {{2, -1}, "2-i"},
        {{0, 1}, "i"},
        {{0, -1}, "-i"},
        {{1e-12L, 0}, "1e-12"},
        {{0, 1e-12L}, "1e-12i"},
        {{1, 1e-17L}, "1"},
        {{1.5e-3L, 4}, "0.0015+4i"},
        {{1.0L / 3, -2.0L / 3}, "0.3333333333-0.6666666667i"},
        {{1e20L, 1e20L}, "1e+20+1e+20i"},
        {{-2.5L, 0}, "-2.5"},
    };
    for (const Caso& c : casos) EXPECT_EQ(ComplejoATexto(c.z), c.texto);
    EXPECT_EQ(ComplejoATexto({kPi, 0}, 8), "3.1415927");
}

TEST(Complejo, LecturaDeTexto) {
    struct Caso { const char* texto; long double re, im; };
    const Caso casos[] = {
        {"3+2i", 3, 2},   {"3-i", 3, -1},     {"-2.5i", 0, -2.5L}, {"1.5e-3+4i", 1.5e-3L, 4},
        {"7", 7, 0},      {"2-3i", 2, -3},    {"1e-5-2i", 1e-5L, -2}, {"-i", 0, -1},
        {"4", 4, 0},      {"i", 0, 1},        {"+i", 0, 1},        {"5I", 0, 5},
        {"", 0, 0},       {"1e+20+1e+20i", 1e20L, 1e20L}, {"2e-3i", 0, 2e-3L}, {" 3 + 2i ", 3, 2},
        {"-1E-5-1E-5i", -1e-5L, -1e-5L},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        TComplejo z = TextoAComplejo(c.texto);
        EXPECT_EQ(z.Re, c.re);
        EXPECT_EQ(z.Im, c.im);
    }
    EsperaMensaje<EValorComplejo>([] { TextoAComplejo("abc"); }, "'abc' no es un valor punto flotante válido");
    EsperaMensaje<EValorComplejo>([] { TextoAComplejo("3+xi"); }, "'+x' no es un valor punto flotante válido");
    EsperaMensaje<EValorComplejo>([] { TextoAComplejo("1,5"); }, "'1,5' no es un valor punto flotante válido");
}

TEST(Complejo, TextoIdaYVuelta) {
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> d(-1e6, 1e6);
    for (int i = 0; i < 300; ++i) {
        TComplejo z{d(gen), d(gen)};
        TComplejo r = TextoAComplejo(ComplejoATexto(z));
        EXPECT_NEAR(static_cast<double>(r.Re), static_cast<double>(z.Re), 1e-9 * 1e6);
        EXPECT_NEAR(static_cast<double>(r.Im), static_cast<double>(z.Im), 1e-9 * 1e6);
    }
    for (TComplejo z : {TComplejo{0, 1}, TComplejo{0, -1}, TComplejo{5, 1}, TComplejo{-5, -1}, TComplejo{0, 0}})
        EXPECT_EQ(TextoAComplejo(ComplejoATexto(z)), z);
}

}  // namespace
}  // namespace numbrix
