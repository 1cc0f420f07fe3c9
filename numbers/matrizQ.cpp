#include "numbers/matrizQ.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <utility>

namespace numbrix {

namespace {

using i128 = Entero128;
using u128 = Natural128;

std::string Posicion(const char* formato, int c, int r) {
    char b[96];
    std::snprintf(b, sizeof b, formato, c, r);
    return b;
}

// ---------------------------------------------------------------------------
// A small signed big integer: just what fraction-free elimination needs when
// 128 bits do not suffice (product, difference, exact division, gcd).
class Entero {
public:
    Entero() = default;
    explicit Entero(i128 v) : negativo_(v < 0) {
        u128 m = v < 0 ? u128(0) - u128(v) : u128(v);
        while (m != 0) {
            d_.push_back(static_cast<std::uint32_t>(m));
            m >>= 32;
        }
    }
    bool EsCero() const { return d_.empty(); }
    bool Negativo() const { return negativo_; }

    friend Entero operator*(const Entero& a, const Entero& b) {
        Entero r;
        if (a.EsCero() || b.EsCero()) return r;
        r.d_.assign(a.d_.size() + b.d_.size(), 0);
        for (std::size_t i = 0; i < a.d_.size(); ++i) {
            std::uint64_t acarreo = 0;
            for (std::size_t j = 0; j < b.d_.size(); ++j) {
                std::uint64_t t = std::uint64_t(a.d_[i]) * b.d_[j] + r.d_[i + j] + acarreo;
                r.d_[i + j] = static_cast<std::uint32_t>(t);
                acarreo = t >> 32;
            }
            r.d_[i + b.d_.size()] = static_cast<std::uint32_t>(acarreo);
        }
        r.negativo_ = a.negativo_ != b.negativo_;
        r.Normaliza();
        return r;
    }
    friend Entero operator-(const Entero& a, const Entero& b) {
        Entero nb = b;
        nb.negativo_ = !nb.negativo_;
        return Sumar(a, nb);
    }
    // a / b when b divides a exactly (Hensel division from the low limbs).
    friend Entero DivideExacto(Entero a, Entero b) {
        if (a.EsCero()) return a;
        bool negativo = a.negativo_ != b.negativo_;
        int s = b.CerosFinales();
        a.DesplazaDerecha(s);
        b.DesplazaDerecha(s);
        std::uint32_t b0 = b.d_[0], inv = b0;  // b0 odd: Newton for b0^-1 mod 2^32
        for (int i = 0; i < 5; ++i) inv *= 2 - b0 * inv;
        std::size_t nq = a.d_.size() >= b.d_.size() ? a.d_.size() - b.d_.size() + 1 : 1;
        std::vector<std::uint32_t> w = a.d_;
        w.resize(std::max(w.size(), nq + b.d_.size()), 0);
        Entero q;
        q.d_.assign(nq, 0);
        for (std::size_t i = 0; i < nq; ++i) {
            std::uint32_t qi = w[i] * inv;
            q.d_[i] = qi;
            std::uint64_t prestamo = 0;
            for (std::size_t j = 0; i + j < w.size(); ++j) {
                std::uint64_t resta = (j < b.d_.size() ? std::uint64_t(qi) * b.d_[j] : 0) + prestamo;
                std::uint32_t bajo = static_cast<std::uint32_t>(resta);
                prestamo = (resta >> 32) + (w[i + j] < bajo ? 1 : 0);
                w[i + j] -= bajo;
                if (j >= b.d_.size() && prestamo == 0) break;
            }
        }
        q.negativo_ = negativo;
        q.Normaliza();
        return q;
    }
    friend Entero Mcd(Entero a, Entero b) {  // binary gcd of the magnitudes
        a.negativo_ = b.negativo_ = false;
        if (a.EsCero()) return b;
        if (b.EsCero()) return a;
        int za = a.CerosFinales(), zb = b.CerosFinales();
        a.DesplazaDerecha(za);
        int comun = std::min(za, zb);
        while (!b.EsCero()) {
            b.DesplazaDerecha(b.CerosFinales());
            if (Compara(a, b) > 0) std::swap(a, b);
            b = b - a;
        }
        a.DesplazaIzquierda(comun);
        return a;
    }
    // The value when it fits 128 bits with room for a sign.
    bool A128(i128& v) const {
        if (d_.size() > 4 || (d_.size() == 4 && (d_[3] >> 31))) return false;
        u128 m = 0;
        for (std::size_t i = d_.size(); i-- > 0;) m = (m << 32) | d_[i];
        v = negativo_ ? -i128(m) : i128(m);
        return true;
    }

private:
    static int Compara(const Entero& a, const Entero& b) {  // magnitudes
        if (a.d_.size() != b.d_.size()) return a.d_.size() < b.d_.size() ? -1 : 1;
        for (std::size_t i = a.d_.size(); i-- > 0;)
            if (a.d_[i] != b.d_[i]) return a.d_[i] < b.d_[i] ? -1 : 1;
        return 0;
    }
    static Entero Sumar(const Entero& a, const Entero& b) {
        Entero r;
        if (a.negativo_ == b.negativo_) {
            const Entero& l = a.d_.size() >= b.d_.size() ? a : b;
            const Entero& c = a.d_.size() >= b.d_.size() ? b : a;
            r.d_ = l.d_;
            r.d_.push_back(0);
            std::uint64_t acarreo = 0;
            for (std::size_t i = 0; i < r.d_.size(); ++i) {
                std::uint64_t t = std::uint64_t(r.d_[i]) + (i < c.d_.size() ? c.d_[i] : 0) + acarreo;
                r.d_[i] = static_cast<std::uint32_t>(t);
                acarreo = t >> 32;
            }
            r.negativo_ = a.negativo_;
        } else {
            int cmp = Compara(a, b);
            if (cmp == 0) return r;
            const Entero& l = cmp > 0 ? a : b;
            const Entero& c = cmp > 0 ? b : a;
            r.d_ = l.d_;
            std::int64_t prestamo = 0;
            for (std::size_t i = 0; i < r.d_.size(); ++i) {
                std::int64_t t = std::int64_t(r.d_[i]) - (i < c.d_.size() ? c.d_[i] : 0) - prestamo;
                prestamo = t < 0;
                r.d_[i] = static_cast<std::uint32_t>(t + (prestamo << 32));
            }
            r.negativo_ = l.negativo_;
        }
        r.Normaliza();
        return r;
    }
    int CerosFinales() const {
        int n = 0;
        std::size_t i = 0;
        while (i < d_.size() && d_[i] == 0) {
            n += 32;
            ++i;
        }
        return i < d_.size() ? n + __builtin_ctz(d_[i]) : n;
    }
    void DesplazaDerecha(int bits) {
        std::size_t limbs = static_cast<std::size_t>(bits / 32);
        int resto = bits % 32;
        d_.erase(d_.begin(), d_.begin() + static_cast<std::ptrdiff_t>(std::min(limbs, d_.size())));
        if (resto)
            for (std::size_t i = 0; i < d_.size(); ++i)
                d_[i] = (d_[i] >> resto) | (i + 1 < d_.size() ? d_[i + 1] << (32 - resto) : 0);
        Normaliza();
    }
    void DesplazaIzquierda(int bits) {
        int resto = bits % 32;
        if (resto) {
            d_.push_back(0);
            for (std::size_t i = d_.size(); i-- > 0;) d_[i] = (d_[i] << resto) | (i > 0 ? d_[i - 1] >> (32 - resto) : 0);
        }
        d_.insert(d_.begin(), static_cast<std::size_t>(bits / 32), 0);
        Normaliza();
    }
    void Normaliza() {
        while (!d_.empty() && d_.back() == 0) d_.pop_back();
        if (d_.empty()) negativo_ = false;
    }

