#include "support/ui/PaintBoxM.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QRubberBand>
#include <algorithm>

namespace numbrix {

namespace {

// The rectangle with corners `a` and `b`, both inside it. (QRect::normalized
// moves a corner by one pixel when it swaps them.)
QRect Normalizado(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

}  // namespace

TPaintBoxM::TPaintBoxM(QWidget* padre) : TArea(padre) { escala_.Redimensionar(width(), height()); }

void TPaintBoxM::SetScaleLeft(double v) {
    escala_.SetScaleLeft(v);
    update();
}
void TPaintBoxM::SetScaleRight(double v) {
    escala_.SetScaleRight(v);
    update();
}
void TPaintBoxM::SetScaleTop(double v) {
    escala_.SetScaleTop(v);
    update();
}
void TPaintBoxM::SetScaleBottom(double v) {
    escala_.SetScaleBottom(v);
    update();
}
void TPaintBoxM::SetScaleWidth(double v) {
    escala_.SetScaleWidth(v);
    update();
}
void TPaintBoxM::SetScaleHeight(double v) {
    escala_.SetScaleHeight(v);
    update();
}
void TPaintBoxM::SetScale(double izquierda, double arriba, double derecha, double abajo) {
    escala_.SetScale(izquierda, arriba, derecha, abajo);
    update();
}

void TPaintBoxM::resizeEvent(QResizeEvent* e) {
    TArea::resizeEvent(e);
    escala_.Redimensionar(e->size().width(), e->size().height());
    emit OnResize();
}

bool TPaintBoxM::BotonDibuja(Qt::MouseButton b) const {
    return (b == Qt::LeftButton && rectIzquierdo_) || (b == Qt::RightButton && rectDerecho_) ||
           (b == Qt::MiddleButton && rectCentral_);
}

void TPaintBoxM::mousePressEvent(QMouseEvent* e) {
    TArea::mousePressEvent(e);
    if (botonBanda_ != Qt::NoButton || !BotonDibuja(e->button())) return;
    botonBanda_ = e->button();
    inicio_ = e->position().toPoint();
    if (!banda_) banda_ = new QRubberBand(QRubberBand::Rectangle, this);
    banda_->setGeometry(QRect(inicio_, QSize()));
}

void TPaintBoxM::mouseMoveEvent(QMouseEvent* e) {
    TArea::mouseMoveEvent(e);
    if (botonBanda_ == Qt::NoButton) return;
    const QPoint punto = e->position().toPoint();
    const QRect r = Normalizado(inicio_, punto);
    banda_->setGeometry(r);
    banda_->show();
    emit OnRectDraw(r, e->modifiers(), punto);
}

void TPaintBoxM::mouseReleaseEvent(QMouseEvent* e) {
    TArea::mouseReleaseEvent(e);
    if (botonBanda_ == Qt::NoButton || e->button() != botonBanda_) return;
    const QPoint punto = e->position().toPoint();
    const QRect r = Normalizado(inicio_, punto);
    const Qt::MouseButton boton = botonBanda_;
    botonBanda_ = Qt::NoButton;
    banda_->hide();
    emit OnRectDraw(r, e->modifiers(), punto);
    emit OnRectUp(r, boton, e->modifiers());
}

}  // namespace numbrix
