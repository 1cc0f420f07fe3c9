#pragma once
// numbrix-cli's evaluation of one line in the mode chosen with -m: the real
// calculator session, or the fraction or complex window's session, each set
// up from the options and answering prompt variables from --var.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/OpcionesCli.h"

namespace numbrix {

struct LineaCli {
    std::string texto;  // exactly what the mode's result box shows (empty line: nothing evaluated)
    bool error = false;
    bool cancelado = false;  // ended by a cancel (Ctrl+C, SIGTERM, a prompt nobody answers)
};

class TSesion;

// One evaluator per run: its session keeps state between lines (Rst in the
// real mode, the prompts' last answers).
struct EvaluadorCli {
    std::function<LineaCli(const std::string& expresion)> Evaluar;
    LineaCli operator()(const std::string& expresion) const { return Evaluar(expresion); }
    // The real mode's session (memories, user definitions, the last tree);
    // null in the other modes.
    std::shared_ptr<TSesion> Sesion;
    // What the data folder could not give (for standard error).
    std::vector<std::string> Informe;
    // --save: writes the session back to its data folder; "" or the reason
    // it could not (the only report of that failure).
    std::string Guardar() const;
};

// `cancelar` is the engines' cancel poll: true cancels the line being
// evaluated.
EvaluadorCli CrearEvaluador(const OpcionesCli& o, const std::function<bool()>& cancelar = {});

}  // namespace numbrix
