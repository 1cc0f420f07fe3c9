// Every file kind × every way a write can fail half-way: the old file stays
// byte for byte, no temporary remains, the user reads the writer's message
// (never a success), and the same save works once the fault is gone.
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <utility>

#include "CarpetaTemporal.h"
#include "cli/EjecutarCli.h"
#include "robustez/Tipos.h"
#include "support/EscrituraAtomica.h"

namespace numbrix {
namespace {

enum class Falla { SinEspacioALaMitad, EioAlVolcar, EioAlCerrar, EaccesAlRenombrar };

bool mitadEscrita = false;

// Replaces one step of the writer while alive.
struct Inyectar {
    explicit Inyectar(Falla f) {
        mitadEscrita = false;
        PasosEscritura& p = PasosDeEscritura();
        switch (f) {
            case Falla::SinEspacioALaMitad:
                p.Escribir = [](int fd, const void* d, std::size_t n) -> long {
                    if (!mitadEscrita && n > 1) {
                        mitadEscrita = true;
                        return ::write(fd, d, n / 2);
                    }
                    errno = ENOSPC;
                    return -1;
                };
                break;
            case Falla::EioAlVolcar: p.Volcar = [](int) { return errno = EIO, -1; }; break;
            case Falla::EioAlCerrar: p.Cerrar = [](int fd) { return ::close(fd), errno = EIO, -1; }; break;
            case Falla::EaccesAlRenombrar: p.Renombrar = [](const char*, const char*) { return errno = EACCES, -1; }; break;
        }
    }
    ~Inyectar() { PasosDeEscritura() = PasosEscritura{}; }
};

// numbrix-cli --save, run as main() runs it: the message is what standard
// error says when the exit status reports the failure.
std::string GuardarCli(const std::filesystem::path& c, int v) {
    std::istringstream entrada;
    std::ostringstream salida, errores;
    const std::vector<std::string> args{"--data", (c / "cli").string(), "--save", v ? "2+2" : "1+1"};
    return EjecutarCli(RegistroEstandar(), args, entrada, salida, errores) == 0 ? std::string() : errores.str();
}

class EscrituraFallida : public CarpetaTemporal {};

TEST_F(EscrituraFallida, CadaTipoConservaElArchivoAnterior) {
    auto tipos = prueba::TiposArchivo();
    tipos.push_back({"cli/numbrix.ini", GuardarCli});
    for (const auto& tipo : tipos) {
        // Each with the system's reason, said in Spanish whatever the locale.
        for (auto [f, motivo] : {std::pair{Falla::SinEspacioALaMitad, "(no queda espacio en el disco)"},
                                 std::pair{Falla::EioAlVolcar, "(error de entrada/salida del dispositivo)"},
                                 std::pair{Falla::EioAlCerrar, "(error de entrada/salida del dispositivo)"},
                                 std::pair{Falla::EaccesAlRenombrar, "(permiso denegado)"}}) {
            SCOPED_TRACE(std::string(tipo.nombre) + " falla " + std::to_string(static_cast<int>(f)));
            const auto carpeta = dir_ / (std::string(tipo.nombre) + std::to_string(static_cast<int>(f)));
            std::filesystem::create_directories(carpeta);
            ASSERT_EQ(tipo.guardar(carpeta, 0), "");
            const std::string anterior = Leer(carpeta / tipo.nombre);
            std::string mensaje;
            {
                Inyectar falla(f);
                mensaje = tipo.guardar(carpeta, 1);
            }
            EXPECT_NE(mensaje.find("El archivo anterior no se ha modificado."), std::string::npos) << mensaje;
            EXPECT_NE(mensaje.find(motivo), std::string::npos) << mensaje;
            EXPECT_TRUE(Leer(carpeta / tipo.nombre) == anterior);
            EXPECT_EQ(prueba::Temporales(carpeta), std::vector<std::string>{});
            EXPECT_EQ(tipo.guardar(carpeta, 1), "");
            EXPECT_FALSE(Leer(carpeta / tipo.nombre) == anterior);
        }
    }
}

}  // namespace
}  // namespace numbrix
