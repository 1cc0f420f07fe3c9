#pragma once
// Exact rational matrices: sums, products, transpose, determinant by
// fraction-free elimination, inverse and linear systems by elimination, and
// the exchange with a table of cell texts (the window's grid).
#include <functional>
#include <optional>
#include <string>

#include "numbers/RejillaMatriz.h"
#include "numbers/fraccion.h"
#include "support/Trabajo.h"

namespace numbrix {

// Yes/No question put to the user: (caption, text) -> true for Yes.
using PreguntaSiNo = std::function<bool(const std::string& titulo, const std::string& texto)>;

class EMatriz : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

// Sizes, row and column editing and the in-place Traspone come from the
// shared storage.
class TMatriz : public TRejillaMatriz<TFrac, EMatriz> {
public:
    TMatriz(int columnas, int filas) : TRejillaMatriz(columnas, filas) {}  // every element 0
    // Size from the table less its fixed rows and columns; cells read with
    // TextoAFrac, an empty cell is 0.
    static TMatriz CreateDesdeRejilla(const TablaTextos& rejilla, const AjustesFraccion& ajustes,
                                      int columnasFijas = 1, int filasFijas = 1);

    // Column first, 1-based, as the window numbers cells.
    const TFrac& Elemento(int c, int r) const;
    void PonElemento(int c, int r, const TFrac& f);

    void IntercambiaFilas(int a, int b);

    void Suma(const TMatriz& m);
    void Resta(const TMatriz& m);
    void PorEscalar(const TFrac& f);
    // The products poll `sondeo` once per row of the result.
    static TMatriz Producto(const TMatriz& a, const TMatriz& b, const TokenCancelar& sondeo = {});
    static TMatriz Cuadrado(const TMatriz& a, const TokenCancelar& sondeo = {});
    static TMatriz Traspuesta(const TMatriz& a);
    // The eliminations poll `sondeo` once per row of each step and raise
    // ECancelado when it answers true, leaving the matrix as it was.
    // Of the leading square block when there are more columns than rows.
    static TFrac Determinante(const TMatriz& a, const TokenCancelar& sondeo = {});
    void Invierte(const TokenCancelar& sondeo = {});
    // Row-echelon form in place (pivot search down each column in turn).
    // The determinant, inverse and solutions are computed fraction-free on
    // integers, so they fail only when a result itself does not fit.
    void Triangula(const TokenCancelar& sondeo = {});
    // Solves the system whose first Filas() columns are the coefficients and
    // the rest one or more right-hand sides. A singular system asks the user
    // whether to see the triangulation: Yes returns it, No returns nothing.
    std::optional<TMatriz> Resuelve(const PreguntaSiNo& pregunta, const TokenCancelar& sondeo = {}) const;

    // Writes the elements' texts (ATextoModo mode) into the table, sized to
    // the fixed rows and columns plus the matrix; fixed cells are kept.
    void ARejilla(TablaTextos& rejilla, int modo, int columnasFijas = 1, int filasFijas = 1) const;

    friend bool operator==(const TMatriz&, const TMatriz&) = default;
};

}  // namespace numbrix
