// Fraction and complex texts as the windows read them: a fraction read
// writes back as the same fraction in both forms; a complex text reads or
// raises its own error.
#include "Arnes.h"
#include "numbers/MComplex.h"
#include "numbers/fraccion.h"

using namespace numbrix;

NUMBRIX_ARNES(textos_numeros) {
    for (bool mixto : {false, true}) {
        AjustesFraccion a;
        a.FormatoMixto = mixto;
        try {
            const auto f = TextoAFrac(entrada, a);
            if (!f) continue;
            const auto otra = TextoAFrac(f->ATexto(a), a);
            fuzz::Exigir(otra && otra->Num() == f->Num() && otra->Den() == f->Den(), "la fracción no vuelve");
        } catch (const ENumbrix&) {
        }
    }
    try {
        const TComplejo z = TextoAComplejo(entrada);
        (void)ComplejoATexto(z);
    } catch (const ENumbrix&) {
    }
}
