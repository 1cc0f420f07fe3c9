// The fraction window's session: any line evaluates to a fraction or a
// message, with a prompter that refuses and a cancel deadline.
#include "Arnes.h"
#include "MetricasFijas.h"
#include "numbers/DiagramaQ.h"
#include "shell/SesionModo.h"

using namespace numbrix;

NUMBRIX_ARNES(racional) {
    TSesionQ sesion;
    sesion.Preguntar = [](char, const std::string&, const std::string&) {
        return RespuestaPregunta{RespuestaPregunta::Fallar, "sin respuesta"};
    };
    fuzz::Plazo plazo(200);
    sesion.Cancelar = plazo;
    const ResultadoQ r = sesion.Evaluar(std::string(entrada));
    // Only a message the user wrote himself («''») may be empty.
    fuzz::Exigir(!r.error || !r.texto.empty() || r.codigo == CodigoError::Mensaje, "un error sin mensaje");
    if (r.error || r.vacio) return;
    // What the window shows reads back as the same fraction.
    const auto otra = TextoAFrac(r.texto, sesion.Fraccion());
    fuzz::Exigir(otra && otra->Num() == r.valor.Num() && otra->Den() == r.valor.Den(), "la fracción no se lee igual");
    Metarchivo(sesion.Principal(), prueba::Fijas());
}
