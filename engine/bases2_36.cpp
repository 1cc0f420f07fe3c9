#include "engine/bases2_36.h"
#include "support/basicos.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <vector>

namespace numbrix {

__extension__ typedef unsigned __int128 u128;

// ---------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------
namespace {

constexpr int kLargoMaximo = static_cast<int>(kLargoMaximoNumero);
constexpr char kNoAscii = '\x80';  // any non-ASCII character, one per character

// The text without blanks, one byte per character, on the stack: the reader is
// tried on every candidate piece of an expression, so failing must be cheap.
struct Limpio {
    char c[kLargoMaximo + 1];
    int n = 0;
};

bool Limpiar(std::string_view t, Limpio& l) {
    l.n = 0;
    bool enCaracter = false;  // inside a multi-byte UTF-8 character
    for (unsigned char u : t) {
        if (u >= 0x80 && u < 0xC0 && enCaracter) continue;
        enCaracter = u >= 0xC0;
        if (u == ' ') continue;
        if (l.n == kLargoMaximo) return false;
        l.c[l.n++] = u < 0x80 ? char(u) : kNoAscii;
    }
    return true;
}

// Digit value of an ASCII letter or digit, -1 for anything else.
inline int Valor(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    return -1;
}

inline bool EsSigno(char c) { return c == '+' || c == '-'; }

locale_t LocaleC() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

// b^k for k >= 0: exact by multiplication while it fits the 64-bit mantissa,
// powl beyond (inf only when b^k itself is beyond range).
long double PotenciaBase(int b, std::int64_t k) {
    long double p = 1;
    std::uint64_t exacta = 1;
    for (std::int64_t i = 0; i < k; ++i) {
        if (exacta > UINT64_MAX / static_cast<std::uint64_t>(b))
            return std::pow(static_cast<long double>(b), static_cast<long double>(k));
        exacta *= static_cast<std::uint64_t>(b);
        p = static_cast<long double>(exacta);
    }
    return p;
}

// acc * b^t, splitting large negative powers so that a normal result whose
// divisor alone would overflow is not lost.
long double Escalar(long double acc, int b, std::int64_t t) {
    if (acc == 0 || t == 0) return acc;
    if ((b & (b - 1)) == 0) {
        int bits = 0;
        while ((1 << bits) < b) ++bits;
        long double e = static_cast<long double>(t) * bits;
        e = std::clamp(e, -100000.0L, 100000.0L);
        return std::ldexp(acc, static_cast<int>(e));
    }
    if (t >= 0) return acc * PotenciaBase(b, t);
    std::int64_t m = -t;
    long double p = PotenciaBase(b, m);
    if (std::isfinite(p)) return acc / p;
    return acc / PotenciaBase(b, m / 2) / PotenciaBase(b, m - m / 2);
}

// Decimal text whose digits fit 64 bits and whose power of ten is exact
// (10^27 is the last below 2^64 times a power of two): one correctly rounded
// multiplication or division gives the nearest long double. False when the
// text needs the full conversion.
bool DecimalRapido(const char* c, int n, int finMant, long double& v) {
    static constexpr long double kPot[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                           1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
                                           1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
    std::uint64_t m = 0;
    int cifras = 0, exp10 = 0;
    bool fraccion = false;
    for (int i = 0; i < finMant; ++i) {
        const char ch = c[i];
        if (ch == '.') {
            fraccion = true;
        } else if (ch >= '0' && ch <= '9') {
            if (m == 0 && ch == '0') {
                if (fraccion) --exp10;
                continue;
            }
            if (++cifras > 19) return false;
            m = m * 10 + static_cast<std::uint64_t>(ch - '0');
            if (fraccion) --exp10;
        }
    }
    int e = 0;
    bool eNeg = false;
    for (int i = finMant + 1; i < n; ++i) {
        if (c[i] == '-') eNeg = true;
        if (c[i] == '+' || c[i] == '-') continue;
        if (e > 100) return false;
        e = e * 10 + (c[i] - '0');
    }
    exp10 += eNeg ? -e : e;
    if (exp10 < -27 || exp10 > 27) return m == 0 ? (v = 0, true) : false;
    v = exp10 >= 0 ? static_cast<long double>(m) * kPot[exp10] : static_cast<long double>(m) / kPot[-exp10];
    if (c[0] == '-') v = -v;
    return true;
}

void LeerLimpio(const char* c, int n, int b, LecturaNumero& r) {
    r = LecturaNumero{};
    r.base = b;
    if (b < 2 || b > 36) {
        r.fallo = FalloLectura::BaseFueraDeRango;
        return;
    }
    if (n == 0) {
        r.fallo = FalloLectura::Vacio;
        return;
    }
    // Scan: positions of the first "e" and the first point; failures do not stop
    // the scan and the last one wins.
    int posE = -1, posP = -1;
    bool minusculas = false;
    FalloLectura f = FalloLectura::Ninguno;
    for (int i = 0; i < n; ++i) {
        const char ch = c[i];
        const bool signoValido = i == 0 || (posE >= 0 && i == posE + 1);
        if (ch == '+') {
            if (!signoValido) f = FalloLectura::SignoMas;
        } else if (ch == '-') {
            if (!signoValido) f = FalloLectura::SignoMenos;
        } else if (ch == '.') {
            if (posP < 0) posP = i;
            else f = FalloLectura::PuntoRepetido;
        } else if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z')) {
        } else if (ch == 'e') {
            if (posE < 0) posE = i;
            else f = FalloLectura::ExpRepetido;
        } else if (ch >= 'a' && ch <= 'z') {
            minusculas = true;
        } else {
            f = FalloLectura::CaracterNoReconocido;
        }
    }
    if (b >= 14 && posE >= 0 && minusculas) f = FalloLectura::Ambigua;
    if (b < 14 && posE >= 0) {
        // An "e" with nothing but a sign after it has no exponent.
        bool digitos = false;
        for (int i = posE + 1; i < n; ++i) digitos = digitos || !EsSigno(c[i]);
        if (!digitos) f = FalloLectura::FaltaExponente;
    }
    if (posE >= 0 && posP > posE) f = FalloLectura::ExponenteNoEntero;

    // Digits are met in this order: exponent right to left, fraction left to
    // right, integer part right to left. A digit too large for the base is
    // reported when met before anything stops the read; an earlier failure stops
    // it at the first digit.
    const int finMant = posE >= 0 ? posE : n;
    const bool conFraccion = posP >= 0 && posP < finMant;
    const int finEnt = conFraccion ? posP : finMant;
    bool parar = false;
    auto mirar = [&](int i) {
        const char ch = c[i];
        if (EsSigno(ch)) return;
        const int d = Valor(ch);
        if (d >= b) {
            r.fallo = FalloLectura::DigitoInvalido;
            r.caracter = static_cast<unsigned char>(ch);
            r.baseFallo = b;
            parar = true;
        } else if (f != FalloLectura::Ninguno) {
            r.fallo = f;
            parar = true;
        }
    };
    if (posE >= 0)
        for (int i = n - 1; i > posE && !parar; --i) mirar(i);
    if (conFraccion)
        for (int i = posP + 1; i < finMant && !parar; ++i) mirar(i);
    for (int i = finEnt - 1; i >= 0 && !parar; --i) mirar(i);
    if (parar) return;
    if (f != FalloLectura::Ninguno) {
        r.fallo = f;
        return;
    }
    bool hayDigito = false;
    for (int i = 0; i < finMant && !hayDigito; ++i) hayDigito = Valor(c[i]) >= 0;
    if (!hayDigito) {
        r.fallo = FalloLectura::SinDigitos;
        return;
    }

    long double v;
    if (b == 10 && DecimalRapido(c, n, finMant, v)) {
    } else if (b == 10) {
        // Correctly rounded, so that every text RealATextoExacto writes reads
        // back to the same value.
        char buf[kLargoMaximo + 1];
        std::copy(c, c + n, buf);
        buf[n] = 0;
        char* fin = nullptr;
        v = strtold_l(buf, &fin, LocaleC());
    } else {
        // Mantissa digits into 128 bits; digits beyond that only scale.
        u128 acc = 0;
        const u128 tope = (static_cast<u128>(1) << 120) / 36;
        std::int64_t escala = 0;
        for (int i = 0; i < finMant; ++i) {
            const int d = Valor(c[i]);
            if (d < 0) continue;
            const bool fraccion = conFraccion && i > posP;
            if (acc < tope) {
                acc = acc * b + d;
                if (fraccion) --escala;
            } else if (!fraccion) {
                ++escala;
            }
        }
        std::int64_t exp = 0;
        bool expNeg = false;
        if (posE >= 0) {
            for (int i = posE + 1; i < n; ++i) {
                if (c[i] == '-') expNeg = !expNeg;
                if (EsSigno(c[i])) continue;
                // Saturate: far beyond any long double range either way.
                exp = std::min<std::int64_t>(exp * b + Valor(c[i]), 100000000);
            }
        }
        const long double mant = acc >> 64 ? static_cast<long double>(acc)
                                           : static_cast<long double>(static_cast<std::uint64_t>(acc));
        v = Escalar(mant, b, (expNeg ? -exp : exp) + escala);
        if (c[0] == '-') v = -v;
    }
    if (std::isinf(v) || std::isnan(v)) {
        r.fallo = FalloLectura::Desbordamiento;
        return;
    }
    r.valor = v;
}

void AgregarUtf8(std::string& s, char32_t c) {
    if (c < 0x80) s += static_cast<char>(c);
    else s += Utf8DeCodigo(c);
}

}  // namespace

std::string LecturaNumero::Mensaje() const {
    switch (fallo) {
        case FalloLectura::Ninguno: return {};
        case FalloLectura::Vacio: return "Vacio";
        case FalloLectura::CaracterNoReconocido: return "Error de sintaxis (Caracter no reconocido)";
        case FalloLectura::SignoMas: return "Error de sintaxis (\"+\")";
        case FalloLectura::SignoMenos: return "Error de sintaxis (\"-\")";
        case FalloLectura::PuntoRepetido: return "Error de sintaxis (punto decimal repetido)";
        case FalloLectura::ExpRepetido: return "Error de sintaxis (exp repetido)";
        case FalloLectura::Ambigua: return "Expresión ambigua";
        case FalloLectura::FaltaExponente: return "Falta exponente despues de \"e\"";
        case FalloLectura::ExponenteNoEntero: return "Exponente debe ser entero";
        case FalloLectura::DigitoInvalido: {
            std::string s = "\"";
            AgregarUtf8(s, caracter);
            return s + "\" no es un dígito válido en base " + std::to_string(baseFallo);
        }
        case FalloLectura::Corchetes: return "Error de corchetes";
        case FalloLectura::BaseFueraDeRango: return "Base de numeración debe estar entre 2 y 36 inclusive";
        case FalloLectura::BaseNoEntera: return "La base entre corchetes debe ser un número entero";
        case FalloLectura::DemasiadoLargo: return "Número demasiado largo (más de 255 caracteres)";
        case FalloLectura::SinDigitos: return "Número sin dígitos";
        case FalloLectura::Desbordamiento: return "Número fuera de rango";
    }
    return {};
}

std::string QuitarBlancos(std::string_view texto) {
    std::string s;
    s.reserve(texto.size());
    for (char c : texto)
        if (c != ' ') s += c;
    return s;
}

char DigitoAChar(int valor) {
    if (valor >= 0 && valor <= 9) return static_cast<char>('0' + valor);
    if (valor >= 10 && valor <= 35) return static_cast<char>('A' + valor - 10);
    return '?';
}

int CharADigito(char32_t c, bool* ok) {
    const int v = c < 0x80 ? Valor(static_cast<char>(c)) : -1;
    if (ok) *ok = v >= 0;
    return v < 0 ? 0 : v;
}

LecturaNumero LeerEnBase(std::string_view texto, int base) {
    LecturaNumero r;
    Limpio l;
    if (!Limpiar(texto, l)) {
        r.fallo = FalloLectura::DemasiadoLargo;
        r.base = base;
        return r;
    }
    LeerLimpio(l.c, l.n, base, r);
    return r;
}

LecturaNumero LeerNumero(std::string_view texto) {
    LecturaNumero r;
    Limpio l;
    if (!Limpiar(texto, l)) {
        r.fallo = FalloLectura::DemasiadoLargo;
        return r;
    }
    const int n = l.n;
    if (n == 0) {
        r.fallo = FalloLectura::Vacio;
        return r;
    }
    // 1-based positions of the first "[" and "]", 0 when absent.
    int o = 0, c = 0;
    for (int i = 0; i < n; ++i) {
        if (l.c[i] == '[' && o == 0) o = i + 1;
        if (l.c[i] == ']' && c == 0) c = i + 1;
    }
    if (c != 0 && c != n) {
        r.fallo = FalloLectura::Corchetes;
        return r;
    }
    if (o >= 2 && o < c - 1) {
        // Bracketed base, a decimal integer: characters o+1 .. c-1.
        int i = o;
        bool negativa = false;
        if (l.c[i] == '+' || l.c[i] == '-') negativa = l.c[i++] == '-';
        if (i >= c - 1) {
            r.fallo = FalloLectura::BaseNoEntera;
            return r;
        }
        long base = 0;
        for (; i < c - 1; ++i) {
            if (l.c[i] < '0' || l.c[i] > '9') {
                r.fallo = FalloLectura::BaseNoEntera;
                return r;
            }
            base = std::min(base * 10 + (l.c[i] - '0'), 1000L);
        }
        if (negativa) base = -base;
        if (base < 2 || base > 36) {
            r.fallo = FalloLectura::BaseFueraDeRango;
            return r;
        }
        LeerLimpio(l.c, o - 1, static_cast<int>(base), r);
        return r;
    }
    switch (l.c[0]) {
        case 'b': LeerLimpio(l.c + 1, n - 1, 2, r); break;
        case 'h': LeerLimpio(l.c + 1, n - 1, 16, r); break;
        case 'o': LeerLimpio(l.c + 1, n - 1, 8, r); break;
        default: LeerLimpio(l.c, n, 10, r); break;
    }
    return r;
}

// ---------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------
namespace {

int BaseValida(int b) { return b >= 2 && b <= 36 ? b : 10; }

bool PotenciaDeDos(int b) { return (b & (b - 1)) == 0; }

// Significant digits worth writing: what a 64-bit mantissa holds in base b
// (18 in base 10). In bases that are powers of two every digit is exact, so
// there is no limit.
int CifrasSignificativas(int b) {
    if (PotenciaDeDos(b)) return 1000;
    return static_cast<int>(std::floor(63.0 * std::log(2.0) / std::log(static_cast<double>(b))));
}

// The exact value of |x| as integer part + F / 2^s, which yields its digits in
// any base with no rounding error: the integer part by division, the fraction
// digit by digit by multiplication.
class Exacto {
public:
    explicit Exacto(long double x) {
        x = std::fabs(x);
        int ex = 0;
        const long double m = std::frexp(x, &ex);
        const std::uint64_t mant = x == 0 ? 0 : static_cast<std::uint64_t>(std::ldexp(m, 64));
        const int e = x == 0 ? 0 : ex - 64;
        if (e >= 0) {
            const int palabras = e / 32, bits = e % 32;
            ent_.assign(palabras + 3, 0);
            const u128 v = static_cast<u128>(mant) << bits;
            ent_[palabras] = static_cast<std::uint32_t>(v);
            ent_[palabras + 1] = static_cast<std::uint32_t>(v >> 32);
            ent_[palabras + 2] = static_cast<std::uint32_t>(v >> 64);
            return;
        }
        s_ = -e;
        const std::uint64_t entero = s_ < 64 ? mant >> s_ : 0;
        const std::uint64_t fraccion = s_ < 64 ? mant & ((std::uint64_t{1} << s_) - 1) : mant;
        ent_ = {static_cast<std::uint32_t>(entero), static_cast<std::uint32_t>(entero >> 32)};
        fr_.assign(s_ / 32 + 2, 0);
        fr_[0] = static_cast<std::uint32_t>(fraccion);
        fr_[1] = static_cast<std::uint32_t>(fraccion >> 32);
        alto_ = 1;
    }

