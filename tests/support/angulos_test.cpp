#include "support/angulos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/Errores.h"

namespace numbrix {
namespace {

constexpr long double kPi = PiExtendido;

struct CasoAngulo {
    int unidad;
    long double valor;
    long double radianes;
};

class ConversionAngulo : public ::testing::TestWithParam<CasoAngulo> {};

// Exact fractions of pi convert exactly, both ways.
TEST_P(ConversionAngulo, IdaYVuelta) {
    const CasoAngulo& c = GetParam();
    EXPECT_EQ(ARadianes(c.unidad, c.valor), c.radianes);
    EXPECT_EQ(DeRadianes(c.unidad, c.radianes), c.valor);
}

INSTANTIATE_TEST_SUITE_P(
    Unidades, ConversionAngulo,
    ::testing::Values(CasoAngulo{Radianes, 1.25L, 1.25L}, CasoAngulo{Sexagesimales, 180, kPi},
                      CasoAngulo{Sexagesimales, 90, kPi / 2}, CasoAngulo{Sexagesimales, -45, -kPi / 4},
                      CasoAngulo{Centesimales, 200, kPi}, CasoAngulo{Centesimales, 100, kPi / 2},
                      CasoAngulo{Ciclos, 1, 2 * kPi}, CasoAngulo{MultiplosPi, 0.5L, kPi / 2},
                      CasoAngulo{7, 1, 2 * kPi},            // 6..127 are turns
                      CasoAngulo{128 + Sexagesimales, 180, kPi}));  // the eighth bit is ignored

TEST(Angulos, ArcoSenoDeUnoEnGrados) {
    EXPECT_EQ(DeRadianes(Sexagesimales, std::asin(1.0L)), 90);
    EXPECT_EQ(DeRadianes(Centesimales, std::acos(-1.0L)), 200);
}

TEST(Angulos, Empaquetado) {
    EXPECT_EQ(GMSARad(12.30L), ARadianes(Sexagesimales, 12.5L));
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, 12.5L)), 12.3L);
    EXPECT_EQ(ARadianes(GMS, 12.30L), GMSARad(12.30L));
    EXPECT_EQ(DeRadianes(GMS, ARadianes(Sexagesimales, 12.5L)), 12.3L);
    // Hundredths of a second that round to a whole minute, then to a degree.
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, 59.999999L)), 60);
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, 59.99999L)), 59.595996L);
    // Negative in every part, with the same carries.
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, -12.5L)), -12.3L);
    EXPECT_EQ(RadAGMS(ARadianes(Sexagesimales, -59.999999L)), -60);
    // 12° 34' 56.78" is 12.58243888...°, kept to six decimals of a degree.
    EXPECT_NEAR(static_cast<double>(GMSARad(12.345678L)), static_cast<double>(ARadianes(Sexagesimales, 12.582439L)),
                1e-15);
}

TEST(Angulos, RedondeoMedio) {
    EXPECT_EQ(RedondeoMedio(2.5L), 3);
    EXPECT_EQ(RedondeoMedio(-2.5L), -3);
    EXPECT_EQ(RedondeoMedio(2.4999L), 2);
    EXPECT_EQ(RedondeoMedio(-9223372036854775807.0L), -9223372036854775807LL);
}

TEST(Angulos, FueraDeRangoEsArgumentoInvalido) {
    const long double malos[] = {1e19L, -1e30L, std::numeric_limits<long double>::infinity(),
                                 std::numeric_limits<long double>::quiet_NaN(), 9223372036854775807.5L};
    for (long double v : malos) {
        try {
            RedondeoMedio(v);
            ADD_FAILURE() << "sin error para " << static_cast<double>(v);
        } catch (const EMatematico& e) {
            EXPECT_EQ(e.Codigo(), CodigoError::ArgumentoInvalido);
        }
    }
    EXPECT_THROW(GMSARad(1e300L), EMatematico);
    EXPECT_THROW(GMSARad(std::numeric_limits<long double>::quiet_NaN()), EMatematico);
    EXPECT_THROW(RadAGMS(1e300L), EMatematico);
    EXPECT_THROW(DeRadianes(GMS, std::numeric_limits<long double>::infinity()), EMatematico);
}

}  // namespace
}  // namespace numbrix
