// numbrix-cli --stats, from a file and from standard input.
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

class EstadisticaCli : public CarpetaTemporal {
protected:
    std::pair<std::string, int> Ejecutar(const std::string& args) {
        const auto s = prueba::EjecutarOrden(args + " | " + prueba::RutaCli() + " --data " + dir_.string() + " --stats " +
                                             (dir_ / "d.txt").string() + " --stats 2>/dev/null");
        return {s.texto, s.estado};
    }
};

TEST_F(EstadisticaCli, ArchivoYEntrada) {
    Poner(dir_ / "d.txt", "1,5\r\n2\t3\r\n");
    const auto [texto, estado] = Ejecutar("printf '4\\n6\\n'");
    EXPECT_EQ(estado, 0);
    EXPECT_EQ(texto.substr(0, 38), "n\t4\nPuntos muestrales\t2\nSuma\t7.5\nSuma ");
    EXPECT_NE(texto.find("\nn\t2\nPuntos muestrales\t2\nSuma\t10\n"), std::string::npos) << texto;
    EXPECT_EQ(Ejecutar("printf '4\\n6*\\n'"), std::make_pair(texto.substr(0, texto.find("\nn\t") + 1) + "\"*\" no puede estar al final\n", 1));
}

}  // namespace
}  // namespace numbrix
