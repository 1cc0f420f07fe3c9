#pragma once
// The gradient and text routines of the program's painted areas, on a
// QPainter. The bands and ellipses come from support/Gradientes.h; here they
// are only filled. (Qt's own gradients interpolate smoothly and centre radial
// gradients differently, so they would not give the same picture.)
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QString>

#include "support/Colores.h"

namespace numbrix {

// A ramp over `r` from `desde` to `hasta`: from top to bottom when
// `vertical`, otherwise from left to right.
void PintarGradiente(QPainter& p, const QRect& r, const QColor& desde, const QColor& hasta, bool vertical);

// The cylinder: `color2` to `color` up to `posicion` tenths of the extent
// (0 to 9), then back to `color2`.
void PintarGradienteDosPartes(QPainter& p, const QRect& r, const QColor& color, const QColor& color2, int posicion,
                              bool vertical);

// The sphere: ellipses from the whole of `r` in `exterior` shrinking towards
// `centro` in `interior`. A coordinate of `centro` equal to kCentroPorDefecto
// stands for three eighths of the width (height).
void PintarGradienteConcentrico(QPainter& p, const QRect& r, QPoint centro, const QColor& exterior,
                                const QColor& interior);

// Text centred in `r` horizontally and vertically, background untouched.
void TextoCentrado(QPainter& p, const QRect& r, const QString& texto);
// Text whose top-left corner is at `origen`, turned counter-clockwise by
// `decimasDeGrado` tenths of a degree, in the painter's font.
void TextoAngulo(QPainter& p, QPoint origen, int decimasDeGrado, const QString& texto);
// Text repeated over `r` like tiles, every other row shifted by half a tile,
// clipped to `r`. `separacion` pixels between tiles.
void TextoMosaico(QPainter& p, const QRect& r, const QString& texto, int separacion = 8);

// The region of the image's pixels that are not see-through: a pixel is
// see-through when its red, green and blue each lie in [clave, clave +
// tolerancia] (capped at 255).
QRegion RegionDeImagen(const QImage& imagen, TColor clave, TColor tolerancia = 0);

}  // namespace numbrix
