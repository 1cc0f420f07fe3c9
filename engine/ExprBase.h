#pragma once
// The evaluation tree shared by the three engines (real, rational, complex).
// Everything here is a template over a value domain D, which supplies:
//   using Valor;                       the value type
//   static Valor Suma/Resta/Mul/Div/Pot/Raiz/LogN(const Ajustes&, a, b)
//   static bool EsVerdadero(const Valor&)         any value > 0 is true
//   static bool Igual(const Ajustes&, a, b), Mayor(a, b), Menor(a, b)
//   static bool LeerLiteral(std::string_view, Valor&, int& base), or the
//     same with the engine's settings first (const Ajustes&, ...)
//   static bool CortaProductoAntes(char)          where «2x» may split
//   static Valor DeReal(long double)
//   static constexpr bool TieneLogicos, TieneEnvoltura
//   static std::string TextoExacto(const Valor&)  text that reads back exactly
//   static void RegistrarFijas/RegistrarPredefinidas(TExpresion<D>&)
//   struct Extra                       domain-only settings (fraction limits...)
//   optionally static std::string PrepararTexto(std::string_view)
// Nodes are reference counted (Ref<T>), folded when constant at construction,
// and evaluated at most once per evaluation (a generation stamp), so shared
// sub-trees (local definitions, user-function parameters) never cost more
// than once.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "support/Errores.h"
#include "support/angulos.h"

namespace numbrix {

class Lienzo;  // the abstract drawing surface of the formula renderer
template <class D>
class Diagrama;  // one layout: the canvas and the boxes measured so far

// Box of a typeset formula: width and extent above and below its axis.
struct CajaFormula {
    int ancho = 0;
    int arriba = 0;
    int abajo = 0;
    int Alto() const { return arriba + abajo; }
    bool operator==(const CajaFormula&) const = default;
};

// Deepest nesting (and compiler recursion) the engine accepts. Evaluation
// and drawing recurse at most this deep, so bounding it at compilation
// protects every walk (also in sanitizer builds, whose frames are larger);
// solving and release never recurse. A flat chain («1+1+…+1», «a*b/c*…»)
// is not nesting: every walk goes along it in a loop (see ContinuaCadena).
inline constexpr int kProfundidadMaxima = 4200;
inline constexpr int kArgumentosIlimitados = 1 << 30;

// ---------------------------------------------------------------- settings

// The settings that evaluation reads. No global copy: a session owns one
// that all its engines read, a lone engine owns its own, and the nodes get
// them through the evaluation context.
template <class D>
struct AjustesMotor {
    typename D::Valor verdadero = D::DeReal(1);
    typename D::Valor falso = D::DeReal(-1);
    long double tolerancia = 1e-14L;  // equality: |a - b| <= tolerancia
    UnidadAngulo angulo = Radianes;   // of the trigonometric functions
    typename D::Extra extra{};
    // Counts the changes of what compilation folds into constants (the
    // angle unit, the truth values, the domain's settings); whoever changes
    // them counts one, and an engine compiled under an older count compiles
    // its text again before it evaluates or solves.
    std::uint64_t cambios = 0;
};

// Unique stamps for evaluations: process-wide so that trees shared between a
// host's engines never mistake one evaluation for another.
inline std::uint64_t NuevaEstampa() {
    static std::atomic<std::uint64_t> contador{1};
    return contador.fetch_add(1, std::memory_order_relaxed) + 1;
}

template <class D>
struct ContextoEval {
    const AjustesMotor<D>* ajustes = nullptr;
    std::uint64_t generacion = NuevaEstampa();
    std::mt19937_64* azar = nullptr;            // the engine's generator
    const std::function<bool()>* cancelar = nullptr;  // polled by long loops
    unsigned sondeos = 0;