    // Digits of the integer part, most significant first; empty for 0.
    std::vector<std::uint8_t> DigitosEnteros(int b) const {
        std::vector<std::uint32_t> n = ent_;
        while (!n.empty() && n.back() == 0) n.pop_back();
        // Divide by the largest power of b that fits 32 bits, k digits at a time.
        std::uint64_t trozo = b;
        int k = 1;
        while (trozo * b <= 0xFFFFFFFFu) {
            trozo *= b;
            ++k;
        }
        std::vector<std::uint8_t> d;
        while (!n.empty()) {
            std::uint64_t resto = 0;
            for (std::size_t i = n.size(); i-- > 0;) {
                const std::uint64_t cur = (resto << 32) | n[i];
                n[i] = static_cast<std::uint32_t>(cur / trozo);
                resto = cur % trozo;
            }
            while (!n.empty() && n.back() == 0) n.pop_back();
            for (int j = 0; j < k; ++j) {
                d.push_back(static_cast<std::uint8_t>(resto % b));
                resto /= b;
            }
        }
        while (!d.empty() && d.back() == 0) d.pop_back();
        std::reverse(d.begin(), d.end());
        return d;
    }

    int SiguienteDigito(int b) {
        if (s_ == 0) return 0;
        Multiplicar(static_cast<std::uint32_t>(b));
        const int w = s_ / 32, bit = s_ % 32;
        std::uint64_t d = fr_[w] >> bit;
        if (bit > 0 && w + 1 < static_cast<int>(fr_.size())) d |= std::uint64_t{fr_[w + 1]} << (32 - bit);
        fr_[w] &= bit == 0 ? 0u : ((1u << bit) - 1);
        if (w + 1 < static_cast<int>(fr_.size())) fr_[w + 1] = 0;
        alto_ = std::min(alto_, w);
        return static_cast<int>(d);
    }

