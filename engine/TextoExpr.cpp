#include "engine/TextoExpr.h"
#include "support/basicos.h"

namespace numbrix {
namespace {

// Length in bytes of the UTF-8 character that starts with byte u.
inline std::size_t LargoUtf8(unsigned char u) {
    if (u < 0xC0) return 1;  // ASCII, or a stray continuation byte taken alone
    if (u < 0xE0) return 2;
    if (u < 0xF0) return 3;
    return 4;
}

// Decodes the character at texto[i] and moves i past it.
char32_t Siguiente(std::string_view t, std::size_t& i) {
    const unsigned char u = static_cast<unsigned char>(t[i]);
    std::size_t n = LargoUtf8(u);
    if (i + n > t.size()) n = 1;
    char32_t c = n == 1 ? u : n == 2 ? (u & 0x1Fu) : n == 3 ? (u & 0x0Fu) : (u & 0x07u);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(t[i + k]) & 0x3Fu);
    i += n;
    return c;
}

constexpr char32_t kLibra = 0xA3;  // "£", the logarithm operator

// Characters that may not start a text.
inline bool EnS(char32_t c) {
    return c == '*' || c == '+' || c == ',' || c == '/' || c == '\\' || c == '^' || c == kLibra;
}
// Characters that may not end a text.
inline bool EnE(char32_t c) { return EnS(c) || c == '-' || c == '.'; }

void AgregarUtf8(std::string& s, char32_t c) {
    if (c < 0x80) s += static_cast<char>(c);
    else s += Utf8DeCodigo(c);
}

}  // namespace

std::string PrepararTexto(std::string_view texto, bool barraComoDivision) {
    std::string r;
    r.reserve(texto.size() + 8);
    bool comentario = false;
    std::size_t pos = 0;  // 1-based character position in the input
    char32_t anterior = 0;
    for (std::size_t i = 0; i < texto.size();) {
        const std::size_t inicio = i;
        const char32_t c = Siguiente(texto, i);
        ++pos;
        const char32_t antes = anterior;
        anterior = c;
        if (c == '{') {
            comentario = true;
        } else if (c == '}') {
            comentario = false;
        } else if (comentario || c <= 32) {
        } else if (c == '|') {
            r += barraComoDivision ? '/' : '|';
        } else if (c == '(') {
            // ")(" makes a product, but only from the fifth character on: «(a)(b)»
            // stays as typed.
            if (pos >= 5 && antes == ')') r += '*';
            r += '(';
        } else {
            r.append(texto.substr(inicio, i - inicio));
        }
    }
    return r;
}

std::string NormalizarOperadores(std::string_view texto) {
    std::string r;
    r.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (i + 1 < texto.size() && texto[i] == '*' && texto[i + 1] == '*') {
            r += '^';
            ++i;
        } else if (i + 1 < texto.size() && texto[i] == '/' && texto[i + 1] == '/') {
            r += '\\';
            ++i;
        } else {
            r += texto[i];
        }
    }
    return r;
}

std::string RevisionSintaxis::Mensaje() const {
    switch (resultado) {
        case Resultado::Correcta: return {};
        case Resultado::Vacia: return "Falta expresión";
        case Resultado::Extremo: return "Error de sintaxis: la expresión empieza o termina en un operador";
        case Resultado::Seguidos: {
            std::string s = "Error de sintaxis: operadores seguidos ";
            AgregarUtf8(s, primero);
            AgregarUtf8(s, segundo);
            return s;
        }
        case Resultado::CierraDeMas: return "Error de sintaxis: paréntesis sin pareja #1";
        case Resultado::AbreDeMas: return "Error de sintaxis: paréntesis sin pareja #2";
    }
    return {};
}

RevisionSintaxis RevisarSintaxisDetalle(std::string_view texto) {
    RevisionSintaxis r;
    if (texto.empty()) {
        r.resultado = RevisionSintaxis::Resultado::Vacia;
        return r;
    }
    std::size_t i = 0;
    char32_t anterior = Siguiente(texto, i);
    if (EnS(anterior)) {
        r.resultado = RevisionSintaxis::Resultado::Extremo;
        return r;
    }
    // The last character, read backwards past any continuation bytes.
    {
        std::size_t j = texto.size() - 1;
        while (j > 0 && (static_cast<unsigned char>(texto[j]) & 0xC0) == 0x80 && texto.size() - j < 4) --j;
        std::size_t k = j;
        const char32_t ultimo = Siguiente(texto, k);
        if (EnE(ultimo)) {
            r.resultado = RevisionSintaxis::Resultado::Extremo;
            return r;
        }
    }
    // Adjacent operators are looked for over the whole text before the
    // parentheses are judged.
    int nivel = anterior == '(' ? 1 : anterior == ')' ? -1 : 0;
    bool cierraDeMas = nivel < 0;
    while (i < texto.size()) {
        const char32_t c = Siguiente(texto, i);
        if (EnS(c) && EnE(anterior)) {
            r.resultado = RevisionSintaxis::Resultado::Seguidos;
            r.primero = anterior;
            r.segundo = c;
            return r;
        }
        if (c == '(') ++nivel;
        else if (c == ')' && --nivel < 0) cierraDeMas = true;
        anterior = c;
    }
    if (cierraDeMas) r.resultado = RevisionSintaxis::Resultado::CierraDeMas;
    else if (nivel != 0) r.resultado = RevisionSintaxis::Resultado::AbreDeMas;
    return r;
}

bool RevisarSintaxis(std::string_view texto, std::string* mensaje) {
    const RevisionSintaxis r = RevisarSintaxisDetalle(texto);
    if (r.Correcta()) return true;
    if (mensaje) *mensaje = r.Mensaje();
    return false;
}

}  // namespace numbrix
