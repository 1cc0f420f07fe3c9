#pragma once
// The main window's settings (section "Opciones" of numbrix.ini) and its
// recent conversions (section "RectConv"), as plain data with their
// defaults. Reading checks every range: a value out of range or unreadable
// gives the default and a line in the returned report, never a failure.
#include <string>
#include <vector>

namespace numbrix {

class TVelIniFile;

// A box's font: name, size in points, style 0 regular, 1 bold, 2 italic,
// 3 bold and italic.
struct FuenteCaja {
    std::string Nombre = "MS Sans Serif";
    int Tamano = 10;
    int Estilo = 0;
    bool operator==(const FuenteCaja&) const = default;
};

struct AjustesCalculadora {
    static constexpr const char* Seccion = "Opciones";
    static constexpr const char* SeccionRecientes = "RectConv";
    static constexpr int kVersionVista = 250;   // "Ver" once the first start is over
    static constexpr int kDigitosFlotante = 100;
    static constexpr int kMaxRecientes = 15;
    static constexpr int kMaxListMinimo = 1;
    static constexpr int kMaxListMaximo = 1000;

    int Ver = 0;                   // first-start marker
    int FAngulo = 0;               // angle unit 0..5
    bool SeparaMiles = false;      // thousands separator
    int BaseResultado = 10;        // 2..36
    int Digitos = kDigitosFlotante;  // 0, 2, ..., 16, or 100 for floating
    int ModoDigitos = 0;           // 0 general, 1 scientific, 2 engineering
    long double MaxDif = 1e-15L;   // tolerance of equality comparisons
    bool SiempreVisible = false;
    bool ModoReducido = false;
    bool Magnetico = true;
    bool MinIcon = false;
    bool Autocompletar = true;
    bool NoAuto = true;
    bool MMR = true;
    bool NoTitulo = false;
    int MaxList = 50;              // expression history and stored result list
    FuenteCaja FuenteExpresion{"MS Sans Serif", 10, 0};  // "FENom", "FETam", "FETipo"
    FuenteCaja FuenteResultado{"MS Sans Serif", 10, 1};  // "FRNom", "FRTam", "FRTipo"
    int ClLuz = 16765864;          // red 168, green 211, blue 255
    int ClSombra = 16753478;       // red 70, green 163, blue 255
    int ClTexto = -2147483640;     // the system's window-text colour
    int ClFondo = 14281964;        // red 236, green 236, blue 217
    bool VerBarra = true;
    bool VerTotal = true;
    bool VerHistorial = true;
    int AltoF = -1;                // formula panel height; -1: not stored, keep the window's own
    int AltoH = -1;                // result list height; -1 likewise
    // Tool windows open at the last close.
    bool Conversor = false;
    bool Formulas = false;
    bool Primos = false;
    bool Fechas = false;
    bool Matrices = false;
    bool Estadisticas = false;
    bool Fracciones = false;
    bool Complejos = false;
    bool Polinomios = false;

    // Recent conversion captions, newest first, at most kMaxRecientes.
    std::vector<std::string> Recientes;

    bool PrimerInicio() const { return Ver != kVersionVista; }
    bool Flotante() const { return Digitos == kDigitosFlotante; }
    // A conversion just made goes to the top; an older equal caption leaves.
    void AgregarReciente(const std::string& titulo);

    // Reads both sections; every key missing from the file takes its
    // default. Returns the report lines (Spanish, ready to show).
    std::vector<std::string> Leer(const TVelIniFile& ini);
    // What the main window writes when it closes: every key of "Opciones"
    // except "Ver", "MaxDif", "NoAuto", "MinIcon" and the font keys, and
    // section "RectConv" as it now stands. The caller writes the file.
    void Escribir(TVelIniFile& ini) const;
    // What the options window writes when accepted.
    void EscribirOpciones(TVelIniFile& ini) const;
    // The first start is over: "Ver" := 250, written at once by the caller.
    void MarcarPrimerInicio(TVelIniFile& ini);

    bool operator==(const AjustesCalculadora&) const = default;
};

}  // namespace numbrix