    // Skips z fractional digits known to be 0, a 32-bit power of b at a time:
    // a number near the bottom of the range has thousands of them.
    void SaltarCeros(int b, int z) {
        if (s_ == 0) return;
        std::uint32_t trozo = 1;
        for (; z > 0; --z) {
            trozo *= static_cast<std::uint32_t>(b);
            if (z == 1 || std::uint64_t{trozo} * static_cast<std::uint64_t>(b) > 0xFFFFFFFFu) {
                Multiplicar(trozo);
                trozo = 1;
            }
        }
    }

    // The fraction not yet turned into digits is at least one half.
    bool MitadOMas() const {
        if (s_ == 0) return false;
        const int bit = s_ - 1;
        return (fr_[bit / 32] >> (bit % 32)) & 1u;
    }

    bool FraccionCero() const {
        return std::all_of(fr_.begin(), fr_.end(), [](std::uint32_t v) { return v == 0; });
    }

private:
    void Multiplicar(std::uint32_t k) {
        std::uint64_t acarreo = 0;
        for (int i = 0; i <= alto_; ++i) {
            const std::uint64_t p = std::uint64_t{fr_[i]} * k + acarreo;
            fr_[i] = static_cast<std::uint32_t>(p);
            acarreo = p >> 32;
        }
        if (acarreo != 0 && alto_ + 1 < static_cast<int>(fr_.size())) fr_[++alto_] = static_cast<std::uint32_t>(acarreo);
    }

