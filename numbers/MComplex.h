#pragma once
// Complex arithmetic over extended reals: a plain value type and free
// functions. Every result is checked: an overflow or invalid operation
// raises instead of leaving inf or NaN in a value.
#include <string>
#include <string_view>

#include "support/Errores.h"

namespace numbrix {

struct TComplejo {
    long double Re = 0;
    long double Im = 0;
    friend bool operator==(const TComplejo&, const TComplejo&) = default;
};

// A failure of the complex library (zero divisor, logarithm of zero, ...).
// The window that started the work shows the message once and abandons it.
class ErrorComplejo : public EMathError {
public:
    using EMathError::EMathError;
};

// A part of a complex text that is not a real number:
// "'%s' no es un valor punto flotante válido".
class EValorComplejo : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

TComplejo Complejo(long double re, long double im);
void Complejo(long double re, long double im, TComplejo& z);
TComplejo Polar(long double modulo, long double angulo);  // angle in radians

TComplejo CSuma(const TComplejo& z, const TComplejo& w);
TComplejo CResta(const TComplejo& z, const TComplejo& w);
TComplejo CProducto(const TComplejo& z, const TComplejo& w);
// Smith's scaled division: only an exactly zero divisor is refused.
TComplejo CDivision(const TComplejo& z, const TComplejo& w);
TComplejo COpuesto(const TComplejo& z);
TComplejo CConjugado(const TComplejo& z);
TComplejo CPorI(const TComplejo& z);
TComplejo CPorMenosI(const TComplejo& z);
long double CModulo(const TComplejo& z);      // hypot: no early overflow
long double CArgumento(const TComplejo& z);   // (-pi, pi]; a -0 part counts as +0
long double CParteReal(const TComplejo& z);
long double CParteImaginaria(const TComplejo& z);
TComplejo CReciproco(const TComplejo& z);
TComplejo CCuadrado(const TComplejo& z);
TComplejo CExp(const TComplejo& z);
TComplejo CLn(const TComplejo& z);
// 0^w: 0 when Re w > 0, 1 when w = 0, otherwise the division error.
TComplejo CPotencia(const TComplejo& z, const TComplejo& w);
TComplejo CRaiz(const TComplejo& z);  // principal root
TComplejo CSen(const TComplejo& z);
TComplejo CCos(const TComplejo& z);
TComplejo CTan(const TComplejo& z);
TComplejo CSenH(const TComplejo& z);
TComplejo CCosH(const TComplejo& z);
TComplejo CTanH(const TComplejo& z);
TComplejo CArcSenH(const TComplejo& z);
TComplejo CArcTanH(const TComplejo& z);  // z = 1: EMatematico of code DivisionCero
TComplejo CArcSen(const TComplejo& z);
TComplejo CArcCosH(const TComplejo& z);
TComplejo CArcCos(const TComplejo& z);
TComplejo CArcTan(const TComplejo& z);
bool CEsCero(const TComplejo& z);    // both parts exactly 0
bool CCasiCero(const TComplejo& z);  // both parts below 1e-12

// "3+2i", "3-i", "-2i", "0": each part in general format with `digitos`
// significant digits; a part below 1e-15 of the other one (rounding noise)
// is dropped.
std::string ComplejoATexto(const TComplejo& z, int digitos = 10);
// Reads what ComplejoATexto writes ("i", "-i", "2-3i", "1e-5-2i", "4");
// empty text is 0. Blanks are ignored.
TComplejo TextoAComplejo(std::string_view texto);

inline TComplejo operator+(const TComplejo& a, const TComplejo& b) { return CSuma(a, b); }
inline TComplejo operator-(const TComplejo& a, const TComplejo& b) { return CResta(a, b); }
inline TComplejo operator*(const TComplejo& a, const TComplejo& b) { return CProducto(a, b); }
inline TComplejo operator/(const TComplejo& a, const TComplejo& b) { return CDivision(a, b); }
inline TComplejo operator-(const TComplejo& a) { return COpuesto(a); }

}  // namespace numbrix
