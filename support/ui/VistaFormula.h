#pragma once
// TVistaFormula: shows a formula picture, centred, shrunk when it does not
// fit (and grown to the widget with "fit to window" on).
#include <QColor>
#include <QWidget>
#include <optional>

#include "support/LienzoGrabado.h"

namespace numbrix {

class TVistaFormula : public QWidget {
    Q_OBJECT
public:
    explicit TVistaFormula(QWidget* padre = nullptr);

    void PonerDibujo(std::optional<LienzoGrabado> dibujo);  // nullopt: empty view
    const std::optional<LienzoGrabado>& Dibujo() const { return dibujo_; }
    void PonerAjustar(bool ajustar);  // fit to window
    bool Ajustar() const { return ajustar_; }
    void PonerTinta(const QColor& tinta);  // the formula's ink (black by default)
    const QColor& Tinta() const { return tinta_; }
    // The chemical formulas' blue, readable on the view's background.
    QColor Azul() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return QSize(20, 20); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::optional<LienzoGrabado> dibujo_;
    bool ajustar_ = false;
    QColor tinta_ = Qt::black;
};

}  // namespace numbrix
