#pragma once
// Formula layout, the boxes the node rules and the custom procedures build
// with: texts and signs, parentheses, operands, raised exponents, stacked
// boxes, numbers written as text and radical signs. Part of engine/Diagrama.h;
// include that.
#include "engine/Diagrama.h"

namespace numbrix {

template <class D>
CajaFormula Diagrama<D>::MedirTexto(std::string_view texto, const Fuente& f) {
    const MedidaTexto m = Medida(texto, f);
    CajaFormula c;
    c.ancho = m.ancho;
    c.arriba = m.alto / 2;
    c.abajo = m.alto - c.arriba;
    return c;
}

template <class D>
void Diagrama<D>::DibujarTexto(std::string_view texto, const Fuente& f, int x, int yEje) {
    const CajaFormula c = MedirTexto(texto, f);
    lienzo_.PonerFuente(f);
    lienzo_.Texto(x, yEje - c.arriba, texto);
}

template <class D>
CajaFormula Diagrama<D>::MedirSigno(std::string_view texto, const Fuente& f) {
    const MedidaTexto m = Medida(texto, f);
    int centro = m.alto / 2;
    if (m.tintaAbajo > m.tintaArriba) centro = (m.tintaArriba + m.tintaAbajo) / 2;
    centro = std::clamp(centro, 0, m.alto);
    return CajaFormula{m.ancho, centro, m.alto - centro};
}

template <class D>
void Diagrama<D>::DibujarSigno(std::string_view texto, const Fuente& f, int x, int yEje) {
    const CajaFormula c = MedirSigno(texto, f);
    lienzo_.PonerFuente(f);
    lienzo_.Texto(x, yEje - c.arriba, texto);
}

template <class D>
int Diagrama<D>::TamParentesis(int alto, int tam) {
    // The font whose cell is `alto` high: cell heights grow linearly with
    // the size, so one reference measure gives the ratio.
    if (celdaReferencia_ <= 0) celdaReferencia_ = std::max(1, Medida("()", FuenteSerif(100)).alto);
    // Rounded down: the parentheses' cell never outgrows the box.
    // At most five times the size: the glyphs' width grows with their height,
    // and deep nesting must widen the formula linearly, not quadratically
    // (taller contents get parentheses centred on them).
    const long long t = static_cast<long long>(alto) * 100 / celdaReferencia_;
    return static_cast<int>(std::clamp<long long>(t, 1, std::min(4 * kTamMaximo, 5 * std::max(tam, 1))));
}

template <class D>
CajaFormula Diagrama<D>::ConParentesis(const CajaFormula& in, int tam) {
    const int extra = ExtraParentesis(in, tam);
    CajaFormula c;
    c.arriba = in.arriba + extra / 2;
    c.abajo = in.abajo + (extra - extra / 2);
    // Each glyph is drawn on its own, so each one's width counts.
    const Fuente f = FuenteSerif(TamParentesis(in.Alto() + extra, tam));
    c.ancho = in.ancho + Medida("(", f).ancho + Medida(")", f).ancho;
    return c;
}

template <class D>
int Diagrama<D>::AnchoAbre(const CajaFormula& in, int tam) {
    const int extra = ExtraParentesis(in, tam);
    return Medida("(", FuenteSerif(TamParentesis(in.Alto() + extra, tam))).ancho;
}

template <class D>
void Diagrama<D>::DibujarParentesis(const CajaFormula& in, int x, int yEje, int tam) {
    const int extra = ExtraParentesis(in, tam);
    const CajaFormula c = ConParentesis(in, tam);
    const Fuente f = FuenteSerif(TamParentesis(in.Alto() + extra, tam));
    const MedidaTexto abre = Medida("(", f);
    const MedidaTexto cierra = Medida(")", f);
    // Centre the glyphs' ink on the box (the box, not the axis: a fraction's
    // parentheses must cover numerator and denominator alike).
    const int centroCaja = yEje + (c.abajo - c.arriba) / 2;
    auto arribaDe = [&](const MedidaTexto& m) {
        int centro = m.alto / 2;
        if (m.tintaAbajo > m.tintaArriba) centro = (m.tintaArriba + m.tintaAbajo) / 2;
        // Never outside the box, whatever the font.
        int y = centroCaja - centro;
        y = std::min(y, yEje + c.abajo - m.alto);
        return std::max(y, yEje - c.arriba);
    };
    lienzo_.PonerFuente(f);
    lienzo_.Texto(x, arribaDe(abre), "(");
    lienzo_.Texto(x + abre.ancho + in.ancho, arribaDe(cierra), ")");
}

template <class D>
CajaFormula Diagrama<D>::MedirOperando(const Nodo& n, int tam, bool parentesis) {
    const CajaFormula c = Medir(n, tam);
    return parentesis ? ConParentesis(c, tam) : c;
}

template <class D>
void Diagrama<D>::DibujarOperando(const Nodo& n, int x, int yEje, int tam, bool parentesis) {
    if (!parentesis) {
        DibujarEnEje(n, x, yEje, tam);
        return;
    }
    const CajaFormula c = Medir(n, tam);
    DibujarParentesis(c, x, yEje, tam);
    DibujarEnEje(n, x + AnchoAbre(c, tam), yEje, tam);
}

template <class D>
CajaFormula Diagrama<D>::Superindice(const CajaFormula& base, const CajaFormula& exp, int tam, int* arribaExp) {
    CajaFormula c;
    c.ancho = base.ancho + exp.ancho;
    const int dy = tam / 4;
    c.arriba = base.arriba + exp.arriba;
    // The exponent hangs from near the top; the box always holds it.
    c.abajo = std::max(base.abajo, dy + exp.Alto() - c.arriba);
    if (arribaExp) *arribaExp = dy;
    return c;
}

template <class D>
CajaFormula Diagrama<D>::Apilar(const CajaFormula& a, const CajaFormula& b, int extra, int hueco) {
    return CajaFormula{std::max(a.ancho, b.ancho) + extra, a.Alto() + hueco, b.Alto() + hueco};
}

template <class D>
CajaFormula Diagrama<D>::MedirPartesNumero(const PartesNumero& p, int tam) {
    const Fuente f = FuenteSerif(tam);
    CajaFormula c = MedirTexto(p.mantisa, f);
    if (!p.exponente.empty()) {
        const int lado = std::max(2, tam / 10);
        const int hueco = std::max(1, tam / 10);
        const CajaFormula diez = MedirTexto("10", f);
        const CajaFormula e = MedirTexto(p.exponente, FuenteSerif(TamReducido(tam, 6, 10)));
        const CajaFormula pot = Superindice(diez, e, tam);
        c.ancho += 2 * hueco + lado + pot.ancho;
        c.arriba = std::max(c.arriba, pot.arriba);
        c.abajo = std::max(c.abajo, pot.abajo);
    }
    if (p.base != 10) {
        const CajaFormula b = MedirTexto(std::to_string(p.base), FuenteSerif(TamReducido(tam, 1, 2)));
        c.ancho += b.ancho;
        const int desdeEje = std::max(0, c.abajo - b.Alto());
        c.abajo = std::max(c.abajo, desdeEje + b.Alto());
    }
    return c;
}

template <class D>
void Diagrama<D>::DibujarPartesNumero(const PartesNumero& p, int x, int y, int tam) {
    const CajaFormula total = MedirPartesNumero(p, tam);
    const int eje = y + total.arriba;
    const Fuente f = FuenteSerif(tam);
    const CajaFormula m = MedirTexto(p.mantisa, f);
    DibujarTexto(p.mantisa, f, x, eje);
    int cx = x + m.ancho;
    int abajo = m.abajo;
    if (!p.exponente.empty()) {
        const int lado = std::max(2, tam / 10);
        const int hueco = std::max(1, tam / 10);
        lienzo_.Rectangulo(cx + hueco, eje - lado / 2, lado, lado, true);
        cx += 2 * hueco + lado;
        const CajaFormula diez = MedirTexto("10", f);
        const Fuente fe = FuenteSerif(TamReducido(tam, 6, 10));
        const CajaFormula e = MedirTexto(p.exponente, fe);
        int dy = 0;
        const CajaFormula pot = Superindice(diez, e, tam, &dy);
        const int arribaPot = eje - pot.arriba;
        DibujarTexto("10", f, cx, eje);
        DibujarTexto(p.exponente, fe, cx + diez.ancho, arribaPot + dy + e.arriba);
        cx += pot.ancho;
        abajo = std::max(abajo, pot.abajo);
    }
    if (p.base != 10) {
        const std::string b = std::to_string(p.base);
        const Fuente fb = FuenteSerif(TamReducido(tam, 1, 2));
        const CajaFormula cb = MedirTexto(b, fb);
        const int desdeEje = std::max(0, abajo - cb.Alto());
        lienzo_.PonerColor(Color::Granate());
        DibujarTexto(b, fb, cx, eje + desdeEje + cb.arriba);
        lienzo_.PonerColor(Color::Negro());
    }
}

template <class D>
int Diagrama<D>::GanchoRadical(const CajaFormula& r, int tam) {
    // Two fifths up the sign, measured from the axis (positive: below it).
    const int g = std::max(1, tam / 10);
    return r.abajo + 2 * g - ((r.Alto() + 3 * g + 1) * 2) / 5;
}

template <class D>
CajaFormula Diagrama<D>::MedirRadical(const CajaFormula& r, const CajaFormula* indice, int tam) {
    const int g = std::max(1, tam / 10);
    const int signo = std::max(r.Alto() / 4, 3);
    CajaFormula c;
    c.ancho = r.ancho + signo + (indice ? indice->ancho : 0) + g / 2 + 1;
    c.arriba = r.arriba + g + 1;
    c.abajo = r.abajo + 2 * g;
    // The index sits above the hook, at the left of the sign.
    if (indice) c.arriba = std::max(c.arriba, indice->Alto() + 1 - GanchoRadical(r, tam));
    return c;
}

template <class D>
int Diagrama<D>::DibujarRadical(const CajaFormula& r, const CajaFormula* indice, int x, int yEje, int tam) {
    const CajaFormula c = MedirRadical(r, indice, tam);
    const int g = std::max(1, tam / 10);
    const int signo = std::max(r.Alto() / 4, 3);
    const int grosor = std::max(1, tam / 20);
    const int x0 = x + (indice ? indice->ancho : 0);
    const int xs = x0 + (grosor - 1) / 2;  // the pen's width stays inside the box
    const int arriba = yEje - r.arriba - g;               // the bar
    const int fondo = yEje + c.abajo - 1 - grosor / 2;     // the bottom of the V
    const int gancho = yEje + GanchoRadical(r, tam);
    const int xFin = x + c.ancho - 1 - grosor / 2;
    lienzo_.PonerGrosor(grosor);
    lienzo_.Polilinea({{xs, gancho + signo / 6}, {xs + signo / 4, gancho}, {xs + signo / 2, fondo},
                       {xs + signo, arriba}, {xFin, arriba}});
    lienzo_.PonerGrosor(1);
    return x0 + signo + g / 2 + 1;
}

template <class D>
const TDibListaArg<D>& Diagrama<D>::ListaDe(const Nodo& llamada) {
    auto it = listas_.find(&llamada);
    if (it == listas_.end()) {
        std::vector<Ref<Nodo>> args(llamada.Hijos.begin(), llamada.Hijos.end());
        it = listas_.emplace(&llamada, Nuevo<TDibListaArg<D>>(std::move(args))).first;
    }
    return *it->second;
}

}  // namespace numbrix
