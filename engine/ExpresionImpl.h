#pragma once
// Members of TExpresion. Included by each domain's engine unit, which
// instantiates the template once.
#include <chrono>

#include "engine/ExprCompiladorImpl.h"
#include "engine/Expresion.h"
#include "engine/TextoExpr.h"

namespace numbrix {

template <class D>
TExpresion<D>::TExpresion(AjustesMotor<D>* compartidos) : Ajustes(compartidos ? *compartidos : propios_) {
    cambiosCompilados_ = Ajustes.cambios;
    azar_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
               reinterpret_cast<std::uintptr_t>(this));
}

template <class D>
TExpresion<D>::~TExpresion() {
    Arbol.reset();
    Locales.clear();
}

template <class D>
void TExpresion<D>::SetPadre(TExpresion* padre) {
    padre_ = padre;
    registro_.reset();
}

template <class D>
void TExpresion<D>::SetPredefinidas(bool p) {
    if (padre_) return;
    predefinidas_ = p;
    if (AlCambiar) AlCambiar(*this);
}

template <class D>
bool TExpresion<D>::PredefinidasRaiz() const {
    const TExpresion* e = this;
    while (e->padre_) e = e->padre_;
    return e->predefinidas_;
}

template <class D>
Registro<D>& TExpresion<D>::RegistroNombres() {
    if (padre_) return padre_->RegistroNombres();
    if (!registro_) registro_ = std::make_shared<Registro<D>>();
    if (!registro_->Listo) LlenarRegistro(*registro_);
    return *registro_;
}

template <class D>
void TExpresion<D>::LlenarRegistro(Registro<D>& r) {
    r.Listo = true;  // first, so the registrations below do not recurse
    D::RegistrarFijas(*this);
    if (PredefinidasRaiz()) D::RegistrarPredefinidas(*this);
}

template <class D>
void TExpresion<D>::ReiniciarFunciones() {
    if (padre_ || !registro_) return;
    registro_->Nombres.clear();
    registro_->Listo = false;
    Arbol.reset();
    Locales.clear();
    texto_.clear();
    RegistroNombres();
}

template <class D>
void TExpresion<D>::Agregar(std::string_view nombres, const std::shared_ptr<TMake<D>>& m) {
    auto& reg = RegistroNombres().Nombres;
    std::size_t barra = nombres.find('/');
    std::string_view uno = nombres.substr(0, barra);
    m->Nombre = std::string(uno);
    reg.emplace(std::string(uno), m);  // the first registration of a name wins
    if (barra != std::string_view::npos) reg.emplace(std::string(nombres.substr(barra + 1)), m);
}

template <class D>
void TExpresion<D>::AgregarConstante(std::string_view nombres, std::string_view descripcion, const V& valor) {
    auto m = std::make_shared<TMakeConst<D>>();
    m->Tipo = MakeConstante;
    m->Descripcion = std::string(descripcion);
    m->Valor = valor;
    Agregar(nombres, m);
}

template <class D>
std::shared_ptr<TVariable<D>> TExpresion<D>::AgregarVariable(std::string_view nombres) {
    auto& reg = RegistroNombres().Nombres;
    std::string_view uno = nombres.substr(0, nombres.find('/'));
    if (auto it = reg.find(uno); it != reg.end()) {
        if (it->second->Tipo == MakeVariable) return static_cast<TMakeVar<D>&>(*it->second).Variable;
        throw ENumbrix("El nombre " + std::string(uno) + " ya está registrado");
    }
    auto m = std::make_shared<TMakeVar<D>>();
    m->Tipo = MakeVariable;
    Agregar(nombres, m);
    return m->Variable;
}

template <class D>
void TExpresion<D>::AgregarFuncion0(std::string_view nombres, Fn0<D> f, std::string_view descripcion, int tipo,
                                    ProcMedir<D> medir, ProcDibujar<D> dibujar, bool constante) {
    auto m = std::make_shared<TMakeFun0<D>>();
    m->Tipo = tipo;
    m->Descripcion = std::string(descripcion);
    m->Funcion = std::move(f);
    m->EsConstante = constante;
    m->Medir_ = std::move(medir);
    m->Dibujar_ = std::move(dibujar);
    Agregar(nombres, m);
}