    bool negativo_ = false;
    std::vector<std::uint32_t> d_;  // magnitude, least significant limb first
};

// 128-bit arithmetic that reports, rather than commits, an overflow.
struct Desborda128 {};

struct Ops128 {
    using T = i128;
    static T Mul(T a, T b) {
        T r;
        if (__builtin_mul_overflow(a, b, &r)) throw Desborda128{};
        return r;
    }
    static T Sub(T a, T b) {
        T r;
        if (__builtin_sub_overflow(a, b, &r)) throw Desborda128{};
        return r;
    }
    static T Div(T a, T b) { return a / b; }
    static bool Cero(T a) { return a == 0; }
};

struct OpsGrande {
    using T = Entero;
    static T Mul(const T& a, const T& b) { return a * b; }
    static T Sub(const T& a, const T& b) { return a - b; }
    static T Div(const T& a, const T& b) { return DivideExacto(a, b); }
    static bool Cero(const T& a) { return a.EsCero(); }
};

// A row-major block of fractions: `filas` rows of `cols` values.
struct Bloque {
    const std::vector<TFrac>& v;
    int filas, cols, ancho;  // ancho: the row stride of v
    const TFrac& En(int r, int c) const { return v[static_cast<std::size_t>(r * ancho + c)]; }
};

// Integer rows: each row multiplied by the lcm of its denominators (128-bit;
// throws Desborda128 when that does not fit). Returns the product of the
// multipliers.
i128 Escala(const Bloque& b, std::vector<i128>& m) {
    m.assign(static_cast<std::size_t>(b.filas * b.cols), 0);
    i128 escala = 1;
    for (int r = 0; r < b.filas; ++r) {
        u128 l = 1;
        for (int c = 0; c < b.cols; ++c) {
            u128 d = b.En(r, c).Den(), resto = l % d;
            u128 f = d / (resto == 0 ? d : std::gcd(static_cast<std::uint64_t>(resto), static_cast<std::uint64_t>(d)));
            if (l > (~u128(0) >> 1) / f) throw Desborda128{};
            l *= f;
        }
        for (int c = 0; c < b.cols; ++c)
            m[static_cast<std::size_t>(r * b.cols + c)] = Ops128::Mul(b.En(r, c).Num(), i128(l / b.En(r, c).Den()));
        escala = Ops128::Mul(escala, i128(l));
    }
    return escala;
}

// The same with big integers: each row multiplied by the product of its
// denominators.
Entero Escala(const Bloque& b, std::vector<Entero>& m) {
    m.assign(static_cast<std::size_t>(b.filas * b.cols), Entero());
    Entero escala(1);
    for (int r = 0; r < b.filas; ++r) {
        Entero producto(1);
        for (int c = 0; c < b.cols; ++c)
            if (b.En(r, c).Den() != 1) producto = producto * Entero(b.En(r, c).Den());
        for (int c = 0; c < b.cols; ++c) {
            const TFrac& e = b.En(r, c);
            m[static_cast<std::size_t>(r * b.cols + c)] =
                e.Den() == 1 ? producto * Entero(e.Num()) : DivideExacto(producto * Entero(e.Num()), Entero(e.Den()));
        }
        escala = escala * producto;
    }
    return escala;
}

TFrac AFrac(i128 num, i128 den) { return TFrac::DesdeEnteros(num, den); }

TFrac AFrac(const Entero& num, const Entero& den) {
    if (num.EsCero()) return TFrac();
    Entero g = Mcd(num, den);
    i128 n, d;
    if (!DivideExacto(num, g).A128(n) || !DivideExacto(den, g).A128(d)) LanzarDesbordamientoEntero();
    return TFrac::DesdeEnteros(n, d);
}

// Bareiss: every intermediate is a minor of the matrix, each division exact.
// The determinant of the n x n row-major integer matrix m.
template <class Ops>
typename Ops::T Bareiss(std::vector<typename Ops::T> m, int n, const TokenCancelar& sondeo) {
    using T = typename Ops::T;
    auto at = [&](int r, int c) -> T& { return m[static_cast<std::size_t>(r * n + c)]; };
    bool negativo = false;
    T anterior(1);
    for (int k = 0; k < n - 1; ++k) {
        if (Ops::Cero(at(k, k))) {
            int i = k + 1;
            while (i < n && Ops::Cero(at(i, k))) ++i;
            if (i == n) return T(0);
            for (int c = 0; c < n; ++c) std::swap(at(k, c), at(i, c));
            negativo = !negativo;
        }
        for (int i = k + 1; i < n; ++i) {
            ComprobarToken(sondeo);
            for (int j = k + 1; j < n; ++j)
                at(i, j) = Ops::Div(Ops::Sub(Ops::Mul(at(i, j), at(k, k)), Ops::Mul(at(i, k), at(k, j))), anterior);
        }
        anterior = at(k, k);
    }
    T d = at(n - 1, n - 1);
    return negativo ? Ops::Sub(T(0), d) : d;
}

template <class Ops>
TFrac DeterminanteCon(const Bloque& b, const TokenCancelar& sondeo) {
    std::vector<typename Ops::T> m;
    auto escala = Escala(b, m);
    return AFrac(Bareiss<Ops>(std::move(m), b.filas, sondeo), escala);
}

// Fraction-free Gauss-Jordan on an n x cols integer block [A | B]: ends as
// [d I | d X] with X the solution of A X = B, every division exact. Returns
// false when A is singular.
template <class Ops>
bool GaussJordanEntero(std::vector<typename Ops::T>& m, int n, int cols, const TokenCancelar& sondeo) {
    using T = typename Ops::T;
    auto at = [&](int r, int c) -> T& { return m[static_cast<std::size_t>(r * cols + c)]; };
    T anterior(1);
    for (int k = 0; k < n; ++k) {
        if (Ops::Cero(at(k, k))) {
            int p = k + 1;
            while (p < n && Ops::Cero(at(p, k))) ++p;
            if (p == n) return false;
            for (int c = 0; c < cols; ++c) std::swap(at(k, c), at(p, c));
        }
        for (int i = 0; i < n; ++i) {
            if (i == k) continue;
            ComprobarToken(sondeo);
            for (int j = 0; j < cols; ++j)
                if (j != k) at(i, j) = Ops::Div(Ops::Sub(Ops::Mul(at(k, k), at(i, j)), Ops::Mul(at(i, k), at(k, j))), anterior);
            at(i, k) = T(0);
        }
        anterior = at(k, k);
    }
    return true;
}

template <class Ops>
std::optional<std::vector<TFrac>> ResuelveCon(const Bloque& b, const TokenCancelar& sondeo) {
    std::vector<typename Ops::T> m;
    Escala(b, m);
    int n = b.filas, cols = b.cols;
    if (!GaussJordanEntero<Ops>(m, n, cols, sondeo)) return std::nullopt;
    std::vector<TFrac> x;
    x.reserve(static_cast<std::size_t>(n * (cols - n)));
    for (int r = 0; r < n; ++r)
        for (int c = n; c < cols; ++c)
            x.push_back(AFrac(m[static_cast<std::size_t>(r * cols + c)], m[static_cast<std::size_t>(r * cols + r)]));
    return x;
}

// Exact determinant: 128-bit integers while they suffice, big ones after.
TFrac DeterminanteExacto(const Bloque& b, const TokenCancelar& sondeo) {
    try {
        return DeterminanteCon<Ops128>(b, sondeo);
    } catch (const Desborda128&) {
        return DeterminanteCon<OpsGrande>(b, sondeo);
    }
}

// The solution X (n rows of cols - n values) of [A | B], or nothing when A
// is singular. "Desbordamiento entero" only when an element of X does not fit.
std::optional<std::vector<TFrac>> ResuelveExacto(const Bloque& b, const TokenCancelar& sondeo) {
    try {
        return ResuelveCon<Ops128>(b, sondeo);
    } catch (const Desborda128&) {
        return ResuelveCon<OpsGrande>(b, sondeo);
    }
}

// Row-echelon form of a rows x cols row-major block, pivots searched down
// each of the first colsCoef columns in turn. Returns the rank found there.
int Escalona(std::vector<TFrac>& m, int filas, int cols, int colsCoef, const TokenCancelar& sondeo) {
    auto at = [&](int r, int c) -> TFrac& { return m[static_cast<std::size_t>(r * cols + c)]; };
    int r = 0;
    for (int c = 0; c < colsCoef && r < filas; ++c) {
        int p = r;
        while (p < filas && at(p, c).EsCero()) ++p;
        if (p == filas) {
            ComprobarToken(sondeo);  // a step all the same, for the progress
            continue;
        }
        if (p != r)
            for (int k = 0; k < cols; ++k) std::swap(at(p, k), at(r, k));
        const TFrac pivote = at(r, c);
        for (int j = r + 1; j < filas; ++j) {
            // Every row below polls, zero or not, so the progress moves by
            // the same steps whatever the matrix holds.
            ComprobarToken(sondeo);
            if (at(j, c).EsCero()) continue;
            TFrac f = at(j, c) / pivote;
            at(j, c).PonCero();
            for (int k = c + 1; k < cols; ++k)
                if (!at(r, k).EsCero()) at(j, k).Resta(f * at(r, k));
        }
        ++r;
    }
    return r;
}

}  // namespace

TMatriz TMatriz::CreateDesdeRejilla(const TablaTextos& rejilla, const AjustesFraccion& ajustes, int columnasFijas,
                                    int filasFijas) {
    std::size_t ancho = 0;
    for (const auto& fila : rejilla) ancho = std::max(ancho, fila.size());
    TMatriz m(static_cast<int>(ancho) - columnasFijas, static_cast<int>(rejilla.size()) - filasFijas);
    m.LeeCeldas(rejilla, columnasFijas, filasFijas, [&](TFrac& e, const std::string& texto) {
        if (auto f = TextoAFrac(texto, ajustes)) e = *f;
    });
    return m;
}

const TFrac& TMatriz::Elemento(int c, int r) const {
    if (!Dentro(c, r)) throw EMatriz(Posicion("Lectura fuera de rango de matriz [%d,%d]", c, r));
    return En(c, r);
}

void TMatriz::PonElemento(int c, int r, const TFrac& f) {
    if (!Dentro(c, r)) throw EMatriz(Posicion("Escritura fuera de rango de matriz [%d,%d]", c, r));
    En(c, r) = f;
}

void TMatriz::IntercambiaFilas(int a, int b) {
    if (a == b) return;
    Elemento(1, a);  // range checks
    Elemento(1, b);
    for (int c = 1; c <= columnas_; ++c) std::swap(En(c, a), En(c, b));
}

void TMatriz::Suma(const TMatriz& m) {
    Combina(m, "No se pueden sumar matrices de distintas dimensiones", [](const TFrac& a, const TFrac& b) { return a + b; });
}

void TMatriz::Resta(const TMatriz& m) {
    Combina(m, "No se pueden restar matrices de distintas dimensiones", [](const TFrac& a, const TFrac& b) { return a - b; });
}

void TMatriz::PorEscalar(const TFrac& f) {
    TMatriz r = *this;  // all or nothing
    for (TFrac& e : r.e_) e.Multiplica(f);
    *this = std::move(r);
}

TMatriz TMatriz::Producto(const TMatriz& a, const TMatriz& b, const TokenCancelar& sondeo) {
    if (a.columnas_ != b.filas_) throw EMatriz("Matrices no conformables para producto");
    TMatriz p(b.columnas_, a.filas_);
    for (int r = 1; r <= a.filas_; ++r) {
        ComprobarToken(sondeo);
        for (int k = 1; k <= a.columnas_; ++k) {
            const TFrac& x = a.En(k, r);
            if (x.EsCero()) continue;
            for (int c = 1; c <= b.columnas_; ++c)
                if (!b.En(c, k).EsCero()) p.En(c, r).Suma(x * b.En(c, k));
        }
    }
    return p;
}

TMatriz TMatriz::Cuadrado(const TMatriz& a, const TokenCancelar& sondeo) {
    if (a.columnas_ != a.filas_) throw EMatriz("La matriz debe ser cuadrada");
    return Producto(a, a, sondeo);
}

TMatriz TMatriz::Traspuesta(const TMatriz& a) {
    TMatriz t = a;
    t.Traspone();
    return t;
}

TFrac TMatriz::Determinante(const TMatriz& a, const TokenCancelar& sondeo) {
    if (a.columnas_ < a.filas_) throw EMatriz("La matriz debe ser cuadrada o tener mas columnas que filas");
    return DeterminanteExacto(Bloque{a.e_, a.filas_, a.filas_, a.columnas_}, sondeo);
}

void TMatriz::Invierte(const TokenCancelar& sondeo) {
    if (columnas_ != filas_) throw EMatriz("La matriz debe ser cuadrada");
    int n = filas_, cols = 2 * n;
    std::vector<TFrac> m(static_cast<std::size_t>(n * cols));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) m[static_cast<std::size_t>(r * cols + c)] = En(c + 1, r + 1);
        m[static_cast<std::size_t>(r * cols + n + r)].PonUno();
    }
    auto x = ResuelveExacto(Bloque{m, n, cols, cols}, sondeo);
    if (!x) throw EMatriz("La matriz no tiene inversa");
    e_ = std::move(*x);
}

