#pragma once
// The unit windows in the main window: the instant converter as a tool,
// and the unit editor behind "Editar unidades..." and "Unidades...".
namespace numbrix {

class TConversionesCalc;
class TfrmCalcu;
class TModeloUnidades;

void ConectarUnidades(TfrmCalcu& ventana, TModeloUnidades& modelo, TConversionesCalc& conversiones);

}  // namespace numbrix
