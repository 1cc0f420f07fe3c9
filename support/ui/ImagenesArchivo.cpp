#include "support/ui/ImagenesArchivo.h"

#include <QByteArray>
#include <QSvgRenderer>
#include <string>

#include "support/Streams.h"

namespace numbrix {

namespace {

std::string_view Extension(std::string_view nombre) {
    const auto punto = nombre.rfind('.');
    return punto == std::string_view::npos ? std::string_view{} : nombre.substr(punto + 1);
}

}  // namespace

ImagenArchivo ImagenArchivo::Cargar(TStreams& archivo, std::string_view nombre) {
    ImagenArchivo r;
    std::string bytes;
    const auto clase = ClaseDeItem(nombre);
    const QByteArray ext = QByteArray(Extension(nombre).data(), static_cast<qsizetype>(Extension(nombre).size())).toLower();
    if (clase == ClaseItem::Bitmap && archivo.ObtenerBitmap(nombre, bytes)) {
        r.mapa_.loadFromData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (!r.mapa_.isNull()) r.mapa_ = r.mapa_.copy();  // detached from `bytes`
    } else if (clase == ClaseItem::Metafile && ext == "svg" && archivo.ObtenerMetafile(nombre, bytes)) {
        auto svg = std::make_shared<QSvgRenderer>(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (svg->isValid() && !svg->viewBoxF().isEmpty()) r.dibujo_ = std::move(svg);
    }
    return r;
}

QSizeF ImagenArchivo::Tamano() const {
    if (dibujo_) return dibujo_->defaultSize().isEmpty() ? dibujo_->viewBoxF().size() : QSizeF(dibujo_->defaultSize());
    return QSizeF(mapa_.size());
}

void ImagenArchivo::Pintar(QPainter& p, const QRectF& rect) const {
    const QSizeF natural = Tamano();
    if (Vacia() || natural.isEmpty() || rect.isEmpty()) return;
    const QSizeF ajustado = natural.scaled(rect.size(), Qt::KeepAspectRatio);
    const QRectF destino(rect.center() - QPointF(ajustado.width() / 2, ajustado.height() / 2), ajustado);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    if (dibujo_) dibujo_->render(&p, destino);
    else p.drawImage(destino, mapa_);
    p.restore();
}

QImage ImagenArchivo::Renderizar(QSize tam) const {
    QImage r(tam, QImage::Format_ARGB32_Premultiplied);
    r.fill(Qt::transparent);
    QPainter p(&r);
    Pintar(p, QRectF(QPointF(0, 0), QSizeF(tam)));
    return r;
}

}  // namespace numbrix
