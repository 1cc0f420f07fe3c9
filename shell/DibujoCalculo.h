#pragma once
// Typesetting of the calculus functions the shell adds to the engine: the
// summation and product signs with their limits below and above and the
// body at the right, and the integral sign with its limits beside it, the
// body and "dx". The session registers them with the functions.
#include <utility>

#include "engine/ExprBaseX.h"

namespace numbrix {

using ProcsDibujoCalculo = std::pair<ProcMedir<DominioReal>, ProcDibujar<DominioReal>>;

ProcsDibujoCalculo DibujoSumatoria();  // Sumatoria(i, j, f): ∑ from i to j of f
ProcsDibujoCalculo DibujoProducto();   // Producto(i, j, f): ∏ from i to j of f
ProcsDibujoCalculo DibujoIntegral();   // Integrar(a, b[, n], f): ∫ from a to b of f dx

}  // namespace numbrix
