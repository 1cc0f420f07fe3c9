#pragma once
// Character-level handling of expression text before the compiler splits it.
// Texts are UTF-8; every rule here counts characters, not bytes. The log
// operator "£" is U+00A3 (two bytes in UTF-8).
#include <string>
#include <string_view>

namespace numbrix {

// Drops characters of code 32 and below, comments "{...}", turns "|" into
// "/", and ")(" (with nothing between them in the input) into ")*(".
std::string PrepararTexto(std::string_view texto);
// "**" -> "^", "//" -> "\".
std::string NormalizarOperadores(std::string_view texto);
// Character-level check; on failure returns false and sets *mensaje.
bool RevisarSintaxis(std::string_view texto, std::string* mensaje = nullptr);

}  // namespace numbrix
