#pragma once
// The real-mode engine: TExpresion over extended reals with its built-in
// table (constants, trigonometry in the engine's angle unit, logarithms,
// rounding, combinatorics, distributions, conditionals, aggregates).
#include "engine/ExprBaseX.h"
#include "engine/Expresion.h"

namespace numbrix {

using TExpresionX = TExpresion<DominioReal>;

// "Si/If", "Sim/Ifm", "LogBase/LogN": registered whenever a registry is filled.
void RegistrarFijasX(TExpresionX& e);
// The built-in table, registered when the engine's Predefinidas is set.
void RegistrarPredefinidasX(TExpresionX& e);

// Helpers of the built-ins (also used by the shell and the tools).
long double Factorial(long double x);          // invalid operation below 0
long double FactorialEntero(long long n);      // invalid argument below 0
long double Combinaciones(long long n, long long k);
long double NormalAcumulada(long double x);    // Boole's rule, 100 panels

}  // namespace numbrix
