// numbrix-cli against the peers: the sieve's own program lists the same
// bytes, GNU factor finds the same factors. Skipped where a peer is missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "Orden.h"
#include "tools/Primo.h"

namespace numbrix {
namespace {

std::string Salida(const std::string& orden) { return prueba::EjecutarOrden(orden).texto; }

TEST(PrimosPares, ListaIgualQueLaCriba) {
    if (std::system("primesieve --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "sin primesieve";
    const std::string rango = "9223372036854675808 9223372036854775807";
    const std::string nuestra = Salida(prueba::RutaCli() + " --primes " + rango);
    EXPECT_GT(nuestra.size(), 2000u);
    EXPECT_EQ(nuestra, Salida("primesieve " + rango + " -p"));
}

TEST(PrimosPares, FactoresComoGnuFactor) {
    if (std::system("factor 6 >/dev/null 2>&1") != 0) GTEST_SKIP() << "sin factor";
    std::mt19937_64 g(63);
    std::string numeros;
    std::string esperado;
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t n = (g() >> 1) | (1ull << 62);
        numeros += " " + std::to_string(n);
        esperado += std::to_string(n) + ":";
        for (std::uint64_t f : FactoresPrimos(n)) esperado += " " + std::to_string(f);
        esperado += "\n";
    }
    EXPECT_EQ(Salida("factor" + numeros), esperado);
}

}  // namespace
}  // namespace numbrix
