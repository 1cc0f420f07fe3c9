#include "engine/TextoExpr.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

struct CasoTexto { const char* entrada; const char* salida; };

class PrepararTextoTest : public ::testing::TestWithParam<CasoTexto> {};

TEST_P(PrepararTextoTest, Salida) { EXPECT_EQ(PrepararTexto(GetParam().entrada), GetParam().salida); }

INSTANTIATE_TEST_SUITE_P(
    Casos, PrepararTextoTest,
    ::testing::Values(CasoTexto{"2 * (a) (b) {note|x}", "2*(a)(b)"}, CasoTexto{"(ab)(c)", "(ab)*(c)"},
                      CasoTexto{"(a)(b)", "(a)(b)"},  // the product starts at the fifth character
                      CasoTexto{"1|2", "1/2"}, CasoTexto{"1\t+\n2\r", "1+2"},
                      CasoTexto{"a{b}c{d", "ac"}, CasoTexto{"a}b", "ab"},
                      CasoTexto{"{x}(a)(b)", "(a)*(b)"},
                      CasoTexto{"2£8+ñ", "2£8+ñ"},  // non-ASCII characters are kept whole
                      CasoTexto{"££)(b)", "££)(b)"},  // positions count characters, not bytes
                      CasoTexto{"£££)(b)", "£££)*(b)"},
                      CasoTexto{"", ""}));

TEST(NormalizarOperadores, DobleAsteriscoYBarra) {
    EXPECT_EQ(NormalizarOperadores("2**3//2"), "2^3\\2");
    EXPECT_EQ(NormalizarOperadores("a***b"), "a^*b");
    EXPECT_EQ(NormalizarOperadores("a*b/c"), "a*b/c");
}

struct CasoSintaxis {
    const char* texto;
    RevisionSintaxis::Resultado resultado;
    const char* final;  // how the message ends
};

class RevisarSintaxisTest : public ::testing::TestWithParam<CasoSintaxis> {};

TEST_P(RevisarSintaxisTest, Resultado) {
    const CasoSintaxis& c = GetParam();
    const RevisionSintaxis r = RevisarSintaxisDetalle(c.texto);
    EXPECT_EQ(r.resultado, c.resultado) << c.texto;
    std::string mensaje = "sin tocar";
    EXPECT_EQ(RevisarSintaxis(c.texto, &mensaje), r.Correcta()) << c.texto;
    if (r.Correcta()) {
        EXPECT_EQ(mensaje, "sin tocar");
    } else {
        const std::string fin = c.final;
        ASSERT_GE(mensaje.size(), fin.size());
        EXPECT_EQ(mensaje.substr(mensaje.size() - fin.size()), fin) << mensaje;
    }
}

using R = RevisionSintaxis::Resultado;
INSTANTIATE_TEST_SUITE_P(
    Casos, RevisarSintaxisTest,
    ::testing::Values(CasoSintaxis{"-2", R::Correcta, ""}, CasoSintaxis{"2*-3", R::Correcta, ""},
                      CasoSintaxis{".5", R::Correcta, ""}, CasoSintaxis{"sen(30)", R::Correcta, ""},
                      CasoSintaxis{"", R::Vacia, "Falta expresión"},
                      CasoSintaxis{"*2", R::Extremo, ""}, CasoSintaxis{"2*", R::Extremo, ""},
                      CasoSintaxis{"2.", R::Extremo, ""}, CasoSintaxis{"2-", R::Extremo, ""},
                      CasoSintaxis{"£2", R::Extremo, ""}, CasoSintaxis{"2£", R::Extremo, ""},
                      CasoSintaxis{"2*/3", R::Seguidos, " */"}, CasoSintaxis{"2-£3", R::Seguidos, " -£"},
                      CasoSintaxis{"2.*3", R::Seguidos, " .*"},
                      CasoSintaxis{"(2))", R::CierraDeMas, " #1"}, CasoSintaxis{")2(", R::CierraDeMas, " #1"},
                      CasoSintaxis{"((2)", R::AbreDeMas, " #2"},
                      // Adjacent operators are judged before parentheses.
                      CasoSintaxis{")2+*3", R::Seguidos, " +*"}));

TEST(RevisarSintaxis, SinMensajeNoFalla) {
    EXPECT_FALSE(RevisarSintaxis("2*"));
    EXPECT_TRUE(RevisarSintaxis("2"));
}

}  // namespace
}  // namespace numbrix
