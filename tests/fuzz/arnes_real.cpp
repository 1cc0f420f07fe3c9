// The real-mode session: compile, evaluate or solve and draw any line, with
// a prompter that refuses and a cancel deadline, as the main window would.
#include "Arnes.h"
#include "MetricasFijas.h"
#include "engine/DiagramaX.h"
#include "shell/Sesion.h"

using namespace numbrix;

NUMBRIX_ARNES(real) {
    TSesion sesion;
    sesion.Preguntar = [](char, const std::string&, const std::string&) {
        return RespuestaPregunta{RespuestaPregunta::Fallar, "sin respuesta"};
    };
    fuzz::Plazo plazo(200);
    sesion.Cancelar = plazo;
    const ResultadoEvaluacion r = sesion.Evaluar(std::string(entrada));
    // Only a message the user wrote himself («''») may be empty.
    fuzz::Exigir(!r.error || !r.texto.empty() || r.codigo == CodigoError::Mensaje, "un error sin mensaje");
    if (!r.error) Metarchivo(sesion.Principal(), prueba::Fijas());
}
