#include "tools/ui/frmFechaCal.h"

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace numbrix {

TfmFechaCal::TfmFechaCal(const QString& titulo, QDate inicio, const ColoresVentana& colores, QWidget* padre)
    : QDialog(padre) {
    setWindowTitle(titulo);
    setObjectName("fmFechaCal");
    calendario = new QCalendarWidget(this);
    // Day and month names in Spanish whatever the desktop's language.
    calendario->setLocale(QLocale(QLocale::Spanish, QLocale::Spain));
    calendario->setFirstDayOfWeek(Qt::Monday);
    calendario->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendario->setSelectedDate(inicio);
    // The program's colours on the days; the header keeps the platform's
    // highlight pair, readable by construction.
    QPalette p = calendario->palette();
    for (auto rol : {QPalette::Base, QPalette::AlternateBase}) p.setColor(rol, colores.Fondo);
    p.setColor(QPalette::Text, colores.Texto);
    calendario->setPalette(p);
    QTextCharFormat dias;
    dias.setForeground(colores.Texto);
    for (int d = Qt::Monday; d <= Qt::Sunday; ++d)
        calendario->setWeekdayTextFormat(static_cast<Qt::DayOfWeek>(d), dias);
    QTextCharFormat cabecera;
    cabecera.setForeground(colores.Texto);
    cabecera.setBackground(colores.Fondo);
    calendario->setHeaderTextFormat(cabecera);
    // Enter and a double click both activate.
    connect(calendario, &QCalendarWidget::activated, this, &QDialog::accept);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(calendario);
    calendario->setFocus();
}

std::optional<QDate> TfmFechaCal::Elegir(QWidget* boton, const QString& titulo, QDate inicio,
                                         const ColoresVentana& colores) {
    TfmFechaCal d(titulo, inicio, colores, boton ? boton->window() : nullptr);
    d.adjustSize();
    if (boton) {
        // Beside the button, inside the screen.
        QPoint donde = boton->mapToGlobal(QPoint(boton->width(), 0));
        if (const QScreen* s = boton->screen()) {
            const QRect a = s->availableGeometry();
            donde.setX(std::clamp(donde.x(), a.left(), std::max(a.left(), a.right() - d.width())));
            donde.setY(std::clamp(donde.y(), a.top(), std::max(a.top(), a.bottom() - d.height())));
        }
        d.move(donde);
    }
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.calendario->selectedDate();
}

}  // namespace numbrix
