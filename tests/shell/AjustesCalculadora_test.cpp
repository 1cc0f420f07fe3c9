// The section "Opciones" as its table of keys reads, reports and writes it,
// and the recent conversions.
#include "shell/AjustesCalculadora.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

using Lista = std::vector<std::string>;

class AjustesTest : public CarpetaTemporal {
protected:
    // Reads "[Opciones]" + the given lines.
    AjustesCalculadora Con(const std::string& lineas, Lista* informe = nullptr) {
        Poner(dir_ / "numbrix.ini", "[Opciones]\r\n" + lineas);
        TVelIniFile f(dir_ / "numbrix.ini");
        AjustesCalculadora a;
        Lista i = a.Leer(f);
        if (informe) *informe = i;
        return a;
    }
    static Lista Ordenadas(Lista l) {
        std::sort(l.begin(), l.end());
        return l;
    }
};

// A value refused keeps the default and says so, naming the key and what is
// used instead.
TEST_F(AjustesTest, FueraDeRangoDaElValorPorDefecto) {
    const AjustesCalculadora d;
    const std::pair<const char*, const char*> casos[] = {
        {"BaseResultado=1", "la base debe estar entre 2 y 36; se usa 10."},
        {"BaseResultado=37", "se usa 10."}, {"BaseResultado=diez", "no es un número entero; se usa 10."},
        {"FAngulo=6", "se usa 0."}, {"FAngulo=-1", "se usa 0."}, {"Digitos=3", "se usa 100."}, {"Digitos=18", "se usa 100."},
        {"Digitos=-2", "se usa 100."}, {"Digitos=99", "se usa 100."}, {"ModoDigitos=3", "se usa 0."},
        {"MaxList=0", "se usa 50."}, {"MaxList=1001", "se usa 50."}, {"MaxDif=0", "se usa 1E-15."},
        {"MaxDif=-1E-10", "se usa 1E-15."}, {"MaxDif=INF", "se usa 1E-15."}, {"MaxDif=NAN", "se usa 1E-15."},
        {"MaxDif=1,5E-15", "no es un número; se usa 1E-15."}, {"FETam=0", "se usa 10."}, {"FRTipo=4", "se usa 1."},
        {"FENom=  ", "está vacío; se usa MS Sans Serif."}, {"AltoF=-5", "se usa la altura actual."},
        {"Magnetico=sí", "no es 0 ni 1; se usa 1."}, {"ClFondo=blanco", "se usa 14281964."},
    };
    for (const auto& [linea, final] : casos) {
        Lista informe;
        EXPECT_EQ(Con(std::string(linea) + "\r\n", &informe), d) << linea;
        ASSERT_EQ(informe.size(), 1u) << linea;
        const std::string clave = std::string(linea).substr(0, std::string(linea).find('='));
        EXPECT_EQ(informe[0].rfind("Opciones, «" + clave + "» = «", 0), 0u) << informe[0];
        EXPECT_EQ(informe[0].substr(informe[0].size() - std::string(final).size()), final) << informe[0];
    }
}

TEST_F(AjustesTest, ValoresLimiteAceptados) {
    Lista informe;
    const AjustesCalculadora a =
        Con("BaseResultado=36\r\nFAngulo=5\r\nDigitos=0\r\nModoDigitos=2\r\nMaxList=1000\r\nMaxDif=1E-300\r\n"
            "ClTexto=0x80000008\r\nFRTipo=3\r\nAltoF=0\r\nSeparaMiles=2\r\nVer=250\r\n",
            &informe);
    EXPECT_TRUE(informe.empty()) << informe[0];
    EXPECT_TRUE(a.BaseResultado == 36 && a.FAngulo == MultiplosPi && a.Digitos == 0 && a.ModoDigitos == NotacionIngenieria);
    EXPECT_TRUE(a.MaxList == 1000 && a.MaxDif == 1e-300L && a.ClTexto == -2147483640 && a.FuenteResultado.Estilo == 3);
    EXPECT_TRUE(a.AltoF == 0 && a.SeparaMiles && !a.PrimerInicio());
    for (const char* d : {"Digitos=2", "Digitos=16", "Digitos=100", "BaseResultado=2", "MaxList=1"}) {
        Con(std::string(d) + "\r\n", &informe);
        EXPECT_TRUE(informe.empty()) << d;
    }
}

