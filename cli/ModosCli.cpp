#include "cli/ModosCli.h"

#include <memory>

#include "shell/Sesion.h"
#include "shell/SesionModo.h"

namespace numbrix {

namespace {

// Prompt answers come from --var; one that fails fails its evaluation, and
// a variable without an answer cancels it.
Preguntador RespuestasDe(const OpcionesCli& o) {
    return [respuestas = o.respuestas](char letra, const std::string&, const std::string& error) {
        RespuestaPregunta r;
        if (!error.empty()) {
            r.accion = RespuestaPregunta::Fallar;
            r.texto = error;
            return r;
        }
        auto it = respuestas.find(letra);
        if (it == respuestas.end()) return r;
        r.accion = RespuestaPregunta::Responder;
        r.texto = it->second;
        return r;
    };
}

EvaluadorCli Real(const OpcionesCli& o) {
    auto s = std::make_shared<TSesion>();
    s->SetAngulo(o.angulo);
    s->SetFormatoDigitos(o.digitos);
    s->Formato.Notacion = o.notacion;
    s->Formato.BaseDefecto = o.base;
    s->Formato.Agrupar = o.agrupar;
    s->Preguntar = RespuestasDe(o);
    return [s](const std::string& e) {
        ResultadoEvaluacion r = s->Evaluar(e);
        return LineaCli{r.texto, r.error};
    };
}

EvaluadorCli Racional(const OpcionesCli& o) {
    auto s = std::make_shared<TSesionQ>();
    s->Ajustes.DenominadorMax = o.maxDen;
    s->Ajustes.FormatoMixto = o.mixto;
    s->Preguntar = RespuestasDe(o);
    return [s](const std::string& e) {
        ResultadoQ r = s->Evaluar(e);
        return LineaCli{r.texto, r.error};
    };
}

EvaluadorCli Complejo(const OpcionesCli& o) {
    auto s = std::make_shared<TSesionC>();
    s->SetAngulo(o.angulo);
    s->Preguntar = RespuestasDe(o);
    return [s](const std::string& e) {
        ResultadoC r = s->Evaluar(e);
        return LineaCli{r.texto, r.error};
    };
}

}  // namespace

EvaluadorCli CrearEvaluador(const OpcionesCli& o) {
    switch (o.modo) {
        case ModoCli::Racional: return Racional(o);
        case ModoCli::Complejo: return Complejo(o);
        case ModoCli::Real: break;
    }
    return Real(o);
}

}  // namespace numbrix
