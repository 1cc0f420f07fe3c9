// The rational-mode engine: fraction literals, exact arithmetic and powers,
// truth values, built-ins, solving, settings per engine and its failures.
#include <gtest/gtest.h>

#include <cstdint>

#include "Ayudas.h"

namespace numbrix {
namespace {

using prueba::MotorQ;

TEST(Racional, ValoresExactosOSuMensaje) {
    const char *ent = "Desbordamiento entero", *div = "División por cero", *cero = "División entre cero",
               *invalida = "Operación no válida";
    const std::pair<const char*, const char*> casos[] = {
        // literals: fractions before any bar divides; only literals are read so
        {"1/3+1/6", "1|2"}, {"0.5+1|3", "5|6"}, {"1|1|2", "3|2"}, {"3 | 4", "3|4"}, {"-1|1|2", "-3|2"},
        {"0|1|2", "1|2"}, {"2*1|1|2", "3"}, {"x|2", "3|2"}, {"(1+2)|3", "1"}, {"x|1|2", "3|2"}, {"1.5|2", "3|4"},
        {"1|2|3|4", "5|12"}, {"1|2x", "3|2"}, {"2^1|2", "1393|985"}, {"6|4", "3|2"}, {"1|2e1", "1|20"},
        {"f:\"1|2\";f*4", "2"}, {"r:1|2;r*r", "1|4"}, {"{a|b} 1|4", "1|4"}, {"FF[16]", "255"}, {"0.8[16]", "1|2"},
        {"9223372036854775807|9223372036854775807", "1"}, {"0.3333", "1|3"}, {"2x", "6"}, {"(10)%", "1|10"},
        // exact integral powers by squaring; others through the reals
        {"2^-11", "1|2048"}, {"(1|50)^2", "1|2500"}, {"(2|3)^-2", "9|4"}, {"2^62", "4611686018427387904"},
        {"(-1)^1000000000001", "-1"}, {"2^(1/2)", "1393|985"}, {"4^(1/2)", "2"}, {"(8|27)\\3", "2|3"},
        // truth values 1 and -1, comparisons, logic, built-ins
        {"1|3>0", "1"}, {"1|3<0", "-1"}, {"1|3=2|6", "1"}, {"1|3<>2|6", "-1"}, {"1|2>=1|2", "1"},
        {"1<2 & 2<3", "1"}, {"y & 1/y", "-1"}, {"-1 $ 1", "1"}, {"1 ! 1", "-1"}, {"Si(1|2-1,1,2)", "2"},
        {"Si(1,2,1/y)", "2"}, {"If(x,1|2,0)", "1|2"}, {"Rcp(4)", "1|4"}, {"Rcp(-2|3)", "-3|2"}, {"sqr(2|3)", "4|9"},
        {"cuad(x)", "9"}, {"sqrt(9|4)", "3|2"}, {"raiz(2)", "1393|985"}, {"Abs(-3|4)", "3|4"},
        // solving for «?»
        {"?^2=9|4", "3|2"}, {"1|3*?=1", "3"}, {"Rcp(?)=4", "1|4"}, {"?\\3=2|3", "8|27"},
        {"Abs(?)=2", "Una o mas funciones no se pueden despejar"},
        // failures
        {"5/0", div}, {"0/0", div}, {"1/y", div}, {"y/y", div}, {"1|0", div}, {"LogN(0,2)", div}, {"LogN(2,1)", div},
        {"Rcp(0)", cero}, {"Rcp(0)*0", cero}, {"Rcp(y)*0", cero}, {"2^63", ent}, {"9223372036854775807+1", ent},
        {"(1|65536)^2", ent}, {"2^-40", ent}, {"9223372036854775808", ent}, {"99999999999999999999|3", ent},
        {"1e30", ent}, {"1e5000", "Desbordamiento: el resultado es demasiado grande"}, {"(-8)^(1|3)", invalida},
        {"sqrt(-4)", invalida}, {"Pi", "Identificador desconocido: \"Pi\""},
        {"Sim(1,2)", "Identificador desconocido: \"Sim(1,2)\""},
    };
    for (const auto& [texto, salida] : casos) {
        MotorQ m;
        m.x->AsignarValor(TFrac(3));
        m.y->AsignarValor(TFrac(0));
        EXPECT_EQ(prueba::Salida(m, texto), salida) << texto;
    }
}

TEST(Racional, FuncionesDeUsuarioSinEnvolturaYBarraDelModoReal) {
    MotorQ m;
    m.x->AsignarValor(TFrac(3));
    m.e.AgregarUsuario("Media", "(?a+?b)/2", "");
    EXPECT_EQ(prueba::Salida(m, "Media(1|3,x)"), "5|3");
    EXPECT_NE(m.e.Arbol->Clase(), ClaseNodo::FunUser);
    EXPECT_EQ(prueba::MotorX().Eval("1|1|2"), 0.5L);  // in the real mode the bar stays a division
}

TEST(Racional, AjustesPropiosDeCadaMotor) {
    // The maximum denominator converts decimals, non-integral powers and
    // logarithms; each engine keeps its own, and a new one counts as a change.
    MotorQ diez, diezMil;
    diez.e.Ajustes.extra.DenominadorMax = 10;
    diezMil.e.Ajustes.extra.DenominadorMax = 10000;
    EXPECT_EQ(prueba::Salida(diezMil, "0.3333"), "3333|10000");
    EXPECT_EQ(prueba::Salida(diez, "2^(1/2)"), "7|5");
    EXPECT_EQ(prueba::Salida(diez, "LogN(10,2)"), "10|3");
    EXPECT_EQ(prueba::Salida(diez, "0.3333"), "1|3");
    diez.e.Ajustes.extra.DenominadorMax = 10000;
    ++diez.e.Ajustes.cambios;
    EXPECT_EQ(diez.e.Valor(), TFrac(3333, 10000));
}

TEST(Racional, TextoExactoYLiteralesFraccion) {
    for (TFrac f : {TFrac(-7, 2), TFrac(1, 4294967295u), TFrac(INT64_MAX, 3), TFrac(INT64_MIN), TFrac(INT64_MIN, 3)}) {
        MotorQ m;
        m.e.SetTextoValor(f);
        EXPECT_EQ(m.e.Valor(), f) << m.e.Texto() << ": " << m.e.Mensaje;
    }
    const std::tuple<const char*, std::size_t, std::size_t> casos[] = {
        {"1|2", 0, 3},        {"1|1|2+3", 0, 5}, {"1.0|2", 0, 5}, {"1.5|2", 0, 0},      {"1|2.5", 0, 0},
        {"12|34|56|7", 0, 8}, {"1|", 0, 0},      {"|2", 0, 0},    {"2e3|1e1", 0, 7},    {"x+10|4", 2, 4},
    };
    for (const auto& [texto, inicio, largo] : casos) EXPECT_EQ(LargoLiteralFraccion(texto, inicio), largo) << texto;
    EXPECT_EQ(DominioRacional::PrepararTexto("x|1 | 2 + (1|2)|3 + {c|d} 4|5|6|7"), "x/1/2+(1|2)/3+4|5|6/7");
    EXPECT_EQ(DominioRacional::PrepararTexto("a1|2 + F[16]|2 + 1.5|2"), "a1/2+F[16]/2+1.5/2");
}

}  // namespace
}  // namespace numbrix
