#pragma once
// The shape of a picture without its key colour: which pixels of each row
// are kept, as runs and as the banded rectangles a window region is built
// from. Pixels are 32-bit 0xAARRGGBB (the layout of 32-bit images); alpha is
// ignored.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/Colores.h"
#include "support/Geometria.h"

namespace numbrix {

// Pixels [Desde, Hasta) of row Fila.
struct TTramo {
    int Fila = 0;
    int Desde = 0;
    int Hasta = 0;
    bool operator==(const TTramo&) const = default;
};

// True when the pixel is see-through: its red, green and blue each lie in
// [clave, clave + tolerancia] (channel by channel, the upper end capped at
// 255).
bool PixelTransparente(std::uint32_t pixel, TColor clave, TColor tolerancia);

// The runs of kept pixels, row by row from the top, left to right.
// `pixelesPorFila` is the distance between rows, in pixels.
std::vector<TTramo> TramosOpacos(const std::uint32_t* pixeles, int ancho, int alto, std::ptrdiff_t pixelesPorFila,
                                 TColor clave, TColor tolerancia = 0);

// The runs as rectangles: consecutive rows with the same runs become one
// taller rectangle. The result is sorted by top, then left, no two overlap or
// touch side by side, and rectangles with the same top have the same height.
std::vector<TRectI> RectangulosDeTramos(const std::vector<TTramo>& tramos);

}  // namespace numbrix
