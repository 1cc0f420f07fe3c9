#pragma once
// Failures as one vocabulary: the engines' error codes, the typed exceptions
// of the core and one table of the Spanish texts the user sees for them.
// Every such text is written once, in Errores.cpp; code that raises or
// reports a failure names it by its key.
#include <stdexcept>
#include <string>

namespace numbrix {

// The engines' error codes. Sintaxis (0) is a compilation that failed with
// the compiler's own message (an engine without error also holds 0; its
// HayError tells them apart); 11 to 15 are the arithmetic kinds; 18 and 20
// carry the failure's own message.
enum class CodigoError : int {
    Sintaxis = 0,
    FaltaExpresion = 10,
    DivisionCero = 11,
    Desbordamiento = 12,
    Subdesbordamiento = 13,
    ArgumentoInvalido = 14,
    OperacionInvalida = 15,
    Compilacion = 18,
    Evaluacion = 19,
    Mensaje = 20,
};

// Every code, for tables and tests.
inline constexpr CodigoError kCodigosError[] = {
    CodigoError::Sintaxis,          CodigoError::FaltaExpresion,    CodigoError::DivisionCero,
    CodigoError::Desbordamiento,    CodigoError::Subdesbordamiento, CodigoError::ArgumentoInvalido,
    CodigoError::OperacionInvalida, CodigoError::Compilacion,       CodigoError::Evaluacion,
    CodigoError::Mensaje,
};

// The keys of the message table: first one per code, then the texts that
// more than one unit raises.
enum class Mensaje : unsigned char {
    // one per code, in the order of kCodigosError
    Sintaxis,
    FaltaExpresion,
    DivisionCero,
    Desbordamiento,
    Subdesbordamiento,
    ArgumentoInvalido,
    OperacionInvalida,
    Compilacion,
    Evaluacion,
    ErrorSinTexto,
    // shared by several units
    CalculoCancelado,
    DivisionEntreCero,          // fraction arithmetic
    DesbordamientoEntero,       // fraction arithmetic
    DivisionFlotanteCero,       // real powers of fractions
    OperacionFlotanteInvalida,  // real powers of fractions, complex results
    DesbordamientoFlotante,     // complex results
    DemasiadoAnidada,           // the compiler's depth and work bounds
    NoSeDespeja,                // solving
    SinVariableDespejar,        // solving
    ErrorDesconocido,           // a code outside the table
    SesionOcupada,              // a session entered while it evaluates
    ResultadoNoNumero,          // a conversion of the result box, in the window and the CLI
    MasColumnasSinTilde,        // the rational solve
    MasColumnasConTilde,        // the matrix window's complex solve
    Cantidad_
};

const char* Texto(Mensaje m);
// The text of a code: what the user sees when the failure brings no text
// of its own.
const char* TextoError(CodigoError c);
inline std::string MensajeDeError(CodigoError c) { return TextoError(c); }

// Base of every failure the core raises on purpose.
class ENumbrix : public std::runtime_error {
public:
    explicit ENumbrix(const std::string& mensaje) : std::runtime_error(mensaje) {}
    explicit ENumbrix(Mensaje m) : std::runtime_error(Texto(m)) {}
};

// One of the five arithmetic kinds (codes 11 to 15). A library may give it
// a text of its own for the callers that show it; the engines show the
// code's text.
class EMatematico : public ENumbrix {
public:
    explicit EMatematico(CodigoError codigo, const std::string& mensaje = {}) : ENumbrix(mensaje), codigo_(codigo) {}
    EMatematico(CodigoError codigo, Mensaje m) : ENumbrix(m), codigo_(codigo) {}
    CodigoError Codigo() const { return codigo_; }

private:
    CodigoError codigo_;
};

// A general math error with its own message (the shell's calculus functions,
// the complex library): reported with the message it carries.
class EMathError : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

class EExprMsj : public ENumbrix { public: using ENumbrix::ENumbrix; };     // a message node was evaluated
class EDespejar : public ENumbrix { public: using ENumbrix::ENumbrix; };    // solving failed
class ECompilacion : public ENumbrix { public: using ENumbrix::ENumbrix; }; // aborts a whole compilation

// The user cancelled a long evaluation or a prompt. Recognised by its type,
// never by its text.
class ECancelado : public ENumbrix {
public:
    ECancelado() : ENumbrix(Mensaje::CalculoCancelado) {}
};

[[noreturn]] inline void LanzarDivisionCero() { throw EMatematico(CodigoError::DivisionCero); }
[[noreturn]] inline void LanzarDesbordamiento() { throw EMatematico(CodigoError::Desbordamiento); }
[[noreturn]] inline void LanzarArgumentoInvalido() { throw EMatematico(CodigoError::ArgumentoInvalido); }
[[noreturn]] inline void LanzarOperacionInvalida() { throw EMatematico(CodigoError::OperacionInvalida); }

}  // namespace numbrix
