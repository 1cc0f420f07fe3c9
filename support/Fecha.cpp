#include "support/Fecha.h"

#include <chrono>

namespace numbrix {

std::int64_t DiasDesde1899(std::int64_t anio, unsigned mes, unsigned dia) {
    // Days from 1 March of year 0 by whole 400-year eras (civil calendar).
    anio -= mes <= 2;
    const std::int64_t era = (anio >= 0 ? anio : anio - 399) / 400;
    const std::int64_t yoe = anio - era * 400;
    const std::int64_t doy = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t desdeEpoca = era * 146097 + doe - 719468;  // days since 1970-01-01
    return desdeEpoca + 25569;                                    // 1970-01-01 is day 25569
}

long double FechaEnDias(std::time_t t, long double fraccionSegundo) {
    std::tm tm{};
    localtime_r(&t, &tm);
    long double dias = static_cast<long double>(DiasDesde1899(tm.tm_year + 1900LL, static_cast<unsigned>(tm.tm_mon + 1),
                                                              static_cast<unsigned>(tm.tm_mday)));
    long double segundos = tm.tm_hour * 3600.0L + tm.tm_min * 60.0L + tm.tm_sec + fraccionSegundo;
    return dias + segundos / 86400.0L;
}

long double AhoraEnDias() {
    using namespace std::chrono;
    auto ahora = system_clock::now();
    auto s = time_point_cast<seconds>(ahora);
    if (s > ahora) s -= seconds(1);
    long double frac = duration<long double>(ahora - s).count();
    return FechaEnDias(system_clock::to_time_t(s), frac);
}

}  // namespace numbrix
