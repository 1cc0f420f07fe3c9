// The shipped unit file: the keyed data/maguni.def is exactly its plain
// source datasrc/maguni.txt; it loads without a problem, its names are ones
// the menus and the recent list can carry, every unit round-trips, none
// follows the angle setting, and the textbook facts hold.
#include <cmath>
#include <numbers>

#include "Aproximado.h"
#include "Ayudas.h"
#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "support/basicos.h"
#include "units/ConvUnid.h"

namespace numbrix {
namespace {

std::string Leer(const std::filesystem::path& ruta) {
    std::string bytes, error;
    EXPECT_TRUE(LeerArchivoEntero(ruta, bytes, &error)) << ruta << ": " << error;
    return bytes;
}

TEST(UnidadesDeFabrica, ElArchivoConClaveEsLaFuenteMezclada) {
    std::string mezclado = Leer(prueba::DatosDeFabrica() / "maguni.def");
    const std::string fuente = Leer(prueba::DatosDeFabrica() / ".." / "datasrc" / "maguni.txt");
    ASSERT_FALSE(fuente.empty());
    EXPECT_NE(mezclado.substr(0, 1), "[") << "maguni.def se distribuye con clave";
    TVelIniFile::Mezclar(mezclado, kClaveDatos);
    EXPECT_TRUE(mezclado == fuente)
        << "rehágalo: numbrix-pack scramble --key datos datasrc/maguni.txt data/maguni.def";
    for (const std::string& l : Separar(fuente, U'\n')) EXPECT_LE(l.size(), 255u) << l;
}

TEST(UnidadesDeFabrica, CargaSinAvisosYConvierteBien) {
    const auto archivo = prueba::DatosDeFabrica() / "maguni.def";
    TModeloUnidades m, enGrados;
    // Compiled under another angle unit, a trigonometric definition would
    // give other numbers.
    enGrados.MotorUnidades().SetAngulo(Sexagesimales);
    m.CargarMagnitudes(archivo);
    enGrados.CargarMagnitudes(archivo);
    EXPECT_EQ(m.ErroresCarga(), "");
    ASSERT_GE(m.Magnitudes().size(), 26u);
    std::size_t unidades = 0;
    for (std::size_t i = 0; i < m.Magnitudes().size(); ++i) {
        const Magnitud& mag = m.Magnitudes()[i];
        EXPECT_EQ(mag.Fundamental, 0) << mag.Nombre;
        for (std::size_t j = 0; j < mag.Unidades.size(); ++j) {
            const auto& [nombre, u] = mag.Unidades[j];
            ++unidades;
            EXPECT_TRUE(nombre.find(" -> ") == std::string::npos && nombre[0] != '[' && nombre[0] != ';' &&
                        nombre == Recortar(nombre))
                << "«" << nombre << "»";
            const long double ida = m.AFundamental(u, 1), vuelta = m.DeFundamental(u, ida);
            EXPECT_CERCA_REL(vuelta, 1, 1e-15L) << nombre;
            EXPECT_TRUE(std::isfinite(ida) && ida != m.AFundamental(u, 2)) << nombre;
            EXPECT_EQ(ida, enGrados.AFundamental(enGrados.Magnitudes()[i].Unidades[j].Unidad, 1)) << nombre;
        }
    }
    EXPECT_GE(unidades, 200u);

    struct Hecho {
        const char *magnitud, *de, *a;
        long double valor, esperado;
    };
    for (const Hecho& h : {Hecho{"Longitud", "mi", "m", 1, 1609.344L},
                           {"Temperatura", "°C", "°F", 100, 212},
                           {"Temperatura", "°F", "K", 212, 373.15L},
                           {"Temperatura", "K", "°C", 373.15L, 100},
                           {"Temperatura", "°F", "°C", -40, -40},
                           {"Almacenamiento de datos", "MiB", "B", 1, 1048576},
                           {"Almacenamiento de datos", "Mb", "B", 1, 125000},
                           {"Almacenamiento de datos", "MB", "Mb", 1, 8},
                           {"Longitud", "Mm", "mm", 1, 1e9L},
                           {"Ángulo", "grado", "rad", 180, std::numbers::pi_v<long double>},
                           {"Consumo de combustible", "km/L", "L/100 km", 20, 5}}) {
        const long double r = m.ConvertirUnidades(h.magnitud, h.de, h.a, h.valor);
        EXPECT_LE(std::fabs(r - h.esperado), std::fabs(h.esperado) * 1e-15L)
            << prueba::Texto21(h.valor) << " " << h.de << " -> " << h.a << " = " << prueba::Texto21(r);
    }
}

}  // namespace
}  // namespace numbrix
