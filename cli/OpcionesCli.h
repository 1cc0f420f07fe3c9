#pragma once
// Command-line options of numbrix-cli, parsed without side effects so the
// parser is tested on its own. Every option, the program's own and each
// tool's, is one entry of a RegistroCli: the parser, --help and the README's
// table are all read from it.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "engine/bases2_36.h"
#include "support/angulos.h"

namespace numbrix {

// The engine numbrix-cli evaluates with (-m).
enum class ModoCli { Real, Racional, Complejo };

struct OpcionesCli;

// What a tool option prints. The convention every tool follows:
//  - Lineas: exactly the lines the tool's window shows for that action (the
//    memo's lines in order, or the result box's text), on standard output;
//  - Mensaje: what the window would show in a message box, one line alone on
//    standard output, and the run's exit status is 1 (as a failed expression);
//  - Uso: bad usage found only while running, one line on standard error,
//    and the run stops with exit status 2.
// A tool reads standard input only where it documents that it does.
struct SalidaAccion {
    enum Estado { Lineas = 0, Mensaje = 1, Uso = 2 } estado = Lineas;
    std::vector<std::string> lineas;
    // Lineas only: some line is a failure's message (one operand of several
    // failed, as a failed expression does), so the run's exit status is 1.
    bool fallo = false;
};

struct ContextoAccion {
    const OpcionesCli& opciones;          // the whole command line's settings (-a, -m, ...)
    const std::vector<std::string>& operandos;  // one argument each
    const std::function<bool()>& cancelar;      // Ctrl+C or SIGTERM: stop at the next poll
    std::istream& entrada;  // the run's standard input, for the tools that read it
};

// One option. A setting (`Fijar`) takes no value or one; a tool option
// (`Accion`) takes the arguments after it, up to the next option, as its
// operands, and runs in command-line order among the expressions.
struct OpcionCli {
    char corto = 0;        // 'm' for -m; 0: none
    std::string largo;     // "--mode"
    std::string valor;     // what the value or the operands look like in the help; empty: none
    std::string ayuda;     // Spanish, one line or several ('\n')
    // A setting: stores `valor` (empty for one without a value); returns ""
    // or the bad-usage message.
    std::function<std::string(OpcionesCli&, const std::string& valor)> Fijar;
    // A tool option: the operand counts, an optional check of the operands
    // before anything runs ("" or the bad-usage message, such as an unknown
    // operation), and the action.
    int minOperandos = 0, maxOperandos = 0;
    std::function<std::string(const std::vector<std::string>&)> Comprobar;
    std::function<SalidaAccion(const ContextoAccion&)> Accion;
};

class RegistroCli {
public:
    // The one registration point, for the program's options and the tools'.
    void Agregar(OpcionCli opcion) { opciones_.push_back(std::move(opcion)); }
    const std::vector<OpcionCli>& Opciones() const { return opciones_; }
    const OpcionCli* Buscar(const std::string& nombre) const;

private:
    std::vector<OpcionCli> opciones_;
};

// numbrix-cli's own options, then every tool's (cli/HerramientasCli.cpp).
const RegistroCli& RegistroEstandar();
// Each tool with options adds them here, one call a tool.
void RegistrarHerramientasCli(RegistroCli& registro);

// A tool option as the command line asked for it: it runs after the first
// `antesDe` expressions.
struct AccionPedida {
    std::string nombre;
    std::vector<std::string> operandos;
    std::size_t antesDe = 0;
    std::function<SalidaAccion(const ContextoAccion&)> Accion;
};

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
    std::vector<std::string> expresiones;    // none, and no tool option: read standard input
    std::vector<AccionPedida> acciones;      // tool options, in order
    std::string data;           // --data DIR: the data folder (none: the usual one)
    bool guardar = false;       // --save: write memories, list, history and settings back
    std::string render;         // --render FILE: the last expression's picture
    int renderTam = 20;         // --render-size N, 1..255
    bool ayuda = false;
    int mmr = -1;               // --mmr on|off: formulas for this run only; -1 the data folder's "MMR"
    std::vector<std::string> valoresFormula;   // --value S=V[@unit], for --formula
    std::vector<std::string> unidadesFormula;  // --unit S=unit
    std::string incognitaFormula;              // --unknown S
    std::string error;          // bad usage: the message (exit status 2)
};

OpcionesCli LeerOpciones(const RegistroCli& registro, const std::vector<std::string>& args);
inline OpcionesCli LeerOpciones(const std::vector<std::string>& args) {
    return LeerOpciones(RegistroEstandar(), args);
}
std::string TextoAyuda(const RegistroCli& registro = RegistroEstandar());
// The README's table of options, in Markdown.
std::string TablaMarkdown(const RegistroCli& registro = RegistroEstandar());
// Puts `tabla` in place of the table between the README's two marks
// (returning the old one in `anterior`); false when a mark is missing.
bool SustituirTablaReadme(std::string& readme, const std::string& tabla, std::string* anterior = nullptr);

}  // namespace numbrix
