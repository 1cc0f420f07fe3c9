// Placeholders until the definitions editor, options, tips, about and help
// windows arrive; each is replaced by its own unit.
#include "shell/ui/Ayuda.h"
#include "shell/ui/fmAcerca.h"
#include "shell/ui/fmOpciones.h"
#include "shell/ui/fmTips.h"
#include "shell/ui/fmUsuario.h"

namespace numbrix {

bool EditarDefinicionesUsuario(QWidget*, TSesion&, int) { return false; }
bool MostrarOpciones(QWidget*, TSesion&, const std::function<void()>&) { return false; }
void MostrarConsejos(QWidget*, const std::filesystem::path&, bool) {}
void MostrarAcercaDe(QWidget*, const AjustesCalculadora&) {}
QWidget* MostrarPresentacion() { return nullptr; }
void AbrirAyuda(QWidget*, const std::string&) {}
void AbrirAyudaTema(QWidget*, int) {}

}  // namespace numbrix
