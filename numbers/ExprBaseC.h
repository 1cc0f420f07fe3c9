#pragma once
// The complex value domain: TComplejo over extended reals. Arithmetic comes
// from the complex library, which raises instead of leaving inf or NaN and
// refuses zero divisors with its own messages. Order comparisons compare
// moduli; equality compares both parts within the engine's tolerance. A
// value is true when its real part is greater than 0.
//
// The mode has no logical operators; its literals are real numbers («3i» is
// the product of 3 and the constant i).
#include <string>
#include <string_view>

#include "engine/ExprBase.h"
#include "numbers/MComplex.h"

namespace numbrix {

template <class D>
class TExpresion;

struct DominioComplejo {
    using Valor = TComplejo;
    struct Extra {};
    static constexpr bool TieneLogicos = false;
    static constexpr bool TieneEnvoltura = true;
    using Aj = AjustesMotor<DominioComplejo>;

    static Valor DeReal(long double x) { return {x, 0}; }
    static bool EsVerdadero(const Valor& v) { return v.Re > 0; }
    static bool Mayor(const Valor& a, const Valor& b) { return CModulo(a) > CModulo(b); }
    static bool Menor(const Valor& a, const Valor& b) { return CModulo(a) < CModulo(b); }
    static bool Igual(const Aj& aj, const Valor& a, const Valor& b);

    static Valor Suma(const Aj&, const Valor& a, const Valor& b) { return CSuma(a, b); }
    static Valor Resta(const Aj&, const Valor& a, const Valor& b) { return CResta(a, b); }
    static Valor Mul(const Aj&, const Valor& a, const Valor& b) { return CProducto(a, b); }
    static Valor Div(const Aj&, const Valor& a, const Valor& b) { return CDivision(a, b); }
    static Valor Pot(const Aj&, const Valor& a, const Valor& b) { return CPotencia(a, b); }
    // The b-th root of a, b a non-zero real: the principal one, in radians.
    static Valor Raiz(const Aj&, const Valor& a, const Valor& b);
    // ln a ÷ ln base; between positive reals (base not 1) the real
    // logarithm, exact at integral powers of the base.
    static Valor LogN(const Aj&, const Valor& a, const Valor& base);

    static bool LeerLiteral(std::string_view texto, Valor& v, int& base);
    static bool CortaProductoAntes(char c) { return !(c >= '0' && c <= '9') && c != '.'; }
    static void RegistrarFijas(TExpresion<DominioComplejo>& e);
    static void RegistrarPredefinidas(TExpresion<DominioComplejo>& e);
    static std::string TextoExacto(const Valor& v);
    // Solving names the function it cannot invert.
    static std::string MensajeNoDespejable(const std::string& nombre) {
        return "La función " + nombre + " no se pueden despejar";
    }
};

using TEvalC = TEval<DominioComplejo>;
using TVariableC = TVariable<DominioComplejo>;
using ContextoC = ContextoEval<DominioComplejo>;

}  // namespace numbrix
