#include "support/ui/LienzoQt.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace numbrix {

namespace {
QString DeUtf8(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }

QStringList Familias(const std::string& logica) {
    if (logica == kFamiliaSans) return {"Liberation Sans", "DejaVu Sans", "Arial"};
    if (logica == kFamiliaSimbolos) return {"Liberation Serif", "DejaVu Serif", "DejaVu Sans"};
    if (logica == kFamiliaSerif) return {"Liberation Serif", "DejaVu Serif", "Times New Roman"};
    // Any other name: itself first, the serif after it.
    return {QString::fromStdString(logica), "Liberation Serif", "DejaVu Serif"};
}
}  // namespace

QFont FuenteQt(const Fuente& f) {
    QFont q;
    q.setFamilies(Familias(f.familia));
    q.setPixelSize(std::max(1, f.tam));
    q.setBold(f.negrita);
    q.setItalic(f.cursiva);
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setStyleStrategy(QFont::PreferOutline);
    return q;
}

MedidaTexto MetricasQt::Medir(const Fuente& f, std::string_view texto) const {
    const QFontMetricsF fm(FuenteQt(f));
    const QString s = DeUtf8(texto);
    MedidaTexto m;
    m.ancho = static_cast<int>(std::ceil(fm.horizontalAdvance(s) - 1e-6));
    m.alto = static_cast<int>(std::ceil(fm.ascent() + fm.descent() - 1e-6));
    m.ascenso = static_cast<int>(std::lround(fm.ascent()));
    // The outline's bounds: the metrics' "tight" rectangle is only a rough
    // cell on some font engines, and signs are centred by their real ink.
    QPainterPath contorno;
    contorno.addText(0, 0, FuenteQt(f), s);
    const QRectF tinta = contorno.boundingRect();
    if (tinta.isEmpty()) {
        m.tintaArriba = 0;
        m.tintaAbajo = 0;
    } else {
        m.tintaArriba = static_cast<int>(std::floor(fm.ascent() + tinta.top()));
        m.tintaAbajo = static_cast<int>(std::ceil(fm.ascent() + tinta.bottom()));
    }
    return m;
}

LienzoQt::LienzoQt(QPainter& p, const QColor& tinta, const QColor& azul)
    : p_(p), qfuente_(FuenteQt(fuente_)), color_(tinta), tinta_(tinta), azul_(azul) {
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    p_.setFont(qfuente_);
    Pluma();
}

void LienzoQt::Pluma() {
    QPen pluma(color_);
    pluma.setWidth(grosor_);
    pluma.setCapStyle(Qt::SquareCap);
    pluma.setJoinStyle(Qt::MiterJoin);
    p_.setPen(pluma);
    p_.setBrush(Qt::NoBrush);
}

void LienzoQt::PonerFuente(const Fuente& f) {
    if (f == fuente_) return;
    fuente_ = f;
    qfuente_ = FuenteQt(f);
    p_.setFont(qfuente_);
}

void LienzoQt::PonerColor(Color c) {
    if (c == Color::Negro()) color_ = tinta_;
    else if (c == Color::Azul() && azul_.isValid()) color_ = azul_;
    else color_ = QColor::fromRgb(static_cast<QRgb>(c.rgb | 0xFF000000u));
    Pluma();
}

void LienzoQt::PonerGrosor(int pixeles) {
    grosor_ = std::max(1, pixeles);
    Pluma();
}

MedidaTexto LienzoQt::MedirTexto(std::string_view texto) { return MetricasQt().Medir(fuente_, texto); }

void LienzoQt::Texto(int x, int y, std::string_view texto) {
    const QFontMetricsF fm(qfuente_);
    p_.drawText(QPointF(x, y + fm.ascent()), DeUtf8(texto));
}

// Lines run through the centres of their pixels, so a 1-pixel line covers
// exactly the pixels from one end to the other.
void LienzoQt::Linea(int x1, int y1, int x2, int y2) {
    p_.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
}

void LienzoQt::Polilinea(const std::vector<Punto>& puntos) {
    QPolygonF poli;
    for (const Punto& q : puntos) poli << QPointF(q.x + 0.5, q.y + 0.5);
    p_.drawPolyline(poli);
}

void LienzoQt::Rectangulo(int x, int y, int w, int h, bool relleno) {
    if (w <= 0 || h <= 0) return;
    if (relleno) p_.fillRect(QRectF(x, y, w, h), color_);
    else p_.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
}

void LienzoQt::Elipse(int x, int y, int w, int h, bool relleno) {
    if (w <= 0 || h <= 0) return;
    if (relleno) {
        p_.save();
        p_.setPen(Qt::NoPen);
        p_.setBrush(color_);
        p_.drawEllipse(QRectF(x, y, w, h));
        p_.restore();
    } else {
        p_.drawEllipse(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
    }
}

double EscalaParaCaber(const LienzoGrabado& g, const QSizeF& destino, bool ajustar) {
    if (g.Ancho() <= 0 || g.Alto() <= 0 || destino.width() <= 0 || destino.height() <= 0) return 1.0;
    double s = std::min(destino.width() / g.Ancho(), destino.height() / g.Alto());
    if (!ajustar) s = std::min(1.0, s);
    return s;
}

void ReproducirEscalado(const LienzoGrabado& g, QPainter& p, const QPointF& origen, double escala,
                        const QColor& tinta, const QColor& azul) {
    p.save();
    p.translate(origen);
    p.scale(escala, escala);
    LienzoQt l(p, tinta, azul);
    g.Reproducir(l);
    p.restore();
}

void ReproducirEn(const LienzoGrabado& g, QPainter& p, const QRectF& destino, bool ajustar, const QColor& tinta,
                  const QColor& azul) {
    const double s = EscalaParaCaber(g, destino.size(), ajustar);
    const QPointF origen(destino.left() + (destino.width() - g.Ancho() * s) / 2,
                         destino.top() + (destino.height() - g.Alto() * s) / 2);
    ReproducirEscalado(g, p, origen, s, tinta, azul);
}

}  // namespace numbrix
