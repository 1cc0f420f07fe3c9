#pragma once
// Formula layout, the ready-made typesetting of the built-ins that carry
// their own (x⁻¹, x², √x, eˣ, 10ˣ, |x|, x!, binomials), for any domain. Part
// of engine/Diagrama.h; include that.
#include "engine/Diagrama.h"

namespace numbrix {

// Ready-made typesetting of the built-ins that have their own (attached when
// the built-in table is registered) and of any domain's functions alike.
template <class D>
struct DibujoPropio {
    using Par = std::pair<ProcMedir<D>, ProcDibujar<D>>;
    using N = TEval<D>;

    // The argument with a raised text: «x⁻¹» (Rcp), «x²» (sqr).
    static Par ConExponente(std::string exponente) {
        auto partes = [exponente](Diagrama<D>& d, const N& n, int tam, CajaFormula& base, CajaFormula& exp, bool& par) {
            const N& a = *n.Hijos[0];
            par = EsOperacion(a.Clase()) || Diagrama<D>::EsLlamada(a) || Diagrama<D>::EsNumeroNegativo(a);
            base = d.MedirOperando(a, tam, par);
            exp = d.MedirTexto(exponente, FuenteSerif(TamReducido(tam, 2, 3)));
        };
        ProcMedir<D> m = [partes](Diagrama<D>& d, const N& n, int tam) {
            CajaFormula b, e;
            bool par = false;
            partes(d, n, tam, b, e, par);
            return Diagrama<D>::Superindice(b, e, tam);
        };
        ProcDibujar<D> dib = [partes, exponente](Diagrama<D>& d, const N& n, int x, int y, int tam) {
            CajaFormula b, e;
            bool par = false;
            partes(d, n, tam, b, e, par);
            int dy = 0;
            const CajaFormula c = Diagrama<D>::Superindice(b, e, tam, &dy);
            d.DibujarOperando(*n.Hijos[0], x, y + c.arriba, tam, par);
            d.DibujarTexto(exponente, FuenteSerif(TamReducido(tam, 2, 3)), x + b.ancho, y + dy + e.arriba);
        };
        return {std::move(m), std::move(dib)};
    }

    // A text with the argument raised: «eˣ» (exp), «10ˣ» (exp10).
    static Par BaseConArgumento(std::string base, bool cursiva) {
        ProcMedir<D> m = [base, cursiva](Diagrama<D>& d, const N& n, int tam) {
            const CajaFormula b = d.MedirTexto(base, FuenteSerif(tam, false, cursiva));
            return Diagrama<D>::Superindice(b, d.Medir(*n.Hijos[0], TamReducido(tam, 2, 3)), tam);
        };
        ProcDibujar<D> dib = [base, cursiva](Diagrama<D>& d, const N& n, int x, int y, int tam) {
            const Fuente f = FuenteSerif(tam, false, cursiva);
            const CajaFormula b = d.MedirTexto(base, f);
            const int te = TamReducido(tam, 2, 3);
            int dy = 0;
            const CajaFormula c = Diagrama<D>::Superindice(b, d.Medir(*n.Hijos[0], te), tam, &dy);
            d.DibujarTexto(base, f, x, y + c.arriba);
            d.Dibujar(*n.Hijos[0], x + b.ancho, y + dy, te);
        };
        return {std::move(m), std::move(dib)};
    }

    // The argument under a radical sign (sqrt).
    static Par Radical() {
        ProcMedir<D> m = [](Diagrama<D>& d, const N& n, int tam) {
            return d.MedirRadical(d.Medir(*n.Hijos[0], tam), nullptr, tam);
        };
        ProcDibujar<D> dib = [](Diagrama<D>& d, const N& n, int x, int y, int tam) {
            const CajaFormula r = d.Medir(*n.Hijos[0], tam);
            const CajaFormula c = d.MedirRadical(r, nullptr, tam);
            const int xr = d.DibujarRadical(r, nullptr, x, y + c.arriba, tam);
            d.DibujarEnEje(*n.Hijos[0], xr, y + c.arriba, tam);
        };
        return {std::move(m), std::move(dib)};
    }

