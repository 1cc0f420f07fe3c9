// The three modes are one design: on integer expressions every mode reads
// alike (no "|") the three engines agree, and the one session core prompts,
// cancels and solves alike in each mode.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "Aproximado.h"
#include "Ayudas.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

// The value agrees with the real mode's; an integral one is exact in the
// rational mode (logarithms of exact powers included), a complex one real.
template <class V>
void Compara(const std::string& t, long double real, const V& v) {
    if constexpr (std::is_same_v<V, TFrac>) {
        EXPECT_CERCA_REL(v.Valor(), real, 1e-15L) << t << " = " << v.Num() << "/" << v.Den();
        EXPECT_TRUE(real != std::trunc(real) || v == TFrac(static_cast<std::int64_t>(real))) << t;
    } else if constexpr (std::is_same_v<V, TComplejo>) {
        EXPECT_CERCA_REL(v.Re, real, 1e-15L) << t;
        EXPECT_CERCA_REL(v.Im, 0.0L, 1e-15L) << t;
    } else {
        EXPECT_CERCA_REL(v, real, 1e-15L) << t;
    }
}

template <class D>
class Equivalencia : public ::testing::Test {};
TYPED_TEST_SUITE(Equivalencia, prueba::Dominios);

TYPED_TEST(Equivalencia, EvaluaResuelveYFallaComoElModoReal) {
    for (const char* t :
         {"1+2*3", "(1+2)*3", "10-2-3", "100/10/5", "12/4*3", "7/2", "1/3", "2/3+1/3", "5-(-3)", "-(3-5)*2", "2*-3",
          "2(3+4)", "1+(2)(3)", "(10)%", "((((1+2)+3)+4)+5)", "1000000*1000000", "-7/4", "2^10", "2^-3", "-2^2",
          "(-2)^3", "2^3^2", "0^0", "3^0", "8\\3", "9\\2", "LogN(8,2)", "81\xC2\xA3" "3", "3>2", "2<1", "1=1", "2<>3",
          "1<2<3", "1<3<2", "3>=3", "2<=1", "Si(1,2,3)", "If(0,2,3)", "Si(3>2,10,20)", "sqr(12)", "cuad(3)+raiz(16)",
          "sqrt(144)", "Rcp(8)", "Rcp(Rcp(5))", "r:3;r*r+r", "a:2;b:a*a;b*b+a", "f:\"4+1\";f*f",
          // solved for «?»
          "2*?+1=7", "?-5=1", "5-?=1", "10/?=4", "?^2=49", "2^?=32", "?\\3=2", "3*(?+1)=12", "sqrt(?)=3",
          "Rcp(?)=4", "LogN(?,2)=5"}) {
        prueba::MotorX x;
        prueba::Motor<TypeParam> m;
        const long double real = x.Eval(t);
        const auto v = m.Eval(t);
        ASSERT_FALSE(x.e.HayError || m.e.HayError) << t << ": " << x.e.Mensaje << " / " << m.e.Mensaje;
        Compara(t, real, v);
    }
    // Each mode fails alike, the complex division and the real-only Ale told apart.
    constexpr bool real = std::is_same_v<TypeParam, DominioReal>, complejo = std::is_same_v<TypeParam, DominioComplejo>;
    const std::pair<const char*, const char*> fallos[] = {
        {"1/0", complejo ? "Discriminante de 0 igual a cero (Div)" : "División por cero"},
        {"2+", "Error de sintaxis: la expresión empieza o termina en un operador"},
        {"(1", "Error de sintaxis: paréntesis sin pareja #2"}, {"foo+1", "Identificador desconocido: \"foo\""},
        {"Ale(1)", real ? "La función Ale no admite argumentos" : "Identificador desconocido: \"Ale(1)\""},
        {"1,2", "Identificador desconocido: \"1,2\""},
    };
    for (const auto& [t, mensaje] : fallos) {
        prueba::Motor<TypeParam> m;
        EXPECT_EQ(prueba::Salida(m, t), mensaje) << t;
    }
}

