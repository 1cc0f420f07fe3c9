#include "shell/Calculo.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace numbrix {

namespace {

using Args = std::vector<Ref<TEvalX>>;

constexpr const char* kMsgCuadrada = "La matriz debe ser cuadrada";
constexpr const char* kMsgInecuacion = "Resolver no opera con inecuaciones";
constexpr const char* kMsgFuncion = "Necesita una función";
constexpr const char* kMsgSinRaiz = "No ha sido posible hallar ninguna raíz. Intente con otro rango";
constexpr const char* kMsgLimite = "Límite fuera de rango";
constexpr const char* kMsgIntervalos = "Número de intervalos fuera de rango";

// A prompt variable driven by one call. On the way out the guard first puts
// value and mark back, then a new generation starts, so no node keeps a value
// computed with the driven one: a shared local definition read after the
// call reads (or asks for) the user's value again.
class Conducida {
public:
    Conducida(ContextoX& c, VariablePregunta& v) : salida_{c}, guarda_(v), c_(c), v_(v) {}

    // f with the variable at valor.
    long double En(TEvalX& f, long double valor) {
        Poner(valor);
        return f.Valor(c_);
    }
    void Poner(long double valor) {
        v_.valor = valor;
        c_.NuevaGeneracion();  // every node reading the variable is computed anew
    }

private:
    struct NuevaAlSalir {
        ContextoX& c;
        ~NuevaAlSalir() { c.NuevaGeneracion(); }
    };
    NuevaAlSalir salida_;   // destroyed after guarda_: restore first, then forget
    GuardaVariable guarda_;
    ContextoX& c_;
    VariablePregunta& v_;
};

// Composite Boole rule over p = n div 4 panels (n = 100 unless given).
long double Integrar(ContextoX& c, const Args& a, VariablePregunta& x) {
    const long double ini = a[0]->Valor(c);
    const long double fin = a[1]->Valor(c);
    if (!std::isfinite(ini) || !std::isfinite(fin)) throw EMathError(kMsgLimite);
    if (ini == fin) return 0;  // the body is never evaluated
    std::int64_t n = 100;
    if (a.size() == 4) n = EnteroAcotado(a[2]->Valor(c), kMsgIntervalos);
    if (n < 4) return 0;
    const std::int64_t paneles = n / 4;
    const long double h = Comprobar((fin - ini) / (4.0L * static_cast<long double>(paneles)));
    TEvalX& f = *a.back();
    Conducida var(c, x);
    long double suma = 0;
    for (std::int64_t k = 0; k < paneles; ++k) {
        c.Sondear();
        long double xv = ini + 4.0L * static_cast<long double>(k) * h;
        const long double f0 = var.En(f, xv);
        const long double f1 = var.En(f, xv += h);
        const long double f2 = var.En(f, xv += h);
        const long double f3 = var.En(f, xv += h);
        const long double f4 = var.En(f, xv += h);
        suma = Comprobar(suma + (7 * f0 + 32 * f1 + 12 * f2 + 32 * f3 + 7 * f4) * h * 2 / 45);
    }
    return suma;
}

long double Evaluar(ContextoX& c, const Args& a, VariablePregunta& x) {
    const long double v = a[0]->Valor(c);
    Conducida var(c, x);
    return var.En(*a[1], v);
}

// Sum or product of the body over n = i..j. The loop runs on a count, so
// bounds next to the 64-bit limits never overflow the counter.
long double SumaProducto(ContextoX& c, const Args& a, VariablePregunta& n, bool producto) {
    const std::int64_t i = EnteroAcotado(a[0]->Valor(c), kMsgLimite);
    const std::int64_t j = EnteroAcotado(a[1]->Valor(c), kMsgLimite);
    long double acumulado = producto ? 1 : 0;
    if (j < i) return acumulado;
    const std::uint64_t pasos = static_cast<std::uint64_t>(j) - static_cast<std::uint64_t>(i);
    TEvalX& f = *a[2];
    Conducida var(c, n);
    for (std::uint64_t k = 0;; ++k) {
        c.Sondear();
        const auto actual = static_cast<std::int64_t>(static_cast<std::uint64_t>(i) + k);
        const long double v = var.En(f, static_cast<long double>(actual));
        acumulado = Comprobar(producto ? acumulado * v : acumulado + v);
        if (k == pasos) break;
    }
    return acumulado;
}

// Five-point central difference; the step follows the size of f(v).
long double Derivar(ContextoX& c, const Args& a, VariablePregunta& x) {
    const long double v = a[0]->Valor(c);
    TEvalX& f = *a[1];
    Conducida var(c, x);
    long double h = std::fabs(var.En(f, v)) * 1e-5L;
    if (h < 1e-5L) h = 1e-5L;
    const long double m2 = var.En(f, v - 2 * h);
    const long double m1 = var.En(f, v - h);
    const long double p1 = var.En(f, v + h);
    const long double p2 = var.En(f, v + 2 * h);
    return Comprobar((m2 - 8 * m1 + 8 * p1 - p2) / (12 * h));
}

long double Det(ContextoX& c, const Args& a) {
    const std::size_t cuenta = a.size();
    const auto n = static_cast<std::size_t>(std::llround(std::sqrt(static_cast<double>(cuenta))));
    if (n * n != cuenta) throw EMathError(kMsgCuadrada);
    // Each argument once: the elimination reads values, never nodes.
    std::vector<long double> m(cuenta);
    for (std::size_t k = 0; k < cuenta; ++k) m[k] = a[k]->Valor(c);
    if (n == 1) return m[0];
    if (n == 2) return Comprobar(Comprobar(m[0] * m[3]) - Comprobar(m[2] * m[1]));
    return Determinante(std::move(m), static_cast<int>(n));
}

// Secant method with a bisection fallback. An equation A = B is solved as
// A - B, both sides read at the same x (no temporary node is built).
long double Resolver(ContextoX& c, const Args& a, VariablePregunta& x) {
    TEvalX* izq = a[0].get();
    TEvalX* der = nullptr;
    if (a[0]->Clase() == ClaseNodo::Igu) {
        izq = a[0]->Hijos[0].get();
        der = a[0]->Hijos[1].get();
    } else if (EsComparacion(a[0]->Clase())) {
        throw EMathError(kMsgInecuacion);
    }
    if (a[0]->Constante()) throw EMathError(kMsgFuncion);
    long double x0 = a[1]->Valor(c);
    long double x1 = a[2]->Valor(c);
    Conducida var(c, x);
    auto f = [&](long double v) {
        var.Poner(v);
        long double r = izq->Valor(c);
        if (der) r = Comprobar(r - der->Valor(c));
        return r;
    };
    long double f1 = f(x1);
    long double xn = x0;
    int bisecciones = 0;
    bool hallada = false;
    for (int ronda = 0; ronda < 200; ++ronda) {
        c.Sondear();
        const long double f0 = f(x0);
        if (f0 == f1) {
            if (x0 == x1) break;
            x0 = (x0 + x1) / 2;
            if (++bisecciones > 20) break;
            continue;
        }
        xn = x0 - f0 * (x0 - x1) / (f0 - f1);
        if (!std::isfinite(xn)) break;
        if (xn == x0) {
            hallada = true;
            break;
        }
        x1 = x0;
        f1 = f0;
        x0 = xn;
    }
    if (!hallada) throw EMathError(kMsgSinRaiz);
    return xn;
}

}  // namespace

