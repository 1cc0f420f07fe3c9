#include "shell/NumeroCursor.h"


#include "engine/bases2_36.h"

namespace numbrix {

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }
bool Letra(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool Alfanumerico(char c) { return Digito(c) || Letra(c) || c == '.' || static_cast<unsigned char>(c) >= 0x80; }
bool Blanco(char c) { return c == ' ' || c == '\t'; }

// A "-" is a sign, not a subtraction, at the start or after one of these.
bool AbreOperando(char c) {
    static constexpr std::string_view ops = "+-*/^\\&$!=<>(,;";
    return ops.find(c) != std::string_view::npos;
}

// The decimal number starting at i: digits and ".", then an exponent.
std::size_t FinDecimal(std::string_view t, std::size_t i) {
    while (i < t.size() && (Digito(t[i]) || t[i] == '.')) ++i;
    if (i < t.size() && t[i] == 'e') {  // the reader takes no «E» exponent
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        if (j < t.size() && Digito(t[j])) {
            while (j < t.size() && Digito(t[j])) ++j;
            i = j;
        }
    }
    return i;
}

// "[nn]" right after a run of digits and letters: its end, else `i`.
std::size_t FinMarcaBase(std::string_view t, std::size_t i) {
    std::size_t j = i;
    while (j < t.size() && Blanco(t[j])) ++j;
    if (j >= t.size() || t[j] != '[') return i;
    ++j;
    const std::size_t d = j;
    while (j < t.size() && Digito(t[j])) ++j;
    return j > d && j < t.size() && t[j] == ']' ? j + 1 : i;
}

std::optional<long double> Leer(std::string_view t) {
    const LecturaNumero l = LeerNumero(t);
    if (l.Error()) return std::nullopt;
    return l.valor;
}

}  // namespace

std::optional<NumeroHallado> NumeroEnCursor(std::string_view t, std::size_t cursor) {
    std::size_t i = 0;
    while (i < t.size()) {
        if (!Alfanumerico(t[i])) {
            ++i;
            continue;
        }
        // A run of letters, digits and points: a name, or a number.
        std::size_t fin = i;
        while (fin < t.size() && Alfanumerico(t[fin])) ++fin;
        const std::size_t marca = FinMarcaBase(t, fin);
        NumeroHallado n{i, 0, 0};
        std::optional<long double> v;
        if (marca > fin) {
            v = Leer(t.substr(i, marca - i));  // «FF[16]»
            n.Fin = marca;
        }
        if (!v && (Digito(t[i]) || t[i] == '.')) {
            n.Fin = FinDecimal(t, i);          // «2.5e-3», or the «2» of «2x»
            v = Leer(t.substr(i, n.Fin - i));
            if (v) fin = std::max(fin, n.Fin);
        }
        if (v) {
            n.Valor = *v;
            // A unary minus, blanks allowed between.
            std::size_t k = i;
            while (k > 0 && Blanco(t[k - 1])) --k;
            if (k > 0 && t[k - 1] == '-') {
                std::size_t a = k - 1;
                while (a > 0 && Blanco(t[a - 1])) --a;
                if (a == 0 || AbreOperando(t[a - 1])) {
                    n.Inicio = k - 1;
                    n.Valor = -n.Valor;
                }
            }
            if (n.Inicio <= cursor && cursor <= n.Fin) return n;
            fin = std::max(fin, n.Fin);
        }
        i = fin;
    }
    return std::nullopt;
}

}  // namespace numbrix
