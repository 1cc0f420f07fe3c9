#include "support/ui/VistaFormula.h"

#include <QPainter>

#include "support/Contraste.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/LienzoQt.h"

namespace numbrix {

TVistaFormula::TVistaFormula(QWidget* padre) : QWidget(padre) {
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TVistaFormula::PonerDibujo(std::optional<LienzoGrabado> dibujo) {
    dibujo_ = std::move(dibujo);
    updateGeometry();
    update();
}

void TVistaFormula::PonerAjustar(bool ajustar) {
    if (ajustar_ == ajustar) return;
    ajustar_ = ajustar;
    update();
}

QSize TVistaFormula::sizeHint() const {
    if (!dibujo_) return QSize(200, 60);
    return QSize(dibujo_->Ancho(), dibujo_->Alto());
}

void TVistaFormula::paintEvent(QPaintEvent*) {
    if (!dibujo_) return;
    QPainter p(this);
    ReproducirEn(*dibujo_, p, QRectF(rect()), ajustar_, tinta_, Azul());
}

QColor TVistaFormula::Azul() const {
    return QColorDe(AzulLegible(ColorDeQColor(palette().color(QPalette::Base))));
}

void TVistaFormula::PonerTinta(const QColor& tinta) {
    if (tinta == tinta_) return;
    tinta_ = tinta;
    update();
}

}  // namespace numbrix
