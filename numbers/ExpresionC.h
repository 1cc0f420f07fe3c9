#pragma once
// The complex-mode engine: TExpresion over complex numbers, with the
// constant i, the conditional, the logarithm to a base and the built-in
// table (constants, circular and hyperbolic functions and their inverses,
// logarithm, exponential, powers, parts, modulus and argument).
#include "engine/Expresion.h"
#include "numbers/ExprBaseC.h"

namespace numbrix {

using TExpresionC = TExpresion<DominioComplejo>;

// "i", "Si/If", "LogBase/LogN": registered whenever a registry is filled.
void RegistrarFijasC(TExpresionC& e);
// The built-in table, registered when the engine's Predefinidas is set.
void RegistrarPredefinidasC(TExpresionC& e);

}  // namespace numbrix
