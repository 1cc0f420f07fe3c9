#pragma once
// The world coordinate window of a drawing surface: which world rectangle
// (ScaleLeft..ScaleRight, ScaleTop..ScaleBottom) the surface's pixels show.
// Plots draw in world units and convert here. The scale is never undefined:
// while the surface has no width (or height) or the world bounds coincide,
// the last valid units per pixel are kept.
namespace numbrix {

class TEscalaMundo {
public:
    // Largest pixel coordinate a conversion returns (either sign), so that
    // far-away or infinite world values still give drawable integers.
    static constexpr int kPixelMax = 1 << 28;

    double ScaleLeft() const { return izquierda_; }
    double ScaleRight() const { return derecha_; }
    double ScaleTop() const { return arriba_; }
    double ScaleBottom() const { return abajo_; }
    double ScaleWidth() const { return derecha_ - izquierda_; }
    double ScaleHeight() const { return abajo_ - arriba_; }

    void SetScaleLeft(double v);
    void SetScaleRight(double v);
    void SetScaleTop(double v);
    void SetScaleBottom(double v);
    // Move ScaleRight (ScaleBottom) so that the width (height) is `v`.
    void SetScaleWidth(double v);
    void SetScaleHeight(double v);
    // All four bounds at once.
    void SetScale(double izquierda, double arriba, double derecha, double abajo);

    // With it, a resize keeps the units per pixel and widens or narrows the
    // world window symmetrically about its centre; without it, the same world
    // window is stretched over the new size.
    bool KeepScaleAspect = false;

    // The surface changed size.
    void Redimensionar(int ancho, int alto);
    int Ancho() const { return ancho_; }
    int Alto() const { return alto_; }

    double UnidadesPorPixelX() const { return upX_; }
    double UnidadesPorPixelY() const { return upY_; }

    // World value to the nearest pixel (halves to even), within ±kPixelMax;
    // a value that is not a number gives 0.
    int MundoAPixelX(double x) const;
    int MundoAPixelY(double y) const;
    // Pixel to world: pixel × units per pixel + the left (top) bound.
    double PixelAMundoX(double px) const { return px * upX_ + izquierda_; }
    double PixelAMundoY(double py) const { return py * upY_ + arriba_; }

private:
    void Recalcular();

    double izquierda_ = 0, derecha_ = 1, arriba_ = 0, abajo_ = 1;
    int ancho_ = 0, alto_ = 0;
    double upX_ = 1, upY_ = 1;
};

}  // namespace numbrix
