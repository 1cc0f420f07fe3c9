// numbrix-cli's options as the README's Markdown table, made from the same
// registry as --help.
//   tabla_opciones_cli               prints the table
//   tabla_opciones_cli README.md     rewrites the table between its markers
#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/OpcionesCli.h"

int main(int argc, char** argv) {
    const std::string tabla = numbrix::TablaMarkdown();
    if (argc < 2) {
        std::fputs(tabla.c_str(), stdout);
        return 0;
    }
    std::stringstream texto;
    texto << std::ifstream(argv[1]).rdbuf();
    std::string nuevo = texto.str();
    if (!numbrix::SustituirTablaReadme(nuevo, tabla)) {
        std::fprintf(stderr, "%s: no tiene las marcas de la tabla de opciones\n", argv[1]);
        return 1;
    }
    std::ofstream(argv[1]) << nuevo;
    return 0;
}
