// numbrix-cli: evaluates expressions exactly as the result box of the main
// window (or of the fraction or complex window, with -m) would show them,
// and runs the tools' options, for scripting and for the tests. It links no
// Qt: --render runs numbrix-render.
#include <signal.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/EjecutarCli.h"

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

}  // namespace

int main(int argc, char** argv) {
    InstalarSenales();
    return EjecutarCli(RegistroEstandar(), std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                       std::cerr, [] { return interrumpido != 0; });
}
