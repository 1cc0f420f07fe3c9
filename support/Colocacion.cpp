#include "support/Colocacion.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace numbrix {

namespace {

std::int64_t Interseccion(const RectColocacion& a, const RectColocacion& b) {
    const std::int64_t w = std::int64_t{std::min(a.Right(), b.Right())} - std::max(a.Left, b.Left);
    const std::int64_t h = std::int64_t{std::min(a.Bottom(), b.Bottom())} - std::max(a.Top, b.Top);
    return w > 0 && h > 0 ? w * h : 0;
}

std::int64_t DistanciaCentros(const RectColocacion& a, const RectColocacion& b) {
    // Doubled centres keep the arithmetic in integers.
    const std::int64_t dx = (2LL * a.Left + a.Width) - (2LL * b.Left + b.Width);
    const std::int64_t dy = (2LL * a.Top + a.Height) - (2LL * b.Top + b.Height);
    return dx * dx + dy * dy;
}

int Ajustar(int posicion, int tamano, int inicio, int fin) {
    // The far edge first, then the near one: a window larger than the area
    // keeps its top-left corner on it.
    if (std::int64_t{posicion} + tamano > fin) posicion = fin - tamano;
    if (posicion < inicio) posicion = inicio;
    return posicion;
}

}  // namespace

int PantallaMasCercana(const RectColocacion& r, const std::vector<RectColocacion>& areas) {
    int mejor = -1;
    std::int64_t mejorArea = 0;
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const std::int64_t a = Interseccion(r, areas[i]);
        if (a > mejorArea) {
            mejorArea = a;
            mejor = static_cast<int>(i);
        }
    }
    if (mejor >= 0) return mejor;
    std::int64_t menor = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const std::int64_t d = DistanciaCentros(r, areas[i]);
        if (d < menor) {
            menor = d;
            mejor = static_cast<int>(i);
        }
    }
    return mejor;
}

RectColocacion ColocarEnPantalla(const RectColocacion& guardado, const std::vector<RectColocacion>& areas,
                                 int minimoAncho, int minimoAlto) {
    RectColocacion r = guardado;
    r.Width = std::max(r.Width, minimoAncho);
    r.Height = std::max(r.Height, minimoAlto);
    const int i = PantallaMasCercana(r, areas);
    if (i < 0) return r;
    const RectColocacion& a = areas[static_cast<std::size_t>(i)];
    r.Width = std::max(std::min(r.Width, a.Width), minimoAncho);
    r.Height = std::max(std::min(r.Height, a.Height), minimoAlto);
    r.Left = Ajustar(r.Left, r.Width, a.Left, a.Right());
    r.Top = Ajustar(r.Top, r.Height, a.Top, a.Bottom());
    return r;
}

RectColocacion CentrarEn(const RectColocacion& ventana, const RectColocacion& area) {
    RectColocacion r = ventana;
    r.Width = std::min(r.Width, area.Width);
    r.Height = std::min(r.Height, area.Height);
    r.Left = area.Left + (area.Width - r.Width) / 2;
    r.Top = area.Top + (area.Height - r.Height) / 2;
    return r;
}

}  // namespace numbrix
