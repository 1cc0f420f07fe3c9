#pragma once
// The compiler's edge cases as tables, run by the engine's tests as they
// are and by the tests of a host look-up (chemistry), which must leave every
// one of them as it is. `preparar` adjusts each fresh engine.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "Aproximado.h"
#include "Ayudas.h"

namespace numbrix::prueba {

using PrepararMotor = std::function<void(MotorX&)>;

inline void ComprobarValoresYSoluciones(const PrepararMotor& preparar = {}) {
    constexpr long double kPi = PiExtendido;
    const std::pair<const char*, long double> casos[] = {
        {"2+3*4", 14}, {"(2+3)*4", 20}, {"2^3^2", 64}, {"-2^2", -4}, {"2*-3", -6}, {"2^-1", 0.5}, {"2x", 6},
        {"2(3)", 6}, {"y%", 0.5}, {"(10)%", 0.1}, {"10-2-3", 5}, {"100/10/5", 2}, {"1.5(x+1)", 6}, {"2pi", 2 * kPi},
        {"3sen(0)", 0}, {"1<2 & 2<3", 1}, {"1<2<3", 1}, {"1<3<2", -1}, {"3 > 2", 1}, {"3 < 2", -1},
        {"1 = 1.000000000000001", 1}, {"0.1 + 0.2 = 0.3", 1}, {"1e-15 = 0", 1}, {"1e-13 = 0", -1}, {"2<=2", 1},
        {"2=<1", -1}, {"3>=4", -1}, {"3=>3", 1}, {"1<>1", -1}, {"1><2", 1}, {"1==1", 1}, {"2<<1", -1}, {"2>>1", 1},
        {"1$-1", 1}, {"-1$-1", -1}, {"1!1", -1}, {"1!-1", 1}, {"Max(1,5,3)", 5}, {"sen(0)", 0}, {"SIN(0)", 0},
        {"r:2;pi*r^2", kPi * 4}, {"f:\"x+1\";f*f", 16}, {"n:\"5\";n*2", 10}, {"e:\"3\";1e5", 1e5}, {"e:\"3\";2e", 6},
        {"a:1;b:a+a;c:b+b;c*2", 8}, {"2 * (3) {comentario}", 6}, {"1+(2)(3)", 7}, {"8|2", 4}, {"FF[16]+1", 256},
        {"h1F", 31}, {"b101", 5}, {"o17", 15}, {"1e2", 100}, {"1e-2", 0.01}, {"2^-16400", 0}, {"1e-5000", 0},
        {"(-2)^3", -8}, {"0^0", 1}, {"8\\3", 2}, {"8\xC2\xA3" "2", 3}, {"LogN(8,2)", 3}, {"x\\2", 1.7320508075688772935L},
        {"Si(0,1,2)", 2}, {"Sim(-1,10,1,20)", 20}, {"Sim(-1,10,-1,20,30)", 30}, {"Rst:7;Rst", 7}, {"2^10-1e3", 24},
        // short circuits never evaluate the branch not taken
        {"0 & 1/(x-3)", -1}, {"1 $ 1/(x-3)", 1}, {"Si(1,2,1/(x-3))", 2},
        // solved for «?» (y is 50)
        {"2*?+1=7", 3}, {"?-5=1", 6}, {"5-?=1", 4}, {"10/?=2", 5}, {"?^2=9", 3}, {"2^?=8", 3}, {"LogN(?,2)=3", 8},
        {"?\\3=2", 8}, {"sin(?)=0.5", kPi / 6}, {"sqrt(?)=3", 9}, {"exp(?)=1", 0}, {"y=2*?", 25}, {"?=5", 5},
        {"3=?+1", 2},
    };
    for (const auto& [texto, esperado] : casos) {
        MotorX m;
        if (preparar) preparar(m);
        m.x->AsignarValor(3);
        m.y->AsignarValor(50);
        const long double v = m.Eval(texto);
        ASSERT_FALSE(m.e.HayError) << texto << ": " << m.e.Mensaje;
        EXPECT_CERCA_REL(v, esperado, 1e-12L) << texto;
    }
}

inline void ComprobarErrores(const PrepararMotor& preparar = {}) {
    using C = CodigoError;
    const std::tuple<const char*, CodigoError, const char*> casos[] = {
        {"10%", C::Compilacion, "Identificador desconocido: \"%\""},
        {"foo+1", C::Compilacion, "Identificador desconocido: \"foo\""},
        {"2*-x", C::Compilacion, "Identificador desconocido: \"-x\""},
        {"1/0", C::DivisionCero, "División por cero"},  // folded while compiling
        {"1/y", C::DivisionCero, "División por cero"},
        {"1 & 1/y", C::DivisionCero, ""},
        {"0^-1", C::DivisionCero, ""},
        {"(-8)^(1/3)", C::OperacionInvalida, "Operación no válida"},
        {"Sim(-1,10,-1,20)", C::ArgumentoInvalido, ""},
        {"2^1e10", C::Desbordamiento, ""},
        {"1e4000*1e4000", C::Desbordamiento, ""},
        {"Max(1)", C::Sintaxis, "La función Max requiere al menos 2 argumentos"},
        {"Pi(1)", C::Sintaxis, "La función Pi no admite argumentos"},
        {"Si(1,2)", C::Sintaxis, "La función Si requiere exactamente 3 argumento(s)"},
        {"sin(1,2)", C::Sintaxis, "La función sin requiere exactamente 1 argumento(s)"},
        {"Max(1,2,", C::Sintaxis, ""},
        {"(2))", C::Sintaxis, ""},
        {"Ale()", C::Compilacion, ""},
        {"(2)(3)", C::Compilacion, ""},
        {"e5", C::Compilacion, ""},
        {"'hola'", C::Mensaje, "hola"},
        // solving
        {"?*?=4", C::Mensaje, "Expresión demasiado compleja para despejar"},
        {"?=?+1", C::Mensaje, "Ecuación demasiado compleja para despejar"},
        {"?>2", C::Mensaje, "No es una ecuación"},
        {"Abs(?)=2", C::Mensaje, "Una o mas funciones no se pueden despejar"},
        {"Max(?,1)=2", C::Mensaje, "No se puede despejar"},
    };
    for (const auto& [texto, codigo, mensaje] : casos) {
        MotorX m;
        if (preparar) preparar(m);
        m.Eval(texto);
        EXPECT_TRUE(m.e.HayError) << texto;
        EXPECT_EQ(m.e.CodigoError, codigo) << texto << ": " << m.e.Mensaje;
        EXPECT_TRUE(!*mensaje || m.e.Mensaje == mensaje) << texto << ": " << m.e.Mensaje;
        EXPECT_FALSE(m.e.Cancelado) << texto;
    }
}

}  // namespace numbrix::prueba
