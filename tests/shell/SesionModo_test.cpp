// What the fraction and complex sessions add to the session core (whose
// prompts, cancels and solving tests/numbers/Equivalencia_test.cpp checks in
// every mode): the forms of the result, their settings and the user's
// definitions in complex mode.
#include <gtest/gtest.h>

#include <string>

#include "CarpetaTemporal.h"
#include "shell/SesionModo.h"

namespace numbrix {
namespace {

TEST(SesionQ, ResultadoComoLaVentana) {
    const struct {
        const char* expresion;
        std::uint32_t maxDen;
        bool mixto;
        const char *texto, *decimal, *entera;
        long double resto;
    } casos[] = {
        {"7|2", 1000, true, "3 | 1 | 2", "3.5", "3+", 0.5L},   {"7|2", 1000, false, "7 | 2", "3.5", "3+", 0.5L},
        {"-7|2", 1000, true, "-3 | 1 | 2", "-3.5", "-3+", 0.5L}, {"1|2", 1000, true, "1 | 2", "0.5", "0+", 0.5L},
        {"4|1", 1000, true, "4", "4", "4+", 0},                  {"3>2", 1000, false, "1", "1", "1+", 0},
        {"0.3333", 10, false, "1 | 3", "0.333333333333333", "0+", 1.0L / 3},
        {"0.3333", 10000, false, "3333 | 10000", "0.3333", "0+", 0.3333L},
        {"2*?+1=8", 0, false, "7 | 2", "3.5", "3+", 0.5L},  // a maximum of 0 counts as 1
    };
    for (const auto& c : casos) {
        TSesionQ s;
        s.SetFraccion({c.maxDen, c.mixto});
        const ResultadoQ r = s.Evaluar(c.expresion);
        ASSERT_FALSE(r.error) << c.expresion << ": " << r.texto;
        EXPECT_EQ(r.texto + " " + r.decimal + " " + r.parteEntera, std::string(c.texto) + " " + c.decimal + " " + c.entera);
        EXPECT_EQ(r.resto, c.resto) << c.expresion;
    }
}

TEST(SesionQ, UnDenominadorMaximoNuevoLlegaATodosSusMotores) {
    TSesionQ s;
    s.Preguntar = [](char, const std::string&, const std::string&) {
        return RespuestaPregunta{RespuestaPregunta::Responder, "0.3333"};
    };
    s.SetFraccion({10, false});
    EXPECT_EQ(s.Evaluar("0.3333+z").texto, "2 | 3");
    s.SetFraccion({10000, false});  // the same text, compiled again in both engines
    EXPECT_EQ(s.Evaluar("0.3333+z").texto, "3333 | 5000");
    s.SetFraccion({10000, true});   // only the text changes
    EXPECT_EQ(s.Evaluar("1.5").texto, "1 | 1 | 2");
    EXPECT_EQ(s.Evaluar("Rcp(0)*0").texto, "División entre cero");
}

TEST(SesionC, ResultadoComoLaVentana) {
    const struct { const char* expresion; UnidadAngulo angulo; const char *texto, *modulo, *argumento; } casos[] = {
        {"(1+i)^2", Sexagesimales, "2i", "2", "90"},   {"3+4i", Radianes, "3+4i", "5", "0.92729522"},
        {"Polar(2,90)", Sexagesimales, "2i", "2", "90"}, {"-1", Centesimales, "-1", "1", "200"},
        {"0", Radianes, "0", "0", "0"},                  {"3+4i>4", Radianes, "1", "1", "0"},
        {"2-i", Radianes, "2-i", "2.236068", "-0.46364761"},
    };
    for (const auto& c : casos) {
        TSesionC s;
        s.SetAngulo(c.angulo);
        const ResultadoC r = s.Evaluar(c.expresion);
        EXPECT_EQ(r.texto + " " + r.modulo + " " + r.argumento,
                  std::string(c.texto) + " " + c.modulo + " " + c.argumento) << c.expresion;
    }
    TSesionC s;  // both engines read the one unit
    s.Preguntar = [](char, const std::string&, const std::string&) {
        return RespuestaPregunta{RespuestaPregunta::Responder, "Arg(i)"};
    };
    s.SetAngulo(Sexagesimales);
    EXPECT_EQ(s.Evaluar("w+Arg(-1)").texto, "270");
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
    EXPECT_EQ(informe[1], "x ya esta definido");  // the prompt letter stays
    EXPECT_NE(informe[2].find("rota"), std::string::npos) << informe[2];
    for (const auto& [texto, esperado] : {std::pair{"kk*i", "5i"}, {"dosi", "2i"}, {"doble(1+i)", "2+2i"},
                                          {"suma(i,kk)", "5+i"}, {"mala", "Identificador desconocido: \"mala\""}})
        EXPECT_EQ(s.Evaluar(texto).texto, esperado) << texto;
    // Prompt answers see them too; the file is only read.
    s.Preguntar = [](char, const std::string&, const std::string&) {
        return RespuestaPregunta{RespuestaPregunta::Responder, "doble(kk)"};
    };
    EXPECT_EQ(s.Evaluar("w").texto, "10");
    EXPECT_EQ(Leer(dir_ / "real.duf"), duf);
    EXPECT_TRUE(TSesionC().CargarDefiniciones(dir_ / "no-existe.duf").empty());
}

}  // namespace
}  // namespace numbrix
