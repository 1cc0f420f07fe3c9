#include "shell/ui/fmComun.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPushButton>
#include <QPainter>
#include <QShortcut>

#include "shell/AjustesCalculadora.h"
#include "shell/Esquemas.h"
#include "shell/ui/Ayuda.h"
#include "support/ui/ColoresSistema.h"

namespace numbrix {

CajasDialogo CajasDialogo::Estandar(QWidget* padre, bool segundo) {
    CajasDialogo c;
    c.Preguntar = [padre, segundo](const QString& titulo, const QString& texto) {
        return QMessageBox::question(padre, titulo, texto, QMessageBox::Yes | QMessageBox::No,
                                     segundo ? QMessageBox::No : QMessageBox::Yes) == QMessageBox::Yes;
    };
    c.PedirTexto = [padre](const QString& titulo, const QString& etiqueta,
                           const QString& propuesto) -> std::optional<QString> {
        bool ok = false;
        QString t = QInputDialog::getText(padre, titulo, etiqueta, QLineEdit::Normal, propuesto, &ok);
        if (!ok) return std::nullopt;
        return t;
    };
    c.Avisar = [padre](const QString& titulo, const QString& texto) {
        QMessageBox::warning(padre, titulo, texto);
    };
    c.PreguntarSiNoCancelar = [padre](const QString& titulo, const QString& texto) -> std::optional<bool> {
        QMessageBox caja(QMessageBox::Question, titulo, texto, QMessageBox::NoButton, padre);
        QPushButton* si = caja.addButton("Sí", QMessageBox::YesRole);
        QPushButton* no = caja.addButton("No", QMessageBox::NoRole);
        QPushButton* cancelar = caja.addButton("Cancelar", QMessageBox::RejectRole);
        caja.setDefaultButton(cancelar);
        caja.setEscapeButton(cancelar);
        caja.exec();
        if (caja.clickedButton() == si) return true;
        if (caja.clickedButton() == no) return false;
        return std::nullopt;
    };
    return c;
}

T4Colores EsquemaDe(const AjustesCalculadora& a) {
    return {ColorDeEntero(a.ClLuz), ColorDeEntero(a.ClSombra), ColorDeEntero(a.ClTexto), ColorDeEntero(a.ClFondo)};
}

ColoresPintados ColoresDeVentana(const T4Colores& esquema) {
    return CalcularColoresPintados(esquema, PaletaDe(QGuiApplication::palette()));
}

ColoresVentana ColoresVentana::De(TColor luz, TColor sombra, TColor texto, TColor fondo) {
    const ColoresPintados p = ColoresDeVentana({luz, sombra, texto, fondo});
    return {QColorDe(p.BandaLuz), QColorDe(p.BandaSombra), QColorDe(p.TintaFondo), QColorDe(p.Fondo)};
}

ColoresVentana ColoresVentana::De(const AjustesCalculadora& a) {
    const T4Colores e = EsquemaDe(a);
    return De(e.Luz, e.Sombra, e.Texto, e.Fondo);
}

void AplicarColoresCaja(QWidget* w, const ColoresVentana& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c.Fondo);
    p.setColor(QPalette::Text, c.Texto);
    w->setPalette(p);
}

TBandaTitulo::TBandaTitulo(const QString& texto, QWidget* padre) : QWidget(padre), texto_(texto) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TBandaTitulo::SetColores(const QColor& luz, const QColor& sombra, const QColor& texto) {
    luz_ = luz;
    sombra_ = sombra;
    color_ = QColorDe(TextoLegibleSobreRampa(ColorDeQColor(texto), ColorDeQColor(luz), ColorDeQColor(sombra)));
    update();
}

void TBandaTitulo::SetTexto(const QString& t) {
    texto_ = t;
    update();
}

QSize TBandaTitulo::sizeHint() const {
    QFont f = font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    return {200, QFontMetrics(f).height() + 12};
}

void TBandaTitulo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, luz_);
    g.setColorAt(1, sombra_);
    p.fillRect(rect(), g);
    QFont f = font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    p.setFont(f);
    p.setPen(color_);
    p.drawText(rect().adjusted(10, 0, -10, 0), Qt::AlignVCenter | Qt::AlignLeft, texto_);
}

void AyudaConF1(QWidget* ventana, const std::string& tema) {
    auto* s = new QShortcut(QKeySequence(Qt::Key_F1), ventana);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, ventana, [ventana, tema] { AbrirAyuda(ventana, tema); });
}

void AyudaConF1(QWidget* ventana, int numero) {
    auto* s = new QShortcut(QKeySequence(Qt::Key_F1), ventana);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, ventana, [ventana, numero] { AbrirAyudaTema(ventana, numero); });
}

}  // namespace numbrix