    // The argument between two vertical bars (Abs).
    static Par Barras() {
        ProcMedir<D> m = [](Diagrama<D>& d, const N& n, int tam) {
            const CajaFormula a = d.Medir(*n.Hijos[0], tam);
            const int h = std::max(2, tam / 6);
            const int v = std::max(1, tam / 20);
            return CajaFormula{a.ancho + 2 * h, a.arriba + v, a.abajo + v};
        };
        ProcDibujar<D> dib = [](Diagrama<D>& d, const N& n, int x, int y, int tam) {
            const CajaFormula a = d.Medir(*n.Hijos[0], tam);
            const int h = std::max(2, tam / 6);
            const int v = std::max(1, tam / 20);
            const int alto = a.Alto() + 2 * v;
            const int g = std::max(1, tam / 20);
            d.Lienzo().PonerGrosor(g);
            const int x1 = x + h / 2 - g / 2, x2 = x + a.ancho + h + h / 2 - g / 2;
            d.Lienzo().Linea(x1, y + (g - 1) / 2, x1, y + alto - 1 - g / 2);
            d.Lienzo().Linea(x2, y + (g - 1) / 2, x2, y + alto - 1 - g / 2);
            d.Lienzo().PonerGrosor(1);
            d.DibujarEnEje(*n.Hijos[0], x + h, y + v + a.arriba, tam);
        };
        return {std::move(m), std::move(dib)};
    }

    // The argument followed by "!" (Fact).
    static Par Factorial() {
        ProcMedir<D> m = [](Diagrama<D>& d, const N& n, int tam) {
            const N& a = *n.Hijos[0];
            const bool par = EsOperacion(a.Clase()) || Diagrama<D>::EsNumeroNegativo(a);
            const CajaFormula ca = d.MedirOperando(a, tam, par);
            const CajaFormula s = d.MedirSigno("!", FuenteSerif(tam));
            return CajaFormula{ca.ancho + s.ancho + std::max(1, tam / 20), std::max(ca.arriba, s.arriba),
                               std::max(ca.abajo, s.abajo)};
        };
        ProcDibujar<D> dib = [m](Diagrama<D>& d, const N& n, int x, int y, int tam) {
            const CajaFormula c = m(d, n, tam);
            const N& a = *n.Hijos[0];
            const bool par = EsOperacion(a.Clase()) || Diagrama<D>::EsNumeroNegativo(a);
            const CajaFormula ca = d.MedirOperando(a, tam, par);
            d.DibujarOperando(a, x, y + c.arriba, tam, par);
            d.DibujarSigno("!", FuenteSerif(tam), x + ca.ancho + std::max(1, tam / 20), y + c.arriba);
        };
        return {std::move(m), std::move(dib)};
    }

    // Two arguments stacked inside tall parentheses (Cmb).
    static Par Binomial() {
        ProcMedir<D> m = [](Diagrama<D>& d, const N& n, int tam) {
            if (n.Hijos.size() != 2) return d.Medir(d.ListaDe(n), tam);
            const CajaFormula in = Diagrama<D>::Apilar(d.Medir(*n.Hijos[0], tam), d.Medir(*n.Hijos[1], tam), tam / 10);
            return d.ConParentesis(in, tam);
        };
        ProcDibujar<D> dib = [](Diagrama<D>& d, const N& n, int x, int y, int tam) {
            if (n.Hijos.size() != 2) {
                d.Dibujar(d.ListaDe(n), x, y, tam);
                return;
            }
            const CajaFormula a = d.Medir(*n.Hijos[0], tam);
            const CajaFormula b = d.Medir(*n.Hijos[1], tam);
            const CajaFormula in = Diagrama<D>::Apilar(a, b, tam / 10);
            const CajaFormula c = d.ConParentesis(in, tam);
            const int eje = y + c.arriba;
            d.DibujarParentesis(in, x, eje, tam);
            const int xi = x + d.AnchoAbre(in, tam);
            d.Dibujar(*n.Hijos[0], xi + (in.ancho - a.ancho) / 2, eje - a.Alto(), tam);
            d.Dibujar(*n.Hijos[1], xi + (in.ancho - b.ancho) / 2, eje, tam);
        };
        return {std::move(m), std::move(dib)};
    }
};

}  // namespace numbrix
