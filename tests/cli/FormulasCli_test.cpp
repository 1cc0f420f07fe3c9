// numbrix-cli's formula options, run as a user runs them on a group of the test's own.
#include <gtest/gtest.h>

#include <string>

#include "CarpetaTemporal.h"
#include "Orden.h"

namespace numbrix {
namespace {

class FormulasCli : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        // Plain text: the keyed readers take it (and say so on standard error).
        Poner(dir_ / "maguni.def",
              "[Tensión]\nUniFundamental=V\nkV=1000\n[Corriente]\nUniFundamental=A\nmA=0.001\n"
              "[Resistencia]\nUniFundamental=Ω\nkΩ=1000\n");
        Poner(dir_ / "Electricidad.fcm",
              "[Ley de Ohm]\nV=I*R\nTensión y corriente\n<def>\nV_Tensión_10_V_Tensión=V_0__\n"
              "I_Corriente__A_Corriente=A_0__\nR_Resistencia__Ω_Resistencia=Ω_1_0_\n[Vacía]\n");
    }
    std::pair<std::string, int> Ejecutar(const std::string& args) {
        const auto s = prueba::EjecutarOrden(prueba::RutaCli() + " --data " + dir_.string() + " " + args + " 2>/dev/null");
        return {s.texto, s.estado};
    }
};

TEST_F(FormulasCli, ListarYCalcular) {
    const std::pair<std::string, std::pair<std::string, int>> casos[] = {
        {"--formulas", {"Electricidad/Ley de Ohm\nElectricidad/Vacía\n", 0}},
        {"--formula 'Electricidad/Ley de Ohm' --value I=2", {"5\n", 0}},
        {"--formula 'electricidad/ley de ohm' --value I=2000@mA", {"5\n", 0}},
        {"--formula 'Electricidad/Ley de Ohm' --value V=10@kV --value I=2@mA --unit R=kΩ", {"5000\n", 0}},
        {"--formula 'Electricidad/Ley de Ohm' --value R=5 --value I=3 --unknown V", {"15\n", 0}},
        {"--formula 'Electricidad/Ley de Ohm' --value V=-10 --value I=2",
         {"Revise los datos introducidos.  El valor de: \"R\" (Resistencia) no puede ser menor a: 0 Resistencia=Ω\n", 1}},
        {"--formula 'Electricidad/Ley de Ohm'", {"Error\n", 1}},
        {"--formula 'Electricidad/Ley de Ohm' --value I=2@furlong", {"La magnitud \"furlong\" no esta declarada\n", 1}},
        {"--formula 'Electricidad/Nada'", {"No existe la fórmula Nada en el grupo Electricidad\n", 1}},
        {"--formula 'Electricidad/Vacía'", {"La fórmula «Vacía» está vacía o no existe.\n", 1}},
        {"--formula 'Electricidad/Ley de Ohm' --unknown X", {"", 2}},
        {"--formula Electricidad", {"", 2}},
    };
    for (const auto& [args, esperado] : casos) EXPECT_EQ(Ejecutar(args), esperado) << args;
}

}  // namespace
}  // namespace numbrix
