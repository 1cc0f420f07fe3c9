#pragma once
// Complex matrices (real ones are complex with zero imaginary parts): sums,
// products, in-place transpose, row and column editing, determinant and
// inverse by elimination pivoting on the largest modulus, and the exchange
// with a table of cell texts. Failures raise ErrorComplejo with the text the
// user sees.
#include <string>
#include <vector>

#include "numbers/MComplex.h"

namespace numbrix {

// A grid as plain texts, [row][column] (the same alias as the rational matrices').
using TablaTextos = std::vector<std::vector<std::string>>;

class TMatrix {
public:
    TMatrix(int columnas, int filas);  // every element 0; sizes 1..255
    // Element (c, r) from cell [filaInicial + r - 1][columnaInicial + c - 1],
    // read with TextoAComplejo; a missing or empty cell is 0.
    static TMatrix CreateDesdeRejilla(const TablaTextos& rejilla, int filas, int columnas, int filaInicial,
                                      int columnaInicial);

    int Columnas() const { return columnas_; }
    int Filas() const { return filas_; }
    int Intercambios() const { return intercambios_; }  // row exchanges of the last Triangula
    int Paridad() const { return intercambios_ & 1; }

    // Column first, 1-based. Outside the matrix nothing happens (z is kept).
    void Elemento(int c, int r, TComplejo& z) const;
    TComplejo Elemento(int c, int r) const;  // 0 outside the matrix
    void PonElemento(int c, int r, const TComplejo& z);
    void Intercambia(int c1, int r1, int c2, int r2);

    void AgregaFila();
    void AgregaColumna();
    void BorraFila(int r);
    void BorraColumna(int c);
    void Traspone();

    void Suma(const TMatrix& m);
    void Resta(const TMatrix& m);
    static TMatrix Producto(const TMatrix& a, const TMatrix& b);
    // Row-echelon form in place, pivoting on the largest modulus down each
    // column; counts the row exchanges.
    void Triangula();
    // Of the leading square block when there are more columns than rows.
    void Determinante(TComplejo& z) const;
    TComplejo Determinante() const;
    void Invierte();  // "La matriz no tiene inversa" when singular

    void ARejilla(TablaTextos& rejilla, int columnaInicial = 1, int filaInicial = 1) const;

    friend bool operator==(const TMatrix&, const TMatrix&) = default;

private:
    TComplejo& En(int c, int r) { return e_[static_cast<std::size_t>((r - 1) * columnas_ + (c - 1))]; }
    const TComplejo& En(int c, int r) const { return e_[static_cast<std::size_t>((r - 1) * columnas_ + (c - 1))]; }
    bool Dentro(int c, int r) const { return c >= 1 && c <= columnas_ && r >= 1 && r <= filas_; }

    int columnas_ = 0;
    int filas_ = 0;
    int intercambios_ = 0;
    std::vector<TComplejo> e_;  // row-major; a zero element is stored as +0+0i
};

}  // namespace numbrix
