#pragma once
// A window that saves as it closes must not close silently after a failed
// write: the user reads why and chooses «Reintentar» or «Cerrar sin guardar»,
// as at the main window's close.
#include <QString>
#include <functional>

class QWidget;

namespace numbrix {

// Runs `guardar` (which raises on failure) until it works or the user gives
// up. True when saved; false when the user chose to close without saving.
bool GuardarAlCerrar(QWidget* padre, const QString& titulo, const QString& introduccion,
                     const std::function<void()>& guardar);

}  // namespace numbrix
