#pragma once
// What the fraction and complex windows show for one calculation, box by
// box. A failed or cancelled calculation empties every box (the fraction
// box says "Error"), so no value of an earlier calculation stays beside a
// new expression.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shell/SesionModo.h"

namespace numbrix {

struct PantallaFraccion {
    std::string fraccion = "Error";  // Edit2
    std::string decimal;             // Edit3
    std::string entera;              // Label2, "%d+"
    long double barra = 0;           // the bar's share of the ruler, [0, 1)
};
PantallaFraccion PantallaDe(const ResultadoQ& r);

struct PantallaComplejo {
    std::string z, modulo, argumento;
};
PantallaComplejo PantallaDe(const ResultadoC& r);

// The maximum denominator a decimal may become, as the box and the settings
// hold it: a whole number from 1 to 10 000 000 written with digits only.
inline constexpr std::uint32_t kMaxDenominadorDec = 10000000;
std::optional<std::uint32_t> LeerDenominadorMax(std::string_view texto);

}  // namespace numbrix
