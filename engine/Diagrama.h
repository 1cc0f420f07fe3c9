#pragma once
// Formula layout: every node of the evaluation tree measured and drawn as
// typeset mathematics against the abstract canvas (support/Lienzo.h).
//
// Measuring protocol: a node's box is (ancho, arriba, abajo), its width and
// its extent above and below the axis; drawing puts the box's top-left corner
// at (x, y), so the axis lies at y + arriba. Parents align their children on
// one axis. `tam` is the nominal character height in pixels.
//
// One Diagrama is one layout: it keeps every box it measured (keyed by node
// and size), so a subtree is measured once however deep it is nested and
// however often its ancestors ask, and drawing reuses the same boxes.
//
// The number drawing is the only part that depends on the value domain: each
// domain specialises DibujoDominio<D> (engine/DiagramaX.h for the reals).
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/Expresion.h"
#include "support/Lienzo.h"
#include "support/LienzoGrabado.h"
#include "support/Pila.h"

namespace numbrix {

inline constexpr int kTamFormula = 20;  // nominal size of the pictures
inline constexpr int kTamMinimo = 6;    // nested parts never shrink below this
inline constexpr int kTamMaximo = 255;

// Size of a nested part (exponent, index, subscript): num/den of the
// parent's, but never below kTamMinimo (a parent already smaller keeps its
// own), so deep nesting never reaches 0.
inline int TamReducido(int tam, int num, int den) {
    const int t = tam * num / den;
    if (t >= kTamMinimo) return t;
    return std::min(tam, kTamMinimo);
}

inline Fuente FuenteSerif(int tam, bool negrita = false, bool cursiva = false) {
    return Fuente{kFamiliaSerif, tam, negrita, cursiva};
}

// How a number shows as text: the part before the exponent, the exponent
// (empty without one) and the base (a mark at the lower right when not 10).
struct PartesNumero {
    std::string mantisa;
    std::string exponente;
    int base = 10;
};

// Per value domain; a specialisation supplies
//   static CajaFormula MedirNumero(Diagrama<D>&, const TNum<D>&, int tam);
//   static void DibujarNumero(Diagrama<D>&, const TNum<D>&, int x, int y, int tam);
//   static bool EsCero(const TNum<D>&);     // «0-x» is drawn «− x»
//   static bool EsDos(const TNum<D>&);      // «x\2» is drawn without index
//   static bool Negativo(const TNum<D>&);   // parenthesized as an operand
template <class D>
struct DibujoDominio;

template <class D>
class Diagrama {
public:
    using Nodo = TEval<D>;

    // `ajustes`: the engine's settings, for domains whose numbers show
    // according to them (mixed fractions); may be null.
    explicit Diagrama(numbrix::Lienzo& lienzo, const AjustesMotor<D>* ajustes = nullptr)
        : lienzo_(lienzo), ajustes_(ajustes) {}
    Diagrama(const Diagrama&) = delete;
    Diagrama& operator=(const Diagrama&) = delete;

    numbrix::Lienzo& Lienzo() { return lienzo_; }
    const AjustesMotor<D>* Ajustes() const { return ajustes_; }

    // The node's box at this size; measured once per layout.
    CajaFormula Medir(const Nodo& n, int tam);
    // Draws the node with its box's top-left corner at (x, y).
    void Dibujar(const Nodo& n, int x, int y, int tam);
    // The same with the node's axis at yEje.
    void DibujarEnEje(const Nodo& n, int x, int yEje, int tam) { Dibujar(n, x, yEje - Medir(n, tam).arriba, tam); }

    // Boxes really measured so far (cache misses).
    long long Mediciones() const { return mediciones_; }

    // ---- helpers for the node layouts and the custom procedures
    // Extent of a text (asked of the canvas once per layout).
    MedidaTexto Medida(std::string_view texto, const Fuente& f);
    // A plain text box: the axis through the middle of the text cell.
    CajaFormula MedirTexto(std::string_view texto, const Fuente& f);
    void DibujarTexto(std::string_view texto, const Fuente& f, int x, int yEje);
    // A sign: the axis through the middle of its ink, so symbols from any
    // font sit on the axis.
    CajaFormula MedirSigno(std::string_view texto, const Fuente& f);
    void DibujarSigno(std::string_view texto, const Fuente& f, int x, int yEje);

