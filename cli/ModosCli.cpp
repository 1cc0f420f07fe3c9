#include "cli/ModosCli.h"

#include <cstdlib>
#include <memory>

#include "shell/Sesion.h"
#include "shell/SesionModo.h"
#include "tools/Quim.h"
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
// read in its place, so a plain run never writes anything. Empty when there
// is nothing to read.
std::filesystem::path CarpetaALeer(const OpcionesCli& o, bool preparar, std::vector<std::string>& informe) {
    namespace fs = std::filesystem;
    const fs::path exe = CarpetaDelEjecutable();
    const fs::path carpeta = ResolverCarpetaDatos(o.data, exe, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    std::error_code ec;
    if (preparar) {
        try {
            CarpetaDatos c = PrepararCarpetaDatos(carpeta, CarpetaDatosDefecto(exe));
            informe = c.Problemas;
        } catch (const std::exception& e) {
            informe.push_back(e.what());
            return {};
        }
    }
    if (fs::is_directory(carpeta, ec)) return carpeta;
    if (!o.data.empty())
        informe.push_back("No existe la carpeta de datos «" + carpeta.string() + "»; se usan los datos de fábrica");
    return CarpetaDatosDefecto(exe);
}

EvaluadorCli Real(const OpcionesCli& o, const std::function<bool()>& cancelar) {
    auto s = std::make_shared<TSesion>();
    ConectarQuimica(*s);
    EvaluadorCli ev;
    const std::filesystem::path carpeta = CarpetaALeer(o, o.guardar, ev.Informe);
    // Only read: what the load finds is reported, and the files are written
    // (repaired, after a .bak copy) only by --save.
    if (!carpeta.empty()) {
        auto mas = s->Abrir(carpeta, ModoDatos::SoloLectura);
        ev.Informe.insert(ev.Informe.end(), mas.begin(), mas.end());
    }
    // --mmr rules this run only: the stored "MMR" is what --save writes.
    const bool mmrGuardado = s->Ajustes.MMR;
    s->SetQuimica(o.mmr >= 0 ? o.mmr == 1 : mmrGuardado);
    s->Ajustes.MMR = mmrGuardado;
    // Results follow the command line's options, never the desktop's stored
    // display settings, so scripts print the same everywhere.
    s->SetAngulo(o.angulo);
    s->Formato.SetDigitos(o.digitos);
    s->Formato.Notacion = o.notacion;
    s->Formato.BaseDefecto = o.base;
    s->Formato.Agrupar = o.agrupar;
    s->Preguntar = RespuestasDe(o);
    s->Cancelar = cancelar;
    ev.Sesion = s;
    ev.Evaluar = [s](const std::string& e) {
        // As Enter in the main window: the line is also recorded.
        ResultadoEvaluacion r = s->Calcular(e);
        return LineaCli{r.texto, r.error, r.cancelado};
    };
    return ev;
}

EvaluadorCli Racional(const OpcionesCli& o, const std::function<bool()>& cancelar) {
    auto s = std::make_shared<TSesionQ>();
    s->SetFraccion({o.maxDen, o.mixto});
    s->Preguntar = RespuestasDe(o);
    s->Cancelar = cancelar;
    EvaluadorCli ev;
    ev.Evaluar = [s](const std::string& e) {
        ResultadoQ r = s->Evaluar(e);
        return LineaCli{r.texto, r.error, r.cancelado};
    };
    return ev;
}

EvaluadorCli Complejo(const OpcionesCli& o, const std::function<bool()>& cancelar) {
    auto s = std::make_shared<TSesionC>();
    s->SetAngulo(o.angulo);
    s->Preguntar = RespuestasDe(o);
    s->Cancelar = cancelar;
    EvaluadorCli ev;
    // The user's definitions, as the complex window takes them; nothing is
    // ever written in this mode.
    const std::filesystem::path carpeta = CarpetaALeer(o, false, ev.Informe);
    if (!carpeta.empty()) {
        auto mas = s->CargarDefiniciones(carpeta / "real.duf");
        ev.Informe.insert(ev.Informe.end(), mas.begin(), mas.end());
    }
    ev.Evaluar = [s](const std::string& e) {
        ResultadoC r = s->Evaluar(e);
        return LineaCli{r.texto, r.error, r.cancelado};
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

EvaluadorCli CrearEvaluador(const OpcionesCli& o, const std::function<bool()>& cancelar) {
    switch (o.modo) {
        case ModoCli::Racional: return Racional(o, cancelar);
        case ModoCli::Complejo: return Complejo(o, cancelar);
        case ModoCli::Real: break;
    }
    return Real(o, cancelar);
}

}  // namespace numbrix
