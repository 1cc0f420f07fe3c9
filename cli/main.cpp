// numbrix-cli: evaluates expressions exactly as the result box of the main
// window (or of the fraction or complex window, with -m) would show them,
// for scripting and for the tests.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ModosCli.h"
#include "cli/OpcionesCli.h"
#include "shell/Sesion.h"
#ifdef NUMBRIX_CON_DIBUJO
#include "cli/RenderCli.h"
#endif

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
#ifndef NUMBRIX_CON_DIBUJO
    if (!o.render.empty()) {
        std::fputs("numbrix-cli: --render no está disponible: esta compilación no incluye la interfaz gráfica.\n",
                   stderr);
        return 2;
    }
#endif
    EvaluadorCli evaluador = CrearEvaluador(o);
    for (const auto& l : evaluador.Informe) std::fprintf(stderr, "numbrix-cli: %s\n", l.c_str());
    bool fallo = false;
    std::string ultima;
    auto evaluar = [&](const std::string& e) {
        LineaCli r = evaluador(e);
        fallo = fallo || r.error;
        if (!e.empty()) ultima = e;
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
    if (o.guardar) {
        std::string error = evaluador.Guardar();
        if (!error.empty()) {
            std::fprintf(stderr, "numbrix-cli: no se pudo guardar: %s\n", error.c_str());
            fallo = true;
        }
    }
#ifdef NUMBRIX_CON_DIBUJO
    if (!o.render.empty()) {
        std::string error;
        std::function<void(TExpresionX&)> preparar;
        if (evaluador.Sesion) preparar = [&](TExpresionX& e) { evaluador.Sesion->RegistrarNombresEn(e); };
        int r = RenderizarExpresion(ultima, o.render, o.renderTam, error, preparar);
        if (r != 0) {
            std::fprintf(stderr, "numbrix-cli: %s\n", error.c_str());
            return r;
        }
    }
#endif
    return fallo ? 1 : 0;
}
