#include "support/ui/ColocacionQt.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <string>
#include <vector>

#include "shell/VelIni.h"
#include "support/Colocacion.h"

namespace numbrix {

namespace {

std::string Seccion(const QWidget& v) { return "Pos" + v.objectName().toStdString(); }

RectColocacion DeQRect(const QRect& r) { return {r.left(), r.top(), r.width(), r.height()}; }

std::vector<RectColocacion> AreasDeTrabajo() {
    std::vector<RectColocacion> areas;
    for (QScreen* s : QGuiApplication::screens()) areas.push_back(DeQRect(s->availableGeometry()));
    return areas;
}

}  // namespace

void GuardarColocacion(const QWidget& ventana, TVelIniFile& ini) {
    const std::string s = Seccion(ventana);
    ini.WriteBool(s, "First", false);
    ini.WriteInteger(s, "Show", ventana.isMaximized() ? 2 : 0);
    // The normal rectangle also for a maximised or minimised window.
    const QRect r = ventana.isMaximized() || ventana.isMinimized() ? ventana.normalGeometry() : ventana.geometry();
    const QRect g = r.isValid() ? r : ventana.geometry();
    ini.WriteInteger(s, "Top", g.top());
    ini.WriteInteger(s, "Left", g.left());
    ini.WriteInteger(s, "Width", g.width());
    ini.WriteInteger(s, "Height", g.height());
}

bool RestaurarColocacion(QWidget& ventana, const TVelIniFile& ini) {
    const std::string s = Seccion(ventana);
    const QSize minimo = ventana.minimumSize();
    if (ini.ReadBool(s, "First", true)) {
        QScreen* pantalla = QGuiApplication::primaryScreen();
        if (pantalla) {
            const QSize t = ventana.size().expandedTo(minimo);
            const RectColocacion r = CentrarEn({0, 0, t.width(), t.height()}, DeQRect(pantalla->availableGeometry()));
            ventana.setGeometry(r.Left, r.Top, r.Width, r.Height);
        }
        return true;
    }
    const QRect actual = ventana.geometry();
    RectColocacion r{ini.ReadInteger(s, "Left", actual.left()), ini.ReadInteger(s, "Top", actual.top()),
                     ini.ReadInteger(s, "Width", actual.width()), ini.ReadInteger(s, "Height", actual.height())};
    r = ColocarEnPantalla(r, AreasDeTrabajo(), minimo.width(), minimo.height());
    ventana.setGeometry(r.Left, r.Top, r.Width, r.Height);
    if (ini.ReadInteger(s, "Show", 0) == 2) ventana.setWindowState(ventana.windowState() | Qt::WindowMaximized);
    return false;
}

}  // namespace numbrix
