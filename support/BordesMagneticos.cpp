#include "support/BordesMagneticos.h"

#include <cstdlib>

namespace numbrix {

namespace {

bool Cerca(int a, int b, int distancia) { return std::llabs(static_cast<long long>(a) - b) <= distancia; }

// Moves [inicio, fin) so that one of its ends lies on the matching end of
// [minimo, maximo): the start end first.
void AjustarEje(int& inicio, int& fin, int minimo, int maximo, int distancia) {
    const long long largo = static_cast<long long>(fin) - inicio;
    if (Cerca(inicio, minimo, distancia)) {
        inicio = minimo;
        fin = static_cast<int>(minimo + largo);
    } else if (Cerca(fin, maximo, distancia)) {
        fin = maximo;
        inicio = static_cast<int>(maximo - largo);
    }
}

}  // namespace

TRectI AjustarMagnetico(const TRectI& propuesto, const TRectI& areaTrabajo, int distancia) {
    TRectI r = propuesto;
    AjustarEje(r.Top, r.Bottom, areaTrabajo.Top, areaTrabajo.Bottom, distancia);
    AjustarEje(r.Left, r.Right, areaTrabajo.Left, areaTrabajo.Right, distancia);
    return r;
}

}  // namespace numbrix