    // Parentheses around a box: one fifth of its height more, split above
    // and below, and the width of "()" in a serif font that tall. The growth
    // is capped at half the size, so nested parentheses grow linearly with
    // the depth, not by a fifth at every level.
    static int ExtraParentesis(const CajaFormula& interior, int tam) {
        return std::min(interior.Alto() / 5, std::max(2, tam / 2));
    }
    CajaFormula ConParentesis(const CajaFormula& interior, int tam);
    int AnchoAbre(const CajaFormula& interior, int tam);  // where the inner box starts
    // Draws the parentheses around an inner box whose axis is at yEje and
    // which starts at x + AnchoAbre(interior, tam).
    void DibujarParentesis(const CajaFormula& interior, int x, int yEje, int tam);
    // A node, in parentheses when `parentesis`.
    CajaFormula MedirOperando(const Nodo& n, int tam, bool parentesis);
    void DibujarOperando(const Nodo& n, int x, int yEje, int tam, bool parentesis);

    // A raised exponent after a base: the exponent's box starts tam/4 below
    // the top of the whole box, which puts a one-line exponent's baseline
    // about 0.4 of the size above the base's, as type is set. Returns the box; *arribaExp receives the
    // distance from the box's top to the exponent's top.
    static CajaFormula Superindice(const CajaFormula& base, const CajaFormula& exp, int tam, int* arribaExp = nullptr);

    // A number written as text (mantissa, exponent, base mark).
    CajaFormula MedirPartesNumero(const PartesNumero& p, int tam);
    void DibujarPartesNumero(const PartesNumero& p, int x, int y, int tam);

    // A radical sign over a box with an optional index box.
    CajaFormula MedirRadical(const CajaFormula& radicando, const CajaFormula* indice, int tam);
    // Level of the sign's hook (where an index stands), from the axis.
    static int GanchoRadical(const CajaFormula& radicando, int tam);
    // Draws the sign; returns the x where the radicand starts.
    int DibujarRadical(const CajaFormula& radicando, const CajaFormula* indice, int x, int yEje, int tam);

    // Two boxes stacked on the axis (fractions, binomials), `hueco` apart
    // from it, `extra` wider than the wider of them.
    static CajaFormula Apilar(const CajaFormula& arriba, const CajaFormula& abajo, int extra, int hueco = 0);
    // Clearance between a fraction's bar and its numerator or denominator.
    static int HuecoFraccion(int tam) { return std::max(1, tam / 20); }

    // The parenthesizing rule for operands: sums, differences, comparisons
    // and logical operations.
    static bool Parentizar(const Nodo& n);
    // A call of a function (drawn with its name).
    static bool EsLlamada(const Nodo& n) {
        const ClaseNodo c = n.Clase();
        return c == ClaseNodo::Fun1 || c == ClaseNodo::FunN || c == ClaseNodo::FunUser;
    }
    static bool EsNumero(const Nodo& n) { return n.Clase() == ClaseNodo::Num; }
    static bool EsNumeroNegativo(const Nodo& n) {
        return EsNumero(n) && DibujoDominio<D>::Negativo(static_cast<const TNum<D>&>(n));
    }

    // The argument list «a, b, c» of a call, as a temporary node kept for
    // the layout.
    const TDibListaArg<D>& ListaDe(const Nodo& llamada);

private:
    struct Clave {
        const Nodo* nodo;
        int tam;
        bool operator==(const Clave&) const = default;
    };
    struct HashClave {
        std::size_t operator()(const Clave& k) const noexcept {
            return std::hash<const void*>()(k.nodo) ^ (static_cast<std::size_t>(k.tam) * 0x9E3779B97F4A7C15ull);
        }
    };

    CajaFormula MedirUno(const Nodo& n, int tam);
    CajaFormula MedirNodo(const Nodo& n, int tam);
    // One node; without its left operand when `izquierdo` is false (a link
    // of a flat chain whose left operand the chain loop draws).
    void DibujarUno(const Nodo& n, int x, int y, int tam, bool izquierdo);
    void DibujarNodo(const Nodo& n, int x, int y, int tam, bool izquierdo);
    // Moves (x, y) from a chain link's top-left corner to its left operand's.
    void EsquinaIzquierdo(const Nodo& n, int& x, int& y, int tam);

