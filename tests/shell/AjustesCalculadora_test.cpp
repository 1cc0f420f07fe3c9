#include "shell/AjustesCalculadora.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;
using Lista = std::vector<std::string>;

class AjustesTest : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        ini_ = dir_ / "numbrix.ini";
    }
    // Reads "[Opciones]" + the given lines.
    AjustesCalculadora Con(const std::string& lineas, Lista* informe = nullptr) {
        Poner(ini_, "[Opciones]\r\n" + lineas);
        TVelIniFile f(ini_);
        AjustesCalculadora a;
        Lista i = a.Leer(f);
        if (informe) *informe = i;
        return a;
    }
    static Lista Ordenadas(Lista l) {
        std::sort(l.begin(), l.end());
        return l;
    }
    fs::path ini_;
};

TEST_F(AjustesTest, SinArchivoTodoPorDefecto) {
    TVelIniFile f(ini_);
    AjustesCalculadora a;
    a.BaseResultado = BaseHexadecimal;
    a.Recientes = {"x"};
    EXPECT_TRUE(a.Leer(f).empty());
    EXPECT_EQ(a, AjustesCalculadora{});
    EXPECT_TRUE(a.PrimerInicio());
    EXPECT_EQ(a.FAngulo, 0);
    EXPECT_FALSE(a.SeparaMiles);
    EXPECT_EQ(a.BaseResultado, 10);
    EXPECT_EQ(a.Digitos, DigitosFlotante);
    EXPECT_EQ(a.ModoDigitos, 0);
    EXPECT_EQ(a.MaxDif, 1e-15L);
    EXPECT_TRUE(a.Magnetico && a.Autocompletar && a.NoAuto && a.MMR);
    EXPECT_FALSE(a.SiempreVisible || a.ModoReducido || a.MinIcon || a.NoTitulo);
    EXPECT_EQ(a.MaxList, 50);
    EXPECT_EQ(a.FuenteExpresion, (FuenteCaja{"MS Sans Serif", 10, 0}));
    EXPECT_EQ(a.FuenteResultado, (FuenteCaja{"MS Sans Serif", 10, 1}));
    EXPECT_EQ(a.ClLuz, 168 + 211 * 256 + 255 * 65536);
    EXPECT_EQ(a.ClSombra, 70 + 163 * 256 + 255 * 65536);
    EXPECT_EQ(a.ClTexto, -2147483640);
    EXPECT_EQ(a.ClFondo, 236 + 236 * 256 + 217 * 65536);
    EXPECT_TRUE(a.VerBarra && a.VerTotal && a.VerHistorial);
    EXPECT_EQ(a.AltoF, -1);
    EXPECT_FALSE(a.Conversor || a.Formulas || a.Primos || a.Fechas || a.Matrices || a.Estadisticas ||
                 a.Fracciones || a.Complejos || a.Polinomios);
    EXPECT_TRUE(a.Recientes.empty());
}

