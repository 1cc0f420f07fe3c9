#include "tools/Primo.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <thread>

#include "support/EscrituraAtomica.h"
#include "tools/Criba.h"

namespace numbrix {

namespace {

using u64 = std::uint64_t;
__extension__ using u128 = unsigned __int128;

// Montgomery arithmetic modulo an odd n: a product costs two multiplications
// instead of a 128-bit division.
class Montgomery {
public:
    explicit Montgomery(u64 n) : n_(n) {
        u64 inv = n;  // Newton: each step doubles the correct low bits
        for (int i = 0; i < 5; ++i) inv *= 2 - n * inv;
        inv_ = inv;
        r2_ = static_cast<u64>(static_cast<u128>(static_cast<u64>(-n % n)) * static_cast<u64>(-n % n) % n);
        uno_ = static_cast<u64>(-n % n);
    }
    u64 Reducir(u128 t) const {
        const u64 m = static_cast<u64>(t) * inv_;
        const u64 a = static_cast<u64>(t >> 64), b = static_cast<u64>((static_cast<u128>(m) * n_) >> 64);
        return a >= b ? a - b : a - b + n_;
    }
    u64 Mul(u64 a, u64 b) const { return Reducir(static_cast<u128>(a) * b); }
    u64 A(u64 x) const { return Mul(x % n_, r2_); }  // into the form
    u64 De(u64 x) const { return Reducir(x); }      // out of it
    u64 Uno() const { return uno_; }
    u64 N() const { return n_; }

private:
    u64 n_, inv_, r2_, uno_;
};

constexpr unsigned kPrimosChicos[] = {2,  3,  5,  7,  11, 13, 17, 19, 23, 29, 31, 37, 41,
                                      43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89, 97};

// Strong probable prime to base a (a reduced mod n; 0 passes).
bool Fuerte(const Montgomery& m, u64 d, int s, u64 a) {
    const u64 n = m.N();
    a %= n;
    if (a == 0) return true;
    const u64 uno = m.Uno(), menos = n - uno;  // 1 and n − 1 in the form
    u64 b = m.A(a), x = uno;
    for (u64 e = d; e; e >>= 1) {
        if (e & 1) x = m.Mul(x, b);
        b = m.Mul(b, b);
    }
    if (x == uno || x == menos) return true;
    for (int i = 1; i < s; ++i) {
        x = m.Mul(x, x);
        if (x == menos) return true;
        if (x == uno) return false;
    }
    return false;
}

u64 Mcd(u64 a, u64 b) { return std::gcd(a, b); }

// Pollard–Brent: a proper divisor of the odd composite n (not a prime power
// test: any divisor will do, the caller splits it again).
u64 Rho(u64 n) {
    const Montgomery m(n);
    for (u64 c = 1;; ++c) {
        const u64 cm = m.A(c);
        auto f = [&](u64 x) {
            u64 y = m.Mul(x, x) + cm;
            return y >= n ? y - n : y;
        };
        u64 y = m.A(2), x = y, q = m.Uno(), ys = y, g = 1;
        constexpr u64 kLote = 128;
        for (u64 r = 1; g == 1; r <<= 1) {
            x = y;
            for (u64 i = 0; i < r; ++i) y = f(y);
            for (u64 k = 0; k < r && g == 1; k += kLote) {
                ys = y;
                for (u64 i = 0; i < std::min(kLote, r - k); ++i) {
                    y = f(y);
                    q = m.Mul(q, x > y ? x - y : y - x);
                }
                g = Mcd(q, n);
            }
        }
        if (g == n) {  // the batch overshot: step back one at a time
            do {
                ys = f(ys);
                g = Mcd(x > ys ? x - ys : ys - x, n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

void Factorizar(u64 n, std::vector<u64>& f) {
    if (n == 1) return;
    if (EsPrimo(n)) {
        f.push_back(n);
        return;
    }
    const u64 d = Rho(n);
    Factorizar(d, f);
    Factorizar(n / d, f);
}

std::string Decimal(u64 v) { return std::to_string(v); }

std::string Formato(const char* fmt, auto... args) {
    char b[160];
    std::snprintf(b, sizeof b, fmt, args...);
    return b;
}

// Three decimals whatever the locale: the point is always ".".
std::string Fijo3(double v) {
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, 3);
    return std::string(b, r.ptr);
}

using Reloj = std::chrono::steady_clock;

// Slices of the sieve's counts: about 20 ms each, never so short that the
// sieve's set-up (its primes up to √hi) dominates.
class Rebanadas {
public:
    // The length of the slice starting at `a`.
    u64 Largo(u64 a) const { return std::max(largo_, Minimo(a)); }
    u64 Contar(u64 lo, u64 hi, const TokenCancelar& token) {
        const auto t0 = Reloj::now();
        const u64 r = ContarPrimosCriba(lo, hi, token);
        const double ms = std::chrono::duration<double, std::milli>(Reloj::now() - t0).count();
        if (hi - lo + 1 >= largo_) {
            const double f = std::clamp(20.0 / std::max(ms, 0.01), 0.25, 4.0);
            largo_ = std::max<u64>(1u << 20, static_cast<u64>(static_cast<double>(largo_) * f));
        }
        return r;
    }

private:
    // The set-up sieves up to the square root of the slice's end.
    static u64 Minimo(u64 a) {
        return std::max<u64>(1u << 20, static_cast<u64>(std::sqrt(static_cast<double>(a))) / 16);
    }
    u64 largo_ = 1u << 24;
};

// Narrow beside √hi: the sieve's set-up would cost more than testing each
// number prime to 30.
bool Estrecho(u64 lo, u64 hi) {
    return hi - lo < 30 * static_cast<u64>(std::sqrt(static_cast<double>(hi)));
}

// Every prime of [lo, hi] (lo ≥ 2) by the mod-30 wheel and the strong tests;
// `cada` returns false to stop. hi ≤ 2^63 − 1, so the steps never wrap.
template <class F>
void RuedaPrimos(u64 lo, u64 hi, TTrabajo& t, F&& cada) {
    for (u64 p : {2u, 3u, 5u})
        if (p >= lo && p <= hi && !cada(p)) return;
    static constexpr unsigned kRueda[] = {1, 7, 11, 13, 17, 19, 23, 29};
    const u64 desde = std::max<u64>(lo, 7);
    unsigned vuelta = 0;
    for (u64 base = desde - desde % 30; base <= hi; base += 30) {
        for (unsigned r : kRueda) {
            const u64 x = base + r;
            if (x < desde) continue;
            if (x > hi) return;
            if (EsPrimo(x) && !cada(x)) return;
        }
        if (++vuelta % 512 == 0) t.Comprobar();
    }
}

void AjustarHilos(const OpcionesCriba& o) {
    HilosCriba(o.hilos > 0 ? o.hilos : static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
}

}  // namespace

bool EsPrimo(u64 n) {
    if (n < 2) return false;
    for (unsigned p : kPrimosChicos) {
        if (n == p) return true;
        if (n % p == 0) return false;
    }
    if (n < 97ull * 97) return true;
    u64 d = n - 1;
    int s = 0;
    while ((d & 1) == 0) {
        d >>= 1;
        ++s;
    }
    const Montgomery m(n);
    for (u64 a : {2ull, 325ull, 9375ull, 28178ull, 450775ull, 9780504ull, 1795265022ull})
        if (!Fuerte(m, d, s, a)) return false;
    return true;
}

std::vector<u64> FactoresPrimos(u64 n) {
    std::vector<u64> f;
    if (n < 2) return f;
    for (unsigned p : kPrimosChicos)
        while (n % p == 0) {
            f.push_back(p);
            n /= p;
        }
    Factorizar(n, f);
    std::sort(f.begin(), f.end());
    return f;
}

std::vector<u64> Divisores(u64 n) {
    std::vector<u64> d{1};
    if (n == 0) return {};
    const auto f = FactoresPrimos(n);
    for (std::size_t i = 0; i < f.size();) {
        std::size_t j = i;
        while (j < f.size() && f[j] == f[i]) ++j;
        const std::size_t antes = d.size();
        u64 pot = 1;
        for (std::size_t e = i; e < j; ++e) {
            pot *= f[i];
            for (std::size_t k = 0; k < antes; ++k) d.push_back(d[k] * pot);
        }
        i = j;
    }
    std::sort(d.begin(), d.end());
    return d;
}

bool LeerEntero64(std::string_view texto, std::int64_t& valor) {
    while (!texto.empty() && (texto.front() == ' ' || texto.front() == '\t')) texto.remove_prefix(1);
    while (!texto.empty() && (texto.back() == ' ' || texto.back() == '\t' || texto.back() == '\r' || texto.back() == '\n'))
        texto.remove_suffix(1);
    if (!texto.empty() && texto.front() == '+') texto.remove_prefix(1);
    if (texto.empty() || texto.front() == '+') return false;
    const char* fin = texto.data() + texto.size();
    const auto r = std::from_chars(texto.data(), fin, valor);
    return r.ec == std::errc() && r.ptr == fin;
}

u64 NumeroPara(OperacionPrimos op, std::string_view texto) {
    std::int64_t v = 0;
    const bool leido = LeerEntero64(texto, v);
    switch (op) {
    case OperacionPrimos::EsPrimo:
        if (!leido || v <= 0) throw EPrimos(kMsjMaximoPrimo);
        break;
    case OperacionPrimos::Enesimo:
        if (!leido || v <= 0 || static_cast<u64>(v) > kMaximoEnesimo) throw EPrimos(kMsjEnesimo);
        break;
    default:
        if (!leido || v <= 0) throw EPrimos(kMsjNaturales);
    }
    return static_cast<u64>(v);
}

LineasPrimos LineasEsPrimo(u64 n) {
    if (n == 1) return {{"No, 1 no es primo"}, 1};
    const auto f = FactoresPrimos(n);
    if (f.size() == 1) return {{"Es Primo"}, 1};
    return {{"No, es divisible por: " + Decimal(f.front())}, 1};
}

LineasPrimos LineasFactores(u64 n) {
    if (n == 1) return {{"1"}, 0};
    const auto f = FactoresPrimos(n);
    if (f.size() == 1) return {{"Primo"}, 1};
    LineasPrimos r;
    for (std::size_t i = 0; i < f.size();) {
        std::size_t j = i;
        while (j < f.size() && f[j] == f[i]) ++j;
        r.lineas.push_back(j - i == 1 ? Decimal(f[i]) : Formato("%llu ^ %zu", static_cast<unsigned long long>(f[i]), j - i));
        i = j;
    }
    r.cuenta = f.size();
    return r;
}

LineasPrimos LineasDivisores(u64 n) {
    if (n == 1) return {};
    const auto d = Divisores(n);
    if (d.size() == 2) return {{"Es Primo"}, 1};
    LineasPrimos r;
    for (std::size_t i = 1; i + 1 < d.size(); ++i) r.lineas.push_back(Decimal(d[i]));
    r.cuenta = r.lineas.size();
    return r;
}

double EstimacionPrimos(u64 lo, u64 hi) {
    if (hi < 3 || lo > hi) return 0;
    const double h = static_cast<double>(hi), l = static_cast<double>(lo);
    return h / std::log(h) - (lo > 2 ? l / std::log(l) : 0.0);
}

std::string NombreArchivoPrimos(u64 lo, u64 hi) {
    return Formato("Primos entre %llu y %llu .txt", static_cast<unsigned long long>(lo), static_cast<unsigned long long>(hi));
}

std::string TextoFinLista(u64 cantidad, u64 lo, u64 hi) {
    const u64 ancho = hi > lo ? hi - lo : 0;
    const double pc = ancho ? 100.0 * static_cast<double>(cantidad) / static_cast<double>(ancho) : 0.0;
    return Decimal(cantidad) + " / " + Decimal(ancho) + "  (" + Fijo3(pc) + "%)";
}

std::string TextoEnesimo(u64 n, u64 p) {
    return Formato("Pr(%llu) = %llu", static_cast<unsigned long long>(n), static_cast<unsigned long long>(p));
}

u64 ContarPrimos(u64 lo, u64 hi, TTrabajo& t, OpcionesCriba o) {
    lo = std::max<u64>(lo, 2);
    if (lo > hi) return 0;
    hi = std::min(hi, kMaximoPrimos);
    u64 cuenta = 0;
    if (Estrecho(lo, hi)) {
        RuedaPrimos(lo, hi, t, [&](u64) { return ++cuenta, true; });
        return cuenta;
    }
    AjustarHilos(o);
    const TokenCancelar token = t.Token();
    Rebanadas r;
    for (u64 a = lo;;) {
        const u64 largo = r.Largo(a);
        const u64 b = hi - a < largo ? hi : a + largo - 1;
        cuenta += r.Contar(a, b, token);
        const double f = static_cast<double>(b - lo) / static_cast<double>(hi - lo);
        t.Avanzar(f, Decimal(b) + "   (" + Fijo3(100 * f) + "%)");
        if (b == hi) return cuenta;
        a = b + 1;
    }
}

u64 EnesimoPrimo(u64 n, TTrabajo& t, OpcionesCriba o) {
    static constexpr u64 kPrimeros[] = {2, 3, 5, 7, 11};
    if (n == 0 || n > kMaximoEnesimo) throw EPrimos(kMsjEnesimo);
    if (n <= 5) return kPrimeros[n - 1];
    AjustarHilos(o);
    // p(n) lies between these (n ≥ 6): the counts run in full slices up to
    // the lower one and then in smaller ones, so the walk stays short.
    const double dn = static_cast<double>(n), ln = std::log(dn), lln = std::log(ln);
    const u64 bajo = static_cast<u64>(dn * (ln + lln - 1)), alto = static_cast<u64>(dn * (ln + lln)) + 1;
    const TokenCancelar token = t.Token();
    Rebanadas r;
    u64 hasta = 1, cuenta = 0;  // primes ≤ hasta
    for (;;) {
        u64 largo = r.Largo(hasta);
        if (hasta >= bajo) largo = std::min(largo, std::max<u64>((alto - bajo) / 16, 1u << 16));
        u64 b = hasta + largo;
        if (hasta < bajo && b > bajo) b = bajo;
        const u64 c = r.Contar(hasta + 1, b, token);
        if (cuenta + c >= n) {
            TRecorridoPrimos it(hasta + 1, b, token);
            for (u64 k = cuenta;;) {
                const u64 p = it.Siguiente();
                if (++k == n) return p;
                if ((k & 4095) == 0) t.Comprobar();
            }
        }
        cuenta += c;
        hasta = b;
        const double f = static_cast<double>(cuenta) / dn;
        t.Avanzar(f, "Pr(" + Decimal(cuenta) + ")=" + Decimal(hasta) + "   [" + Fijo3(100 * f) + "%]");
    }
}

ResultadoLista ListarPrimos(u64 lo, u64 hi, TTrabajo& t, const std::function<void(std::string_view)>& bloque,
                            u64 maximo) {
    ResultadoLista res;
    lo = std::max<u64>(lo, 2);
    hi = std::min(hi, kMaximoPrimos);
    if (lo > hi) return res;
    std::string b;
    b.reserve(1 << 16);
    const double ancho = static_cast<double>(hi - lo) + 1;
    u64 ultimo = lo;
    auto ultimoAvance = Reloj::now();
    auto avanzar = [&] {
        const double f = static_cast<double>(ultimo - lo) / ancho;
        t.Avanzar(f, Decimal(ultimo) + "   (" + Fijo3(100 * f) + "%)");
    };
    // Handed before a cancel is raised, so the caller keeps every line.
    auto entregar = [&] {
        if (!b.empty()) bloque(b);
        b.clear();
    };
    auto agregar = [&](u64 p) {
        if (maximo && res.cantidad == maximo) {
            res.detenida = true;
            return false;
        }
        char d[24];
        const auto r = std::to_chars(d, d + sizeof d, p);
        *r.ptr = '\n';
        b.append(d, r.ptr + 1);
        ultimo = p;
        if ((++res.cantidad & 4095) == 0) {
            if (b.size() >= (1u << 16)) entregar();
            if (t.Sondear()) {
                entregar();
                throw ECancelado();
            }
            if (const auto ahora = Reloj::now(); ahora - ultimoAvance > std::chrono::milliseconds(100)) {
                ultimoAvance = ahora;
                avanzar();
            }
        }
        return true;
    };
    try {
        if (Estrecho(lo, hi)) {
            RuedaPrimos(lo, hi, t, agregar);
        } else {
            TRecorridoPrimos it(lo, hi, t.Token());
            for (u64 p = it.Siguiente(); p <= hi; p = it.Siguiente())
                if (!agregar(p)) break;
        }
    } catch (const ECancelado&) {
        entregar();
        throw;
    }
    entregar();
    return res;
}

ResultadoLista ListarPrimosArchivo(u64 lo, u64 hi, const std::filesystem::path& ruta, TTrabajo& t, u64* cantidad) {
    TEscrituraAtomica archivo(ruta);
    archivo.Abrir();
    u64 escritos = 0;
    ResultadoLista r;
    try {
        r = ListarPrimos(lo, hi, t, [&](std::string_view s) {
            archivo.Agregar(s);
            escritos += static_cast<u64>(std::count(s.begin(), s.end(), '\n'));
        });
    } catch (const ECancelado&) {
        if (cantidad) *cantidad = escritos;
        archivo.Confirmar();
        throw;
    }
    archivo.Confirmar();
    if (cantidad) *cantidad = escritos;
    return r;
}

}  // namespace numbrix
