#pragma once
// The calculus functions the shell adds to a real-mode engine: integral,
// evaluation at a point, sums, products, derivative, determinant and root
// finding. Their arguments arrive unevaluated, so they can evaluate the body
// many times while they drive the prompt variables "x" and "n".
#include <cstdint>
#include <vector>

#include "engine/ExpresionX.h"
#include "shell/VariablePregunta.h"

namespace numbrix {

// Typesetting of one function in the formula view.
struct DibujoFuncion {
    ProcMedir<DominioReal> medir;
    ProcDibujar<DominioReal> dibujar;
};

// Filled by the formula layout; empty procedures draw the plain call.
struct DibujosCalculo {
    DibujoFuncion integral, sumatoria, producto;
};

// Registers "Integrar", "Evaluar", "Sumatoria", "Producto", "Det",
// "Resolver" (only when conResolver) and "Derivar". The functions drive x
// and n: each saves the variable's value and mark, marks it (so the user is
// not asked while it is driven) and puts both back on every way out.
void RegistrarCalculo(TExpresionX& e, VariablePregunta& x, VariablePregunta& n, bool conResolver,
                      const DibujosCalculo& dibujos = {});

// Determinant of the n×n matrix a (row by row) by Gaussian elimination with
// partial pivoting. A column without a nonzero pivot gives 0; an overflow
// raises the engine's overflow error.
long double Determinante(std::vector<long double> a, int n);

// A bound or count rounded to the nearest integer (ties to even). A value
// that is not finite or does not fit in 64 bits raises EMathError(mensaje).
std::int64_t EnteroAcotado(long double v, const char* mensaje);

}  // namespace numbrix
