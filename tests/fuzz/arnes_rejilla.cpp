// A grid's text (a .gri file or a paste) into both matrix kinds.
#include "Arnes.h"
#include "numbers/MMatrix.h"
#include "numbers/matrizQ.h"
#include "support/TablaTextos.h"

using namespace numbrix;

NUMBRIX_ARNES(rejilla) {
    TTablaTextos tabla;
    if (!tabla.LeerTextoGrid(entrada)) return;
    const int columnas = tabla.Columnas(), filas = tabla.Filas();
    if (columnas - 1 > kDimensionMaximaMatriz || filas - 1 > kDimensionMaximaMatriz) return;
    TablaTextos celdas(static_cast<std::size_t>(filas), std::vector<std::string>(static_cast<std::size_t>(columnas)));
    for (int r = 0; r < filas; ++r)
        for (int c = 0; c < columnas; ++c) celdas[r][c] = tabla.Celda(c, r);
    try {
        TMatriz q = TMatriz::CreateDesdeRejilla(celdas, AjustesFraccion{});
        fuzz::Exigir(q.Columnas() == columnas - 1 && q.Filas() == filas - 1, "la matriz racional cambia de tamaño");
    } catch (const ENumbrix&) {
    }
    try {
        TMatrix z = TMatrix::CreateDesdeRejilla(celdas, filas - 1, columnas - 1, 1, 1);
        fuzz::Exigir(z.Columnas() == columnas - 1 && z.Filas() == filas - 1, "la matriz compleja cambia de tamaño");
    } catch (const ENumbrix&) {
    }
    fuzz::Exigir(TTablaTextos().LeerTextoGrid(tabla.TextoGrid()), "el texto escrito no se lee");
}
