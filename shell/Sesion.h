#pragma once
// The calculator session: everything the main window keeps and does with its
// expressions, without any window, so the desktop program and numbrix-cli
// behave alike and all of it is tested without a display.
//
// It is the one session core (SesionModo.h) over the real domain, with the
// 24 prompt letters, random truth values shown as words and the user's
// definitions taking a letter's place, plus what only the main window has:
// the memories, "Ahora", the calculus functions, the display format, the
// result list with its total and the main window's settings, all read from
// and written to the data folder.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ExpresionX.h"
#include "engine/bases2_36.h"
#include "shell/AjustesCalculadora.h"
#include "shell/Calculo.h"
#include "shell/ListaResultados.h"
#include "shell/Memorias.h"
#include "shell/SesionModo.h"

namespace numbrix {

class TVelIniFile;

// The 24 one-letter variables a user is asked for ("e" and "g" are not among them).
inline constexpr char kLetrasPregunta[] = "abcdfhijklmnopqxrstuvwyz";

// The outcome of one evaluation, as the result box shows it.
struct ResultadoEvaluacion : ResultadoBase {
    std::string pista;          // "Resultado: ..." with "(Decimal: ...)" for other bases
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

// A look-up for names no engine knows, offered to the session by a tool
// (chemistry): what it finds, how its nodes are typeset, and how it loads its
// data from the data folder (returning the load report).
struct ConsultaExterna {
    TExpresionX::Buscador Buscar;
    ProcMedir<DominioReal> Medir;
    ProcDibujar<DominioReal> Dibujar;
    std::function<std::vector<std::string>(const std::filesystem::path& carpetaDatos)> Cargar;
};

class TSesion : public TSesionModo<DominioReal> {
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
    DigitosResultado Digitos() const { return Formato.Digitos(); }
    // A new angle unit re-evaluates the expression and records it again, then
    // takes back exactly what that added to the total.
    ResultadoEvaluacion CambiarAngulo(UnidadAngulo angulo, const std::string& expresion);
    // A new base shows the last result in it and records it again (no
    // re-evaluation, so no prompts), taking back what that added.
    void CambiarBase(BaseNumeracion base, const std::string& expresion);
    // Digits, notation and the separator only re-format the result box.
    void CambiarDigitos(DigitosResultado digitos);
    void CambiarNotacion(NotacionNumero notacion);
    void CambiarSeparador(bool agrupar);

    TMemorias Memorias;
    TListaResultados Lista;
    AjustesCalculadora Ajustes;          // the main window's other settings

    // Formula drawing of the calculus functions (the summation, product and
    // integral signs); takes effect at the next registration.
    DibujosCalculo Dibujos;

    // Registers the main engine's own names (memories, Rst, Ahora, the
    // calculus functions with their drawing, the user's definitions) in
    // another engine, so a picture of an expression can be made apart.
    void RegistrarNombresEn(TExpresionX& e);

    // ---- chemistry: formulas inside expressions
    // Offered by the chemistry tool; loaded by Abrir, switched by SetQuimica.
    void OfrecerQuimica(ConsultaExterna c) { quimica_ = std::move(c); }
    bool HayQuimica() const { return static_cast<bool>(quimica_.Buscar); }
    // Turns the look-up on or off in every engine and keeps "MMR" in step.
    void SetQuimica(bool activa);
    bool Quimica() const { return quimicaActiva_; }

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

protected:
    void RegistrarNombres(TExpresionX& e, bool principal) override;

private:
    void Reformatear();

    ResultadoEvaluacion ultima_;
    std::string ultimaExpresion_;
    std::filesystem::path carpeta_;
    std::shared_ptr<TVelIniFile> ini_;
    ConsultaExterna quimica_;
    bool quimicaActiva_ = false;
};

}  // namespace numbrix
