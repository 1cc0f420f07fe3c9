#include "cli/ModosCli.h"

#include <memory>

#include "shell/Sesion.h"
#include "shell/SesionModo.h"
#include "support/CarpetaDatos.h"
#include "support/EscrituraAtomica.h"

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

// The data folder a run reads: --data, or the usual one. Without --save a
// folder that does not exist yet is not created: the shipped defaults are
// read in its place, so a plain run never writes anything.
std::vector<std::string> AbrirDatos(TSesion& s, const OpcionesCli& o) {
    namespace fs = std::filesystem;
    const fs::path exe = CarpetaDelEjecutable();
    const fs::path carpeta = ResolverCarpetaDatos(o.data, exe, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    std::vector<std::string> informe;
    std::error_code ec;
    if (o.guardar) {
        try {
            CarpetaDatos c = PrepararCarpetaDatos(carpeta, CarpetaDatosDefecto(exe));
            informe = c.Problemas;
        } catch (const std::exception& e) {
            informe.push_back(e.what());
            return informe;
        }
    }
    fs::path leer = carpeta;
    if (!fs::is_directory(carpeta, ec)) {
        if (!o.data.empty())
            informe.push_back("No existe la carpeta de datos «" + carpeta.string() + "»; se usan los datos de fábrica");
        leer = CarpetaDatosDefecto(exe);
        if (leer.empty()) return informe;
    }
    auto mas = s.Abrir(leer);
    informe.insert(informe.end(), mas.begin(), mas.end());
    return informe;
}

EvaluadorCli Real(const OpcionesCli& o) {
    auto s = std::make_shared<TSesion>();
    EvaluadorCli ev;
    ev.Informe = AbrirDatos(*s, o);
    // Results follow the command line's options, never the desktop's stored
    // display settings, so scripts print the same everywhere.
    s->SetAngulo(o.angulo);
    s->SetFormatoDigitos(o.digitos);
    s->Formato.Notacion = o.notacion;
    s->Formato.BaseDefecto = o.base;
    s->Formato.Agrupar = o.agrupar;
    s->Preguntar = RespuestasDe(o);
    ev.Sesion = s;
    ev.Evaluar = [s](const std::string& e) {
        // As Enter in the main window: the line is also recorded.
        ResultadoEvaluacion r = s->Calcular(e);
        return LineaCli{r.texto, r.error};
    };
    return ev;
}

EvaluadorCli Racional(const OpcionesCli& o) {
    auto s = std::make_shared<TSesionQ>();
    s->Ajustes.DenominadorMax = o.maxDen;
    s->Ajustes.FormatoMixto = o.mixto;
    s->Preguntar = RespuestasDe(o);
    EvaluadorCli ev;
    ev.Evaluar = [s](const std::string& e) {
        ResultadoQ r = s->Evaluar(e);
        return LineaCli{r.texto, r.error};
    };
    return ev;
}

EvaluadorCli Complejo(const OpcionesCli& o) {
    auto s = std::make_shared<TSesionC>();
    s->SetAngulo(o.angulo);
    s->Preguntar = RespuestasDe(o);
    EvaluadorCli ev;
    ev.Evaluar = [s](const std::string& e) {
        ResultadoC r = s->Evaluar(e);
        return LineaCli{r.texto, r.error};
    };
    return ev;
}

}  // namespace

std::string EvaluadorCli::Guardar() const {
    if (!Sesion) return {};
    if (Sesion->CarpetaDatos().empty()) return "No hay carpeta de datos donde guardar";
    try {
        Sesion->Guardar(false);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

EvaluadorCli CrearEvaluador(const OpcionesCli& o) {
    switch (o.modo) {
        case ModoCli::Racional: return Racional(o);
        case ModoCli::Complejo: return Complejo(o);
        case ModoCli::Real: break;
    }
    return Real(o);
}

}  // namespace numbrix
