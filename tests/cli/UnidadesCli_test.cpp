// numbrix-cli's unit options, run as a user runs them on a unit file of the test's own.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CarpetaTemporal.h"
#include "Orden.h"

namespace numbrix {
namespace {

struct SalidaUnidades {
    std::string texto;  // standard output and error, in that order for each line
    int estado = -1;
};

class UnidadesCli : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        // Plain text: the keyed reader takes it, and says so on standard error.
        Poner(dir_ / "maguni.def",
              "[Longitud]\nUniFundamental=m\nkm=1000\nmi=1609.344\n[Volumen]\nUniFundamental=L\nm³=1000\n"
              "galón (EE. UU.)=3.785411784\n[Volumen seco]\nUniFundamental=L\nm³=1000\n"
              "[Temperatura]\nUniFundamental=°C\n°F=(U-32)*5/9_U*9/5+32\nK=U-273.15_U+273.15\n");
    }
    SalidaUnidades Ejecutar(const std::string& args, bool conErrores = false) {
        const auto s = prueba::EjecutarOrden(prueba::RutaCli() + " --data " + dir_.string() + " " + args +
                                             (conErrores ? " 2>&1 >/dev/null" : " 2>/dev/null"));
        return {s.texto, s.estado};
    }
};

TEST_F(UnidadesCli, ConvertirYListar) {
    const std::pair<std::string, SalidaUnidades> casos[] = {
        {"--convert 'km -> m (Longitud)' 3 2+2", {"3000\n4000\n", 0}}, {"--convert 'mi -> km' 1", {"1.609344\n", 0}},
        {"--convert '°F -> K' -40", {"233.15\n", 0}}, {"--convert 'galón (EE. UU.) -> L' 1", {"3.785411784\n", 0}},
        {"-b 16 --convert 'km -> m' 1", {"3E8 [16]\n", 0}},
        {"--convert 'm³ -> L' 1", {"Indique la magnitud: Volumen, Volumen seco\n", 1}},
        {"--convert 'm³ -> L (Volumen seco)' 1", {"1000\n", 0}},
        {"--convert 'pc -> m' 1", {"La magnitud \"pc\" no esta declarada\n", 1}},
        {"--convert 'km -> m (Long)' 1", {"La magnitud \"Long\" no esta declarada\n", 1}},
        {"--convert 'km -> m' 1/0", {"División por cero\n", 1}},
        {"--convert 'km -> m' 1 1/0 2", {"1000\nDivisión por cero\n2000\n", 1}},
        {"--units", {"Longitud: m, km, mi\nTemperatura: °C, °F, K\nVolumen: L, m³, galón (EE. UU.)\n"
                     "Volumen seco: L, m³\n", 0}},
        {"--units temperatura", {"°C\n°F\nK\n", 0}}, {"--units Nada", {"La magnitud \"Nada\" no esta declarada\n", 1}},
    };
    for (const auto& [args, esperado] : casos) {
        const SalidaUnidades s = Ejecutar(args);
        EXPECT_EQ(s.texto, esperado.texto) << args;
        EXPECT_EQ(s.estado, esperado.estado) << args;
    }
    EXPECT_NE(Ejecutar("--units", true).texto.find("no está cifrado"), std::string::npos);
}

TEST_F(UnidadesCli, UnaCuentaSolaNoLeeLasUnidades) {
    Poner(dir_ / "maguni.def", "basura que no es un archivo de unidades");
    const SalidaUnidades s = Ejecutar("2+2", true);
    EXPECT_EQ(s.texto, "");
    EXPECT_NE(Ejecutar("--units", true).texto.find("maguni.def"), std::string::npos);
}

}  // namespace
}  // namespace numbrix
