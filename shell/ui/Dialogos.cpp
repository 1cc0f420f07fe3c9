// Placeholder until the options window arrives in its own unit.
#include "shell/ui/fmOpciones.h"

namespace numbrix {

bool MostrarOpciones(QWidget*, TSesion&, const std::function<void()>&) { return false; }

}  // namespace numbrix