    std::vector<std::uint32_t> ent_;  // little endian
    std::vector<std::uint32_t> fr_;   // little endian, below 2^s_
    int s_ = 0;
    int alto_ = 0;  // highest limb of fr_ that may be non-zero
};

// Adds one unit in the last place; true when it carries out of the first digit.
bool Incrementar(std::vector<std::uint8_t>& d, int b) {
    for (std::size_t i = d.size(); i-- > 0;) {
        if (++d[i] < b) return false;
        d[i] = 0;
    }
    return true;
}

std::string Texto(const std::vector<std::uint8_t>& d) {
    std::string s;
    s.reserve(d.size());
    for (auto v : d) s += DigitoAChar(v);
    return s;
}

// A blank before every group of three counted from the right.
std::string AgruparEntero(const std::string& s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && (s.size() - i) % 3 == 0) r += ' ';
        r += s[i];
    }
    return r;
}

// A blank after every third digit, never at the end.
std::string AgruparFraccion(const std::string& s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && i % 3 == 0) r += ' ';
        r += s[i];
    }
    return r;
}

bool TodoCero(const std::vector<std::uint8_t>& d) {
    return std::all_of(d.begin(), d.end(), [](std::uint8_t v) { return v == 0; });
}

std::string Componer(bool negativo, const std::vector<std::uint8_t>& ent, std::vector<std::uint8_t> fr,
                     const FormatoNumero& f, int decimales) {
    if (f.QuitarCeros) {
        while (!fr.empty() && fr.back() == 0) fr.pop_back();
    } else {
        fr.resize(static_cast<std::size_t>(decimales), 0);
    }
    // No "-0": a value that shows as zero has no sign.
    std::string s = negativo && !(TodoCero(ent) && TodoCero(fr)) ? "-" : "";
    const std::string e = ent.empty() ? "0" : Texto(ent);
    s += f.Agrupar ? AgruparEntero(e) : e;
    if (!fr.empty()) {
        s += '.';
        s += f.Agrupar ? AgruparFraccion(Texto(fr)) : Texto(fr);
    }
    return s;
}

