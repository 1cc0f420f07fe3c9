#pragma once
// Command-line options of numbrix-cli, parsed without side effects so the
// parser is tested on its own.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace numbrix {

// The engine numbrix-cli evaluates with (-m).
enum class ModoCli { Real, Racional, Complejo };

struct OpcionesCli {
    ModoCli modo = ModoCli::Real;  // -m
    std::uint32_t maxDen = 1000;   // --maxden: decimals to fractions (rational mode)
    bool mixto = false;            // --mixed: "3 | 1 | 2" (rational mode)
    int angulo = 0;             // -a (real and complex modes)
    int base = 10;              // -b
    int digitos = 100;          // -d: 100 floating, else 0, 2, ..., 16
    int notacion = 0;           // -n
    bool agrupar = false;       // -g
    std::map<char, std::string> respuestas;  // --var NAME=EXPR (w, x, y, z in the other modes)
    std::vector<std::string> expresiones;    // none: read standard input
    std::string data;           // --data DIR: the data folder (none: the usual one)
    bool guardar = false;       // --save: write memories, list, history and settings back
    std::string render;         // --render FILE: the last expression's picture
    int renderTam = 20;         // --render-size N, 1..255
    bool ayuda = false;
    std::string error;          // bad usage: the message (exit status 2)
};

OpcionesCli LeerOpciones(const std::vector<std::string>& args);
std::string TextoAyuda();

}  // namespace numbrix
