#pragma once
// Command-line options of numbrix-cli, parsed without side effects so the
// parser is tested on its own.
#include <map>
#include <string>
#include <vector>

namespace numbrix {

struct OpcionesCli {
    int angulo = 0;             // -a
    int base = 10;              // -b
    int digitos = 100;          // -d: 100 floating, else 0, 2, ..., 16
    int notacion = 0;           // -n
    bool agrupar = false;       // -g
    std::map<char, std::string> respuestas;  // --var NAME=EXPR
    std::vector<std::string> expresiones;    // none: read standard input
    bool ayuda = false;
    std::string error;          // bad usage: the message (exit status 2)
};

OpcionesCli LeerOpciones(const std::vector<std::string>& args);
std::string TextoAyuda();

}  // namespace numbrix
