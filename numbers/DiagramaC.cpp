// Complex-mode numbers as the formula shows them: the number's own text.
#include "numbers/DiagramaC.h"

namespace numbrix {

std::string DibujoDominio<DominioComplejo>::Texto(const TNum<DominioComplejo>& n) {
    // Typographic minus signs, as everywhere in a formula.
    std::string r;
    for (char c : ComplejoATexto(n.ValorGuardado)) {
        if (c == '-') r += "−";
        else r += c;
    }
    return r;
}

CajaFormula DibujoDominio<DominioComplejo>::MedirNumero(DiagramaC& d, const TNum<DominioComplejo>& n, int tam) {
    return d.MedirTexto(Texto(n), FuenteSerif(tam));
}

void DibujoDominio<DominioComplejo>::DibujarNumero(DiagramaC& d, const TNum<DominioComplejo>& n, int x, int y,
                                                   int tam) {
    const CajaFormula c = MedirNumero(d, n, tam);
    d.DibujarTexto(Texto(n), FuenteSerif(tam), x, y + c.arriba);
}

}  // namespace numbrix
