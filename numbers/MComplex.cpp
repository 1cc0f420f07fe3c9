#include "numbers/MComplex.h"

#include <algorithm>
#include <cmath>

#include "numbers/fraccion.h"  // LeerDecimal, RealGeneral

namespace numbrix {

namespace {

// Overflow is reported before an invalid operation: 0 * inf in one part
// beside an infinite other part is an overflow, not a NaN to explain.
TComplejo Comprobado(long double re, long double im) {
    if (std::isinf(re) || std::isinf(im)) throw EMatematico(CodigoError::Desbordamiento, Mensaje::DesbordamientoFlotante);
    if (std::isnan(re) || std::isnan(im))
        throw EMatematico(CodigoError::OperacionInvalida, Mensaje::OperacionFlotanteInvalida);
    return {re, im};
}

enum class Motivo { Div, Rcp, Coseno };

[[noreturn]] void LanzarCero(Motivo m, const TComplejo& operando) {
    std::string t = ComplejoATexto(operando);
    switch (m) {
        case Motivo::Div: throw ErrorComplejo("Discriminante de " + t + " igual a cero (Div)");
        case Motivo::Rcp: throw ErrorComplejo("Discriminante de " + t + " igual a cero (Rcp)");
        case Motivo::Coseno: throw ErrorComplejo("Coseno de " + t + " igual a cero");
    }
    throw ErrorComplejo(t);
}

TComplejo Dividir(const TComplejo& z, const TComplejo& w, Motivo m, const TComplejo& operando) {
    long double a = z.Re, b = z.Im, c = w.Re, d = w.Im;
    if (c == 0 && d == 0) LanzarCero(m, operando);
    if (std::fabs(c) >= std::fabs(d)) {
        long double r = d / c, t = c + d * r;
        return Comprobado((a + b * r) / t, (b - a * r) / t);
    }
    long double r = c / d, t = c * r + d;
    return Comprobado((a * r + b) / t, (b * r - a) / t);
}

// Beyond this |Im| (for tan) or |Re| (for tanh) the quotient is ±1 to full
// precision, and sine and cosine alone would overflow long before it.
constexpr long double kLimiteTangente = 23;

[[noreturn]] void LanzarValorInvalido(std::string_view parte) {
    throw EValorComplejo("'" + std::string(parte) + "' no es un valor punto flotante válido");
}

long double LeerParte(std::string_view parte) {
    long double x;
    if (parte.empty()) return 0;
    if (!LeerDecimal(parte, x)) LanzarValorInvalido(parte);
    return x;
}

}  // namespace

TComplejo Complejo(long double re, long double im) { return Comprobado(re, im); }
void Complejo(long double re, long double im, TComplejo& z) { z = Comprobado(re, im); }

TComplejo Polar(long double modulo, long double angulo) {
    return Comprobado(modulo * std::cos(angulo), modulo * std::sin(angulo));
}

TComplejo CSuma(const TComplejo& z, const TComplejo& w) { return Comprobado(z.Re + w.Re, z.Im + w.Im); }
TComplejo CResta(const TComplejo& z, const TComplejo& w) { return Comprobado(z.Re - w.Re, z.Im - w.Im); }
TComplejo CProducto(const TComplejo& z, const TComplejo& w) {
    return Comprobado(z.Re * w.Re - z.Im * w.Im, z.Re * w.Im + z.Im * w.Re);
}
TComplejo CDivision(const TComplejo& z, const TComplejo& w) { return Dividir(z, w, Motivo::Div, w); }
TComplejo COpuesto(const TComplejo& z) { return {-z.Re, -z.Im}; }
TComplejo CConjugado(const TComplejo& z) { return {z.Re, -z.Im}; }
TComplejo CPorI(const TComplejo& z) { return {-z.Im, z.Re}; }
TComplejo CPorMenosI(const TComplejo& z) { return {z.Im, -z.Re}; }

long double CModulo(const TComplejo& z) {
    long double m = std::hypot(z.Re, z.Im);
    if (std::isinf(m)) throw EMatematico(CodigoError::Desbordamiento, Mensaje::DesbordamientoFlotante);
    return m;
}

long double CArgumento(const TComplejo& z) {
    // Adding +0 turns -0 into +0, so the negative real axis gives +pi.
    return std::atan2(z.Im + 0.0L, z.Re + 0.0L);
}

long double CParteReal(const TComplejo& z) { return z.Re; }
long double CParteImaginaria(const TComplejo& z) { return z.Im; }

TComplejo CReciproco(const TComplejo& z) { return Dividir({1, 0}, z, Motivo::Rcp, z); }
TComplejo CCuadrado(const TComplejo& z) { return CProducto(z, z); }

TComplejo CExp(const TComplejo& z) {
    long double e = std::exp(z.Re);
    if (z.Im == 0) return Comprobado(e, 0);
    return Comprobado(e * std::cos(z.Im), e * std::sin(z.Im));
}

TComplejo CLn(const TComplejo& z) {
    if (CEsCero(z)) throw ErrorComplejo("Descriminante de " + ComplejoATexto(z) + " igual a cero (ln).");
    return Comprobado(std::log(std::hypot(z.Re, z.Im)), CArgumento(z));
}

TComplejo CPotencia(const TComplejo& z, const TComplejo& w) {
    if (CEsCero(z)) {
        if (w.Re > 0) return {0, 0};
        if (CEsCero(w)) return {1, 0};
        LanzarCero(Motivo::Div, z);
    }
    return CExp(CProducto(w, CLn(z)));
}

TComplejo CRaiz(const TComplejo& z) {
    long double a = z.Re, b = z.Im;
    if (a == 0 && b == 0) return {0, 0};
    long double m = CModulo(z);
    long double t = std::sqrt(std::fabs(a) * 0.5L + m * 0.5L);
    long double u = b / (2 * t);
    if (a >= 0) return Comprobado(t, u);
    if (b < 0) return Comprobado(-u, -t);
    return Comprobado(u, t);
}

TComplejo CSen(const TComplejo& z) {
    return Comprobado(std::sin(z.Re) * std::cosh(z.Im), std::cos(z.Re) * std::sinh(z.Im));
}

TComplejo CCos(const TComplejo& z) {
    return Comprobado(std::cos(z.Re) * std::cosh(z.Im), -std::sin(z.Re) * std::sinh(z.Im));
}

TComplejo CTan(const TComplejo& z) {
    if (std::fabs(z.Im) > kLimiteTangente)
        return Comprobado(2 * std::sin(2 * z.Re) * std::exp(-2 * std::fabs(z.Im)), std::copysign(1.0L, z.Im));
    return Dividir(CSen(z), CCos(z), Motivo::Coseno, z);
}

TComplejo CSenH(const TComplejo& z) {
    return Comprobado(std::sinh(z.Re) * std::cos(z.Im), std::cosh(z.Re) * std::sin(z.Im));
}

TComplejo CCosH(const TComplejo& z) {
    return Comprobado(std::cosh(z.Re) * std::cos(z.Im), std::sinh(z.Re) * std::sin(z.Im));
}

TComplejo CTanH(const TComplejo& z) {
    if (std::fabs(z.Re) > kLimiteTangente)
        return Comprobado(std::copysign(1.0L, z.Re), 2 * std::sin(2 * z.Im) * std::exp(-2 * std::fabs(z.Re)));
    return CDivision(CSenH(z), CCosH(z));
}

TComplejo CArcSenH(const TComplejo& z) {
    // ln(z + sqrt(z^2 + 1)) cancels for Re z < 0 (asinh(-1e10) would become
    // ln 0); the function is odd, so compute there from -z.
    if (z.Re < 0) return COpuesto(CArcSenH(COpuesto(z)));
    return CLn(CSuma(z, CRaiz(CSuma(CCuadrado(z), {1, 0}))));
}

TComplejo CArcTanH(const TComplejo& z) {
    TComplejo d = CResta({1, 0}, z);
    if (CEsCero(d)) throw EMatematico(CodigoError::DivisionCero, Mensaje::DivisionCero);
    TComplejo l = CLn(CDivision(CSuma({1, 0}, z), d));
    return {l.Re / 2, l.Im / 2};
}

TComplejo CArcSen(const TComplejo& z) { return CPorMenosI(CArcSenH(CPorI(z))); }

TComplejo CArcCosH(const TComplejo& z) {
    return CLn(CSuma(z, CPorI(CRaiz(CResta({1, 0}, CCuadrado(z))))));
}

TComplejo CArcCos(const TComplejo& z) { return CPorMenosI(CArcCosH(z)); }
TComplejo CArcTan(const TComplejo& z) { return CPorMenosI(CArcTanH(CPorI(z))); }

bool CEsCero(const TComplejo& z) { return z.Re == 0 && z.Im == 0; }
bool CCasiCero(const TComplejo& z) { return std::fabs(z.Re) < 1e-12L && std::fabs(z.Im) < 1e-12L; }

std::string ComplejoATexto(const TComplejo& z, int digitos) {
    long double re = z.Re, im = z.Im;
    // Only rounding noise of the calculation is dropped (a part below 1e-15
    // of the other, invisible at 10 significant digits): «2e9+i» keeps its i
    // and a lone small value is shown.
    long double corte = 1e-15L * std::max(std::fabs(re), std::fabs(im));
    if (std::fabs(re) < corte) re = 0;
    if (std::fabs(im) < corte) im = 0;
    std::string s = re != 0 ? RealGeneral(re, digitos) : std::string();
    if (im > 0 && re != 0) s += "+";
    if (std::fabs(std::fabs(im) - 1) <= 1e-9L) {
        s += im > 0 ? "i" : "-i";
    } else if (im != 0) {
        s += RealGeneral(im, digitos) + "i";
    } else if (s.empty()) {
        s = "0";
    }
    return s;
}

TComplejo TextoAComplejo(std::string_view texto) {
    std::string s;
    for (char c : texto)
        if (c != ' ') s.push_back(c);
    if (s.empty()) return {0, 0};
    if (s.back() != 'i' && s.back() != 'I') return Comprobado(LeerParte(s), 0);
    std::string_view v(s);
    std::size_t fin = v.size() - 1;  // the "i"
    // The sign that starts the imaginary part: the last "+" or "-" before
    // the "i" that is not an exponent's sign; none means an imaginary alone.
    std::size_t signo = 0;
    for (std::size_t j = fin; j-- > 0;) {
        if ((v[j] == '+' || v[j] == '-') && !(j > 0 && (v[j - 1] == 'e' || v[j - 1] == 'E'))) {
            signo = j;
            break;
        }
    }
    std::string_view real = v.substr(0, signo), imag = v.substr(signo, fin - signo);
    long double im;
    if (imag.empty() || imag == "+") im = 1;
    else if (imag == "-") im = -1;
    else im = LeerParte(imag);
    return Comprobado(LeerParte(real), im);
}

}  // namespace numbrix
