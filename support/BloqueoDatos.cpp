#include "support/BloqueoDatos.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <sstream>

namespace numbrix {

namespace {

std::string NombreMaquina() {
    char nombre[HOST_NAME_MAX + 1] = {};
    if (::gethostname(nombre, sizeof nombre - 1) != 0) return {};
    return nombre;
}

// The running program's name as the lock's writer records it: the name of
// its executable. Empty when it cannot be told.
std::string NombreProceso(long pid) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec);
    if (!ec) return exe.filename().string();
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string nombre;
    std::getline(comm, nombre);
    return nombre;
}

// A killed program stays a zombie until its parent reaps it: gone all the same.
bool Terminado(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string linea;
    if (!std::getline(stat, linea)) return false;
    const auto fin = linea.rfind(')');
    return fin != std::string::npos && fin + 2 < linea.size() && (linea[fin + 2] == 'Z' || linea[fin + 2] == 'X');
}

}  // namespace

bool BloqueoVigente(const std::string& contenido) {
    std::istringstream lineas(contenido);
    std::string pidTexto, programa, maquina;
    std::getline(lineas, pidTexto);
    std::getline(lineas, programa);
    std::getline(lineas, maquina);
    long pid = 0;
    try {
        std::size_t usados = 0;
        pid = std::stol(pidTexto, &usados);
        if (usados != pidTexto.size()) return false;
    } catch (const std::exception&) {
        return false;
    }
    if (pid <= 0) return false;
    // Another machine's program (a shared home folder): it cannot be asked,
    // so it is trusted to be running, as the desktop program does.
    if (!maquina.empty() && maquina != NombreMaquina()) return true;
    if ((::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) || Terminado(pid)) return false;
    // The PID may have been given to another program since a kill.
    const std::string ahora = NombreProceso(pid);
    if (programa.empty() || ahora.empty()) return true;
    // /proc/PID/comm keeps only 15 characters.
    return ahora == programa || (ahora.size() == 15 && programa.rfind(ahora, 0) == 0);
}

bool CarpetaBloqueada(const std::filesystem::path& carpeta) {
    std::ifstream archivo(carpeta / kArchivoBloqueo, std::ios::binary);
    if (!archivo) return false;
    std::string contenido((std::istreambuf_iterator<char>(archivo)), std::istreambuf_iterator<char>());
    return BloqueoVigente(contenido);
}

}  // namespace numbrix
