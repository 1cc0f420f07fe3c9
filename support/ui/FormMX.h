#pragma once
// The base window of the program's tool windows: a drawing image painted over
// the client area, dragging from anywhere, edges that snap to the screen's
// work area, children that zoom with the window, shaped windows and the
// stay-on-top switch.
#include <QElapsedTimer>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

#include "support/Colores.h"

namespace numbrix {

class TFormMX : public QWidget {
    Q_OBJECT
public:
    explicit TFormMX(QWidget* padre = nullptr, Qt::WindowFlags banderas = {});

    // The window's drawing surface, made on first use with the client size
    // and kept at it as the window resizes (what was drawn stays).
    QImage& Image();
    bool HayImage() const { return !image_.isNull(); }

    // Paint Image at the client origin (default on).
    bool AutoDraw() const { return autoDraw_; }
    void SetAutoDraw(bool b);
    // A left-button press anywhere on the window itself moves the window
    // (default on).
    bool EasyDrag() const { return easyDrag_; }
    void SetEasyDrag(bool b) { easyDrag_ = b; }
    // While the window moves itself, its edges snap to the work area (default
    // on). Under Wayland the compositor moves windows and there is no
    // snapping.
    bool Magnetic() const { return magnetic_; }
    void SetMagnetic(bool b) { magnetic_ = b; }
    // Skip clearing the background before painting, when Image covers the
    // whole client area anyway (default on).
    bool NoErase() const { return noErase_; }
    void SetNoErase(bool b);
    // The window takes the shape of Image without the colour of its
    // bottom-left pixel, without border and at Image's size (default off).
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool b);
    // Re-reads the shape after drawing into Image (while Transparent).
    void ActualizarForma();
    // Child widgets scale with the client area (default off). Meant for
    // windows whose children are placed by hand, not by a layout.
    bool AutoZoom() const { return autoZoom_; }
    void SetAutoZoom(bool b);
    // Stay above other windows. Applied once when it changes: re-applying it
    // needs the window to be shown again, which would steal the focus.
    bool TopMost() const;
    void SetTopMost(bool b);

    // Whether the pointer is over the window (read it in OnMouseOver).
    bool MouseInForm() const { return mouseInForm_; }

    // Whether this platform lets windows position themselves, so that
    // Magnetic can work (not under Wayland).
    static bool VentanasSePosicionanSolas();

signals:
    // The pointer entered or left the window.
    void OnMouseOver();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

    // Where the window's frame goes when a drag proposes `propuesto`: with
    // Magnetic, snapped to the work area of the window's screen.
    QRect DestinoArrastre(const QRect& propuesto);

private:
    void ActualizarOpacidad();
    void CambiarBandera(Qt::WindowType bandera, bool activa);
    void ZoomHijos(QSize nuevo);

    QImage image_;
    bool autoDraw_ = true;
    bool easyDrag_ = true;
    bool magnetic_ = true;
    bool noErase_ = true;
    bool transparent_ = false;
    bool teniaMarco_ = true;
    bool autoZoom_ = false;
    bool mouseInForm_ = false;
    QSize tamanoZoom_;  // client size at the last zoom

    bool arrastrando_ = false;
    QPoint agarre_;  // pointer position relative to the frame's corner
    QRect areaTrabajo_;
    QElapsedTimer lecturaArea_;
};

}  // namespace numbrix
