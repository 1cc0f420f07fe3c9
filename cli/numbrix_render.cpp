// numbrix-render: the formula pictures of numbrix-cli --render, a program of
// its own so that numbrix-cli links no Qt and starts without loading it.
//   numbrix-render [--nombres CARPETA] TAM ARCHIVO EXPRESION
// --nombres registers the real session's names (memories, Rst, the calculus
// functions, the user's definitions read from CARPETA; "" for none). The
// message of a failure goes alone to standard output, for numbrix-cli to
// report on its standard error; the exit status is RenderizarExpresion's.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/RenderCli.h"
#include "shell/Sesion.h"
#include "tools/Quim.h"

using namespace numbrix;

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::unique_ptr<TSesion> sesion;
    if (args.size() == 5 && args[0] == "--nombres") {
        sesion = std::make_unique<TSesion>();
        ConectarQuimica(*sesion);  // formulas drawn as numbrix-cli reads them (the folder's "MMR")
        // numbrix-cli has reported what the folder could not give already.
        if (!args[1].empty()) sesion->Abrir(args[1], ModoDatos::SoloLectura);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 3) {
        std::fputs("Uso: numbrix-render [--nombres CARPETA] TAM ARCHIVO EXPRESION\n", stderr);
        return 2;
    }
    const int tam = std::atoi(args[0].c_str());
    std::function<void(TExpresionX&)> preparar;
    if (sesion) preparar = [&](TExpresionX& e) { sesion->RegistrarNombresEn(e); };
    std::string error;
    const int r = RenderizarExpresion(args[2], args[1], tam, error, preparar);
    if (r != 0) std::printf("%s\n", error.c_str());
    return r;
}
