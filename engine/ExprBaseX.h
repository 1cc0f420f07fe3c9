#pragma once
// The real value domain: 80-bit extended reals. Every operation checks its
// result, so division by zero, overflow and invalid operations raise the
// engine's errors instead of leaving inf or NaN in a value; underflow is not
// an error (the value goes to 0 or a subnormal).
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ExprBase.h"

namespace numbrix {

// Checked result: a non-finite value from finite operands is an overflow
// (inf) or an invalid operation (NaN).
inline long double Comprobar(long double r) {
    if (std::isnan(r)) LanzarOperacionInvalida();
    if (std::isinf(r)) LanzarDesbordamiento();
    return r;
}

// power(b, e) of the engine: integer exponents by repeated squaring (so
// negative bases work and small powers stay exact and fast), others through
// the logarithm (invalid for negative bases).
long double Potencia(long double b, long double e);
// b raised to an integer exponent by repeated squaring, checked.
long double PotenciaEntera(long double b, long long e);
// Logarithm of a > 0 in base b > 0, b != 1, unchecked. When a is an exact
// integral power of b it is that integer exactly (log(1000) is 3 on every
// processor, not 3 + 2^-62): "exact power" means a is b^k as a long double
// holds it (correctly rounded), known for powers of two, for integral bases
// while b^|k| fits the 64-bit mantissa, and for every power of ten.
long double LogaritmoEnBase(long double a, long double b);
// Rounded half away from zero, as a 32-bit integer; out of range is an
// invalid argument (never a wrapped value).
std::int32_t R32(long double x);

template <class D>
class TExpresion;

struct DominioReal {
    using Valor = long double;
    struct Extra {};
    static constexpr bool TieneLogicos = true;
    static constexpr bool TieneEnvoltura = true;
    using Aj = AjustesMotor<DominioReal>;

    static Valor DeReal(long double x) { return x; }
    static bool EsVerdadero(Valor v) { return v > 0; }
    static bool Mayor(Valor a, Valor b) { return a > b; }
    static bool Menor(Valor a, Valor b) { return a < b; }
    static bool Igual(const Aj& aj, Valor a, Valor b) { return std::fabs(a - b) <= aj.tolerancia; }

    static Valor Suma(const Aj&, Valor a, Valor b) { return Comprobar(a + b); }
    static Valor Resta(const Aj&, Valor a, Valor b) { return Comprobar(a - b); }
    static Valor Mul(const Aj&, Valor a, Valor b) { return Comprobar(a * b); }
    static Valor Div(const Aj&, Valor a, Valor b) {
        if (b == 0) LanzarDivisionCero();
        return Comprobar(a / b);
    }
    static Valor Pot(const Aj&, Valor a, Valor b) {
        if (b == 2) return Comprobar(a * a);  // the common square, without the general routine
        return Potencia(a, b);
    }
    static Valor Raiz(const Aj&, Valor a, Valor b);
    static Valor LogN(const Aj&, Valor a, Valor base);

    static bool LeerLiteral(std::string_view texto, Valor& v, int& base);
    // An implicit product «2x» may split before c.
    static bool CortaProductoAntes(char c) { return !(c >= '0' && c <= '9') && c != '.'; }
    static void RegistrarFijas(TExpresion<DominioReal>& e);
    static void RegistrarPredefinidas(TExpresion<DominioReal>& e);
    static std::string TextoExacto(Valor v);
};

using TEvalX = TEval<DominioReal>;
using TVariableX = TVariable<DominioReal>;
using ContextoX = ContextoEval<DominioReal>;

}  // namespace numbrix
