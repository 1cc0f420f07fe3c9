#include "support/angulos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Ayudas.h"

namespace numbrix {
namespace {

constexpr long double kPi = PiExtendido;

// Exact fractions of pi, and packed values whose minutes and seconds are
// exact, convert exactly both ways.
TEST(Angulos, ConversionIdaYVuelta) {
    const long double doceYMedio = ARadianes(Sexagesimales, 12.5L);
    struct Caso { int unidad; long double valor, radianes; };
    const Caso casos[] = {
        {Radianes, 1.25L, 1.25L},    {Sexagesimales, 180, kPi},  {Sexagesimales, 90, kPi / 2},
        {Sexagesimales, -45, -kPi / 4}, {Centesimales, 200, kPi}, {Centesimales, 100, kPi / 2},
        {Ciclos, 1, 2 * kPi},        {MultiplosPi, 0.5L, kPi / 2}, {GMS, 12.30L, doceYMedio},  // 12° 30'
        {7, 1, 2 * kPi},             // 6..127 are turns
        {128 + Sexagesimales, 180, kPi},  // the eighth bit is ignored
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(ARadianes(c.unidad, c.valor), c.radianes) << c.unidad << " " << c.valor;
        EXPECT_EQ(DeRadianes(c.unidad, c.radianes), c.valor) << c.unidad << " " << c.valor;
    }
    EXPECT_EQ(DeRadianes(Sexagesimales, std::asin(1.0L)), 90);
    EXPECT_EQ(DeRadianes(Centesimales, std::acos(-1.0L)), 200);
}

TEST(Angulos, EmpaquetadoConAcarreos) {
    // Hundredths of a second that round to a whole minute, then to a degree.
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, 59.999999L)), 60);
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, 59.99999L)), 59.595996L);
    // Negative in every part, with the same carries.
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, -12.5L)), -12.3L);
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, -59.999999L)), -60);
    // 12° 34' 56.78" is 12.58243888...°, kept to six decimals of a degree.
    EXPECT_EQ(GMSARad(12.345678L), ARadianes(Sexagesimales, 12.582439L));
}

TEST(Angulos, RedondeoMedioYFueraDeRango) {
    EXPECT_EQ(RedondeoMedio(2.5L), 3);
    EXPECT_EQ(RedondeoMedio(-2.5L), -3);
    EXPECT_EQ(RedondeoMedio(2.4999L), 2);
    EXPECT_EQ(RedondeoMedio(-9223372036854775807.0L), -9223372036854775807LL);
    constexpr long double kInf = std::numeric_limits<long double>::infinity(), kNaN = std::nanl("");
    long double (*redondeo)(long double) = [](long double v) { return static_cast<long double>(RedondeoMedio(v)); };
    long double (*deGMS)(long double) = [](long double v) { return DeRadianes(GMS, v); };
    struct Caso { const char* que; long double (*f)(long double); long double valor; };
    const Caso casos[] = {
        {"RedondeoMedio", redondeo, 1e19L}, {"RedondeoMedio", redondeo, -1e30L}, {"RedondeoMedio", redondeo, kInf},
        {"RedondeoMedio", redondeo, kNaN},  {"RedondeoMedio", redondeo, 9223372036854775807.5L},
        {"GMSARad", GMSARad, 1e300L},       {"GMSARad", GMSARad, kNaN},      {"RadAGMS", RadAGMS, 1e300L},
        {"DeRadianes(GMS)", deGMS, kInf},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(prueba::CodigoLanzado([&] { c.f(c.valor); }), CodigoError::ArgumentoInvalido)
            << c.que << " " << static_cast<double>(c.valor);
}

}  // namespace
}  // namespace numbrix
