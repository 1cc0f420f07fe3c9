#pragma once
// The one evaluation path of every calculator window, without any window:
// TSesionModo<D> over a value domain D. It owns the main engine and the
// auxiliary one (prompt answers, user constants), one settings object that
// both read (and every engine a nested answer gets), the vocabulary, the
// prompt variables and their answers, solving for «?», the truth values, the
// last result and the history of calculations. The real calculator (TSesion,
// Sesion.h) is this core over the real domain plus what only the main window
// has; the fraction and complex windows' sessions (below) add only how they
// show a result.
//
// Every evaluation goes through Ejecutar: the place where a session will
// refuse to be entered again while one of its windows evaluates.
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/ExpresionC.h"
#include "numbers/ExpresionQ.h"
#include "shell/DefinicionesUsuario.h"
#include "shell/Historial.h"
#include "shell/VariablePregunta.h"
#include "support/Notificador.h"
#include "support/Trabajo.h"

namespace numbrix {

// What the front end answers when a prompt variable is read.
struct RespuestaPregunta {
    enum Accion { Responder, Cancelar, Fallar } accion = Cancelar;
    std::string texto;  // the typed answer (Responder) or the failure's message (Fallar)
};

// Called with the letter, the text offered (the last answer, "1" at first)
// and, when asking again, the message of the answer that failed. The window
// shows "Indique el valor de la variable %s" (see TituloPregunta).
using Preguntador = std::function<RespuestaPregunta(char letra, const std::string& propuesto, const std::string& error)>;

std::string TituloPregunta(char letra);
// The answer as it is kept: at most 255 characters.
std::string TextoRespuesta(const std::string& respuesta);
// The piece an answered prompt adds to the assignment note: "{a=2} ".
std::string PiezaNota(char letra, const std::string& texto);

// Answers given while answering are evaluated one level deeper; a chain
// this long is a mistake, not a calculation.
inline constexpr int kMaxPreguntasAnidadas = 8;

// What a mode's session is made of.
struct ModoSesion {
    std::string_view letras;        // the prompt letters of the main engine
    std::string_view auxiliares;    // those the auxiliary engine asks for too
    bool verdadesAlAzar = false;    // fresh random truth values per evaluation, shown as words
    bool definicionesSobreLetras = false;  // a user definition named like a letter takes its place
};

// What every evaluation gives back; each mode adds its forms of the value.
struct ResultadoBase {
    std::string texto;      // the result, "Verdadero"/"Falso", or the engine's message
    bool error = false;
    CodigoError codigo = CodigoError::Sintaxis;  // the engine's error code
    bool cancelado = false; // the user cancelled it (a prompt, a long loop)
    bool vacio = false;     // nothing was evaluated
    bool verdad = false;    // a truth value (only where they are told from numbers)
    bool ocupada = false;   // refused: the session was busy with another evaluation
};

template <class D>
class TSesionModo {
public:
    using V = typename D::Valor;
    using VariableP = VariableDe<V>;

    TSesionModo(const ModoSesion& modo, Notificador aviso);
    virtual ~TSesionModo() = default;
    TSesionModo(const TSesionModo&) = delete;
    TSesionModo& operator=(const TSesionModo&) = delete;

    // Busy while one of its windows evaluates: the window keeps repainting
    // and asking for values meanwhile, and no other window may enter the
    // session then. An Ocupacion holds it for its lifetime when it was free
    // (Tomada()); Ejecutar takes one and refuses a second evaluation, and a
    // new registration of the vocabulary waits until it is released.
    class Ocupacion {
    public:
        explicit Ocupacion(TSesionModo& s) : s_(s), tomada_(!s.ocupada_.exchange(true)) {}
        ~Ocupacion() {
            if (!tomada_) return;
            s_.ocupada_ = false;
            if (s_.vocabularioPendiente_) s_.RegistrarVocabularioPendiente();
        }
        Ocupacion(const Ocupacion&) = delete;
        Ocupacion& operator=(const Ocupacion&) = delete;
        bool Tomada() const { return tomada_; }

    private:
        TSesionModo& s_;
        const bool tomada_;
    };
    bool Ocupada() const { return ocupada_; }

    Preguntador Preguntar;            // none: a prompt cancels the evaluation
    // The cancel token, polled during long evaluations: true ends the one
    // in progress (a job's TTrabajo::Token() fits). Progreso is called at
    // every poll, before it, so a front end can repaint and read Escape.
    TokenCancelar Cancelar;
    std::function<void()> Progreso;
    std::string NotaAsignacion;       // "{x=2} " pieces of the last evaluation
    V UltimoResultado{};              // of the last evaluation that succeeded
    THistorial Historial;             // what was evaluated, newest first
    std::vector<NombreUsuario> NombresUsuario;  // the user's constants, then functions

