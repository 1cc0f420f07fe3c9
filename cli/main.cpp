// numbrix-cli: evaluates expressions exactly as the result box of the main
// window (or of the fraction or complex window, with -m) would show them,
// for scripting and for the tests.
#include <signal.h>

#include <csignal>
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

namespace {

// Set by Ctrl+C (SIGINT) or SIGTERM; the engines' cancel poll reads it.
volatile std::sig_atomic_t interrumpido = 0;

extern "C" void AlInterrumpir(int) { interrumpido = 1; }

void InstalarSenales() {
    struct sigaction sa {};
    sa.sa_handler = AlInterrumpir;
    sigemptyset(&sa.sa_mask);
    // No SA_RESTART: a read of standard input waiting for a line ends too.
    // SA_RESETHAND: a second Ctrl+C ends the program at once.
    sa.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

// Output is one line per expression: a line break inside a text must not
// make two of it.
std::string UnaLinea(std::string t) {
    for (char& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    return t;
}

void Informar(const std::string& mensaje) { std::fprintf(stderr, "numbrix-cli: %s\n", UnaLinea(mensaje).c_str()); }

}  // namespace

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
    InstalarSenales();
    EvaluadorCli evaluador = CrearEvaluador(o, [] { return interrumpido != 0; });
    for (const auto& l : evaluador.Informe) Informar(l);
    bool fallo = false;
    std::string ultima;
    // Returns false when the run must stop: the line was cancelled by Ctrl+C
    // or SIGTERM. The signal cancels the line being evaluated or, when it
    // comes between lines, the next one before it starts.
    auto evaluar = [&](const std::string& e) {
        LineaCli r = interrumpido ? LineaCli{Texto(Mensaje::CalculoCancelado), true, true} : evaluador(e);
        fallo = fallo || r.error;
        if (!e.empty()) ultima = e;
        const std::string texto = UnaLinea(r.texto);
        std::fwrite(texto.data(), 1, texto.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        return !(interrumpido && r.cancelado);
    };
    if (!o.expresiones.empty()) {
        for (const auto& e : o.expresiones)
            if (!evaluar(e)) break;
    } else {
        // A signal while waiting for a line ends the read (no SA_RESTART);
        // one that came between lines cancels the next line, as above.
        std::string linea;
        while (std::getline(std::cin, linea)) {
            if (!linea.empty() && linea.back() == '\r') linea.pop_back();
            if (!evaluar(linea)) break;
        }
    }
    // Ctrl+C or SIGTERM ends the run; what was evaluated before is still saved.
    if (interrumpido) fallo = true;
    if (o.guardar) {
        std::string error = evaluador.Guardar();
        if (!error.empty()) {
            Informar(error);
            fallo = true;
        }
    }
#ifdef NUMBRIX_CON_DIBUJO
    if (!o.render.empty() && !interrumpido) {
        std::string error;
        std::function<void(TExpresionX&)> preparar;
        if (evaluador.Sesion) preparar = [&](TExpresionX& e) { evaluador.Sesion->RegistrarNombresEn(e); };
        int r = RenderizarExpresion(ultima, o.render, o.renderTam, error, preparar);
        if (r != 0) {
            Informar(error);
            return r;
        }
    }
#endif
    return fallo ? 1 : 0;
}
