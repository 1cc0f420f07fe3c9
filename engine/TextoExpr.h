#pragma once
// Character-level handling of expression text before the compiler splits it.
// Texts are UTF-8; every rule here counts characters, not bytes. The log
// operator "£" is U+00A3 (two bytes in UTF-8).
#include <string>
#include <string_view>

namespace numbrix {

// Drops characters of code 32 and below, comments "{...}", turns "|" into
// "/" (unless barraComoDivision is false: the rational mode reads "|" in its
// fraction literals itself), and ")(" (with nothing between them in the
// input) into ")*(".
std::string PrepararTexto(std::string_view texto, bool barraComoDivision = true);
// "**" -> "^", "//" -> "\".
std::string NormalizarOperadores(std::string_view texto);
// Character-level check; on failure returns false and sets *mensaje.
bool RevisarSintaxis(std::string_view texto, std::string* mensaje = nullptr);

// The same check without building a message: the compiler runs it on every
// candidate piece, and most of them fail. Mensaje() gives the text
// RevisarSintaxis would store.
struct RevisionSintaxis {
    enum class Resultado : unsigned char {
        Correcta,
        Vacia,        // "Falta expresión"
        Extremo,      // starts with * + , / \ ^ £ or ends with those or - .
        Seguidos,     // an operator that may not start right after one that may not end
        CierraDeMas,  // a ")" with no "(" before it: message ends in " #1"
        AbreDeMas,    // a "(" never closed: message ends in " #2"
    };
    Resultado resultado = Resultado::Correcta;
    char32_t primero = 0, segundo = 0;  // the two characters, for Seguidos

    bool Correcta() const { return resultado == Resultado::Correcta; }
    std::string Mensaje() const;
};
RevisionSintaxis RevisarSintaxisDetalle(std::string_view texto);

}  // namespace numbrix
