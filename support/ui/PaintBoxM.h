#pragma once
// The drawing surface of the plots: a painted area with a world coordinate
// window (support/EscalaMundo.h) and a rubber-band rectangle dragged with the
// mouse, reported while it is drawn and when the button is released.
#include <QPoint>
#include <QRect>

#include "support/EscalaMundo.h"
#include "support/ui/Area.h"

class QRubberBand;

namespace numbrix {

class TPaintBoxM : public TArea {
    Q_OBJECT
public:
    explicit TPaintBoxM(QWidget* padre = nullptr);

    double ScaleLeft() const { return escala_.ScaleLeft(); }
    double ScaleRight() const { return escala_.ScaleRight(); }
    double ScaleTop() const { return escala_.ScaleTop(); }
    double ScaleBottom() const { return escala_.ScaleBottom(); }
    double ScaleWidth() const { return escala_.ScaleWidth(); }
    double ScaleHeight() const { return escala_.ScaleHeight(); }
    void SetScaleLeft(double v);
    void SetScaleRight(double v);
    void SetScaleTop(double v);
    void SetScaleBottom(double v);
    void SetScaleWidth(double v);
    void SetScaleHeight(double v);
    void SetScale(double izquierda, double arriba, double derecha, double abajo);

    // Resizing keeps the units per pixel (the world window grows or shrinks
    // about its centre) instead of stretching the world window.
    bool KeepScaleAspect() const { return escala_.KeepScaleAspect; }
    void SetKeepScaleAspect(bool b) { escala_.KeepScaleAspect = b; }

    // Which buttons drag a rubber band (left and right by default).
    bool DrawRectLeft() const { return rectIzquierdo_; }
    void SetDrawRectLeft(bool b) { rectIzquierdo_ = b; }
    bool DrawRectRight() const { return rectDerecho_; }
    void SetDrawRectRight(bool b) { rectDerecho_ = b; }
    bool DrawRectMiddle() const { return rectCentral_; }
    void SetDrawRectMiddle(bool b) { rectCentral_ = b; }

    int MundoAPixelX(double x) const { return escala_.MundoAPixelX(x); }
    int MundoAPixelY(double y) const { return escala_.MundoAPixelY(y); }
    double PixelAMundoX(double px) const { return escala_.PixelAMundoX(px); }
    double PixelAMundoY(double py) const { return escala_.PixelAMundoY(py); }
    double UnidadesPorPixelX() const { return escala_.UnidadesPorPixelX(); }
    double UnidadesPorPixelY() const { return escala_.UnidadesPorPixelY(); }
    const TEscalaMundo& Escala() const { return escala_; }

signals:
    // While a rubber band is dragged (and once more at the release): the
    // rectangle between the press and `punto`, normalised.
    void OnRectDraw(const QRect& rect, Qt::KeyboardModifiers teclas, const QPoint& punto);
    // The band's button was released over `rect`.
    void OnRectUp(const QRect& rect, Qt::MouseButton boton, Qt::KeyboardModifiers teclas);
    // The surface changed size (the world scale is already updated).
    void OnResize();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool BotonDibuja(Qt::MouseButton b) const;

    TEscalaMundo escala_;
    bool rectIzquierdo_ = true, rectDerecho_ = true, rectCentral_ = false;
    QRubberBand* banda_ = nullptr;
    QPoint inicio_;
    Qt::MouseButton botonBanda_ = Qt::NoButton;
};

}  // namespace numbrix
