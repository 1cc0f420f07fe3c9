#pragma once
// The compiler: a backtracking splitter. At each precedence level it scans
// the text from the right for an operator, compiles both sides and takes the
// first split where both compile. Three things keep it linear in practice:
//  - every (level, range) is compiled once; the outcome and the last message
//    it produced are remembered and replayed;
//  - operators are found through sorted position lists, and only those at the
//    range's own parenthesis depth are really tried: a split inside
//    parentheses always fails the syntax check, so for those only the
//    message the last such attempt would leave is computed;
//  - the syntax check of a range is answered from tables built once per text.
// Work, recursion and user-function expansion are bounded with clear messages.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/Expresion.h"
#include "engine/TextoExpr.h"
#include "support/Pila.h"

namespace numbrix {

// State shared by every compiler of one compilation (main text, local
// definitions, expanded user-function bodies).
template <class D>
struct EstadoCompilacion {
    std::string* mensaje = nullptr;  // the engine's MensajeCompilacion
    std::uint64_t serie = 0;         // grows with every message set
    long long trabajo = 0;           // attempts and nodes so far
    // The engine's local definitions by upper-cased name (index of the
    // first one of each name), so a thousand of them are found at once.
    std::unordered_map<std::string, std::size_t> locales;
    // User functions being expanded, outermost first (entry and name).
    std::vector<std::pair<const TMake<D>*, std::string>> expandiendo;
    ContextoEval<D>* plegado = nullptr;  // folding context (engine settings)
    GuardaPila pila;                 // stack left for the recursion
    int ultimaBase = 10;             // base of the last number read
};

// A domain may prepare the text itself (the rational mode keeps the "|" of
// its fraction literals) and read literals with the engine's settings (its
// decimals become fractions up to the maximum denominator). Domains without
// these hooks use the common text rules and a settings-free reader.
template <class D>
std::string PrepararTextoDe(std::string_view texto) {
    if constexpr (requires { D::PrepararTexto(texto); }) return D::PrepararTexto(texto);
    else return PrepararTexto(texto);
}

template <class D>
bool LeerLiteralDe(const AjustesMotor<D>& ajustes, std::string_view texto, typename D::Valor& v, int& base) {
    if constexpr (requires { D::LeerLiteral(ajustes, texto, v, base); }) return D::LeerLiteral(ajustes, texto, v, base);
    else return D::LeerLiteral(texto, v, base);
}

// Key of a local definition's name: ASCII letters upper-cased, as the
// registry and IgualSinCaso compare them.
inline std::string ClaveLocal(std::string_view nombre) {
    std::string k(nombre);
    for (char& c : k)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return k;
}

inline constexpr long long kTrabajoMaximo = 4'000'000;
inline constexpr int kExpansionesMaximas = 40;

// Key → value for the ranges a compilation remembers. Open addressing over
// flat arrays: a long text remembers tens of thousands of ranges, and a
// node-based map spends its time allocating and missing the cache.
template <class V>
class TablaRangos {
public:
    explicit TablaRangos(std::size_t previstos) {
        while ((std::size_t{1} << bits_) < 2 * previstos) ++bits_;
        claves_.assign(std::size_t{1} << bits_, kVacia);
        indices_.resize(claves_.size());
        datos_.reserve(previstos);
    }
    V* Buscar(std::uint64_t clave) {
        for (std::size_t i = Hueco(clave);; i = (i + 1) & (claves_.size() - 1)) {
            if (claves_[i] == clave) return &datos_[indices_[i]];
            if (claves_[i] == kVacia) return nullptr;
        }
    }
    void Guardar(std::uint64_t clave, V v) {
        if (2 * (datos_.size() + 1) > claves_.size()) Crecer();
        std::size_t i = Hueco(clave);
        for (; claves_[i] != kVacia; i = (i + 1) & (claves_.size() - 1))
            if (claves_[i] == clave) {
                datos_[indices_[i]] = std::move(v);
                return;
            }
        claves_[i] = clave;
        indices_[i] = static_cast<std::uint32_t>(datos_.size());
        datos_.push_back(std::move(v));
    }

private:
    static constexpr std::uint64_t kVacia = ~std::uint64_t{0};  // no key is all ones
    std::size_t Hueco(std::uint64_t k) const {
        return static_cast<std::size_t>((k * 0x9E3779B97F4A7C15ull) >> (64 - bits_));
    }
    void Crecer() {
        ++bits_;
        std::vector<std::uint64_t> viejas(std::size_t{1} << bits_, kVacia);
        std::vector<std::uint32_t> indices(viejas.size());
        viejas.swap(claves_);
        indices.swap(indices_);
        for (std::size_t j = 0; j < viejas.size(); ++j) {
            if (viejas[j] == kVacia) continue;
            std::size_t i = Hueco(viejas[j]);
            while (claves_[i] != kVacia) i = (i + 1) & (claves_.size() - 1);
            claves_[i] = viejas[j];
            indices_[i] = indices[j];
        }
    }
    int bits_ = 4;
    std::vector<std::uint64_t> claves_;
    std::vector<std::uint32_t> indices_;
    std::vector<V> datos_;
};

// Syntax-check texts, taken from the checker itself so both paths agree.
struct TextosSintaxis {
    std::string a, b, c;
    static const TextosSintaxis& Obtener();
};

template <class D>
class Compilador {
public:
    using N = Ref<TEval<D>>;
    using Args = std::vector<N>;

