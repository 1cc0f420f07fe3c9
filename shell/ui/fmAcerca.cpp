#include "shell/ui/fmAcerca.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/AjustesCalculadora.h"
#include "shell/ui/fmComun.h"

namespace numbrix {

namespace {

QString Version() {
    const QString v = QCoreApplication::applicationVersion();
    return v.isEmpty() ? QStringLiteral("2.7") : v;
}

// The program's icon; a rounded square with "N" where none is set (the tests).
void PintarLogo(QPainter& p, const QRectF& r, const QColor& luz, const QColor& sombra) {
    const QIcon icono = QApplication::windowIcon();
    if (!icono.isNull()) {
        icono.paint(&p, r.toRect());
        return;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, luz);
    g.setColorAt(1, sombra);
    p.setBrush(g);
    p.setPen(QPen(sombra.darker(140), 2));
    p.drawRoundedRect(r, r.width() / 6, r.width() / 6);
    QFont f("DejaVu Serif");
    f.setPixelSize(static_cast<int>(r.height() * 0.62));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, "N");
    p.restore();
}

class TLogo : public QWidget {
public:
    TLogo(const QColor& luz, const QColor& sombra, QWidget* padre) : QWidget(padre), luz_(luz), sombra_(sombra) {
        setFixedSize(72, 72);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PintarLogo(p, QRectF(rect()).adjusted(2, 2, -2, -2), luz_, sombra_);
    }

private:
    QColor luz_, sombra_;
};

class TPresentacion : public QWidget {
public:
    TPresentacion() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
        setObjectName("TfmPresentacion");
        setAttribute(Qt::WA_DeleteOnClose);
        setFixedSize(440, 170);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const ColoresVentana c = ColoresVentana::De(AjustesCalculadora{});
        QLinearGradient g(0, 0, width(), height());
        g.setColorAt(0, c.Luz);
        g.setColorAt(1, c.Sombra);
        p.fillRect(rect(), g);
        p.setPen(QPen(c.Sombra.darker(150), 2));
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        PintarLogo(p, QRectF(24, 40, 84, 84), c.Luz.lighter(105), c.Sombra.darker(130));
        QFont f("DejaVu Sans");
        f.setPixelSize(38);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(20, 30, 60));
        p.drawText(QRect(128, 38, width() - 140, 50), Qt::AlignLeft | Qt::AlignVCenter, "Numbrix");
        f.setPixelSize(14);
        f.setBold(false);
        p.setFont(f);
        p.drawText(QRect(130, 88, width() - 140, 22), Qt::AlignLeft, "Calculadora científica  ·  versión " + Version());
        p.drawText(QRect(130, 112, width() - 140, 22), Qt::AlignLeft, "Cargando...");
    }
};

}  // namespace

QWidget* CrearAcercaDe(QWidget* padre, const AjustesCalculadora& ajustes) {
    auto* d = new QDialog(padre);
    d->setObjectName("TfmAcerca");
    d->setWindowTitle("Acerca de...");
    const ColoresVentana c = ColoresVentana::De(ajustes);
    auto* banda = new TBandaTitulo("Numbrix", d);
    banda->SetColores(c.Luz, c.Sombra, c.Texto);
    auto* texto = new QLabel(d);
    texto->setTextFormat(Qt::RichText);
    texto->setText("<p><b>Numbrix</b> versión " + Version() +
                   "</p><p>Calculadora científica en español, en precisión extendida:</p><ul>"
                   "<li>expresiones en una línea, con números en bases 2 a 36 y resultados en cualquiera de ellas;</li>"
                   "<li>funciones y constantes incorporadas, y las suyas propias;</li>"
                   "<li>integrales, derivadas, sumatorias, productos, determinantes y raíces de ecuaciones, "
                   "y despejar una incógnita «?»;</li>"
                   "<li>la fórmula dibujada, para copiar o exportar como imagen;</li>"
                   "<li>conversión de unidades (F10) con magnitudes y unidades que usted edita;</li>"
                   "<li>conversor instantáneo: una cantidad en todas sus unidades y un número en las bases 2 a 36;</li>"
                   "<li>estadísticas de una tabla de frecuencias: 21 medidas y la curva normal;</li>"
                   "<li>fechas y tiempo (Ctrl+F): días entre fechas, fechas más días y cuentas con duraciones;</li>"
                   "<li>fracciones exactas, con formato mixto y regla de dieciseisavos (Ctrl+Q);</li>"
                   "<li>números complejos, con norma y argumento en su unidad de ángulo (Ctrl+J);</li>"
                   "<li>matrices de fracciones exactas o de complejos (Ctrl+M): sistemas, inversas, determinantes;</li>"
                   "<li>números primos (Ctrl+P): primalidad, factores, divisores, el n-ésimo primo y listas;</li>"
                   "<li>formulario (Ctrl+L): leyes de la física y la matemática con sus unidades, despejadas para la incógnita que elija;</li>"
                   "<li>polinomios de coeficientes racionales: operaciones, división, Ruffini y raíces;</li>"
                   "<li>sucesiones por recurrencia (Ctrl+S) con condición de parada y definiciones guardadas;</li>"
                   "<li>masas molares de fórmulas químicas en las expresiones (Ctrl+R): 2NaCl+H2SO4, Ca(OH)2;</li>"
                   "<li>diez memorias, variables que se preguntan, historial de expresiones y lista de resultados "
                   "con total.</li></ul><p>Qt " +
                   QString(qVersion()) + "</p>");
    texto->setWordWrap(true);
    AplicarColoresCaja(texto, c);
    auto* aceptar = new QPushButton("&Aceptar", d);
    aceptar->setDefault(true);
    QObject::connect(aceptar, &QPushButton::clicked, d, &QDialog::accept);
    auto* cuerpo = new QHBoxLayout;
    cuerpo->addWidget(new TLogo(c.Luz, c.Sombra, d), 0, Qt::AlignTop);
    cuerpo->addWidget(texto, 1);
    auto* pie = new QHBoxLayout;
    pie->addStretch();
    pie->addWidget(aceptar);
    auto* todo = new QVBoxLayout(d);
    todo->addWidget(banda);
    todo->addLayout(cuerpo, 1);
    todo->addLayout(pie);
    // As tall as the text needs with the desktop's font, never clipped.
    texto->setMinimumWidth(360);
    todo->setSizeConstraint(QLayout::SetMinimumSize);
    d->adjustSize();
    AyudaConF1(d, "fmAcerca");
    return d;
}

void MostrarAcercaDe(QWidget* padre, const AjustesCalculadora& ajustes) {
    QWidget* w = CrearAcercaDe(padre, ajustes);
    static_cast<QDialog*>(w)->exec();
    delete w;
}

QWidget* MostrarPresentacion() {
    auto* w = new TPresentacion;
    if (QScreen* s = QGuiApplication::primaryScreen()) w->move(s->availableGeometry().center() - w->rect().center());
    w->show();
    w->repaint();
    QApplication::processEvents();
    return w;
}

}  // namespace numbrix
