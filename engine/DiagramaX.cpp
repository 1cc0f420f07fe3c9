// Real-mode numbers as the formula shows them, and the built-ins' own
// typesetting.
#include "engine/DiagramaX.h"

#include "engine/bases2_36.h"

namespace numbrix {

namespace {
// Typographic minus: a hyphen looks too short beside the formula's signs.
std::string ConMenos(std::string s) {
    std::string r;
    for (char c : s) {
        if (c == '-') r += "−";
        else r += c;
    }
    return r;
}
}  // namespace

PartesNumero DibujoDominio<DominioReal>::Partes(const TNum<DominioReal>& n) {
    PartesNumero p;
    p.base = (n.Base >= 2 && n.Base <= 36) ? n.Base : 10;
    FormatoNumero f;  // every significant digit, trailing zeros dropped
    std::string s = RealABase(p.base, n.ValorGuardado, f, false);
    // Digits are upper case, so a lower-case "e" is always the exponent.
    if (s.find('e') != std::string::npos) {
        // A mathematician writes one digit before the point: 1·10⁻²⁰, not
        // 0.1·10⁻¹⁹.
        f.Notacion = NotacionCientifica;
        s = RealABaseCientifico(p.base, n.ValorGuardado, f);
    }
    const std::size_t e = s.rfind('e');
    if (e != std::string::npos) {
        p.exponente = ConMenos(s.substr(e + 1));
        s.resize(e);
    }
    p.mantisa = ConMenos(std::move(s));
    return p;
}

CajaFormula DibujoDominio<DominioReal>::MedirNumero(Diagrama<DominioReal>& d, const TNum<DominioReal>& n, int tam) {
    return d.MedirPartesNumero(Partes(n), tam);
}

void DibujoDominio<DominioReal>::DibujarNumero(Diagrama<DominioReal>& d, const TNum<DominioReal>& n, int x, int y,
                                               int tam) {
    d.DibujarPartesNumero(Partes(n), x, y, tam);
}

ProcsDibujoX DibujoReciprocoX() { return DibujoPropio<DominioReal>::ConExponente("−1"); }
ProcsDibujoX DibujoCuadradoX() { return DibujoPropio<DominioReal>::ConExponente("2"); }
ProcsDibujoX DibujoRaizX() { return DibujoPropio<DominioReal>::Radical(); }
ProcsDibujoX DibujoExpX() { return DibujoPropio<DominioReal>::BaseConArgumento("e", true); }
ProcsDibujoX DibujoExp10X() { return DibujoPropio<DominioReal>::BaseConArgumento("10", false); }
ProcsDibujoX DibujoAbsX() { return DibujoPropio<DominioReal>::Barras(); }
ProcsDibujoX DibujoFactorialX() { return DibujoPropio<DominioReal>::Factorial(); }
ProcsDibujoX DibujoBinomialX() { return DibujoPropio<DominioReal>::Binomial(); }

}  // namespace numbrix
