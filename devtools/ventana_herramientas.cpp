// A developer's look at the tool windows in the main window: the main window
// over a scratch data folder with fake tools registered, to see the tools
// menu and the bottom bar (light, dark, double scale) before the real tools
// exist. Not shipped.
//   ventana_herramientas [--todas] [--ancho N] [--menu]
//   --todas    the ten tools' names instead of two fake tools
//   --ancho N  the window's width (420: the least)
//   --menu     opens the tools menu once the window shows
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/Herramientas.h"
#include "shell/Sesion.h"
#include "shell/ui/frmCalc.h"
#include "support/ui/Traduccion.h"

using namespace numbrix;

namespace {

Herramienta Falsa(const std::string& nombre) {
    Herramienta h;
    h.Nombre = nombre;
    h.Crear = [nombre](TfrmCalcu&) {
        auto* w = new QWidget;
        auto* capa = new QVBoxLayout(w);
        capa->addWidget(new QLabel(QString::fromStdString("Herramienta de prueba: " + SinMarcas(nombre)), w));
        w->resize(260, 120);
        return w;
    };
    return h;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TraducirDialogosQt(app);
    QApplication::setApplicationDisplayName("Numbrix");
    const QStringList args = app.arguments();
    const bool todas = args.contains("--todas"), menu = args.contains("--menu");
    const int i = args.indexOf("--ancho");
    const int ancho = i > 0 && i + 1 < args.size() ? args[i + 1].toInt() : 640;

    QTemporaryDir carpeta;
    TSesion sesion;
    sesion.Abrir(carpeta.path().toStdString());
    sesion.Ajustes.Ver = AjustesCalculadora::kVersionVista;
    TfrmCalcu ventana(sesion);
    if (todas) {
        for (const auto& d : HerramientasConocidas()) ventana.RegistrarHerramienta(Falsa(d.Nombre));
    } else {
        ventana.RegistrarHerramienta(Falsa("Fracciones"));  // a flag and Ctrl+Q
        ventana.RegistrarHerramienta(Falsa("Prue&ba"));     // neither
    }
    ventana.resize(ancho, 380);
    ventana.move(20, 20);
    ventana.show();
    if (menu)
        QTimer::singleShot(300, &ventana, [&ventana] {
            ventana.menuHerramientas->popup(ventana.botonHerramientas->mapToGlobal(QPoint(0, ventana.botonHerramientas->height())));
        });
    return app.exec();
}
