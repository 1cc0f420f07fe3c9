#pragma once
// Runs numbrix-cli (or any shell command) as a user would and keeps what it
// printed and how it ended.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace numbrix::prueba {

struct SalidaOrden {
    std::string texto;
    int estado = -1;
};

// The program under test: NUMBRIX_CLI, else the one on the path.
inline std::string RutaCli() {
    const char* cli = std::getenv("NUMBRIX_CLI");
    return cli ? cli : "numbrix-cli";
}

// `orden` through the shell: its standard output and exit status.
inline SalidaOrden EjecutarOrden(const std::string& orden) {
    SalidaOrden s;
    FILE* f = popen(orden.c_str(), "r");
    if (!f) return s;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), buf.size(), f)) s.texto += buf.data();
    const int st = pclose(f);
    s.estado = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return s;
}

}  // namespace numbrix::prueba
