#pragma once
// The options window: general settings, fonts, colours and window flags of
// the main window, and the colour schemes of "colores.ini".
#include <functional>

class QWidget;

namespace numbrix {

class TSesion;

// Shows the window modally over the session's settings (sesion.Ajustes).
// `aplicar` is called whenever the main window must re-apply its layout and
// colours ("Aplicar", "&Aceptar", and "&Cancelar" restoring the colours).
// True when accepted: the settings were changed and written.
bool MostrarOpciones(QWidget* padre, TSesion& sesion, const std::function<void()>& aplicar);

}  // namespace numbrix
