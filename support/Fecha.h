#pragma once
// Day counts: the calculator writes a date as the number of days since
// 30 December 1899, with the time of day as the fraction.
#include <cstdint>
#include <ctime>
#include <functional>

namespace numbrix {

// Days from 30 December 1899 to the given day of the proleptic Gregorian
// calendar (negative before it).
std::int64_t DiasDesde1899(std::int64_t anio, unsigned mes, unsigned dia);

// The local date and time `t` (seconds since the epoch plus a fraction) as a
// day count with the time of day as the fraction.
long double FechaEnDias(std::time_t t, long double fraccionSegundo = 0);

// A day of the proleptic Gregorian calendar.
struct FechaCivil {
    std::int64_t Anio = 1899;
    unsigned Mes = 12, Dia = 30;
    bool operator==(const FechaCivil&) const = default;
};

// The inverse of DiasDesde1899.
FechaCivil FechaDeDias(std::int64_t dias);
// 0 Sunday ... 6 Saturday.
int DiaSemana(std::int64_t dias);

// The local civil date and time, with no time zone: what a clock shows.
struct FechaHoraCivil {
    FechaCivil Fecha;
    unsigned Hora = 0, Minuto = 0, Segundo = 0, Milisegundo = 0;
};
using RelojCivil = std::function<FechaHoraCivil()>;

// The clock every "now" reads: the system's local time unless replaced
// (tests fix it); an empty function brings the system's back.
void FijarRelojCivil(RelojCivil reloj);
FechaHoraCivil AhoraCivil();
// A civil date and time as a day count, to the millisecond.
long double DiasDeFechaHora(const FechaHoraCivil& f);

// Now, in local time, from AhoraCivil.
long double AhoraEnDias();

}  // namespace numbrix
