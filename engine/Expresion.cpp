#include "engine/Expresion.h"

#include <cctype>

#include "engine/ExprCompilador.h"
#include "engine/TextoExpr.h"

namespace numbrix {

bool IgualSinCaso(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x < 0x80) x = static_cast<unsigned char>(std::toupper(x));
        if (y < 0x80) y = static_cast<unsigned char>(std::toupper(y));
        if (x != y) return false;
    }
    return true;
}

namespace {
bool EsDeNombre(unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '?' || c == '.' || c >= 0x80;
}
bool EsLetraDeNombre(unsigned char c) { return std::isalpha(c) || c == '_' || c == '?' || c >= 0x80; }
}  // namespace

std::string ReemplazarNombre(std::string_view texto, std::string_view nombre, std::string_view reemplazo) {
    if (nombre.empty()) return std::string(texto);
    bool compuesto = false;
    for (unsigned char c : reemplazo)
        if (!EsDeNombre(c)) compuesto = true;
    std::string r;
    r.reserve(texto.size());
    std::size_t i = 0;
    while (i < texto.size()) {
        bool entero = i + nombre.size() <= texto.size() && IgualSinCaso(texto.substr(i, nombre.size()), nombre);
        if (entero) {
            // A whole name: no name character after it, and before it nothing
            // that would make it the tail of another name («sen», «1e5»).
            std::size_t fin = i + nombre.size();
            if (fin < texto.size() && EsDeNombre(static_cast<unsigned char>(texto[fin]))) entero = false;
            if (i > 0 && EsLetraDeNombre(static_cast<unsigned char>(texto[i - 1]))) entero = false;
            if (i > 0 && (std::isdigit(static_cast<unsigned char>(texto[i - 1])) || texto[i - 1] == '.')) {
                // «2e5» is a number, «2e» a product: only a final name counts.
                if (fin < texto.size() && std::isalnum(static_cast<unsigned char>(texto[fin]))) entero = false;
            }
        }
        if (!entero) {
            r += texto[i++];
            continue;
        }
        std::size_t fin = i + nombre.size();
        char antes = i > 0 ? texto[i - 1] : '\0';
        char despues = fin < texto.size() ? texto[fin] : '\0';
        if ((std::isdigit(static_cast<unsigned char>(antes)) || antes == '.') || (compuesto && antes == ')')) r += '*';
        if (compuesto) r += '(';
        r += reemplazo;
        if (compuesto) r += ')';
        if (compuesto && despues == '(') r += '*';
        i = fin;
    }
    return r;
}

const TextosSintaxis& TextosSintaxis::Obtener() {
    static const TextosSintaxis t = [] {
        TextosSintaxis x;
        RevisarSintaxis("*", &x.a);
        RevisarSintaxis("1*/1", &x.b);
        if (x.b.size() >= 2) x.b.resize(x.b.size() - 2);
        RevisarSintaxis("(1", &x.c);
        if (x.c.size() >= 3) x.c.resize(x.c.size() - 3);
        return x;
    }();
    return t;
}

}  // namespace numbrix
