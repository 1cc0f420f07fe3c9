#include "Arnes.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace numbrix::fuzz {

void Fallo(const char* que) {
    std::fprintf(stderr, "invariante rota: %s\n", que);
    std::abort();
}

namespace {

// A folder of this process's own, removed at exit.
struct CarpetaProceso {
    // In memory when the system has it: the atomic writes' fsync would
    // otherwise bound the fuzzing speed.
    std::filesystem::path ruta = (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                             : std::filesystem::temp_directory_path()) /
                                 ("numbrix-fuzz-" + std::to_string(::getpid()));
    CarpetaProceso() { std::filesystem::create_directories(ruta); }
    ~CarpetaProceso() {
        std::error_code ec;
        std::filesystem::remove_all(ruta, ec);
    }
};

}  // namespace

std::filesystem::path ComoArchivo(std::string_view entrada, const char* nombre) {
    static CarpetaProceso carpeta;
    const auto ruta = carpeta.ruta / nombre;
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    f.write(entrada.data(), static_cast<std::streamsize>(entrada.size()));
    return ruta;
}

}  // namespace numbrix::fuzz