template <class D>
void TExpresion<D>::AgregarFuncion1(std::string_view nombres, Fn1<D> f, Fn1<D> inversa, std::string_view descripcion,
                                    ProcMedir<D> medir, ProcDibujar<D> dibujar) {
    auto m = std::make_shared<TMakeFun1<D>>();
    m->MinArgs = m->MaxArgs = 1;
    m->Tipo = MakeFuncion1;
    m->Descripcion = std::string(descripcion);
    auto def = std::make_shared<DefFun1<D>>();
    def->Funcion = std::move(f);
    def->Inversa = std::move(inversa);
    m->Def = std::move(def);
    m->Medir_ = std::move(medir);
    m->Dibujar_ = std::move(dibujar);
    Agregar(nombres, m);
}

template <class D>
void TExpresion<D>::AgregarFuncionN(std::string_view nombres, FnN<D> f, std::string_view descripcion, int maxArgs,
                                    int minArgs, ProcMedir<D> medir, ProcDibujar<D> dibujar, bool volatil) {
    auto m = std::make_shared<TMakeFunN<D>>();
    m->MinArgs = minArgs;
    m->MaxArgs = maxArgs;
    m->Tipo = MakeFuncionN;
    m->Descripcion = std::string(descripcion);
    m->Funcion = std::move(f);
    m->Volatil = volatil;
    m->Medir_ = std::move(medir);
    m->Dibujar_ = std::move(dibujar);
    Agregar(nombres, m);
}

template <class D>
void TExpresion<D>::AgregarUsuario(std::string_view nombres, std::string_view cuerpo, std::string_view descripcion) {
    std::string texto = PrepararTextoDe<D>(cuerpo);
    bool usadas[26] = {};
    // Every "?" but a last one must be followed by a letter (upper-cased here).
    for (std::size_t i = 0; i + 1 < texto.size(); ++i) {
        if (texto[i] != '?') continue;
        unsigned char c = static_cast<unsigned char>(texto[i + 1]);
        if (!std::isalpha(c) || c >= 0x80) {
            std::string letra = (c < 0x80) ? std::string(1, static_cast<char>(c)) : std::string();
            throw ECompilacion("Parámetro ?" + letra + " no válido en la función " + std::string(nombres));
        }
        texto[i + 1] = static_cast<char>(std::toupper(c));
        usadas[texto[i + 1] - 'A'] = true;
    }
    int n = 0;
    while (n < 26 && usadas[n]) ++n;
    for (int k = n; k < 26; ++k) {
        if (usadas[k])
            throw ECompilacion("Falta el parámetro ?" + std::string(1, static_cast<char>('A' + n)) + " en la función " +
                               std::string(nombres));
    }
    auto m = std::make_shared<TMakeUser<D>>();
    m->MinArgs = m->MaxArgs = n;
    m->Tipo = MakeUsuario;
    m->Descripcion = std::string(descripcion);
    m->Texto = std::move(texto);
    Agregar(nombres, m);
}

template <class D>
typename TExpresion<D>::Ctx TExpresion<D>::NuevoContexto() {
    Ctx c;
    c.ajustes = &Ajustes;
    c.azar = &azar_;
    c.cancelar = Cancelar ? &Cancelar : nullptr;
    return c;
}

template <class D>
void TExpresion<D>::Informar(const std::string& m) {
    if (!Silencioso && Notificar) Notificar(NivelAviso::Error, m);
}

template <class D>
void TExpresion<D>::Fallo(const std::exception& e, bool compilando) {
    using C = numbrix::CodigoError;
    HayError = true;
    Cancelado = dynamic_cast<const ECancelado*>(&e) != nullptr;
    if (auto* m = dynamic_cast<const EMatematico*>(&e)) {
        CodigoError = m->Codigo();
        Mensaje = TextoError(CodigoError);
    } else if (Cancelado || dynamic_cast<const EExprMsj*>(&e) || dynamic_cast<const EDespejar*>(&e)) {
        CodigoError = C::Mensaje;
        Mensaje = e.what();  // a message node may say nothing («''»)
    } else if (compilando) {
        CodigoError = C::Compilacion;
        Mensaje = *e.what() ? e.what() : TextoError(C::Compilacion);
        MensajeCompilacion = Mensaje;
    } else {
        // A failure that carries its own text (the shell's calculus
        // functions, the complex library) keeps it; anything else gets the
        // code's text.
        CodigoError = C::Evaluacion;
        Mensaje = dynamic_cast<const ENumbrix*>(&e) && *e.what() ? e.what() : TextoError(C::Evaluacion);
    }
}

