#pragma once
// The fraction and complex windows as tools of the main window: their
// entries, Ctrl keys, help pages and keys, and the hooks they follow
// (colours, angle unit, settings, the expression the real domain could not
// evaluate).
namespace numbrix {

class TfrmCalcu;

void RegistrarFracciones(TfrmCalcu& ventana);
void RegistrarComplejos(TfrmCalcu& ventana);

}  // namespace numbrix
