#pragma once
// Comparing extended-precision results that are not promised to be exact.
// The x87 transcendental instructions differ in the last bit between
// processors (Intel and AMD), so such a result is compared within a few
// units in the last place, never with ==. A failure shows both values with
// 21 significant digits (a long double needs them; through double, 3 and
// 3 + 2^-62 both print «3») and how many units apart they are.
//
//   EXPECT_CERCA(valor, esperado);            within 4 units in the last place
//   EXPECT_CERCA_ULPS(valor, esperado, n);    within n units
//   EXPECT_CERCA_REL(valor, esperado, tol);   |valor - esperado| <= tol·max(1, |esperado|),
//                                             for approximations (quadrature,
//                                             composed formulas), not rounding
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace numbrix::prueba {

inline constexpr long double kUlpsPorDefecto = 4;

// Text of x with 21 significant digits, whatever the locale.
inline std::string Texto21(long double x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 21);
    return std::string(buf, r.ptr);
}

// One unit in the last place at the magnitude of x (64-bit mantissa).
inline long double Ulp(long double x) {
    x = std::fabs(x);
    if (x == 0 || !std::isfinite(x)) return std::numeric_limits<long double>::denorm_min();
    return std::max(std::ldexp(1.0L, std::ilogb(x) - 63), std::numeric_limits<long double>::denorm_min());
}

// How many units in the last place of the larger one a and b are apart.
inline long double UlpsEntre(long double a, long double b) {
    if (a == b) return 0;
    if (!std::isfinite(a) || !std::isfinite(b)) return std::numeric_limits<long double>::infinity();
    return std::fabs(a - b) / Ulp(std::max(std::fabs(a), std::fabs(b)));
}

inline ::testing::AssertionResult CercaUlpsFormato(const char* ea, const char* eb, const char*, long double a,
                                                   long double b, long double ulps) {
    const long double u = UlpsEntre(a, b);
    if (u <= ulps) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ea << " = " << Texto21(a) << "\n"
                                         << eb << " = " << Texto21(b) << "\n"
                                         << "a " << Texto21(u) << " ulps (se admiten " << Texto21(ulps) << ")";
}

inline ::testing::AssertionResult CercaFormato(const char* ea, const char* eb, long double a, long double b) {
    return CercaUlpsFormato(ea, eb, "", a, b, kUlpsPorDefecto);
}

inline ::testing::AssertionResult CercaRelFormato(const char* ea, const char* eb, const char*, long double a,
                                                  long double b, long double tol) {
    if (std::fabs(a - b) <= tol * std::max(1.0L, std::fabs(b))) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ea << " = " << Texto21(a) << "\n"
                                         << eb << " = " << Texto21(b) << "\n"
                                         << "diferencia " << Texto21(a - b) << " (se admite " << Texto21(tol)
                                         << " relativo)";
}

}  // namespace numbrix::prueba

#define EXPECT_CERCA(a, b) EXPECT_PRED_FORMAT2(::numbrix::prueba::CercaFormato, a, b)
#define EXPECT_CERCA_ULPS(a, b, n) EXPECT_PRED_FORMAT3(::numbrix::prueba::CercaUlpsFormato, a, b, n)
#define EXPECT_CERCA_REL(a, b, tol) EXPECT_PRED_FORMAT3(::numbrix::prueba::CercaRelFormato, a, b, tol)
