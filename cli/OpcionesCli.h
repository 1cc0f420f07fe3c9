#pragma once
// Command-line options of numbrix-cli, parsed without side effects so the
// parser is tested on its own.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/bases2_36.h"
#include "support/angulos.h"

namespace numbrix {

// The engine numbrix-cli evaluates with (-m).
enum class ModoCli { Real, Racional, Complejo };

struct OpcionesCli {
    ModoCli modo = ModoCli::Real;  // -m
    std::uint32_t maxDen = 1000;   // --maxden: decimals to fractions (rational mode)
    bool mixto = false;            // --mixed: "3 | 1 | 2" (rational mode)
    UnidadAngulo angulo = Radianes;          // -a (real and complex modes)
    BaseNumeracion base = BaseDecimal;       // -b
    DigitosResultado digitos = DigitosFlotante;  // -d
    NotacionNumero notacion = NotacionGeneral;   // -n
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
