// The evaluation path of the fraction and complex windows: result texts,
// settings, prompt variables asked once and answered in the same mode,
// solving for "?", and errors as text.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "shell/SesionModo.h"
#include "support/angulos.h"

using namespace numbrix;

namespace {

// Answers from a table; records every question.
struct Respuestas {
    std::map<char, std::vector<std::string>> textos;  // answers in order, per letter
    std::vector<std::string> preguntas;                // "x:propuesto:error"
    Preguntador Funcion() {
        return [this](char letra, const std::string& propuesto, const std::string& error) {
            preguntas.push_back(std::string(1, letra) + ":" + propuesto + ":" + error);
            RespuestaPregunta r;
            auto& lista = textos[letra];
            if (lista.empty()) return r;  // cancels
            r.accion = RespuestaPregunta::Responder;
            r.texto = lista.front();
            lista.erase(lista.begin());
            return r;
        };
    }
};

struct CasoQ {
    const char* expresion;
    std::uint32_t maxDen;
    bool mixto;
    const char* texto, *decimal, *entera;
    long double resto;
};

class FraccionesTexto : public ::testing::TestWithParam<CasoQ> {};

TEST_P(FraccionesTexto, ComoLaVentana) {
    const auto& c = GetParam();
    TSesionQ s;
    s.SetFraccion({c.maxDen, c.mixto});
    ResultadoQ r = s.Evaluar(c.expresion);
    ASSERT_FALSE(r.error) << c.expresion << ": " << r.texto;
    EXPECT_EQ(r.texto, c.texto) << c.expresion;
    EXPECT_EQ(r.decimal, c.decimal) << c.expresion;
    EXPECT_EQ(r.parteEntera, c.entera) << c.expresion;
    EXPECT_DOUBLE_EQ(static_cast<double>(r.resto), static_cast<double>(c.resto)) << c.expresion;
}

INSTANTIATE_TEST_SUITE_P(SesionQ, FraccionesTexto, ::testing::Values(
    CasoQ{"7|2", 1000, true, "3 | 1 | 2", "3.5", "3+", 0.5L},
    CasoQ{"7|2", 1000, false, "7 | 2", "3.5", "3+", 0.5L},
    CasoQ{"-7|2", 1000, true, "-3 | 1 | 2", "-3.5", "-3+", 0.5L},
    CasoQ{"1|2", 1000, true, "1 | 2", "0.5", "0+", 0.5L},
    CasoQ{"4|1", 1000, true, "4", "4", "4+", 0},
    CasoQ{"0.3333", 10, false, "1 | 3", "0.333333333333333", "0+", 1.0L / 3},
    CasoQ{"0.3333", 10000, false, "3333 | 10000", "0.3333", "0+", 0.3333L},
    CasoQ{"1|3+1|6", 1000, false, "1 | 2", "0.5", "0+", 0.5L},
    CasoQ{"3>2", 1000, false, "1", "1", "1+", 0},
    CasoQ{"2*?+1=8", 1000, false, "7 | 2", "3.5", "3+", 0.5L}));

TEST(SesionQ, ElDenominadorMaximoNuevoRecompila) {
    TSesionQ s;
    s.SetFraccion({10, s.Fraccion().FormatoMixto});
    EXPECT_EQ(s.Evaluar("0.3333").texto, "1 | 3");
    s.SetFraccion({10000, s.Fraccion().FormatoMixto});
    EXPECT_EQ(s.Evaluar("0.3333").texto, "3333 | 10000");
    s.SetFraccion({s.Fraccion().DenominadorMax, true});  // only the text changes
    EXPECT_EQ(s.Evaluar("1.5").texto, "1 | 1 | 2");
}

TEST(SesionQ, ErroresComoTexto) {
    TSesionQ s;
    auto r = s.Evaluar("5/0");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.texto, "División por cero");
    EXPECT_EQ(r.codigo, CodigoError::DivisionCero);
    EXPECT_EQ(s.Evaluar("Rcp(0)*0").texto, "División entre cero");
    EXPECT_EQ(s.Evaluar("2^63").texto, "Desbordamiento entero");
    EXPECT_EQ(s.Evaluar("x").texto, "Cálculo cancelado");  // nobody answers
    EXPECT_TRUE(s.Evaluar("").vacio);
    EXPECT_EQ(s.Evaluar("2*?=?").texto, "Ecuación demasiado compleja para despejar");
}

TEST(SesionQ, PreguntaUnaVezYRespondeEnFracciones) {
    TSesionQ s;
    Respuestas resp;
    resp.textos['x'] = {"1|3", "1|2"};
    resp.textos['w'] = {"foo", "0.25"};
    s.Preguntar = resp.Funcion();
    EXPECT_EQ(s.Evaluar("x+x*x").texto, "4 | 9");
    EXPECT_EQ(s.NotaAsignacion, "{x=1|3} ");
    ASSERT_EQ(resp.preguntas.size(), 1u);
    EXPECT_EQ(resp.preguntas[0], "x:1:");
    // Asked again in the next evaluation, offering the last answer.
    EXPECT_EQ(s.Evaluar("x").texto, "1 | 2");
    EXPECT_EQ(resp.preguntas.back(), "x:1|3:");
    // A failed answer is asked again with its message.
    EXPECT_EQ(s.Evaluar("w*4").texto, "1");
    ASSERT_EQ(resp.preguntas.size(), 4u);
    EXPECT_EQ(resp.preguntas[3], "w:foo:Identificador desconocido: \"foo\"");
    // Only w, x, y, z are asked; other letters are unknown names.
    EXPECT_EQ(s.Evaluar("a").texto, "Identificador desconocido: \"a\"");
    // Solving reads the prompt variables of the equation.
    resp.textos['y'] = {"3"};
    EXPECT_EQ(s.Evaluar("y*?=1").texto, "1 | 3");
}

