#pragma once
// A window's place in the settings file: section "Pos" followed by the
// window's object name, keys "First", "Show" (0 normal, 2 maximised), "Top",
// "Left", "Width", "Height".
class QWidget;

namespace numbrix {

class TVelIniFile;

void GuardarColocacion(const QWidget& ventana, TVelIniFile& ini);
// Returns true on the first run (nothing stored): the window is then centred
// on the primary screen's work area at its current size.
bool RestaurarColocacion(QWidget& ventana, const TVelIniFile& ini);

}  // namespace numbrix
