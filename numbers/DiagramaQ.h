#pragma once
// Formula layout of the rational-mode engine: a fraction is stacked, a mixed
// number (when the engine shows fractions mixed) has a bold whole part.
#include "engine/Diagrama.h"
#include "numbers/ExpresionQ.h"

namespace numbrix {

template <>
struct DibujoDominio<DominioRacional> {
    static CajaFormula MedirNumero(Diagrama<DominioRacional>& d, const TNum<DominioRacional>& n, int tam);
    static void DibujarNumero(Diagrama<DominioRacional>& d, const TNum<DominioRacional>& n, int x, int y, int tam);
    static bool EsCero(const TNum<DominioRacional>& n) { return n.ValorGuardado.Num() == 0; }
    static bool EsDos(const TNum<DominioRacional>& n) {
        return n.ValorGuardado.Num() == 2 && n.ValorGuardado.Den() == 1;
    }
    static bool Negativo(const TNum<DominioRacional>& n) { return n.ValorGuardado.Num() < 0; }
};

using DiagramaQ = Diagrama<DominioRacional>;

}  // namespace numbrix