int Decimales(const FormatoNumero& f) { return std::clamp(f.Decimales, 0, 30); }

std::string NoFinito(long double x) {
    if (std::isnan(x)) return "nan";
    return x < 0 ? "-inf" : "inf";
}

// Integer digits of the mantissa for each notation; e is the exponent that puts
// the mantissa in [1/b, 1).
int Desplazamiento(int notacion, int e) {
    if (notacion == 1) return 1;
    if (notacion == 2) {
        const int k = ((e % 3) + 3) % 3;
        return k == 0 ? 3 : k;
    }
    return 0;
}

std::string Cientifico(int b, long double x, const FormatoNumero& f, int notacion) {
    const int P = Decimales(f);
    const int S = CifrasSignificativas(b);
    Exacto ex(x);
    std::vector<std::uint8_t> dig = ex.DigitosEnteros(b);
    int L;  // floor(log_b |x|), exact
    if (!dig.empty()) {
        L = static_cast<int>(dig.size()) - 1;
    } else {
        // Leading zeros: skip all but the last couple that log_b says are there.
        const long double lg = -std::log(std::fabs(x)) / std::log(static_cast<long double>(b));
        int z = std::max(0, static_cast<int>(lg) - 2), d;
        ex.SaltarCeros(b, z);
        while ((d = ex.SiguienteDigito(b)) == 0) ++z;
        dig = {static_cast<std::uint8_t>(d)};
        L = -(z + 1);
    }
    int e = L + 1;
    int desp = Desplazamiento(notacion, e);
    // Digits kept; the general form always shows at least one.
    const std::size_t n = static_cast<std::size_t>(notacion == 0 ? std::max(1, std::min(P, S)) : std::min(desp + P, S));
    bool subir;
    if (dig.size() > n) {
        // Rounding inside the integer digits: compare the dropped tail with
        // one half of a unit in the last kept place.
        if (b % 2 == 0) {
            subir = dig[n] >= b / 2;
        } else {
            const int h = (b - 1) / 2;
            std::size_t i = n;
            while (i < dig.size() && dig[i] == h) ++i;
            subir = i < dig.size() ? dig[i] > h : ex.MitadOMas();
        }
        dig.resize(n);
    } else {
        while (dig.size() < n) dig.push_back(static_cast<std::uint8_t>(ex.SiguienteDigito(b)));
        subir = ex.MitadOMas();
    }
    if (subir && Incrementar(dig, b)) {
        // Rounded up to the next power of the base.
        dig.insert(dig.begin(), 1);
        dig.pop_back();
        ++e;
        desp = Desplazamiento(notacion, e);
    }
    std::vector<std::uint8_t> ent, fr;
    for (std::size_t i = 0; i < dig.size(); ++i) (static_cast<int>(i) < desp ? ent : fr).push_back(dig[i]);
    while (static_cast<int>(ent.size()) < desp) ent.push_back(0);
    // The general form shows one digit even with 0 decimals.
    std::string s = Componer(std::signbit(x), ent, fr, f, notacion == 0 ? std::max(P, 1) : P);
    const int exponente = e - desp;
    if (exponente != 0) s += "e" + EnteroABase(b, exponente);
    return s;
}

}  // namespace