    // Everything computed from now on is new: a function that changes a
    // variable's value between evaluations of its argument calls this.
    void NuevaGeneracion() { generacion = NuevaEstampa(); }
    // Long loops call this every iteration; the host's cancel request is
    // asked every few thousand calls.
    void Sondear() {
        if ((++sondeos & 4095u) == 0 && cancelar && *cancelar && (*cancelar)())
            throw ECancelado();
    }
};

// ---------------------------------------------------------------- Ref

template <class T>
class Ref;

template <class D>
class TEval;

namespace detalle {
template <class D>
void Soltar(TEval<D>* nodo);
}

// Counted reference to a node (intrusive, 32-bit counts).
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    explicit Ref(T* p) : p_(p) { if (p_) ++p_->referencias_; }
    Ref(const Ref& o) : p_(o.p_) { if (p_) ++p_->referencias_; }
    Ref(Ref&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& o) : p_(o.get()) { if (p_) ++p_->referencias_; }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(Ref<U>&& o) noexcept : p_(o.release()) {}
    ~Ref() { reset(); }
    Ref& operator=(Ref o) noexcept { std::swap(p_, o.p_); return *this; }

    void reset() {
        if (p_) {
            T* p = p_;
            p_ = nullptr;
            if (--p->referencias_ == 0) detalle::Soltar(p);
        }
    }
    T* release() { T* p = p_; p_ = nullptr; return p; }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    bool operator==(const Ref& o) const { return p_ == o.p_; }

private:
    T* p_ = nullptr;
};

template <class T, class... A>
Ref<T> Nuevo(A&&... a) { return Ref<T>(new T(std::forward<A>(a)...)); }

// ---------------------------------------------------------------- variables

// A value cell that TVar nodes read. Shared ownership keeps it alive as long
// as any node or registry entry refers to it. Each assignment takes a new
// stamp, so an engine knows whether its cached result is still valid.
template <class D>
class TVariable {
public:
    typename D::Valor Valor{};
    std::uint64_t Version = 0;
    void AsignarValor(const typename D::Valor& v) {
        Valor = v;
        Version = NuevaEstampa();
    }
};

// ---------------------------------------------------------------- nodes

enum class ClaseNodo : std::uint8_t {
    Msg, Num, Const, Ext, Fun0, Var,
    Suma, Resta, Mul, Div, Pot, Raiz, LogN,
    May, Men, Igu, MayIgu, MenIgu, Dist,
    And, Or, Xor,
    Fun1, FunN, FunUser, ListaArg,
};

inline bool EsOperadorDespejable(ClaseNodo c) { return c >= ClaseNodo::Suma && c <= ClaseNodo::LogN; }
// Flat chains: sums and differences are one family, products and quotients
// another (0: neither). «1+2-3» is a difference whose left operand continues
// the same chain; evaluation, solving and drawing walk such a left spine in
// a loop, so its length is never recursion depth.
constexpr int FamiliaCadena(ClaseNodo c) {
    if (c == ClaseNodo::Suma || c == ClaseNodo::Resta) return 1;
    if (c == ClaseNodo::Mul || c == ClaseNodo::Div) return 2;
    return 0;
}
inline bool EsComparacion(ClaseNodo c) { return c >= ClaseNodo::May && c <= ClaseNodo::Dist; }
inline bool EsLogico(ClaseNodo c) { return c >= ClaseNodo::And && c <= ClaseNodo::Xor; }
inline bool EsOperacion(ClaseNodo c) { return c >= ClaseNodo::Suma && c <= ClaseNodo::Xor; }

// Custom typesetting of a function entry or a host value. The layout hands
// over its canvas (diagrama.Lienzo()) and measures and draws the node's
// children through its per-layout cache (diagrama.Medir, diagrama.Dibujar),
// so a procedure never measures a subtree twice.
template <class D>
using ProcMedir = std::function<CajaFormula(Diagrama<D>& diagrama, const TEval<D>& nodo, int tam)>;
template <class D>
using ProcDibujar = std::function<void(Diagrama<D>& diagrama, const TEval<D>& nodo, int x, int y, int tam)>;

template <class D>
class TEval {
public:
    using V = typename D::Valor;
    using Ctx = ContextoEval<D>;

    virtual ~TEval() = default;
    TEval(const TEval&) = delete;
    TEval& operator=(const TEval&) = delete;

    virtual ClaseNodo Clase() const = 0;

