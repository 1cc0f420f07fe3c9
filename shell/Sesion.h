#pragma once
// The calculator session: everything the main window keeps and does with its
// expressions, without any window, so the desktop program and numbrix-cli
// behave alike and all of it is tested without a display.
//
// It owns the two real-mode engines (the main one, silent, and the auxiliary
// one that evaluates prompt answers and user constants), the last result,
// the display format, the prompt variables, the memories, the result list
// with its total, the expression history and the main window's settings,
// and it reads and writes them in the data folder.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/ExpresionX.h"
#include "engine/bases2_36.h"
#include "shell/AjustesCalculadora.h"
#include "shell/Calculo.h"
#include "shell/DefinicionesUsuario.h"
#include "shell/Historial.h"
#include "shell/ListaResultados.h"
#include "shell/Memorias.h"
#include "shell/VariablePregunta.h"
#include "support/Notificador.h"

namespace numbrix {

class TVelIniFile;

// The 24 one-letter variables a user is asked for ("e" and "g" are not among them).
inline constexpr char kLetrasPregunta[] = "abcdfhijklmnopqxrstuvwyz";
inline constexpr int kNumPreguntas = 24;

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

// The outcome of one evaluation, as the result box shows it.
struct ResultadoEvaluacion {
    std::string texto;          // result text, "Verdadero"/"Falso", or the engine's message
    std::string pista;          // "Resultado: ..." with "(Decimal: ...)" for other bases
    bool error = false;
    CodigoError codigo = CodigoError::Sintaxis;  // the engine's error code
    bool cancelado = false;     // the user cancelled it (a prompt or a long loop)
    bool vacio = false;         // nothing was evaluated
    bool verdad = false;        // shown as "Verdadero" or "Falso"
    long double valor = 0;
};

// How a session treats the files of its data folder.
enum class ModoDatos {
    // The desktop program: a file whose load found problems is rewritten,
    // after keeping the original as NAME.bak, when it is saved or closed.
    Reparar,
    // numbrix-cli: the files are only read; nothing is written unless
    // Guardar is called.
    SoloLectura,
};

class TSesion {
public:
    explicit TSesion(Notificador aviso = {});

    // ---- evaluation
    // Evaluates one expression the way the main window does (result box,
    // last result, history), without recording it in the result list.
    ResultadoEvaluacion Evaluar(const std::string& expresion);
    // Enter in the expression box: evaluate, then record the pair.
    ResultadoEvaluacion Calcular(const std::string& expresion);
    // Records the last evaluation (nothing for an empty box or an error).
    TListaResultados::Registro Registrar();
    const ResultadoEvaluacion& Ultima() const { return ultima_; }

    // The result text of a value in the current display format.
    std::string TextoResultado(long double v) const;
    std::string Pista(const std::string& texto, long double v) const;
    std::string TextoTotal() const { return TextoResultado(Lista.Total()); }

    // ---- display settings
    FormatoNumero Formato;                // digits, notation, base, grouping
    void SetFormatoDigitos(int digitos);  // 100 = floating, else 0, 2, ..., 16
    int Digitos() const;
    void SetAngulo(int angulo);           // both engines, nothing re-evaluated
    int Angulo() const { return principal_.Angulo(); }
    void SetTolerancia(long double t);    // "MaxDif": both engines
    // A new angle unit re-evaluates the expression and records it again, then
    // takes back exactly what that added to the total.
    ResultadoEvaluacion CambiarAngulo(int angulo, const std::string& expresion);
    // A new base shows the last result in it and records it again (no
    // re-evaluation, so no prompts), taking back what that added.
    void CambiarBase(int base, const std::string& expresion);
    // Digits, notation and the separator only re-format the result box.
    void CambiarDigitos(int digitos);
    void CambiarNotacion(int notacion);
    void CambiarSeparador(bool agrupar);

    // ---- state
    long double UltimoResultado = 0;     // "Rst"/"Ans"
    std::string NotaAsignacion;          // "{a=2} " pieces of the last evaluation
    Preguntador Preguntar;               // none: a prompt cancels the evaluation
    std::function<bool()> Cancelar;      // polled during long evaluations
    // Told about an expression that failed with the error the complex domain
    // may overcome (code 15).
    std::function<void(const std::string& expresion)> AlFallarEnReales;

    TMemorias Memorias;
    TListaResultados Lista;
    THistorial Historial;
    AjustesCalculadora Ajustes;          // the main window's other settings
    std::vector<NombreUsuario> NombresUsuario;  // the user's constants, then functions

    TExpresionX& Principal() { return principal_; }
    TExpresionX& Auxiliar() { return auxiliar_; }
    std::array<VariablePregunta, kNumPreguntas>& Variables() { return variables_; }
    VariablePregunta* Variable(char letra);
    const std::shared_ptr<TVariableX>& Incognita() const { return incognita_; }

    // Formula drawing of the calculus functions (the summation, product and
    // integral signs); takes effect at the next registration.
    DibujosCalculo Dibujos;

    // Empties both engines' vocabulary and registers it again, with the user
    // definitions of the data folder; memories and variables stay.
    void RegistrarVocabulario();

    // Registers the main engine's names (memories, Rst, Ahora, the calculus
    // functions with their drawing, the user's definitions) in another
    // engine, so a picture of an expression can be made apart from the session.
    void RegistrarNombresEn(TExpresionX& e);

    // ---- data folder
    // Reads the settings, memories, result list, recent conversions, user
    // definitions and the expression history. Returns what could not be read.
    std::vector<std::string> Abrir(const std::filesystem::path& carpetaDatos, ModoDatos modo = ModoDatos::Reparar);
    // Writes them back (numbrix.ini and expr.lst, each atomically). Raises
    // EEscritura when a file cannot be written. Without `conFormato` the
    // display settings are written as they were read (a front end that
    // formats by its own options must not change the desktop's).
    void Guardar(bool conFormato = true);
    const std::filesystem::path& CarpetaDatos() const { return carpeta_; }
    // The settings file of the data folder (null before Abrir), shared with
    // every window that keeps settings in it.
    const std::shared_ptr<TVelIniFile>& Ini() const { return ini_; }

private:
    long double LeerPregunta(VariablePregunta& v);
    TExpresionX& MotorRespuesta(int nivel);
    void AplicarAjustes();
    void TomarAjustes();

    Notificador aviso_;
    TExpresionX principal_;
    TExpresionX auxiliar_;
    std::vector<std::unique_ptr<TExpresionX>> anidados_;  // answers given inside answers
    std::shared_ptr<TVariableX> incognita_;  // "?"
    std::array<VariablePregunta, kNumPreguntas> variables_;
    std::mt19937_64 azar_;
    int preguntando_ = 0;  // nesting of prompts being answered
    std::vector<char> respondiendo_;  // letters whose answer is being evaluated
    ResultadoEvaluacion ultima_;
    std::string ultimaExpresion_;
    std::filesystem::path carpeta_;
    ModoDatos modo_ = ModoDatos::Reparar;
    DefinicionesUsuario definiciones_;  // as last read from real.duf
    std::shared_ptr<TVelIniFile> ini_;
};

}  // namespace numbrix
