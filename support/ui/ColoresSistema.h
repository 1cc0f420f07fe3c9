#pragma once
// Stored colours on the Qt side: plain RGB values become QColors, system
// colours (support/Colores.h) become the colour of the matching role of a
// palette, so they follow the desktop's theme at the time of painting.
#include <QColor>
#include <QPalette>

#include "support/Colores.h"

namespace numbrix {

// The palette group and role that stand for system colour `indice`. Indices
// without a role of their own fall back to the window background.
struct RolSistema {
    QPalette::ColorGroup Grupo;
    QPalette::ColorRole Rol;
};
RolSistema RolDeColorSistema(int indice);

// `c` as a colour of `paleta` (system colours) or as itself (RGB).
QColor ResolverColor(TColor c, const QPalette& paleta);
// The same against the application's palette.
QColor ResolverColor(TColor c);

// A QColor as a stored RGB colour (alpha dropped).
TColor ColorDeQColor(const QColor& c);
// A stored RGB colour as a QColor.
QColor QColorDe(TColor c);

// Every system colour of `paleta`, as the Qt-free code takes them.
PaletaSistema PaletaDe(const QPalette& paleta);

}  // namespace numbrix