// The main window at its close writes every key but "Ver", "MaxDif",
// "NoAuto", "MinIcon" and the fonts, which the options window writes; a
// height the window never set is not written.
TEST_F(AjustesTest, CadaEscrituraConSusClaves) {
    TVelIniFile cierre(dir_ / "cierre.ini"), opciones(dir_ / "opciones.ini");
    AjustesCalculadora a;
    a.Escribir(cierre);
    a.EscribirOpciones(opciones);
    EXPECT_EQ(Ordenadas(cierre.ReadSection("Opciones")),
              Ordenadas({"FAngulo", "SeparaMiles", "BaseResultado", "Digitos", "ModoDigitos", "SiempreVisible",
                         "ModoReducido", "Magnetico", "Autocompletar", "MMR", "NoTitulo", "MaxList", "ClLuz",
                         "ClSombra", "ClTexto", "ClFondo", "VerBarra", "VerTotal", "VerHistorial", "Conversor",
                         "Formulas", "Primos", "Fechas", "Matrices", "Estadisticas", "Fracciones", "Complejos",
                         "Polinomios", "FracDenominadorDec", "FracSepEntero", "ModoMatriz", "TamaMatPan1",
                         "TamaMatPan2", "TamaMatPan3"}));
    EXPECT_EQ(Ordenadas(opciones.ReadSection("Opciones")),
              Ordenadas({"SiempreVisible", "Autocompletar", "MMR", "NoAuto", "NoTitulo", "Magnetico", "MinIcon",
                         "MaxList", "MaxDif", "FENom", "FETam", "FETipo", "FRNom", "FRTam", "FRTipo"}));
    EXPECT_EQ(opciones.ReadString("Opciones", "MaxDif"), "1E-15");
    a.AltoF = 120;
    a.Escribir(cierre);
    EXPECT_EQ(cierre.ReadString("Opciones", "AltoF"), "120");
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
        TVelIniFile f(dir_ / "numbrix.ini");
        a.MarcarPrimerInicio(f);
        a.EscribirOpciones(f);
        a.Escribir(f);
        f.UpdateFile();
    }
    EXPECT_EQ(Leer(dir_ / "numbrix.ini").find(','), std::string::npos);
    TVelIniFile g(dir_ / "numbrix.ini");
    AjustesCalculadora b;
    EXPECT_TRUE(b.Leer(g).empty());
    EXPECT_EQ(b, a);
    EXPECT_FALSE(b.PrimerInicio());
}

TEST_F(AjustesTest, ConversionesRecientes) {
    Poner(dir_ / "numbrix.ini", "[RectConv]\r\n3=c\r\n0=a\r\n=b\r\nsin clave\r\n5=a\r\n9=\r\n");
    TVelIniFile f(dir_ / "numbrix.ini");
    AjustesCalculadora a;
    // What is left out will not be written back: each such line is said.
    EXPECT_EQ(a.Leer(f), (Lista{"Conversiones recientes, clave «5»: está repetida; se omite.",
                                "Conversiones recientes, clave «9»: está vacía; se omite."}));
    EXPECT_EQ(a.Recientes, (Lista{"c", "a", "b", "sin clave"}));  // file order, each once
    a.Escribir(f);
    EXPECT_EQ(f.ReadSectionValues("RectConv"), (Lista{"0=c", "1=a", "2=b", "3=sin clave"}));

    std::string muchas = "[RectConv]\r\n";
    for (int i = 0; i < 20; ++i) muchas += std::to_string(i) + "=conv" + std::to_string(i) + "\r\n";
    Poner(dir_ / "numbrix.ini", muchas);
    TVelIniFile g(dir_ / "numbrix.ini");
    const Lista informe = a.Leer(g);
    ASSERT_EQ(informe.size(), 5u);
    EXPECT_EQ(informe[0], "Conversiones recientes, clave «15»: sobra (se guardan 15); se omite.");
    ASSERT_EQ(a.Recientes.size(), 15u);
    EXPECT_EQ(a.Recientes.back(), "conv14");
    a.AgregarReciente("conv3");
    a.AgregarReciente("nueva");
    EXPECT_EQ(a.Recientes.size(), 15u);
    EXPECT_EQ(std::count(a.Recientes.begin(), a.Recientes.end(), "conv3"), 1);
    EXPECT_EQ(a.Recientes[0] + a.Recientes[1] + a.Recientes.back(), "nuevaconv3conv13");
}

}  // namespace
}  // namespace numbrix
