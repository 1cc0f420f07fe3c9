// The number reader: any text reads as a number or fails with a message;
// a number read writes back in the shortest text that reads back exactly,
// and every display writer takes it in every base.
#include "Arnes.h"
#include "engine/bases2_36.h"

using namespace numbrix;

NUMBRIX_ARNES(numeros) {
    const LecturaNumero l = LeerNumero(entrada);
    if (l.Error()) {
        fuzz::Exigir(!l.Mensaje().empty(), "un fallo sin mensaje");
        return;
    }
    const std::string exacto = RealATextoExacto(l.valor);
    const LecturaNumero otra = LeerNumero(exacto);
    fuzz::Exigir(!otra.Error() && otra.valor == l.valor, "RealATextoExacto no se lee igual");
    FormatoNumero f;
    for (int base : {2, 10, 16, 36})
        for (int notacion = 0; notacion < 3; ++notacion) {
            f.Notacion = static_cast<NotacionNumero>(notacion);
            f.Decimales = base == 10 ? 0 : 16;
            fuzz::Exigir(!RealABase(base, l.valor, f).empty(), "texto vacío");
        }
}
