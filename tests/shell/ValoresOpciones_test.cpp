#include "shell/ValoresOpciones.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

TEST(ValoresOpciones, Tolerancia) {
    const char* numero = "La diferencia máxima debe ser un número, por ejemplo 1E-15.";
    const std::tuple<const char*, long double, const char*> casos[] = {
        {"1E-15", 1e-15L, ""}, {" 0.5 ", 0.5L, ""}, {"0", 0, ""}, {"1e-300", 1e-300L, ""}, {"", -7, numero},
        {"-1E-3", -7, "La diferencia máxima no puede ser negativa."}, {"1E-", -7, numero}, {"1e99999", -7, numero},
        {"0,5", -7, numero}, {"--1", -7, numero}, {"E", -7, numero},
    };
    for (const auto& [texto, valor, mensaje] : casos) {
        long double v = -7;
        EXPECT_EQ(LeerTolerancia(texto, v), mensaje) << texto;
        EXPECT_EQ(v, valor) << texto;
    }
    EXPECT_EQ(TextoTolerancia(1e-15L), "1E-15");
    EXPECT_EQ(TextoTolerancia(0.5L), "0.5");
}

TEST(ValoresOpciones, TamanoDeFuente) {
    for (const auto& [t, tam] : {std::pair{"6", 6}, {"20", 20}, {" 12", 12}}) {
        int v = 0;
        EXPECT_EQ(LeerTamanoFuente(t, v), "") << t;
        EXPECT_EQ(v, tam) << t;
    }
    for (const char* t : {"5", "21", "", "1a", "100", "-8", "8.5"}) {
        int v = -1;
        EXPECT_EQ(LeerTamanoFuente(t, v), "El tamaño de la fuente debe ser un número entero de 6 a 20.") << t;
        EXPECT_EQ(v, -1);
    }
}

}  // namespace
}  // namespace numbrix
