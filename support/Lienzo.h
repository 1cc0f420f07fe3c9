#pragma once
// The abstract drawing surface that formulas are laid out against. Qt-free:
// the engine measures and draws through it, the windows implement it over
// QPainter (support/ui/LienzoQt.h), and LienzoGrabado records what was drawn
// so one picture can be replayed on the screen, into SVG, PNG or JPEG.
//
// Coordinates are whole pixels, y grows downwards. Texts are UTF-8; symbols
// (π, ≤, ≥, ≠, ∑, ∏, ∫, ∧, ∨) are ordinary Unicode characters.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace numbrix {

// Logical family names of the formulas; each canvas maps them to installed
// fonts (a Times-compatible serif, a sans, a font with the math symbols).
inline constexpr const char* kFamiliaSerif = "Times New Roman";
inline constexpr const char* kFamiliaSans = "Arial";
inline constexpr const char* kFamiliaSimbolos = "Symbol";

struct Fuente {
    std::string familia = kFamiliaSerif;
    int tam = 20;  // character height (em) in pixels
    bool negrita = false;
    bool cursiva = false;
    bool operator==(const Fuente&) const = default;
};

// 0xRRGGBB.
struct Color {
    std::uint32_t rgb = 0;
    static constexpr Color Negro() { return {0x000000}; }
    static constexpr Color Granate() { return {0x800000}; }  // maroon
    // Chemical formulas. Like black, a screen canvas maps it to a blue that
    // reads on its background.
    static constexpr Color Azul() { return {0x0000FF}; }
    bool operator==(const Color&) const = default;
};

struct Punto {
    int x = 0;
    int y = 0;
    bool operator==(const Punto&) const = default;
};

// Extent of a text in the current font. The text cell is alto high with the
// baseline at ascenso from its top; the glyphs' ink spans tintaArriba to
// tintaAbajo (offsets from the cell's top), which is what lets a symbol be
// centred on a formula's axis whatever font it came from.
struct MedidaTexto {
    int ancho = 0;
    int alto = 0;
    int ascenso = 0;
    int tintaArriba = 0;
    int tintaAbajo = 0;
    bool operator==(const MedidaTexto&) const = default;
};

class Lienzo {
public:
    virtual ~Lienzo() = default;

    virtual void PonerFuente(const Fuente& f) = 0;
    virtual void PonerColor(Color c) = 0;  // lines, fills and text
    virtual void PonerGrosor(int pixeles) = 0;  // line width, at least 1

    // Extent of a text in the current font.
    virtual MedidaTexto MedirTexto(std::string_view texto) = 0;
    // Text with the top-left corner of its cell at (x, y), transparent
    // background.
    virtual void Texto(int x, int y, std::string_view texto) = 0;
    virtual void Linea(int x1, int y1, int x2, int y2) = 0;
    virtual void Polilinea(const std::vector<Punto>& puntos) = 0;
    // A rectangle w wide and h high from (x, y): filled, or only its frame.
    virtual void Rectangulo(int x, int y, int w, int h, bool relleno) = 0;
    virtual void Elipse(int x, int y, int w, int h, bool relleno) = 0;
};

}  // namespace numbrix