    // Layouts by node class. Draw functions receive the axis.
    CajaFormula MedirSumaResta(const Nodo& n, int tam);
    void DibujarSumaResta(const Nodo& n, int x, int yEje, int tam, bool izquierdo);
    CajaFormula MedirProducto(const Nodo& n, int tam);
    void DibujarProducto(const Nodo& n, int x, int yEje, int tam, bool izquierdo);
    CajaFormula MedirCociente(const Nodo& n, int tam);
    void DibujarCociente(const Nodo& n, int x, int y, int tam, bool izquierdo);
    CajaFormula MedirPotencia(const Nodo& n, int tam);
    void DibujarPotencia(const Nodo& n, int x, int y, int tam);
    CajaFormula MedirRaiz(const Nodo& n, int tam);
    void DibujarRaiz(const Nodo& n, int x, int yEje, int tam);
    CajaFormula MedirLogaritmo(const Nodo& n, int tam);
    void DibujarLogaritmo(const Nodo& n, int x, int yEje, int tam);
    CajaFormula MedirBinario(const Nodo& n, int tam);  // comparisons and logical operations
    void DibujarBinario(const Nodo& n, int x, int yEje, int tam);
    CajaFormula MedirFuncion1(const Nodo& n, int tam);
    void DibujarFuncion1(const Nodo& n, int x, int yEje, int tam);
    CajaFormula MedirLlamadaN(const Nodo& n, int tam);
    void DibujarLlamadaN(const Nodo& n, int x, int yEje, int tam);
    CajaFormula MedirLista(const Nodo& n, int tam);
    void DibujarLista(const Nodo& n, int x, int yEje, int tam);

    // Text and font of the name-like nodes (constants, variables, messages).
    struct Rotulo {
        std::string texto;
        Fuente fuente;
    };
    static Rotulo RotuloDe(const Nodo& n, int tam);
    std::string_view SignoDe(ClaseNodo c) const;
    bool DiferenciaSinIzquierdo(const Nodo& n) const;
    bool ProductoSinPunto(const Nodo& n) const;
    bool OperandoIzqEntreParentesis(const Nodo& n) const;
    bool OperandoDerEntreParentesis(const Nodo& n) const;
    int TamParentesis(int alto, int tam);

