#pragma once
// How well a text stands out on what it is painted on (WCAG 2 relative
// luminance and contrast ratio), and the rule that keeps every text of the
// program readable: a text colour that does not stand out on its background
// is replaced by black or white, whichever stands out more; the background
// is never changed.
#include "support/Colores.h"

namespace numbrix {

// Normal text must reach this ratio.
inline constexpr double kContrasteMinimo = 4.5;
// The mark of a disabled button: it must be seen, not read.
inline constexpr double kContrasteInactivo = 3.0;

double Luminancia(TColor c);
// Contrast ratio of two RGB colours, 1 to 21.
double Contraste(TColor a, TColor b);

// `texto` when it reaches kContrasteMinimo on `fondo` (both RGB), otherwise
// black or white, whichever contrasts more.
TColor TextoLegible(TColor texto, TColor fondo);
// The blue nearest to pure blue (mixed toward white or black) that reaches
// kContrasteMinimo on `fondo`; black or white when no blue does.
TColor AzulLegible(TColor fondo);

// The lowest contrast of `texto` against any colour of the ramp from `desde`
// to `hasta` (support/Gradientes.h) that a gradient area paints.
double ContrasteSobreRampa(TColor texto, TColor desde, TColor hasta);
// TextoLegible for a text painted anywhere on a gradient: `texto` when it
// stands out on every colour of the ramp, otherwise black or white, whichever
// stands out more on its worst colour.
TColor TextoLegibleSobreRampa(TColor texto, TColor desde, TColor hasta);
// A disabled control's mark on that ramp: `tinta` moved toward the ramp's
// middle colour as far as it still reaches kContrasteInactivo everywhere.
TColor TintaInactivaSobreRampa(TColor tinta, TColor desde, TColor hasta);

}  // namespace numbrix
