#include "cli/EjecutarCli.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "cli/ModosCli.h"
#include "shell/Sesion.h"
#include "support/BloqueoDatos.h"
#include "support/CarpetaDatos.h"

extern char** environ;

namespace numbrix {

namespace {

// Output is one line per expression: a line break inside a text must not
// make two of it.
std::string UnaLinea(std::string t) {
    for (char& c : t)
        if (c == '\r' || c == '\n') c = ' ';
    return t;
}

std::filesystem::path ProgramaDibujo() { return CarpetaDelEjecutable() / "numbrix-render"; }

}  // namespace

std::string DibujoDisponible() {
#ifdef NUMBRIX_CON_DIBUJO
    if (access(ProgramaDibujo().c_str(), X_OK) == 0) return {};
    return "--render no está disponible: no se encuentra el programa de dibujo «" + ProgramaDibujo().string() +
           "»; no se pueden dibujar fórmulas.";
#else
    return "--render no está disponible: esta compilación no incluye la interfaz gráfica; no se pueden dibujar "
           "fórmulas.";
#endif
}

int DibujarFuera(const std::string& expresion, const std::string& archivo, int tam, bool nombres,
                 const std::string& carpeta, std::string& error) {
    const std::string programa = ProgramaDibujo().string(), tamTexto = std::to_string(tam);
    std::vector<std::string> args{programa};
    if (nombres) args.insert(args.end(), {"--nombres", carpeta});
    args.insert(args.end(), {tamTexto, archivo, expresion});
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // Its standard output is its one message, read here and reported with
    // numbrix-cli's prefix; its standard error (Qt's own notes) is this one's.
    int tubo[2];
    if (pipe(tubo) != 0) {
        error = "No se pudo iniciar el programa de dibujo";
        return 1;
    }
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_adddup2(&acciones, tubo[1], 1);
    posix_spawn_file_actions_addclose(&acciones, tubo[0]);
    posix_spawn_file_actions_addclose(&acciones, tubo[1]);
    pid_t pid = 0;
    const int r = posix_spawn(&pid, programa.c_str(), &acciones, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&acciones);
    close(tubo[1]);
    char buf[512];
    for (ssize_t n; (n = read(tubo[0], buf, sizeof buf)) != 0;) {
        if (n > 0) error.append(buf, static_cast<std::size_t>(n));
        else if (errno != EINTR) break;
    }
    close(tubo[0]);
    while (!error.empty() && error.back() == '\n') error.pop_back();
    if (r != 0) {
        error = DibujoDisponible();
        return 2;
    }
    int estado = 0;
    while (waitpid(pid, &estado, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(estado)) {
        if (error.empty()) error = "El programa de dibujo terminó sin acabar la imagen";
        return 1;
    }
    return WEXITSTATUS(estado);
}

int EjecutarCli(const RegistroCli& registro, const std::vector<std::string>& args, std::istream& entrada,
                std::ostream& salida, std::ostream& errores, const std::function<bool()>& cancelarDado) {
    const std::function<bool()> cancelar = cancelarDado ? cancelarDado : [] { return false; };
    auto informar = [&](const std::string& m) { errores << "numbrix-cli: " << UnaLinea(m) << '\n' << std::flush; };
    OpcionesCli o = LeerOpciones(registro, args);
    if (!o.error.empty()) {
        errores << "numbrix-cli: " << o.error << "\nPruebe «numbrix-cli --help».\n";
        return 2;
    }
    if (o.ayuda) {
        salida << TextoAyuda(registro) << std::flush;
        return 0;
    }
    if (!o.render.empty()) {
        if (std::string no = DibujoDisponible(); !no.empty()) {
            informar(no);
            return 2;
        }
    }
    // The open window writes the same files again when it closes: a save
    // from here would be lost, or would undo what the window keeps.
    if (o.guardar && CarpetaBloqueada(ResolverCarpetaDatos(o.data, CarpetaDelEjecutable(),
                                                           std::getenv("XDG_DATA_HOME"), std::getenv("HOME")))) {
        informar(kMensajeBloqueo);
        return 1;
    }
    EvaluadorCli evaluador = CrearEvaluador(o, cancelar);
    for (const auto& l : evaluador.Informe) informar(l);
    bool fallo = false;
    std::string ultima;
    auto escribir = [&](const std::string& t) { salida << UnaLinea(t) << '\n' << std::flush; };
    // Each returns false when the run must stop: the line was cancelled by
    // Ctrl+C or SIGTERM. The signal cancels the line being evaluated or, when
    // it comes between lines, the next one before it starts.
    auto evaluar = [&](const std::string& e) {
        LineaCli r = cancelar() ? LineaCli{Texto(Mensaje::CalculoCancelado), true, true} : evaluador(e);
        fallo = fallo || r.error;
        if (!e.empty()) ultima = e;
        escribir(r.texto);
        return !(cancelar() && r.cancelado);
    };
    int uso = 0;
    auto accion = [&](const AccionPedida& p) {
        if (cancelar()) {
            escribir(Texto(Mensaje::CalculoCancelado));
            return false;
        }
        SalidaAccion s = p.Accion(ContextoAccion{o, p.operandos, cancelar, entrada});
        if (s.estado == SalidaAccion::Uso) {
            for (const auto& l : s.lineas) informar(l);
            uso = 2;
            return false;
        }
        fallo = fallo || s.fallo;
        if (s.estado == SalidaAccion::Mensaje) {
            // The box's text alone, as a failed expression prints its message.
            fallo = true;
            s.lineas.resize(1);
        }
        for (const auto& l : s.lineas) escribir(l);
        return !cancelar();
    };
    bool seguir = true;
    std::size_t siguiente = 0;
    for (std::size_t k = 0; seguir && k <= o.expresiones.size(); ++k) {
        for (; seguir && siguiente < o.acciones.size() && o.acciones[siguiente].antesDe == k; ++siguiente)
            seguir = accion(o.acciones[siguiente]);
        if (seguir && k < o.expresiones.size()) seguir = evaluar(o.expresiones[k]);
    }
    if (uso) return uso;
    if (o.expresiones.empty() && o.acciones.empty()) {
        // A signal while waiting for a line ends the read (main installs it
        // without SA_RESTART); one that came between lines cancels the next
        // line, as above.
        std::string linea;
        while (std::getline(entrada, linea)) {
            if (!linea.empty() && linea.back() == '\r') linea.pop_back();
            if (!evaluar(linea)) break;
        }
    }
    // Ctrl+C or SIGTERM ends the run; what was evaluated before is still saved.
    if (cancelar()) fallo = true;
    if (o.guardar) {
        std::string error = evaluador.Guardar();
        if (!error.empty()) {
            informar(error);
            fallo = true;
        }
    }
    if (!o.render.empty() && !cancelar()) {
        std::string error;
        const bool nombres = evaluador.Sesion != nullptr;
        const std::string carpeta = nombres ? evaluador.Sesion->CarpetaDatos().string() : "";
        const int r = DibujarFuera(ultima, o.render, o.renderTam, nombres, carpeta, error);
        if (!error.empty()) informar(error);
        if (r != 0) return r;
    }
    return fallo ? 1 : 0;
}

}  // namespace numbrix