std::string EnteroABase(int base, std::int64_t n) {
    const int b = BaseValida(base);
    std::uint64_t u = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    char buf[70];
    int i = 70;
    do {
        buf[--i] = DigitoAChar(static_cast<int>(u % b));
        u /= b;
    } while (u != 0);
    if (n < 0) buf[--i] = '-';
    return std::string(buf + i, buf + 70);
}

std::string EnteroRealABase(int base, long double entero) {
    if (!std::isfinite(entero)) return NoFinito(entero);
    const auto d = Exacto(std::trunc(entero)).DigitosEnteros(BaseValida(base));
    return d.empty() ? "0" : Texto(d);
}

std::string RealABaseFijo(int base, long double x, const FormatoNumero& f) {
    if (!std::isfinite(x)) return NoFinito(x);
    const int b = BaseValida(base);
    const int P = Decimales(f);
    const int S = CifrasSignificativas(b);
    Exacto ex(x);
    std::vector<std::uint8_t> ent = ex.DigitosEnteros(b);
    std::vector<std::uint8_t> fr;
    // Fractional digits up to the count asked for, but never beyond what the
    // mantissa holds: past that they would be noise («10000.0999...96»).
    int sig = static_cast<int>(ent.size());
    while (static_cast<int>(fr.size()) < P && sig < S) {
        const int d = ex.SiguienteDigito(b);
        fr.push_back(static_cast<std::uint8_t>(d));
        if (sig > 0 || d != 0) ++sig;
    }
    if (ex.MitadOMas() && Incrementar(fr, b) && Incrementar(ent, b)) ent.insert(ent.begin(), 1);
    return Componer(std::signbit(x), ent, fr, f, P);
}

