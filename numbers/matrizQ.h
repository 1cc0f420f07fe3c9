#pragma once
// Exact rational matrices: sums, products, transpose, determinant by
// fraction-free elimination, inverse and linear systems by elimination, and
// the exchange with a table of cell texts (the window's grid).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "numbers/fraccion.h"

namespace numbrix {

// A grid as plain texts, [row][column]; rows may be ragged (a missing cell
// reads as empty). The windows copy their grids to and from it.
using TablaTextos = std::vector<std::vector<std::string>>;

// Yes/No question put to the user: (caption, text) -> true for Yes.
using PreguntaSiNo = std::function<bool(const std::string& titulo, const std::string& texto)>;

class EMatriz : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

// Both matrix kinds keep 8-bit dimensions.
constexpr int kDimensionMaximaMatriz = 255;
extern const char* const kMensajeDimensiones;

class TMatriz {
public:
    TMatriz(int columnas, int filas);  // every element 0
    // Size from the table less its fixed rows and columns; cells read with
    // TextoAFrac, an empty cell is 0.
    static TMatriz CreateDesdeRejilla(const TablaTextos& rejilla, const AjustesFraccion& ajustes,
                                      int columnasFijas = 1, int filasFijas = 1);
    void Dimensiona(int columnas, int filas);  // every element 0 again

    int Columnas() const { return columnas_; }
    int Filas() const { return filas_; }
    // Column first, 1-based, as the window numbers cells.
    const TFrac& Elemento(int c, int r) const;
    void PonElemento(int c, int r, const TFrac& f);

    void IntercambiaFilas(int a, int b);
    void AgregaFila();
    void AgregaColumna();
    void BorraFila(int r);
    void BorraColumna(int c);

    void Suma(const TMatriz& m);
    void Resta(const TMatriz& m);
    void PorEscalar(const TFrac& f);
    static TMatriz Producto(const TMatriz& a, const TMatriz& b);
    static TMatriz Cuadrado(const TMatriz& a);
    static TMatriz Traspuesta(const TMatriz& a);
    // Of the leading square block when there are more columns than rows.
    static TFrac Determinante(const TMatriz& a);
    void Invierte();
    // Row-echelon form in place (pivot search down each column in turn).
    // The determinant, inverse and solutions are computed fraction-free on
    // integers, so they fail only when a result itself does not fit.
    void Triangula();
    // Solves the system whose first Filas() columns are the coefficients and
    // the rest one or more right-hand sides. A singular system asks the user
    // whether to see the triangulation: Yes returns it, No returns nothing.
    std::optional<TMatriz> Resuelve(const PreguntaSiNo& pregunta) const;

    // Writes the elements' texts (ATextoModo mode) into the table, sized to
    // the fixed rows and columns plus the matrix; fixed cells are kept.
    void ARejilla(TablaTextos& rejilla, int modo, int columnasFijas = 1, int filasFijas = 1) const;

    friend bool operator==(const TMatriz&, const TMatriz&) = default;

private:
    TFrac& En(int c, int r) { return e_[static_cast<std::size_t>((r - 1) * columnas_ + (c - 1))]; }
    const TFrac& En(int c, int r) const { return e_[static_cast<std::size_t>((r - 1) * columnas_ + (c - 1))]; }

    int columnas_ = 0;
    int filas_ = 0;
    std::vector<TFrac> e_;  // row-major
};

}  // namespace numbrix
