#include "cli/RenderCli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "engine/DiagramaX.h"
#include "support/ui/ExportarFormula.h"
#include "support/ui/LienzoQt.h"

namespace numbrix {

namespace {

// Fonts need a GUI application; a command-line run has no display, so the
// offscreen platform is used unless the caller chose one.
void AsegurarAplicacion() {
    if (QCoreApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char nombre[] = "numbrix-render";
    static char* argv[] = {nombre, nullptr};
    static QGuiApplication app(argc, argv);
}

}  // namespace

int RenderizarExpresion(const std::string& expresion, const std::string& archivo, int tam, std::string& error,
                        const std::function<void(TExpresionX&)>& preparar) {
    error.clear();
    if (tam < 1 || tam > kTamMaximo) {
        error = "El tamaño de la imagen debe estar entre 1 y 255";
        return 2;
    }
    if (FormatoPorExtension(archivo) == FormatoImagen::Desconocido) {
        error = "Formato de imagen no reconocido en «" + archivo + "» (use .svg, .png, .jpg o .jpeg)";
        return 1;
    }
    TExpresionX e;
    e.SetPredefinidas(true);
    e.Silencioso = true;
    if (preparar) preparar(e);
    // A picture of «x^2» needs no values: every free single letter is a variable.
    for (char c = 'a'; c <= 'z'; ++c) {
        const std::string letra(1, c);
        if (!e.Buscar(letra)) e.AgregarVariable(letra);
    }
    e.SetTexto(expresion);
    if (!e.Arbol) {
        error = e.Mensaje.empty() ? "No hay ninguna fórmula que dibujar" : e.Mensaje;
        return 1;
    }
    AsegurarAplicacion();
    const auto dibujo = Metarchivo(e, std::make_shared<MetricasQt>());
    if (!ExportarFormula(dibujo ? &*dibujo : nullptr, archivo, static_cast<double>(tam) / kTamFormula, error))
        return 1;
    return 0;
}

}  // namespace numbrix
