#pragma once
// TfmFraccion, "Fracciones": expressions evaluated with exact fractions. The
// result as a fraction (Edit2), as a decimal (Edit3), its whole part
// (Label2) and its part beyond the whole as a bar over a ruler of
// sixteenths; the maximum denominator decimals become (ComboBox1) and the
// mixed format (sbEntero).
#include <QWidget>

#include "tools/ui/fmModo.h"
#include "shell/PantallaModos.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace numbrix {

// The bar over the ruler: `Parte` of the width, marks at every sixteenth.
class TReglaFraccion : public QWidget {
public:
    explicit TReglaFraccion(QWidget* padre = nullptr);
    void PonerParte(long double parte);
    long double Parte() const { return parte_; }
    // The bar's width in pixels at the present size.
    int AnchoBarra() const;
    void PonerColores(const QColor& fondo, const QColor& tinta);
    QSize sizeHint() const override { return QSize(160, 22); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    long double parte_ = 0;
    QColor fondo_ = Qt::white, tinta_ = Qt::black;
};

class TfmFraccion : public TfmModo {
    Q_OBJECT
public:
    static constexpr int kAnchoMinimo = 420, kAltoMinimo = 185;
    explicit TfmFraccion(TfrmCalcu& principal);

    void Calcular() override;
    // Writes "FracDenominadorDec" and "FracSepEntero" into the main
    // window's settings.
    void Guardar();
    TSesionQ& Sesion() { return sesion_; }

    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label2 = nullptr;
    TReglaFraccion* Regla = nullptr;
    QToolButton* sbEntero = nullptr;
    QComboBox* ComboBox1 = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void ColoresPropios(const ColoresPintados& c) override;

private:
    void TomarDenominador();
    void MostrarPantalla(const PantallaFraccion& p);

    TSesionQ sesion_;
};

}  // namespace numbrix
