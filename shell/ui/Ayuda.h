#pragma once
// The help pages (HTML in the data folder's help/ folder) in a help window
// with contents and search.
#include <filesystem>
#include <string>

class QWidget;
class QTextBrowser;

namespace numbrix {

// Opens the help window at a page ("indice" is the contents; a window's
// page is named after its class, e.g. "frmCalc"; a built-in function's
// entry is its name, e.g. "Sen").
void AbrirAyuda(QWidget* padre, const std::string& tema = "indice");
// The numbered topics the windows name (1 at first start, 18 and 19 in the
// user-definitions editor, 20 in the value prompt, ...).
void AbrirAyudaTema(QWidget* padre, int numero);

// Where the pages are looked for when the shipped data folder has none (the
// session's data folder); optional.
void FijarCarpetaDatosAyuda(const std::filesystem::path& carpetaDatos);

// The help window's browser once the window exists (for tests), null before.
QTextBrowser* NavegadorAyuda();

}  // namespace numbrix
