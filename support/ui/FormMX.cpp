#include "support/ui/FormMX.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>

#include "support/BordesMagneticos.h"
#include "support/Gradientes.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/GradientesQt.h"

namespace numbrix {

TFormMX::TFormMX(QWidget* padre, Qt::WindowFlags banderas) : QWidget(padre, banderas) {}

bool TFormMX::VentanasSePosicionanSolas() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// ---------------------------------------------------------------- image ----

QImage& TFormMX::Image() {
    if (image_.isNull()) {
        image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        image_.fill(palette().color(QPalette::Window));
        ActualizarOpacidad();
    }
    return image_;
}

void TFormMX::SetAutoDraw(bool b) {
    autoDraw_ = b;
    ActualizarOpacidad();
    update();
}

void TFormMX::SetNoErase(bool b) {
    noErase_ = b;
    ActualizarOpacidad();
}

// Not clearing the background is only safe while the image covers it all.
void TFormMX::ActualizarOpacidad() {
    setAttribute(Qt::WA_OpaquePaintEvent, noErase_ && autoDraw_ && !image_.isNull());
}

void TFormMX::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    if (!autoDraw_ || image_.isNull()) return;
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

// ---------------------------------------------------------- resize, zoom ----

void TFormMX::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const QSize nuevo = e->size();
    if (!image_.isNull() && image_.size() != nuevo && !nuevo.isEmpty()) {
        QImage otra(nuevo, image_.format());
        otra.fill(palette().color(QPalette::Window));
        QPainter p(&otra);
        p.drawImage(0, 0, image_);
        p.end();
        image_ = std::move(otra);
    }
    if (autoZoom_) ZoomHijos(nuevo);
    if (transparent_) ActualizarForma();
}

void TFormMX::SetAutoZoom(bool b) {
    autoZoom_ = b;
    if (b) tamanoZoom_ = size();
}

void TFormMX::ZoomHijos(QSize nuevo) {
    const QSize viejo = tamanoZoom_;
    tamanoZoom_ = nuevo;
    // From (or to) a collapsed window there is no ratio; the children keep
    // their places and the next resize scales from here.
    if (viejo.width() <= 0 || viejo.height() <= 0 || nuevo.width() <= 0 || nuevo.height() <= 0) return;
    if (viejo == nuevo) return;
    const auto x = [&](int v) { return MulDiv32(v, nuevo.width(), viejo.width()); };
    const auto y = [&](int v) { return MulDiv32(v, nuevo.height(), viejo.height()); };
    for (QWidget* hijo : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (hijo->isWindow()) continue;
        const QRect g = hijo->geometry();
        hijo->setGeometry(x(g.x()), y(g.y()), x(g.width()), y(g.height()));
    }
}

// ------------------------------------------------------- window flags ----

void TFormMX::CambiarBandera(Qt::WindowType bandera, bool activa) {
    if (windowFlags().testFlag(bandera) == activa) return;
    // Changing a window's flags hides it.
    const bool visible = isVisible();
    setWindowFlag(bandera, activa);
    if (visible) show();
}

bool TFormMX::TopMost() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void TFormMX::SetTopMost(bool b) {
    if (b == TopMost()) return;
    CambiarBandera(Qt::WindowStaysOnTopHint, b);
}

void TFormMX::SetTransparent(bool b) {
    if (b == transparent_) return;
    transparent_ = b;
    if (b) {
        teniaMarco_ = !windowFlags().testFlag(Qt::FramelessWindowHint);
        if (isWindow()) CambiarBandera(Qt::FramelessWindowHint, true);
        resize(Image().size());
        ActualizarForma();
    } else {
        clearMask();
        if (isWindow() && teniaMarco_) CambiarBandera(Qt::FramelessWindowHint, false);
    }
    update();
}

void TFormMX::ActualizarForma() {
    if (!transparent_) return;
    if (image_.isNull()) {
        clearMask();
        return;
    }
    const TColor clave = ColorDeQColor(QColor::fromRgb(image_.pixel(0, image_.height() - 1)));
    // A picture that is all key colour gives an empty region, which Qt takes
    // as no shape at all: the window then shows whole rather than vanish.
    setMask(RegionDeImagen(image_, clave));
}

// ------------------------------------------------------------ dragging ----

QRect TFormMX::DestinoArrastre(const QRect& propuesto) {
    if (!magnetic_) return propuesto;
    // The work area changes rarely; reading it at most every 222 ms keeps a
    // fast drag cheap, while each move snaps against the last reading (a
    // window that snapped only now and then would jump back and forth).
    if (!lecturaArea_.isValid() || lecturaArea_.elapsed() >= kIntervaloMagneticoMs || areaTrabajo_.isNull()) {
        QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
        if (!pantalla) return propuesto;
        areaTrabajo_ = pantalla->availableGeometry();
        lecturaArea_.start();
    }
    const TRectI r = AjustarMagnetico(
        {propuesto.left(), propuesto.top(), propuesto.left() + propuesto.width(), propuesto.top() + propuesto.height()},
        {areaTrabajo_.left(), areaTrabajo_.top(), areaTrabajo_.left() + areaTrabajo_.width(),
         areaTrabajo_.top() + areaTrabajo_.height()});
    return QRect(r.Left, r.Top, r.Ancho(), r.Alto());
}

void TFormMX::mousePressEvent(QMouseEvent* e) {
    if (easyDrag_ && isWindow() && e->button() == Qt::LeftButton) {
        // Snapping needs the window to move itself; where it cannot (Wayland)
        // or need not, the platform moves it.
        bool sistema = false;
        if (!VentanasSePosicionanSolas() || !magnetic_)
            sistema = windowHandle() && windowHandle()->startSystemMove();
        if (!sistema) {
            arrastrando_ = true;
            agarre_ = e->globalPosition().toPoint() - frameGeometry().topLeft();
            lecturaArea_.invalidate();
        }
    }
    QWidget::mousePressEvent(e);
}

void TFormMX::mouseMoveEvent(QMouseEvent* e) {
    if (arrastrando_ && e->buttons().testFlag(Qt::LeftButton)) {
        const QRect propuesto(e->globalPosition().toPoint() - agarre_, frameGeometry().size());
        const QRect destino = DestinoArrastre(propuesto);
        if (destino.topLeft() != frameGeometry().topLeft()) move(destino.topLeft());
    }
    QWidget::mouseMoveEvent(e);
}

void TFormMX::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) arrastrando_ = false;
    QWidget::mouseReleaseEvent(e);
}

// -------------------------------------------------------- mouse over ----

void TFormMX::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    if (mouseInForm_) return;
    mouseInForm_ = true;
    emit OnMouseOver();
}

void TFormMX::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (!mouseInForm_) return;
    mouseInForm_ = false;
    emit OnMouseOver();
}

}  // namespace numbrix
