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
//
// This header is the one to include. It holds the layout class, its cache
// and the pictures; the boxes, the node rules and the built-ins' own
// typesetting are in DiagramaCajas.h, DiagramaNodos.h and DiagramaPropio.h.
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

// ====================================================================== the layout cache

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

}  // namespace numbrix

// The rest of the layout, in pieces by what they hold.
#include "engine/DiagramaCajas.h"   // boxes: texts, signs, parentheses, radicals, numbers
#include "engine/DiagramaNodos.h"   // each node family's measure and draw rules
#include "engine/DiagramaPropio.h"  // the built-ins' own typesetting

namespace numbrix {

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

}  // namespace numbrix
