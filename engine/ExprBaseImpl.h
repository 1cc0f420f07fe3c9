#pragma once
// Out-of-line members of the evaluation tree (included by ExprBase.h).

namespace numbrix {

namespace detalle {
// Before a link of a long flat chain takes its left operand: the links below
// it that this evaluation has not computed yet are computed bottom up in a
// loop, each finding its own left operand ready, so «1+1+…+1» never recurses
// along its length. The order is the recursion's: innermost link first, and
// each link's right operand after everything to its left.
template <class D>
void CalcularCadena(TEval<D>& n, ContextoEval<D>& c) {
    constexpr int kCorta = 8;  // shorter chains simply recurse
    TEval<D>* p = n.Hijos[0].get();
    int largo = 0;
    for (; largo < kCorta && p->ContinuaCadena() && !p->Calculado(c); ++largo) p = p->Hijos[0].get();
    if (largo < kCorta) return;
    std::vector<TEval<D>*> pendientes;
    for (p = n.Hijos[0].get(); p->ContinuaCadena() && !p->Calculado(c); p = p->Hijos[0].get()) pendientes.push_back(p);
    for (auto it = pendientes.rbegin(); it != pendientes.rend(); ++it) (*it)->Valor(c);
}
}  // namespace detalle

template <class D, ClaseNodo C>
typename D::Valor TOpBin<D, C>::Calcular(ContextoEval<D>& c) {
    const auto& a = *c.ajustes;
    if constexpr (FamiliaCadena(C) != 0) {
        const TEval<D>& l = this->Izq();
        if (l.ContinuaCadena() && !l.Calculado(c)) [[unlikely]]
            detalle::CalcularCadena(*this, c);
    }
    if constexpr (C == ClaseNodo::LogN) {
        // The base is evaluated first.
        auto base = this->Der().Valor(c);
        return D::LogN(a, this->Izq().Valor(c), base);
    } else {
        auto l = this->Izq().Valor(c);
        auto r = this->Der().Valor(c);
        if constexpr (C == ClaseNodo::Suma) return D::Suma(a, l, r);
        else if constexpr (C == ClaseNodo::Resta) return D::Resta(a, l, r);
        else if constexpr (C == ClaseNodo::Mul) return D::Mul(a, l, r);
        else if constexpr (C == ClaseNodo::Div) return D::Div(a, l, r);
        else if constexpr (C == ClaseNodo::Pot) return D::Pot(a, l, r);
        else return D::Raiz(a, l, r);
    }
}

// Solving an invertible operator: the variable lies in exactly one operand;
// the other side grows by the inverse operation.
template <class D, ClaseNodo C>
Ref<TEval<D>> TOpBin<D, C>::Despejar(const Ref<TEval<D>>& o, const TVariable<D>*,
                                     const typename TEval<D>::ConjuntoNodos& conV, TEval<D>** siguiente) {
    const Ref<TEval<D>>& l = this->Hijos[0];
    const Ref<TEval<D>>& r = this->Hijos[1];
    bool enIzq = conV.count(l.get()) > 0;
    bool enDer = conV.count(r.get()) > 0;
    if (!enIzq && !enDer) throw EDespejar(Mensaje::SinVariableDespejar);
    if (enIzq && enDer) throw EDespejar("Expresión demasiado compleja para despejar");
    Ref<TEval<D>> nuevo;
    if (enIzq) {
        if constexpr (C == ClaseNodo::Suma) nuevo = Nuevo<TResta<D>>(o, r, nullptr);
        else if constexpr (C == ClaseNodo::Resta) nuevo = Nuevo<TSuma<D>>(o, r, nullptr);
        else if constexpr (C == ClaseNodo::Mul) nuevo = Nuevo<TDiv<D>>(o, r, nullptr);
        else if constexpr (C == ClaseNodo::Div) nuevo = Nuevo<TMul<D>>(o, r, nullptr);
        else if constexpr (C == ClaseNodo::Pot) nuevo = Nuevo<TRaiz<D>>(o, r, nullptr);
        else if constexpr (C == ClaseNodo::Raiz) nuevo = Nuevo<TPot<D>>(o, r, nullptr);
        else nuevo = Nuevo<TPot<D>>(r, o, nullptr);
        *siguiente = l.get();
        return nuevo;
    }
    if constexpr (C == ClaseNodo::Suma) nuevo = Nuevo<TResta<D>>(o, l, nullptr);
    else if constexpr (C == ClaseNodo::Resta) nuevo = Nuevo<TResta<D>>(l, o, nullptr);
    else if constexpr (C == ClaseNodo::Mul) nuevo = Nuevo<TDiv<D>>(o, l, nullptr);
    else if constexpr (C == ClaseNodo::Div) nuevo = Nuevo<TDiv<D>>(l, o, nullptr);
    else if constexpr (C == ClaseNodo::Pot) nuevo = Nuevo<TLogN<D>>(o, l, nullptr);
    else if constexpr (C == ClaseNodo::Raiz) nuevo = Nuevo<TLogN<D>>(l, o, nullptr);
    else nuevo = Nuevo<TRaiz<D>>(l, o, nullptr);
    *siguiente = r.get();
    return nuevo;
}

template <class D, ClaseNodo C>
typename D::Valor TCompara<D, C>::Calcular(ContextoEval<D>& c) {
    const auto& a = *c.ajustes;
    if (EsComparacion(this->Izq().Clase())) {
        // A chain «a < b < c»: compare b with c first, and only when that
        // holds evaluate the inner comparison.
        auto& interior = static_cast<TOp<D>&>(this->Izq());
        auto l = interior.Der().Valor(c);
        auto r = this->Der().Valor(c);
        bool cierto = Compara(a, l, r) && D::EsVerdadero(interior.Valor(c));
        return cierto ? a.verdadero : a.falso;
    }
    auto l = this->Izq().Valor(c);
    auto r = this->Der().Valor(c);
    return Compara(a, l, r) ? a.verdadero : a.falso;
}

// A function without an inverse. A domain may name it (the complex mode
// says which one); the others keep the general wording.
template <class D>
std::string MensajeNoDespejable(const std::string& nombre) {
    if constexpr (requires { D::MensajeNoDespejable(nombre); }) return D::MensajeNoDespejable(nombre);
    else return "Una o mas funciones no se pueden despejar";
}

template <class D>
Ref<TEval<D>> TFun1<D>::Despejar(const Ref<TEval<D>>& o, const TVariable<D>*, const typename TEval<D>::ConjuntoNodos&,
                                 TEval<D>** siguiente) {
    if (!Def->Inversa) throw EDespejar(MensajeNoDespejable<D>(this->Nombre));
    auto inversa = std::make_shared<DefFun1<D>>();
    inversa->Funcion = Def->Inversa;
    inversa->Inversa = Def->Funcion;
    *siguiente = this->Hijos[0].get();
    return Nuevo<TFun1<D>>(std::move(inversa), o, nullptr);
}

// Every node of the tree that reads v (each shared node examined once).
template <class D>
typename TEval<D>::ConjuntoNodos NodosConVariable(const TEval<D>& raiz, const TVariable<D>* v) {
    typename TEval<D>::ConjuntoNodos con, vistos;
    // Post-order walk without recursion: a node is decided after its children.
    std::vector<std::pair<const TEval<D>*, bool>> pila{{&raiz, false}};
    auto hijosDe = [](const TEval<D>* n, auto&& f) {
        if (n->Clase() == ClaseNodo::FunUser) f(static_cast<const TFunUser<D>*>(n)->Cuerpo.get());
        for (const auto& h : n->Hijos) f(h.get());
    };
    while (!pila.empty()) {
        auto [n, listo] = pila.back();
        pila.pop_back();
        if (listo) {
            bool tiene = n->Clase() == ClaseNodo::Var && static_cast<const TVar<D>*>(n)->Variable.get() == v;
            hijosDe(n, [&](const TEval<D>* h) { tiene = tiene || con.count(h); });
            if (tiene) con.insert(n);
            continue;
        }
        if (!vistos.insert(n).second) continue;
        pila.push_back({n, true});
        hijosDe(n, [&](const TEval<D>* h) { if (!vistos.count(h)) pila.push_back({h, false}); });
    }
    return con;
}

// Builds the expression of v from an equation «left = right».
template <class D>
Ref<TEval<D>> DespejarEcuacion(const Ref<TEval<D>>& raiz, const TVariable<D>* v) {
    if (!raiz || raiz->Clase() != ClaseNodo::Igu) throw EDespejar("No es una ecuación");
    auto conV = NodosConVariable(*raiz, v);
    const auto& l = raiz->Hijos[0];
    const auto& r = raiz->Hijos[1];
    bool enIzq = conV.count(l.get()) > 0;
    bool enDer = conV.count(r.get()) > 0;
    if (!enIzq && !enDer) throw EDespejar(Mensaje::SinVariableDespejar);
    if (enIzq && enDer) throw EDespejar("Ecuación demasiado compleja para despejar");
    // Down the path to v one node at a time, never recursing: the path can
    // be as long as a flat chain.
    Ref<TEval<D>> otro = enIzq ? r : l;
    TEval<D>* n = enIzq ? l.get() : r.get();
    while (n) {
        TEval<D>* siguiente = nullptr;
        otro = n->Despejar(otro, v, conV, &siguiente);
        n = siguiente;
    }
    return otro;
}

}  // namespace numbrix