std::string RealABaseCientifico(int base, long double x, const FormatoNumero& f) {
    if (!std::isfinite(x)) return NoFinito(x);
    if (x == 0) return RealABaseFijo(base, 0, f);
    return Cientifico(BaseValida(base), x, f, std::clamp<int>(f.Notacion, NotacionGeneral, NotacionIngenieria));
}

std::string RealABase(int base, long double x, const FormatoNumero& f, bool marca) {
    if (!std::isfinite(x)) return NoFinito(x);
    if (x == 0) return "0";
    const int b = BaseValida(base);
    std::string s;
    if (f.Notacion == NotacionCientifica || f.Notacion == NotacionIngenieria) {
        s = Cientifico(b, x, f, f.Notacion);
    } else {
        // Fixed form for b^-Decimales <= |x| <= b^16, and with no decimals from
        // 1/b up: 0.6 is «1» and 0.3 is «0», as 2.6 is «3»; only values below
        // 1/b keep a digit through the exponent form. The bounds are compared
        // as long doubles, as the user types them: 1e-16 is inside with 16
        // decimals even though its nearest long double lies a hair below 10^-16.
        const long double ax = std::fabs(x);
        const bool fijo = ax >= 1 / PotenciaBase(b, std::max(Decimales(f), 1)) && ax <= PotenciaBase(b, 16);
        s = fijo ? RealABaseFijo(b, x, f) : Cientifico(b, x, f, 0);
    }
    if (marca && b != 10) s += " [" + std::to_string(b) + "]";
    return s;
}

std::string RealATexto(long double x, const FormatoNumero& f) { return RealABase(f.BaseDefecto, x, f); }

std::optional<NotacionNumero> NotacionDe(int n) {
    if (n < NotacionGeneral || n > NotacionIngenieria) return std::nullopt;
    return static_cast<NotacionNumero>(n);
}

std::optional<BaseNumeracion> BaseDe(int b) {
    if (b < 2 || b > 36) return std::nullopt;
    return static_cast<BaseNumeracion>(b);
}

std::optional<DigitosResultado> DigitosDe(int d) {
    if (d != DigitosFlotante && (d < 0 || d > 16 || d % 2 != 0)) return std::nullopt;
    return static_cast<DigitosResultado>(d);
}

DigitosResultado FormatoNumero::Digitos() const {
    return QuitarCeros ? DigitosFlotante : static_cast<DigitosResultado>(Decimales);
}

void FormatoNumero::SetDigitos(DigitosResultado d) {
    QuitarCeros = d == DigitosFlotante;
    Decimales = QuitarCeros ? 16 : d;
}

std::string RealATextoExacto(long double x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

std::string RealAGeneral(long double x, int digitos) {
    char buf[128];
    const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, std::clamp(digitos, 1, 40));
    return std::string(buf, r.ptr);
}

}  // namespace numbrix
