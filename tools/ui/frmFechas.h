#pragma once
// The dates and times window: differences of dates, a date plus days, and
// sums, quotients and multiples of durations, computed again on every change
// of a box (tools/Fechas.h does the arithmetic).
#include <QDate>
#include <array>
#include <functional>
#include <optional>

#include "shell/ui/fmComun.h"
#include "support/ui/FormMX.h"
#include "tools/Fechas.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace numbrix {

class TfrmCalcu;

// The order of day, month and year in the desktop's short date format
// (a C or POSIX locale: day/month/year).
OrdenFecha OrdenDelSistema();

class TfmFecha : public TFormMX {
    Q_OBJECT
public:
    explicit TfmFecha(LocalFechas local = {OrdenDelSistema(), {}}, QWidget* padre = nullptr);

    void AplicarColores(const ColoresVentana& c);
    const TCalculoFechas& Calculo() const { return calc_; }
    void ElegirFormato(FormatoDuracion f);
    // The calendar of box 1 or 2; `elegir` replaces the modal dialog (tests).
    void AbrirCalendario(int caja);
    std::function<std::optional<QDate>(QWidget* boton, const QString& titulo, QDate inicio)> ElegirFecha;

    QComboBox* tipo = nullptr;
    // The date panel.
    QWidget* panelFecha = nullptr;
    QLineEdit* fecha1 = nullptr;
    QLineEdit* fecha2 = nullptr;  // the second date or the days
    QLabel* etiquetaFecha2 = nullptr;
    QPushButton* botonHoy = nullptr;
    QPushButton* botonAhora = nullptr;
    QToolButton* calendario1 = nullptr;
    QToolButton* calendario2 = nullptr;
    QLineEdit* resultadoFecha = nullptr;
    QToolButton* formatoFecha = nullptr;
    // The time panel.
    QWidget* panelTiempo = nullptr;
    QLineEdit* tiempo1 = nullptr;
    QLineEdit* tiempo2 = nullptr;  // the second duration or the decimal
    QLineEdit* tiempo3 = nullptr;
    QLabel* etiquetaTiempo2 = nullptr;
    QLabel* etiquetaTiempo3 = nullptr;
    QLineEdit* resultadoTiempo = nullptr;
    QToolButton* formatoTiempo = nullptr;
    QMenu* menuFormato = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    TipoCalculoFecha Tipo() const;
    void CambiarTipo();
    void Recalcular();
    void Mostrar(QLineEdit* resultado, const std::string& texto);
    std::array<QLineEdit*, 5> Cajas() const { return {fecha1, fecha2, tiempo1, tiempo2, tiempo3}; }

    TCalculoFechas calc_;
    ColoresVentana colores_{};
};

// Registers the window with the main window (Ctrl+F, remembered as "Fechas").
void ConectarFechas(TfrmCalcu& principal);

}  // namespace numbrix
