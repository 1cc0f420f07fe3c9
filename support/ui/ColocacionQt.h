#pragma once
// A window's place as a plain record (support/Colocacion.h), taken from the
// window and put back on it. The same rectangle (the normal geometry) is
// taken and put back, so a window never creeps from one session to the next.
#include "support/Colocacion.h"

class QWidget;

namespace numbrix {

// The window's normal rectangle, also while maximised or minimised.
ColocacionGuardada ColocacionDe(const QWidget& ventana);
// Puts the window where `c` says, on the screens there are now. Nothing
// stored (first run): centred on the primary screen's work area at its
// current size.
void Colocar(QWidget& ventana, const ColocacionGuardada& c);

}  // namespace numbrix