    numbrix::Lienzo& lienzo_;
    const AjustesMotor<D>* ajustes_ = nullptr;
    std::unordered_map<Clave, CajaFormula, HashClave> cajas_;
    std::unordered_map<const Nodo*, Ref<TDibListaArg<D>>> listas_;
    std::unordered_map<std::string, MedidaTexto> textos_;  // keyed by font and text
    long long mediciones_ = 0;
    GuardaPila pila_;
    int celdaReferencia_ = 0;  // cell height of the serif font at size 100
};

// ====================================================================== members

template <class D>
CajaFormula Diagrama<D>::Medir(const Nodo& n, int tam) {
    tam = std::clamp(tam, 1, kTamMaximo);
    if (auto it = cajas_.find(Clave{&n, tam}); it != cajas_.end()) return it->second;
    // A flat chain («1+1+…+1») is measured from its innermost link up, in a
    // loop: each link then finds its left operand measured (at the same size)
    // and never recurses along the chain.
    if (n.ContinuaCadena()) {
        std::vector<const Nodo*> pendientes;
        for (const Nodo* p = n.Hijos[0].get(); p->ContinuaCadena() && !cajas_.count(Clave{p, tam});
             p = p->Hijos[0].get())
            pendientes.push_back(p);
        for (auto it = pendientes.rbegin(); it != pendientes.rend(); ++it) MedirUno(**it, tam);
    }
    return MedirUno(n, tam);
}

template <class D>
CajaFormula Diagrama<D>::MedirUno(const Nodo& n, int tam) {
    const Clave k{&n, tam};
    if (auto it = cajas_.find(k); it != cajas_.end()) return it->second;
    ++mediciones_;
    CajaFormula c;
    // A tree deeper than the stack allows (only possible on a tiny thread
    // stack) is cut with an ellipsis instead of crashing.
    if (pila_.Agotada()) c = MedirTexto("…", FuenteSerif(tam));
    else if (n.Medir_ && n.Dibujar_) c = n.Medir_(*this, n, tam);
    else c = MedirNodo(n, tam);
    c.ancho = std::max(0, c.ancho);
    c.arriba = std::max(0, c.arriba);
    c.abajo = std::max(0, c.abajo);
    cajas_.emplace(k, c);
    return c;
}

template <class D>
void Diagrama<D>::Dibujar(const Nodo& n, int x, int y, int tam) {
    tam = std::clamp(tam, 1, kTamMaximo);
    // A flat chain: the corners of its links top down, then the drawing from
    // its first operand on, left to right as recursion would draw it, but in
    // a loop.
    std::vector<std::pair<const Nodo*, std::pair<int, int>>> eslabones;
    const Nodo* m = &n;
    for (; m->ContinuaCadena() && !(m->Medir_ && m->Dibujar_); m = m->Hijos[0].get()) {
        eslabones.push_back({m, {x, y}});
        EsquinaIzquierdo(*m, x, y, tam);
    }
    DibujarUno(*m, x, y, tam, true);
    for (auto it = eslabones.rbegin(); it != eslabones.rend(); ++it)
        DibujarUno(*it->first, it->second.first, it->second.second, tam, false);
}

template <class D>
void Diagrama<D>::DibujarUno(const Nodo& n, int x, int y, int tam, bool izquierdo) {
    const CajaFormula c = Medir(n, tam);
    if (pila_.Agotada()) {
        if (izquierdo) DibujarTexto("…", FuenteSerif(tam), x, y + c.arriba);
        return;
    }
    if (n.Medir_ && n.Dibujar_) n.Dibujar_(*this, n, x, y, tam);
    else DibujarNodo(n, x, y, tam, izquierdo);
}

template <class D>
void Diagrama<D>::EsquinaIzquierdo(const Nodo& n, int& x, int& y, int tam) {
    const CajaFormula c = Medir(n, tam);
    const CajaFormula l = Medir(*n.Hijos[0], tam);
    if (n.Clase() == ClaseNodo::Div) {  // the numerator, centred above the bar
        x += (c.ancho - l.ancho) / 2;
        y += c.arriba - HuecoFraccion(tam) - l.Alto();
    } else {  // at the left edge, on the same axis, never in parentheses
        y += c.arriba - l.arriba;
    }
}

template <class D>
MedidaTexto Diagrama<D>::Medida(std::string_view texto, const Fuente& f) {
    std::string clave = f.familia;
    clave += '\x01';
    clave += std::to_string(f.tam);
    clave += f.negrita ? 'B' : 'b';
    clave += f.cursiva ? 'I' : 'i';
    clave += texto;
    if (auto it = textos_.find(clave); it != textos_.end()) return it->second;
    lienzo_.PonerFuente(f);
    const MedidaTexto m = lienzo_.MedirTexto(texto);
    textos_.emplace(std::move(clave), m);
    return m;
}

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
bool Diagrama<D>::Parentizar(const Nodo& n) {
    const ClaseNodo c = n.Clase();
    return c == ClaseNodo::Suma || c == ClaseNodo::Resta || EsComparacion(c) || EsLogico(c);
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

// ====================================================================== pictures

// The engine's tree as a picture: measured at size 20, a picture of the
// measured width plus 4 and height plus 4, the tree drawn at (2, 2). Without
// a tree there is no picture.
template <class D>
std::optional<LienzoGrabado> Metarchivo(TExpresion<D>& motor, std::shared_ptr<const MetricasTexto> metricas) {
    if (!motor.Arbol || !metricas) return std::nullopt;
    LienzoGrabado g(std::move(metricas));
    Diagrama<D> d(g, &motor.Ajustes);
    const CajaFormula c = d.Medir(*motor.Arbol, kTamFormula);
    g.PonerTamano(c.ancho + 4, c.Alto() + 4);
    g.PonerColor(Color::Negro());
    g.PonerGrosor(1);
    d.Dibujar(*motor.Arbol, 2, 2, kTamFormula);
    return g;
}

// ====================================================================== custom procedures

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
