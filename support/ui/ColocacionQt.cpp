#include "support/ui/ColocacionQt.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <vector>

namespace numbrix {

namespace {

RectColocacion DeQRect(const QRect& r) { return {r.left(), r.top(), r.width(), r.height()}; }

std::vector<RectColocacion> AreasDeTrabajo() {
    std::vector<RectColocacion> areas;
    for (QScreen* s : QGuiApplication::screens()) areas.push_back(DeQRect(s->availableGeometry()));
    return areas;
}

}  // namespace

ColocacionGuardada ColocacionDe(const QWidget& ventana) {
    const QRect r = ventana.isMaximized() || ventana.isMinimized() ? ventana.normalGeometry() : ventana.geometry();
    return {true, ventana.isMaximized(), DeQRect(r.isValid() ? r : ventana.geometry())};
}

void Colocar(QWidget& ventana, const ColocacionGuardada& c) {
    const QSize minimo = ventana.minimumSize();
    if (!c.Guardada) {
        if (QScreen* pantalla = QGuiApplication::primaryScreen()) {
            const QSize t = ventana.size().expandedTo(minimo);
            const RectColocacion r = CentrarEn({0, 0, t.width(), t.height()}, DeQRect(pantalla->availableGeometry()));
            ventana.setGeometry(r.Left, r.Top, r.Width, r.Height);
        }
        return;
    }
    const RectColocacion r = ColocarEnPantalla(c.Rect, AreasDeTrabajo(), minimo.width(), minimo.height());
    ventana.setGeometry(r.Left, r.Top, r.Width, r.Height);
    if (c.Maximizada) ventana.setWindowState(ventana.windowState() | Qt::WindowMaximized);
}

}  // namespace numbrix
