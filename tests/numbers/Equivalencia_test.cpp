// The three engines are one design: on integer expressions that every mode
// can read (no "|", which the rational mode reads as fractions), the real,
// rational and complex engines agree, evaluating and solving.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "Aproximado.h"
#include "engine/ExpresionX.h"
#include "numbers/ExpresionC.h"
#include "numbers/ExpresionQ.h"

using namespace numbrix;

namespace {

struct Tres {
    TExpresionX x;
    TExpresionQ q;
    TExpresionC c;
    std::shared_ptr<TVariableX> ix;
    std::shared_ptr<TVariableQ> iq;
    std::shared_ptr<TVariableC> ic;
    Tres() {
        x.SetPredefinidas(true);
        q.SetPredefinidas(true);
        c.SetPredefinidas(true);
        x.Silencioso = q.Silencioso = c.Silencioso = true;
        ix = x.AgregarVariable("?");
        iq = q.AgregarVariable("?");
        ic = c.AgregarVariable("?");
    }
    void Texto(const std::string& t) {
        x.SetTexto(t);
        q.SetTexto(t);
        c.SetTexto(t);
    }
};

void Comparar(const std::string& texto, long double real, const TFrac& fraccion, const TComplejo& complejo) {
    EXPECT_CERCA_REL(fraccion.Valor(), real, 1e-15L) << texto << " racional " << fraccion.Num() << "/" << fraccion.Den();
    if (real == std::trunc(real)) {
        // An integral result is exact in the rational mode (logarithms of
        // exact powers included: they are exact in every mode).
        EXPECT_EQ(fraccion.Den(), 1u) << texto;
        EXPECT_EQ(static_cast<long double>(fraccion.Num()), real) << texto;
    }
    EXPECT_CERCA_REL(complejo.Re, real, 1e-15L) << texto << " complejo";
    EXPECT_CERCA_REL(complejo.Im, 0.0L, 1e-15L) << texto << " complejo";
}

class Equivalencia : public ::testing::TestWithParam<const char*> {};

TEST_P(Equivalencia, LosTresMotoresCoinciden) {
    const std::string texto = GetParam();
    Tres m;
    m.Texto(texto);
    long double real = m.x.Valor();
    TFrac fraccion = m.q.Valor();
    TComplejo complejo = m.c.Valor();
    ASSERT_FALSE(m.x.HayError) << texto << ": " << m.x.Mensaje;
    ASSERT_FALSE(m.q.HayError) << texto << ": " << m.q.Mensaje;
    ASSERT_FALSE(m.c.HayError) << texto << ": " << m.c.Mensaje;
    Comparar(texto, real, fraccion, complejo);
}

INSTANTIATE_TEST_SUITE_P(Numeros, Equivalencia, ::testing::Values(
    "1+2*3", "(1+2)*3", "10-2-3", "100/10/5", "12/4*3", "7/2", "1/3", "2/3+1/3", "5-(-3)", "-(3-5)*2",
    "2*-3", "2(3+4)", "1+(2)(3)", "(10)%", "((((1+2)+3)+4)+5)", "1000000*1000000", "-7/4",
    "2^10", "2^-3", "-2^2", "(-2)^3", "2^3^2", "0^0", "3^0", "8\\3", "9\\2", "LogN(8,2)", "81\xC2\xA3" "3",
    "3>2", "2<1", "1=1", "2<>3", "1<2<3", "1<3<2", "3>=3", "2<=1", "Si(1,2,3)", "If(0,2,3)", "Si(3>2,10,20)",
    "sqr(12)", "cuad(3)+raiz(16)", "sqrt(144)", "Rcp(8)", "Rcp(Rcp(5))", "r:3;r*r+r", "a:2;b:a*a;b*b+a",
    "f:\"4+1\";f*f"));

TEST(Equivalencia, ResuelvenIgual) {
    for (const char* texto : {"2*?+1=7", "?-5=1", "5-?=1", "10/?=4", "?^2=49", "2^?=32", "?\\3=2", "3*(?+1)=12",
                              "sqrt(?)=3", "Rcp(?)=4", "LogN(?,2)=5"}) {
        Tres m;
        m.Texto(texto);
        long double real = m.x.ResolverPara(m.ix.get());
        TFrac fraccion = m.q.ResolverPara(m.iq.get());
        TComplejo complejo = m.c.ResolverPara(m.ic.get());
        ASSERT_FALSE(m.x.HayError || m.q.HayError || m.c.HayError)
            << texto << ": " << m.x.Mensaje << " / " << m.q.Mensaje << " / " << m.c.Mensaje;
        Comparar(texto, real, fraccion, complejo);
    }
}

TEST(Equivalencia, FallanIgual) {
    // The same texts fail in every mode (each with its own message).
    for (const char* texto : {"1/0", "2+", "(1", "foo+1", "Ale(1)", "1,2"}) {
        Tres m;
        m.Texto(texto);
        m.x.Valor();
        m.q.Valor();
        m.c.Valor();
        EXPECT_TRUE(m.x.HayError && m.q.HayError && m.c.HayError) << texto;
    }
}

TEST(Equivalencia, TextosAlAzar) {
    // Random texts over the characters that matter to the three readers
    // compile or fail with a message in every mode; the sanitizer builds
    // catch any wrapped integer or stray infinity on the way.
    const std::string alfabeto = "0123456789.|||ei+-*/^\\()?<=>&$!,%";
    std::uint32_t s = 12345;
    auto azar = [&s] {
        s = s * 1664525u + 1013904223u;
        return s >> 8;
    };
    Tres m;
    for (int k = 0; k < 3000; ++k) {
        std::string t;
        const std::size_t n = 1 + azar() % 24;
        for (std::size_t i = 0; i < n; ++i) t += alfabeto[azar() % alfabeto.size()];
        m.Texto(t);
        m.x.Valor();
        m.q.Valor();
        m.c.Valor();
        EXPECT_TRUE(!m.x.HayError || !m.x.Mensaje.empty()) << t;
        EXPECT_TRUE(!m.q.HayError || !m.q.Mensaje.empty()) << t;
        EXPECT_TRUE(!m.c.HayError || !m.c.Mensaje.empty()) << t;
        if (!m.c.HayError) {
            const TComplejo z = m.c.Resultado;
            EXPECT_TRUE(std::isfinite(z.Re) && std::isfinite(z.Im)) << t;
        }
    }
}

}  // namespace
