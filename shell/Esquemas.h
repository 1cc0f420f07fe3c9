#pragma once
// Colour schemes ("colores.ini", section "Colores": name=$light,$dark,$text,
// $background) and the four interface colours of the main window.
#include <string>
#include <string_view>
#include <vector>

#include "support/Colores.h"
#include "support/Contraste.h"

namespace numbrix {

class TVelIniFile;

struct T4Colores {
    TColor Luz = 0;
    TColor Sombra = 0;
    TColor Texto = 0;
    TColor Fondo = 0;
    bool operator==(const T4Colores&) const = default;
};

// "$%X,$%X,$%X,$%X" (upper-case hexadecimal of the stored values, system
// colours kept as 0x800000nn).
std::string TextoColores(const T4Colores& c);
// Four comma-separated integers, "$" marking hexadecimal; false when the
// text is not exactly that.
bool LeerColores(std::string_view texto, T4Colores& c);

// "Usar &Predeterminado": light = button highlight, dark = button face, text =
// the system text colour and background = the system base colour, a pair the
// desktop's theme keeps readable, light or dark.
T4Colores ColoresPredeterminados();

// What the main window paints for a scheme under the desktop's palette, and
// what the options window's preview shows: every text colour together with
// what it is painted on, made readable (support/Contraste.h).
struct ColoresPintados {
    TColor BandaLuz = 0, BandaSombra = 0;  // the top and bottom bands' ramp
    TColor TintaBanda = 0;                 // labels and buttons on the bands
    TColor TintaBandaInactiva = 0;         // a disabled button on the bands
    TColor Caja = 0, TintaCaja = 0;        // expression and result boxes
    TColor Fondo = 0, TintaFondo = 0;      // formula, result list, total box
    TColor Seleccion = 0, TintaSeleccion = 0;  // the result list's selected row
    TColor Divisor = 0;                    // between the formula and the list
    bool operator==(const ColoresPintados&) const = default;
};
// The badge of the angle unit on each result row: the same whatever the scheme.
inline constexpr TColor kInsignia = ColorRGB(225, 235, 250);
inline constexpr TColor kTintaInsignia = ColorRGB(35, 70, 130);
ColoresPintados CalcularColoresPintados(const T4Colores& esquema, const PaletaSistema& sistema);

struct Esquema {
    std::string Nombre;
    T4Colores Colores;
};

class TEsquemas {
public:
    static constexpr const char* Seccion = "Colores";

    // Every sound line of the section becomes a scheme (a line without "="
    // is taken as a name with the colour text after it missing: skipped);
    // the lines that do not read are listed in Problemas().
    void Cargar(const TVelIniFile& archivo);
    const std::vector<Esquema>& Lista() const { return lista_; }
    const std::vector<std::string>& Problemas() const { return problemas_; }
    int Buscar(std::string_view nombre) const;  // case-insensitive, -1 when absent

    // "" when the name may be a key of the file, else why not.
    static std::string ValidarNombre(std::string_view nombre);
    // Adds or replaces the scheme and writes it (the caller updates the file).
    // Returns its index.
    int Guardar(TVelIniFile& archivo, const std::string& nombre, const T4Colores& c);
    void Borrar(TVelIniFile& archivo, int indice);

private:
    std::vector<Esquema> lista_;
    std::vector<std::string> problemas_;
};

}  // namespace numbrix
