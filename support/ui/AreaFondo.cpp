#include "support/ui/AreaFondo.h"

#include "support/Gradientes.h"
#include "support/ui/ColoresSistema.h"
#include "support/ui/GradientesQt.h"

namespace numbrix {

TAreaFondo::TAreaFondo(QWidget* padre) : TArea(padre) {
    // Every pixel is painted, so Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TAreaFondo::SetEstilo(TEstiloFondo estilo) {
    estilo_ = estilo;
    update();
}
void TAreaFondo::SetColor(TColor color) {
    color_ = color;
    update();
}
void TAreaFondo::SetColor2(TColor color) {
    color2_ = color;
    update();
}
void TAreaFondo::SetPosicion(int posicion) {
    posicion_ = PosicionValida(posicion);
    update();
}
void TAreaFondo::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TAreaFondo::PintarFondo(QPainter& p, const QRect& r) const {
    const QColor c1 = ResolverColor(color_, palette());
    const QColor c2 = ResolverColor(color2_, palette());
    p.fillRect(r, c1);
    switch (estilo_) {
    case efCilindroHor: PintarGradienteDosPartes(p, r, c1, c2, posicion_, true); break;
    case efCilindroVer: PintarGradienteDosPartes(p, r, c1, c2, posicion_, false); break;
    case efGradienteHor: PintarGradiente(p, r, c1, c2, true); break;
    case efGradienteVer: PintarGradiente(p, r, c1, c2, false); break;
    case efEsfera: {
        const TPuntoI centro = CentroEsfera(r.width(), r.height(), posicion_);
        PintarGradienteConcentrico(p, r, QPoint(r.left() + centro.X, r.top() + centro.Y), c2, c1);
        break;
    }
    case efEstirar:
    case efMozaico:
    case efAlfombra: break;
    }
    if (!caption_.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(font());
        TextoCentrado(p, r, caption_);
    }
}

void TAreaFondo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintarFondo(p, rect());
    PintarUsuario(p);
}

}  // namespace numbrix
