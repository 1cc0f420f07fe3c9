// While a window evaluates, the session keeps answering its prompts and
// repaints; another window entering it then is refused and changes nothing.
#include <gtest/gtest.h>

#include "shell/Sesion.h"

namespace numbrix {
namespace {

TEST(SesionOcupada, OtraVentanaNoEntraMientrasSeEvalua) {
    TSesion s;
    s.Calcular("7");
    std::vector<ResultadoEvaluacion> dentro;
    s.Preguntar = [&](char, const std::string&, const std::string&) {
        EXPECT_TRUE(s.Ocupada());
        dentro.push_back(s.Calcular("100"));
        dentro.push_back(s.CambiarAngulo(Sexagesimales, "sin(90)"));
        return RespuestaPregunta{RespuestaPregunta::Responder, "2"};
    };
    const ResultadoEvaluacion r = s.Calcular("a+1");
    ASSERT_EQ(dentro.size(), 2u);
    for (const auto& d : dentro) {
        EXPECT_TRUE(d.error && d.ocupada);
        EXPECT_EQ(d.texto, Texto(Mensaje::SesionOcupada));
    }
    EXPECT_FALSE(r.error);
    EXPECT_EQ(r.texto, "3");
    EXPECT_EQ(s.Angulo(), Radianes);
    EXPECT_EQ(s.Lista.Total(), 10);  // 7 + 3, nothing of the refused ones
    EXPECT_EQ(s.Historial.Cantidad(), 2u);
    EXPECT_EQ(s.NotaAsignacion, "{a=2} ");
    // Free again afterwards, also after a failure.
    EXPECT_FALSE(s.Ocupada());
    s.Preguntar = nullptr;
    EXPECT_TRUE(s.Calcular("b").cancelado);
    EXPECT_EQ(s.Calcular("1+1").texto, "2");
}

TEST(SesionOcupada, UnaOcupacionExplicitaTambienLaCierra) {
    TSesionC c;
    {
        const TSesionC::Ocupacion o(c);
        ASSERT_TRUE(o.Tomada());
        EXPECT_FALSE(TSesionC::Ocupacion(c).Tomada());
        EXPECT_TRUE(c.Evaluar("1+i").ocupada);
    }
    EXPECT_EQ(c.Evaluar("1+i").texto, ComplejoATexto({1, 1}));
}

}  // namespace
}  // namespace numbrix
