#include "support/Errores.h"

#include <array>
#include <cstddef>

namespace numbrix {

namespace {

// The one table of failure texts, in the order of Mensaje.
constexpr std::array<const char*, static_cast<std::size_t>(Mensaje::Cantidad_)> kTextos = {
    "Error de sintaxis",
    "Falta Expresión",
    "División por cero",
    "Desbordamiento: el resultado es demasiado grande",
    "Subdesbordamiento: el resultado es demasiado pequeño",
    "Argumento fuera del dominio de la función",
    "Operación no válida",
    "Error al compilar la expresión",
    "Error al evaluar la expresión",
    "Error sin mensaje",
    "Cálculo cancelado",
    "División entre cero",
    "Desbordamiento entero",
    "División de punto flotante entre cero",
    "Operación de punto flotante inválida",
    "Desbordamiento de punto flotante",
    "Expresión demasiado anidada o demasiado larga",
    "No se puede despejar",
    "No se encuentra variable para despejar",
    "Error desconocido",
    "La calculadora está ocupada con otro cálculo; inténtelo de nuevo cuando termine",
    "Resultado debe ser un número",
    "La matriz debe tener mas columnas que filas",
    "La matriz debe tener más columnas que filas",
};

static_assert(std::size(kCodigosError) == static_cast<std::size_t>(Mensaje::ErrorSinTexto) + 1,
              "one text per code, in the order of kCodigosError");

}  // namespace

const char* Texto(Mensaje m) {
    const auto i = static_cast<std::size_t>(m);
    return i < kTextos.size() ? kTextos[i] : kTextos[static_cast<std::size_t>(Mensaje::ErrorDesconocido)];
}

const char* TextoError(CodigoError c) {
    for (std::size_t i = 0; i < std::size(kCodigosError); ++i)
        if (kCodigosError[i] == c) return kTextos[i];
    return Texto(Mensaje::ErrorDesconocido);
}

}  // namespace numbrix