    // Value of the node in this evaluation: computed at most once per
    // generation; constant nodes were computed when they were built.
    V Valor(Ctx& c) {
        if (constante_ || generacion_ == c.generacion) return ValorGuardado;
        ValorGuardado = Calcular(c);
        generacion_ = c.generacion;
        return ValorGuardado;
    }

    // One step of solving this node for v (raises EDespejar): the new other
    // side, and in *siguiente the operand that holds v, still to be solved
    // (none when this node is v itself). conV holds every node of the tree
    // that reads v. DespejarEcuacion takes the steps in a loop.
    using ConjuntoNodos = std::unordered_set<const TEval*>;
    virtual Ref<TEval> Despejar(const Ref<TEval>& otro, const TVariable<D>* v, const ConjuntoNodos& conV,
                                TEval** siguiente);

    // Hands over every node this one holds, so release never recurses.
    virtual void SoltarHijos(std::vector<TEval*>& pila);

    bool Constante() const { return constante_; }   // folded: never changes
    // Its value for this evaluation is already known (folded or computed).
    bool Calculado(const Ctx& c) const { return constante_ || generacion_ == c.generacion; }
    // An operator whose left operand is an operator of its own chain family
    // (known once the children are attached).
    bool ContinuaCadena() const { return eslabon_; }
    bool Volatil() const { return volatil_; }        // never fresh (random, prompts, messages)
    int Profundidad() const { return profundidad_; }
    std::uint32_t Referencias() const { return referencias_; }

    std::string Nombre;
    V ValorGuardado{};
    std::vector<Ref<TEval>> Hijos;
    ProcMedir<D> Medir_;      // custom typesetting, when present
    ProcDibujar<D> Dibujar_;

protected:
    TEval() = default;
    virtual V Calcular(Ctx& c) = 0;
    // Drops one held reference; a node left without any goes to the pile.
    static void SoltarRef(Ref<TEval>& r, std::vector<TEval*>& pila) {
        TEval* p = r.release();
        if (p && --p->referencias_ == 0) pila.push_back(p);
    }
    // Called by constructors once children are attached: derives the flags and
    // folds a constant node (a failure such as 1/0 propagates to the compiler).
    void Terminar(Ctx* plegado, bool propioVolatil, bool propioConstante = true);

    bool constante_ = false;
    bool volatil_ = false;
    bool eslabon_ = false;
    int profundidad_ = 1;
    std::uint64_t generacion_ = 0;

private:
    template <class T> friend class Ref;
    std::uint32_t referencias_ = 0;
};

namespace detalle {
template <class D>
void Soltar(TEval<D>* nodo) {
    // Iterative release: deep trees (long sums) never recurse in destruction.
    std::vector<TEval<D>*> pila{nodo};
    while (!pila.empty()) {
        TEval<D>* n = pila.back();
        pila.pop_back();
        n->SoltarHijos(pila);
        delete n;
    }
}
}  // namespace detalle

template <class D>
void TEval<D>::SoltarHijos(std::vector<TEval*>& pila) {
    for (auto& h : Hijos) SoltarRef(h, pila);
    Hijos.clear();
}

template <class D>
void TEval<D>::Terminar(Ctx* plegado, bool propioVolatil, bool propioConstante) {
    bool todosConstantes = propioConstante && !propioVolatil;
    bool vol = propioVolatil;
    int prof = 0;
    for (const auto& h : Hijos) {
        todosConstantes = todosConstantes && h->constante_;
        vol = vol || h->volatil_;
        if (h->profundidad_ > prof) prof = h->profundidad_;
    }
    profundidad_ = prof + 1;
    // A link of a flat chain is as deep as the chain below it, or one more
    // than its right operand.
    const int familia = FamiliaCadena(Clase());
    eslabon_ = familia != 0 && !Hijos.empty() && FamiliaCadena(Hijos[0]->Clase()) == familia;
    if (eslabon_) {
        profundidad_ = Hijos[0]->profundidad_;
        for (std::size_t i = 1; i < Hijos.size(); ++i) profundidad_ = std::max(profundidad_, Hijos[i]->profundidad_ + 1);
    }
    if (profundidad_ > kProfundidadMaxima && plegado)
        throw ECompilacion(Mensaje::DemasiadoAnidada);
    volatil_ = vol;
    if (todosConstantes && plegado && !Hijos.empty()) {
        ValorGuardado = Calcular(*plegado);
        constante_ = true;
    }
}

