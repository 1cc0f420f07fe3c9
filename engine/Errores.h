#pragma once
// Typed failures of the engines and numeric libraries. Each carries the
// Spanish text the user sees; the engines map the arithmetic kinds to their
// error codes.
#include <stdexcept>
#include <string>

namespace numbrix {

// Base of every failure the core raises on purpose.
class ENumbrix : public std::runtime_error {
public:
    explicit ENumbrix(const std::string& mensaje) : std::runtime_error(mensaje) {}
};

// The five arithmetic kinds of the engines (codes 11..15).
enum class TipoMatematico { DivisionCero, Desbordamiento, Subdesbordamiento, ArgumentoInvalido, OperacionInvalida };

class EMatematico : public ENumbrix {
public:
    EMatematico(TipoMatematico tipo, const std::string& mensaje = {})
        : ENumbrix(mensaje), tipo_(tipo) {}
    TipoMatematico Tipo() const { return tipo_; }
private:
    TipoMatematico tipo_;
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
class ECancelado : public ENumbrix { public: using ENumbrix::ENumbrix; };   // the user cancelled a long evaluation

[[noreturn]] inline void LanzarDivisionCero() { throw EMatematico(TipoMatematico::DivisionCero); }
[[noreturn]] inline void LanzarDesbordamiento() { throw EMatematico(TipoMatematico::Desbordamiento); }
[[noreturn]] inline void LanzarArgumentoInvalido() { throw EMatematico(TipoMatematico::ArgumentoInvalido); }
[[noreturn]] inline void LanzarOperacionInvalida() { throw EMatematico(TipoMatematico::OperacionInvalida); }

}  // namespace numbrix
