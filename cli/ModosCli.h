#pragma once
// numbrix-cli's evaluation of one line in the mode chosen with -m: the real
// calculator session, or the fraction or complex window's session, each set
// up from the options and answering prompt variables from --var.
#include <functional>
#include <string>

#include "cli/OpcionesCli.h"

namespace numbrix {

struct LineaCli {
    std::string texto;  // exactly what the mode's result box shows (empty line: nothing evaluated)
    bool error = false;
};

using EvaluadorCli = std::function<LineaCli(const std::string& expresion)>;

// One evaluator per run: its session keeps state between lines (Rst in the
// real mode, the prompts' last answers).
EvaluadorCli CrearEvaluador(const OpcionesCli& o);

}  // namespace numbrix
