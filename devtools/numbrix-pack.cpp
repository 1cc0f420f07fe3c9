// Scrambles and unscrambles the keyed data files the program ships, so their
// plain sources can live in the repository:
//   numbrix-pack scramble   --key datos|formulas IN OUT
//   numbrix-pack unscramble --key datos|formulas IN OUT
//   numbrix-pack img ...  (picture archives, ImagenesPack.cpp)
//   numbrix-pack lh5 IN OUT  (a raw lh5 stream, for test fixtures)
// The scrambling is its own inverse, so both commands do the same; they are
// named apart only to check the result's shape (a keyed file must not open
// with a section, a plain one must).
#include <cstdio>
#include <string>
#include <string_view>

#include "shell/VelIni.h"
#include "support/ClavesArchivos.h"
#include "support/EscrituraAtomica.h"
#include "support/Errores.h"
#include "support/basicos.h"

namespace {

int Uso() {
    std::fputs("Uso: numbrix-pack scramble|unscramble --key datos|formulas ENTRADA SALIDA\n", stderr);
    return 2;
}

bool AbreConSeccion(std::string_view texto) {
    if (texto.substr(0, 3) == "\xEF\xBB\xBF") texto.remove_prefix(3);
    return !texto.empty() && texto.front() == '[';
}

}  // namespace

int ComandoImg(int argc, char** argv);
int ComandoLh5(int argc, char** argv);

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == "img") return ComandoImg(argc - 2, argv + 2);
    if (argc >= 2 && std::string_view(argv[1]) == "lh5") return ComandoLh5(argc - 2, argv + 2);
    if (argc != 6 || std::string_view(argv[2]) != "--key") return Uso();
    const std::string_view orden = argv[1], nombreClave = argv[3];
    if (orden != "scramble" && orden != "unscramble") return Uso();
    std::string_view clave;
    if (nombreClave == "datos") clave = numbrix::kClaveDatos;
    else if (nombreClave == "formulas") clave = numbrix::kClaveFormulas;
    else return Uso();

    std::string bytes, error;
    if (!numbrix::LeerArchivoEntero(argv[4], bytes, &error)) {
        std::fprintf(stderr, "numbrix-pack: %s: %s\n", argv[4], error.c_str());
        return 1;
    }
    const bool entradaPlana = AbreConSeccion(bytes);
    numbrix::TVelIniFile::Mezclar(bytes, clave);
    // Scrambling a file twice, or unscrambling with the wrong key, gives
    // garbage that would otherwise be shipped or edited unnoticed.
    if (orden == "scramble" && !entradaPlana) {
        std::fprintf(stderr, "numbrix-pack: %s no empieza con una sección: ¿ya estaba mezclado?\n", argv[4]);
        return 1;
    }
    if (orden == "unscramble" && !AbreConSeccion(bytes)) {
        std::fprintf(stderr, "numbrix-pack: %s no da un texto con secciones con la clave «%s»\n", argv[4],
                     argv[3]);
        return 1;
    }
    try {
        numbrix::EscribirArchivoAtomico(argv[5], bytes);
    } catch (const numbrix::ENumbrix& e) {
        std::fprintf(stderr, "numbrix-pack: %s\n", e.what());
        return 1;
    }
    return 0;
}
