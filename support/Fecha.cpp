#include "support/Fecha.h"

#include <algorithm>
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

FechaCivil FechaDeDias(std::int64_t dias) {
    // The inverse of the count above, by the same 400-year eras.
    const std::int64_t z = dias - 25569 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const auto dia = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
    const auto mes = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (mes <= 2), mes, dia};
}

int DiaSemana(std::int64_t dias) {
    // Day 0, 30 December 1899, was a Saturday.
    return static_cast<int>(((dias + 6) % 7 + 7) % 7);
}

namespace {

FechaHoraCivil RelojSistema() {
    using namespace std::chrono;
    const auto ahora = system_clock::now();
    auto s = time_point_cast<seconds>(ahora);
    if (s > ahora) s -= seconds(1);
    const std::time_t t = system_clock::to_time_t(s);
    std::tm tm{};
    localtime_r(&t, &tm);
    FechaHoraCivil f;
    f.Fecha = {tm.tm_year + 1900LL, static_cast<unsigned>(tm.tm_mon + 1), static_cast<unsigned>(tm.tm_mday)};
    f.Hora = static_cast<unsigned>(tm.tm_hour);
    f.Minuto = static_cast<unsigned>(tm.tm_min);
    f.Segundo = static_cast<unsigned>(std::min(tm.tm_sec, 59));  // a leap second stays in its minute
    f.Milisegundo = static_cast<unsigned>(duration_cast<milliseconds>(ahora - s).count());
    return f;
}

RelojCivil& Reloj() {
    static RelojCivil r;
    return r;
}

}  // namespace

void FijarRelojCivil(RelojCivil reloj) { Reloj() = std::move(reloj); }

FechaHoraCivil AhoraCivil() { return Reloj() ? Reloj()() : RelojSistema(); }

long double DiasDeFechaHora(const FechaHoraCivil& f) {
    const long double ms = ((f.Hora * 60.0L + f.Minuto) * 60 + f.Segundo) * 1000 + f.Milisegundo;
    return static_cast<long double>(DiasDesde1899(f.Fecha.Anio, f.Fecha.Mes, f.Fecha.Dia)) + ms / 86400000.0L;
}

long double AhoraEnDias() { return DiasDeFechaHora(AhoraCivil()); }

}  // namespace numbrix
