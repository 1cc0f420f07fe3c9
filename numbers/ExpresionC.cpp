// The complex-mode engine: the complex domain's comparisons and roots, its
// built-in table and the one instantiation of the generic engine over it.
// Circular and hyperbolic functions work in radians whatever the angle unit;
// only Polar and Arg use the engine's unit.
#include "numbers/ExpresionC.h"

#include <cmath>

#include "engine/ExprBaseX.h"
#include "engine/ExpresionImpl.h"
#include "numbers/DiagramaC.h"
#include "engine/bases2_36.h"
#include "support/angulos.h"

namespace numbrix {

namespace {

using V = TComplejo;
using Nodos = std::vector<Ref<TEvalC>>;

constexpr long double kE = 2.71828182845904523536028747135266250L;
constexpr long double kRaiz2 = 1.41421356237309504880168872420969808L;
constexpr long double kRaiz3 = 1.73205080756887729352744634150587237L;

int Unidad(const ContextoC& c) { return c.ajustes ? c.ajustes->angulo : 0; }

V Si(ContextoC& c, const Nodos& a) {
    return a[0]->Valor(c).Re > 0 ? a[1]->Valor(c) : a[2]->Valor(c);
}

// Modulus and angle (in the engine's unit) of the real parts of the arguments.
V PolarFn(ContextoC& c, const Nodos& a) {
    const long double modulo = a[0]->Valor(c).Re;
    const long double angulo = ARadianes(Unidad(c), a[1]->Valor(c).Re);
    if (!std::isfinite(angulo)) LanzarDesbordamiento();
    return Polar(modulo, angulo);
}

V ParteReal(const ContextoC&, const V& z) { return {z.Re, 0}; }
V ParteImaginaria(const ContextoC&, const V& z) { return {z.Im, 0}; }
V Conjugado(const ContextoC&, const V& z) { return CConjugado(z); }
V Norma(const ContextoC&, const V& z) { return {CModulo(z), 0}; }
V Argumento(const ContextoC& c, const V& z) {
    const long double a = DeRadianes(Unidad(c), CArgumento(z));
    if (!std::isfinite(a)) LanzarDesbordamiento();
    return {a, 0};
}

// The library's functions as one-argument built-ins.
template <V (*F)(const V&)>
V Fn(const ContextoC&, const V& z) {
    return F(z);
}

}  // namespace

bool DominioComplejo::Igual(const Aj& aj, const Valor& a, const Valor& b) {
    return std::fabs(a.Re - b.Re) <= aj.tolerancia && std::fabs(a.Im - b.Im) <= aj.tolerancia;
}

DominioComplejo::Valor DominioComplejo::Raiz(const Aj&, const Valor& a, const Valor& b) {
    if (b.Im != 0 || b.Re == 0) throw EMathError("El radical debe ser un número real distinto de cero");
    const long double indice = b.Re;
    const long double m = CModulo(a);
    if (m == 0) {
        if (indice > 0) return {0, 0};
        LanzarDivisionCero();
    }
    const long double modulo = std::pow(m, 1 / indice);
    if (!std::isfinite(modulo)) LanzarDesbordamiento();
    return Polar(modulo, CArgumento(a) / indice);
}

DominioComplejo::Valor DominioComplejo::LogN(const Aj&, const Valor& a, const Valor& base) {
    if (a.Im == 0 && base.Im == 0 && a.Re > 0 && base.Re > 0 && base.Re != 1)
        return {LogaritmoEnBase(a.Re, base.Re), 0};
    return CDivision(CLn(a), CLn(base));
}

bool DominioComplejo::LeerLiteral(std::string_view texto, Valor& v, int& base) {
    long double x;
    if (!DominioReal::LeerLiteral(texto, x, base)) return false;
    v = {x, 0};
    return true;
}

std::string DominioComplejo::TextoExacto(const Valor& v) {
    if (v.Im == 0) return RealATextoExacto(v.Re);
    return RealATextoExacto(v.Re) + "+(" + RealATextoExacto(v.Im) + ")*i";
}

void RegistrarFijasC(TExpresionC& e) {
    e.AgregarConstante("i", "Raiz cuadrada de -1", V{0, 1});
    e.AgregarFuncionN("Si/If", Si, "Condicional", 3, 3);
    e.AgregarFuncionN("LogBase/LogN", {}, "Logaritmo base N", 2, 2);
}

void RegistrarPredefinidasC(TExpresionC& e) {
    e.AgregarConstante("Pi", "Pi", V{PiExtendido, 0});
    e.AgregarConstante("e", "Base Log. Naturales", V{kE, 0});
    e.AgregarConstante("R2", "Raíz cuadrada de 2", V{kRaiz2, 0});
    e.AgregarConstante("R3", "Raiz cuadrada de 3", V{kRaiz3, 0});

    e.AgregarFuncion1("Sin/Sen", Fn<CSen>, Fn<CArcSen>, "Seno");
    e.AgregarFuncion1("Cos", Fn<CCos>, Fn<CArcCos>, "Coseno");
    e.AgregarFuncion1("Tan/Tg", Fn<CTan>, Fn<CArcTan>, "Tangente");
    e.AgregarFuncion1("ArcSin/ArcSen", Fn<CArcSen>, Fn<CSen>, "Arcoseno");
    e.AgregarFuncion1("ArcCos/ArCos", Fn<CArcCos>, Fn<CCos>, "Arcocoseno");
    e.AgregarFuncion1("ArcTan/ArcTg", Fn<CArcTan>, Fn<CTan>, "Arcotangente");
    e.AgregarFuncion1("SinH/SenH", Fn<CSenH>, Fn<CArcSenH>, "Seno hiperbólico");
    e.AgregarFuncion1("CosH", Fn<CCosH>, Fn<CArcCosH>, "Coseno hiperbólico");
    e.AgregarFuncion1("TanH/TgH", Fn<CTanH>, Fn<CArcTanH>, "Tangente hiperbólica");
    e.AgregarFuncion1("ArcSinH/ArcSenH", Fn<CArcSenH>, Fn<CSenH>, "Arcoseno hiperbólico");
    e.AgregarFuncion1("ArcCosH/ArCosH", Fn<CArcCosH>, Fn<CCosH>, "Arcocoseno hiperbólico");
    e.AgregarFuncion1("ArcTanH/ArcTgH", Fn<CArcTanH>, Fn<CTanH>, "Arcotangente hiperbólica");
    // Exp, Sqr, Sqrt and Rcp have typeset forms of their own. No reciprocal
    // without the zero test is offered: it could only produce infinities.
    using P = DibujoPropio<DominioComplejo>;
    auto exp = P::BaseConArgumento("e", true), cuad = P::ConExponente("2"), raiz = P::Radical(),
         rcp = P::ConExponente("−1");
    e.AgregarFuncion1("Ln/LogE", Fn<CLn>, Fn<CExp>, "Logarítmo natural");
    e.AgregarFuncion1("Exp", Fn<CExp>, Fn<CLn>, "Exponencial", exp.first, exp.second);
    e.AgregarFuncion1("Sqr/Cuad", Fn<CCuadrado>, Fn<CRaiz>, "Cuadrado", cuad.first, cuad.second);
    e.AgregarFuncion1("Sqrt/Raiz", Fn<CRaiz>, Fn<CCuadrado>, "Raíz cuadrada", raiz.first, raiz.second);
    e.AgregarFuncion1("Rcp", Fn<CReciproco>, Fn<CReciproco>, "Recíproco", rcp.first, rcp.second);
    e.AgregarFuncionN("Polar", PolarFn, "Polar", 2, 2);
    e.AgregarFuncion1("Re", ParteReal, {}, "Parte real");
    e.AgregarFuncion1("Im", ParteImaginaria, {}, "Parte imaginaria");
    e.AgregarFuncion1("Conj", Conjugado, {}, "Conjugado");
    e.AgregarFuncion1("Norma", Norma, {}, "Norma o módulo");
    e.AgregarFuncion1("Arg", Argumento, {}, "Argumento");
}

void DominioComplejo::RegistrarFijas(TExpresion<DominioComplejo>& e) { RegistrarFijasC(e); }
void DominioComplejo::RegistrarPredefinidas(TExpresion<DominioComplejo>& e) { RegistrarPredefinidasC(e); }

template class TExpresion<DominioComplejo>;

}  // namespace numbrix