template <class D>
Ref<TEval<D>> TEval<D>::Despejar(const Ref<TEval>&, const TVariable<D>*, const ConjuntoNodos&, TEval**) {
    throw EDespejar(Mensaje::NoSeDespeja);
}

// Message node: evaluating it raises its text.
template <class D>
class TExprMsg : public TEval<D> {
public:
    explicit TExprMsg(std::string texto) {
        this->Nombre = std::move(texto);
        this->volatil_ = true;
    }
    ClaseNodo Clase() const override { return ClaseNodo::Msg; }
protected:
    typename D::Valor Calcular(ContextoEval<D>&) override { throw EExprMsj(this->Nombre); }
};

// Numbers, constants and host values: a value fixed at construction.
template <class D>
class TSimpleNum : public TEval<D> {
public:
    explicit TSimpleNum(const typename D::Valor& v, int base = 10) : Base(base) {
        this->ValorGuardado = v;
        this->constante_ = true;
    }
    int Base = 10;  // the base the number is shown in
protected:
    typename D::Valor Calcular(ContextoEval<D>&) override { return this->ValorGuardado; }
};

template <class D>
class TNum : public TSimpleNum<D> {
public:
    using TSimpleNum<D>::TSimpleNum;
    ClaseNodo Clase() const override { return ClaseNodo::Num; }
    // Display parts, filled by the formula renderer from the value's text.
    bool TieneExponente = false;
    std::string Mantisa, Exponente;
};

template <class D>
class TConst : public TSimpleNum<D> {
public:
    TConst(const typename D::Valor& v, std::string nombre) : TSimpleNum<D>(v) { this->Nombre = std::move(nombre); }
    ClaseNodo Clase() const override { return ClaseNodo::Const; }
};

// A value found by a host look-up (a chemical formula's molar mass...).
template <class D>
class TExt : public TConst<D> {
public:
    using TConst<D>::TConst;
    ClaseNodo Clase() const override { return ClaseNodo::Ext; }
};

template <class D>
using Fn0 = std::function<typename D::Valor(ContextoEval<D>&)>;
template <class D>
using Fn1 = std::function<typename D::Valor(const ContextoEval<D>&, const typename D::Valor&)>;
template <class D>
using FnN = std::function<typename D::Valor(ContextoEval<D>&, const std::vector<Ref<TEval<D>>>&)>;

// Function without arguments: a getter (memories, prompt variables, random
// numbers). Evaluated once per evaluation unless registered as constant.
template <class D>
class TFun0 : public TEval<D> {
public:
    TFun0(Fn0<D> f, bool constanteFlag, std::string nombre) : Funcion(std::move(f)), Constante_(constanteFlag) {
        this->Nombre = std::move(nombre);
        this->volatil_ = !constanteFlag;
    }
    ClaseNodo Clase() const override { return ClaseNodo::Fun0; }
    Fn0<D> Funcion;
    bool Constante_;
protected:
    typename D::Valor Calcular(ContextoEval<D>& c) override { return Funcion(c); }
};

template <class D>
class TVar : public TEval<D> {
public:
    TVar(std::shared_ptr<TVariable<D>> v, std::string nombre) : Variable(std::move(v)) { this->Nombre = std::move(nombre); }
    ClaseNodo Clase() const override { return ClaseNodo::Var; }
    Ref<TEval<D>> Despejar(const Ref<TEval<D>>& otro, const TVariable<D>* v, const typename TEval<D>::ConjuntoNodos&,
                           TEval<D>** siguiente) override {
        if (Variable.get() != v) throw EDespejar(Mensaje::NoSeDespeja);
        *siguiente = nullptr;
        return otro;
    }
    std::shared_ptr<TVariable<D>> Variable;
protected:
    typename D::Valor Calcular(ContextoEval<D>&) override { return Variable->Valor; }
};

