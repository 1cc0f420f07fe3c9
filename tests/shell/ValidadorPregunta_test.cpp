// The prompt's validators: what each takes, the value it leaves, and the
// reason it gives for what it refuses.
#include "shell/ValidadorPregunta.h"

#include <gtest/gtest.h>

#include "Ayudas.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

TEST(ValidadorPregunta, TakesOrRefusesWithTheReason) {
    TSesion s;
    s.Evaluar("5");
    long double real = 0, decimal = 0;
    TFrac f;
    TComplejo z;
    const char* falta = Texto(Mensaje::FaltaExpresion);
    const struct {
        ValidadorPregunta v;
        const char* texto;
        const char* motivo;  // null: taken
    } casos[] = {
        {ValidadorSesion(s, &real), "2*Rst", nullptr},  // the session's names
        {ValidadorSesion(s, &real), "2+", "Error de sintaxis: la expresión empieza o termina en un operador"},
        {ValidadorSesion(s), "x+1", Texto(Mensaje::CalculoCancelado)},  // nobody answers for x
        {ValidadorSesion(s), "Raiz(-1)", TextoError(CodigoError::OperacionInvalida)},
        {ValidadorDecimal(&decimal), " -2.5e1 ", nullptr},
        {ValidadorDecimal(&decimal), "2,5", "'2,5' no es un valor punto flotante válido"},
        {ValidadorDecimal(), "", falta}, {ValidadorFraccion({.DenominadorMax = 10}, &f), "0.33", nullptr},
        {ValidadorFraccion({}, &f), "a", "a no es un valor racional valido"}, {ValidadorFraccion({}, &f), " ", falta},
        {ValidadorComplejo(&z), "2-3i", nullptr},
        {ValidadorComplejo(&z), "2+x", "'2+x' no es un valor punto flotante válido"},
    };
    for (const auto& c : casos) {
        const Veredicto r = c.v(c.texto);
        EXPECT_EQ(r.aceptada, c.motivo == nullptr) << c.texto << ": " << r.motivo;
        EXPECT_EQ(r.motivo, c.motivo ? c.motivo : "") << c.texto;
    }
    // Each keeps the value of the answer it took, not of those it refused.
    EXPECT_EQ(real, 10);
    EXPECT_EQ(decimal, -25);
    EXPECT_EQ(f, TFrac(1, 3));
    EXPECT_EQ(z.Re, 2);
    EXPECT_EQ(z.Im, -3);

    TSesionQ q;
    EXPECT_TRUE(ValidadorSesion(q, &f)("1|2+1|3").aceptada);
    EXPECT_EQ(f, TFrac(5, 6));
}

}  // namespace
}  // namespace numbrix
