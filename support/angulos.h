#pragma once
// Angle units: 0 radians, 1 degrees, 2 grads, 3 turns, 4 packed
// degrees-minutes-seconds (GGG.MMSSss), 5 multiples of pi; only the low
// 7 bits select the unit and 6..127 mean turns.
#include <cstdint>
#include <optional>

namespace numbrix {

// Pi at the full 80-bit precision; every angle factor is derived from it.
inline constexpr long double PiExtendido = 3.14159265358979323846264338327950288L;

enum UnidadAngulo : int { Radianes = 0, Sexagesimales = 1, Centesimales = 2, Ciclos = 3, GMS = 4, MultiplosPi = 5 };
// A stored or typed unit, when it is one of the six.
inline std::optional<UnidadAngulo> UnidadAnguloDe(int u) {
    if (u < Radianes || u > MultiplosPi) return std::nullopt;
    return static_cast<UnidadAngulo>(u);
}

long double ARadianes(int unidad, long double valor);
long double DeRadianes(int unidad, long double radianes);
// Packed GGG.MMSSss <-> radians. Both raise the invalid-argument error when a
// step does not fit a 64-bit integer (NaN and inf included).
long double GMSARad(long double empaquetado);
long double RadAGMS(long double radianes);
// Integer part plus integer part of twice the fraction (half away from zero).
// Raises the invalid-argument error when the value does not fit 64 bits.
std::int64_t RedondeoMedio(long double valor);

}  // namespace numbrix
