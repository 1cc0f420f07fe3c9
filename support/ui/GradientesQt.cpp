#include "support/ui/GradientesQt.h"

#include <QFontMetrics>
#include <vector>

#include "support/Gradientes.h"
#include "support/RegionImagen.h"
#include "support/ui/ColoresSistema.h"

namespace numbrix {

namespace {

QColor AQColor(TColor c) { return QColor(Rojo(c), Verde(c), Azul(c)); }

void PintarBandas(QPainter& p, const QRect& r, const std::vector<TBanda>& bandas, bool vertical) {
    for (const TBanda& b : bandas) {
        const QRect banda = vertical ? QRect(r.left(), r.top() + b.Desde, r.width(), b.Hasta - b.Desde)
                                     : QRect(r.left() + b.Desde, r.top(), b.Hasta - b.Desde, r.height());
        p.fillRect(banda, AQColor(b.Color));
    }
}

}  // namespace

void PintarGradiente(QPainter& p, const QRect& r, const QColor& desde, const QColor& hasta, bool vertical) {
    PintarBandas(p, r, BandasLineales(vertical ? r.height() : r.width(), ColorDeQColor(desde), ColorDeQColor(hasta)),
                 vertical);
}

void PintarGradienteDosPartes(QPainter& p, const QRect& r, const QColor& color, const QColor& color2, int posicion,
                              bool vertical) {
    PintarBandas(p, r,
                 BandasDosPartes(vertical ? r.height() : r.width(), posicion, ColorDeQColor(color),
                                 ColorDeQColor(color2)),
                 vertical);
}

void PintarGradienteConcentrico(QPainter& p, const QRect& r, QPoint centro, const QColor& exterior,
                                const QColor& interior) {
    const TRectI rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    const auto elipses = ElipsesConcentricas(rect, {centro.x(), centro.y()}, ColorDeQColor(exterior),
                                             ColorDeQColor(interior));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const TElipse& e : elipses) {
        const int ancho = e.Rect.Ancho(), alto = e.Rect.Alto();
        if (ancho <= 0 || alto <= 0) continue;
        const QColor c = AQColor(e.Color);
        if (ancho <= 2 || alto <= 2) {
            p.fillRect(QRect(e.Rect.Left, e.Rect.Top, ancho, alto), c);
            continue;
        }
        // A cosmetic outline adds one pixel to the right and bottom, so the
        // ellipse covers exactly its rectangle, outline included.
        p.setPen(QPen(c, 0));
        p.setBrush(c);
        p.drawEllipse(QRect(e.Rect.Left, e.Rect.Top, ancho - 1, alto - 1));
    }
    p.restore();
}

void TextoCentrado(QPainter& p, const QRect& r, const QString& texto) {
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.drawText(r, Qt::AlignCenter, texto);
    p.restore();
}

void TextoAngulo(QPainter& p, QPoint origen, int decimasDeGrado, const QString& texto) {
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.translate(origen);
    p.rotate(-decimasDeGrado / 10.0);  // y grows downwards: negative is counter-clockwise
    p.drawText(QPoint(0, p.fontMetrics().ascent()), texto);
    p.restore();
}

void TextoMosaico(QPainter& p, const QRect& r, const QString& texto, int separacion) {
    if (texto.isEmpty() || r.isEmpty()) return;
    const QFontMetrics m = p.fontMetrics();
    const int paso = std::max(1, m.horizontalAdvance(texto) + std::max(separacion, 0));
    const int alto = std::max(1, m.height() + std::max(separacion, 0));
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setClipRect(r, Qt::IntersectClip);
    int fila = 0;
    for (int y = r.top(); y <= r.bottom(); y += alto, ++fila) {
        const int desde = r.left() - (fila % 2 ? paso / 2 : 0);
        for (int x = desde; x <= r.right(); x += paso) p.drawText(QPoint(x, y + m.ascent()), texto);
    }
    p.restore();
}

QRegion RegionDeImagen(const QImage& imagen, TColor clave, TColor tolerancia) {
    if (imagen.isNull()) return {};
    const QImage img = imagen.format() == QImage::Format_RGB32 || imagen.format() == QImage::Format_ARGB32
                           ? imagen
                           : imagen.convertToFormat(QImage::Format_RGB32);
    const auto* pixeles = reinterpret_cast<const std::uint32_t*>(img.constBits());
    const auto rects = RectangulosDeTramos(TramosOpacos(pixeles, img.width(), img.height(),
                                                        img.bytesPerLine() / 4, clave, tolerancia));
    if (rects.empty()) return {};
    std::vector<QRect> qrects;
    qrects.reserve(rects.size());
    for (const TRectI& r : rects) qrects.emplace_back(r.Left, r.Top, r.Ancho(), r.Alto());
    // The rectangles come banded and sorted as QRegion keeps them, so they
    // are handed over whole rather than united one by one.
    QRegion region;
    region.setRects(qrects.data(), static_cast<int>(qrects.size()));
    return region;
}

}  // namespace numbrix
