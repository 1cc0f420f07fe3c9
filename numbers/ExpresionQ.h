#pragma once
// The rational-mode engine: TExpresion over exact fractions, with its few
// built-ins (reciprocal, square, square root, absolute value) and the fixed
// conditional and logarithm to a base.
#include "engine/Expresion.h"
#include "numbers/ExprBaseQ.h"

namespace numbrix {

using TExpresionQ = TExpresion<DominioRacional>;

// "Si/If" and "LogBase/LogN": registered whenever a registry is filled.
void RegistrarFijasQ(TExpresionQ& e);
// "Rcp", "sqr/cuad", "sqrt/raiz", "Abs": registered when Predefinidas is set.
void RegistrarPredefinidasQ(TExpresionQ& e);

}  // namespace numbrix
