#pragma once
// The help pages (HTML in the data folder's help/ folder) in a help window
// with contents and search.
#include <string>

class QWidget;

namespace numbrix {

// Opens the help window at a page ("indice" is the contents; a window's
// page is named after its class, e.g. "frmCalc"; a built-in function's
// entry is its name, e.g. "Sen").
void AbrirAyuda(QWidget* padre, const std::string& tema = "indice");
// The numbered topics the windows name (1 at first start, 18 and 19 in the
// user-definitions editor, ...).
void AbrirAyudaTema(QWidget* padre, int numero);

}  // namespace numbrix
