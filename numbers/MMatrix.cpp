#include "numbers/MMatrix.h"

#include <cmath>
#include <utility>

namespace numbrix {

namespace {

void ComprobarDimensiones(int columnas, int filas) {
    if (columnas < 1 || columnas > 255 || filas < 1 || filas > 255)
        throw ErrorComplejo("Las dimensiones de una matriz deben estar entre 1 y 255");
}

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
// column had no non-zero element.
int Elimina(std::vector<TComplejo>& m, int n, int cols, int colsPivote, bool* completo) {
    auto at = [&](int r, int c) -> TComplejo& { return m[static_cast<std::size_t>(r * cols + c)]; };
    int intercambios = 0;
    *completo = true;
    int r = 0;
    for (int c = 0; c < colsPivote && r < n; ++c) {
        int p = r;
        long double mejor = Peso(at(r, c));
        for (int i = r + 1; i < n; ++i) {
            long double w = Peso(at(i, c));
            if (w > mejor) {
                p = i;
                mejor = w;
            }
        }
        if (mejor == 0) {
            *completo = false;
            continue;
        }
        if (p != r) {
            for (int k = 0; k < cols; ++k) std::swap(at(p, k), at(r, k));
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

TMatrix::TMatrix(int columnas, int filas) {
    ComprobarDimensiones(columnas, filas);
    columnas_ = columnas;
    filas_ = filas;
    e_.assign(static_cast<std::size_t>(columnas * filas), TComplejo{});
}

TMatrix TMatrix::CreateDesdeRejilla(const TablaTextos& rejilla, int filas, int columnas, int filaInicial,
                                    int columnaInicial) {
    TMatrix m(columnas, filas);
    for (int r = 1; r <= filas; ++r) {
        std::size_t fila = static_cast<std::size_t>(filaInicial + r - 1);
        if (fila >= rejilla.size()) break;
        for (int c = 1; c <= columnas; ++c) {
            std::size_t col = static_cast<std::size_t>(columnaInicial + c - 1);
            if (col < rejilla[fila].size()) m.PonElemento(c, r, TextoAComplejo(rejilla[fila][col]));
        }
    }
    return m;
}

void TMatrix::Elemento(int c, int r, TComplejo& z) const {
    if (Dentro(c, r)) z = En(c, r);
}

TComplejo TMatrix::Elemento(int c, int r) const { return Dentro(c, r) ? En(c, r) : TComplejo{}; }

void TMatrix::PonElemento(int c, int r, const TComplejo& z) {
    if (Dentro(c, r)) En(c, r) = CEsCero(z) ? TComplejo{} : z;
}

void TMatrix::Intercambia(int c1, int r1, int c2, int r2) {
    if (Dentro(c1, r1) && Dentro(c2, r2)) std::swap(En(c1, r1), En(c2, r2));
}

void TMatrix::AgregaFila() {
    ComprobarDimensiones(columnas_, filas_ + 1);
    ++filas_;
    e_.resize(static_cast<std::size_t>(columnas_ * filas_));
}

void TMatrix::AgregaColumna() {
    ComprobarDimensiones(columnas_ + 1, filas_);
    TMatrix m(columnas_ + 1, filas_);
    for (int r = 1; r <= filas_; ++r)
        for (int c = 1; c <= columnas_; ++c) m.En(c, r) = En(c, r);
    *this = std::move(m);
}

void TMatrix::BorraFila(int r) {
    if (r < 1 || r > filas_) return;
    ComprobarDimensiones(columnas_, filas_ - 1);
    auto inicio = e_.begin() + static_cast<std::ptrdiff_t>((r - 1) * columnas_);
    e_.erase(inicio, inicio + columnas_);
    --filas_;
}

void TMatrix::BorraColumna(int c) {
    if (c < 1 || c > columnas_) return;
    ComprobarDimensiones(columnas_ - 1, filas_);
    TMatrix m(columnas_ - 1, filas_);
    for (int r = 1; r <= filas_; ++r)
        for (int k = 1; k < columnas_; ++k) m.En(k, r) = En(k < c ? k : k + 1, r);
    *this = std::move(m);
}

void TMatrix::Traspone() {
    std::vector<TComplejo> t(e_.size());
    for (int r = 1; r <= filas_; ++r)
        for (int c = 1; c <= columnas_; ++c) t[static_cast<std::size_t>((c - 1) * filas_ + (r - 1))] = En(c, r);
    e_ = std::move(t);
    std::swap(columnas_, filas_);
}

void TMatrix::Suma(const TMatrix& m) {
    if (m.columnas_ != columnas_ || m.filas_ != filas_)
        throw ErrorComplejo("Las matrices no son conformables para la suma (distinto tamaño)");
    std::vector<TComplejo> s(e_.size());
    for (std::size_t i = 0; i < e_.size(); ++i) s[i] = CSuma(e_[i], m.e_[i]);
    e_ = std::move(s);
}

void TMatrix::Resta(const TMatrix& m) {
    if (m.columnas_ != columnas_ || m.filas_ != filas_)
        throw ErrorComplejo("Las matrices no son conformables para la suma (distinto tamaño)");
    std::vector<TComplejo> s(e_.size());
    for (std::size_t i = 0; i < e_.size(); ++i) s[i] = CResta(e_[i], m.e_[i]);
    e_ = std::move(s);
}

TMatrix TMatrix::Producto(const TMatrix& a, const TMatrix& b) {
    if (a.columnas_ != b.filas_)
        throw ErrorComplejo("El número de columnas de la primera matriz no coincide con el número de filas de la segunda.");
    TMatrix p(b.columnas_, a.filas_);
    for (int r = 1; r <= a.filas_; ++r)
        for (int k = 1; k <= a.columnas_; ++k) {
            const TComplejo& x = a.En(k, r);
            if (CEsCero(x)) continue;
            for (int c = 1; c <= b.columnas_; ++c) p.En(c, r) = CSuma(p.En(c, r), CProducto(x, b.En(c, k)));
        }
    return p;
}

void TMatrix::Triangula() {
    bool completo;
    std::vector<TComplejo> m = e_;
    intercambios_ = Elimina(m, filas_, columnas_, columnas_, &completo);
    e_ = std::move(m);
}

TComplejo TMatrix::Determinante() const {
    if (columnas_ < filas_) throw ErrorComplejo("La matriz debe ser cuadrada o tener mas columnas que filas");
    int n = filas_;
    std::vector<TComplejo> m(static_cast<std::size_t>(n * n));
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m[static_cast<std::size_t>((r - 1) * n + (c - 1))] = En(c, r);
    bool completo;
    int intercambios = Elimina(m, n, n, n, &completo);
    if (!completo) return {0, 0};
    TComplejo d{1, 0};
    for (int i = 0; i < n; ++i) d = CProducto(d, m[static_cast<std::size_t>(i * n + i)]);
    return intercambios % 2 ? COpuesto(d) : d;
}

void TMatrix::Determinante(TComplejo& z) const { z = Determinante(); }

void TMatrix::Invierte() {
    if (columnas_ != filas_) throw ErrorComplejo("La matriz no es cuadrada.");
    int n = filas_, cols = 2 * n;
    std::vector<TComplejo> m(static_cast<std::size_t>(n * cols));
    auto at = [&](int r, int c) -> TComplejo& { return m[static_cast<std::size_t>(r * cols + c)]; };
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) at(r, c) = En(c + 1, r + 1);
        at(r, n + r) = {1, 0};
    }
    bool completo;
    Elimina(m, n, cols, n, &completo);
    if (!completo) throw ErrorComplejo("La matriz no tiene inversa");
    // Back substitution: each pivot row scaled to 1, then cleared upwards.
    for (int r = n - 1; r >= 0; --r) {
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
        for (int c = 0; c < n; ++c) {
            const TComplejo& z = at(r, n + c);
            En(c + 1, r + 1) = CEsCero(z) ? TComplejo{} : z;
        }
}

void TMatrix::ARejilla(TablaTextos& rejilla, int columnaInicial, int filaInicial) const {
    rejilla.resize(static_cast<std::size_t>(filaInicial + filas_));
    for (auto& fila : rejilla) fila.resize(static_cast<std::size_t>(columnaInicial + columnas_));
    for (int r = 1; r <= filas_; ++r)
        for (int c = 1; c <= columnas_; ++c)
            rejilla[static_cast<std::size_t>(filaInicial + r - 1)][static_cast<std::size_t>(columnaInicial + c - 1)] =
                ComplejoATexto(En(c, r));
}

}  // namespace numbrix
