#include "support/angulos.h"

#include <cmath>

#include "support/Errores.h"

namespace numbrix {
namespace {

// Going through the extended pi itself, dividing before multiplying, keeps
// exact fractions of pi exact: asin(1) in degrees is 90, pi in grads 200.
constexpr long double kPi = PiExtendido;

// Truncation to a 64-bit integer, refused when the value does not fit.
std::int64_t TruncarSeguro(long double v) {
    const long double t = std::trunc(v);
    if (!(t >= -9223372036854775808.0L && t < 9223372036854775808.0L)) LanzarArgumentoInvalido();
    return static_cast<std::int64_t>(t);
}

int Unidad(int unidad) {
    const int u = unidad & 0x7F;
    return u > MultiplosPi ? Ciclos : u;
}

}  // namespace

std::int64_t RedondeoMedio(long double valor) {
    if (!std::isfinite(valor)) LanzarArgumentoInvalido();
    const long double t = std::trunc(valor);
    const long double r = t + std::trunc(2 * (valor - t));
    if (!(r >= -9223372036854775808.0L && r < 9223372036854775808.0L)) LanzarArgumentoInvalido();
    return static_cast<std::int64_t>(r);
}

long double ARadianes(int unidad, long double valor) {
    switch (Unidad(unidad)) {
        case Sexagesimales: return valor / 180 * kPi;
        case Centesimales: return valor / 200 * kPi;
        case Ciclos: return valor * (2 * kPi);
        case GMS: return GMSARad(valor);
        case MultiplosPi: return valor * kPi;
        default: return valor;
    }
}

long double DeRadianes(int unidad, long double radianes) {
    switch (Unidad(unidad)) {
        case Sexagesimales: return radianes / kPi * 180;
        case Centesimales: return radianes / kPi * 200;
        case Ciclos: return radianes / (2 * kPi);
        case GMS: return RadAGMS(radianes);
        case MultiplosPi: return radianes / kPi;
        default: return radianes;
    }
}

// The minutes and seconds go through single precision, as the packed form
// always has: it bounds them to about seven significant digits.
long double GMSARad(long double empaquetado) {
    const std::int64_t d = TruncarSeguro(empaquetado);
    const float m = static_cast<float>((empaquetado - std::trunc(empaquetado)) * 100);
    long double total = static_cast<long double>(d) + std::trunc(static_cast<long double>(m)) / 60;
    const float s = static_cast<float>((static_cast<long double>(m) - std::trunc(static_cast<long double>(m))) * 100);
    total += static_cast<long double>(s) / 3600;
    total = static_cast<long double>(RedondeoMedio(total * 1000000)) / 1000000;
    return ARadianes(Sexagesimales, total);
}

long double RadAGMS(long double radianes) {
    const long double x = DeRadianes(Sexagesimales, radianes);
    float d = static_cast<float>(TruncarSeguro(x));
    const std::int64_t minutos = TruncarSeguro(x * 60);
    float m = static_cast<float>(static_cast<long double>(minutos) - static_cast<long double>(d) * 60);
    const std::int64_t centesimas = RedondeoMedio(x * 360000);
    float h = static_cast<float>(static_cast<long double>(centesimas) - static_cast<long double>(d) * 360000 -
                                 static_cast<long double>(m) * 6000);
    // A rounding up to a whole minute or degree carries, on either side of 0.
    if (h >= 6000) {
        h -= 6000;
        m += 1;
    } else if (h <= -6000) {
        h += 6000;
        m -= 1;
    }
    if (m >= 60) {
        m -= 60;
        d += 1;
    } else if (m <= -60) {
        m += 60;
        d -= 1;
    }
    const long double v = static_cast<long double>(m) / 100 + static_cast<long double>(d) +
                          static_cast<long double>(h) / 1000000;
    return static_cast<long double>(RedondeoMedio(v * 1000000)) / 1000000;
}

}  // namespace numbrix