template <class D>
Ref<TEval<D>> TExpresion<D>::Compilar(const std::string& texto, bool conservarLocales) {
    SinFallo();
    RegistroNombres();
    std::string t = PrepararTextoDe<D>(texto);
    MensajeCompilacion.clear();
    Ctx plegado = NuevoContexto();
    EstadoCompilacion<D> est;
    est.mensaje = &MensajeCompilacion;
    est.plegado = &plegado;
    Ref<TEval<D>> raiz;
    try {
        if (!conservarLocales) Locales = LocalesFijos;
        for (std::size_t i = 0; i < Locales.size(); ++i) est.locales.emplace(ClaveLocal(Locales[i].first), i);
        // Local definitions «name:expr;» and «name:"text";» in front. The
        // text still to read starts at ini (no copy per definition: a
        // thousand of them stay linear).
        std::size_t expandido = t.size();
        std::size_t ini = 0;
        while (true) {
            std::size_t p = t.find(';', ini);
            if (p == std::string::npos) break;
            std::size_t c = t.find(':', ini);
            if (c == std::string::npos || c == ini || c > p)
                throw ECompilacion("Falta indentificador de expresión");
            std::string nombre = t.substr(ini, c - ini);
            if (c + 1 < t.size() && t[c + 1] == '"') {
                if (p < c + 3 || t[p - 1] != '"') throw ECompilacion("Falta indentificador de expresión");
                std::string reemplazo = t.substr(c + 2, p - 1 - (c + 2));
                t = ReemplazarNombre(std::string_view(t).substr(p + 1), nombre, reemplazo);
                ini = 0;
                expandido += t.size();
                if (t.size() > 100000 || expandido > 10'000'000)
                    throw ECompilacion("Las definiciones locales se expanden a más de 100000 caracteres");
            } else {
                std::uint64_t serie = est.serie;
                Compilador<D> sub(*this, est, t.substr(c + 1, p - c - 1), nullptr);
                Ref<TEval<D>> nodo = sub.Compilar();
                if (!nodo) {
                    std::string m = "Error en la definición local " + nombre;
                    if (est.serie != serie && !MensajeCompilacion.empty()) m += ": " + MensajeCompilacion;
                    throw ECompilacion(m);
                }
                est.locales.emplace(ClaveLocal(nombre), Locales.size());  // the first of a name wins
                Locales.emplace_back(std::move(nombre), std::move(nodo));
                ini = p + 1;
            }
        }
        Compilador<D> c(*this, est, t.substr(ini), nullptr);
        raiz = c.Compilar();
    } catch (const std::exception& e) {
        raiz.reset();
        Fallo(e, true);
    }
    if (!raiz && !HayError) {
        // The splitter's last message (code 0).
        HayError = true;
        Mensaje = MensajeCompilacion.empty() ? TextoError(numbrix::CodigoError::FaltaExpresion) : MensajeCompilacion;
    }
    if (HayError) Informar(Mensaje);
    return raiz;
}

template <class D>
void TExpresion<D>::RecogerVariables() {
    variables_.clear();
    volatil_ = !Arbol || Arbol->Volatil();
    if (!Arbol) return;
    std::vector<const TEval<D>*> pila{Arbol.get()};
    std::unordered_set<const TEval<D>*> vistos;
    while (!pila.empty()) {
        const TEval<D>* n = pila.back();
        pila.pop_back();
        if (n->Constante() || !vistos.insert(n).second) continue;
        if (n->Clase() == ClaseNodo::Var) {
            auto& v = static_cast<const TVar<D>*>(n)->Variable;
            if (std::find(variables_.begin(), variables_.end(), v) == variables_.end()) variables_.push_back(v);
        }
        if (n->Clase() == ClaseNodo::FunUser) pila.push_back(static_cast<const TFunUser<D>*>(n)->Cuerpo.get());
        for (const auto& h : n->Hijos) pila.push_back(h.get());
    }
}

template <class D>
bool TExpresion<D>::Fresco() const {
    if (volatil_ || estampaResultado_ == 0) return false;
    for (const auto& v : variables_)
        if (v->Version > estampaResultado_) return false;
    return true;
}

