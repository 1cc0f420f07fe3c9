#include "support/Fecha.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace numbrix {
namespace {

TEST(Fecha, DiasDesde1899) {
    struct Caso { int anio; unsigned mes, dia; long long dias; } casos[] = {
        {1899, 12, 30, 0}, {1899, 12, 31, 1}, {1900, 1, 1, 2}, {1900, 3, 1, 61},
        {1970, 1, 1, 25569}, {2000, 1, 1, 36526}, {2000, 2, 29, 36585}, {2026, 12, 6, 46362},
        {1800, 1, 1, -36522}, {1, 1, 1, -693593},
    };
    for (const auto& c : casos) EXPECT_EQ(DiasDesde1899(c.anio, c.mes, c.dia), c.dias) << c.anio << "-" << c.mes;
}

TEST(Fecha, LaHoraEsLaFraccion) {
    // Under UTC the epoch is day 25569 at midnight; noon adds half a day.
    const char* tz = std::getenv("TZ");
    std::string anterior = tz ? tz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FechaEnDias(0), 25569.0L);
    EXPECT_EQ(FechaEnDias(12 * 3600), 25569.5L);
    EXPECT_EQ(FechaEnDias(6 * 3600, 0.5L), 25569.25L + 0.5L / 86400);
    if (tz) setenv("TZ", anterior.c_str(), 1);
    else unsetenv("TZ");
    tzset();
    long double a = AhoraEnDias();
    EXPECT_GT(a, 46000);  // after 2025
    EXPECT_LT(a, 80000);
}

TEST(Fecha, LaCuentaYSuInversaConcuerdanCadaDia) {
    for (std::int64_t n = DiasDesde1899(1, 1, 1); n < DiasDesde1899(10000, 1, 1); ++n) {
        const FechaCivil f = FechaDeDias(n), siguiente = FechaDeDias(n + 1);
        ASSERT_EQ(DiasDesde1899(f.Anio, f.Mes, f.Dia), n);
        // A real date: the next day is the day after or the first of a month.
        ASSERT_TRUE(f.Mes >= 1 && f.Mes <= 12 && (siguiente.Dia == f.Dia + 1 || siguiente.Dia == 1)) << n;
    }
    EXPECT_EQ(DiaSemana(0), 6);  // a Saturday
    EXPECT_EQ(DiaSemana(DiasDesde1899(1, 1, 1)), 1);
}

TEST(Fecha, AhoraLeeElRelojFijado) {
    FijarRelojCivil([] { return FechaHoraCivil{{2024, 3, 31}, 2, 30, 15, 250}; });
    EXPECT_EQ(AhoraEnDias(), DiasDesde1899(2024, 3, 31) + (9015250.0L / 86400000));
    FijarRelojCivil({});
}

}  // namespace
}  // namespace numbrix
