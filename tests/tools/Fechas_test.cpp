// The dates window's arithmetic at a fixed clock (2025) under three time
// zones: none of them may change a result.
#include "tools/Fechas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace numbrix {
namespace {

using F = FormatoDuracion;
using O = OrdenFecha;

LocalFechas En(O o) { return {o, [] { return FechaHoraCivil{{2025, 6, 15}, 10, 0, 0, 0}; }}; }

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

std::string Intentar(const std::function<std::string()>& f) try { return f(); } catch (const std::exception& e) {
    return e.what();
}

TEST(Fechas, Computations) {
    const std::string h = " no es formato de hora válido", fv = " no es una fecha válida";
    const std::string ov = "Desbordamiento de punto flotante", fr = "Fecha fuera de rango";
    const std::string cero = "División de punto flotante entre cero", inv = "Operación de punto flotante inválida";
    // Type, format (0 HH:MM:SS, 1 days, 2 hours, 3 minutes, 4 seconds), boxes, result.
    struct Caso { int tipo, formato; std::string a, b, c, esperado; } casos[] = {
        {0, 0, "01/03/2024", "28/02/2024", "", "2 d.  00:00:00"}, {0, 1, "28/02/2100", "01/03/2100", "", "1"},
        {0, 1, "01/03/2024", "", "", ""}, {0, 1, "", "01/03/2024", "", ""},
        {0, 0, "29/12/1899 12:00", "31/12/1899 12:00", "", "2 d.  00:00:00"},
        // Clock changes in Madrid and New York move nothing.
        {0, 1, "30/03/2024", "01/04/2024", "", "2"}, {0, 2, "31/03/2024 02:30", "30/03/2024 02:30", "", "24"},
        {0, 0, "10/03/2024 1:59:59.5", "10/03/2024 03:00", "", "0 d.  01:00:00.5"},
        {0, 1, "31/02/2024", "01/03/2024", "", "\"31/02/2024\"" + fv},
        {1, 1, "31/12/2024", "1.5", "", "miércoles 01/01/2025 12:00:00.0"},
        {1, 1, "31/12/2024", "2.5", "", "jueves 02/01/2025 12:00:00.0"},
        {1, 1, "28/02/2024", "1", "", "jueves 29/02/2024 00:00:00.0"},
        {1, 1, "01/01/2025 00:00:00.05", "0", "", "miércoles 01/01/2025 00:00:00.05"},
        {1, 1, "01/01/2025 00:00:00.5", "-1", "", "martes 31/12/2024 00:00:00.5"},
        {1, 1, "29/02/2023", "1", "", "\"29/02/2023\"" + fv}, {1, 1, "31/12/2024", "", "", ""},
        {1, 1, "31/12/2024", "1,5", "", "'1,5' no es un valor punto flotante válido"},
        {1, 1, "01/01/0001", "-0.5", "", fr}, {1, 1, "31/12/9999", "1", "", fr}, {1, 1, "31/12/9999", "1e300", "", fr},
        {2, 3, "1:30", "0:45", "", "135"}, {2, 3, "1:30", "", "0:45", "135"}, {2, 1, "2d 12", "", "", "2.5"},
        {2, 4, "3 d.  04:05:06", "", "", "273906"}, {2, 3, "-0:45", "1", "", "15"},
        {2, 0, "0:13:07", "", "", "0 d.  00:13:07"}, {2, 0, "-6", "", "", "-0 d.  06:00:00"},
        {2, 0, "7:45", "7:45", "7:45", "0 d.  23:15:00"}, {2, 2, "5-3", "", "", "5-3" + h},
        {2, 2, "1:-30", "", "", "1:-30" + h}, {2, 2, "1", "--1:00", "", "--1:00" + h},
        {2, 2, "1:2:3:4", "", "", "1:2:3:4" + h}, {2, 2, "1e5", "", "", "1e5" + h}, {2, 2, "d 1", "", "", "d 1" + h},
        {2, 2, "1:+3", "", "", "1:+3" + h}, {2, 2, "1:", "", "", ""}, {2, 2, "1", "2::3", "", ""},
        {2, 2, std::string(400, '9'), "", "", ov}, {2, 2, "1000000000000d", "1", "", ov},
        {3, 2, "2d 12", "12", "", "5"}, {3, 2, "2d 12", "", "", ""}, {3, 2, "1", "0", "", cero},
        {3, 2, "0", "0:0", "", inv}, {3, 2, "100000d", "0:0:0." + std::string(305, '0') + "1", "", ov},
        {4, 0, "7:45", "3", "", "0 d.  23:15:00"}, {4, 2, "7:45", "", "", ""}, {4, 2, "100000d", "1e300", "", ov},
        {5, 0, "2d 12", "-2", "", "-1 d.  06:00:00"}, {5, 2, "1", "", "", ""}, {5, 2, "1", "0", "", cero},
        {5, 2, "0", "0", "", inv},
    };
    EnCadaZona([&] {
        for (const auto& c : casos) {
            TCalculoFechas calc(En(O::DiaMesAnio));
            calc.SetFormato(static_cast<F>(c.formato));
            EXPECT_EQ(calc.Calcular(static_cast<TipoCalculoFecha>(c.tipo), {c.a, c.b, c.c}), c.esperado)
                << c.a << " | " << c.b;
        }
    });
}

TEST(Fechas, EveryFormatRoundsToTheMillisecondAndKeepsTheSign) {
    const std::string d = "Desbordamiento de punto flotante";
    const std::pair<double, std::array<std::string, kFormatosDuracion>> casos[] = {
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
    for (const auto& [dias, textos] : casos)
        for (int f = 0; f < kFormatosDuracion; ++f)
            EXPECT_EQ(Intentar([&] { return EscribirDuracion(dias, static_cast<F>(f)); }), textos[std::size_t(f)])
                << dias << " formato " << f;
}

TEST(Fechas, DateTextsInEachOrderWithTwoDigitYears) {
    // "text=day/month/year", or a text refused.
    const std::pair<O, std::vector<std::string>> casos[] = {
        {O::DiaMesAnio, {"01/03/24=01/03/2024", "1-3-1980=01/03/1980", "1.3.80 7:05=01/03/1980", "01/03/74=01/03/2074",
                         "01/03/75=01/03/1975", "03/13/2024", "2024/03/01", "01/03/024", "01/03", "01/03/2024 24:00",
                         "01/03/2024 1:5", "01/03/2024x", "00/03/2024", "01/03/202412:00"}},
        {O::MesDiaAnio, {"03/01/24=01/03/2024", "13/01/24", "jueves 02/01/2025 12:00:00.0=02/01/2025"}},
        {O::AnioMesDia, {"24/03/01=01/03/2024", "2024-3-1 23:59:59.999=01/03/2024", "Sábado 01/03/2025=01/03/2025"}},
    };
    EnCadaZona([&] {
        for (const auto& [orden, textos] : casos)
            for (const std::string& c : textos) {
                const std::string texto = c.substr(0, c.find('=')), fecha = c.substr(texto.size() + (texto != c));
                EXPECT_EQ(Intentar([&] { return EscribirFecha(LeerFecha(texto, En(orden)), O::DiaMesAnio, false); }),
                          fecha.empty() ? "\"" + texto + "\" no es una fecha válida" : fecha);
            }
    });
    // A written result reads back to the millisecond, the time too.
    const double v = LeerFecha("31/12/2024 23:59:59.95", En(O::DiaMesAnio));
    EXPECT_EQ(LeerFecha(EscribirFechaLarga(v), En(O::MesDiaAnio)), v);
    EXPECT_EQ(EscribirFecha(v, O::AnioMesDia, true), "2024/12/31 23:59:59");
}

TEST(Fechas, DurationsReadBackFromFormatZero) {
    for (int k = 0; k <= 3 * 86400; ++k) {  // every whole second exactly
        const auto leido = LeerDuracion(EscribirDuracion(k / 86400.0, F::HorasMinutos));
        ASSERT_TRUE(leido && *leido == k / 86400.0) << k;
    }
    std::mt19937_64 azar(7);
    std::uniform_real_distribution<double> dist(-5e5, 5e5);
    for (int i = 0; i < 20000; ++i) {
        const double v = dist(azar) * (i % 3 == 0 ? 1e-5 : 1);
        const auto leido = LeerDuracion(EscribirDuracion(v, F::HorasMinutos));
        ASSERT_TRUE(leido && std::fabs(*leido - v) * 86400000 <= 1) << EscribirDuracion(v, F::HorasMinutos);
    }
}

}  // namespace
}  // namespace numbrix
