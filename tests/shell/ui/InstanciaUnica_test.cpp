// One desktop program per data folder: a second start calls the first, a
// --save from the command line waits for no one and refuses, and the lock of
// a killed program is taken over.
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"
#include "Orden.h"
#include "shell/ui/InstanciaUnica.h"
#include "support/BloqueoDatos.h"

using namespace numbrix;

namespace {

using Salida = prueba::SalidaOrden;

// numbrix-cli --save in `carpeta`, its standard error read.
Salida GuardarDesdeCli(const std::filesystem::path& carpeta) {
    return prueba::EjecutarOrden(prueba::RutaCli() + " --data '" + carpeta.string() + "' --save 1+1 2>&1 >/dev/null");
}

// A process that has ended and is not reaped yet (a zombie, as a killed
// program is until its parent waits for it).
pid_t PidMuerto() {
    const pid_t p = fork();
    if (p == 0) _exit(0);
    siginfo_t info{};
    waitid(P_PID, static_cast<id_t>(p), &info, WEXITED | WNOWAIT);
    return p;
}

class InstanciaUnica : public CarpetaTemporal {};

TEST_F(InstanciaUnica, SegundoInicioLlamaAlPrimero) {
    prueba::AplicacionQt();
    TInstanciaUnica primera(dir_);
    ASSERT_TRUE(primera.Tomar());
    bool llamada = false;
    primera.AlLlamar([&] { llamada = true; });
    TInstanciaUnica segunda(dir_);
    EXPECT_FALSE(segunda.Tomar());
    for (int i = 0; i < 1000 && !llamada; ++i) {
        QCoreApplication::processEvents();
        usleep(2000);
    }
    EXPECT_TRUE(llamada);
}

TEST_F(InstanciaUnica, GuardarDesdeCliEsperaAlCierre) {
    prueba::AplicacionQt();
    {
        TInstanciaUnica abierta(dir_);
        ASSERT_TRUE(abierta.Tomar());
        const Salida s = GuardarDesdeCli(dir_);
        EXPECT_EQ(s.estado, 1);
        EXPECT_NE(s.texto.find(kMensajeBloqueo), std::string::npos) << s.texto;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "numbrix.ini"));
    }
    EXPECT_EQ(GuardarDesdeCli(dir_).estado, 0);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "numbrix.ini"));
}

TEST_F(InstanciaUnica, BloqueoDeProgramaMuertoSeToma) {
    prueba::AplicacionQt();
    char maquina[256] = {};
    gethostname(maquina, sizeof maquina - 1);
    const pid_t muerto = PidMuerto();
    // Its name is the lock's program: only its being dead makes the lock stale.
    const std::string nombre = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    Poner(dir_ / kArchivoBloqueo, std::to_string(muerto) + "\n" + nombre + "\n" + maquina + "\n");
    EXPECT_EQ(GuardarDesdeCli(dir_).estado, 0);
    TInstanciaUnica nueva(dir_);
    EXPECT_TRUE(nueva.Tomar());
    EXPECT_TRUE(CarpetaBloqueada(dir_));
    waitpid(muerto, nullptr, 0);
}

}  // namespace
