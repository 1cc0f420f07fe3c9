// expr.lst: any file loads (damage dropped and reported), saves and loads
// back as the same entries.
#include "Arnes.h"
#include "shell/Historial.h"

using namespace numbrix;

NUMBRIX_ARNES(historial) {
    const auto ruta = fuzz::ComoArchivo(entrada, "expr.lst");
    THistorial h;
    h.Cargar(ruta);
    h.Guardar(ruta);
    THistorial otra;
    const auto informe = otra.Cargar(ruta);
    fuzz::Exigir(informe.empty(), "un archivo recién escrito da problemas");
    fuzz::Exigir(otra.Cantidad() == h.Cantidad(), "las entradas no vuelven");
    for (std::size_t i = 0; i < h.Cantidad(); ++i)
        fuzz::Exigir(otra.Entradas()[i] == h.Entradas()[i], "una entrada cambia");
}
