#pragma once
// The storage both matrix kinds share: C x R elements in one row-major block,
// addressed column first and 1-based as the window numbers its cells, with
// the row and column editing and the exchange with a table of cell texts.
// What an element means (its arithmetic, elimination, which texts it reads
// and writes) stays with each kind; E is the kind's exception, raised for a
// size outside 1..255.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace numbrix {

// A grid as plain texts, [row][column]; rows may be ragged (a missing cell
// reads as empty). The windows copy their grids to and from it.
using TablaTextos = std::vector<std::vector<std::string>>;

// Both matrix kinds keep 8-bit dimensions.
constexpr int kDimensionMaximaMatriz = 255;
inline constexpr char kMensajeDimensiones[] = "Las dimensiones de una matriz deben estar entre 1 y 255";

template <class T, class E>
class TRejillaMatriz {
public:
    int Columnas() const { return columnas_; }
    int Filas() const { return filas_; }

    void Dimensiona(int columnas, int filas) {  // every element 0 again
        ComprobarDimensiones(columnas, filas);
        columnas_ = columnas;
        filas_ = filas;
        e_.assign(Indice(columnas * filas), T{});
    }
    void AgregaFila() {  // a row of zeros at the bottom
        ComprobarDimensiones(columnas_, filas_ + 1);
        ++filas_;
        e_.resize(Indice(columnas_ * filas_));
    }
    void AgregaColumna() {  // a column of zeros at the right
        ComprobarDimensiones(columnas_ + 1, filas_);
        std::vector<T> n(Indice((columnas_ + 1) * filas_));
        for (int r = 0; r < filas_; ++r)
            for (int c = 0; c < columnas_; ++c) n[Indice(r * (columnas_ + 1) + c)] = std::move(e_[Indice(r * columnas_ + c)]);
        e_ = std::move(n);
        ++columnas_;
    }
    void BorraFila(int r) {  // outside 1..R nothing happens
        if (r < 1 || r > filas_) return;
        ComprobarDimensiones(columnas_, filas_ - 1);
        auto inicio = e_.begin() + static_cast<std::ptrdiff_t>((r - 1) * columnas_);
        e_.erase(inicio, inicio + columnas_);
        --filas_;
    }
    void BorraColumna(int c) {  // outside 1..C nothing happens
        if (c < 1 || c > columnas_) return;
        ComprobarDimensiones(columnas_ - 1, filas_);
        std::vector<T> n;
        n.reserve(Indice((columnas_ - 1) * filas_));
        for (int r = 1; r <= filas_; ++r)
            for (int k = 1; k <= columnas_; ++k)
                if (k != c) n.push_back(std::move(En(k, r)));
        e_ = std::move(n);
        --columnas_;
    }
    void Traspone() {  // element (r, c) becomes the old (c, r)
        std::vector<T> t(e_.size());
        for (int r = 1; r <= filas_; ++r)
            for (int c = 1; c <= columnas_; ++c) t[Indice((c - 1) * filas_ + (r - 1))] = std::move(En(c, r));
        e_ = std::move(t);
        std::swap(columnas_, filas_);
    }

    friend bool operator==(const TRejillaMatriz&, const TRejillaMatriz&) = default;

protected:
    TRejillaMatriz(int columnas, int filas) { Dimensiona(columnas, filas); }

    static std::size_t Indice(int i) { return static_cast<std::size_t>(i); }
    static void ComprobarDimensiones(int columnas, int filas) {
        if (columnas < 1 || columnas > kDimensionMaximaMatriz || filas < 1 || filas > kDimensionMaximaMatriz)
            throw E(kMensajeDimensiones);
    }
    bool Dentro(int c, int r) const { return c >= 1 && c <= columnas_ && r >= 1 && r <= filas_; }
    T& En(int c, int r) { return e_[Indice((r - 1) * columnas_ + (c - 1))]; }
    const T& En(int c, int r) const { return e_[Indice((r - 1) * columnas_ + (c - 1))]; }

    // Every element combined with m's in a new block, kept only when all of
    // them succeed: a failing sum leaves the matrix as it was.
    template <class Op>
    void Combina(const TRejillaMatriz& m, const char* distintoTamano, Op op) {
        if (m.columnas_ != columnas_ || m.filas_ != filas_) throw E(distintoTamano);
        std::vector<T> s;
        s.reserve(e_.size());
        for (std::size_t i = 0; i < e_.size(); ++i) s.push_back(op(e_[i], m.e_[i]));
        e_ = std::move(s);
    }

    // Element (c, r) from cell [filaInicial + r - 1][columnaInicial + c - 1]
    // through lee(element, text); cells missing from the table are skipped.
    template <class Lee>
    void LeeCeldas(const TablaTextos& rejilla, int columnaInicial, int filaInicial, Lee lee) {
        for (int r = 1; r <= filas_; ++r) {
            const std::size_t fila = Indice(filaInicial + r - 1);
            if (fila >= rejilla.size()) break;
            for (int c = 1; c <= columnas_; ++c) {
                const std::size_t col = Indice(columnaInicial + c - 1);
                if (col < rejilla[fila].size()) lee(En(c, r), rejilla[fila][col]);
            }
        }
    }
    // The table sized to the fixed rows and columns plus the matrix (fixed
    // cells kept), element (c, r) written as texto(element) at the cell
    // LeeCeldas reads it from.
    template <class Texto>
    void EscribeCeldas(TablaTextos& rejilla, int columnaInicial, int filaInicial, Texto texto) const {
        rejilla.resize(Indice(filaInicial + filas_));
        for (auto& fila : rejilla) fila.resize(Indice(columnaInicial + columnas_));
        for (int r = 1; r <= filas_; ++r)
            for (int c = 1; c <= columnas_; ++c)
                rejilla[Indice(filaInicial + r - 1)][Indice(columnaInicial + c - 1)] = texto(En(c, r));
    }

    int columnas_ = 0;
    int filas_ = 0;
    std::vector<T> e_;  // row-major: element (c, r) at (r - 1) * C + (c - 1)
};

}  // namespace numbrix
