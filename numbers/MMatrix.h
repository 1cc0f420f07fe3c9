#pragma once
// Complex matrices (real ones are complex with zero imaginary parts): sums,
// products, in-place transpose, row and column editing, determinant and
// inverse by elimination pivoting on the largest modulus, and the exchange
// with a table of cell texts. Failures raise ErrorComplejo with the text the
// user sees.
#include "numbers/MComplex.h"
#include "numbers/RejillaMatriz.h"
#include "support/Trabajo.h"

namespace numbrix {

// Sizes, row and column editing and the in-place Traspone come from the
// shared storage; a zero element is stored as +0+0i.
class TMatrix : public TRejillaMatriz<TComplejo, ErrorComplejo> {
public:
    TMatrix(int columnas, int filas) : TRejillaMatriz(columnas, filas) {}  // every element 0; sizes 1..255
    // Element (c, r) from cell [filaInicial + r - 1][columnaInicial + c - 1],
    // read with TextoAComplejo; a missing or empty cell is 0.
    static TMatrix CreateDesdeRejilla(const TablaTextos& rejilla, int filas, int columnas, int filaInicial,
                                      int columnaInicial);

    int Intercambios() const { return intercambios_; }  // row exchanges of the last Triangula
    int Paridad() const { return intercambios_ & 1; }

    // Column first, 1-based. Outside the matrix nothing happens (z is kept).
    void Elemento(int c, int r, TComplejo& z) const;
    TComplejo Elemento(int c, int r) const;  // 0 outside the matrix
    void PonElemento(int c, int r, const TComplejo& z);
    void Intercambia(int c1, int r1, int c2, int r2);

    void Suma(const TMatrix& m);
    void Resta(const TMatrix& m);
    // Polls `sondeo` once per row of the result.
    static TMatrix Producto(const TMatrix& a, const TMatrix& b, const TokenCancelar& sondeo = {});
    // The eliminations poll `sondeo` once per pivot and raise ECancelado
    // when it answers true, leaving the matrix as it was.
    // Row-echelon form in place, pivoting on the largest modulus down each
    // column; counts the row exchanges.
    void Triangula(const TokenCancelar& sondeo = {});
    // Of the leading square block when there are more columns than rows.
    void Determinante(TComplejo& z) const;
    TComplejo Determinante(const TokenCancelar& sondeo = {}) const;
    void Invierte(const TokenCancelar& sondeo = {});  // "La matriz no tiene inversa" when singular
    // The inverse in place, or false (matrix unchanged) when singular. A
    // pivot counts as zero when its modulus is at most n * LDBL_EPSILON times
    // the largest modulus of its row in the original matrix: rounding alone
    // leaves that much of an exactly singular matrix.
    bool InvierteSiRegular(const TokenCancelar& sondeo = {});

    void ARejilla(TablaTextos& rejilla, int columnaInicial = 1, int filaInicial = 1) const;

    friend bool operator==(const TMatrix&, const TMatrix&) = default;

private:
    int intercambios_ = 0;
};

}  // namespace numbrix
