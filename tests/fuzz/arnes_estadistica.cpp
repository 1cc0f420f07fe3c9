// The statistics tool's readers: the text as one entry and as a paste over a
// table that already holds data. A paste adds all its lines or none; no
// total or measure is ever inf or NaN.
#include <cmath>

#include "Arnes.h"
#include "engine/bases2_36.h"
#include "support/Errores.h"
#include "tools/Estadistica.h"

using namespace numbrix;

namespace {

void Comprobar(TEstadistica& e) {
    fuzz::Exigir(std::isfinite(e.Suma()) && std::isfinite(e.SumaCuadrados()), "totales finitos");
    fuzz::Exigir(e.N() >= 0, "n no negativo");
    for (const auto& m : e.Medidas()) {
        if (m.Valor == "N/D" || m.Nombre == "n" || m.Nombre == "Puntos muestrales") continue;
        const auto l = LeerNumero(m.Valor);
        fuzz::Exigir(!l.Error() && std::isfinite(l.valor), "medida finita");
    }
}

}  // namespace

NUMBRIX_ARNES(estadistica) {
    TEstadistica e;
    e.Agregar("2.5*3");
    e.Agregar("-7");
    try {
        e.Agregar(entrada);
    } catch (const ENumbrix&) {
    }
    Comprobar(e);
    const std::size_t antes = e.Cantidad();
    const std::int64_t n = e.N();
    const std::size_t lineas = TEstadistica::LineasPegadas(entrada).size();
    try {
        fuzz::Exigir(e.Pegar(entrada) == lineas, "todas las líneas");
    } catch (const ENumbrix&) {
        fuzz::Exigir(e.Cantidad() == antes && e.N() == n, "ninguna línea");
    }
    Comprobar(e);
    if (e.Cantidad() > 0) e.BorrarPunto(0);
    Comprobar(e);
}
