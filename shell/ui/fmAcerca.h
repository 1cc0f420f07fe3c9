#pragma once
// The about window and the splash window shown while the program starts.
class QWidget;

namespace numbrix {

struct AjustesCalculadora;

// "Acerca de...", modal, in the main window's colours.
void MostrarAcercaDe(QWidget* padre, const AjustesCalculadora& ajustes);

// The splash window, already shown and painted; the caller deletes it when
// the main window is up.
QWidget* MostrarPresentacion();

}  // namespace numbrix

namespace numbrix {
// The about window, built and not shown (MostrarAcercaDe runs it modally).
QWidget* CrearAcercaDe(QWidget* padre, const AjustesCalculadora& ajustes);
}  // namespace numbrix
