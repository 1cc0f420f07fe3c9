#include "engine/TextoExpr.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

TEST(PrepararTexto, Salida) {
    const std::pair<const char*, const char*> casos[] = {
        {"2 * (a) (b) {note|x}", "2*(a)(b)"}, {"(ab)(c)", "(ab)*(c)"},
        {"(a)(b)", "(a)(b)"},  // the product starts at the fifth character
        {"1|2", "1/2"}, {"1\t+\n2\r", "1+2"}, {"a{b}c{d", "ac"}, {"a}b", "ab"}, {"{x}(a)(b)", "(a)*(b)"},
        {"2£8+ñ", "2£8+ñ"},    // non-ASCII characters are kept whole
        {"££)(b)", "££)(b)"},  // positions count characters, not bytes
        {"£££)(b)", "£££)*(b)"}, {"", ""},
    };
    for (const auto& [entrada, salida] : casos) EXPECT_EQ(PrepararTexto(entrada), salida) << entrada;
}

TEST(NormalizarOperadores, DobleAsteriscoYBarra) {
    EXPECT_EQ(NormalizarOperadores("2**3//2"), "2^3\\2");
    EXPECT_EQ(NormalizarOperadores("a***b"), "a^*b");
    EXPECT_EQ(NormalizarOperadores("a*b/c"), "a*b/c");
}

TEST(RevisarSintaxis, ResultadoYFinalDelMensaje) {
    using R = RevisionSintaxis::Resultado;
    const struct { const char* texto; R resultado; const char* final; } casos[] = {  // how the message ends
        {"-2", R::Correcta, ""}, {"2*-3", R::Correcta, ""}, {".5", R::Correcta, ""}, {"sen(30)", R::Correcta, ""},
        {"", R::Vacia, "Falta expresión"}, {"*2", R::Extremo, ""}, {"2*", R::Extremo, ""}, {"2.", R::Extremo, ""},
        {"2-", R::Extremo, ""}, {"£2", R::Extremo, ""}, {"2£", R::Extremo, ""}, {"2*/3", R::Seguidos, " */"},
        {"2-£3", R::Seguidos, " -£"}, {"2.*3", R::Seguidos, " .*"}, {"(2))", R::CierraDeMas, " #1"},
        {")2(", R::CierraDeMas, " #1"}, {"((2)", R::AbreDeMas, " #2"},
        // Adjacent operators are judged before parentheses.
        {")2+*3", R::Seguidos, " +*"},
    };
    for (const auto& c : casos) {
        const RevisionSintaxis r = RevisarSintaxisDetalle(c.texto);
        EXPECT_EQ(r.resultado, c.resultado) << c.texto;
        EXPECT_EQ(RevisarSintaxis(c.texto), r.Correcta()) << c.texto;  // without a message to fill
        std::string mensaje = "sin tocar";
        EXPECT_EQ(RevisarSintaxis(c.texto, &mensaje), r.Correcta()) << c.texto;
        const std::string fin = r.Correcta() ? "sin tocar" : c.final;
        EXPECT_TRUE(mensaje.size() >= fin.size() && mensaje.ends_with(fin)) << c.texto << ": " << mensaje;
    }
}

}  // namespace
}  // namespace numbrix
