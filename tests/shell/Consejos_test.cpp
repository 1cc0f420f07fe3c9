#include "shell/Consejos.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

class Consejos : public CarpetaTemporal {
protected:
    std::filesystem::path Tips() const { return dir_ / "tips.ini"; }
    static std::string Tip(int k, const std::string& texto) {
        std::string s = (k < 10 ? "TIP0" : "TIP") + std::to_string(k);
        return "[" + s + "]\nCant=1\n1=" + texto + "\n";
    }
};

TEST_F(Consejos, CuentaSeAjustaALosConsejosPresentes) {
    struct Caso {
        const char* cuenta;
        int presentes;
        int esperados;
    } casos[] = {{"0", 5, 0}, {"150", 3, 3}, {"-4", 3, 0}, {"2", 3, 2}, {"x", 5, 4}, {"150", 100, 99}};
    for (const auto& c : casos) {
        std::string t = std::string("[OPC]\nUsa=1\nCuenta=") + c.cuenta + "\n";
        for (int k = 1; k <= c.presentes; ++k) t += Tip(k, "consejo " + std::to_string(k));
        Poner(Tips(), t);
        TVelIniFile ini(Tips());
        TConsejos tips;
        tips.Leer(ini);
        EXPECT_EQ(tips.Cuenta(), c.esperados) << c.cuenta;
        std::mt19937 azar(1);
        tips.Barajar(azar);
        if (c.esperados == 0) {
            EXPECT_EQ(tips.Texto(), TConsejos::TextoSinConsejos);
            EXPECT_EQ(tips.Indicador(), "");
            tips.Siguiente();
            tips.Anterior();
            EXPECT_EQ(tips.Texto(), TConsejos::TextoSinConsejos);
        } else {
            EXPECT_EQ(tips.Indicador(), "1 de " + std::to_string(c.esperados));
        }
    }
}

TEST_F(Consejos, BarajarEsUnaPermutacionYLosBotonesDanLaVuelta) {
    std::string t = "[OPC]\nUsa=1\nCuenta=5\n";
    for (int k = 1; k <= 5; ++k) t += Tip(k, "consejo " + std::to_string(k)) + (k == 3 ? "MAS=y algo más\n" : "");
    Poner(Tips(), t);
    TVelIniFile ini(Tips());
    TConsejos tips;
    tips.Leer(ini);
    std::mt19937 azar(7);
    tips.Barajar(azar);
    std::vector<int> o = tips.Orden();
    std::sort(o.begin(), o.end());
    EXPECT_EQ(o, (std::vector<int>{0, 1, 2, 3, 4}));
    tips.Anterior();
    EXPECT_EQ(tips.Indicador(), "5 de 5");
    tips.Siguiente();
    EXPECT_EQ(tips.Indicador(), "1 de 5");
    EXPECT_EQ(tips.Consejos()[2].Mas, "y algo más");
    // "Usa" is written back.
    EXPECT_TRUE(tips.Usa);
    tips.Usa = false;
    tips.EscribirUsa(ini);
    ini.UpdateFile();
    TVelIniFile otro(Tips());
    TConsejos leidos;
    leidos.Leer(otro);
    EXPECT_FALSE(leidos.Usa);
    EXPECT_EQ(leidos.Cuenta(), 5);
}

TEST(ConsejosDatos, LosConsejosDeFabrica) {
    TVelIniFile ini(prueba::DatosDeFabrica() / "tips.ini");
    TConsejos tips;
    tips.Leer(ini);
    EXPECT_GE(tips.Cuenta(), 20);
    EXPECT_EQ(ini.ReadInteger("OPC", "Cuenta", 0), tips.Cuenta());
    // Every expression a tip shows between « and » is one Numbrix computes.
    TSesion sesion;
    int ejemplos = 0;
    for (const auto& c : tips.Consejos()) {
        std::string t;
        for (const auto& l : c.Lineas) t += l + " ";
        for (std::size_t a = t.find("«"); a != std::string::npos; a = t.find("«", a + 1)) {
            std::size_t b = t.find("»", a);
            ASSERT_NE(b, std::string::npos) << t;
            std::string e = t.substr(a + 2, b - a - 2);
            ResultadoEvaluacion r = sesion.Evaluar(e);
            EXPECT_FALSE(r.error) << e << ": " << r.texto;
            ++ejemplos;
        }
    }
    EXPECT_GE(ejemplos, 10);
}

}  // namespace
}  // namespace numbrix
