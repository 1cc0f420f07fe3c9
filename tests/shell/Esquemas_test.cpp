#include "shell/Esquemas.h"

#include <gtest/gtest.h>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

TEST(Esquemas, TextoDeCuatroColores) {
    T4Colores c;
    ASSERT_TRUE(LeerColores("$FFD3A8,$FFA346,$80000008,$D9ECEC", c));
    EXPECT_EQ(c.Luz, 16765864u);
    EXPECT_EQ(c.Sombra, 16753478u);
    EXPECT_EQ(c.Texto, clTextoVentana);
    EXPECT_TRUE(EsColorSistema(c.Texto));
    EXPECT_EQ(c.Fondo, 14281964u);
    EXPECT_EQ(TextoColores(c), "$FFD3A8,$FFA346,$80000008,$D9ECEC");
    T4Colores d;
    ASSERT_TRUE(LeerColores(" 255 , $ff00,0x10, -2147483643", d));
    EXPECT_EQ(d, (T4Colores{255, 0xFF00, 16, clVentana}));
}

TEST(Esquemas, TextosMalosNoSeLeen) {
    for (const char* t : {"", "$FF,$FF,$FF", "$FF,$FF,$FF,$FF,$FF", "$FG,1,2,3", "1,2,,3", "a,b,c,d", "$123456789,1,2,3"}) {
        T4Colores c;
        EXPECT_FALSE(LeerColores(t, c)) << t;
    }
}

TEST(Esquemas, NombresValidos) {
    for (const char* n : {"Azul", "Noche clara", "Alto contraste 2"}) EXPECT_EQ(TEsquemas::ValidarNombre(n), "") << n;
    for (const char* n : {"", "   ", "a=b", "[x", "y]", ";nota"}) EXPECT_NE(TEsquemas::ValidarNombre(n), "") << n;
}

TEST(Esquemas, ContrasteDelTextoSobreElFondo) {
    EXPECT_NEAR(Contraste(clNegro, clBlanco), 21.0, 0.01);
    EXPECT_NEAR(Contraste(clGris, clGris), 1.0, 1e-9);
    // Light system text over a fixed light background (a dark desktop theme
    // under a scheme meant for a light one) is replaced.
    const TColor fondoClaro = ColorRGB(236, 236, 217);
    EXPECT_EQ(TextoLegible(ColorRGB(230, 230, 230), fondoClaro), clNegro);
    EXPECT_EQ(TextoLegible(ColorRGB(20, 20, 20), ColorRGB(30, 30, 40)), clBlanco);
    EXPECT_EQ(TextoLegible(ColorRGB(0, 0, 128), fondoClaro), ColorRGB(0, 0, 128));
    // The default pairs the system text with the system base colour.
    T4Colores p = ColoresPredeterminados();
    EXPECT_EQ(p.Texto, clTextoVentana);
    EXPECT_EQ(p.Fondo, clVentana);
}

TEST(Esquemas, TextoSobreUnDegradado) {
    const TColor celeste = ColorRGB(168, 211, 255), azul = ColorRGB(70, 163, 255);
    // The ramp's far end counts, not only its first colour.
    EXPECT_NEAR(ContrasteSobreRampa(clBlanco, clBlanco, clNegro), 1.0, 1e-9);
    EXPECT_NEAR(ContrasteSobreRampa(clNegro, celeste, azul), Contraste(clNegro, azul), 1e-9);
    struct Caso { TColor texto, desde, hasta, esperado; } casos[] = {
        {ColorRGB(20, 20, 60), celeste, azul, ColorRGB(20, 20, 60)},         // stands out: kept
        {ColorRGB(240, 240, 240), celeste, azul, clNegro},                    // light text on light bands
        {ColorRGB(40, 40, 40), ColorRGB(130, 90, 70), ColorRGB(70, 45, 35), clBlanco},  // dark on dark
        {ColorRGB(90, 90, 90), clBlanco, ColorRGB(200, 200, 200), clNegro},  // fine at the top only
    };
    for (const auto& c : casos) {
        const TColor t = TextoLegibleSobreRampa(c.texto, c.desde, c.hasta);
        EXPECT_EQ(t, c.esperado) << std::hex << c.texto << " " << c.desde << " " << c.hasta;
        EXPECT_GE(ContrasteSobreRampa(t, c.desde, c.hasta), kContrasteMinimo);
        // A disabled mark is dimmer but still seen on every colour of the ramp.
        const TColor inactiva = TintaInactivaSobreRampa(t, c.desde, c.hasta);
        EXPECT_GE(ContrasteSobreRampa(inactiva, c.desde, c.hasta), kContrasteInactivo - 1e-9);
        EXPECT_LT(ContrasteSobreRampa(inactiva, c.desde, c.hasta), ContrasteSobreRampa(t, c.desde, c.hasta));
    }
}

