#include "shell/ValoresOpciones.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

TEST(ValoresOpciones, Tolerancia) {
    struct Caso {
        const char* texto;
        bool bien;
        long double valor;
    } casos[] = {
        {"1E-15", true, 1e-15L}, {" 0.5 ", true, 0.5L}, {"0", true, 0}, {"1e-300", true, 1e-300L},
        {"", false, 0},          {"-1E-3", false, 0},   {"1E-", false, 0}, {"1e99999", false, 0},
        {"0,5", false, 0},       {"--1", false, 0},     {"E", false, 0},
    };
    for (const auto& c : casos) {
        long double v = -7;
        const std::string m = LeerTolerancia(c.texto, v);
        EXPECT_EQ(m.empty(), c.bien) << c.texto;
        EXPECT_EQ(v, c.bien ? c.valor : -7) << c.texto;
    }
    EXPECT_EQ(TextoTolerancia(1e-15L), "1E-15");
    EXPECT_EQ(TextoTolerancia(0.5L), "0.5");
}

TEST(ValoresOpciones, TamanoDeFuente) {
    for (const char* t : {"6", "20", " 12"}) {
        int v = 0;
        EXPECT_EQ(LeerTamanoFuente(t, v), "") << t;
    }
    for (const char* t : {"5", "21", "", "1a", "100", "-8", "8.5"}) {
        int v = -1;
        EXPECT_NE(LeerTamanoFuente(t, v), "") << t;
        EXPECT_EQ(v, -1);
    }
}

}  // namespace
}  // namespace numbrix