// Binary operators, comparisons and logical operators.
template <class D>
class TOp : public TEval<D> {
public:
    TEval<D>& Izq() const { return *this->Hijos[0]; }
    TEval<D>& Der() const { return *this->Hijos[1]; }
protected:
    TOp(Ref<TEval<D>> l, Ref<TEval<D>> r) {
        this->Hijos.reserve(2);
        this->Hijos.push_back(std::move(l));
        this->Hijos.push_back(std::move(r));
    }
};

template <class D> bool ContieneVariable(const TEval<D>& raiz, const TVariable<D>* v);

template <class D, ClaseNodo C>
class TOpBin : public TOp<D> {
public:
    using V = typename D::Valor;
    TOpBin(Ref<TEval<D>> l, Ref<TEval<D>> r, ContextoEval<D>* plegado) : TOp<D>(std::move(l), std::move(r)) {
        this->Terminar(plegado, false);
    }
    ClaseNodo Clase() const override { return C; }
    Ref<TEval<D>> Despejar(const Ref<TEval<D>>& otro, const TVariable<D>* v,
                           const typename TEval<D>::ConjuntoNodos& conV, TEval<D>** siguiente) override;
protected:
    V Calcular(ContextoEval<D>& c) override;
};

template <class D> using TSuma = TOpBin<D, ClaseNodo::Suma>;
template <class D> using TResta = TOpBin<D, ClaseNodo::Resta>;
template <class D> using TMul = TOpBin<D, ClaseNodo::Mul>;
template <class D> using TDiv = TOpBin<D, ClaseNodo::Div>;
template <class D> using TPot = TOpBin<D, ClaseNodo::Pot>;
template <class D> using TRaiz = TOpBin<D, ClaseNodo::Raiz>;
template <class D> using TLogN = TOpBin<D, ClaseNodo::LogN>;

template <class D, ClaseNodo C>
class TCompara : public TOp<D> {
public:
    using V = typename D::Valor;
    TCompara(Ref<TEval<D>> l, Ref<TEval<D>> r, ContextoEval<D>* plegado) : TOp<D>(std::move(l), std::move(r)) {
        this->Terminar(plegado, false);
    }
    ClaseNodo Clase() const override { return C; }
    static bool Compara(const AjustesMotor<D>& a, const V& l, const V& r) {
        if constexpr (C == ClaseNodo::May) return D::Mayor(l, r);
        else if constexpr (C == ClaseNodo::Men) return D::Menor(l, r);
        else if constexpr (C == ClaseNodo::Igu) return D::Igual(a, l, r);
        else if constexpr (C == ClaseNodo::MayIgu) return D::Mayor(l, r) || D::Igual(a, l, r);
        else if constexpr (C == ClaseNodo::MenIgu) return D::Menor(l, r) || D::Igual(a, l, r);
        else return !D::Igual(a, l, r);
    }
protected:
    V Calcular(ContextoEval<D>& c) override;
};

template <class D> using TMay = TCompara<D, ClaseNodo::May>;
template <class D> using TMen = TCompara<D, ClaseNodo::Men>;
template <class D> using TIgu = TCompara<D, ClaseNodo::Igu>;
template <class D> using TMayIgu = TCompara<D, ClaseNodo::MayIgu>;
template <class D> using TMenIgu = TCompara<D, ClaseNodo::MenIgu>;
template <class D> using TDist = TCompara<D, ClaseNodo::Dist>;

template <class D, ClaseNodo C>
class TLogic : public TOp<D> {
public:
    using V = typename D::Valor;
    TLogic(Ref<TEval<D>> l, Ref<TEval<D>> r, ContextoEval<D>* plegado) : TOp<D>(std::move(l), std::move(r)) {
        this->Terminar(plegado, false);
    }
    ClaseNodo Clase() const override { return C; }
protected:
    V Calcular(ContextoEval<D>& c) override {
        const auto& a = *c.ajustes;
        bool l = D::EsVerdadero(this->Izq().Valor(c));
        if constexpr (C == ClaseNodo::And) {
            return (l && D::EsVerdadero(this->Der().Valor(c))) ? a.verdadero : a.falso;
        } else if constexpr (C == ClaseNodo::Or) {
            return (l || D::EsVerdadero(this->Der().Valor(c))) ? a.verdadero : a.falso;
        } else {
            bool r = D::EsVerdadero(this->Der().Valor(c));
            return (l == r) ? a.falso : a.verdadero;
        }
    }
};