// A value refused keeps the default and says so, naming the key.
TEST_F(AjustesTest, FueraDeRangoDaElValorPorDefecto) {
    const AjustesCalculadora d;
    const struct {
        const char* linea;
        std::function<bool(const AjustesCalculadora&)> esDefecto;
    } casos[] = {
        {"BaseResultado=1", [&](const auto& a) { return a.BaseResultado == d.BaseResultado; }},
        {"BaseResultado=37", [&](const auto& a) { return a.BaseResultado == d.BaseResultado; }},
        {"BaseResultado=diez", [&](const auto& a) { return a.BaseResultado == d.BaseResultado; }},
        {"FAngulo=6", [&](const auto& a) { return a.FAngulo == d.FAngulo; }},
        {"FAngulo=-1", [&](const auto& a) { return a.FAngulo == d.FAngulo; }},
        {"Digitos=3", [&](const auto& a) { return a.Digitos == d.Digitos; }},
        {"Digitos=18", [&](const auto& a) { return a.Digitos == d.Digitos; }},
        {"Digitos=-2", [&](const auto& a) { return a.Digitos == d.Digitos; }},
        {"Digitos=99", [&](const auto& a) { return a.Digitos == d.Digitos; }},
        {"ModoDigitos=3", [&](const auto& a) { return a.ModoDigitos == d.ModoDigitos; }},
        {"MaxList=0", [&](const auto& a) { return a.MaxList == d.MaxList; }},
        {"MaxList=1001", [&](const auto& a) { return a.MaxList == d.MaxList; }},
        {"MaxDif=0", [&](const auto& a) { return a.MaxDif == d.MaxDif; }},
        {"MaxDif=-1E-10", [&](const auto& a) { return a.MaxDif == d.MaxDif; }},
        {"MaxDif=INF", [&](const auto& a) { return a.MaxDif == d.MaxDif; }},
        {"MaxDif=NAN", [&](const auto& a) { return a.MaxDif == d.MaxDif; }},
        {"MaxDif=1,5E-15", [&](const auto& a) { return a.MaxDif == d.MaxDif; }},
        {"FETam=0", [&](const auto& a) { return a.FuenteExpresion.Tamano == 10; }},
        {"FRTipo=4", [&](const auto& a) { return a.FuenteResultado.Estilo == 1; }},
        {"FENom=  ", [&](const auto& a) { return a.FuenteExpresion.Nombre == "MS Sans Serif"; }},
        {"AltoF=-5", [&](const auto& a) { return a.AltoF == -1; }},
        {"Magnetico=sí", [&](const auto& a) { return a.Magnetico; }},
        {"ClFondo=blanco", [&](const auto& a) { return a.ClFondo == d.ClFondo; }},
    };
    for (const auto& c : casos) {
        Lista informe;
        const AjustesCalculadora a = Con(std::string(c.linea) + "\r\n", &informe);
        EXPECT_TRUE(c.esDefecto(a)) << c.linea;
        ASSERT_EQ(informe.size(), 1u) << c.linea;
        const std::string clave = std::string(c.linea).substr(0, std::string(c.linea).find('='));
        EXPECT_NE(informe[0].find("«" + clave + "»"), std::string::npos) << informe[0];
    }
}

TEST_F(AjustesTest, ValoresLimiteAceptados) {
    Lista informe;
    const AjustesCalculadora a =
        Con("BaseResultado=36\r\nFAngulo=5\r\nDigitos=0\r\nModoDigitos=2\r\nMaxList=1000\r\nMaxDif=1E-300\r\n"
            "ClTexto=0x80000008\r\nFRTipo=3\r\nAltoF=0\r\nSeparaMiles=2\r\nVer=250\r\n",
            &informe);
    EXPECT_TRUE(informe.empty()) << informe[0];
    EXPECT_EQ(a.BaseResultado, 36);
    EXPECT_EQ(a.FAngulo, 5);
    EXPECT_EQ(a.Digitos, 0);
    EXPECT_NE(a.Digitos, DigitosFlotante);
    EXPECT_EQ(a.ModoDigitos, 2);
    EXPECT_EQ(a.MaxList, 1000);
    EXPECT_EQ(a.MaxDif, 1e-300L);
    EXPECT_EQ(a.ClTexto, -2147483640);
    EXPECT_EQ(a.FuenteResultado.Estilo, 3);
    EXPECT_EQ(a.AltoF, 0);
    EXPECT_TRUE(a.SeparaMiles);
    EXPECT_FALSE(a.PrimerInicio());
    for (const char* d : {"Digitos=2", "Digitos=16", "Digitos=100", "BaseResultado=2", "MaxList=1"}) {
        Con(std::string(d) + "\r\n", &informe);
        EXPECT_TRUE(informe.empty()) << d;
    }
}

TEST_F(AjustesTest, EscribirAlCerrarSoloSusClaves) {
    TVelIniFile f(ini_);
    AjustesCalculadora a;
    a.AltoF = 120;
    a.AltoH = 80;
    a.Escribir(f);
    EXPECT_EQ(Ordenadas(f.ReadSection("Opciones")),
              Ordenadas({"FAngulo", "SeparaMiles", "BaseResultado", "Digitos", "ModoDigitos", "SiempreVisible",
                         "ModoReducido", "Magnetico", "Autocompletar", "MMR", "NoTitulo", "MaxList", "ClLuz",
                         "ClSombra", "ClTexto", "ClFondo", "VerBarra", "VerTotal", "VerHistorial", "AltoF", "AltoH",
                         "Conversor", "Formulas", "Primos", "Fechas", "Matrices", "Estadisticas", "Fracciones",
                         "Complejos", "Polinomios"}));

    // Heights the window never set are not invented.
    TVelIniFile g(dir_ / "otro.ini");
    AjustesCalculadora().Escribir(g);
    const Lista claves = g.ReadSection("Opciones");
    EXPECT_EQ(std::count(claves.begin(), claves.end(), "AltoF"), 0);
}

