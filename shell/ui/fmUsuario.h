#pragma once
// The user-definitions editor: the constants (modo 0) or functions (modo 1)
// of "real.duf" in the session's data folder.
class QWidget;

namespace numbrix {

class TSesion;

// Shows the editor modally. True when it closed with "&Aceptar" (the file
// was rewritten): the caller then registers the session's vocabulary again
// and rebuilds its insert menus.
bool EditarDefinicionesUsuario(QWidget* padre, TSesion& sesion, int modo);

}  // namespace numbrix
