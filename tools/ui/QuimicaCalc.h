#pragma once
// Chemistry in the main window: the «Calcular &MMR» item, Ctrl+R and the
// options' check box all switch the session's look-up and keep each
// other's marks; while it is on, the completion list offers the elements.
#include <vector>

#include "shell/ui/AutoComp.h"

namespace numbrix {

class TSesion;
class TfrmCalcu;

// One entry per element, "Fe - Hierro" with icon 5, inserting the text that
// evaluates as that element («C1» where «C» is a name of the engine).
std::vector<EntradaCompletado> EntradasElementos(TSesion& sesion);

void ConectarQuimicaVentana(TfrmCalcu& ventana);

}  // namespace numbrix
