#pragma once
// Day counts: the calculator writes a date as the number of days since
// 30 December 1899, with the time of day as the fraction.
#include <cstdint>
#include <ctime>

namespace numbrix {

// Days from 30 December 1899 to the given day of the proleptic Gregorian
// calendar (negative before it).
std::int64_t DiasDesde1899(std::int64_t anio, unsigned mes, unsigned dia);

// The local date and time `t` (seconds since the epoch plus a fraction) as a
// day count with the time of day as the fraction.
long double FechaEnDias(std::time_t t, long double fraccionSegundo = 0);

// Now, in local time.
long double AhoraEnDias();

}  // namespace numbrix
