#include "units/ConvUnid.h"

#include <cmath>
#include <array>

#include "Aproximado.h"
#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"

namespace numbrix {
namespace {

std::string Clave() { return std::string(kClaveDatos); }

// The model loaded from plain text given as a keyed file's content.
void CargarTexto(TModeloUnidades& m, std::string texto) {
    TVelIniFile ini({}, Clave());
    TVelIniFile::Mezclar(texto, Clave());
    ini.CargarBytes(std::move(texto));
    m.CargarMagnitudes(ini);
}

void Cerca(long double esperado, long double obtenido, const std::string& que) {
    EXPECT_LE(std::fabs(esperado - obtenido), 1e-15L * std::fabs(esperado))
        << que << ": esperado " << prueba::Texto21(esperado) << ", obtenido " << prueba::Texto21(obtenido);
}

const char* const Archivo =
    "[Temperatura]\r\nUniFundamental=°C\r\nK=U-273.15_U+273.15\r\n°F=(U-32)*5/9_U*9/5+32\r\n"
    "[Longitud]\r\nUniFundamental=m\r\nkm=1000\r\nmm=_1000\r\nMm=1e6\r\nmi=1609.344_\r\n"
    "pulg=U*0.0254_U/0.0254\r\n"
    "[Área]\r\nUniFundamental=m²\r\nha=10000\r\n"
    "[ángulo]\r\nUniFundamental=rad\r\ngrado=PI/180\r\nvuelta=2¶\r\n"
    "[Aceleración]\r\nUniFundamental=m/s²\r\ng=G\r\n"
    "[Datos]\r\nUniFundamental=B\r\nMB=1e6\r\nMb=125000\r\n";

TEST(ConvUnid, DefinicionesYMensajes) {
    TModeloUnidades m;
    struct Caso {
        const char* def;
        long double a, de;  // AFundamental(1), DeFundamental(1)
    };
    const Caso buenos[] = {{"1000", 1000, 0.001L}, {"1000_", 1000, 0.001L}, {"1000_0.001", 1000, 0.001L},
                           {"U*1000_U/1000", 1000, 0.001L}, {"_1000", 0.001L, 1000}, {"  2 _ 0.5 ", 2, 0.5L},
                           {"u_u", 1, 1}, {"(U-32)*5/9_U*9/5+32", -31.0L * 5 / 9, 33.8L}};
    for (const auto& c : buenos) {
        TUnidad u = m.CrearUnidad(c.def);
        EXPECT_EQ(u.Definicion, c.def);
        Cerca(c.a, m.AFundamental(u, 1), std::string(c.def) + " a");
        Cerca(c.de, m.DeFundamental(u, 1), std::string(c.def) + " de");
    }
    const std::pair<const char*, const char*> malos[] = {
        {"U+273.15", "Expresion de conversión incompleta (2)"},
        {"_U-273.15", "Expresion de conversión incompleta (1)"},
        {"", "Error en la expresión de conversión: \"\""},
        {"  _  ", "Error en la expresión de conversión: \"\""},
        {"0", "Error en la expresión de conversión: \"0\""},
        {"_0", "Error en la expresión de conversión: \"0\""},
        {"1e5000", "Error en la expresión de conversión: \"1e5000\""},
        {"1000_(", "Error en la expresión de conversión: \"(\""},
        {"1000*)_U/1000", "Error en la expresión de conversión: \"1000*)\""},
    };
    for (const auto& [def, msj] : malos)
        EXPECT_EQ(prueba::MensajeLanzado<EConvUnid>([&] { m.CrearUnidad(def); }), msj) << def;
    EXPECT_EQ(PrimeraParte(" a _ b_c "), "a");
    EXPECT_EQ(SegundaParte(" a _ b_c "), "b_c");
    EXPECT_EQ(PrimeraParte(" a "), "a");
    EXPECT_EQ(SegundaParte(" a "), "");
}

TEST(ConvUnid, CargaOrdenYConversiones) {
    TModeloUnidades m;
    const auto g0 = m.Generacion();
    CargarTexto(m, Archivo);
    EXPECT_NE(m.Generacion(), g0);
    EXPECT_EQ(m.ErroresCarga(), "");
    std::vector<std::string> orden;
    for (const auto& mg : m.Magnitudes()) orden.push_back(mg.Nombre);
    EXPECT_EQ(orden, (std::vector<std::string>{"Aceleración", "ángulo", "Área", "Datos", "Longitud", "Temperatura"}));
    const auto& lon = m.Magnitudes()[4].Unidades;
    ASSERT_EQ(lon.size(), 6u);
    EXPECT_EQ(lon[0].Nombre, "m");

    struct Caso {
        const char *mag, *de, *a;
        long double v, r;
    };
    const long double pi = 3.14159265358979323846264338327950288L;
    const Caso casos[] = {
        {"Longitud", "mi", "m", 1, 1609.344L},   {"Longitud", "mm", "Mm", 1, 1e-9L},
        {"Longitud", "Mm", "mm", 1, 1e9L},       {"longitud", "KM", "m", 2, 2000},
        {"Longitud", "pulg", "mm", 1, 25.4L},    {"Temperatura", "°C", "°F", 100, 212},
        {"Temperatura", "°F", "°C", -40, -40},   {"Temperatura", "°C", "K", 100, 373.15L},
        {"ángulo", "grado", "rad", 180, pi},     {"Ángulo", "vuelta", "grado", 1, 360},
        {"Aceleración", "g", "m/s²", 1, 9.80665L}, {"Datos", "Mb", "B", 1, 125000},
        {"Datos", "MB", "Mb", 1, 8},             {"Nada", "XY", "xy", 5, 5},
        {"Longitud", "mm", "mm", 7, 7},
    };
    for (const auto& c : casos)
        Cerca(c.r, m.ConvertirUnidades(c.mag, c.de, c.a, c.v), std::string(c.de) + "->" + c.a);

    const std::pair<std::array<const char*, 3>, const char*> desconocidos[] = {
        {{"Nada", "m", "km"}, "Nada"}, {{"Longitud", "m", "parsec"}, "parsec"}, {{"Longitud", "xx", "m"}, "xx"}};
    for (const auto& [n, quien] : desconocidos)
        EXPECT_EQ(prueba::MensajeLanzado<EConvUnid>([&] { m.ConvertirUnidades(n[0], n[1], n[2], 1); }),
                  "La magnitud \"" + std::string(quien) + "\" no esta declarada");
    // Codes: the magnitude at 4, source 1 (km), target 2 (mm).
    const CodigoConversion c = HacerCodigo(4, 1, 2);
    EXPECT_EQ(m.DescribirConversion(c), "km -> mm (Longitud)");
    Cerca(3e6L, m.ConvertirPorCodigo(c, 3), "código");
    for (CodigoConversion malo : {HacerCodigo(6, 0, 0), HacerCodigo(4, 6, 0), HacerCodigo(4, 0, 6), -1, 1 << 24})
        EXPECT_THROW(m.ConvertirPorCodigo(malo, 1), EConvUnid) << malo;
}

TEST(ConvUnid, UnidadesDefectuosasVanAErroresCarga) {
    TModeloUnidades m;
    CargarTexto(m, "[Longitud]\r\nUniFundamental=m\r\nmal=U+1\r\nkm=1000\r\nsin=(\r\ncero=0\r\nlinea suelta\r\n"
                   "km=5\r\n");
    ASSERT_EQ(m.Magnitudes().size(), 1u);
    const auto& us = m.Magnitudes()[0].Unidades;
    ASSERT_EQ(us.size(), 2u);
    EXPECT_EQ(us[1].Nombre, "km");
    const std::string& e = m.ErroresCarga();
    EXPECT_EQ(e.find("mal (Longitud): Expresion de conversión incompleta (2)\r\n"), 0u) << e;
    EXPECT_NE(e.find("sin (Longitud): Error en la expresión de conversión: \"(\""), std::string::npos) << e;
    EXPECT_NE(e.find("cero (Longitud): Error en la expresión de conversión: \"0\"\r\n"), std::string::npos) << e;
    EXPECT_NE(e.find("linea suelta"), std::string::npos) << e;
    EXPECT_NE(e.find("km (Longitud): unidad repetida"), std::string::npos) << e;
}

TEST(ConvUnid, MasDe256UnidadesNoTienenCodigo) {
    std::string t = "[Muchas]\r\nUniFundamental=u0\r\n";
    for (int i = 1; i < 257; ++i) t += "u" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    TModeloUnidades m;
    CargarTexto(m, t);
    ASSERT_EQ(m.Magnitudes()[0].Unidades.size(), 257u);
    EXPECT_NE(m.ErroresCarga().find("\"u256\""), std::string::npos) << m.ErroresCarga();
    Cerca(256, m.ConvertirUnidades("Muchas", "u256", "u0", 1), "por nombre");
    Cerca(255, m.ConvertirPorCodigo(HacerCodigo(0, 255, 0), 1), "último código");
}

class ArchivoUnidades : public CarpetaTemporal {};

TEST_F(ArchivoUnidades, CifradoSinCifrarYClaveErronea) {
    const std::string plano = "[Longitud]\r\nUniFundamental=m\r\nkm=1000\r\n";
    std::string cifrado = plano;
    TVelIniFile::Mezclar(cifrado, Clave());
    std::string otraClave = plano;
    TVelIniFile::Mezclar(otraClave, "otra clave cualquiera");
    struct Caso {
        std::string bytes;
        std::size_t magnitudes;
        const char* informe;  // in ErroresCarga; "" none at all
    };
    const Caso casos[] = {{cifrado, 1, ""}, {plano, 1, "no está cifrado"}, {otraClave, 0, "no se pudo descifrar"}};
    for (const auto& c : casos) {
        const auto archivo = dir_ / "maguni.def";
        Poner(archivo, c.bytes);
        TModeloUnidades m;
        m.CargarMagnitudes(archivo);
        EXPECT_EQ(m.Magnitudes().size(), c.magnitudes) << c.informe;
        if (*c.informe)
            EXPECT_NE(m.ErroresCarga().find(c.informe), std::string::npos) << m.ErroresCarga();
        else
            EXPECT_EQ(m.ErroresCarga(), "");
        EXPECT_EQ(Leer(archivo), c.bytes) << "loading never rewrites the file";
    }
    TModeloUnidades vacio;
    vacio.CargarMagnitudes(dir_ / "no_existe.def");
    EXPECT_TRUE(vacio.Magnitudes().empty());
    EXPECT_EQ(vacio.ErroresCarga(), "");
}

}  // namespace
}  // namespace numbrix
