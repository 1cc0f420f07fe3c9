// Rational-mode numbers as the formula shows them.
#include "numbers/DiagramaQ.h"

#include <cstdint>
#include <string>

namespace numbrix {

namespace {

// The parts of a fraction: sign, whole part (mixed form only), numerator
// and denominator (numerator 0: a whole number).
struct PartesFraccion {
    bool negativa = false;
    std::string entero;
    std::string num, den;
};

PartesFraccion Partes(const TFrac& f, bool mixto) {
    PartesFraccion p;
    const std::int64_t n = f.Num();
    const std::uint64_t q = f.Den();
    p.negativa = n < 0;
    // |n| without overflow at the most negative value.
    const std::uint64_t a = n < 0 ? 0ull - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    if (q == 1) {
        p.entero = std::to_string(a);
        return p;
    }
    if (mixto && a > q) {
        p.entero = std::to_string(a / q);
        p.num = std::to_string(a % q);
    } else {
        p.num = std::to_string(a);
    }
    p.den = std::to_string(q);
    return p;
}

struct Geometria {
    CajaFormula menos, entero, num, den, caja;
    int hueco = 0;
};

Geometria Medidas(DiagramaQ& d, const PartesFraccion& p, int tam) {
    Geometria g;
    const Fuente normal = FuenteSerif(tam);
    if (p.negativa) g.menos = d.MedirSigno("−", normal);
    // A whole number is plain; in a mixed number the whole part is bold.
    if (!p.entero.empty()) g.entero = d.MedirTexto(p.entero, FuenteSerif(tam, !p.num.empty()));
    g.hueco = std::max(1, tam / 10);
    CajaFormula frac;
    if (!p.num.empty()) {
        g.num = d.MedirTexto(p.num, normal);
        g.den = d.MedirTexto(p.den, normal);
        frac = DiagramaQ::Apilar(g.num, g.den, tam / 10, DiagramaQ::HuecoFraccion(tam));
    }
    g.caja.ancho = g.menos.ancho + (p.negativa ? g.hueco : 0) + g.entero.ancho + frac.ancho;
    g.caja.arriba = std::max({g.menos.arriba, g.entero.arriba, frac.arriba});
    g.caja.abajo = std::max({g.menos.abajo, g.entero.abajo, frac.abajo});
    return g;
}

bool Mixto(const DiagramaQ& d) { return d.Ajustes() && d.Ajustes()->extra.FormatoMixto; }

}  // namespace

CajaFormula DibujoDominio<DominioRacional>::MedirNumero(DiagramaQ& d, const TNum<DominioRacional>& n, int tam) {
    return Medidas(d, Partes(n.ValorGuardado, Mixto(d)), tam).caja;
}

void DibujoDominio<DominioRacional>::DibujarNumero(DiagramaQ& d, const TNum<DominioRacional>& n, int x, int y,
                                                   int tam) {
    const PartesFraccion p = Partes(n.ValorGuardado, Mixto(d));
    const Geometria g = Medidas(d, p, tam);
    const int eje = y + g.caja.arriba;
    int cx = x;
    if (p.negativa) {
        d.DibujarSigno("−", FuenteSerif(tam), cx, eje);
        cx += g.menos.ancho + g.hueco;
    }
    if (!p.entero.empty()) {
        d.DibujarTexto(p.entero, FuenteSerif(tam, !p.num.empty()), cx, eje);
        cx += g.entero.ancho;
    }
    if (p.num.empty()) return;
    const CajaFormula frac = DiagramaQ::Apilar(g.num, g.den, tam / 10, DiagramaQ::HuecoFraccion(tam));
    const int hueco = DiagramaQ::HuecoFraccion(tam);
    d.DibujarTexto(p.num, FuenteSerif(tam), cx + (frac.ancho - g.num.ancho) / 2, eje - hueco - g.num.abajo);
    d.DibujarTexto(p.den, FuenteSerif(tam), cx + (frac.ancho - g.den.ancho) / 2, eje + hueco + g.den.arriba);
    const int grosor = std::max(1, tam / 20);
    d.Lienzo().PonerGrosor(grosor);
    d.Lienzo().Linea(cx + (grosor - 1) / 2, eje, cx + frac.ancho - 1 - grosor / 2, eje);
    d.Lienzo().PonerGrosor(1);
}

}  // namespace numbrix