template <class D> using TAnd = TLogic<D, ClaseNodo::And>;
template <class D> using TOr = TLogic<D, ClaseNodo::Or>;
template <class D> using TXor = TLogic<D, ClaseNodo::Xor>;

// One-argument function with its inverse (used when solving).
template <class D>
struct DefFun1 {
    Fn1<D> Funcion;
    Fn1<D> Inversa;  // may be empty
};

template <class D>
class TFun1 : public TEval<D> {
public:
    TFun1(std::shared_ptr<const DefFun1<D>> def, Ref<TEval<D>> arg, ContextoEval<D>* plegado) : Def(std::move(def)) {
        this->Hijos.push_back(std::move(arg));
        this->Terminar(plegado, false);
    }
    ClaseNodo Clase() const override { return ClaseNodo::Fun1; }
    Ref<TEval<D>> Despejar(const Ref<TEval<D>>& otro, const TVariable<D>* v,
                           const typename TEval<D>::ConjuntoNodos& conV, TEval<D>** siguiente) override;
    std::shared_ptr<const DefFun1<D>> Def;
protected:
    typename D::Valor Calcular(ContextoEval<D>& c) override {
        return Def->Funcion(c, this->Hijos[0]->Valor(c));
    }
};

// Function of several arguments: receives the argument nodes and evaluates
// what it needs ("Si" evaluates only the chosen branch).
template <class D>
class TFunN : public TEval<D> {
public:
    TFunN(FnN<D> f, std::vector<Ref<TEval<D>>> args, ContextoEval<D>* plegado, bool volatil = false)
        : Funcion(std::move(f)) {
        this->Hijos = std::move(args);
        this->Terminar(plegado, volatil);
    }
    ClaseNodo Clase() const override { return ClaseNodo::FunN; }
    FnN<D> Funcion;
protected:
    TFunN() = default;
    typename D::Valor Calcular(ContextoEval<D>& c) override { return Funcion(c, this->Hijos); }
};

// A call of a user function: the expanded body over the call's arguments.
// Constant only when its body is.
template <class D>
class TFunUser : public TFunN<D> {
public:
    TFunUser(Ref<TEval<D>> cuerpo, std::vector<Ref<TEval<D>>> args, std::string nombre) : Cuerpo(std::move(cuerpo)) {
        this->Nombre = std::move(nombre);
        this->Hijos = std::move(args);
        int prof = Cuerpo->Profundidad();
        for (const auto& h : this->Hijos) prof = std::max(prof, h->Profundidad());
        this->profundidad_ = prof + 1;
        if (this->profundidad_ > kProfundidadMaxima)
            throw ECompilacion(Mensaje::DemasiadoAnidada);
        this->volatil_ = Cuerpo->Volatil();
        if (Cuerpo->Constante()) {
            this->ValorGuardado = Cuerpo->ValorGuardado;
            this->constante_ = true;
        }
    }
    ClaseNodo Clase() const override { return ClaseNodo::FunUser; }
    void SoltarHijos(std::vector<TEval<D>*>& pila) override {
        TEval<D>::SoltarHijos(pila);
        this->SoltarRef(Cuerpo, pila);
    }
    Ref<TEval<D>> Cuerpo;
protected:
    typename D::Valor Calcular(ContextoEval<D>& c) override { return Cuerpo->Valor(c); }
};

// Exists only to measure and draw an argument list «a, b, c».
template <class D>
class TDibListaArg : public TEval<D> {
public:
    explicit TDibListaArg(std::vector<Ref<TEval<D>>> args) {
        this->Hijos = std::move(args);
        this->volatil_ = true;
    }
    ClaseNodo Clase() const override { return ClaseNodo::ListaArg; }
protected:
    typename D::Valor Calcular(ContextoEval<D>&) override { throw ENumbrix(""); }
};

// ---------------------------------------------------------------- factories

