#pragma once
// Colour values as the settings file and the colour schemes keep them: a
// 32-bit value 0x00BBGGRR, or a system colour, 0x80000000 plus the index of a
// role of the desktop's palette (window text, button face, ...). System
// colours are kept as such and resolved only when painting (support/ui/
// ColoresSistema.h), so a scheme follows the desktop's theme.
#include <array>
#include <cstdint>

namespace numbrix {

using TColor = std::uint32_t;

constexpr TColor ColorRGB(int rojo, int verde, int azul) {
    return static_cast<TColor>(rojo & 0xFF) | static_cast<TColor>(verde & 0xFF) << 8 |
           static_cast<TColor>(azul & 0xFF) << 16;
}
constexpr int Rojo(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int Verde(TColor c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int Azul(TColor c) { return static_cast<int>(c >> 16 & 0xFF); }

// The settings file stores colours as signed 32-bit integers.
constexpr TColor ColorDeEntero(std::int32_t valor) { return static_cast<TColor>(valor); }
constexpr std::int32_t EnteroDeColor(TColor c) { return static_cast<std::int32_t>(c); }

constexpr TColor kBitColorSistema = 0x80000000u;
constexpr bool EsColorSistema(TColor c) { return (c & kBitColorSistema) != 0; }
constexpr int IndiceColorSistema(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr TColor ColorSistema(int indice) { return kBitColorSistema | static_cast<TColor>(indice & 0xFF); }

// Indices of the system colours, in the numbering the stored values use.
enum IndiceSistema : int {
    csBarraDesplazamiento = 0,
    csEscritorio = 1,
    csTituloActivo = 2,
    csTituloInactivo = 3,
    csMenu = 4,
    csVentana = 5,  // background of edit boxes and lists
    csMarcoVentana = 6,
    csTextoMenu = 7,
    csTextoVentana = 8,
    csTextoTitulo = 9,
    csBordeActivo = 10,
    csBordeInactivo = 11,
    csFondoAplicacion = 12,
    csResaltado = 13,
    csTextoResaltado = 14,
    csCaraBoton = 15,  // background of forms and buttons
    csSombraBoton = 16,
    csTextoGris = 17,
    csTextoBoton = 18,
    csTextoTituloInactivo = 19,
    csLuzBoton = 20,
    csSombraOscura3D = 21,
    csLuz3D = 22,
    csTextoAyuda = 23,
    csFondoAyuda = 24,
    csEnlace = 26,
    csDegradadoTituloActivo = 27,
    csDegradadoTituloInactivo = 28,
    csResaltadoMenu = 29,
    csBarraMenu = 30,
    csUltimo = csBarraMenu,
};

constexpr TColor clTextoVentana = ColorSistema(csTextoVentana);  // 0x80000008
constexpr TColor clVentana = ColorSistema(csVentana);
constexpr TColor clCaraBoton = ColorSistema(csCaraBoton);
constexpr TColor clLuzBoton = ColorSistema(csLuzBoton);
constexpr TColor clSombraBoton = ColorSistema(csSombraBoton);
constexpr TColor clTextoBoton = ColorSistema(csTextoBoton);
constexpr TColor clResaltado = ColorSistema(csResaltado);
constexpr TColor clTextoResaltado = ColorSistema(csTextoResaltado);

// The desktop's colours for every system colour index, as RGB: what the
// windows read from their palette, and what tests set to stand for a light
// or a dark desktop.
using PaletaSistema = std::array<TColor, csUltimo + 1>;
// `c` itself when it is RGB, else its colour in `paleta`.
constexpr TColor Resolver(TColor c, const PaletaSistema& paleta) {
    if (!EsColorSistema(c)) return c & 0xFFFFFFu;
    const int i = IndiceColorSistema(c);
    return i <= csUltimo ? paleta[static_cast<std::size_t>(i)] : paleta[csCaraBoton];
}

constexpr TColor clBlanco = ColorRGB(255, 255, 255);
constexpr TColor clNegro = ColorRGB(0, 0, 0);
constexpr TColor clGris = ColorRGB(128, 128, 128);

}  // namespace numbrix
