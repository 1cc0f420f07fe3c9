#pragma once
// The main window's settings (section "Opciones" of numbrix.ini) and its
// recent conversions (section "RectConv"), as plain data with their
// defaults. Reading checks every range: a value out of range or unreadable
// gives the default and a line in the returned report, never a failure.
#include <string>
#include <vector>

#include "engine/bases2_36.h"
#include "support/angulos.h"

namespace numbrix {

class TVelIniFile;

// A box's font: name, size in points, style 0 regular, 1 bold, 2 italic,
// 3 bold and italic.
struct FuenteCaja {
    std::string Nombre;
    int Tamano = 0;
    int Estilo = 0;
    bool operator==(const FuenteCaja&) const = default;
};

// Every key of "Opciones" is a row of one table (AjustesCalculadora.cpp):
// its key, the field it fills, the values it accepts and its default. The
// table drives the defaults, the reading with its report and both writers.
struct AjustesCalculadora {
    static constexpr const char* Seccion = "Opciones";
    static constexpr const char* SeccionRecientes = "RectConv";
    static constexpr int kVersionVista = 250;   // "Ver" once the first start is over
    static constexpr DigitosResultado kDigitosFlotante = DigitosFlotante;
    static constexpr int kMaxRecientes = 15;

    AjustesCalculadora();  // every field at its default

    int Ver;                       // first-start marker
    UnidadAngulo FAngulo;
    bool SeparaMiles;              // thousands separator
    BaseNumeracion BaseResultado;
    DigitosResultado Digitos;
    NotacionNumero ModoDigitos;
    long double MaxDif;            // tolerance of equality comparisons
    bool SiempreVisible, ModoReducido, Magnetico, MinIcon, Autocompletar, NoAuto, MMR, NoTitulo;
    int MaxList;                   // expression history and stored result list
    FuenteCaja FuenteExpresion;    // "FENom", "FETam", "FETipo"
    FuenteCaja FuenteResultado;    // "FRNom", "FRTam", "FRTipo"
    int ClLuz, ClSombra, ClTexto, ClFondo;  // colours as the file holds them
    bool VerBarra, VerTotal, VerHistorial;
    int AltoF;                     // formula panel height; -1: not stored, keep the window's own
    int AltoH;                     // result list height; -1 likewise
    // Tool windows open at the last close.
    bool Conversor, Formulas, Primos, Fechas, Matrices, Estadisticas, Fracciones, Complejos, Polinomios;
    int FracDenominadorDec;        // largest denominator a decimal becomes (fractions, matrices)
    bool FracSepEntero;            // fractions shown mixed
    // The matrix window: its mode (true complex) and its panels' sizes.
    bool ModoMatriz;
    int TamaMatPan1, TamaMatPan2, TamaMatPan3;

    // Recent conversion captions, newest first, at most kMaxRecientes.
    std::vector<std::string> Recientes;

    bool PrimerInicio() const { return Ver != kVersionVista; }
    // A conversion just made goes to the top; an older equal caption leaves.
    void AgregarReciente(const std::string& titulo);

    // Reads both sections; every key missing from the file takes its
    // default, and so does every value refused, with a line in the returned
    // report (Spanish, ready to show).
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
