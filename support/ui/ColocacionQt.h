#pragma once
// Saving and restoring a window's place in the settings file, section "Pos"
// followed by the window's object name: "First", "Show" (0 normal, 2
// maximised), "Top", "Left", "Width", "Height". The same rectangle (the
// client area's normal geometry) is written and read back, so a window
// never creeps from one session to the next.
class QWidget;

namespace numbrix {

class TVelIniFile;

void GuardarColocacion(const QWidget& ventana, TVelIniFile& ini);
// Returns true on the first run (nothing stored): the window is then centred
// on the primary screen's work area at its current size.
bool RestaurarColocacion(QWidget& ventana, const TVelIniFile& ini);

}  // namespace numbrix
