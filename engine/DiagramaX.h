#pragma once
// Formula layout of the real-mode engine: how its numbers are typeset, and
// the typesetting of the built-ins that have their own (Rcp, sqr, sqrt, exp,
// exp10, Abs, Fact, Cmb). Include this, not Diagrama.h alone, to lay out a
// real-mode tree.
#include <utility>

#include "engine/Diagrama.h"
#include "engine/ExpresionX.h"

namespace numbrix {

template <>
struct DibujoDominio<DominioReal> {
    static PartesNumero Partes(const TNum<DominioReal>& n);
    static CajaFormula MedirNumero(Diagrama<DominioReal>& d, const TNum<DominioReal>& n, int tam);
    static void DibujarNumero(Diagrama<DominioReal>& d, const TNum<DominioReal>& n, int x, int y, int tam);
    static bool EsCero(const TNum<DominioReal>& n) { return n.ValorGuardado == 0; }
    static bool EsDos(const TNum<DominioReal>& n) { return n.ValorGuardado == 2; }
    static bool Negativo(const TNum<DominioReal>& n) { return n.ValorGuardado < 0; }
};

using DiagramaX = Diagrama<DominioReal>;
using ProcsDibujoX = std::pair<ProcMedir<DominioReal>, ProcDibujar<DominioReal>>;

// The built-ins' own typesetting, attached when the table is registered.
ProcsDibujoX DibujoReciprocoX();   // x⁻¹
ProcsDibujoX DibujoCuadradoX();    // x²
ProcsDibujoX DibujoRaizX();        // √x
ProcsDibujoX DibujoExpX();         // eˣ
ProcsDibujoX DibujoExp10X();       // 10ˣ
ProcsDibujoX DibujoAbsX();         // |x|
ProcsDibujoX DibujoFactorialX();   // x!
ProcsDibujoX DibujoBinomialX();    // (n over k)

}  // namespace numbrix