    Compilador(TExpresion<D>& motor, EstadoCompilacion<D>& estado, std::string texto, const Args* parametros);

    // The whole text at the loosest level.
    N Compilar() { return LeerExpresion(0, static_cast<int>(t_.size())); }

private:
    enum Nivel : std::uint64_t { NExpresion = 0, NTermino = 1, NPrimario = 2 };
    enum Clase : int { CLogica, CComparacion, CAditiva, CMultiplicativa, CPotencia, CComa, NClases };

    struct Recuerdo {
        N nodo;
        int mensaje = -1;  // index in mensajes_ of the last message it left, -1: none
    };

    N LeerExpresion(int b, int e) { return Recordar(NExpresion, b, e); }
    N LeerTermino(int b, int e) { return Recordar(NTermino, b, e); }
    N LeerPrimario(int b, int e) { return Recordar(NPrimario, b, e); }
    N Recordar(Nivel nivel, int b, int e);

    N Expresion(int b, int e);
    N Termino(int b, int e);
    N Primario(int b, int e);
    N Llamada(int b, int e, bool& hecha);
    [[gnu::noinline]] N CrearLlamada(const std::string& registrado, TMake<D>& m, Args args);
    [[noreturn, gnu::noinline]] void Desconocido(std::string_view trozo);

    // Syntax check of a range; false after setting the message.
    bool Sintaxis(int b, int e);
    std::optional<std::string> MensajeSintaxis(int b, int e) const;
    void PonerMensaje(std::string m);

    // Operators of a class at the range's own depth, right to left; between
    // them, the message a deeper attempt would leave is applied. f(i) tries a
    // split at i and returns a node to stop.
    template <class F>
    N RecorrerOperadores(Clase c, int desde, int hasta, int finIzquierdo, F&& f);
    bool Saltado(Clase c, int i, int b) const;  // exponent signs are not operators
    // Before a level tries the operators of a long flat chain: compiles the
    // chain's prefixes in a loop, shortest first (see the definition).
    void CalentarCadena(Clase c, Nivel nivel, int b, int e);

    N Mensaje(int b, int e);
    bool EsMensaje(int b, int e) const {
        return e - b >= 2 && t_[b] == '\'' && t_[e - 1] == '\'';
    }
    void Contar();
    template <class T, class... A>
    N Hacer(A&&... a) {
        Contar();
        return Nuevo<T>(std::forward<A>(a)...);
    }
    N Numero(const typename D::Valor& v, int base);
    std::string_view Trozo(int b, int e) const { return std::string_view(t_).substr(b, e - b); }
    int AnchoCaracter(int i) const;  // bytes of the operator at i ("£" is two)

    TExpresion<D>& motor_;
    EstadoCompilacion<D>& est_;
    std::string t_;
    const Args* params_;
    std::vector<int> prof_;                       // depth before each byte
    std::vector<int> malPar_;                     // next position of an operator pair the check rejects
    std::vector<int> bajaDe_;                     // first later position whose depth is below this one's
    std::vector<std::uint64_t> porProf_[NClases]; // (depth << 32 | position), sorted
    std::vector<int> todos_[NClases];             // positions, sorted
    // For each entry of porProf_: index of the nearest entry at or before it
    // whose left neighbour does not end a text (-1: none). Operators right
    // after another operator («--», «*-») always fail on their left part, so
    // runs of them are passed over at once.
    std::vector<int> utilAntes_[NClases];
    TablaRangos<Recuerdo> memo_;
    std::vector<std::string> mensajes_;
};

}  // namespace numbrix
