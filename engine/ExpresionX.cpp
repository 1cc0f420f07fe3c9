// The real-mode engine: the value domain's arithmetic and the one
// instantiation of the generic engine over it.
#include "engine/ExpresionX.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "engine/ExpresionImpl.h"
#include "engine/bases2_36.h"

namespace numbrix {

long double PotenciaEntera(long double b, long long e) {
    if (e == 0) return 1;
    unsigned long long m = e < 0 ? 0ull - static_cast<unsigned long long>(e) : static_cast<unsigned long long>(e);
    long double p = 1, x = b;
    for (unsigned long long k = m;;) {
        if (k & 1) p *= x;
        k >>= 1;
        if (!k) break;
        x *= x;
    }
    if (e > 0) return Comprobar(p);
    if (b == 0) LanzarDivisionCero();
    if (std::isfinite(p) && p != 0) return Comprobar(1 / p);
    if (p == 0) LanzarDesbordamiento();  // b^|e| underflowed: its inverse is too large
    // b^|e| overflowed: the inverse power underflows towards 0, not an error.
    long double q = 1, y = 1 / b;
    for (unsigned long long k = m;;) {
        if (k & 1) q *= y;
        k >>= 1;
        if (!k) break;
        y *= y;
    }
    return Comprobar(q);
}

long double Potencia(long double b, long double e) {
    if (e == 0) return 1;
    if (b == 0 && e > 0) return 0;
    if (e == std::trunc(e) && std::fabs(e) <= static_cast<long double>(INT32_MAX))
        return PotenciaEntera(b, static_cast<long long>(e));
    if (b < 0) LanzarOperacionInvalida();
    if (b == 0) LanzarDivisionCero();  // the logarithm of 0
    return Comprobar(std::pow(b, e));
}

std::int32_t R32(long double x) {
    if (!std::isfinite(x)) LanzarArgumentoInvalido();
    long double t = std::trunc(x);
    long double r = t + std::trunc(2 * (x - t));
    if (r > static_cast<long double>(INT32_MAX) || r < static_cast<long double>(INT32_MIN)) LanzarArgumentoInvalido();
    return static_cast<std::int32_t>(r);
}

DominioReal::Valor DominioReal::Raiz(const Aj&, Valor a, Valor r) {
    if (r == 0) LanzarDivisionCero();
    if (r == 2 && a >= 0) return std::sqrt(a);
    if (r == 3 && a >= 0) return std::cbrt(a);
    return Potencia(a, 1 / r);
}

namespace {

__extension__ typedef unsigned __int128 U128;

// b^k as a long double holds it, when that is known without a big-number
// library: exact for powers of two and for integral bases whose odd part
// raised to |k| fits 64 bits (a negative k is then one correctly rounded
// division); for ten, beyond that, the reader's correctly rounded «1e<k>».
bool PotenciaRedondeada(long double b, long long k, long double& p) {
    if (k == 0) {
        p = 1;
        return true;
    }
    int e2 = 0;
    if (std::frexp(b, &e2) == 0.5L) {  // 2^(e2-1), also below 1
        const long long e = static_cast<long long>(e2 - 1) * k;
        if (e < -20000 || e > 20000) return false;
        p = std::ldexp(1.0L, static_cast<int>(e));
        return true;
    }
    if (b >= 3 && b == std::trunc(b) && b < 0x1p64L) {
        unsigned long long impar = static_cast<unsigned long long>(b);
        int doses = 0;
        while ((impar & 1) == 0) {
            impar >>= 1;
            ++doses;
        }
        const long long m = k < 0 ? -k : k;
        U128 v = 1;
        bool cabe = true;
        for (long long i = 0; i < m && cabe; ++i) {
            if (impar == 1) break;
            v *= impar;
            cabe = (v >> 64) == 0;
        }
        const long long exp2 = static_cast<long long>(doses) * m;
        if (cabe && exp2 <= 20000) {
            const long double q = std::ldexp(static_cast<long double>(static_cast<unsigned long long>(v)),
                                             static_cast<int>(exp2));
            p = k > 0 ? q : 1 / q;
            return true;
        }
    }
    if (b == 10) {
        char texto[32] = "1e";
        auto r = std::to_chars(texto + 2, texto + sizeof texto, k);
        return std::from_chars(texto, r.ptr, p).ec == std::errc();
    }
    return false;
}

}  // namespace

long double LogaritmoEnBase(long double a, long double b) {
    const long double r = b == 10 ? std::log10(a) : std::log2(a) / std::log2(b);
    if (!std::isfinite(r)) return r;
    // Only an integer within rounding of r can be the exact answer; whether
    // it is, the power itself decides.
    const long double k = std::nearbyint(r);
    if (std::fabs(r - k) > 1e-9L * std::max(1.0L, std::fabs(k)) || std::fabs(k) > 1e6L) return r;
    long double p;
    if (PotenciaRedondeada(b, static_cast<long long>(k), p) && p == a) return k;
    return r;
}

DominioReal::Valor DominioReal::LogN(const Aj&, Valor a, Valor base) {
    if (a == 0 || base == 0) LanzarDivisionCero();
    if (a < 0 || base < 0) LanzarOperacionInvalida();
    if (base == 1) LanzarDivisionCero();  // log2(1) = 0: the quotient's divisor
    return Comprobar(LogaritmoEnBase(a, base));
}

bool DominioReal::LeerLiteral(std::string_view texto, Valor& v, int& base) {
    LecturaNumero l = LeerNumero(texto);
    if (l.Error()) {
        // A number too large to hold is an error of the whole expression. A
        // piece too long to be a number is only not a number: «2(1+…+1)» or
        // «3sen(…)» still split into a product (the compiler names a long
        // piece of digits that nothing else reads as a number too long).
        if (l.fallo == FalloLectura::Desbordamiento) LanzarDesbordamiento();
        return false;
    }
    v = l.valor;
    base = l.base;
    return true;
}

std::string DominioReal::TextoExacto(Valor v) { return RealATextoExacto(v); }

namespace {
using Args = std::vector<Ref<TEvalX>>;

long double Si(ContextoX& c, const Args& a) {
    return a[0]->Valor(c) > 0 ? a[1]->Valor(c) : a[2]->Valor(c);
}

// Conditions a1, a3, ... in turn; the default is a last odd argument.
long double Sim(ContextoX& c, const Args& a) {
    std::size_t n = a.size();
    for (std::size_t k = 0; k + 1 < n; k += 2)
        if (a[k]->Valor(c) > 0) return a[k + 1]->Valor(c);
    if (n % 2 == 1) return a[n - 1]->Valor(c);
    LanzarArgumentoInvalido();
}
}  // namespace

void RegistrarFijasX(TExpresionX& e) {
    e.AgregarFuncionN("Si/If", Si, "Condicional", 3, 3);
    e.AgregarFuncionN("Sim/Ifm", Sim, "Secuencia de condicionales", kArgumentosIlimitados, 2);
    e.AgregarFuncionN("LogBase/LogN", {}, "Logaritmo base N", 2, 2);
}

void DominioReal::RegistrarFijas(TExpresion<DominioReal>& e) { RegistrarFijasX(e); }
void DominioReal::RegistrarPredefinidas(TExpresion<DominioReal>& e) { RegistrarPredefinidasX(e); }

template class TExpresion<DominioReal>;

}  // namespace numbrix
