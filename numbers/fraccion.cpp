#include "numbers/fraccion.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>

namespace numbrix {

namespace {

using u128 = Natural128;
using i128 = Entero128;

constexpr std::uint64_t kMaxNum = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
constexpr std::uint64_t kMaxDen = std::numeric_limits<std::uint32_t>::max();

u128 Magnitud(i128 x) { return x < 0 ? u128(0) - static_cast<u128>(x) : static_cast<u128>(x); }

// Euclid on 128 bits, dropping to 64-bit steps as soon as both fit.
u128 Mcd(u128 a, u128 b) {
    while (b != 0) {
        if ((a >> 64) == 0 && (b >> 64) == 0) return std::gcd(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b));
        u128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

[[noreturn]] void LanzarTextoInvalido(std::string_view texto) {
    throw EFraccion(EFraccion::Tipo::TextoInvalido, std::string(texto) + " no es un valor racional valido");
}

// Narrows a reduced magnitude pair with its sign into a fraction.
bool CabeFraccion(bool negativo, u128 n, u128 d) {
    if (d > kMaxDen) return false;
    return negativo ? n <= u128(kMaxNum) + 1 : n <= kMaxNum;
}

std::int64_t ConSigno(bool negativo, u128 n) {
    // n <= 2^63 here; the negative of 2^63 is INT64_MIN, built without overflow.
    if (!negativo) return static_cast<std::int64_t>(n);
    return static_cast<std::int64_t>(-static_cast<i128>(n));
}

// |x|^k on unsigned 64 bits, false when it exceeds limite.
bool PotenciaEntera(std::uint64_t base, std::uint64_t k, std::uint64_t limite, std::uint64_t& r) {
    r = 1;
    while (true) {
        if (k & 1) {
            if (__builtin_mul_overflow(r, base, &r) || r > limite) return false;
        }
        k >>= 1;
        if (k == 0) return true;
        if (__builtin_mul_overflow(base, base, &base)) return false;
    }
}

// The integer k-th root of x when x is a perfect k-th power.
std::optional<std::uint64_t> RaizExacta(std::uint64_t x, std::uint64_t k) {
    if (x <= 1 || k == 1) return x;
    long double aprox = std::pow(static_cast<long double>(x), 1.0L / static_cast<long double>(k));
    std::uint64_t base = static_cast<std::uint64_t>(std::llround(aprox));
    for (std::uint64_t c = base > 0 ? base - 1 : 0; c <= base + 1; ++c) {
        std::uint64_t p;
        if (PotenciaEntera(c, k, std::numeric_limits<std::uint64_t>::max(), p) && p == x) return c;
    }
    return std::nullopt;
}

// Continued-fraction terms of x >= 0, cut where the fractional part falls
// below 1e-13. The first term is below 2^63 and the others below 1e13.
class Terminos {
public:
    explicit Terminos(long double x) : x_(x) {}
    bool Siguiente(std::uint64_t& a) {
        if (fin_) return false;
        long double entero = std::trunc(x_);
        long double f = x_ - entero;
        a = static_cast<std::uint64_t>(entero);
        if (f < 1e-13L) fin_ = true;
        else x_ = 1.0L / f;
        return true;
    }

private:
    long double x_;
    bool fin_ = false;
};

// Convergents h/k by the usual recurrence, kept in 128 bits: both stay far
// from that width because the caller stops once they exceed a fraction.
struct Convergente {
    u128 h = 1, k = 0, h0 = 0, k0 = 1;
    void Agrega(std::uint64_t a) {
        u128 h2 = u128(a) * h + h0;
        u128 k2 = u128(a) * k + k0;
        h0 = h;
        k0 = k;
        h = h2;
        k = k2;
    }
};

void ComprobarReal(long double x) {
    // |x| must fit a 64-bit numerator (-2^63 itself does).
    constexpr long double kLimite = 9223372036854775808.0L;  // 2^63
    if (!std::isfinite(x) || x >= kLimite || x < -kLimite) LanzarDesbordamientoEntero();
}

enum class Lectura { NoLee, NoEntera, Entera };

// Reads a part of a fraction text: exact for integer digits, a whole real
// otherwise. An integer out of the 64-bit range makes the whole text invalid.
Lectura LeerParte(std::string_view s, std::string_view textoCompleto, i128& valor) {
    std::string_view t = s;
    if (t.size() > 1 && t[0] == '+' && t[1] >= '0' && t[1] <= '9') t.remove_prefix(1);
    std::size_t primero = (!t.empty() && t[0] == '-') ? 1 : 0;
    bool soloDigitos = t.size() > primero;
    for (std::size_t i = primero; i < t.size(); ++i)
        if (t[i] < '0' || t[i] > '9') soloDigitos = false;
    if (soloDigitos) {
        std::int64_t n = 0;
        auto r = std::from_chars(t.data(), t.data() + t.size(), n);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size()) LanzarTextoInvalido(textoCompleto);
        valor = n;
        return Lectura::Entera;
    }
    long double x;
    if (!LeerDecimal(s, x)) return Lectura::NoLee;
    long double entero = std::trunc(x);
    if (std::fabs(x - entero) >= 1e-15L) return Lectura::NoEntera;
    if (std::fabs(entero) >= 9223372036854775808.0L) LanzarTextoInvalido(textoCompleto);
    valor = static_cast<std::int64_t>(entero);
    return Lectura::Entera;
}

TFrac CrearDesdeTexto(i128 num, i128 den, std::string_view texto) {
    try {
        return TFrac::DesdeEnteros(num, den);
    } catch (const EFraccion& e) {
        if (e.tipo() == EFraccion::Tipo::Desbordamiento) LanzarTextoInvalido(texto);
        throw;
    }
}

}  // namespace

void LanzarDesbordamientoEntero() {
    throw EFraccion(EFraccion::Tipo::Desbordamiento, Texto(Mensaje::DesbordamientoEntero));
}
void LanzarDivisionEntreCero() { throw EFraccion(EFraccion::Tipo::DivisionCero, Texto(Mensaje::DivisionEntreCero)); }

TFrac::TFrac(std::int64_t num, std::uint32_t den) {
    if (den == 0) LanzarDivisionEntreCero();
    if (num == 0) return;
    std::uint64_t g = std::gcd(static_cast<std::uint64_t>(Magnitud(num)), static_cast<std::uint64_t>(den));
    num_ = num / static_cast<std::int64_t>(g);
    den_ = static_cast<std::uint32_t>(den / g);
}

TFrac TFrac::DesdeEnteros(i128 num, i128 den) {
    if (den == 0) LanzarDivisionEntreCero();
    TFrac r;
    if (num == 0) return r;
    bool negativo = (num < 0) != (den < 0);
    u128 n = Magnitud(num), d = Magnitud(den);
    u128 g = Mcd(n, d);
    n /= g;
    d /= g;
    if (!CabeFraccion(negativo, n, d)) LanzarDesbordamientoEntero();
    r.num_ = ConSigno(negativo, n);
    r.den_ = static_cast<std::uint32_t>(d);
    return r;
}

TFrac& TFrac::Suma(const TFrac& f) {
    if (den_ == 1 && f.den_ == 1) {
        std::int64_t s;
        if (!__builtin_add_overflow(num_, f.num_, &s)) {
            num_ = s;
            return *this;
        }
    }
    return *this = DesdeEnteros(i128(num_) * f.den_ + i128(f.num_) * den_, i128(den_) * f.den_);
}

TFrac& TFrac::Resta(const TFrac& f) {
    if (den_ == 1 && f.den_ == 1) {
        std::int64_t s;
        if (!__builtin_sub_overflow(num_, f.num_, &s)) {
            num_ = s;
            return *this;
        }
    }
    return *this = DesdeEnteros(i128(num_) * f.den_ - i128(f.num_) * den_, i128(den_) * f.den_);
}

TFrac& TFrac::Multiplica(const TFrac& f) {
    if (den_ == 1 && f.den_ == 1) {
        std::int64_t p;
        if (!__builtin_mul_overflow(num_, f.num_, &p)) {
            num_ = p;
            return *this;
        }
    }
    return *this = DesdeEnteros(i128(num_) * f.num_, i128(den_) * f.den_);
}

TFrac& TFrac::Divide(const TFrac& f) {
    if (f.num_ == 0) LanzarDivisionEntreCero();
    return *this = DesdeEnteros(i128(num_) * f.den_, i128(den_) * f.num_);
}

TFrac& TFrac::Invierte() {
    if (num_ == 0) LanzarDivisionEntreCero();
    return *this = DesdeEnteros(den_, num_);
}

TFrac& TFrac::CambiaSigno() {
    if (num_ == std::numeric_limits<std::int64_t>::min()) LanzarDesbordamientoEntero();
    num_ = -num_;
    return *this;
}

TFrac& TFrac::MultiplicaEntero(std::int32_t n) { return Multiplica(TFrac(n)); }

TFrac& TFrac::DivideEntero(std::int32_t n) { return Divide(TFrac(n)); }

TFrac& TFrac::Potencia(const TFrac& f, const AjustesFraccion& ajustes) {
    if (f.den_ == 1) {
        // Integral exponent: exact powers of numerator and denominator (a
        // power of a reduced fraction is reduced).
        if (f.num_ == 0 || (num_ == 1 && den_ == 1)) {
            PonUno();
            return *this;
        }
        if (num_ == 0) {
            if (f.num_ < 0) LanzarDivisionEntreCero();
            return *this;
        }
        std::uint64_t k = static_cast<std::uint64_t>(Magnitud(f.num_));
        bool negativo = num_ < 0 && (k & 1);
        std::uint64_t n, d;
        if (!PotenciaEntera(static_cast<std::uint64_t>(Magnitud(num_)), k, kMaxNum + 1, n) ||
            !PotenciaEntera(den_, k, f.num_ > 0 ? kMaxDen : kMaxNum + 1, d))
            LanzarDesbordamientoEntero();
        if (f.num_ < 0) std::swap(n, d);
        if (!CabeFraccion(negativo, n, d)) LanzarDesbordamientoEntero();
        num_ = ConSigno(negativo, n);
        den_ = static_cast<std::uint32_t>(d);
        return *this;
    }
    long double base = Valor(), exponente = f.Valor();
    long double r;
    if (base == 0) {
        if (exponente < 0) throw EMatematico(CodigoError::DivisionCero, Mensaje::DivisionFlotanteCero);
        r = 0;
    } else if (base < 0) {
        throw EMatematico(CodigoError::OperacionInvalida, Mensaje::OperacionFlotanteInvalida);
    } else {
        r = std::pow(base, exponente);
    }
    return *this = RealAFrac(ajustes.DenominadorMax, r, ajustes);
}

TFrac& TFrac::Raiz(const TFrac& f, const AjustesFraccion& ajustes) {
    if (f.EsCero()) throw EMatematico(CodigoError::DivisionCero, Mensaje::DivisionFlotanteCero);
    bool indiceImpar = f.den_ == 1 && (f.num_ & 1);
    if (f.den_ == 1) {
        std::uint64_t k = static_cast<std::uint64_t>(Magnitud(f.num_));
        if (num_ == 0) {
            if (f.num_ < 0) LanzarDivisionEntreCero();
            return *this;
        }
        if (num_ > 0 || indiceImpar) {
            auto rn = RaizExacta(static_cast<std::uint64_t>(Magnitud(num_)), k);
            auto rd = RaizExacta(den_, k);
            if (rn && rd) {
                *this = TFrac(ConSigno(num_ < 0, *rn), static_cast<std::uint32_t>(*rd));
                if (f.num_ < 0) Invierte();
                return *this;
            }
        }
    }
    long double base = Valor(), indice = f.Valor();
    long double r;
    if (base < 0) {
        // An odd integral root of a negative number is real.
        if (!indiceImpar) throw EMatematico(CodigoError::OperacionInvalida, Mensaje::OperacionFlotanteInvalida);
        r = -std::pow(-base, 1.0L / indice);
    } else if (base == 0) {
        if (indice < 0) throw EMatematico(CodigoError::DivisionCero, Mensaje::DivisionFlotanteCero);
        r = 0;
    } else {
        r = std::pow(base, 1.0L / indice);
    }
    return *this = RealAFrac(ajustes.DenominadorMax, r, ajustes);
}

std::string TFrac::ATexto(const AjustesFraccion& ajustes) const {
    if (den_ == 1) return std::to_string(num_);
    std::int64_t entera = ParteEntera();
    if (ajustes.FormatoMixto && entera != 0) {
        std::int64_t resto = Resto();
        return std::to_string(entera) + " | " + std::to_string(resto < 0 ? -resto : resto) + " | " + std::to_string(den_);
    }
    return std::to_string(num_) + " | " + std::to_string(den_);
}

std::string TFrac::ATextoModo(int modo) const {
    if (modo == 2) return RealGeneral(Valor(), 15);
    AjustesFraccion a;
    a.FormatoMixto = modo == 0;
    return ATexto(a);
}

std::strong_ordering operator<=>(const TFrac& a, const TFrac& b) {
    return i128(a.num_) * b.den_ <=> i128(b.num_) * a.den_;
}

TFrac operator+(TFrac a, const TFrac& b) { return a.Suma(b); }
TFrac operator-(TFrac a, const TFrac& b) { return a.Resta(b); }
TFrac operator*(TFrac a, const TFrac& b) { return a.Multiplica(b); }
TFrac operator/(TFrac a, const TFrac& b) { return a.Divide(b); }
TFrac operator-(TFrac a) { return a.CambiaSigno(); }

TFrac RealAFrac(std::uint32_t maxDen, long double x, const AjustesFraccion& ajustes) {
    if (maxDen == 0) maxDen = ajustes.DenominadorMax;
    if (maxDen == 0) maxDen = 1;
    ComprobarReal(x);
    bool negativo = x < 0;
    long double ax = std::fabs(x);
    if (ax < 0.5L / static_cast<long double>(maxDen)) return TFrac();
    Terminos terminos(ax);
    Convergente c;
    std::uint64_t a = 0;
    terminos.Siguiente(a);
    c.Agrega(a);
    u128 h = c.h, k = c.k;
    // Each further convergent replaces the candidate while it still fits
    // the maximum denominator and a 64-bit numerator.
    while (terminos.Siguiente(a)) {
        c.Agrega(a);
        if (c.k > maxDen || !CabeFraccion(negativo, c.h, c.k)) break;
        h = c.h;
        k = c.k;
    }
    if (!CabeFraccion(negativo, h, k)) LanzarDesbordamientoEntero();
    return TFrac::DesdeEnteros(negativo ? -i128(h) : i128(h), i128(k));
}

TFrac FracContinua(std::uint8_t n, long double x) {
    ComprobarReal(x);
    bool negativo = x < 0;
    long double ax = std::fabs(x);
    Terminos terminos(ax);
    Convergente c;
    std::uint64_t a = 0;
    terminos.Siguiente(a);
    c.Agrega(a);
    for (int i = 2; i <= n && terminos.Siguiente(a); ++i) {
        c.Agrega(a);
        if (!CabeFraccion(negativo, c.h, c.k)) LanzarDesbordamientoEntero();
    }
    return TFrac::DesdeEnteros(negativo ? -i128(c.h) : i128(c.h), i128(c.k));
}

std::optional<TFrac> TextoAFrac(std::string_view texto, const AjustesFraccion& ajustes) {
    std::string s;
    for (char c : texto)
        if (c != ' ') s.push_back(c);
    if (s.empty()) return std::nullopt;
    std::string_view v = s;
    for (std::size_t i = 1; i + 1 < v.size(); ++i) {
        if (v[i] != '|') continue;
        i128 w, p, q;
        if (LeerParte(v.substr(0, i), v, w) != Lectura::Entera) continue;
        std::string_view derecha = v.substr(i + 1);
        if (LeerParte(derecha, v, q) == Lectura::Entera) return CrearDesdeTexto(w, q, v);  // a|b
        std::size_t barra = derecha.find('|');
        if (barra == std::string_view::npos) continue;
        if (LeerParte(derecha.substr(0, barra), v, p) == Lectura::Entera &&
            LeerParte(derecha.substr(barra + 1), v, q) == Lectura::Entera) {
            i128 num = w >= 0 ? w * q + p : w * q - p;  // w p/q
            return CrearDesdeTexto(num, q, v);
        }
    }
    i128 entero;
    switch (LeerParte(v, v, entero)) {
        case Lectura::Entera:
            return TFrac(static_cast<std::int64_t>(entero));
        case Lectura::NoEntera: {
            long double x;
            LeerDecimal(v, x);
            return RealAFrac(ajustes.DenominadorMax, x, ajustes);
        }
        case Lectura::NoLee:
            break;
    }
    LanzarTextoInvalido(v);
}

bool LeerDecimal(std::string_view texto, long double& valor) {
    std::size_t i = 0, n = texto.size();
    bool menos = false;
    if (i < n && (texto[i] == '+' || texto[i] == '-')) menos = texto[i++] == '-';
    std::size_t inicio = i;
    bool digitos = false, punto = false;
    for (; i < n; ++i) {
        char c = texto[i];
        if (c >= '0' && c <= '9') digitos = true;
        else if (c == '.' && !punto) punto = true;
        else break;
    }
    if (!digitos) return false;
    if (i < n && (texto[i] == 'e' || texto[i] == 'E')) {
        ++i;
        if (i < n && (texto[i] == '+' || texto[i] == '-')) ++i;
        std::size_t exp = i;
        while (i < n && texto[i] >= '0' && texto[i] <= '9') ++i;
        if (i == exp) return false;
    }
    if (i != n) return false;
    long double x = 0;
    auto r = std::from_chars(texto.data() + inicio, texto.data() + n, x, std::chars_format::general);
    if (r.ptr != texto.data() + n) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Out of range with a negative exponent is a value too tiny to hold:
        // it reads as 0. Any other is too large.
        std::size_t e = texto.find_first_of("eE");
        if (e == std::string_view::npos || e + 1 >= n || texto[e + 1] != '-') return false;
        x = 0;
    } else if (r.ec != std::errc()) {
        return false;
    }
    valor = menos ? -x : x;
    return true;
}

std::string RealGeneral(long double x, int digitos) {
    if (x == 0) x = 0;  // no "-0"
    char b[80];
    auto r = std::to_chars(b, b + sizeof b, x, std::chars_format::general, digitos);
    return std::string(b, r.ptr);
}

}  // namespace numbrix
