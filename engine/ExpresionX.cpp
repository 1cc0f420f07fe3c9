// The real-mode engine: the value domain's arithmetic and the one
// instantiation of the generic engine over it.
#include "engine/ExpresionX.h"

#include <climits>
#include <cmath>

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

DominioReal::Valor DominioReal::LogN(const Aj&, Valor a, Valor base) {
    if (a == 0 || base == 0) LanzarDivisionCero();
    if (a < 0 || base < 0) LanzarOperacionInvalida();
    long double lb = std::log2(base);
    if (lb == 0) LanzarDivisionCero();
    return Comprobar(std::log2(a) / lb);
}

bool DominioReal::LeerLiteral(std::string_view texto, Valor& v, int& base) {
    LecturaNumero l = LeerNumero(texto);
    if (l.Error()) {
        // A piece that is clearly a number but cannot be held is an error of
        // the whole expression, not an unknown name.
        bool empiezaNumero = !texto.empty() && ((texto[0] >= '0' && texto[0] <= '9') || texto[0] == '.');
        if (l.fallo == FalloLectura::Desbordamiento) LanzarDesbordamiento();
        if (l.fallo == FalloLectura::DemasiadoLargo && empiezaNumero) throw ECompilacion(l.Mensaje());
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
