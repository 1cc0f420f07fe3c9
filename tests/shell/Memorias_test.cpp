#include "shell/Memorias.h"

#include <cfloat>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "engine/bases2_36.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

TEST(Memorias, TituloDelMenuTrasCadaOrden) {
    // Steps: load (c), add (s), subtract (r), clear (b) or set (v) memory i
    // with a value, e.g. «c0:7 r0:7».
    const std::tuple<const char*, int, const char*> casos[] = {
        {"", 9, "M9 = 0"},           {"c0:7", 0, "M0 = 7"},         {"c0:7 r0:7", 0, "M0 = 0"},
        {"s2:1.5 s2:1.5", 2, "M2 = 3"}, {"c4:12 b4", 4, "M4 = 0"},   {"c3:0.5", 3, "M3 = 0.5"},
        {"c1:0.333333333333333333", 1, "M1 = 0.333333333333333"},  // 15 digits
        {"c5:-1e20", 5, "M5 = -1e+20"}, {"v6:-0", 6, "M6 = 0"},
    };
    for (const auto& [pasos, memoria, titulo] : casos) {
        TMemorias m;
        std::istringstream in(pasos);
        for (std::string p; in >> p;) {
            const int i = p[1] - '0';
            const long double v = p.size() > 3 ? LeerNumero(p.substr(3)).valor : 0;  // not the locale's comma
            switch (p[0]) {
                case 'c': m.Cargar(i, v); break;
                case 's': m.Sumar(i, v); break;
                case 'r': m.Restar(i, v); break;
                case 'b': m.Borrar(i); break;
                default: m.SetValor(i, v); break;
            }
        }
        EXPECT_EQ(m.Titulo(memoria), titulo) << pasos;
    }
}

TEST(Memorias, IndicesFueraDeRango) {
    TMemorias m;
    EXPECT_THROW(m.Valor(10), std::out_of_range);
    EXPECT_THROW(m.Cargar(-1, 1), std::out_of_range);
    EXPECT_THROW(TMemorias::Insertar(10), std::out_of_range);
}

TEST(Memorias, NuncaGuardaUnInfinito) {
    TMemorias m;
    m.Cargar(0, LDBL_MAX);
    EXPECT_FALSE(m.Sumar(0, LDBL_MAX));
    EXPECT_FALSE(m.Restar(0, -LDBL_MAX));
    EXPECT_EQ(m.Valor(0), LDBL_MAX);
    EXPECT_FALSE(m.Cargar(1, INFINITY));
    EXPECT_FALSE(m.Cargar(1, NAN));
    EXPECT_EQ(m.Valor(1), 0);
}

class MemoriasArchivoTest : public CarpetaTemporal {
protected:
    fs::path Ini() const { return dir_ / "numbrix.ini"; }
};

TEST_F(MemoriasArchivoTest, ValoresAntiguosYMalos) {
    Poner(Ini(),
          "[Memoria]\r\nM0=0.333333333333333\r\nM1=1E-15\r\nM2=abc\r\nM3=INF\r\nM4=\r\nM5=0x10\r\nM6=2,5\r\n"
          "M7=-7.5E+3\r\nM8=NAN\r\n");
    TVelIniFile f(Ini());
    TMemorias m;
    for (int i = 0; i < TMemorias::Cantidad; ++i) m.SetValor(i, 42);
    const auto informe = m.Cargar(f);
    const long double esperados[TMemorias::Cantidad] = {0.333333333333333L, 1e-15L, 0, 0, 0, 0, 0, -7500, 0, 0};
    for (int i = 0; i < TMemorias::Cantidad; ++i) EXPECT_EQ(m.Valor(i), esperados[i]) << "M" << i;
    // M9 is missing: 0 without a word; the six bad ones are reported.
    ASSERT_EQ(informe.size(), 6u);
    EXPECT_EQ(informe[0], "Memoria M2: el valor «abc» no es un número; se usa 0.");
    EXPECT_NE(informe[4].find("«2,5»"), std::string::npos);
}

}  // namespace
}  // namespace numbrix
