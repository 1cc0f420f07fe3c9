#include "support/ui/Area.h"

#include <QEnterEvent>

namespace numbrix {

TArea::TArea(QWidget* padre) : QWidget(padre) {}

void TArea::PintarUsuario(QPainter& p) {
    if (OnPaint) OnPaint(p);
}

void TArea::paintEvent(QPaintEvent*) {
    if (!OnPaint) return;
    QPainter p(this);
    PintarUsuario(p);
}

void TArea::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    if (dentro_) return;
    dentro_ = true;
    emit OnMouseOver();
}

void TArea::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (!dentro_) return;
    dentro_ = false;
    emit OnMouseOver();
}

}  // namespace numbrix
