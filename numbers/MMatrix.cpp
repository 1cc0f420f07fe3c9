#include "numbers/MMatrix.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

namespace numbrix {

namespace {

constexpr char kDistintoTamano[] = "Las matrices no son conformables para la suma (distinto tamaño)";

// Stored zeros are +0+0i, whatever the sign of a zero that arrives.
TComplejo SinCeroNegativo(const TComplejo& z) { return CEsCero(z) ? TComplejo{} : z; }

long double Peso(const TComplejo& z) { return std::hypot(z.Re, z.Im); }

// The inner loops of elimination use plain arithmetic; a non-finite value
// propagates, and the caller checks the whole block once at the end.
inline void RestaProducto(TComplejo& x, const TComplejo& f, const TComplejo& y) {
    x.Re -= f.Re * y.Re - f.Im * y.Im;
    x.Im -= f.Re * y.Im + f.Im * y.Re;
}

void ComprobarFinitos(const std::vector<TComplejo>& m) {
    for (const TComplejo& z : m) Complejo(z.Re, z.Im);  // raises on inf or NaN
}

// Elimination with partial pivoting by modulus on a row-major block of
// n rows and `cols` columns, pivots in the first `colsPivote` columns.
// Returns the number of row exchanges; *completo is false when some pivot
// column had no non-zero element. With `umbral` (one bound per row, moved
// with its row) a pivot not above its row's bound counts as zero.
int Elimina(std::vector<TComplejo>& m, int n, int cols, int colsPivote, bool* completo, const TokenCancelar& sondeo,
            std::vector<long double>* umbral = nullptr) {
    auto at = [&](int r, int c) -> TComplejo& { return m[static_cast<std::size_t>(r * cols + c)]; };
    int intercambios = 0;
    *completo = true;
    int r = 0;
    for (int c = 0; c < colsPivote && r < n; ++c) {
        ComprobarToken(sondeo);
        int p = r;
        long double mejor = Peso(at(r, c));
        for (int i = r + 1; i < n; ++i) {
            long double w = Peso(at(i, c));
            if (w > mejor) {
                p = i;
                mejor = w;
            }
        }
        if (mejor == 0 || (umbral && mejor <= (*umbral)[static_cast<std::size_t>(p)])) {
            *completo = false;
            continue;
        }
        if (p != r) {
            for (int k = 0; k < cols; ++k) std::swap(at(p, k), at(r, k));
            if (umbral) std::swap((*umbral)[static_cast<std::size_t>(p)], (*umbral)[static_cast<std::size_t>(r)]);
            ++intercambios;
        }
        TComplejo inverso = CReciproco(at(r, c));
        for (int j = r + 1; j < n; ++j) {
            if (CEsCero(at(j, c))) continue;
            TComplejo f = CProducto(at(j, c), inverso);
            at(j, c) = {0, 0};
            TComplejo* fila = &at(j, 0);
            const TComplejo* pivote = &at(r, 0);
            for (int k = c + 1; k < cols; ++k)
                if (pivote[k].Re != 0 || pivote[k].Im != 0) RestaProducto(fila[k], f, pivote[k]);
        }
        ++r;
    }
    ComprobarFinitos(m);
    return intercambios;
}

}  // namespace

TMatrix TMatrix::CreateDesdeRejilla(const TablaTextos& rejilla, int filas, int columnas, int filaInicial,
                                    int columnaInicial) {
    TMatrix m(columnas, filas);
    m.LeeCeldas(rejilla, columnaInicial, filaInicial,
                [](TComplejo& z, const std::string& texto) { z = SinCeroNegativo(TextoAComplejo(texto)); });
    return m;
}

void TMatrix::Elemento(int c, int r, TComplejo& z) const {
    if (Dentro(c, r)) z = En(c, r);
}

TComplejo TMatrix::Elemento(int c, int r) const { return Dentro(c, r) ? En(c, r) : TComplejo{}; }

void TMatrix::PonElemento(int c, int r, const TComplejo& z) {
    if (Dentro(c, r)) En(c, r) = SinCeroNegativo(z);
}

void TMatrix::Intercambia(int c1, int r1, int c2, int r2) {
    if (Dentro(c1, r1) && Dentro(c2, r2)) std::swap(En(c1, r1), En(c2, r2));
}

void TMatrix::Suma(const TMatrix& m) { Combina(m, kDistintoTamano, CSuma); }

void TMatrix::Resta(const TMatrix& m) { Combina(m, kDistintoTamano, CResta); }

TMatrix TMatrix::Producto(const TMatrix& a, const TMatrix& b, const TokenCancelar& sondeo) {
    if (a.columnas_ != b.filas_)
        throw ErrorComplejo("El número de columnas de la primera matriz no coincide con el número de filas de la segunda.");
    TMatrix p(b.columnas_, a.filas_);
    // Plain sums of products in the inner loop; each row is checked once.
    std::vector<TComplejo> fila(static_cast<std::size_t>(b.columnas_));
    for (int r = 1; r <= a.filas_; ++r) {
        ComprobarToken(sondeo);
        std::fill(fila.begin(), fila.end(), TComplejo{});
        for (int k = 1; k <= a.columnas_; ++k) {
            const TComplejo& x = a.En(k, r);
            if (CEsCero(x)) continue;
            const TComplejo* y = &b.En(1, k);
            for (std::size_t c = 0; c < fila.size(); ++c) {
                fila[c].Re += x.Re * y[c].Re - x.Im * y[c].Im;
                fila[c].Im += x.Re * y[c].Im + x.Im * y[c].Re;
            }
        }
        ComprobarFinitos(fila);
        for (int c = 1; c <= b.columnas_; ++c) p.En(c, r) = SinCeroNegativo(fila[static_cast<std::size_t>(c - 1)]);
    }
    return p;
}

void TMatrix::Triangula(const TokenCancelar& sondeo) {
    bool completo;
    std::vector<TComplejo> m = e_;
    intercambios_ = Elimina(m, filas_, columnas_, columnas_, &completo, sondeo);
    e_ = std::move(m);
}

TComplejo TMatrix::Determinante(const TokenCancelar& sondeo) const {
    if (columnas_ < filas_) throw ErrorComplejo("La matriz debe ser cuadrada o tener mas columnas que filas");
    int n = filas_;
    std::vector<TComplejo> m(static_cast<std::size_t>(n * n));
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m[static_cast<std::size_t>((r - 1) * n + (c - 1))] = En(c, r);
    bool completo;
    int intercambios = Elimina(m, n, n, n, &completo, sondeo);
    if (!completo) return {0, 0};
    TComplejo d{1, 0};
    for (int i = 0; i < n; ++i) d = CProducto(d, m[static_cast<std::size_t>(i * n + i)]);
    return intercambios % 2 ? COpuesto(d) : d;
}

void TMatrix::Determinante(TComplejo& z) const { z = Determinante(); }

void TMatrix::Invierte(const TokenCancelar& sondeo) {
    if (!InvierteSiRegular(sondeo)) throw ErrorComplejo("La matriz no tiene inversa");
}

bool TMatrix::InvierteSiRegular(const TokenCancelar& sondeo) {
    if (columnas_ != filas_) throw ErrorComplejo("La matriz no es cuadrada.");
    int n = filas_, cols = 2 * n;
    std::vector<TComplejo> m(static_cast<std::size_t>(n * cols));
    std::vector<long double> umbral(static_cast<std::size_t>(n));
    auto at = [&](int r, int c) -> TComplejo& { return m[static_cast<std::size_t>(r * cols + c)]; };
    for (int r = 0; r < n; ++r) {
        long double mayor = 0;
        for (int c = 0; c < n; ++c) {
            at(r, c) = En(c + 1, r + 1);
            mayor = std::max(mayor, Peso(at(r, c)));
        }
        umbral[static_cast<std::size_t>(r)] = n * LDBL_EPSILON * mayor;
        at(r, n + r) = {1, 0};
    }
    bool completo;
    Elimina(m, n, cols, n, &completo, sondeo, &umbral);
    if (!completo) return false;
    // Back substitution: each pivot row scaled to 1, then cleared upwards.
    for (int r = n - 1; r >= 0; --r) {
        ComprobarToken(sondeo);
        TComplejo inverso = CReciproco(at(r, r));
        for (int k = n; k < cols; ++k) at(r, k) = CProducto(at(r, k), inverso);
        for (int i = 0; i < r; ++i) {
            TComplejo f = at(i, r);
            if (CEsCero(f)) continue;
            for (int k = n; k < cols; ++k) RestaProducto(at(i, k), f, at(r, k));
        }
    }
    ComprobarFinitos(m);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) En(c + 1, r + 1) = SinCeroNegativo(at(r, n + c));
    return true;
}

void TMatrix::ARejilla(TablaTextos& rejilla, int columnaInicial, int filaInicial) const {
    EscribeCeldas(rejilla, columnaInicial, filaInicial, [](const TComplejo& z) { return ComplejoATexto(z); });
}

}  // namespace numbrix
