#include "support/RegionImagen.h"

#include <algorithm>

namespace numbrix {

namespace {

struct Rango {
    std::uint32_t minimo, maximo;
};

Rango RangoCanal(int clave, int tolerancia) {
    return {static_cast<std::uint32_t>(clave), static_cast<std::uint32_t>(std::min(clave + tolerancia, 255))};
}

struct Clave {
    Rango r, g, b;
    explicit Clave(TColor clave, TColor tolerancia)
        : r(RangoCanal(Rojo(clave), Rojo(tolerancia))),
          g(RangoCanal(Verde(clave), Verde(tolerancia))),
          b(RangoCanal(Azul(clave), Azul(tolerancia))) {}
    bool Transparente(std::uint32_t p) const {
        const std::uint32_t pr = p >> 16 & 0xFF, pg = p >> 8 & 0xFF, pb = p & 0xFF;
        return pr >= r.minimo && pr <= r.maximo && pg >= g.minimo && pg <= g.maximo && pb >= b.minimo &&
               pb <= b.maximo;
    }
};

}  // namespace

bool PixelTransparente(std::uint32_t pixel, TColor clave, TColor tolerancia) {
    return Clave(clave, tolerancia).Transparente(pixel);
}

std::vector<TTramo> TramosOpacos(const std::uint32_t* pixeles, int ancho, int alto, std::ptrdiff_t pixelesPorFila,
                                 TColor clave, TColor tolerancia) {
    std::vector<TTramo> tramos;
    if (!pixeles || ancho <= 0 || alto <= 0) return tramos;
    const Clave k(clave, tolerancia);
    for (int y = 0; y < alto; ++y) {
        const std::uint32_t* fila = pixeles + y * pixelesPorFila;
        int x = 0;
        while (x < ancho) {
            while (x < ancho && k.Transparente(fila[x])) ++x;
            if (x == ancho) break;
            const int desde = x;
            while (x < ancho && !k.Transparente(fila[x])) ++x;
            tramos.push_back({y, desde, x});
        }
    }
    return tramos;
}

std::vector<TRectI> RectangulosDeTramos(const std::vector<TTramo>& tramos) {
    std::vector<TRectI> rects;
    std::size_t i = 0;
    // Start of the band under construction within `rects`, and the runs of
    // its last row.
    std::size_t inicioBanda = 0, finBanda = 0;
    int filaBanda = 0;
    bool hayBanda = false;
    while (i < tramos.size()) {
        const int fila = tramos[i].Fila;
        std::size_t j = i;
        while (j < tramos.size() && tramos[j].Fila == fila) ++j;
        // Same runs as the band right above: that band grows one row.
        bool igual = hayBanda && filaBanda + 1 == fila && j - i == finBanda - inicioBanda;
        for (std::size_t k = 0; igual && k < j - i; ++k) {
            const TRectI& r = rects[inicioBanda + k];
            igual = r.Left == tramos[i + k].Desde && r.Right == tramos[i + k].Hasta;
        }
        if (igual) {
            for (std::size_t k = inicioBanda; k < finBanda; ++k) rects[k].Bottom = fila + 1;
        } else {
            inicioBanda = rects.size();
            for (std::size_t k = i; k < j; ++k) rects.push_back({tramos[k].Desde, fila, tramos[k].Hasta, fila + 1});
            finBanda = rects.size();
            hayBanda = true;
        }
        filaBanda = fila;
        i = j;
    }
    return rects;
}

}  // namespace numbrix
