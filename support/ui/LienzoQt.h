#pragma once
// The abstract canvas over QPainter, the fonts that the formulas' logical
// family names map to, and the text metrics the recording canvas measures
// with (unhinted, so one recording replays at any scale).
#include <QFont>
#include <QPainter>
#include <QRectF>

#include "support/Lienzo.h"
#include "support/LienzoGrabado.h"

namespace numbrix {

// "Times New Roman" → Liberation Serif, "Arial" → Liberation Sans / DejaVu
// Sans, "Symbol" → a serif that has the math symbols; the size is the
// character height in pixels. Hinting is off: widths grow linearly.
QFont FuenteQt(const Fuente& f);

// Text extents from the installed fonts, rounded up to whole pixels so that
// texts laid out side by side never overlap.
class MetricasQt : public MetricasTexto {
public:
    MedidaTexto Medir(const Fuente& f, std::string_view texto) const override;
};

class LienzoQt : public Lienzo {
public:
    // `tinta` replaces the recording's black, so a formula reads on a dark
    // background too; `azul`, when valid, replaces Color::Azul() likewise.
    explicit LienzoQt(QPainter& p, const QColor& tinta = Qt::black, const QColor& azul = QColor());

    void PonerFuente(const Fuente& f) override;
    void PonerColor(Color c) override;
    void PonerGrosor(int pixeles) override;
    MedidaTexto MedirTexto(std::string_view texto) override;
    void Texto(int x, int y, std::string_view texto) override;
    void Linea(int x1, int y1, int x2, int y2) override;
    void Polilinea(const std::vector<Punto>& puntos) override;
    void Rectangulo(int x, int y, int w, int h, bool relleno) override;
    void Elipse(int x, int y, int w, int h, bool relleno) override;

private:
    void Pluma();
    QPainter& p_;
    Fuente fuente_;
    QFont qfuente_;
    QColor color_ = Qt::black;
    QColor tinta_ = Qt::black;
    QColor azul_;
    int grosor_ = 1;
};

// Scale at which a picture fits `destino` keeping its proportions: never
// above 1 unless `ajustar` (fit to window) is on.
double EscalaParaCaber(const LienzoGrabado& dibujo, const QSizeF& destino, bool ajustar);
// Replays a picture scaled by `escala` with its top-left corner at `origen`.
void ReproducirEscalado(const LienzoGrabado& dibujo, QPainter& p, const QPointF& origen, double escala,
                        const QColor& tinta = Qt::black, const QColor& azul = QColor());
// Replays a picture centred in `destino`, scaled to fit as above.
void ReproducirEn(const LienzoGrabado& dibujo, QPainter& p, const QRectF& destino, bool ajustar,
                 const QColor& tinta = Qt::black, const QColor& azul = QColor());

}  // namespace numbrix
