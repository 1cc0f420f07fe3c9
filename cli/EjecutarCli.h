#pragma once
// A whole numbrix-cli run, apart from main() so the tests run it in process
// with a registry of their own (a fake tool).
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/OpcionesCli.h"

namespace numbrix {

// Parses `args` with `registro`, evaluates the expressions and runs the tool
// options in command-line order, writing to `salida` (flushed line by line)
// and `errores`; reads `entrada` only when there is neither an expression nor
// a tool option. `cancelar` is the cancel poll (Ctrl+C, SIGTERM). Returns the
// exit status: 0, 1 (an expression or a tool failed, the run was cancelled
// or --save failed) or 2 (bad usage).
int EjecutarCli(const RegistroCli& registro, const std::vector<std::string>& args, std::istream& entrada,
                std::ostream& salida, std::ostream& errores, const std::function<bool()>& cancelar = {});

// --render: runs numbrix-render, the program beside this one that links the
// windows' drawing (numbrix-cli itself links no Qt). `nombres`: register the
// real session's names, read from `carpeta` (none: the built-ins only).
// Returns its exit status; a message for standard error in `error`.
int DibujarFuera(const std::string& expresion, const std::string& archivo, int tam, bool nombres,
                 const std::string& carpeta, std::string& error);
// "" when --render can run here, or why it cannot.
std::string DibujoDisponible();

}  // namespace numbrix
