// The prompt's validators: what each takes, the value it leaves, and the
// reason it gives for what it refuses.
#include "shell/ValidadorPregunta.h"

#include <gtest/gtest.h>

#include "Ayudas.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

struct Caso {
    const char* texto;
    const char* motivo;  // null: taken
};

void Comprobar(const ValidadorPregunta& v, std::initializer_list<Caso> casos) {
    for (const auto& c : casos) {
        const Veredicto r = v(c.texto);
        EXPECT_EQ(r.aceptada, c.motivo == nullptr) << c.texto << ": " << r.motivo;
        if (c.motivo) {
            EXPECT_EQ(r.motivo, c.motivo) << c.texto;
        }
    }
}

TEST(ValidadorPregunta, ASessionsAuxiliaryEngineWithItsNames) {
    TSesion s;
    s.Evaluar("5");
    long double valor = 0;
    const ValidadorPregunta v = ValidadorSesion(s, &valor);
    EXPECT_TRUE(v("2*Rst").aceptada);
    EXPECT_EQ(valor, 10);
    const Veredicto mal = v("2+");
    EXPECT_FALSE(mal.aceptada);
    s.Auxiliar().SetTexto("2+");
    EXPECT_EQ(mal.motivo, s.Auxiliar().Mensaje);
    EXPECT_EQ(valor, 10);  // a refused answer leaves the value alone
    // Nobody answers the question about x: the answer is refused, not taken as 0.
    Comprobar(v, {{"x+1", Texto(Mensaje::CalculoCancelado)}, {"Raiz(-1)", TextoError(CodigoError::OperacionInvalida)}});

    TSesionQ q;
    TFrac f;
    EXPECT_TRUE(ValidadorSesion(q, &f)("1|2+1|3").aceptada);
    EXPECT_EQ(f, TFrac(5, 6));
    TSesionC c;
    TComplejo z;
    EXPECT_TRUE(ValidadorSesion(c, &z)("(1+i)*(1-i)").aceptada);
    EXPECT_EQ(z.Re, 2);
    EXPECT_EQ(z.Im, 0);
}

TEST(ValidadorPregunta, ReadersOfDecimalsFractionsAndComplexNumbers) {
    const std::string falta = Texto(Mensaje::FaltaExpresion);
    long double x = 0;
    Comprobar(ValidadorDecimal(&x), {{" -2.5e1 ", nullptr}, {"2,5", "'2,5' no es un valor punto flotante válido"},
                                     {"", falta.c_str()}, {"1/2", "'1/2' no es un valor punto flotante válido"}});
    EXPECT_EQ(x, -25);

    TFrac f;
    Comprobar(ValidadorFraccion({.DenominadorMax = 10}, &f),
              {{"0.33", nullptr}, {"a", "a no es un valor racional valido"}, {" ", falta.c_str()}, {"1|0", "División entre cero"}});
    EXPECT_EQ(f, TFrac(1, 3));
    EXPECT_TRUE(ValidadorFraccion({}, &f)("1|2|3").aceptada);
    EXPECT_EQ(f, TFrac(5, 3));

    TComplejo z{1, 1};
    Comprobar(ValidadorComplejo(&z), {{"2-3i", nullptr}, {"2+x", "'2+x' no es un valor punto flotante válido"}});
    EXPECT_EQ(z.Re, 2);
    EXPECT_EQ(z.Im, -3);
    EXPECT_TRUE(ValidadorComplejo(&z)("").aceptada);  // the window reads an empty box as 0
    EXPECT_EQ(z.Re, 0);
}

}  // namespace
}  // namespace numbrix
