// numbrix-cli: evaluates expressions exactly as the main window's result box
// would show them, for scripting and for the tests.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/OpcionesCli.h"
#include "shell/Sesion.h"

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
    TSesion s;
    s.SetAngulo(o.angulo);
    s.SetFormatoDigitos(o.digitos);
    s.Formato.Notacion = o.notacion;
    s.Formato.BaseDefecto = o.base;
    s.Formato.Agrupar = o.agrupar;
    // Prompt answers come from --var; one that fails fails its evaluation,
    // and a variable without an answer cancels it.
    s.Preguntar = [&o](char letra, const std::string&, const std::string& error) {
        RespuestaPregunta r;
        if (!error.empty()) {
            r.accion = RespuestaPregunta::Fallar;
            r.texto = error;
            return r;
        }
        auto it = o.respuestas.find(letra);
        if (it == o.respuestas.end()) return r;
        r.accion = RespuestaPregunta::Responder;
        r.texto = it->second;
        return r;
    };
    bool fallo = false;
    auto evaluar = [&](const std::string& e) {
        ResultadoEvaluacion r = s.Evaluar(e);
        fallo = fallo || r.error;
        const std::string& linea = r.texto;
        std::fwrite(linea.data(), 1, linea.size(), stdout);
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
