// The evaluation path the main window and numbrix-cli share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/Sesion.h"

using namespace numbrix;

namespace {

struct CasoFormato {
    const char* expresion;
    int base, digitos, notacion;
    bool agrupar;
    const char* esperado;
};

class Formatos : public ::testing::TestWithParam<CasoFormato> {};

TEST_P(Formatos, TextoDelResultado) {
    const auto& c = GetParam();
    TSesion s;
    s.Formato.BaseDefecto = c.base;
    s.SetFormatoDigitos(c.digitos);
    s.Formato.Notacion = c.notacion;
    s.Formato.Agrupar = c.agrupar;
    EXPECT_EQ(s.Evaluar(c.expresion).texto, c.esperado) << c.expresion;
}

INSTANTIATE_TEST_SUITE_P(Sesion, Formatos, ::testing::Values(
    CasoFormato{"255", 16, 100, 0, false, "FF [16]"}, CasoFormato{"10", 2, 100, 0, false, "1010 [2]"},
    CasoFormato{"2/3", 10, 2, 0, false, "0.67"}, CasoFormato{"2.5", 10, 0, 0, false, "3"},
    CasoFormato{"-2.5", 10, 0, 0, false, "-3"}, CasoFormato{"0.5", 10, 100, 0, false, "0.5"},
    CasoFormato{"1234567.5", 10, 100, 0, true, "1 234 567.5"},
    CasoFormato{"0.1234567", 10, 6, 0, true, "0.123 457"},
    CasoFormato{"12345", 10, 100, 1, false, "1.2345e4"}, CasoFormato{"12345", 10, 100, 2, false, "12.345e3"},
    CasoFormato{"1", 10, 100, 1, false, "1"}, CasoFormato{"100", 10, 100, 1, false, "1e2"},
    CasoFormato{"1000", 10, 100, 2, false, "1e3"}, CasoFormato{"1234.5", 10, 2, 0, false, "1234.50"},
    CasoFormato{"10000.1", 10, 100, 0, false, "10000.1"}, CasoFormato{"1/3", 10, 100, 0, false, "0.3333333333333333"},
    CasoFormato{"-2^2", 10, 100, 0, false, "-4"}));

TEST(Sesion, VerdaderoFalsoYLuegoUnNumero) {
    TSesion s;
    for (int i = 0; i < 50; ++i) {
        auto v = s.Evaluar("3>2");
        EXPECT_EQ(v.texto, "Verdadero");
        EXPECT_TRUE(v.verdad);
        EXPECT_GT(s.Principal().Ajustes.verdadero, 0);
        EXPECT_LT(s.Principal().Ajustes.falso, 0);
        EXPECT_EQ(s.Evaluar("3<2").texto, "Falso");
        EXPECT_EQ(s.Evaluar("1").texto, "1");
    }
}

TEST(Sesion, UltimoResultadoSoloCambiaSiHayExito) {
    TSesion s;
    EXPECT_EQ(s.Evaluar("6*7").texto, "42");
    EXPECT_EQ(s.Evaluar("Rst+1").texto, "43");
    auto r = s.Evaluar("1/0");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.codigo, 11);
    EXPECT_EQ(s.UltimoResultado, 43);
    s.Evaluar("?*?=4");
    EXPECT_EQ(s.UltimoResultado, 43);
    EXPECT_EQ(s.Evaluar("Ans").texto, "43");
    EXPECT_TRUE(s.Evaluar("").vacio);
}

TEST(Sesion, ResuelveLaIncognita) {
    TSesion s;
    EXPECT_EQ(s.Evaluar("2*?+1=7").texto, "3");
    auto r = s.Evaluar("?>2");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.texto, "No es una ecuación");
    EXPECT_EQ(r.codigo, 20);
}

TEST(Sesion, PistaConDecimalEnOtraBase) {
    TSesion s;
    s.Formato.BaseDefecto = 2;
    auto r = s.Evaluar("1010[2]");
    EXPECT_EQ(r.pista, "Resultado: 1010 [2]\n(Decimal: 10)");
}

TEST(Sesion, PreguntaUnaVezPorEvaluacionConNota) {
    TSesion s;
    std::vector<std::string> ofrecidos;
    s.Preguntar = [&](char letra, const std::string& propuesto, const std::string&) {
        EXPECT_EQ(letra, 'a');
        ofrecidos.push_back(propuesto);
        return RespuestaPregunta{RespuestaPregunta::Responder, "2"};
    };
    EXPECT_EQ(s.Evaluar("a+a").texto, "4");
    EXPECT_EQ(s.NotaAsignacion, "{a=2} ");
    EXPECT_EQ(s.Evaluar("a*3").texto, "6");
    ASSERT_EQ(ofrecidos.size(), 2u);
    EXPECT_EQ(ofrecidos[0], "1");
    EXPECT_EQ(ofrecidos[1], "2");
}

TEST(Sesion, RespuestaInvalidaSePreguntaDeNuevoYCancelar) {
    TSesion s;
    int veces = 0;
    s.Preguntar = [&](char letra, const std::string&, const std::string& error) {
        ++veces;
        if (veces == 1) return RespuestaPregunta{RespuestaPregunta::Responder, std::string(1, letra)};  // its own letter
        EXPECT_FALSE(error.empty());
        if (veces == 2) return RespuestaPregunta{RespuestaPregunta::Responder, "2*Rst"};
        return RespuestaPregunta{};
    };
    s.UltimoResultado = 5;
    EXPECT_EQ(s.Evaluar("x+0").texto, "10");
    EXPECT_EQ(veces, 2);
    s.Preguntar = [](char, const std::string&, const std::string&) { return RespuestaPregunta{}; };
    auto r = s.Evaluar("b+1");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.texto, "Cálculo cancelado");
}

TEST(Sesion, ToleranciaDeLaVentanaPrincipal) {
    TSesion s;
    EXPECT_EQ(s.Evaluar("1 = 1.000000000000001").texto, "Verdadero");
    EXPECT_EQ(s.Evaluar("1e-14 = 0").texto, "Falso");
}

TEST(Sesion, AnguloEnAmbosMotores) {
    TSesion s;
    s.SetAngulo(1);
    EXPECT_EQ(s.Evaluar("arcsin(1)").texto, "90");
    EXPECT_EQ(s.Evaluar("sin(30)").texto, "0.5");
    s.SetAngulo(2);
    EXPECT_EQ(s.Evaluar("arcsin(1)").texto, "100");
}

}  // namespace
