#include "shell/PantallaModos.h"

#include <cmath>

namespace numbrix {

PantallaFraccion PantallaDe(const ResultadoQ& r) {
    PantallaFraccion p;
    if (r.error || r.vacio || r.cancelado) return p;
    p.fraccion = r.texto;
    p.decimal = r.decimal;
    p.entera = r.parteEntera;
    p.barra = std::isfinite(r.resto) && r.resto > 0 && r.resto < 1 ? r.resto : 0;
    return p;
}

PantallaComplejo PantallaDe(const ResultadoC& r) {
    if (r.error || r.vacio || r.cancelado) return {};
    return {r.texto, r.modulo, r.argumento};
}

std::optional<std::uint32_t> LeerDenominadorMax(std::string_view texto) {
    // Eight digits at most: the largest value has eight, and no longer text
    // can overflow the count below.
    if (texto.empty() || texto.size() > 8) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : texto) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (v < 1 || v > kMaxDenominadorDec) return std::nullopt;
    return v;
}

}  // namespace numbrix
