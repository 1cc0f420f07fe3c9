#pragma once
// The rational value domain: exact fractions (TFrac). Sums, differences,
// products, quotients and integral powers are exact or raise "Desbordamiento
// entero"; what has no exact value (non-integral powers, roots that are not
// perfect, logarithms, decimal literals) comes back through RealAFrac with
// the engine's maximum denominator. The fraction settings are the engine's
// own (AjustesMotor::extra), never a global.
//
// The mode has no named constants and expands user functions in place. Its
// literals include the fraction forms «a|b» and «w|p|q» (w p/q), read before
// any other "|" is taken as a division.
#include <string>
#include <string_view>

#include "engine/ExprBase.h"
#include "numbers/fraccion.h"

namespace numbrix {

template <class D>
class TExpresion;

struct DominioRacional {
    using Valor = TFrac;
    using Extra = AjustesFraccion;
    static constexpr bool TieneLogicos = true;
    static constexpr bool TieneEnvoltura = false;
    using Aj = AjustesMotor<DominioRacional>;

    // Whole values exactly; the engine only asks for small integers.
    static Valor DeReal(long double x);
    static bool EsVerdadero(const Valor& v) { return v.Num() > 0; }
    static bool Mayor(const Valor& a, const Valor& b) { return a > b; }
    static bool Menor(const Valor& a, const Valor& b) { return a < b; }
    // Equal within the engine's tolerance, on the real values.
    static bool Igual(const Aj& aj, const Valor& a, const Valor& b);

    static Valor Suma(const Aj&, Valor a, const Valor& b) { return a.Suma(b); }
    static Valor Resta(const Aj&, Valor a, const Valor& b) { return a.Resta(b); }
    static Valor Mul(const Aj&, Valor a, const Valor& b) { return a.Multiplica(b); }
    static Valor Div(const Aj&, Valor a, const Valor& b);
    static Valor Pot(const Aj& aj, Valor a, const Valor& b) { return a.Potencia(b, aj.extra); }
    static Valor Raiz(const Aj& aj, Valor a, const Valor& b) { return a.Raiz(b, aj.extra); }
    static Valor LogN(const Aj& aj, const Valor& a, const Valor& base);

    // A literal: «a|b», «w|p|q», an integer (exact) or any other real number
    // (through RealAFrac with the engine's maximum denominator).
    static bool LeerLiteral(const Aj& aj, std::string_view texto, Valor& v, int& base);
    // «1|2x» multiplies the fraction 1/2 by x: no split inside a literal.
    static bool CortaProductoAntes(char c) { return !(c >= '0' && c <= '9') && c != '.' && c != '|'; }
    // The common text rules, except that the bars of fraction literals stay
    // and only the other bars become divisions.
    static std::string PrepararTexto(std::string_view texto);
    static void RegistrarFijas(TExpresion<DominioRacional>& e);
    static void RegistrarPredefinidas(TExpresion<DominioRacional>& e);
    static std::string TextoExacto(const Valor& v);
};

// Length of the fraction literal «a|b» or «w|p|q» (the longer form first)
// that starts at texto[i], 0 when there is none. Each part is a decimal
// number without sign that is whole. The value is not built here: a literal
// too large for a fraction is still a literal (and fails when read).
std::size_t LargoLiteralFraccion(std::string_view texto, std::size_t i);

using TEvalQ = TEval<DominioRacional>;
using TVariableQ = TVariable<DominioRacional>;
using ContextoQ = ContextoEval<DominioRacional>;

}  // namespace numbrix
