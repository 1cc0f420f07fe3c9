// numbrix-cli: evaluates expressions exactly as the result box of the main
// window (or of the fraction or complex window, with -m) would show them,
// for scripting and for the tests.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ModosCli.h"
#include "cli/OpcionesCli.h"

using namespace numbrix;

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    OpcionesCli o = LeerOpciones(args);
    if (!o.error.empty()) {
        std::fprintf(stderr, "numbrix-cli: %s\nPruebe «numbrix-cli --help».\n", o.error.c_str());
        return 2;
    }
    if (o.ayuda) {
        std::fputs(TextoAyuda().c_str(), stdout);
        return 0;
    }
    EvaluadorCli evaluador = CrearEvaluador(o);
    bool fallo = false;
    auto evaluar = [&](const std::string& e) {
        LineaCli r = evaluador(e);
        fallo = fallo || r.error;
        std::fwrite(r.texto.data(), 1, r.texto.size(), stdout);
        std::fputc('\n', stdout);
    };
    if (!o.expresiones.empty()) {
        for (const auto& e : o.expresiones) evaluar(e);
    } else {
        std::string linea;
        while (std::getline(std::cin, linea)) {
            if (!linea.empty() && linea.back() == '\r') linea.pop_back();
            evaluar(linea);
            std::fflush(stdout);
        }
    }
    return fallo ? 1 : 0;
}
