// The real-mode session: compile, evaluate or solve and draw any line, with
// a prompter that refuses and a cancel deadline, as the main window would.
#include <cmath>
#include <cstring>

#include "Arnes.h"
#include "MetricasFijas.h"
#include "engine/DiagramaX.h"
#include "engine/ExpresionX.h"
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

    // The bare engine keeps two more promises: a success is a finite number,
    // and evaluating again with the cache bypassed gives the same bits.
    TExpresionX e;
    e.SetPredefinidas(true);
    e.Silencioso = true;
    e.Cancelar = fuzz::Plazo(200);
    e.AgregarVariable("x")->AsignarValor(2.0L);
    e.AgregarUsuario("Cubo", "?a^3", "cubo");
    e.AgregarUsuario("Par", "?a+?b", "suma de dos");
    e.SetTexto(std::string(entrada));
    fuzz::Exigir(!e.HayError || !e.Mensaje.empty(), "un error de compilación sin mensaje");
    if (e.HayError || !e.Arbol) return;  // an empty text compiles to nothing
    const long double v = e.Valor();
    if (e.HayError) return;
    fuzz::Exigir(std::isfinite(v), "un resultado no finito");
    if (e.Arbol->Volatil()) return;
    e.Forzar = true;
    const long double otra = e.Valor();
    fuzz::Exigir(e.HayError || std::memcmp(&otra, &v, 10) == 0, "la segunda evaluación no coincide");
}
