#pragma once
// The evaluation path of the fraction and complex windows, without any
// window: each session owns two engines of its mode (the main one and the
// auxiliary one that evaluates prompt answers), the prompt variables w, x,
// y, z (each asked at most once per evaluation, through the same callback as
// the main session), the unknown "?" that an expression is solved for, and
// the texts of the result.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "numbers/ExpresionC.h"
#include "numbers/ExpresionQ.h"
#include "shell/Sesion.h"  // Preguntador, RespuestaPregunta

namespace numbrix {

// The letters whose value the fraction and complex windows ask for.
inline constexpr char kLetrasModo[] = "wxyz";
inline constexpr int kNumPreguntasModo = 4;

template <class V>
struct VariableModo {
    char letra = 0;
    V valor{};
    bool preguntada = false;      // already asked in this evaluation
    std::string recordado = "1";  // the text offered next time
};

// What both sessions share; D is the engine's value domain.
template <class D>
class TSesionModo {
public:
    using V = typename D::Valor;

    TSesionModo();
    virtual ~TSesionModo() = default;
    TSesionModo(const TSesionModo&) = delete;
    TSesionModo& operator=(const TSesionModo&) = delete;

    Preguntador Preguntar;             // none: a prompt cancels the evaluation
    std::function<bool()> Cancelar;    // polled during long evaluations
    std::string NotaAsignacion;        // "{x=2} " pieces of the last evaluation

    TExpresion<D>& Principal() { return principal_; }
    TExpresion<D>& Auxiliar() { return auxiliar_; }
    VariableModo<V>* Variable(char letra);
    const std::shared_ptr<TVariable<D>>& Incognita() const { return incognita_; }

protected:
    // Compiles the expression (again when recompilar: the settings that
    // literals depend on changed) and evaluates it, or solves it for "?"
    // when it reads "?". On failure returns false with the engine's message
    // and code.
    bool Calcular(const std::string& expresion, bool recompilar, V& valor, std::string& mensaje, CodigoError& codigo);

private:
    V LeerPregunta(VariableModo<V>& v);

    TExpresion<D> principal_;
    TExpresion<D> auxiliar_;
    std::shared_ptr<TVariable<D>> incognita_;
    std::array<VariableModo<V>, kNumPreguntasModo> variables_;
    int preguntando_ = 0;  // nesting of prompts being answered
};

// ---------------------------------------------------------------- fractions

struct ResultadoQ {
    std::string texto;        // ATexto of the result, or the engine's message
    bool error = false;
    CodigoError codigo = CodigoError::Sintaxis;  // the engine's error code
    bool vacio = false;       // nothing was evaluated
    TFrac valor;
    std::string decimal;      // the value as a real in general format
    std::string parteEntera;  // "%d+" with the whole part
    long double resto = 0;    // |remainder| / denominator, in [0, 1): the bar's share
};

class TSesionQ : public TSesionModo<DominioRacional> {
public:
    TSesionQ();
    ResultadoQ Evaluar(const std::string& expresion);
    // Maximum denominator for decimals and mixed format; both engines read
    // them at their next evaluation.
    AjustesFraccion Ajustes;
    std::string TextoResultado(const TFrac& f) const { return f.ATexto(Ajustes); }

private:
    AjustesFraccion compilados_;  // the settings the engines compiled with
};

// ---------------------------------------------------------------- complex numbers

struct ResultadoC {
    std::string texto;      // ComplejoATexto of the result, or the engine's message
    bool error = false;
    CodigoError codigo = CodigoError::Sintaxis;
    bool vacio = false;
    TComplejo valor;
    std::string modulo;     // |z| with 8 significant digits
    std::string argumento;  // arg(z) in the session's angle unit, 8 digits
};

class TSesionC : public TSesionModo<DominioComplejo> {
public:
    ResultadoC Evaluar(const std::string& expresion);
    // The user's constants (evaluated as complex values) and functions of
    // `archivo` (real.duf of the data folder), registered in both engines as
    // the complex window does when it opens; call it once. The file is only
    // read, never rewritten. Returns what could not be read or registered:
    // each such line is left out.
    std::vector<std::string> CargarDefiniciones(const std::filesystem::path& archivo);
    void SetAngulo(int angulo);  // Polar and Arg of both engines, and the argument shown
    int Angulo() const { return angulo_; }

private:
    int angulo_ = 0;
};

}  // namespace numbrix
