#pragma once
// Members of the compiler (included by the engine implementation).
#include <cctype>

#include "engine/ExprCompilador.h"
#include "engine/bases2_36.h"

namespace numbrix {

namespace detalle {
inline bool EnS(unsigned char c) { return c == '*' || c == '+' || c == ',' || c == '/' || c == '\\' || c == '^'; }
inline bool EnE(unsigned char c) {
    return c == '*' || c == '+' || c == ',' || c == '-' || c == '.' || c == '/' || c == '\\' || c == '^';
}
inline bool EsDigito(char c) { return c >= '0' && c <= '9'; }
// Characters that can be part of a number literal («FF[16]», «1.5e-3», the
// rational mode's «1|1|2»).
inline bool EsDeNumero(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '.' || c == '+' || c == '-' || c == '[' || c == ']' || c == '|';
}
// A piece that nothing read, made only of a number's characters and longer
// than the reader takes: the user wrote a number too long, not a name.
inline bool PareceNumeroLargo(std::string_view t) {
    if (t.size() <= kLargoMaximoNumero || !(EsDigito(t[0]) || t[0] == '.')) return false;
    return std::all_of(t.begin(), t.end(), EsDeNumero);
}
}  // namespace detalle

template <class D>
Compilador<D>::Compilador(TExpresion<D>& motor, EstadoCompilacion<D>& estado, std::string texto, const Args* parametros)
    : motor_(motor), est_(estado), t_(std::move(texto)), params_(parametros),
      // A few ranges per character are remembered: room for them at once.
      memo_(t_.size() + 8) {
    using namespace detalle;
    const int n = static_cast<int>(t_.size());
    prof_.assign(n + 1, 0);
    int maxProf = 0;
    for (int i = 0; i < n; ++i) {
        int d = prof_[i] + (t_[i] == '(') - (t_[i] == ')');
        prof_[i + 1] = d;
        if (d > maxProf) maxProf = d;
    }
    if (maxProf > kProfundidadMaxima) throw ECompilacion(Mensaje::DemasiadoAnidada);
    // Next position j >= i where an operator that may not start a text
    // follows one that may not end it («*/», «+*», «£^»...).
    malPar_.assign(n + 2, n);
    for (int i = n - 1; i >= 1; --i) {
        bool mal = false;
        unsigned char c = static_cast<unsigned char>(t_[i]);
        bool empiezaS = EnS(c) || (c == 0xC2 && i + 1 < n && static_cast<unsigned char>(t_[i + 1]) == 0xA3);
        if (empiezaS) {
            unsigned char p = static_cast<unsigned char>(t_[i - 1]);
            bool terminaE = EnE(p) || (p == 0xA3 && i >= 2 && static_cast<unsigned char>(t_[i - 2]) == 0xC2);
            mal = terminaE;
        }
        malPar_[i] = mal ? i : malPar_[i + 1];
    }
    malPar_[0] = malPar_[1];
    // For the parenthesis check of any range in O(1): where the depth first
    // falls below the depth at each position (a monotonic stack, right to left).
    bajaDe_.assign(n + 1, n + 1);
    {
        std::vector<int> pila;
        for (int i = n; i >= 0; --i) {
            while (!pila.empty() && prof_[pila.back()] >= prof_[i]) pila.pop_back();
            bajaDe_[i] = pila.empty() ? n + 1 : pila.back();
            pila.push_back(i);
        }
    }
    for (int i = 0; i < n; ++i) {
        char c = t_[i];
        int cl = -1;
        switch (c) {
            case '&': case '$': case '!': cl = CLogica; break;
            case '<': case '=': case '>': cl = CComparacion; break;
            case '+': case '-': cl = CAditiva; break;
            case '*': case '/': cl = CMultiplicativa; break;
            case '^': case '\\': cl = CPotencia; break;
            case ',': cl = CComa; break;
            default:
                if (static_cast<unsigned char>(c) == 0xC2 && i + 1 < n && static_cast<unsigned char>(t_[i + 1]) == 0xA3)
                    cl = CPotencia;
        }
        if (cl < 0) continue;
        // A comma is looked up at the depth inside the call's parentheses.
        std::uint64_t d = static_cast<std::uint64_t>(prof_[i] < 0 ? 0 : prof_[i]);
        porProf_[cl].push_back(d << 32 | static_cast<std::uint64_t>(i));
        todos_[cl].push_back(i);
    }
    for (int cl = 0; cl < NClases; ++cl) {
        auto& v = porProf_[cl];
        std::sort(v.begin(), v.end());
        auto& u = utilAntes_[cl];
        u.resize(v.size());
        for (std::size_t k = 0; k < v.size(); ++k) {
            int i = static_cast<int>(v[k] & 0xffffffffu);
            unsigned char p = i > 0 ? static_cast<unsigned char>(t_[i - 1]) : 0;
            bool trivial = i > 0 && (EnE(p) || (p == 0xA3 && i >= 2 && static_cast<unsigned char>(t_[i - 2]) == 0xC2));
            u[k] = trivial ? (k ? u[k - 1] : -1) : static_cast<int>(k);
        }
    }
}

template <class D>
int Compilador<D>::AnchoCaracter(int i) const {
    return static_cast<unsigned char>(t_[i]) == 0xC2 ? 2 : 1;
}

template <class D>
void Compilador<D>::Contar() {
    if (++est_.trabajo > kTrabajoMaximo) throw ECompilacion("Expresión demasiado compleja para compilar");
}

template <class D>
void Compilador<D>::PonerMensaje(std::string m) {
    *est_.mensaje = std::move(m);
    ++est_.serie;
}

template <class D>
std::optional<std::string> Compilador<D>::MensajeSintaxis(int b, int e) const {
    using namespace detalle;
    if (e <= b) return std::string("Falta expresión");
    const auto& tx = TextosSintaxis::Obtener();
    unsigned char primero = static_cast<unsigned char>(t_[b]);
    unsigned char ultimo = static_cast<unsigned char>(t_[e - 1]);
    bool inicioS = EnS(primero) || (primero == 0xC2 && e - b >= 2 && static_cast<unsigned char>(t_[b + 1]) == 0xA3);
    bool finE = EnE(ultimo) || (ultimo == 0xA3 && e - b >= 2 && static_cast<unsigned char>(t_[e - 2]) == 0xC2);
    if (inicioS || finE) return tx.a;
    int j = b + 1 <= e ? malPar_[b + 1] : e;
    if (j < e) {
        int anterior = (static_cast<unsigned char>(t_[j - 1]) == 0xA3 && j >= 2 && j - 2 >= b) ? j - 2 : j - 1;
        return tx.b + t_.substr(anterior, j - anterior) + t_.substr(j, AnchoCaracter(j));
    }
    if (bajaDe_[b] <= e) return tx.c + " #1";
    if (prof_[e] != prof_[b]) return tx.c + " #2";
    return std::nullopt;
}

template <class D>
bool Compilador<D>::Sintaxis(int b, int e) {
    auto m = MensajeSintaxis(b, e);
    if (!m) return true;
    PonerMensaje(std::move(*m));
    return false;
}

template <class D>
bool Compilador<D>::Saltado(Clase c, int i, int b) const {
    // «1e-5»: a sign right after an exponent marker that follows a digit.
    return c == CAditiva && i - 2 >= b && (t_[i - 1] == 'e' || t_[i - 1] == 'E') && detalle::EsDigito(t_[i - 2]);
}

template <class D>
template <class F>
typename Compilador<D>::N Compilador<D>::RecorrerOperadores(Clase c, int desde, int hasta, int finIzquierdo, F&& f) {
    // Operators of class c at positions [desde, hasta), tried right to left.
    // Only those at the range's own depth can succeed; between two of them,
    // the deeper ones all fail on their unbalanced left part, and only the
    // leftmost such attempt's message survives.
    const int b = finIzquierdo;  // start of every left part
    const std::uint64_t d = static_cast<std::uint64_t>(prof_[b]);
    const auto& lista = porProf_[c];
    auto ini = std::lower_bound(lista.begin(), lista.end(), d << 32 | static_cast<std::uint64_t>(desde));
    auto fin = std::lower_bound(lista.begin(), lista.end(), d << 32 | static_cast<std::uint64_t>(hasta));
    const auto& pos = todos_[c];
    auto aplicarHueco = [&](int lo, int hi) {  // deeper operators strictly between lo and hi
        auto it = std::upper_bound(pos.begin(), pos.end(), lo);
        for (; it != pos.end() && *it < hi; ++it) {
            if (*it < desde || Saltado(c, *it, b)) continue;
            // The attempt compiles [b, *it) first, which fails the check.
            auto m = MensajeSintaxis(b, *it);
            if (m) PonerMensaje(std::move(*m));
            return;
        }
    };
    int derecha = hasta;
    const int k0 = static_cast<int>(ini - lista.begin());
    for (auto it = fin; it != ini;) {
        --it;
        int i = static_cast<int>(*it & 0xffffffffu);
        const int k = static_cast<int>(it - lista.begin());
        const int util = utilAntes_[c][k];
        if (util != k && i > b) {
            // A run of operators each right after another operator: every
            // attempt fails on its left part with the same message; only the
            // leftmost of the run matters.
            int izquierdo = std::max(util + 1, k0);
            it = lista.begin() + izquierdo;
            i = static_cast<int>(*it & 0xffffffffu);
            auto m = MensajeSintaxis(b, i);
            if (m) PonerMensaje(std::move(*m));
            derecha = i;
            continue;
        }
        aplicarHueco(i, derecha);
        derecha = i;
        if (Saltado(c, i, b)) continue;
        Contar();
        N r = f(i);
        if (r) return r;
    }
    aplicarHueco(desde - 1, derecha);
    return {};
}

// A flat chain «1+1+…+1» splits at its last operator, whose left part splits
// at the one before, and so on: recursion as deep as the chain is long. The
// splitter reaches the prefixes [b, p1), [b, p2), … exactly in that order,
// shortest first, each as the first thing the next one compiles. So when a
// level is about to try the operators of a range [b, e) whose first
// attempts are certain (it passed the syntax check, is not a message, and
// no looser operator of its own depth comes first), the same prefixes are
// compiled here in a loop, shortest first. Each then finds the one before
// it remembered, the recursion stays one link deep, and the outcome, the
// messages and the work are those of the plain splitter.
template <class D>
void Compilador<D>::CalentarCadena(Clase c, Nivel nivel, int b, int e) {
    constexpr int kCorta = 16;  // shorter chains simply recurse
    if (t_[b] == '\'') return;
    const std::uint64_t d = static_cast<std::uint64_t>(prof_[b]);
    auto entradas = [&](Clase k, int desde, int hasta) {
        const auto& l = porProf_[k];
        auto ini = std::lower_bound(l.begin(), l.end(), d << 32 | static_cast<std::uint64_t>(desde));
        auto fin = std::lower_bound(l.begin(), l.end(), d << 32 | static_cast<std::uint64_t>(hasta));
        return std::pair{ini, fin};
    };
    if (c == CAditiva) {
        for (Clase antes : {CLogica, CComparacion}) {
            auto [ini, fin] = entradas(antes, b, e);
            if (ini != fin) return;
        }
    }
    // The operators really tried, left to right: those whose left neighbour
    // may end a text, exponent signs excepted.
    auto [ini, fin] = entradas(c, b + 1, e);
    const auto& lista = porProf_[c];
    auto probado = [&](auto it) {
        const int k = static_cast<int>(it - lista.begin());
        const int i = static_cast<int>(*it & 0xffffffffu);
        return utilAntes_[c][k] == k && !Saltado(c, i, b);
    };
    // Only when the chain is long and not compiled yet: its last prefix
    // before e, remembered, means this one is a link being warmed itself.
    int cuantos = 0, vistos = 0;
    int ultimo = -1;
    for (auto it = fin; it != ini && cuantos <= kCorta && vistos < 4 * kCorta; ++vistos) {
        --it;
        // Over a run of operators right after others at once.
        const int util = utilAntes_[c][it - lista.begin()];
        if (util < ini - lista.begin()) break;
        it = lista.begin() + util;
        if (!probado(it)) continue;
        if (++cuantos == 2) ultimo = static_cast<int>(*it & 0xffffffffu);
    }
    if (cuantos <= kCorta) return;
    const std::uint64_t clave = static_cast<std::uint64_t>(nivel) << 62 | static_cast<std::uint64_t>(b) << 31 |
                                static_cast<std::uint64_t>(ultimo);
    if (memo_.Buscar(clave)) return;
    std::vector<int> prefijos;
    for (auto it = ini; it != fin; ++it)
        if (probado(it)) prefijos.push_back(static_cast<int>(*it & 0xffffffffu));
    prefijos.pop_back();  // the last one is the level's own first attempt
    for (int p : prefijos) Recordar(nivel, b, p);
}

template <class D>
typename Compilador<D>::N Compilador<D>::Recordar(Nivel nivel, int b, int e) {
    const std::uint64_t clave = nivel << 62 | static_cast<std::uint64_t>(b) << 31 | static_cast<std::uint64_t>(e);
    if (const Recuerdo* r = memo_.Buscar(clave)) {
        if (r->mensaje >= 0) PonerMensaje(mensajes_[static_cast<std::size_t>(r->mensaje)]);
        return r->nodo;
    }
    Contar();
    if (est_.pila.Agotada()) throw ECompilacion(Mensaje::DemasiadoAnidada);
    const std::uint64_t serie = est_.serie;
    N r = nivel == NExpresion ? Expresion(b, e) : nivel == NTermino ? Termino(b, e) : Primario(b, e);
    Recuerdo rec;
    rec.nodo = r;
    if (est_.serie != serie) {
        rec.mensaje = static_cast<int>(mensajes_.size());
        mensajes_.push_back(*est_.mensaje);
    }
    memo_.Guardar(clave, std::move(rec));
    return r;
}

template <class D>
typename Compilador<D>::N Compilador<D>::Mensaje(int b, int e) {
    return Hacer<TExprMsg<D>>(std::string(Trozo(b + 1, e - 1)));
}

template <class D>
typename Compilador<D>::N Compilador<D>::Numero(const typename D::Valor& v, int base) {
    return Hacer<TNum<D>>(v, base);
}

template <class D>
typename Compilador<D>::N Compilador<D>::Expresion(int b, int e) {
    if (!Sintaxis(b, e)) return {};
    if (EsMensaje(b, e)) return Mensaje(b, e);
    auto* pl = est_.plegado;
    if constexpr (D::TieneLogicos) {
        N r = RecorrerOperadores(CLogica, b, e, b, [&](int i) -> N {
            N l = LeerExpresion(b, i);
            if (!l) return {};
            N d = LeerExpresion(i + 1, e);
            if (!d) return {};
            Contar();
            switch (t_[i]) {
                case '&': return Nuevo<TAnd<D>>(l, d, pl);
                case '$': return Nuevo<TOr<D>>(l, d, pl);
                default: return Nuevo<TXor<D>>(l, d, pl);
            }
        });
        if (r) return r;
    }
    auto esComp = [](char c) { return c == '<' || c == '=' || c == '>'; };
    N r = RecorrerOperadores(CComparacion, b, e, b, [&](int i) -> N {
        char c2 = t_[i];
        char c1 = 0;
        int finIzq = i;
        if (i - 1 >= b && esComp(t_[i - 1])) {
            c1 = t_[i - 1];
            finIzq = i - 1;
        }
        N l = LeerExpresion(b, finIzq);
        if (!l) return {};
        N d = LeerExpresion(i + 1, e);
        if (!d) return {};
        Contar();
        if (c1 == 0) c1 = c2;
        if ((c1 == '<' && c2 == '=') || (c1 == '=' && c2 == '<')) return Nuevo<TMenIgu<D>>(l, d, pl);
        if ((c1 == '>' && c2 == '=') || (c1 == '=' && c2 == '>')) return Nuevo<TMayIgu<D>>(l, d, pl);
        if ((c1 == '<' && c2 == '>') || (c1 == '>' && c2 == '<')) return Nuevo<TDist<D>>(l, d, pl);
        if (c1 == '<') return Nuevo<TMen<D>>(l, d, pl);
        if (c1 == '>') return Nuevo<TMay<D>>(l, d, pl);
        return Nuevo<TIgu<D>>(l, d, pl);
    });
    if (r) return r;
    CalentarCadena(CAditiva, NExpresion, b, e);
    r = RecorrerOperadores(CAditiva, b + 1, e, b, [&](int i) -> N {
        N l = LeerExpresion(b, i);
        if (!l) return {};
        N d = LeerTermino(i + 1, e);
        if (!d) return {};
        Contar();
        if (t_[i] == '+') return Nuevo<TSuma<D>>(l, d, pl);
        return Nuevo<TResta<D>>(l, d, pl);
    });
    if (r) return r;
    if (t_[b] == '-') {
        N resto = LeerExpresion(b + 1, e);
        if (resto) {
            Contar();
            return Nuevo<TResta<D>>(Numero(D::DeReal(0), est_.ultimaBase), resto, pl);
        }
        return LeerTermino(b, e);
    }
    return LeerTermino(b, e);
}

template <class D>
typename Compilador<D>::N Compilador<D>::Termino(int b, int e) {
    if (!Sintaxis(b, e)) return {};
    if (EsMensaje(b, e)) return Mensaje(b, e);
    auto* pl = est_.plegado;
    CalentarCadena(CMultiplicativa, NTermino, b, e);
    N r = RecorrerOperadores(CMultiplicativa, b + 1, e, b, [&](int i) -> N {
        N l = LeerTermino(b, i);
        if (!l) return {};
        N d = LeerPrimario(i + 1, e);
        if (!d) return {};
        Contar();
        if (t_[i] == '*') return Nuevo<TMul<D>>(l, d, pl);
        return Nuevo<TDiv<D>>(l, d, pl);
    });
    if (r) return r;
    return LeerPrimario(b, e);
}

template <class D>
typename Compilador<D>::N Compilador<D>::Primario(int b, int e) {
    if (!Sintaxis(b, e)) return {};
    if (EsMensaje(b, e)) return Mensaje(b, e);
    auto* pl = est_.plegado;
    typename D::Valor v{};
    int base = 10;
    // A number.
    const AjustesMotor<D>& ajustes = *est_.plegado->ajustes;
    if (LeerLiteralDe<D>(ajustes, Trozo(b, e), v, base)) {
        est_.ultimaBase = base;
        return Numero(v, base);
    }
    // A parameter of the user function being expanded.
    if (params_ && e - b == 2 && t_[b] == '?') {
        int letra = std::toupper(static_cast<unsigned char>(t_[b + 1])) - 'A';
        if (letra >= 0 && letra < static_cast<int>(params_->size())) return (*params_)[letra];
    }
    // Implicit product of a leading number: «2x», «3sin(x)», «1.5(a+b)».
    {
        int corrida = 0;
        while (b + corrida < e && corrida <= 256 && detalle::EsDeNumero(t_[b + corrida])) ++corrida;
        for (int i = std::min(e - 1, b + corrida); i >= b + 1; --i) {
            if (!D::CortaProductoAntes(t_[i])) continue;
            typename D::Valor pv{};
            int pb = 10;
            if (!LeerLiteralDe<D>(ajustes, Trozo(b, i), pv, pb) || !D::EsVerdadero(pv)) continue;
            est_.ultimaBase = pb;
            N resto = LeerPrimario(i, e);
            if (resto) {
                Contar();
                return Nuevo<TMul<D>>(Numero(pv, pb), resto, pl);
            }
        }
    }
    // Powers, roots and logarithms, left-associative.
    N r = RecorrerOperadores(CPotencia, b + 1, e, b, [&](int i) -> N {
        N l = LeerPrimario(b, i);
        if (!l) return {};
        N d = LeerPrimario(i + AnchoCaracter(i), e);
        if (!d) return {};
        Contar();
        if (t_[i] == '^') return Nuevo<TPot<D>>(l, d, pl);
        if (t_[i] == '\\') return Nuevo<TRaiz<D>>(l, d, pl);
        return Nuevo<TLogN<D>>(l, d, pl);
    });
    if (r) return r;
    // Trailing percent.
    if (t_[e - 1] == '%') {
        N resto = LeerPrimario(b, e - 1);
        if (resto) {
            Contar();
            return Nuevo<TDiv<D>>(resto, Numero(D::DeReal(100), 10), pl);
        }
    }
    std::string_view trozo = Trozo(b, e);
    // A local definition.
    if (!est_.locales.empty())
        if (auto it = est_.locales.find(ClaveLocal(trozo)); it != est_.locales.end())
            return motor_.Locales[it->second].second;
    // Host look-ups, first chance.
    if (motor_.BuscarExterno1 && motor_.BuscarExterno1(trozo, v)) {
        auto n = Hacer<TExt<D>>(v, std::string(trozo));
        n->Medir_ = motor_.MedirExterno;
        n->Dibujar_ = motor_.DibujarExterno;
        return n;
    }
    bool hecha = false;
    N llamada = Llamada(b, e, hecha);
    if (hecha) return llamada;
    if (e - b >= 2 && t_[b] == '(' && t_[e - 1] == ')') {
        N dentro = LeerExpresion(b + 1, e - 1);
        if (dentro) return dentro;
    }
    if (motor_.BuscarExterno2 && motor_.BuscarExterno2(trozo, v)) {
        auto n = Hacer<TExt<D>>(v, std::string(trozo));
        n->Medir_ = motor_.MedirExterno;
        n->Dibujar_ = motor_.DibujarExterno;
        return n;
    }
    Desconocido(trozo);
}

template <class D>
void Compilador<D>::Desconocido(std::string_view trozo) {
    std::string m = detalle::PareceNumeroLargo(trozo) ? LecturaNumero{0, FalloLectura::DemasiadoLargo}.Mensaje()
                                                      : "Identificador desconocido: \"" + std::string(trozo) + "\"";
    PonerMensaje(m);
    throw ECompilacion(m);
}

namespace detalle {
inline std::string FormatoAridad(const char* formato, std::string_view nombre, int n) {
    std::string s;
    for (const char* p = formato; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') { s += nombre; ++p; }
        else if (p[0] == '%' && p[1] == 'd') { s += std::to_string(n); ++p; }
        else s += *p;
    }
    return s;
}
}  // namespace detalle

// A name with or without an argument list. hecha is set when the name is in
// the registry: the piece then ends here, successful or not.
template <class D>
typename Compilador<D>::N Compilador<D>::Llamada(int b, int e, bool& hecha) {
    hecha = false;
    if (!Sintaxis(b, e)) return {};
    std::string_view texto = Trozo(b, e);
    std::size_t par = texto.find('(');
    std::string_view nombre = par == std::string_view::npos ? texto : texto.substr(0, par);
    Args args;
    if (par != std::string_view::npos) {
        int ini = b + static_cast<int>(par) + 1;
        int fin = e - 1;
        if (fin < ini) fin = ini;
        // Commas at the depth just inside the call's parenthesis.
        const std::uint64_t d = static_cast<std::uint64_t>(prof_[ini]);
        const auto& comas = porProf_[CComa];
        auto a = std::lower_bound(comas.begin(), comas.end(), d << 32 | static_cast<std::uint64_t>(ini));
        auto z = std::lower_bound(comas.begin(), comas.end(), d << 32 | static_cast<std::uint64_t>(fin));
        int desde = ini;
        for (auto it = a; it != z; ++it) {
            int c = static_cast<int>(*it & 0xffffffffu);
            N arg = LeerExpresion(desde, c);
            if (!arg) return {};
            args.push_back(std::move(arg));
            desde = c + 1;
        }
        N arg = LeerExpresion(desde, fin);
        if (!arg) return {};
        args.push_back(std::move(arg));
    }
    auto& reg = motor_.RegistroNombres().Nombres;
    auto it = reg.find(nombre);
    if (it == reg.end()) return {};
    hecha = true;
    return CrearLlamada(it->first, *it->second, std::move(args));
}

// The node of a registered name with its compiled arguments. Apart from
// Llamada, whose frame stays small: argument lists recurse through it.
template <class D>
typename Compilador<D>::N Compilador<D>::CrearLlamada(const std::string& registrado, TMake<D>& m, Args args) {
    const int n = static_cast<int>(args.size());
    if (n < m.MinArgs || n > m.MaxArgs) {
        const char* formato = m.MinArgs == m.MaxArgs ? "La función %s requiere exactamente %d argumento(s)"
                              : n > m.MaxArgs        ? "La función %s admite como máximo %d argumentos"
                                                     : "La función %s requiere al menos %d argumentos";
        if (m.MaxArgs == 0) formato = "La función %s no admite argumentos";
        PonerMensaje(detalle::FormatoAridad(formato, registrado, n > m.MaxArgs ? m.MaxArgs : m.MinArgs));
        return {};
    }
    if (m.Tipo == MakeUsuario) {
        auto& u = static_cast<TMakeUser<D>&>(m);
        auto& pila = est_.expandiendo;
        // Bodies are compiled whole at every call, so a function met again
        // inside its own expansion would expand for ever: stop at once and
        // name the function that calls itself, not the one where some depth
        // bound happened to fall. A deep chain of distinct functions is
        // named by the outermost one, whose expansion went too deep.
        auto repetida = std::find_if(pila.begin(), pila.end(), [&](const auto& p) { return p.first == &m; });
        if (repetida != pila.end() || static_cast<int>(pila.size()) >= kExpansionesMaximas) {
            std::string msg;
            if (repetida != pila.end()) {
                msg = "La función " + repetida->second + " se llama a sí misma";
                for (auto p = repetida + 1; p != pila.end(); ++p)
                    msg += (p == repetida + 1 ? " a través de " : ", ") + p->second;
            } else {
                msg = "La función " + pila.front().second + " anida más de " + std::to_string(kExpansionesMaximas) +
                      " funciones de usuario";
            }
            PonerMensaje(msg);
            throw ECompilacion(msg);
        }
        pila.emplace_back(&m, registrado);
        struct Quitar {
            decltype(pila)& p;
            ~Quitar() { p.pop_back(); }
        } quitar{pila};
        N cuerpo;
        {
            Compilador sub(motor_, est_, u.Texto, &args);
            cuerpo = sub.Compilar();
        }
        if (!cuerpo) return {};
        if (motor_.SinEnvoltura || !D::TieneEnvoltura) return cuerpo;
        Contar();
        return Nuevo<TFunUser<D>>(cuerpo, std::move(args), registrado);
    }
    Contar();
    N nodo = m.CrearNodo(std::move(args), est_.plegado);
    if (nodo->Clase() != ClaseNodo::LogN) nodo->Nombre = registrado;
    if (m.Medir_) nodo->Medir_ = m.Medir_;
    if (m.Dibujar_) nodo->Dibujar_ = m.Dibujar_;
    return nodo;
}

}  // namespace numbrix