std::int64_t EnteroAcotado(long double v, const char* mensaje) {
    if (!std::isfinite(v)) throw EMathError(mensaje);
    const long double r = std::nearbyint(v);  // default rounding: ties to even
    if (r < -0x1p63L || r >= 0x1p63L) throw EMathError(mensaje);
    return static_cast<std::int64_t>(r);
}

long double Determinante(std::vector<long double> a, int n) {
    const auto N = static_cast<std::size_t>(n);
    for (long double v : a) Comprobar(v);
    // The pivots' product is kept as a mantissa and a power of two, so only a
    // determinant that is itself out of range overflows.
    long double mantisa = 1;
    long exponente = 0;
    for (std::size_t k = 0; k < N; ++k) {
        std::size_t p = k;
        long double mejor = std::fabs(a[k * N + k]);
        for (std::size_t r = k + 1; r < N; ++r) {
            const long double v = std::fabs(a[r * N + k]);
            if (v > mejor) {
                mejor = v;
                p = r;
            }
        }
        if (mejor == 0) return 0;
        if (p != k) {
            for (std::size_t j = k; j < N; ++j) std::swap(a[k * N + j], a[p * N + j]);
            mantisa = -mantisa;
        }
        const long double pivote = a[k * N + k];
        int e = 0;
        mantisa = std::frexp(mantisa * pivote, &e);
        exponente += e;
        for (std::size_t r = k + 1; r < N; ++r) {
            const long double factor = a[r * N + k] / pivote;  // |factor| <= 1
            if (factor == 0) continue;
            for (std::size_t j = k + 1; j < N; ++j)
                a[r * N + j] = Comprobar(a[r * N + j] - factor * a[k * N + j]);
        }
    }
    return Comprobar(std::ldexp(mantisa, static_cast<int>(exponente)));
}

void RegistrarCalculo(TExpresionX& e, VariablePregunta& x, VariablePregunta& n, bool conResolver,
                      const DibujosCalculo& dibujos) {
    VariablePregunta* px = &x;
    VariablePregunta* pn = &n;
    e.AgregarFuncionN(
        "Integrar", [px](ContextoX& c, const Args& a) { return Integrar(c, a, *px); }, "Integrar", 4, 3,
        dibujos.integral.medir, dibujos.integral.dibujar);
    e.AgregarFuncionN(
        "Evaluar", [px](ContextoX& c, const Args& a) { return Evaluar(c, a, *px); }, "Evaluar f(x)", 2, 2);
    e.AgregarFuncionN(
        "Sumatoria", [pn](ContextoX& c, const Args& a) { return SumaProducto(c, a, *pn, false); }, "Sumatoria", 3, 3,
        dibujos.sumatoria.medir, dibujos.sumatoria.dibujar);
    e.AgregarFuncionN(
        "Producto", [pn](ContextoX& c, const Args& a) { return SumaProducto(c, a, *pn, true); }, "Producto", 3, 3,
        dibujos.producto.medir, dibujos.producto.dibujar);
    e.AgregarFuncionN("Det", [](ContextoX& c, const Args& a) { return Det(c, a); }, "Determinante", 225, 1);
    if (conResolver) {
        e.AgregarFuncionN(
            "Resolver", [px](ContextoX& c, const Args& a) { return Resolver(c, a, *px); }, "Hallar valor de X", 3, 3);
    }
    e.AgregarFuncionN(
        "Derivar", [px](ContextoX& c, const Args& a) { return Derivar(c, a, *px); }, "Derivar", 2, 2);
}

}  // namespace numbrix
