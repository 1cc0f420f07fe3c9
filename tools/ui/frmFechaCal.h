#pragma once
// The small calendar the dates window picks a date with: Enter or a double
// click accepts, Escape cancels, the arrows move a day or a week.
#include <QDate>
#include <QDialog>
#include <optional>

#include "shell/ui/fmComun.h"

class QCalendarWidget;

namespace numbrix {

class TfmFechaCal : public QDialog {
    Q_OBJECT
public:
    TfmFechaCal(const QString& titulo, QDate inicio, const ColoresVentana& colores, QWidget* padre = nullptr);
    QCalendarWidget* calendario = nullptr;

    // Shows it beside `boton`, modal; the accepted date or nothing.
    static std::optional<QDate> Elegir(QWidget* boton, const QString& titulo, QDate inicio,
                                       const ColoresVentana& colores);
};

}  // namespace numbrix