TEST(Esquemas, ColoresPintadosBajoUnTemaOscuro) {
    // The stored default: the system's text colour over fixed light colours.
    const T4Colores defecto{ColorRGB(168, 211, 255), ColorRGB(70, 163, 255), clTextoVentana, ColorRGB(236, 236, 217)};
    PaletaSistema oscura{};
    oscura.fill(ColorRGB(50, 50, 50));
    oscura[csTextoVentana] = ColorRGB(240, 240, 240);
    oscura[csVentana] = ColorRGB(36, 36, 36);
    oscura[csResaltado] = ColorRGB(48, 140, 198);
    oscura[csTextoResaltado] = ColorRGB(240, 240, 240);
    const ColoresPintados c = CalcularColoresPintados(defecto, oscura);
    EXPECT_EQ(c.Caja, defecto.Luz);  // backgrounds stay the scheme's
    EXPECT_EQ(c.Fondo, defecto.Fondo);
    EXPECT_EQ(c.TintaCaja, clNegro);
    EXPECT_EQ(c.TintaFondo, clNegro);
    EXPECT_EQ(c.TintaBanda, clNegro);
    EXPECT_EQ(c.TintaSeleccion, clNegro);  // light text on the mid-blue selection is 3.7:1
    EXPECT_EQ(c.Divisor, defecto.Sombra);
    // A system background follows the palette.
    const ColoresPintados s = CalcularColoresPintados({clLuzBoton, clCaraBoton, clTextoVentana, clVentana}, oscura);
    EXPECT_EQ(s.Fondo, ColorRGB(36, 36, 36));
    EXPECT_EQ(s.TintaFondo, ColorRGB(240, 240, 240));
}

class EsquemasArchivo : public CarpetaTemporal {};

TEST_F(EsquemasArchivo, LineasMalasSeSaltanYSeInforman) {
    Poner(dir_ / "colores.ini",
          "[Colores]\nAzul=$FFD3A8,$FFA346,$80000008,$D9ECEC\nRoto=$FF,$FF\nsin igual\n=1,2,3,4\nVerde=1,2,3,4\n");
    TVelIniFile ini(dir_ / "colores.ini");
    TEsquemas e;
    e.Cargar(ini);
    ASSERT_EQ(e.Lista().size(), 2u);
    EXPECT_EQ(e.Lista()[0].Nombre, "Azul");
    EXPECT_EQ(e.Lista()[1].Nombre, "Verde");
    EXPECT_EQ(e.Problemas().size(), 3u);
    EXPECT_EQ(e.Buscar("AZUL"), 0);
}

TEST_F(EsquemasArchivo, GuardarReemplazaYBorrar) {
    Poner(dir_ / "colores.ini", "[Colores]\nAzul=1,2,3,4\nVerde=5,6,7,8\n");
    {
        TVelIniFile ini(dir_ / "colores.ini");
        TEsquemas e;
        e.Cargar(ini);
        EXPECT_EQ(e.Guardar(ini, "azul", {9, 9, 9, 9}), 1);
        EXPECT_EQ(e.Guardar(ini, "Rojo", {1, 1, 1, 1}), 2);
        e.Borrar(ini, e.Buscar("Verde"));
        ini.UpdateFile();
    }
    TVelIniFile ini(dir_ / "colores.ini");
    TEsquemas e;
    e.Cargar(ini);
    ASSERT_EQ(e.Lista().size(), 2u);
    EXPECT_EQ(e.Lista()[0].Nombre, "azul");
    EXPECT_EQ(e.Lista()[0].Colores, (T4Colores{9, 9, 9, 9}));
    EXPECT_EQ(e.Buscar("Verde"), -1);
}

TEST(EsquemasDatos, LosEsquemasDeFabricaSeLeenTodos) {
    TVelIniFile ini(prueba::DatosDeFabrica() / "colores.ini");
    TEsquemas e;
    e.Cargar(ini);
    EXPECT_TRUE(e.Problemas().empty());
    EXPECT_GE(e.Lista().size(), 6u);  // each readable as painted: frmCalc_test
}

}  // namespace
}  // namespace numbrix
