#pragma once
// Polynomials in x with exact fraction coefficients, degree 0 to 255: the
// short text a person types ("3x^2 -x +1|2"), arithmetic, division,
// Ruffini, derivative and integral, evaluation and the roots text. Texts
// meant for the memo use "\r\n" line ends.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numbers/MComplex.h"
#include "numbers/fraccion.h"
#include "support/Errores.h"

namespace numbrix {

inline constexpr int kGradoMaximoPoli = 255;
inline constexpr const char* kMsjGradoProducto = "El grado del producto es mayor a 255";
inline constexpr const char* kMsjGradoMaximo = "El grado máximo es 255";

// A refused polynomial text or operation; the text is the message to show.
class EPoli : public ENumbrix {
public:
    using ENumbrix::ENumbrix;
};

class TPoli {
public:
    TPoli() = default;  // the zero polynomial
    // Reads the typed form; raises EPoli or EFraccion with the message to show.
    static TPoli DesdeTexto(std::string_view texto, const AjustesFraccion& aj = {});
    std::string ATexto(const AjustesFraccion& aj = {}) const;

    // Highest power with a non-zero coefficient; 0 for constants.
    int Grado() const;
    TFrac Coef(int i) const { return i >= 0 && i < static_cast<int>(c_.size()) ? c_[i] : TFrac(); }
    void PonCoef(int i, const TFrac& f);
    bool EsCero() const { return Grado() == 0 && Coef(0).EsCero(); }
    friend bool operator==(const TPoli& a, const TPoli& b);

    TPoli& Suma(const TPoli& q);
    TPoli& Resta(const TPoli& q);
    TPoli& CambiaSigno();
    TPoli& MultiplicaMonomio(const TFrac& t, int m);
    TPoli& Deriva();
    TPoli& Integra();  // without constant; degree 255 raises kMsjGradoMaximo

    static TPoli Producto(const TPoli& p, const TPoli& q);
    // Quotient and remainder, deg remainder < deg divisor.
    static std::pair<TPoli, TPoli> Divide(const TPoli& p, const TPoli& d);
    // P = (x − r)·quotient + remainder; a constant P gives quotient 0.
    static std::pair<TPoli, TFrac> Ruffini(const TPoli& p, const TFrac& r);

    long double EvaluaReal(long double x) const;
    // Exact; only when the exact value overflows, the real value as a fraction.
    TFrac EvaluaRacional(const TFrac& x, const AjustesFraccion& aj = {}) const;
    TComplejo EvaluaComplejo(const TComplejo& z) const;

private:
    std::vector<TFrac> c_;  // index = power; trailing zeros allowed
};

// Every root found, one per line, and in words what was not found.
std::string RaicesTexto(const TPoli& p, const AjustesFraccion& aj = {});
// The product of (x − r) for the comma-separated fractions r, in order.
TPoli PoliDeRaices(std::string_view texto, const AjustesFraccion& aj = {});
// What the memo shows for each operation, shared by the window and the
// command line. `valor` is the answer to the operation's question (x for
// Evaluar, r for Ruffini, the comma-separated roots for Generar); Q is used
// by the four operations between P and Q. Raises ENumbrix with the message.
enum class OperacionPoli { Suma, Resta, Producto, Division, Evaluar, Derivada, Integral, Ruffini, Raices, Generar };
std::string TextoOperacionPoli(OperacionPoli op, const TPoli& p, const TPoli& q, std::string_view valor,
                               const AjustesFraccion& aj = {});
// "%s no es un valor racional valido" with the whole input in double quotes.
std::string MensajeNoRacional(std::string_view texto);

}  // namespace numbrix