template <class D>
void TExpresion<D>::SetTexto(const std::string& texto) {
    if (texto == texto_ && registro_ && cambiosCompilados_ == Ajustes.cambios) return;
    RegistroNombres();
    cambiosCompilados_ = Ajustes.cambios;
    Compilada = false;
    HayError = false;
    Forzar = true;
    texto_ = texto;
    Arbol.reset();
    Locales.clear();
    Arbol = Compilar(texto_, false);
    Compilada = static_cast<bool>(Arbol);
    estampaResultado_ = 0;
    RecogerVariables();
    if (AlCambiar) AlCambiar(*this);
}

template <class D>
void TExpresion<D>::SetTextoValor(const V& v) {
    SetTexto(D::TextoExacto(v));
}

template <class D>
bool TExpresion<D>::AlDia() {
    if (cambiosCompilados_ == Ajustes.cambios) return false;
    cambiosCompilados_ = Ajustes.cambios;
    if (texto_.empty()) return false;
    // Constant parts were folded under the old settings.
    std::string t = std::move(texto_);
    texto_.clear();
    SetTexto(t);
    return true;
}

template <class D>
void TExpresion<D>::SetAngulo(UnidadAngulo angulo) {
    if (angulo != Ajustes.angulo) {
        Ajustes.angulo = angulo;
        ++Ajustes.cambios;
    }
    Forzar = true;
    if (!AlDia() && AlCambiar) AlCambiar(*this);
}

template <class D>
typename TExpresion<D>::V TExpresion<D>::Valor() {
    if (!registro_ && !padre_) {
        cambiosCompilados_ = Ajustes.cambios;
        Arbol = Compilar(texto_, false);
        RecogerVariables();
    } else {
        AlDia();
    }
    Compilada = static_cast<bool>(Arbol);
    if (!Arbol) return Resultado;
    if (!Fresco() || Forzar) {
        Forzar = false;
        SinFallo();
        Ctx c = NuevoContexto();
        // The context's generation is a fresh stamp: later assignments have
        // larger ones, so it also dates the cached result.
        const std::uint64_t estampa = c.generacion;
        try {
            V r = Arbol->Valor(c);
            Resultado = r;
            estampaResultado_ = estampa;
        } catch (const std::exception& e) {
            Fallo(e, false);
            estampaResultado_ = 0;
        }
        if (HayError) {
            if (!Silencioso) {
                Informar(Mensaje);
                return V{};
            }
        }
    }
    return Resultado;
}

template <class D>
bool TExpresion<D>::ContieneVariable(const TVariable<D>* v) const {
    return Arbol && numbrix::ContieneVariable(*Arbol, v);
}

template <class D>
typename TExpresion<D>::V TExpresion<D>::ResolverPara(const TVariable<D>* v) {
    AlDia();
    Forzar = false;
    SinFallo();
    try {
        Ref<TEval<D>> despejada = DespejarEcuacion(Arbol, v);
        Ctx c = NuevoContexto();
        return despejada->Valor(c);
    } catch (const std::exception& e) {
        Fallo(e, false);
    }
    Informar(Mensaje);
    return V{};
}

template <class D>
typename TExpresion<D>::V TExpresion<D>::EvaluarTexto(const std::string& texto) {
    bool silencio = Silencioso;
    Silencioso = false;
    auto locales = std::move(Locales);
    Locales.clear();
    std::string mc = MensajeCompilacion;
    Ref<TEval<D>> arbol;
    try {
        arbol = Compilar(texto, false);
    } catch (...) {
        Locales = std::move(locales);
        Silencioso = silencio;
        throw;
    }
    Locales = std::move(locales);
    Silencioso = silencio;
    if (!arbol) return V{};
    Ctx c = NuevoContexto();
    return arbol->Valor(c);
}

template <class D>
bool TExpresion<D>::AridadDe(std::string_view nombre, int& minArgs, int& maxArgs) {
    const TMake<D>* m = Buscar(nombre);
    if (!m) return false;
    minArgs = m->MinArgs;
    maxArgs = m->MaxArgs;
    return true;
}

template <class D>
const TMake<D>* TExpresion<D>::Buscar(std::string_view nombre) {
    auto& reg = RegistroNombres().Nombres;
    auto it = reg.find(nombre);
    return it == reg.end() ? nullptr : it->second.get();
}

template <class D>
std::vector<std::pair<std::string, const TMake<D>*>> TExpresion<D>::Identificadores() {
    std::vector<std::pair<std::string, const TMake<D>*>> r;
    for (const auto& [n, m] : RegistroNombres().Nombres) r.emplace_back(n, m.get());
    return r;
}

}  // namespace numbrix