TEST_F(AjustesTest, EscribirOpcionesSoloSusClaves) {
    TVelIniFile f(ini_);
    AjustesCalculadora a;
    a.EscribirOpciones(f);
    EXPECT_EQ(Ordenadas(f.ReadSection("Opciones")),
              Ordenadas({"SiempreVisible", "Autocompletar", "MMR", "NoAuto", "NoTitulo", "Magnetico", "MinIcon",
                         "MaxList", "MaxDif", "FENom", "FETam", "FETipo", "FRNom", "FRTam", "FRTipo"}));
    EXPECT_EQ(f.ReadString("Opciones", "MaxDif"), "1E-15");
}

TEST_F(AjustesTest, IdaYVueltaPorUnArchivoReal) {
    AjustesCalculadora a;
    a.FAngulo = GMS;
    a.SeparaMiles = true;
    a.BaseResultado = BaseHexadecimal;
    a.Digitos = *DigitosDe(6);
    a.ModoDigitos = NotacionCientifica;
    a.MaxDif = 2.5e-12L;
    a.SiempreVisible = a.ModoReducido = a.MinIcon = a.NoTitulo = true;
    a.Magnetico = a.Autocompletar = a.NoAuto = a.MMR = false;
    a.MaxList = 7;
    a.FuenteExpresion = {"DejaVu Sans Mono", 12, 2};
    a.FuenteResultado = {"Liberation Serif", 14, 3};
    a.ClLuz = 1;
    a.ClSombra = 0xFFFFFF;
    a.ClTexto = -2147483643;
    a.ClFondo = 0;
    a.VerBarra = a.VerTotal = a.VerHistorial = false;
    a.AltoF = 33;
    a.AltoH = 1;
    a.Conversor = a.Primos = a.Matrices = a.Fracciones = a.Polinomios = true;
    a.Recientes = {"Metro -> Pie (Longitud)", "Grado Celsius -> Kelvin (Temperatura)", "a=b_c"};
    {
        TVelIniFile f(ini_);
        a.MarcarPrimerInicio(f);
        a.EscribirOpciones(f);
        a.Escribir(f);
        f.UpdateFile();
    }
    EXPECT_EQ(Leer(ini_).find(','), std::string::npos);
    TVelIniFile g(ini_);
    AjustesCalculadora b;
    EXPECT_TRUE(b.Leer(g).empty());
    EXPECT_EQ(b, a);
    EXPECT_FALSE(b.PrimerInicio());
}

TEST_F(AjustesTest, ConversionesRecientes) {
    Poner(ini_, "[RectConv]\r\n3=c\r\n0=a\r\n=b\r\nsin clave\r\n5=a\r\n9=\r\n");
    TVelIniFile f(ini_);
    AjustesCalculadora a;
    // What is left out will not be written back: each such line is said.
    EXPECT_EQ(a.Leer(f), (Lista{"Conversiones recientes, clave «5»: está repetida; se omite.",
                                "Conversiones recientes, clave «9»: está vacía; se omite."}));
    EXPECT_EQ(a.Recientes, (Lista{"c", "a", "b", "sin clave"}));  // file order, each once
    a.Escribir(f);
    EXPECT_EQ(f.ReadSectionValues("RectConv"), (Lista{"0=c", "1=a", "2=b", "3=sin clave"}));

    std::string muchas = "[RectConv]\r\n";
    for (int i = 0; i < 20; ++i) muchas += std::to_string(i) + "=conv" + std::to_string(i) + "\r\n";
    Poner(ini_, muchas);
    TVelIniFile g(ini_);
    const Lista informe = a.Leer(g);
    ASSERT_EQ(informe.size(), 5u);
    EXPECT_EQ(informe[0], "Conversiones recientes, clave «15»: sobra (se guardan 15); se omite.");
    ASSERT_EQ(a.Recientes.size(), 15u);
    EXPECT_EQ(a.Recientes.front(), "conv0");
    EXPECT_EQ(a.Recientes.back(), "conv14");

    a.AgregarReciente("conv3");
    EXPECT_EQ(a.Recientes.front(), "conv3");
    EXPECT_EQ(std::count(a.Recientes.begin(), a.Recientes.end(), "conv3"), 1);
    EXPECT_EQ(a.Recientes.size(), 15u);
    a.AgregarReciente("nueva");
    EXPECT_EQ(a.Recientes.size(), 15u);
    EXPECT_EQ(a.Recientes[0], "nueva");
    EXPECT_EQ(a.Recientes[1], "conv3");
    EXPECT_EQ(a.Recientes.back(), "conv13");
}

}  // namespace
}  // namespace numbrix
