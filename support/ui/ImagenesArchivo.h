#pragma once
// A picture item of the archive as Qt draws it: BMP, PNG and JPEG as images,
// SVG as a drawing; EMF and WMF, and bytes that do not decode, give none, so
// the caller shows the program's icon instead.
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <string_view>

class QSvgRenderer;

namespace numbrix {

class TStreams;

class ImagenArchivo {
public:
    // The item by its name's kind ("B:" or "M:" before it when the archive
    // uses prefixes). A missing item gives none.
    static ImagenArchivo Cargar(TStreams& archivo, std::string_view nombre);

    bool Vacia() const { return mapa_.isNull() && !dibujo_; }
    // The natural size: the image's pixels or the drawing's own size.
    QSizeF Tamano() const;
    // Drawn as large as fits in `rect`, centred, its proportions kept; what
    // is transparent in the item stays so.
    void Pintar(QPainter& p, const QRectF& rect) const;
    // Pintar onto a transparent image of `tam`.
    QImage Renderizar(QSize tam) const;

private:
    QImage mapa_;
    std::shared_ptr<QSvgRenderer> dibujo_;
};

}  // namespace numbrix
