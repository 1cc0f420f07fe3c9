#include "shell/ui/ColocacionVentana.h"

#include <QWidget>
#include <string>

#include "shell/VelIni.h"
#include "support/ui/ColocacionQt.h"

namespace numbrix {

namespace {

std::string Seccion(const QWidget& v) { return "Pos" + v.objectName().toStdString(); }

}  // namespace

void GuardarColocacion(const QWidget& ventana, TVelIniFile& ini) {
    const std::string s = Seccion(ventana);
    const ColocacionGuardada c = ColocacionDe(ventana);
    ini.WriteBool(s, "First", false);
    ini.WriteInteger(s, "Show", c.Maximizada ? 2 : 0);
    ini.WriteInteger(s, "Top", c.Rect.Top);
    ini.WriteInteger(s, "Left", c.Rect.Left);
    ini.WriteInteger(s, "Width", c.Rect.Width);
    ini.WriteInteger(s, "Height", c.Rect.Height);
}

bool RestaurarColocacion(QWidget& ventana, const TVelIniFile& ini) {
    const std::string s = Seccion(ventana);
    ColocacionGuardada c;
    c.Guardada = !ini.ReadBool(s, "First", true);
    if (c.Guardada) {
        // A key that is missing keeps what the window has.
        const QRect g = ventana.geometry();
        c.Rect = {ini.ReadInteger(s, "Left", g.left()), ini.ReadInteger(s, "Top", g.top()),
                  ini.ReadInteger(s, "Width", g.width()), ini.ReadInteger(s, "Height", g.height())};
        c.Maximizada = ini.ReadInteger(s, "Show", 0) == 2;
    }
    Colocar(ventana, c);
    return !c.Guardada;
}

}  // namespace numbrix
