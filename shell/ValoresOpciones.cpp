#include "shell/ValoresOpciones.h"

#include <cmath>
#include <cstdio>

#include "shell/VelIni.h"
#include "support/basicos.h"

namespace numbrix {

std::string LeerTolerancia(std::string_view texto, long double& valor) {
    const std::string_view t = Recortar(texto);
    long double v = 0;
    if (t.empty() || !LeerRealIni(t, v) || !std::isfinite(v))
        return "La diferencia máxima debe ser un número, por ejemplo 1E-15.";
    if (v < 0) return "La diferencia máxima no puede ser negativa.";
    valor = v;
    return {};
}

std::string LeerTamanoFuente(std::string_view texto, int& tamano) {
    const std::string_view t = Recortar(texto);
    int v = 0;
    bool digitos = !t.empty() && t.size() <= 2;
    for (char c : t)
        if (c < '0' || c > '9') digitos = false;
    if (digitos) v = std::stoi(std::string(t));
    if (!digitos || v < kTamanoFuenteMinimo || v > kTamanoFuenteMaximo)
        return "El tamaño de la fuente debe ser un número entero de " + std::to_string(kTamanoFuenteMinimo) + " a " +
               std::to_string(kTamanoFuenteMaximo) + ".";
    tamano = v;
    return {};
}

std::string TextoTolerancia(long double valor) {
    char b[64];
    std::snprintf(b, sizeof b, "%.15LG", valor);
    std::string s = b;
    // The C library follows the C locale here, but be sure of the point.
    for (char& c : s)
        if (c == ',') c = '.';
    return s;
}

}  // namespace numbrix
