// A child saves one kind of file over and over through the program's own
// save code; the parent kills it with SIGKILL at random moments. Each time
// the file is the complete old or the complete new version, and the
// start-up cleanup leaves no temporary file behind.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>

#include "CarpetaTemporal.h"
#include "robustez/Tipos.h"
#include "support/EscrituraAtomica.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;
using Reloj = std::chrono::steady_clock;

constexpr int kMuertes = 200;

class Matar : public CarpetaTemporal, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(Matar, QuedaLaVersionViejaOLaNueva) {
    const prueba::TipoArchivo& tipo = prueba::TiposArchivo()[GetParam()];
    const fs::path archivo = dir_ / tipo.nombre;
    const auto inicio = Reloj::now();
    ASSERT_EQ(tipo.guardar(dir_, 1), "");
    const std::string nueva = Leer(archivo);
    const auto antes = Reloj::now();
    ASSERT_EQ(tipo.guardar(dir_, 0), "");
    const std::string vieja = Leer(archivo);
    // Kills spread over a few saves (the first one, warming up, counted), so
    // many land inside one.
    const auto unaVez = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::max(antes - inicio, Reloj::now() - antes)).count();
    const unsigned semilla = std::random_device{}();
    SCOPED_TRACE("semilla " + std::to_string(semilla));
    std::mt19937 azar(semilla);

    int cambios = 0;
    for (int k = 0; k < kMuertes; ++k) {
        const int actual = Leer(archivo) == nueva ? 1 : 0;
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            alarm(30);  // never outlives a parent that died
            for (int v = 1 - actual;; v = 1 - v) tipo.guardar(dir_, v);
        }
        usleep(static_cast<useconds_t>(azar() % (3 * unaVez + 1000)));
        kill(hijo, SIGKILL);
        waitpid(hijo, nullptr, 0);
        const std::string ahora = Leer(archivo);
        ASSERT_TRUE(ahora == vieja || ahora == nueva) << "muerte " << k << ": " << ahora.size() << " bytes";
        cambios += (ahora == nueva ? 1 : 0) != actual;
    }
    // The leftovers are aged past the cleanup's threshold, as at a later start.
    for (const auto& t : prueba::Temporales(dir_))
        fs::last_write_time(dir_ / t, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    BorrarTemporalesAbandonados(dir_);
    EXPECT_EQ(prueba::Temporales(dir_), std::vector<std::string>{});
    // Some saves must have completed, or the kills proved nothing.
    EXPECT_GT(cambios, 0);
    std::cout << "[ muertes ] " << tipo.nombre << ": " << kMuertes << " muertes, " << cambios << " cambios, "
              << std::chrono::duration<double>(Reloj::now() - inicio).count() << " s\n";
}

INSTANTIATE_TEST_SUITE_P(CadaTipo, Matar, ::testing::Range<std::size_t>(0, prueba::TiposArchivo().size()),
                         [](const auto& i) {
                             std::string n = prueba::TiposArchivo()[i.param].nombre;
                             for (char& c : n)
                                 if (c == '.') c = '_';
                             return n;
                         });

}  // namespace
}  // namespace numbrix