void TMatriz::Triangula(const TokenCancelar& sondeo) {
    std::vector<TFrac> m = e_;  // all or nothing: a cancel leaves the matrix
    Escalona(m, filas_, columnas_, columnas_, sondeo);
    e_ = std::move(m);
}

std::optional<TMatriz> TMatriz::Resuelve(const PreguntaSiNo& pregunta, const TokenCancelar& sondeo) const {
    int n = filas_, m = columnas_;
    if (m <= n) throw EMatriz(Texto(Mensaje::MasColumnasSinTilde));
    if (auto x = ResuelveExacto(Bloque{e_, n, m, m}, sondeo)) {
        TMatriz s(m - n, n);
        s.e_ = std::move(*x);
        return s;
    }
    TMatriz t = *this;
    int rango = Escalona(t.e_, n, m, n, sondeo);
    // Rows past the rank have all-zero coefficients: any non-zero right side
    // makes the system incompatible.
    bool incompatible = false;
    for (int r = rango + 1; r <= n && !incompatible; ++r)
        for (int c = n + 1; c <= m; ++c)
            if (!t.En(c, r).EsCero()) incompatible = true;
    const char* texto = incompatible ? "Sistema INCOMPATIBLE\r\n\r\n¿Desea ver una triangulación?"
                                     : "Sistema compatible INDETERMINADO\r\n(tiene infinitas soluciones)\r\n\r\n"
                                       "¿Desea ver una triangulación?";
    if (pregunta && pregunta("Matrices", texto)) return t;
    return std::nullopt;
}

void TMatriz::ARejilla(TablaTextos& rejilla, int modo, int columnasFijas, int filasFijas) const {
    EscribeCeldas(rejilla, columnasFijas, filasFijas, [modo](const TFrac& f) { return f.ATextoModo(modo); });
}

}  // namespace numbrix
