#pragma once
// Formula layout of the complex-mode engine: a number shows as its text.
#include "engine/Diagrama.h"
#include "numbers/ExpresionC.h"

namespace numbrix {

template <>
struct DibujoDominio<DominioComplejo> {
    static std::string Texto(const TNum<DominioComplejo>& n);
    static CajaFormula MedirNumero(Diagrama<DominioComplejo>& d, const TNum<DominioComplejo>& n, int tam);
    static void DibujarNumero(Diagrama<DominioComplejo>& d, const TNum<DominioComplejo>& n, int x, int y, int tam);
    static bool EsCero(const TNum<DominioComplejo>& n) {
        return n.ValorGuardado.Re == 0 && n.ValorGuardado.Im == 0;
    }
    static bool EsDos(const TNum<DominioComplejo>& n) { return n.ValorGuardado.Re == 2 && n.ValorGuardado.Im == 0; }
    // A negative real, or any number with both parts, reads as an operation.
    static bool Negativo(const TNum<DominioComplejo>& n) {
        return (n.ValorGuardado.Im == 0 && n.ValorGuardado.Re < 0) ||
               (n.ValorGuardado.Im != 0 && n.ValorGuardado.Re != 0) || n.ValorGuardado.Im < 0;
    }
};

using DiagramaC = Diagrama<DominioComplejo>;

}  // namespace numbrix