// Random texts over the characters that matter to the complex reader: a
// success is finite in both parts (the fuzz replays check the messages).
TEST(EquivalenciaC, TextosAlAzarDanValoresFinitos) {
    const std::string alfabeto = "0123456789.|||ei+-*/^\\()?<=>&$!,%";
    std::uint32_t s = 12345;
    auto azar = [&s] { return (s = s * 1664525u + 1013904223u) >> 8; };
    prueba::MotorC m(Radianes, {});
    for (int k = 0; k < 3000; ++k) {
        std::string t;
        for (std::size_t n = 1 + azar() % 24; n > 0; --n) t += alfabeto[azar() % alfabeto.size()];
        const auto v = m.Eval(t);
        EXPECT_TRUE(m.e.HayError || (std::isfinite(v.Re) && std::isfinite(v.Im))) << t;
    }
}

// ---------------------------------------------------------------- the session core

template <class S>
class SesionComun : public ::testing::Test {};
using Sesiones = ::testing::Types<TSesion, TSesionQ, TSesionC>;
TYPED_TEST_SUITE(SesionComun, Sesiones);

// One evaluation with the answers to "x" (a prompt letter in every mode)
// from a list: "!" refuses the prompt with a message, a missing one cancels.
TYPED_TEST(SesionComun, PreguntaResuelveYCancelaIgualEnLosTresModos) {
    const struct {
        const char *expresion, *texto, *nota;  // the result box, the assignment note
        std::vector<const char*> respuestas;
        int preguntas;
        bool cancelado;
    } casos[] = {
        {"x*x+x", "12", "{x=3} ", {"3"}, 1, false},       // asked once per evaluation
        {"x+x", "4", "{x=2} ", {"foo", "2"}, 2, false},   // a failed answer is asked again
        {"2*?+1=7", "3", "", {}, 0, false},                // solved for «?»
        {"x*?=6", "3", "{x=2} ", {"2"}, 1, false},         // solving reads the prompts too
        {"x+1", "Cálculo cancelado", "", {}, 1, true},     // nobody answers
        {"1+x", "no quiero", "", {"!"}, 1, false},         // the front end refuses
    };
    for (const auto& c : casos) {
        TypeParam s;
        std::vector<std::string> errores;
        s.Preguntar = [&](char letra, const std::string&, const std::string& error) {
            EXPECT_EQ(letra, 'x');
            errores.push_back(error);
            if (errores.size() > c.respuestas.size()) return RespuestaPregunta{};
            const std::string r = c.respuestas[errores.size() - 1];
            if (r == "!") return RespuestaPregunta{RespuestaPregunta::Fallar, "no quiero"};
            return RespuestaPregunta{RespuestaPregunta::Responder, r};
        };
        const auto r = s.Evaluar(c.expresion);
        EXPECT_EQ(r.texto, c.texto) << c.expresion;
        EXPECT_EQ(r.cancelado, c.cancelado) << c.expresion;
        EXPECT_EQ(r.error, c.cancelado || std::string(c.texto) == "no quiero") << c.expresion;
        EXPECT_EQ(s.NotaAsignacion, c.nota) << c.expresion;
        ASSERT_EQ(static_cast<int>(errores.size()), c.preguntas) << c.expresion;
        for (std::size_t i = 1; i < errores.size(); ++i)  // asked again with why the answer failed
            EXPECT_EQ(errores[i], "Identificador desconocido: \"foo\"") << c.expresion;
    }
}

TYPED_TEST(SesionComun, UltimoResultadoEHistorial) {
    TypeParam s;
    EXPECT_EQ(s.Evaluar("6*7").texto, "42");
    EXPECT_TRUE(s.Evaluar("1/0").error);                       // not kept
    EXPECT_EQ(s.Evaluar("?>2").codigo, CodigoError::Mensaje);  // kept, to be mended
    EXPECT_TRUE(s.Evaluar("").vacio);
    EXPECT_EQ(s.UltimoResultado, decltype(s.UltimoResultado)(42));  // only a success changes it
    s.Evaluar("6*7");                                               // back to the top, once
    EXPECT_EQ(s.Historial.Entradas(), (std::vector<std::string>{"6*7", "?>2"}));
    // The same text after a cancel is evaluated again, and asks again.
    EXPECT_TRUE(s.Evaluar("x+1").cancelado);
    s.Preguntar = [](char, auto&, auto&) { return RespuestaPregunta{RespuestaPregunta::Responder, "2"}; };
    EXPECT_EQ(s.Evaluar("x+1").texto, "3");
}

}  // namespace
}  // namespace numbrix
