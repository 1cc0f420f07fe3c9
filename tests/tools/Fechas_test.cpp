// The dates window's arithmetic at a fixed clock (2025) under three time
// zones: none of them may change a result.
#include "tools/Fechas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace numbrix {
namespace {

using T = TipoCalculoFecha;
using F = FormatoDuracion;

LocalFechas En(OrdenFecha o) {
    return {o, [] { return FechaHoraCivil{{2025, 6, 15}, 10, 0, 0, 0}; }};
}

// Runs `casos` under each zone; the zone of a failure is in the trace.
template <class Fn>
void EnCadaZona(Fn casos) {
    for (const char* zona : {"Europe/Madrid", "America/New_York", "UTC"}) {
        setenv("TZ", zona, 1);
        tzset();
        SCOPED_TRACE(zona);
        casos();
    }
    unsetenv("TZ");
    tzset();
}

TEST(Fechas, Computations) {
    const std::string hora = " no es formato de hora válido";
    struct Caso {
        T tipo;
        std::array<std::string, 3> cajas;
        F formato;
        std::string esperado;
    } casos[] = {
        {T::Diferencia, {"01/03/2024", "28/02/2024"}, F::HorasMinutos, "2 d.  00:00:00"},
        {T::Diferencia, {"28/02/2024", "01/03/2024"}, F::Dias, "2"},
        {T::Diferencia, {"01/03/2100", "28/02/2100"}, F::Dias, "1"},
        {T::Diferencia, {"29/12/1899 12:00", "31/12/1899 12:00"}, F::HorasMinutos, "2 d.  00:00:00"},
        // Clock changes in Madrid and New York move nothing.
        {T::Diferencia, {"30/03/2024", "01/04/2024"}, F::Dias, "2"},
        {T::Diferencia, {"31/03/2024 02:30", "30/03/2024 02:30"}, F::Horas, "24"},
        {T::Diferencia, {"10/03/2024 1:59:59.5", "10/03/2024 03:00"}, F::HorasMinutos, "0 d.  01:00:00.5"},
        {T::Diferencia, {"01/03/2024", ""}, F::Dias, ""},
        {T::Diferencia, {"", "01/03/2024"}, F::Dias, ""},
        {T::Diferencia, {"31/02/2024", "01/03/2024"}, F::Dias, "\"31/02/2024\" no es una fecha válida"},
        {T::FechaMasDias, {"31/12/2024", "1.5"}, F::Dias, "miércoles 01/01/2025 12:00:00.0"},
        {T::FechaMasDias, {"31/12/2024", "2.5"}, F::Dias, "jueves 02/01/2025 12:00:00.0"},
        {T::FechaMasDias, {"28/02/2024", "1"}, F::Dias, "jueves 29/02/2024 00:00:00.0"},
        {T::FechaMasDias, {"01/01/2025 00:00:00.05", "0"}, F::Dias, "miércoles 01/01/2025 00:00:00.05"},
        {T::FechaMasDias, {"01/01/2025 00:00:00.5", "-1"}, F::Dias, "martes 31/12/2024 00:00:00.5"},
        {T::FechaMasDias, {"29/02/2023", "1"}, F::Dias, "\"29/02/2023\" no es una fecha válida"},
        {T::FechaMasDias, {"31/12/2024", ""}, F::Dias, ""},
        {T::FechaMasDias, {"31/12/2024", "1,5"}, F::Dias, "'1,5' no es un valor punto flotante válido"},
        {T::FechaMasDias, {"01/01/0001", "-0.5"}, F::Dias, "Fecha fuera de rango"},
        {T::FechaMasDias, {"31/12/9999", "1"}, F::Dias, "Fecha fuera de rango"},
        {T::FechaMasDias, {"31/12/9999", "1e300"}, F::Dias, "Fecha fuera de rango"},
        {T::TiempoMasTiempo, {"1:30", "0:45"}, F::Minutos, "135"},
        {T::TiempoMasTiempo, {"1:30", "", "0:45"}, F::Minutos, "135"},
        {T::TiempoMasTiempo, {"2d 12"}, F::Dias, "2.5"},
        {T::TiempoMasTiempo, {"3 d.  04:05:06"}, F::Segundos, "273906"},
        {T::TiempoMasTiempo, {"-0:45", "1"}, F::Minutos, "15"},
        {T::TiempoMasTiempo, {"0:13:07"}, F::HorasMinutos, "0 d.  00:13:07"},
        {T::TiempoMasTiempo, {"-6"}, F::HorasMinutos, "-0 d.  06:00:00"},
        {T::TiempoMasTiempo, {"7:45", "7:45", "7:45"}, F::HorasMinutos, "0 d.  23:15:00"},
        {T::TiempoMasTiempo, {"5-3"}, F::Horas, "5-3" + hora},
        {T::TiempoMasTiempo, {"1:-30"}, F::Horas, "1:-30" + hora},
        {T::TiempoMasTiempo, {"1", "--1:00"}, F::Horas, "--1:00" + hora},
        {T::TiempoMasTiempo, {"1:2:3:4"}, F::Horas, "1:2:3:4" + hora},
        {T::TiempoMasTiempo, {"1e5"}, F::Horas, "1e5" + hora},
        {T::TiempoMasTiempo, {"d 1"}, F::Horas, "d 1" + hora},
        {T::TiempoMasTiempo, {"1:+3"}, F::Horas, "1:+3" + hora},
        {T::TiempoMasTiempo, {"1:"}, F::Horas, ""},
        {T::TiempoMasTiempo, {"1", "2::3"}, F::Horas, ""},
        {T::TiempoMasTiempo, {std::string(400, '9')}, F::Horas, "Desbordamiento de punto flotante"},
        {T::TiempoMasTiempo, {"1000000000000d", "1"}, F::Horas, "Desbordamiento de punto flotante"},
        {T::TiempoEntreTiempo, {"2d 12", "12"}, F::Horas, "5"},
        {T::TiempoEntreTiempo, {"2d 12", ""}, F::Horas, ""},
        {T::TiempoEntreTiempo, {"1", "0"}, F::Horas, "División de punto flotante entre cero"},
        {T::TiempoEntreTiempo, {"0", "0:0"}, F::Horas, "Operación de punto flotante inválida"},
        {T::TiempoEntreTiempo, {"100000d", "0:0:0." + std::string(305, '0') + "1"}, F::Horas, "Desbordamiento de punto flotante"},
        {T::TiempoPorDecimal, {"7:45", "3"}, F::HorasMinutos, "0 d.  23:15:00"},
        {T::TiempoPorDecimal, {"7:45", ""}, F::Horas, ""},
        {T::TiempoPorDecimal, {"100000d", "1e300"}, F::Horas, "Desbordamiento de punto flotante"},
        {T::TiempoEntreDecimal, {"2d 12", "-2"}, F::HorasMinutos, "-1 d.  06:00:00"},
        {T::TiempoEntreDecimal, {"1", ""}, F::Horas, ""},
        {T::TiempoEntreDecimal, {"1", "0"}, F::Horas, "División de punto flotante entre cero"},
        {T::TiempoEntreDecimal, {"0", "0"}, F::Horas, "Operación de punto flotante inválida"},
    };
    EnCadaZona([&] {
        for (const auto& c : casos) {
            TCalculoFechas calc(En(OrdenFecha::DiaMesAnio));
            calc.SetFormato(c.formato);
            EXPECT_EQ(calc.Calcular(c.tipo, c.cajas), c.esperado) << c.cajas[0] << " | " << c.cajas[1];
        }
    });
}

TEST(Fechas, EveryFormatRoundsToTheMillisecondAndKeepsTheSign) {
    const std::string d = "Desbordamiento de punto flotante";
    struct Caso {
        double dias;
        std::array<std::string, kFormatosDuracion> textos;
    } casos[] = {
        {0, {"0 d.  00:00:00", "0", "0", "0", "0", "0", "0"}},
        {-1e-10, {"0 d.  00:00:00", "-1e-10", "-2.4e-09", "-1.44e-07", "-8.64e-06", "-3.33333333333333e-12",
                  "-2.73972602739726e-13"}},
        {-0.25, {"-0 d.  06:00:00", "-0.25", "-6", "-360", "-21600", "-0.00833333333333333", "-0.000684931506849315"}},
        {0.9999999999, {"1 d.  00:00:00", "0.9999999999", "23.9999999976", "1439.999999856", "86399.99999136",
                        "0.03333333333", "0.00273972602712329"}},
        {1e6, {"1000000 d.  00:00:00", "1000000", "24000000", "1440000000", "86400000000", "33333.3333333333",
               "2739.72602739726"}},
        {2e12, {d, d, d, d, d, d, d}},
    };
    for (const auto& c : casos)
        for (int f = 0; f < kFormatosDuracion; ++f) {
            std::string r;
            try {
                r = EscribirDuracion(c.dias, static_cast<F>(f));
            } catch (const std::exception& e) {
                r = e.what();
            }
            EXPECT_EQ(r, c.textos[static_cast<std::size_t>(f)]) << c.dias << " formato " << f;
        }
}

TEST(Fechas, DateTextsInEachOrderWithTwoDigitYears) {
    using O = OrdenFecha;
    struct Caso {
        O orden;
        const char* texto;
        const char* fecha;  // day/month/year, "" refused
    } casos[] = {
        {O::DiaMesAnio, "01/03/24", "01/03/2024"},       {O::DiaMesAnio, "1-3-1980", "01/03/1980"},
        {O::DiaMesAnio, "1.3.80 7:05", "01/03/1980"},    {O::DiaMesAnio, "01/03/74", "01/03/2074"},
        {O::DiaMesAnio, "01/03/75", "01/03/1975"},       {O::DiaMesAnio, "03/13/2024", ""},
        {O::DiaMesAnio, "2024/03/01", ""},               {O::DiaMesAnio, "01/03/024", ""},
        {O::DiaMesAnio, "01/03", ""},                    {O::DiaMesAnio, "01/03/2024 24:00", ""},
        {O::DiaMesAnio, "01/03/2024 1:5", ""},           {O::DiaMesAnio, "01/03/2024x", ""},
        {O::DiaMesAnio, "01/03/202412:00", ""},          {O::DiaMesAnio, "00/03/2024", ""},
        {O::MesDiaAnio, "03/01/24", "01/03/2024"},       {O::MesDiaAnio, "13/01/24", ""},
        {O::MesDiaAnio, "jueves 02/01/2025 12:00:00.0", "02/01/2025"},
        {O::AnioMesDia, "24/03/01", "01/03/2024"},       {O::AnioMesDia, "2024-3-1 23:59:59.999", "01/03/2024"},
        {O::AnioMesDia, "Sábado 01/03/2025", "01/03/2025"},        {O::AnioMesDia, "sábado 01/03/2025", "01/03/2025"},
    };
    EnCadaZona([&] {
        for (const auto& c : casos) {
            std::string r;
            try {
                r = EscribirFecha(LeerFecha(c.texto, En(c.orden)), OrdenFecha::DiaMesAnio, false);
            } catch (const std::exception& e) {
                EXPECT_EQ(e.what(), "\"" + std::string(c.texto) + "\" no es una fecha válida");
            }
            EXPECT_EQ(r, c.fecha) << c.texto;
        }
    });
    // A written result reads back to the millisecond, the time too.
    const double v = LeerFecha("31/12/2024 23:59:59.95", En(O::DiaMesAnio));
    EXPECT_EQ(LeerFecha(EscribirFechaLarga(v), En(O::MesDiaAnio)), v);
    EXPECT_EQ(EscribirFecha(v, O::AnioMesDia, true), "2024/12/31 23:59:59");
}

TEST(Fechas, DurationsReadBackFromFormatZero) {
    // Every whole second of three days reads exactly.
    for (int k = 0; k <= 3 * 86400; ++k) {
        const double v = k / 86400.0;
        const auto leido = LeerDuracion(EscribirDuracion(v, F::HorasMinutos));
        ASSERT_TRUE(leido && *leido == v) << k;
    }
    std::mt19937_64 azar(7);
    std::uniform_real_distribution<double> dist(-5e5, 5e5);
    for (int i = 0; i < 20000; ++i) {
        const double v = dist(azar) * (i % 3 == 0 ? 1e-5 : 1);
        const std::string t = EscribirDuracion(v, F::HorasMinutos);
        const auto leido = LeerDuracion(t);
        ASSERT_TRUE(leido.has_value()) << t;
        ASSERT_LE(std::fabs(*leido - v) * 86400000, 1) << t;
    }
}

TEST(Fechas, AFormatWritesEachPanelsLastDurationAgain) {
    TCalculoFechas calc(En(OrdenFecha::DiaMesAnio));
    calc.Calcular(T::Diferencia, {"01/03/2024", "28/02/2024"});
    calc.Calcular(T::TiempoMasTiempo, {"1:30", "0:45"});
    calc.SetFormato(F::Horas);
    EXPECT_EQ(calc.Reescribir(0), "48");
    EXPECT_EQ(calc.Reescribir(1), "2.25");
    calc.Calcular(T::TiempoEntreTiempo, {"1", "2"});  // a plain number is not a duration
    EXPECT_EQ(calc.Reescribir(1), std::nullopt);
}

}  // namespace
}  // namespace numbrix
