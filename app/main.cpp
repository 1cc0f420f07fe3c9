// Numbrix, the desktop program: the calculator's main window over the
// session of the data folder (`--data DIR` chooses another folder).
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/Sesion.h"
#include "shell/ui/fmAcerca.h"
#include "shell/ui/HerramientaMatrices.h"
#include "shell/ui/InstanciaUnica.h"
#include "shell/ui/fmTips.h"
#include "shell/ui/frmCalc.h"
#include "support/CarpetaDatos.h"
#include "support/ui/Traduccion.h"
#include "tools/Quim.h"
#include "tools/ui/fmPoli.h"
#include "tools/ui/frmFormula.h"
#include "tools/ui/fmPrimos.h"
#include "tools/ui/fmStat.h"
#include "tools/ui/fmSucec.h"
#include "tools/ui/frmFechas.h"
#include "tools/ui/HerramientasNumeros.h"
#include "tools/ui/QuimicaCalc.h"
#include "units/ConvUnid.h"
#include "units/ui/ConversionesCalc.h"
#include "units/ui/HerramientaUnidades.h"

namespace {

// Under Wayland a window cannot place itself (placement, snapping edges,
// reduced mode); XWayland can, so it is preferred when present and the user
// did not choose a platform.
void PreferirXcb() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* sesion = std::getenv("XDG_SESSION_TYPE");
    const char* elegida = std::getenv("QT_QPA_PLATFORM");
    const char* x = std::getenv("DISPLAY");
    if (wayland && *wayland && sesion && std::string(sesion) == "wayland" && (!elegida || !*elegida) && x && *x)
        setenv("QT_QPA_PLATFORM", "xcb", 1);
}

}  // namespace

int main(int argc, char* argv[]) {
    PreferirXcb();
    QApplication app(argc, argv);
    numbrix::TraducirDialogosQt(app);
    QApplication::setApplicationName("Numbrix");
    QApplication::setApplicationDisplayName("Numbrix");
    QApplication::setApplicationVersion(NUMBRIX_VERSION);
    // Wayland matches the windows to the desktop entry, and its icon, by this name.
    QGuiApplication::setDesktopFileName("org.numbrix.Numbrix");
    // Every window, the notification area and the formula library's empty picture.
    QIcon icono;
    for (int lado : {16, 24, 32, 48, 64, 128, 256}) icono.addFile(QString(":/icono/%1.png").arg(lado));
    QApplication::setWindowIcon(icono);

    std::vector<std::string> argumentos;
    for (int i = 1; i < argc; ++i) argumentos.emplace_back(argv[i]);
    numbrix::CarpetaDatos carpeta;
    try {
        const auto opcion = numbrix::ExtraerOpcionData(argumentos);
        carpeta = numbrix::AbrirCarpetaDatos(opcion.value_or(std::filesystem::path{}));
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Numbrix", QString::fromUtf8(e.what()));
        return 1;
    }

    numbrix::TInstanciaUnica instancia(carpeta.Ruta);
    if (!instancia.Tomar()) return 0;  // the running window came to the front

    // The units before any window: the main window, the unit windows and the
    // formula library share them. What the file holds wrong stays in
    // ErroresCarga, silent at start.
    numbrix::TModeloUnidades unidades;
    try {
        unidades.CargarMagnitudes(carpeta.Ruta / numbrix::TModeloUnidades::NombreArchivo);
    } catch (const std::exception&) {
        unidades.LiberarMagnitudes();  // no magnitudes rather than no program
    }

    QWidget* presentacion = numbrix::MostrarPresentacion();
    app.processEvents();

    numbrix::TSesion sesion([](numbrix::NivelAviso, const std::string& m) {
        QMessageBox::warning(QApplication::activeWindow(), "Numbrix", QString::fromStdString(m));
    });
    numbrix::ConectarQuimica(sesion);
    const auto informe = sesion.Abrir(carpeta.Ruta);
    numbrix::TfrmCalcu::PreguntarPrimerInicio(sesion, presentacion);

    numbrix::TfrmCalcu ventana(sesion);
    auto* conversiones = numbrix::ConectarConversiones(ventana, unidades);
    numbrix::ConectarUnidades(ventana, unidades, *conversiones);
    numbrix::RegistrarEstadistica(ventana);
    numbrix::ConectarFechas(ventana);
    numbrix::RegistrarFracciones(ventana);
    numbrix::RegistrarComplejos(ventana);
    numbrix::RegistrarMatrices(ventana);
    numbrix::ConectarPrimos(ventana);
    numbrix::RegistrarPolinomios(ventana);
    numbrix::ConectarFormulas(ventana, unidades, conversiones);
    numbrix::ConectarSucesiones(ventana);
    numbrix::ConectarQuimicaVentana(ventana);
    instancia.AlLlamar([&ventana] { numbrix::TraerAlFrente(&ventana); });
    QApplication::setApplicationDisplayName(numbrix::TfrmCalcu::kTitulo);
    ventana.show();
    app.processEvents();
    delete presentacion;

    std::vector<std::string> problemas = carpeta.Problemas;
    problemas.insert(problemas.end(), informe.begin(), informe.end());
    if (!problemas.empty()) {
        QString texto;
        for (const auto& p : problemas) texto += QString::fromStdString(p) + "\n";
        QMessageBox::warning(&ventana, "Numbrix", texto.trimmed());
    }
    numbrix::MostrarConsejos(&ventana, carpeta.Ruta, true);
    return app.exec();
}
