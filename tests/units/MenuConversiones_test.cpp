#include "units/MenuConversiones.h"

#include <gtest/gtest.h>

#include "shell/VelIni.h"

namespace numbrix {
namespace {

void Cargar(TModeloUnidades& m, const std::string& texto) {
    TVelIniFile ini;
    ini.CargarBytes(texto);
    m.CargarMagnitudes(ini);
}

// Sorted: A, B, Consumo (combustible), Cosas & más, Longitud (index 4), Volumen, Volumen seco.
const char* const Archivo =
    "[Longitud]\r\nUniFundamental=m\r\nkm=1000\r\nmm=_1000\r\n"
    "[A]\r\nUniFundamental=a\r\n[B]\r\nUniFundamental=b\r\n[Cosas & más]\r\nUniFundamental=c\r\nR&D=2\r\n"
    "[Volumen]\r\nUniFundamental=L\r\ngalón (EE. UU.)=3.785411784\r\nm³=1000\r\n"
    "[Consumo (combustible)]\r\nUniFundamental=km/L\r\nL/100 km=100/U_100/U\r\nmpg=0.425143707\r\n"
    "[Volumen seco]\r\nUniFundamental=L\r\nm³=1000\r\n";

TEST(MenuConversiones, ArbolCodigosYTitulos) {
    TModeloUnidades m;
    Cargar(m, Archivo);
    const auto top = MenuConversiones(m);
    ASSERT_EQ(top.size(), 7u);
    EXPECT_EQ(top[3].Titulo, "Cosas && más");
    EXPECT_EQ(top[3].NombreMagnitud, "Cosas & más");
    EXPECT_EQ(top[4].NombreMagnitud, "Longitud");
    EXPECT_TRUE(top[4].Hijos.empty());  // filled when shown

    const auto sub = SubmenuConversiones(m, 4);
    ASSERT_EQ(sub.size(), 3u);
    for (const auto& de : sub) {
        ASSERT_EQ(de.Hijos.size(), 2u) << de.Titulo;
        for (const auto& a : de.Hijos) EXPECT_NE(a.Unidad, de.Unidad) << "a unit never appears under itself";
    }
    EXPECT_EQ(sub[1].Titulo, "de km");
    EXPECT_EQ(sub[1].Hijos[1].Titulo, "a mm");
    EXPECT_EQ(sub[1].Hijos[1].Codigo, 131332);
    EXPECT_EQ(SubmenuConversiones(m, 3)[1].Titulo, "de R&&D");
    EXPECT_EQ(SubmenuConversiones(m, 3)[1].NombreUnidad, "R&D");
    EXPECT_TRUE(SubmenuConversiones(m, 99).empty());

    const auto unidades = MenuUnidades(m);
    ASSERT_EQ(unidades.size(), 7u);
    EXPECT_EQ(unidades[5].Hijos[1].NombreUnidad, "galón (EE. UU.)");
    EXPECT_EQ(unidades[5].Hijos[1].Codigo, -1);
}

TEST(MenuConversiones, LeerConversion) {
    TModeloUnidades m;
    Cargar(m, Archivo);
    using E = ConversionLeida::Estado;
    struct Caso { const char* texto; E estado; const char *mag, *de, *a; };
    const Caso casos[] = {
        {"km -> mm (Longitud)", E::Hallada, "Longitud", "km", "mm"}, {"km -> mm", E::Hallada, "Longitud", "km", "mm"},
        {"KM -> MM (longitud)", E::Hallada, "Longitud", "km", "mm"},
        {"galón (EE. UU.) -> L (Volumen)", E::Hallada, "Volumen", "galón (EE. UU.)", "L"},
        {"L -> galón (EE. UU.)", E::Hallada, "Volumen", "L", "galón (EE. UU.)"},
        {"L -> galón (EE. UU.) (Volumen)", E::Hallada, "Volumen", "L", "galón (EE. UU.)"},
        {"mpg -> L/100 km (Consumo (combustible))", E::Hallada, "Consumo (combustible)", "mpg", "L/100 km"},
        {"m³ -> L", E::Ambigua, "", "m³", "L"}, {"m³ -> L (Volumen seco)", E::Hallada, "Volumen seco", "m³", "L"},
        {"km -> L", E::Ninguna, "", "", ""}, {"km -> mm (Volumen)", E::Ninguna, "", "", ""},
        {"km mm", E::Ninguna, "", "", ""}, {"", E::Ninguna, "", "", ""},
    };
    for (const auto& c : casos) {
        const auto r = LeerConversion(m, c.texto);
        EXPECT_EQ(r.Resultado, c.estado) << c.texto;
        if (c.estado != E::Hallada) continue;
        EXPECT_EQ(r.NombreMagnitud, c.mag) << c.texto;
        EXPECT_EQ(r.NombreOrigen, c.de) << c.texto;
        EXPECT_EQ(r.NombreDestino, c.a) << c.texto;
        EXPECT_EQ(m.DescribirConversion(r.Codigo()),
                  std::string(c.de) + " -> " + c.a + " (" + c.mag + ")");
    }
    EXPECT_EQ(LeerConversion(m, "m³ -> L").Candidatas, (std::vector<std::string>{"Volumen", "Volumen seco"}));
}

}  // namespace
}  // namespace numbrix