TEST(SesionQ, LasRespuestasUsanElDenominadorMaximo) {
    TSesionQ s;
    Respuestas resp;
    resp.textos['z'] = {"0.3333", "0.3333"};
    s.Preguntar = resp.Funcion();
    s.SetFraccion({10, s.Fraccion().FormatoMixto});
    EXPECT_EQ(s.Evaluar("z").texto, "1 | 3");
    s.SetFraccion({10000, s.Fraccion().FormatoMixto});
    EXPECT_EQ(s.Evaluar("z").texto, "3333 | 10000");
}

struct CasoC {
    const char* expresion;
    int angulo;
    const char* texto, *modulo, *argumento;
};

class ComplejosTexto : public ::testing::TestWithParam<CasoC> {};

TEST_P(ComplejosTexto, ComoLaVentana) {
    const auto& c = GetParam();
    TSesionC s;
    s.SetAngulo(static_cast<UnidadAngulo>(c.angulo));
    ResultadoC r = s.Evaluar(c.expresion);
    ASSERT_FALSE(r.error) << c.expresion << ": " << r.texto;
    EXPECT_EQ(r.texto, c.texto) << c.expresion;
    EXPECT_EQ(r.modulo, c.modulo) << c.expresion;
    EXPECT_EQ(r.argumento, c.argumento) << c.expresion;
}

INSTANTIATE_TEST_SUITE_P(SesionC, ComplejosTexto, ::testing::Values(
    CasoC{"(1+i)^2", Sexagesimales, "2i", "2", "90"}, CasoC{"3+4i", Radianes, "3+4i", "5", "0.92729522"},
    CasoC{"Polar(2,90)", Sexagesimales, "2i", "2", "90"}, CasoC{"-1", Centesimales, "-1", "1", "200"},
    CasoC{"0", Radianes, "0", "0", "0"}, CasoC{"3+4i>4", Radianes, "1", "1", "0"},
    CasoC{"2*?=4i", Radianes, "2i", "2", "1.5707963"}, CasoC{"Sqrt(-4)", Radianes, "2i", "2", "1.5707963"},
    CasoC{"2-i", Radianes, "2-i", "2.236068", "-0.46364761"}));

TEST(SesionC, ErroresYPreguntas) {
    TSesionC s;
    auto r = s.Evaluar("1/0");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.texto, "Discriminante de 0 igual a cero (Div)");
    EXPECT_EQ(s.Evaluar("1&1").texto, "Identificador desconocido: \"&1\"");
    Respuestas resp;
    resp.textos['x'] = {"2+i"};
    s.Preguntar = resp.Funcion();
    EXPECT_EQ(s.Evaluar("x*i+x").texto, "1+3i");  // asked once, answered as a complex number
    EXPECT_EQ(resp.preguntas.size(), 1u);
    EXPECT_EQ(s.Evaluar("z+1").texto, "Cálculo cancelado");
}

TEST(SesionC, LaUnidadDeAnguloLlegaAAmbosMotores) {
    TSesionC s;
    Respuestas resp;
    resp.textos['w'] = {"Arg(i)"};
    s.Preguntar = resp.Funcion();
    s.SetAngulo(Sexagesimales);
    EXPECT_EQ(s.Evaluar("w+Arg(-1)").texto, "270");
    EXPECT_EQ(s.Angulo(), Sexagesimales);
}

class SesionCDatos : public CarpetaTemporal {};

TEST_F(SesionCDatos, DefinicionesDelUsuarioEnComplejos) {
    const std::string duf =
        "[Constantes]\nkk=2+3_cinco\ndosi=Sqrt(-4)_dos i\nmala=Max(1,2)_solo real\nx=1_letra de pregunta\n\n"
        "[Funciones]\ndoble=2*?A_doble\nsuma=?A+?B_suma\nrota=?B_sin ?A\n\n";
    Poner(dir_ / "real.duf", duf);
    TSesionC s;
    const auto informe = s.CargarDefiniciones(dir_ / "real.duf");
    ASSERT_EQ(informe.size(), 3u) << ::testing::PrintToString(informe);
    EXPECT_NE(informe[0].find("mala"), std::string::npos) << informe[0];
    EXPECT_EQ(informe[1], "x ya esta definido");
    EXPECT_NE(informe[2].find("rota"), std::string::npos) << informe[2];
    EXPECT_EQ(s.Evaluar("kk*i").texto, "5i");
    EXPECT_EQ(s.Evaluar("dosi").texto, "2i");
    EXPECT_EQ(s.Evaluar("doble(1+i)").texto, "2+2i");
    EXPECT_EQ(s.Evaluar("suma(i,kk)").texto, "5+i");
    EXPECT_TRUE(s.Evaluar("mala").error);
    // Prompt answers see them too; the file is only read.
    Respuestas resp;
    resp.textos['w'] = {"doble(kk)"};
    s.Preguntar = resp.Funcion();
    EXPECT_EQ(s.Evaluar("w").texto, "10");
    EXPECT_EQ(Leer(dir_ / "real.duf"), duf);
    EXPECT_TRUE(TSesionC().CargarDefiniciones(dir_ / "no-existe.duf").empty());
}

}  // namespace
