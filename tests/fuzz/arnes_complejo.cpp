// The complex window's session: any line evaluates to a complex number or a
// message, with a prompter that refuses and a cancel deadline.
#include "Arnes.h"
#include "MetricasFijas.h"
#include "numbers/DiagramaC.h"
#include "shell/SesionModo.h"

using namespace numbrix;

NUMBRIX_ARNES(complejo) {
    TSesionC sesion;
    sesion.Preguntar = [](char, const std::string&, const std::string&) {
        return RespuestaPregunta{RespuestaPregunta::Fallar, "sin respuesta"};
    };
    fuzz::Plazo plazo(200);
    sesion.Cancelar = plazo;
    const ResultadoC r = sesion.Evaluar(std::string(entrada));
    // Only a message the user wrote himself («''») may be empty.
    fuzz::Exigir(!r.error || !r.texto.empty() || r.codigo == CodigoError::Mensaje, "un error sin mensaje");
    if (!r.error && !r.vacio) Metarchivo(sesion.Principal(), prueba::Fijas());
}
