// Chemical formulas: the reader's strictness (never a silent 0 for a typo),
// the element file's loader, the typesetting, and the look-up inside the
// engines, which must leave every ordinary expression as it was.
#include "tools/Quim.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>
#include <variant>

#include "Aproximado.h"
#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "MetricasFijas.h"
#include "engine/CasosCompilador.h"
#include "engine/DiagramaX.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

constexpr long double kNo = -1;  // not a formula

// The shipped elements, loaded with an empty report, as every engine's table.
const TTablaQuimica& Fabrica() {
    static const TTablaQuimica t = [] {
        TTablaQuimica t;
        EXPECT_TRUE(t.Cargar(prueba::DatosDeFabrica() / "quim.ini").empty());
        return t;
    }();
    TablaQuimica() = t;
    return t;
}

TEST(Quim, MasaMolar) {
    ASSERT_EQ(Fabrica().Elementos().size(), 118u);
    EXPECT_EQ(Fabrica().Elementos().front().Descripcion, "Hidrógeno");
    EXPECT_EQ(Fabrica().Elementos().back().Descripcion, "Oganesón");
    const std::pair<const char*, long double> casos[] = {
        {"H2O", 18.015L}, {"2H2O", 36.03L}, {"(H2O)2", 36.03L}, {"NaCl", 58.44L}, {"H2O5", 2 * 1.008L + 5 * 15.999L},
        {"Ca(OH)2", 74.092L}, {"CuSO4.H2O", 177.617L}, {"(2H)3", 6 * 1.008L}, {"C", 12.011L}, {"Og", 294},
        {"H123456789", 123456789 * 1.008L},
        {"nacl", kNo}, {"Cu.5H2O", kNo}, {"(3)2", kNo}, {"()", kNo}, {"2.", kNo}, {"H2O.", kNo}, {"Ca0", kNo},
        {"H0", kNo}, {"0NaCl", kNo}, {"(OH)e", kNo}, {"H2e", kNo}, {"Ca(OH", kNo}, {"(", kNo}, {")", kNo},
        {"((OH)2)", kNo}, {"H1234567890", kNo}, {"1234567890H", kNo}, {"", kNo}, {"2", kNo}, {"Xx", kNo},
        {"H+O", kNo}, {"H 2", kNo}, {".H", kNo}, {"H\xC3\xA9", kNo},
    };
    for (const auto& [formula, masa] : casos) {
        long double m = -7;
        EXPECT_EQ(Fabrica().MasaMolar(formula, m), masa != kNo) << formula;
        EXPECT_CERCA_REL(m, masa == kNo ? 0 : masa, 1e-12L) << formula;
    }
}

class QuimArchivo : public CarpetaTemporal {};

TEST_F(QuimArchivo, ReportaLoQueOmite) {
    const struct {
        std::string contenido;
        std::vector<std::string> simbolos;  // "S|descripción"
        std::size_t problemas;
    } casos[] = {
        {"; fuente\n[MASAS]\nFe_Hierro = 55.845\n_X=1\nH=1.008\n", {"Fe|Hierro", "_X|", "H|"}, 0},
        {"[MASAS]\r\nNa_Sodio=22.990\r\nH_Hidrógeno=1,008\r\nNa_Otro=5\r\nO=0\r\nN=inf\r\nC=\r\n", {"Na|Sodio"}, 5},
        {"[MASAS]\nAu_\xD3xido=196.97\n", {"Au|\xC3\x93xido"}, 1},  // Latin-1, read and reported
        {"[OTRA]\nH=1\n", {}, 0},
    };
    for (const auto& c : casos) {
        std::ofstream(dir_ / "quim.ini", std::ios::binary) << c.contenido;
        TTablaQuimica t;
        const auto informe = t.Cargar(dir_ / "quim.ini");
        std::vector<std::string> simbolos;
        for (const auto& e : t.Elementos()) simbolos.push_back(e.Simbolo + "|" + e.Descripcion);
        EXPECT_EQ(simbolos, c.simbolos) << c.contenido;
        EXPECT_EQ(informe.size(), c.problemas) << c.contenido;
    }
    TTablaQuimica t;
    EXPECT_TRUE(t.Cargar(dir_ / "no.ini").empty() && t.Elementos().empty());
}

