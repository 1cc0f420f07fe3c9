// Runs every committed corpus file once through its harness:
//   numbrix_fuzz_repeticion CORPUS_DIR [HARNESS...]
// Each harness has its folder CORPUS_DIR/NAME; a harness without inputs is
// a failure, so a new harness can't go unrun.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Arnes.h"

namespace numbrix::fuzz {

namespace {
std::map<std::string, FuncionArnes>& Arneses() {
    static std::map<std::string, FuncionArnes> a;
    return a;
}
}  // namespace

RegistroArnes::RegistroArnes(const char* nombre, FuncionArnes funcion) { Arneses()[nombre] = funcion; }

}  // namespace numbrix::fuzz

int main(int argc, char** argv) {
    using namespace numbrix::fuzz;
    if (argc < 2) {
        std::fprintf(stderr, "uso: %s CARPETA_CORPUS [ARNES...]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path corpus = argv[1];
    std::vector<std::string> elegidos(argv + 2, argv + argc);
    int fallos = 0;
    for (const auto& [nombre, arnes] : Arneses()) {
        if (!elegidos.empty() && std::find(elegidos.begin(), elegidos.end(), nombre) == elegidos.end()) continue;
        std::vector<std::filesystem::path> archivos;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(corpus / nombre, ec))
            if (e.is_regular_file()) archivos.push_back(e.path());
        std::sort(archivos.begin(), archivos.end());
        if (archivos.empty()) {
            std::fprintf(stderr, "%s: sin entradas en %s\n", nombre.c_str(), (corpus / nombre).c_str());
            ++fallos;
            continue;
        }
        for (const auto& a : archivos) {
            std::ifstream f(a, std::ios::binary);
            std::stringstream s;
            s << f.rdbuf();
            const std::string datos = s.str();
            arnes(datos);
        }
        std::printf("%s: %zu entradas\n", nombre.c_str(), archivos.size());
    }
    return fallos ? 1 : 0;
}
