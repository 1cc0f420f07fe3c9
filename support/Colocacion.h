#pragma once
// Where a window goes when its stored place is restored: the stored size
// first, cut down to the work area of the screen nearest the stored
// rectangle, then the position pulled back so the whole window lies on that
// screen. Screens left of or above the primary one have negative
// coordinates and keep them. Without a display; the window code hands in
// the screens' work areas.
#include <vector>

namespace numbrix {

struct RectColocacion {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const RectColocacion&) const = default;
};

// A window's stored place: whether one was stored at all (not on the first
// run), whether the window was maximised, and its normal rectangle. The
// window code exchanges this with the screen; whoever stores it decides how.
struct ColocacionGuardada {
    bool Guardada = false;
    bool Maximizada = false;
    RectColocacion Rect;
};

// Index of the work area that shares the most surface with `r`; when none
// touches it, the one whose centre is nearest the centre of `r`. -1 for an
// empty list.
int PantallaMasCercana(const RectColocacion& r, const std::vector<RectColocacion>& areas);

// The rectangle the window takes: size clamped to the chosen work area (and
// never below `minimo` width and height, nor above the area unless the
// minimum forces it), then the position moved onto the area.
RectColocacion ColocarEnPantalla(const RectColocacion& guardado, const std::vector<RectColocacion>& areas,
                                 int minimoAncho = 0, int minimoAlto = 0);

// First run: the size as given (clamped as above), centred on `area`.
RectColocacion CentrarEn(const RectColocacion& ventana, const RectColocacion& area);

}  // namespace numbrix