void ConQuimica(prueba::MotorX& m) {
    m.e.BuscarExterno2 = BuscarFormulaQuimica;
    std::tie(m.e.MedirExterno, m.e.DibujarExterno) = DibujoQuimico();
}

TEST(Quim, LosCasosDelCompiladorNoCambian) {
    Fabrica();
    prueba::ComprobarValoresYSoluciones(ConQuimica);
    prueba::ComprobarErrores(ConQuimica);
}

TEST(Quim, SubindicesAzulesDentroDeLaCaja) {
    Fabrica();
    using Textos = std::vector<std::pair<std::string, int>>;  // with their sizes; empty: not checked
    const std::pair<const char*, Textos> casos[] = {
        {"2H2O", {{"H", 20}, {"2", 10}, {"O", 20}}},  // the engine reads 2·H2O: the 2 is its number
        {"CuSO4.H2O", {{"CuSO", 20}, {"4", 10}, {".H", 20}, {"2", 10}, {"O", 20}}},
        {"Ca(OH)2/2", {}}, {"(CuSO4+5H2O)^2", {}}, {"2H2O+NaCl", {}}, {"x^Ca(OH)2", {}},
    };
    for (const auto& [texto, esperados] : casos) {
        prueba::MotorX m;
        ConQuimica(m);
        m.e.SetTexto(texto);
        ASSERT_TRUE(m.e.Arbol) << texto << ": " << m.e.Mensaje;
        const auto g = Metarchivo(m.e, prueba::Fijas());
        Textos textos;
        int tam = 0;
        Color color;
        for (const auto& k : g->Comandos()) {
            if (auto* f = std::get_if<dibujo::CmdFuente>(&k)) tam = f->fuente.tam;
            if (auto* c = std::get_if<dibujo::CmdColor>(&k)) color = c->color;
            if (auto* t = std::get_if<dibujo::CmdTexto>(&k); t && color == Color::Azul()) textos.emplace_back(t->texto, tam);
        }
        if (!esperados.empty()) {
            EXPECT_EQ(textos, esperados) << texto;
        }
        EXPECT_EQ(color, Color::Negro()) << texto;
        const Extension x = g->ExtensionDibujada();
        EXPECT_TRUE(x.x0 >= 2 && x.y0 >= 2 && x.x1 <= g->Ancho() - 2 && x.y1 <= g->Alto() - 2) << texto;
    }
}

TEST(Quim, EnLasExpresionesDeLaSesion) {
    TSesion s;
    Fabrica();
    ConectarQuimica(s);
    s.SetQuimica(true);
    const std::pair<const char*, long double> casos[] = {
        {"C1", 12.011L}, {"2NaCl", 116.88L}, {"CuSO4+5H2O", 249.677L}, {"Ca(OH)2/2", 37.046L}};
    for (const auto& [expresion, valor] : casos) EXPECT_CERCA_REL(s.Evaluar(expresion).valor, valor, 1e-12L) << expresion;
    // «C» stays the prompt letter, and its answer engine sees the formulas.
    std::string letras;
    s.Preguntar = [&](char l, const std::string&, const std::string&) {
        letras += l;
        return RespuestaPregunta{RespuestaPregunta::Responder, "H2O"};
    };
    EXPECT_CERCA_REL(s.Evaluar("C").valor, 18.015L, 1e-12L);
    EXPECT_EQ(letras, "c");
    s.SetQuimica(false);
    EXPECT_EQ(s.Evaluar("H2O").texto, "Identificador desconocido: \"H2O\"");
}

}  // namespace
}  // namespace numbrix
