#pragma once
// Colour ramps and the geometry of the gradient backgrounds: which bands or
// ellipses to fill and in which colour. The painter on the window side only
// fills what these functions list, so every rounding rule lives (and is
// tested) here. Colours are plain RGB; system colours are resolved by the
// caller before a ramp is built.
#include <cstdint>
#include <vector>

#include "support/Colores.h"
#include "support/Geometria.h"

namespace numbrix {

// a * b / c rounded to the nearest integer, halves away from zero; the
// product is exact. A divisor of 0 gives 0: callers never ask for it, and a
// ramp must not bring the program down if one does.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c);
// The same for the 32-bit values of screen coordinates, saturated.
int MulDiv32(int a, int b, int c);

// A ramp of `pasos` steps from `inicio` (step 0) to `fin` (step `pasos`).
// Each channel of step i is inicio + MulDiv(fin - inicio, i, pasos), kept in
// its low 8 bits. A ramp of 0 steps is the start colour at every step. Steps
// are 16-bit: larger counts are capped at 65535.
class TColGrad {
public:
    static constexpr int kPasosMax = 65535;

    TColGrad(TColor inicio, int pasos, TColor fin);
    TColor Color(int i) const;
    int Pasos() const { return pasos_; }

private:
    int rojo_, verde_, azul_;
    int difRojo_, difVerde_, difAzul_;
    int pasos_;
};

// One band of a linear gradient: [Desde, Hasta) measured from the edge where
// the ramp starts, filled with Color.
struct TBanda {
    int Desde = 0;
    int Hasta = 0;
    TColor Color = 0;
    bool operator==(const TBanda&) const = default;
};

// Most bands a linear gradient is split into.
constexpr int kBandasMax = 255;

// The bands of a ramp over `extension` pixels: min(extension, 255) bands,
// band i ending at MulDiv(i, extension, bands) in ramp colour i (band 0 is
// always empty and left out). No pixels, no bands.
std::vector<TBanda> BandasLineales(int extension, TColor desde, TColor hasta);

// The cylinder styles: the extent is split at `posicion` tenths (0 to 9); the
// first part ramps from `color2` to `color`, the second back to `color2`, so
// the brightest line lies at the split. With `posicion` 0 only the second
// ramp remains, over the whole extent.
std::vector<TBanda> BandasDosPartes(int extension, int posicion, TColor color, TColor color2);

// One ellipse of a concentric gradient, inscribed in Rect.
struct TElipse {
    TRectI Rect;
    TColor Color = 0;
    bool operator==(const TElipse&) const = default;
};

// A centre coordinate equal to this stands for three eighths of the width
// (or height) from the left (or top).
constexpr int kCentroPorDefecto = 0xFFFFFFF;

// The sphere style: ellipses from the whole rectangle (step 0, `exterior`)
// shrinking towards `centro` (last step, `interior`), to be filled in order.
// The step count is the largest distance from the centre to an edge. A
// rectangle that is a single point is one ellipse in the `exterior` colour.
std::vector<TElipse> ElipsesConcentricas(const TRectI& r, TPuntoI centro, TColor exterior, TColor interior);

// Centre of the sphere style in an area of the given size: `posicion` tenths
// (0 to 9) of the width and of the height.
TPuntoI CentroEsfera(int ancho, int alto, int posicion);

// `posicion` within 0..9.
int PosicionValida(int posicion);

}  // namespace numbrix
