#pragma once
// Formula layout, the measure and draw rule of each node family: names,
// sums and differences, products, quotients, powers, roots, logarithms,
// comparisons and logic, function calls and argument lists. Part of
// engine/Diagrama.h; include that.
#include "engine/Diagrama.h"

namespace numbrix {

template <class D>
bool Diagrama<D>::Parentizar(const Nodo& n) {
    const ClaseNodo c = n.Clase();
    return c == ClaseNodo::Suma || c == ClaseNodo::Resta || EsComparacion(c) || EsLogico(c);
}

// ---------------------------------------------------------------- dispatch

template <class D>
typename Diagrama<D>::Rotulo Diagrama<D>::RotuloDe(const Nodo& n, int tam) {
    switch (n.Clase()) {
        case ClaseNodo::Const:
        case ClaseNodo::Fun0:
            if (IgualSinCaso(n.Nombre, "pi")) return {"π", FuenteSerif(tam)};
            return {n.Nombre, FuenteSerif(tam, false, true)};
        case ClaseNodo::Var:
        case ClaseNodo::Ext:
            return {n.Nombre, FuenteSerif(tam, true, true)};
        case ClaseNodo::Msg:
            return {"\"" + n.Nombre + "\"", Fuente{kFamiliaSans, tam, false, false}};
        default:
            return {n.Nombre, FuenteSerif(tam)};
    }
}

template <class D>
CajaFormula Diagrama<D>::MedirNodo(const Nodo& n, int tam) {
    switch (n.Clase()) {
        case ClaseNodo::Num:
            return DibujoDominio<D>::MedirNumero(*this, static_cast<const TNum<D>&>(n), tam);
        case ClaseNodo::Msg:
        case ClaseNodo::Const:
        case ClaseNodo::Ext:
        case ClaseNodo::Fun0:
        case ClaseNodo::Var: {
            const Rotulo r = RotuloDe(n, tam);
            return MedirTexto(r.texto, r.fuente);
        }
        case ClaseNodo::Suma:
        case ClaseNodo::Resta: return MedirSumaResta(n, tam);
        case ClaseNodo::Mul: return MedirProducto(n, tam);
        case ClaseNodo::Div: return MedirCociente(n, tam);
        case ClaseNodo::Pot: return MedirPotencia(n, tam);
        case ClaseNodo::Raiz: return MedirRaiz(n, tam);
        case ClaseNodo::LogN: return MedirLogaritmo(n, tam);
        case ClaseNodo::Fun1: return MedirFuncion1(n, tam);
        case ClaseNodo::FunN:
        case ClaseNodo::FunUser: return MedirLlamadaN(n, tam);
        case ClaseNodo::ListaArg: return MedirLista(n, tam);
        default: return MedirBinario(n, tam);  // comparisons and logical operations
    }
}

template <class D>
void Diagrama<D>::DibujarNodo(const Nodo& n, int x, int y, int tam, bool izquierdo) {
    const CajaFormula c = Medir(n, tam);
    const int eje = y + c.arriba;
    switch (n.Clase()) {
        case ClaseNodo::Num:
            DibujoDominio<D>::DibujarNumero(*this, static_cast<const TNum<D>&>(n), x, y, tam);
            return;
        case ClaseNodo::Msg:
        case ClaseNodo::Const:
        case ClaseNodo::Ext:
        case ClaseNodo::Fun0:
        case ClaseNodo::Var: {
            const Rotulo r = RotuloDe(n, tam);
            DibujarTexto(r.texto, r.fuente, x, eje);
            return;
        }
        case ClaseNodo::Suma:
        case ClaseNodo::Resta: DibujarSumaResta(n, x, eje, tam, izquierdo); return;
        case ClaseNodo::Mul: DibujarProducto(n, x, eje, tam, izquierdo); return;
        case ClaseNodo::Div: DibujarCociente(n, x, y, tam, izquierdo); return;
        case ClaseNodo::Pot: DibujarPotencia(n, x, y, tam); return;
        case ClaseNodo::Raiz: DibujarRaiz(n, x, eje, tam); return;
        case ClaseNodo::LogN: DibujarLogaritmo(n, x, eje, tam); return;
        case ClaseNodo::Fun1: DibujarFuncion1(n, x, eje, tam); return;
        case ClaseNodo::FunN:
        case ClaseNodo::FunUser: DibujarLlamadaN(n, x, eje, tam); return;
        case ClaseNodo::ListaArg: DibujarLista(n, x, eje, tam); return;
        default: DibujarBinario(n, x, eje, tam); return;
    }
}

// ---------------------------------------------------------------- sums and differences

template <class D>
bool Diagrama<D>::DiferenciaSinIzquierdo(const Nodo& n) const {
    // The leading minus («-x» and «0-x»): a difference from the number 0.
    const Nodo& l = *n.Hijos[0];
    return n.Clase() == ClaseNodo::Resta && EsNumero(l) &&
           DibujoDominio<D>::EsCero(static_cast<const TNum<D>&>(l));
}

template <class D>
bool Diagrama<D>::OperandoIzqEntreParentesis(const Nodo& n) const {
    const ClaseNodo l = n.Hijos[0]->Clase();
    return EsComparacion(l) || EsLogico(l);
}

template <class D>
bool Diagrama<D>::OperandoDerEntreParentesis(const Nodo& n) const {
    // «a-(b+c)» must keep its parentheses; so must «a+(-b)» and any
    // comparison or logical operand.
    return Parentizar(*n.Hijos[1]) || EsNumeroNegativo(*n.Hijos[1]);
}

template <class D>
std::string_view Diagrama<D>::SignoDe(ClaseNodo c) const {
    switch (c) {
        case ClaseNodo::Suma: return "+";
        case ClaseNodo::Resta: return "−";
        case ClaseNodo::May: return ">";
        case ClaseNodo::Men: return "<";
        case ClaseNodo::Igu: return "=";
        case ClaseNodo::MayIgu: return "≥";
        case ClaseNodo::MenIgu: return "≤";
        case ClaseNodo::Dist: return "≠";
        case ClaseNodo::And: return "∧";
        case ClaseNodo::Or: return "∨";
        case ClaseNodo::Xor: return "⊻";
        default: return "?";
    }
}

template <class D>
CajaFormula Diagrama<D>::MedirSumaResta(const Nodo& n, int tam) {
    const CajaFormula s = MedirSigno(SignoDe(n.Clase()), FuenteSerif(tam, true));
    const CajaFormula r = MedirOperando(*n.Hijos[1], tam, OperandoDerEntreParentesis(n));
    CajaFormula c;
    if (DiferenciaSinIzquierdo(n)) {
        c.ancho = s.ancho + tam / 8 + r.ancho;
        c.arriba = std::max(s.arriba, r.arriba);
        c.abajo = std::max(s.abajo, r.abajo);
        return c;
    }
    const CajaFormula l = MedirOperando(*n.Hijos[0], tam, OperandoIzqEntreParentesis(n));
    c.ancho = l.ancho + r.ancho + s.ancho + tam / 4;
    c.arriba = std::max({l.arriba, r.arriba, s.arriba});
    c.abajo = std::max({l.abajo, r.abajo, s.abajo});
    return c;
}

template <class D>
void Diagrama<D>::DibujarSumaResta(const Nodo& n, int x, int yEje, int tam, bool izquierdo) {
    const Fuente f = FuenteSerif(tam, true);
    const std::string_view signo = SignoDe(n.Clase());
    const CajaFormula s = MedirSigno(signo, f);
    if (DiferenciaSinIzquierdo(n)) {
        DibujarSigno(signo, f, x, yEje);
        DibujarOperando(*n.Hijos[1], x + s.ancho + tam / 8, yEje, tam, OperandoDerEntreParentesis(n));
        return;
    }
    const bool pl = OperandoIzqEntreParentesis(n);
    const CajaFormula l = MedirOperando(*n.Hijos[0], tam, pl);
    if (izquierdo) DibujarOperando(*n.Hijos[0], x, yEje, tam, pl);
    const int xs = x + l.ancho + tam / 8;
    DibujarSigno(signo, f, xs, yEje);
    DibujarOperando(*n.Hijos[1], x + l.ancho + s.ancho + tam / 4, yEje, tam, OperandoDerEntreParentesis(n));
}

// ---------------------------------------------------------------- products

template <class D>
bool Diagrama<D>::ProductoSinPunto(const Nodo& n) const {
    const Nodo& l = *n.Hijos[0];
    const Nodo& r = *n.Hijos[1];
    const bool pl = Parentizar(l), pr = Parentizar(r);
    if (pl && pr) return true;
    if (!EsNumero(l)) return false;
    if (pr) return true;
    if (r.Clase() == ClaseNodo::Pot && !EsNumero(*r.Hijos[0])) return true;
    return !EsOperacion(r.Clase()) && !EsNumero(r);
}

template <class D>
CajaFormula Diagrama<D>::MedirProducto(const Nodo& n, int tam) {
    const Nodo& l = *n.Hijos[0];
    const Nodo& r = *n.Hijos[1];
    const CajaFormula cl = MedirOperando(l, tam, Parentizar(l));
    const CajaFormula cr = MedirOperando(r, tam, Parentizar(r) || EsNumeroNegativo(r));
    const int hueco = ProductoSinPunto(n) ? tam / 6 : tam / 3;
    const int lado = std::max(2, tam / 20);
    CajaFormula c;
    c.ancho = cl.ancho + hueco + cr.ancho;
    c.arriba = std::max({cl.arriba, cr.arriba, lado / 2});
    c.abajo = std::max({cl.abajo, cr.abajo, lado - lado / 2});
    return c;
}

template <class D>
void Diagrama<D>::DibujarProducto(const Nodo& n, int x, int yEje, int tam, bool izquierdo) {
    const Nodo& l = *n.Hijos[0];
    const Nodo& r = *n.Hijos[1];
    const CajaFormula cl = MedirOperando(l, tam, Parentizar(l));
    if (izquierdo) DibujarOperando(l, x, yEje, tam, Parentizar(l));
    const bool sinPunto = ProductoSinPunto(n);
    const int hueco = sinPunto ? tam / 6 : tam / 3;
    if (!sinPunto) {
        const int lado = std::max(2, tam / 20);
        lienzo_.Rectangulo(x + cl.ancho + (hueco - lado) / 2, yEje - lado / 2, lado, lado, true);
    }
    DibujarOperando(r, x + cl.ancho + hueco, yEje, tam, Parentizar(r) || EsNumeroNegativo(r));
}

// ---------------------------------------------------------------- quotients

template <class D>
CajaFormula Diagrama<D>::MedirCociente(const Nodo& n, int tam) {
    return Apilar(Medir(*n.Hijos[0], tam), Medir(*n.Hijos[1], tam), tam / 10, HuecoFraccion(tam));
}

template <class D>
void Diagrama<D>::DibujarCociente(const Nodo& n, int x, int y, int tam, bool izquierdo) {
    const CajaFormula c = Medir(n, tam);
    const CajaFormula a = Medir(*n.Hijos[0], tam);
    const CajaFormula b = Medir(*n.Hijos[1], tam);
    const int eje = y + c.arriba;
    const int hueco = HuecoFraccion(tam);
    if (izquierdo) Dibujar(*n.Hijos[0], x + (c.ancho - a.ancho) / 2, eje - hueco - a.Alto(), tam);
    Dibujar(*n.Hijos[1], x + (c.ancho - b.ancho) / 2, eje + hueco, tam);
    const int grosor = std::max(1, tam / 20);
    lienzo_.PonerGrosor(grosor);
    lienzo_.Linea(x + (grosor - 1) / 2, eje, x + c.ancho - 1 - grosor / 2, eje);
    lienzo_.PonerGrosor(1);
}

// ---------------------------------------------------------------- powers

template <class D>
CajaFormula Diagrama<D>::MedirPotencia(const Nodo& n, int tam) {
    const Nodo& b = *n.Hijos[0];
    const bool par = EsOperacion(b.Clase()) || EsLlamada(b) || EsNumeroNegativo(b);
    const CajaFormula cb = MedirOperando(b, tam, par);
    const CajaFormula ce = Medir(*n.Hijos[1], TamReducido(tam, 2, 3));
    return Superindice(cb, ce, tam);
}

template <class D>
void Diagrama<D>::DibujarPotencia(const Nodo& n, int x, int y, int tam) {
    const Nodo& b = *n.Hijos[0];
    const bool par = EsOperacion(b.Clase()) || EsLlamada(b) || EsNumeroNegativo(b);
    const CajaFormula cb = MedirOperando(b, tam, par);
    const int te = TamReducido(tam, 2, 3);
    const CajaFormula ce = Medir(*n.Hijos[1], te);
    int dy = 0;
    const CajaFormula c = Superindice(cb, ce, tam, &dy);
    DibujarOperando(b, x, y + c.arriba, tam, par);
    Dibujar(*n.Hijos[1], x + cb.ancho, y + dy, te);
}

// ---------------------------------------------------------------- roots

template <class D>
CajaFormula Diagrama<D>::MedirRaiz(const Nodo& n, int tam) {
    const CajaFormula r = Medir(*n.Hijos[0], tam);
    const Nodo& i = *n.Hijos[1];
    if (EsNumero(i) && DibujoDominio<D>::EsDos(static_cast<const TNum<D>&>(i))) return MedirRadical(r, nullptr, tam);
    const CajaFormula ci = Medir(i, TamReducido(tam, 1, 2));
    return MedirRadical(r, &ci, tam);
}

template <class D>
void Diagrama<D>::DibujarRaiz(const Nodo& n, int x, int yEje, int tam) {
    const CajaFormula r = Medir(*n.Hijos[0], tam);
    const Nodo& i = *n.Hijos[1];
    int xr = 0;
    if (EsNumero(i) && DibujoDominio<D>::EsDos(static_cast<const TNum<D>&>(i))) {
        xr = DibujarRadical(r, nullptr, x, yEje, tam);
    } else {
        const int ti = TamReducido(tam, 1, 2);
        const CajaFormula ci = Medir(i, ti);
        xr = DibujarRadical(r, &ci, x, yEje, tam);
        Dibujar(i, x, yEje + GanchoRadical(r, tam) - 1 - ci.Alto(), ti);
    }
    DibujarEnEje(*n.Hijos[0], xr, yEje, tam);
}

// ---------------------------------------------------------------- logarithms

template <class D>
CajaFormula Diagrama<D>::MedirLogaritmo(const Nodo& n, int tam) {
    const CajaFormula log = MedirTexto("log", FuenteSerif(tam));
    const CajaFormula b = Medir(*n.Hijos[1], TamReducido(tam, 1, 2));
    const Nodo& v = *n.Hijos[0];
    const CajaFormula cv = MedirOperando(v, tam, EsOperacion(v.Clase()) || EsNumeroNegativo(v));
    const int baja = tam / 4;  // the base's axis below the main axis
    CajaFormula c;
    c.ancho = log.ancho + b.ancho + cv.ancho + tam / 6;
    c.arriba = std::max({log.arriba, cv.arriba, b.arriba - baja});
    c.abajo = std::max({log.abajo, cv.abajo, baja + b.abajo});
    return c;
}

template <class D>
void Diagrama<D>::DibujarLogaritmo(const Nodo& n, int x, int yEje, int tam) {
    const CajaFormula log = MedirTexto("log", FuenteSerif(tam));
    DibujarTexto("log", FuenteSerif(tam), x, yEje);
    const int tb = TamReducido(tam, 1, 2);
    const CajaFormula b = Medir(*n.Hijos[1], tb);
    DibujarEnEje(*n.Hijos[1], x + log.ancho, yEje + tam / 4, tb);
    const Nodo& v = *n.Hijos[0];
    DibujarOperando(v, x + log.ancho + b.ancho + tam / 6, yEje, tam, EsOperacion(v.Clase()) || EsNumeroNegativo(v));
}

// ---------------------------------------------------------------- comparisons and logic

template <class D>
CajaFormula Diagrama<D>::MedirBinario(const Nodo& n, int tam) {
    const ClaseNodo k = n.Clase();
    const Nodo& l = *n.Hijos[0];
    const Nodo& r = *n.Hijos[1];
    bool pl, pr;
    int hueco;
    if (EsComparacion(k)) {
        // A chain «a < b < c» keeps its left comparison bare.
        pl = EsLogico(l.Clase());
        pr = EsComparacion(r.Clase()) || EsLogico(r.Clase());
        hueco = tam / 3;
    } else {
        pl = EsLogico(l.Clase()) && l.Clase() != k;
        pr = EsLogico(r.Clase());
        hueco = tam / 3;
    }
    const CajaFormula s = MedirSigno(SignoDe(k), Fuente{kFamiliaSimbolos, tam, EsComparacion(k), false});
    const CajaFormula cl = MedirOperando(l, tam, pl);
    const CajaFormula cr = MedirOperando(r, tam, pr);
    CajaFormula c;
    c.ancho = cl.ancho + hueco + s.ancho + cr.ancho;
    c.arriba = std::max({cl.arriba, cr.arriba, s.arriba});
    c.abajo = std::max({cl.abajo, cr.abajo, s.abajo});
    return c;
}

template <class D>
void Diagrama<D>::DibujarBinario(const Nodo& n, int x, int yEje, int tam) {
    const ClaseNodo k = n.Clase();
    const Nodo& l = *n.Hijos[0];
    const Nodo& r = *n.Hijos[1];
    bool pl, pr;
    if (EsComparacion(k)) {
        pl = EsLogico(l.Clase());
        pr = EsComparacion(r.Clase()) || EsLogico(r.Clase());
    } else {
        pl = EsLogico(l.Clase()) && l.Clase() != k;
        pr = EsLogico(r.Clase());
    }
    const int hueco = tam / 3;
    const Fuente f{kFamiliaSimbolos, tam, EsComparacion(k), false};
    const CajaFormula s = MedirSigno(SignoDe(k), f);
    const CajaFormula cl = MedirOperando(l, tam, pl);
    DibujarOperando(l, x, yEje, tam, pl);
    DibujarSigno(SignoDe(k), f, x + cl.ancho + hueco / 2, yEje);
    DibujarOperando(r, x + cl.ancho + hueco + s.ancho, yEje, tam, pr);
}

// ---------------------------------------------------------------- functions

template <class D>
CajaFormula Diagrama<D>::MedirFuncion1(const Nodo& n, int tam) {
    const CajaFormula nombre = MedirTexto(n.Nombre, FuenteSerif(tam));
    const Nodo& a = *n.Hijos[0];
    const CajaFormula ca = MedirOperando(a, tam, EsOperacion(a.Clase()) || EsNumeroNegativo(a));
    return CajaFormula{nombre.ancho + ca.ancho + tam / 6, std::max(nombre.arriba, ca.arriba),
                       std::max(nombre.abajo, ca.abajo)};
}

template <class D>
void Diagrama<D>::DibujarFuncion1(const Nodo& n, int x, int yEje, int tam) {
    const CajaFormula nombre = MedirTexto(n.Nombre, FuenteSerif(tam));
    DibujarTexto(n.Nombre, FuenteSerif(tam), x, yEje);
    const Nodo& a = *n.Hijos[0];
    DibujarOperando(a, x + nombre.ancho + tam / 6, yEje, tam, EsOperacion(a.Clase()) || EsNumeroNegativo(a));
}

template <class D>
CajaFormula Diagrama<D>::MedirLlamadaN(const Nodo& n, int tam) {
    CajaFormula c = MedirTexto(n.Nombre, FuenteSerif(tam));
    if (n.Hijos.empty()) return c;
    const CajaFormula l = Medir(ListaDe(n), tam);
    c.ancho += l.ancho + std::max(1, tam / 20);
    c.arriba = std::max(c.arriba, l.arriba);
    c.abajo = std::max(c.abajo, l.abajo);
    return c;
}

template <class D>
void Diagrama<D>::DibujarLlamadaN(const Nodo& n, int x, int yEje, int tam) {
    const CajaFormula nombre = MedirTexto(n.Nombre, FuenteSerif(tam));
    DibujarTexto(n.Nombre, FuenteSerif(tam), x, yEje);
    if (!n.Hijos.empty()) DibujarEnEje(ListaDe(n), x + nombre.ancho + std::max(1, tam / 20), yEje, tam);
}

template <class D>
CajaFormula Diagrama<D>::MedirLista(const Nodo& n, int tam) {
    const CajaFormula coma = MedirTexto(", ", FuenteSerif(tam));
    CajaFormula in;
    for (std::size_t i = 0; i < n.Hijos.size(); ++i) {
        const CajaFormula a = Medir(*n.Hijos[i], tam);
        in.ancho += a.ancho + (i ? coma.ancho : 0);
        in.arriba = std::max(in.arriba, a.arriba);
        in.abajo = std::max(in.abajo, a.abajo);
    }
    if (!n.Hijos.empty()) {
        in.arriba = std::max(in.arriba, coma.arriba);
        in.abajo = std::max(in.abajo, coma.abajo);
    }
    return ConParentesis(in, tam);
}

template <class D>
void Diagrama<D>::DibujarLista(const Nodo& n, int x, int yEje, int tam) {
    const Fuente f = FuenteSerif(tam);
    const CajaFormula coma = MedirTexto(", ", f);
    CajaFormula in;
    for (std::size_t i = 0; i < n.Hijos.size(); ++i) {
        const CajaFormula a = Medir(*n.Hijos[i], tam);
        in.ancho += a.ancho + (i ? coma.ancho : 0);
        in.arriba = std::max(in.arriba, a.arriba);
        in.abajo = std::max(in.abajo, a.abajo);
    }
    if (!n.Hijos.empty()) {
        in.arriba = std::max(in.arriba, coma.arriba);
        in.abajo = std::max(in.abajo, coma.abajo);
    }
    DibujarParentesis(in, x, yEje, tam);
    int cx = x + AnchoAbre(in, tam);
    for (std::size_t i = 0; i < n.Hijos.size(); ++i) {
        if (i) {
            DibujarTexto(", ", f, cx, yEje);
            cx += coma.ancho;
        }
        DibujarEnEje(*n.Hijos[i], cx, yEje, tam);
        cx += Medir(*n.Hijos[i], tam).ancho;
    }
}

}  // namespace numbrix