    TExpresion<D>& Principal() { return principal_; }
    TExpresion<D>& Auxiliar() { return auxiliar_; }
    std::vector<VariableP>& Variables() { return variables_; }
    VariableP* Variable(char letra);
    const std::shared_ptr<TVariable<D>>& Incognita() const { return incognita_; }

    // ---- the one settings object of all the session's engines
    const AjustesMotor<D>& AjustesDeMotor() const { return ajustes_; }
    UnidadAngulo Angulo() const { return ajustes_.angulo; }
    void SetAngulo(UnidadAngulo angulo);  // nothing is evaluated again
    void SetTolerancia(long double t);    // of equality comparisons
    void SetAjustesDominio(const typename D::Extra& extra);

    // Empties both engines' vocabulary and registers it again, with the
    // user's definitions read anew; prompt answers and their texts stay.
    // While the session is busy, done when it is released.
    void RegistrarVocabulario();
    // From now on the user's constants and functions come from `archivo`
    // (real.duf), read at every registration; registers the vocabulary now.
    // Returns what could not be read or registered (each such line is left
    // out). The file is rewritten, after a copy, only when `reparar`.
    std::vector<std::string> CargarDefiniciones(const std::filesystem::path& archivo, bool reparar = false);

    // The last-resort look-up for names no engine knows, with its
    // typesetting, in every engine of the session (the nested answer engines
    // too); an empty `buscar` removes it. Texts compile again.
    void PonerExterno2(typename TExpresion<D>::Buscador buscar, ProcMedir<D> medir = {}, ProcDibujar<D> dibujar = {});

protected:
    // Evaluates one expression: forgets the prompt answers, compiles, and
    // solves it for «?» when it reads «?», else takes its value. Fills the
    // common part of the result and `valor`, the last result and the history.
    ResultadoBase Ejecutar(const std::string& expresion, V& valor);
    // The derived session's own names, in either engine (after the letters).
    virtual void RegistrarNombres(TExpresion<D>&, bool /*principal*/) {}
    const DefinicionesUsuario& Definiciones() const { return definiciones_; }

    Notificador aviso_;

private:
    V LeerPregunta(VariableP& v);
    TExpresion<D>& MotorRespuesta(int nivel);
    bool Cede(char letra) const;
    void RegistrarVocabularioPendiente() noexcept;

    const ModoSesion modo_;
    AjustesMotor<D> ajustes_;  // before the engines, which read it
    TExpresion<D> principal_;
    TExpresion<D> auxiliar_;
    std::vector<std::unique_ptr<TExpresion<D>>> anidados_;  // answers given inside answers
    std::shared_ptr<TVariable<D>> incognita_;  // "?"
    std::vector<VariableP> variables_;
    std::mt19937_64 azar_;
    int preguntando_ = 0;             // nesting of prompts being answered
    std::vector<char> respondiendo_;  // letters whose answer is being evaluated
    std::filesystem::path archivoDefiniciones_;
    bool repararDefiniciones_ = false;
    std::atomic<bool> ocupada_{false};
    bool vocabularioPendiente_ = false;
    DefinicionesUsuario definiciones_;  // as last read
    struct Externo2 {
        typename TExpresion<D>::Buscador buscar;
        ProcMedir<D> medir;
        ProcDibujar<D> dibujar;
    } externo2_;
    void AplicarExterno2(TExpresion<D>& e) const;
};

extern template class TSesionModo<DominioReal>;
extern template class TSesionModo<DominioRacional>;
extern template class TSesionModo<DominioComplejo>;

// ---------------------------------------------------------------- fractions

struct ResultadoQ : ResultadoBase {
    TFrac valor;
    std::string decimal;      // the value as a real in general format
    std::string parteEntera;  // "%d+" with the whole part
    long double resto = 0;    // |remainder| / denominator, in [0, 1): the bar's share
};

class TSesionQ : public TSesionModo<DominioRacional> {
public:
    TSesionQ();
    ResultadoQ Evaluar(const std::string& expresion);
    // Maximum denominator for decimals (0 counts as 1) and mixed format.
    const AjustesFraccion& Fraccion() const { return AjustesDeMotor().extra; }
    void SetFraccion(AjustesFraccion a);
    std::string TextoResultado(const TFrac& f) const { return f.ATexto(Fraccion()); }
};

// ---------------------------------------------------------------- complex numbers

struct ResultadoC : ResultadoBase {
    TComplejo valor;
    std::string modulo;     // |z| with 8 significant digits
    std::string argumento;  // arg(z) in the session's angle unit, 8 digits
};

class TSesionC : public TSesionModo<DominioComplejo> {
public:
    TSesionC();
    ResultadoC Evaluar(const std::string& expresion);
};

}  // namespace numbrix
