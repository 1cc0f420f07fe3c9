// While a window evaluates (answering a prompt, repainting), another window
// entering the session is refused and changes nothing.
#include <gtest/gtest.h>

#include "shell/Sesion.h"

namespace numbrix {
namespace {

TEST(SesionOcupada, OtraVentanaNoEntraMientrasSeEvalua) {
    TSesion s;
    s.Calcular("7");
    std::vector<ResultadoEvaluacion> dentro;
    s.Preguntar = [&](char, const std::string&, const std::string&) {
        dentro.push_back(s.Calcular("100"));
        dentro.push_back(s.CambiarAngulo(Sexagesimales, "sin(90)"));
        s.RegistrarVocabulario();  // waits: this evaluation's tree is in use
        return RespuestaPregunta{RespuestaPregunta::Responder, "2"};
    };
    EXPECT_EQ(s.Calcular("a+1").texto, "3");
    ASSERT_EQ(dentro.size(), 2u);
    for (const auto& d : dentro) EXPECT_TRUE(d.error && d.ocupada && d.texto == Texto(Mensaje::SesionOcupada));
    EXPECT_EQ(s.Angulo(), Radianes);
    EXPECT_EQ(s.Lista.Total(), 10);  // 7 + 3
    EXPECT_EQ(s.Historial.Cantidad(), 2u);
    EXPECT_EQ(s.NotaAsignacion, "{a=2} ");
    s.Preguntar = nullptr;
    EXPECT_TRUE(s.Calcular("b").cancelado);  // free again, also after a cancel
    EXPECT_EQ(s.Calcular("1+1").texto, "2");
}

}  // namespace
}  // namespace numbrix
