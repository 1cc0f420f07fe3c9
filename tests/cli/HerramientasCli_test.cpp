// numbrix-cli's tool options, run as a user runs them on data files of the
// test's own: statistics, units and formulas.
#include <gtest/gtest.h>

#include <string>

#include "CarpetaTemporal.h"
#include "Orden.h"

namespace numbrix {
namespace {

using Salida = prueba::SalidaOrden;

class CliHerramientas : public CarpetaTemporal {
protected:
    // Standard output, or with `conErrores` standard error alone.
    Salida Ejecutar(const std::string& args, bool conErrores = false) {
        return prueba::EjecutarOrden(prueba::RutaCli() + " --data " + dir_.string() + " " + args +
                                     (conErrores ? " 2>&1 >/dev/null" : " 2>/dev/null"));
    }
    // Each row: the arguments, then the output and the exit status.
    void Casos(const std::vector<std::pair<std::string, Salida>>& casos) {
        for (const auto& [args, esperado] : casos) {
            const Salida s = Ejecutar(args);
            EXPECT_EQ(s.texto, esperado.texto) << args;
            EXPECT_EQ(s.estado, esperado.estado) << args;
        }
    }
};

TEST_F(CliHerramientas, EstadisticaDeArchivoYEntrada) {
    Poner(dir_ / "d.txt", "1,5\r\n2\t3\r\n");
    auto estadistica = [&](const std::string& entrada) {
        return prueba::EjecutarOrden("printf '" + entrada + "' | " + prueba::RutaCli() + " --data " + dir_.string() +
                                     " --stats " + (dir_ / "d.txt").string() + " --stats 2>/dev/null");
    };
    const Salida s = estadistica("4\\n6\\n");
    EXPECT_EQ(s.estado, 0);
    EXPECT_EQ(s.texto.substr(0, 38), "n\t4\nPuntos muestrales\t2\nSuma\t7.5\nSuma ");
    EXPECT_NE(s.texto.find("\nn\t2\nPuntos muestrales\t2\nSuma\t10\n"), std::string::npos) << s.texto;
    const Salida malo = estadistica("4\\n6*\\n");
    EXPECT_EQ(malo.texto, s.texto.substr(0, s.texto.find("\nn\t") + 1) + "\"*\" no puede estar al final\n");
    EXPECT_EQ(malo.estado, 1);
}

TEST_F(CliHerramientas, ConvertirYListarUnidades) {
    // Plain text: the keyed reader takes it, and says so on standard error.
    Poner(dir_ / "maguni.def",
          "[Longitud]\nUniFundamental=m\nkm=1000\nmi=1609.344\n[Volumen]\nUniFundamental=L\nm³=1000\n"
          "galón (EE. UU.)=3.785411784\n[Volumen seco]\nUniFundamental=L\nm³=1000\n"
          "[Temperatura]\nUniFundamental=°C\n°F=(U-32)*5/9_U*9/5+32\nK=U-273.15_U+273.15\n");
    Casos({
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
    });
    EXPECT_NE(Ejecutar("--units", true).texto.find("no está cifrado"), std::string::npos);
    // A plain calculation does not read the unit file.
    Poner(dir_ / "maguni.def", "basura que no es un archivo de unidades");
    EXPECT_EQ(Ejecutar("2+2", true).texto, "");
    EXPECT_NE(Ejecutar("--units", true).texto.find("maguni.def"), std::string::npos);
}

TEST_F(CliHerramientas, ListarYCalcularFormulas) {
    // Plain text: the keyed readers take it (and say so on standard error).
    Poner(dir_ / "maguni.def",
          "[Tensión]\nUniFundamental=V\nkV=1000\n[Corriente]\nUniFundamental=A\nmA=0.001\n"
          "[Resistencia]\nUniFundamental=Ω\nkΩ=1000\n");
    Poner(dir_ / "Electricidad.fcm",
          "[Ley de Ohm]\nV=I*R\nTensión y corriente\n<def>\nV_Tensión_10_V_Tensión=V_0__\n"
          "I_Corriente__A_Corriente=A_0__\nR_Resistencia__Ω_Resistencia=Ω_1_0_\n[Vacía]\n");
    const std::string ohm = "--formula 'Electricidad/Ley de Ohm'";
    Casos({
        {"--formulas", {"Electricidad/Ley de Ohm\nElectricidad/Vacía\n", 0}},
        {ohm + " --value I=2", {"5\n", 0}},
        {"--formula 'electricidad/ley de ohm' --value I=2000@mA", {"5\n", 0}},
        {ohm + " --value V=10@kV --value I=2@mA --unit R=kΩ", {"5000\n", 0}},
        {ohm + " --value R=5 --value I=3 --unknown V", {"15\n", 0}},
        {ohm + " --value V=-10 --value I=2",
         {"Revise los datos introducidos.  El valor de: \"R\" (Resistencia) no puede ser menor a: 0 Resistencia=Ω\n", 1}},
        {ohm, {"Error\n", 1}},
        {ohm + " --value I=2@furlong", {"La magnitud \"furlong\" no esta declarada\n", 1}},
        {"--formula 'Electricidad/Nada'", {"No existe la fórmula Nada en el grupo Electricidad\n", 1}},
        {"--formula 'Electricidad/Vacía'", {"La fórmula «Vacía» está vacía o no existe.\n", 1}},
        {ohm + " --unknown X", {"", 2}},
        {"--formula Electricidad", {"", 2}},
    });
}

}  // namespace
}  // namespace numbrix
