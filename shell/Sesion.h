#pragma once
// The calculator session: what the main window does with one expression,
// without any window, so the desktop program and numbrix-cli behave alike.
// It owns the two real-mode engines (the main one, silent, and the auxiliary
// one that evaluates prompt answers), the last result, the display format and
// the prompt variables.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "engine/ExpresionX.h"
#include "engine/bases2_36.h"
#include "shell/VariablePregunta.h"
#include "support/Notificador.h"

namespace numbrix {

// The 24 one-letter variables a user is asked for ("e" and "g" are not among them).
inline constexpr char kLetrasPregunta[] = "abcdfhijklmnopqxrstuvwyz";
inline constexpr int kNumPreguntas = 24;

// What the front end answers when a prompt variable is read.
struct RespuestaPregunta {
    enum Accion { Responder, Cancelar, Fallar } accion = Cancelar;
    std::string texto;  // the typed answer (Responder) or the failure's message (Fallar)
};

// Called with the letter, the text offered (the last answer, "1" at first)
// and, when asking again, the message of the answer that failed.
using Preguntador = std::function<RespuestaPregunta(char letra, const std::string& propuesto, const std::string& error)>;

// The outcome of one evaluation, as the result box shows it.
struct ResultadoEvaluacion {
    std::string texto;          // result text, "Verdadero"/"Falso", or the engine's message
    std::string pista;          // "Resultado: ..." with "(Decimal: ...)" for other bases
    bool error = false;
    int codigo = 0;             // the engine's error code
    bool vacio = false;         // nothing was evaluated
    bool verdad = false;        // shown as "Verdadero" or "Falso"
    long double valor = 0;
};

class TSesion {
public:
    TSesion();

    // Evaluates one expression the way the main window does.
    ResultadoEvaluacion Evaluar(const std::string& expresion);
    // The result text of a value in the current display format.
    std::string TextoResultado(long double v) const;
    std::string Pista(const std::string& texto, long double v) const;

    FormatoNumero Formato;          // digits, notation, base, grouping
    void SetFormatoDigitos(int digitos);  // 100 = floating, else 0, 2, ..., 16
    void SetAngulo(int angulo);
    int Angulo() const { return principal_.Angulo(); }
    void SetTolerancia(long double t);   // "MaxDif": both engines

    long double UltimoResultado = 0;     // "Rst"/"Ans"
    std::string NotaAsignacion;          // "{a=2} " pieces of the last evaluation
    Preguntador Preguntar;               // none: a prompt cancels the evaluation
    std::function<bool()> Cancelar;      // polled during long evaluations

    TExpresionX& Principal() { return principal_; }
    TExpresionX& Auxiliar() { return auxiliar_; }
    std::array<VariablePregunta, kNumPreguntas>& Variables() { return variables_; }
    VariablePregunta* Variable(char letra);
    const std::shared_ptr<TVariableX>& Incognita() const { return incognita_; }

    // Registers the session's vocabulary in both engines (after
    // ReiniciarFunciones, too).
    void RegistrarVocabulario();

private:
    long double LeerPregunta(VariablePregunta& v);

    TExpresionX principal_;
    TExpresionX auxiliar_;
    std::shared_ptr<TVariableX> incognita_;  // "?"
    std::array<VariablePregunta, kNumPreguntas> variables_;
    std::mt19937_64 azar_;
    int preguntando_ = 0;  // nesting of prompts being answered
};

}  // namespace numbrix