enum TipoMake : int { MakeConstante = 0, MakeVariable = 1, MakeFuncion0 = 2, MakeFuncion1 = 3, MakeFuncionN = 4, MakeUsuario = 5 };

template <class D>
class TMake {
public:
    virtual ~TMake() = default;
    int MinArgs = 0;
    int MaxArgs = 0;  // kArgumentosIlimitados: no limit
    int Tipo = 0;
    std::string Descripcion;
    std::string Nombre;  // the first name it was registered under
    ProcMedir<D> Medir_;
    ProcDibujar<D> Dibujar_;
    virtual Ref<TEval<D>> CrearNodo(std::vector<Ref<TEval<D>>> args, ContextoEval<D>* plegado) = 0;
};

template <class D>
class TMakeConst : public TMake<D> {
public:
    typename D::Valor Valor{};
    Ref<TEval<D>> CrearNodo(std::vector<Ref<TEval<D>>>, ContextoEval<D>*) override {
        return Nuevo<TConst<D>>(Valor, this->Nombre);
    }
};

template <class D>
class TMakeVar : public TMake<D> {
public:
    std::shared_ptr<TVariable<D>> Variable = std::make_shared<TVariable<D>>();
    Ref<TEval<D>> CrearNodo(std::vector<Ref<TEval<D>>>, ContextoEval<D>*) override {
        return Nuevo<TVar<D>>(Variable, this->Nombre);
    }
};

template <class D>
class TMakeFun0 : public TMake<D> {
public:
    Fn0<D> Funcion;
    bool EsConstante = false;
    Ref<TEval<D>> CrearNodo(std::vector<Ref<TEval<D>>>, ContextoEval<D>* plegado) override {
        auto n = Nuevo<TFun0<D>>(Funcion, EsConstante, this->Nombre);
        if (EsConstante && plegado) {
            // A constant getter is read once, when the tree is built.
            n->ValorGuardado = Funcion(*plegado);
        }
        return n;
    }
};

template <class D>
class TMakeFun1 : public TMake<D> {
public:
    std::shared_ptr<const DefFun1<D>> Def;
    Ref<TEval<D>> CrearNodo(std::vector<Ref<TEval<D>>> args, ContextoEval<D>* plegado) override {
        return Nuevo<TFun1<D>>(Def, std::move(args.at(0)), plegado);
    }
};

template <class D>
class TMakeFunN : public TMake<D> {
public:
    FnN<D> Funcion;  // empty: the logarithm operator node
    bool Volatil = false;  // never fold (functions with side effects on prompt values)
    Ref<TEval<D>> CrearNodo(std::vector<Ref<TEval<D>>> args, ContextoEval<D>* plegado) override {
        if (!Funcion) return Nuevo<TLogN<D>>(std::move(args.at(0)), std::move(args.at(1)), plegado);
        return Nuevo<TFunN<D>>(Funcion, std::move(args), plegado, Volatil);
    }
};

template <class D>
class TMakeUser : public TMake<D> {
public:
    std::string Texto;  // the prepared body
    Ref<TEval<D>> CrearNodo(std::vector<Ref<TEval<D>>>, ContextoEval<D>*) override { return {}; }
};

// ---------------------------------------------------------------- algorithms

// True when the tree reads v. Shared nodes are visited once.
template <class D>
bool ContieneVariable(const TEval<D>& raiz, const TVariable<D>* v) {
    std::vector<const TEval<D>*> pila{&raiz};
    std::unordered_set<const TEval<D>*> vistos;
    while (!pila.empty()) {
        const TEval<D>* n = pila.back();
        pila.pop_back();
        if (n->Clase() == ClaseNodo::Var) {
            if (static_cast<const TVar<D>*>(n)->Variable.get() == v) return true;
            continue;
        }
        if (n->Referencias() > 1 && !vistos.insert(n).second) continue;
        if (n->Clase() == ClaseNodo::FunUser) pila.push_back(static_cast<const TFunUser<D>*>(n)->Cuerpo.get());
        for (const auto& h : n->Hijos) pila.push_back(h.get());
    }
    return false;
}

}  // namespace numbrix

#include "engine/ExprBaseImpl.h"
