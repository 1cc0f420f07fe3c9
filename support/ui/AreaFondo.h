#pragma once
// The gradient background of tool panels and title bands: an opaque area
// painted in one of the cylinder, ramp or sphere styles, with an optional
// centred caption. Child widgets sit on top of it.
#include <QString>

#include "support/Colores.h"
#include "support/ui/Area.h"

namespace numbrix {

enum TEstiloFondo {
    efCilindroHor,   // two-part ramp, colour changing from top to bottom
    efCilindroVer,   // two-part ramp, colour changing from left to right
    efGradienteHor,  // Color at the top to Color2 at the bottom
    efGradienteVer,  // Color at the left to Color2 at the right
    efEsfera,        // concentric ellipses from Color2 to Color
    efEstirar,       // the last three show the plain area in Color
    efMozaico,
    efAlfombra,
};

class TAreaFondo : public TArea {
    Q_OBJECT
public:
    explicit TAreaFondo(QWidget* padre = nullptr);

    TEstiloFondo Estilo() const { return estilo_; }
    void SetEstilo(TEstiloFondo estilo);
    // Colours may be system colours; they are resolved against the area's
    // palette when painting.
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor Color2() const { return color2_; }
    void SetColor2(TColor color);
    // 0 to 9: where the cylinder's bright line or the sphere's centre lies,
    // in tenths of the area. Values beyond are brought within.
    int Posicion() const { return posicion_; }
    void SetPosicion(int posicion);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // Paints the background and the caption onto `p` over `r` (what the area
    // shows; also used to paint the same background elsewhere).
    void PintarFondo(QPainter& p, const QRect& r) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TEstiloFondo estilo_ = efCilindroHor;
    TColor color_ = clBlanco;
    TColor color2_ = clGris;
    int posicion_ = 3;
    QString caption_;
};

}  // namespace numbrix
