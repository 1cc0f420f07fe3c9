// numbrix-pack img: the picture archive from a folder and back.
//   numbrix-pack img CARPETA SALIDA [--password P] [--lh5]
//   numbrix-pack img --list ARCHIVO [--password P]
//   numbrix-pack img --extract ARCHIVO CARPETA [--password P]
//   numbrix-pack lh5 ENTRADA SALIDA   (the bare lh5 stream of a file)
// Items are the folder's files, named by their file names, in byte order of
// the names, so the same folder always gives the same bytes.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "CodificadorLh5.h"
#include "support/EscrituraAtomica.h"
#include "support/Errores.h"
#include "support/Streams.h"
#include "support/basicos.h"

namespace fs = std::filesystem;
using namespace numbrix;

namespace {

int Uso() {
    std::fputs("Uso: numbrix-pack img CARPETA SALIDA [--password P] [--lh5]\n"
               "     numbrix-pack img --list ARCHIVO [--password P]\n"
               "     numbrix-pack img --extract ARCHIVO CARPETA [--password P]\n"
               "     numbrix-pack lh5 ENTRADA SALIDA\n",
               stderr);
    return 2;
}

int Empaquetar(const fs::path& carpeta, const fs::path& salida, const std::string& password, bool lh5) {
    std::vector<fs::path> rutas;
    for (const auto& e : fs::directory_iterator(carpeta))
        if (e.is_regular_file()) rutas.push_back(e.path());
    std::sort(rutas.begin(), rutas.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
    std::vector<ItemArchivo> items;
    for (const auto& r : rutas) {
        ItemArchivo it{r.filename().string(), {}};
        std::string error;
        if (!LeerArchivoEntero(r, it.Datos, &error)) {
            std::fprintf(stderr, "numbrix-pack: %s: %s\n", r.c_str(), error.c_str());
            return 1;
        }
        items.push_back(std::move(it));
    }
    EscribirArchivoAtomico(salida, EscribirArchivoImagenes(items, password, lh5 ? &ComprimirLh5 : nullptr));
    return 0;
}

int Leer(const fs::path& archivo, const fs::path* destino, const std::string& password) {
    TStreams s;
    s.Password = password;
    s.Cargar(archivo);
    if (destino) fs::create_directories(*destino);
    for (std::size_t i = 0; i < s.Cantidad(); ++i) {
        const std::string nombre = s.Nombre(i);
        std::string datos;
        s.ObtenerItem(nombre, datos);
        if (!destino) {
            std::printf("%s\t%zu\n", nombre.c_str(), datos.size());
            continue;
        }
        // An item name is a file name, never a path out of the folder.
        if (nombre.empty() || nombre == "." || nombre == ".." || nombre.find('/') != std::string::npos ||
            nombre.find('\0') != std::string::npos) {
            std::fprintf(stderr, "numbrix-pack: se omite el elemento «%s»: no es un nombre de archivo\n",
                         nombre.c_str());
            continue;
        }
        EscribirArchivoAtomico(*destino / nombre, datos);
    }
    return 0;
}

}  // namespace

int ComandoImg(int argc, char** argv) {
    std::vector<std::string> pos;
    std::string password;
    bool lh5 = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--password" && i + 1 < argc) password = argv[++i];
        else if (a == "--lh5") lh5 = true;
        else pos.emplace_back(a);
    }
    try {
        if (pos.size() == 2 && pos[0] == "--list") return Leer(pos[1], nullptr, password);
        if (pos.size() == 3 && pos[0] == "--extract") {
            const fs::path destino = pos[2];
            return Leer(pos[1], &destino, password);
        }
        if (pos.size() == 2 && pos[0].rfind("--", 0) != 0) return Empaquetar(pos[0], pos[1], password, lh5);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "numbrix-pack: %s\n", e.what());
        return 1;
    }
    return Uso();
}

int ComandoLh5(int argc, char** argv) {
    if (argc != 2) return Uso();
    std::string datos, error;
    if (!LeerArchivoEntero(argv[0], datos, &error)) {
        std::fprintf(stderr, "numbrix-pack: %s: %s\n", argv[0], error.c_str());
        return 1;
    }
    EscribirArchivoAtomico(argv[1], ComprimirLh5(datos));
    return 0;
}
