#pragma once
// The number at the cursor of an expression, for the conversion menu: which
// characters it spans and its value. A unary "-" (at the start, or after an
// operator or "(") belongs to it, so converting «-40» °F gives −40 °C.
#include <cstddef>
#include <optional>
#include <string_view>

namespace numbrix {

struct NumeroHallado {
    std::size_t Inicio = 0, Fin = 0;  // bytes [Inicio, Fin) of the text
    long double Valor = 0;
};

// `cursor` is a byte offset; the number may end at it or start at it.
// Decimal numbers with their exponent («1.5e-3»), and numbers in a base with
// their mark («FF[16]», «0FF[16]»); a name such as «x1» holds none.
std::optional<NumeroHallado> NumeroEnCursor(std::string_view texto, std::size_t cursor);

}  // namespace numbrix
