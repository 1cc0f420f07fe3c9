// Chemical formulas: the reader's strictness (never a silent 0 for a typo),
// the element file's loader, and the look-up inside the session's engines,
// which must leave every ordinary expression as it was.
#include "tools/Quim.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iomanip>

#include "Ayudas.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

void Cerca(long double obtenido, long double esperado, const std::string& que) {
    EXPECT_LE(std::fabs(obtenido - esperado), 1e-12L * std::fabs(esperado))
        << que << ": " << std::setprecision(21) << obtenido << " en vez de " << esperado;
}

const TTablaQuimica& Fabrica() {
    static TTablaQuimica t = [] {
        TTablaQuimica t;
        EXPECT_TRUE(t.Cargar(prueba::DatosDeFabrica() / "quim.ini").empty());
        return t;
    }();
    return t;
}

TEST(Quim, ArchivoDeFabrica) {
    ASSERT_EQ(Fabrica().Elementos().size(), 118u);
    EXPECT_EQ(Fabrica().Elementos().front().Descripcion, "Hidrógeno");
    EXPECT_EQ(Fabrica().Elementos().back().Simbolo, "Og");
    EXPECT_EQ(Fabrica().Elementos().back().Descripcion, "Oganesón");
}

TEST(Quim, MasaMolar) {
    const struct {
        const char* formula;
        long double masa;  // < 0: not a formula
    } casos[] = {
        {"H2O", 18.015L}, {"2H2O", 36.03L}, {"(H2O)2", 36.03L}, {"NaCl", 58.44L}, {"H2O5", 2 * 1.008L + 5 * 15.999L},
        {"Ca(OH)2", 74.092L}, {"CuSO4.H2O", 177.617L}, {"(2H)3", 6 * 1.008L}, {"C", 12.011L}, {"Og", 294},
        // Not formulas.
        {"nacl", -1}, {"Cu.5H2O", -1}, {"(3)2", -1}, {"()", -1}, {"2.", -1}, {"H2O.", -1}, {"Ca0", -1},
        {"H0", -1}, {"0NaCl", -1}, {"(OH)e", -1}, {"H2e", -1}, {"Ca(OH", -1}, {"(", -1}, {")", -1},
        {"((OH)2)", -1}, {"H1234567890", -1}, {"1234567890H", -1}, {"H123456789", 123456789 * 1.008L},
        {"", -1}, {"2", -1}, {"Xx", -1}, {"H+O", -1}, {"H 2", -1}, {".H", -1}, {"H\xC3\xA9", -1},
    };
    for (const auto& c : casos) {
        long double m = -7;
        const bool es = Fabrica().MasaMolar(c.formula, m);
        EXPECT_EQ(es, c.masa >= 0) << c.formula;
        if (es && c.masa >= 0) {
            Cerca(m, c.masa, c.formula);
        } else if (!es) {
            EXPECT_EQ(m, 0) << c.formula;
        }
    }
}

TEST(Quim, Cargador) {
    const auto dir = std::filesystem::temp_directory_path() / ("numbrix_quim_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
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
        const auto archivo = dir / "quim.ini";
        std::ofstream(archivo, std::ios::binary) << c.contenido;
        TTablaQuimica t;
        const auto informe = t.Cargar(archivo);
        std::vector<std::string> simbolos;
        for (const auto& e : t.Elementos()) simbolos.push_back(e.Simbolo + "|" + e.Descripcion);
        EXPECT_EQ(simbolos, c.simbolos) << c.contenido;
        EXPECT_EQ(informe.size(), c.problemas) << c.contenido;
    }
    TTablaQuimica t;
    EXPECT_TRUE(t.Cargar(dir / "no.ini").empty());
    EXPECT_TRUE(t.Elementos().empty());
    std::filesystem::remove_all(dir);
}

// A session with the shipped elements and the look-up switched on.
struct SesionQuimica {
    TSesion s;
    SesionQuimica() {
        TablaQuimica() = Fabrica();
        ConectarQuimica(s);
        s.SetQuimica(true);
    }
};

TEST(Quim, EnLasExpresiones) {
    SesionQuimica q;
    TSesion& s = q.s;
    const struct {
        const char* expresion;
        long double valor;
    } casos[] = {
        {"PI", 3.14159265358979323846L}, {"SIN(0)", 0}, {"2(3)", 6}, {"(10)%", 0.1L}, {"C1", 12.011L},
        {"2NaCl", 116.88L}, {"CuSO4+5H2O", 249.677L}, {"Ca(OH)2/2", 37.046L}, {"2NaCl+H2SO4", 116.88L + 98.072L},
    };
    for (const auto& c : casos) {
        const auto r = s.Evaluar(c.expresion);
        EXPECT_FALSE(r.error) << c.expresion << ": " << r.texto;
        Cerca(r.valor, c.valor, c.expresion);
    }
    // «C» stays the prompt letter.
    std::string letras;
    s.Preguntar = [&](char l, const std::string&, const std::string&) {
        letras += l;
        return RespuestaPregunta{RespuestaPregunta::Responder, letras.size() == 1 ? "H2O" : "1"};
    };
    // A nested answer engine sees the formulas too.
    Cerca(s.Evaluar("C").valor, 18.015L, "respuesta H2O");
    EXPECT_EQ(letras, "c");
    s.Preguntar = {};
    s.SetQuimica(false);
    EXPECT_FALSE(s.Ajustes.MMR);
    EXPECT_EQ(s.Evaluar("H2O").texto, "Identificador desconocido: \"H2O\"");
    s.SetQuimica(true);
    Cerca(s.Evaluar("H2O").valor, 18.015L, "otra vez");
}

}  // namespace
}  // namespace numbrix
