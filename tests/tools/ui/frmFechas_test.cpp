// The dates window typed into as a user would, at a fixed clock.
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <gtest/gtest.h>

#include "shell/ui/Ventanas.h"
#include "tools/ui/frmFechaCal.h"
#include "tools/ui/frmFechas.h"

namespace numbrix {
namespace {

using prueba::Escribir;
using prueba::Tecla;
using T = TipoCalculoFecha;

class VentanaFechas : public ::testing::Test {
protected:
    void SetUp() override {
        w_.show();
        QApplication::processEvents();
    }
    void Tipo(T t) { w_.tipo->setCurrentIndex(static_cast<int>(t)); }
    bool Ve(QWidget* x) const { return x->isVisibleTo(&w_); }
    QApplication& app_ = prueba::AplicacionQt();
    TfmFecha w_{LocalFechas{OrdenFecha::DiaMesAnio, [] { return FechaHoraCivil{{2025, 6, 15}, 9, 5, 7, 0}; }}};
};

TEST_F(VentanaFechas, TypedCasesKeysAndEscape) {
    Escribir(w_.fecha1, "01/03/2024x");  // letters are swallowed
    Escribir(w_.fecha2, "28/02/2024");
    EXPECT_EQ(w_.resultadoFecha->text(), "2 d.  00:00:00");
    Tipo(T::FechaMasDias);
    EXPECT_EQ(w_.etiquetaFecha2->text(), "&Días (+/-):");
    EXPECT_FALSE(Ve(w_.calendario2) || Ve(w_.formatoFecha));
    w_.fecha2->clear();
    EXPECT_EQ(w_.resultadoFecha->text(), "");
    Escribir(w_.fecha2, "2,5d");  // no "," and no "d" in the days
    EXPECT_EQ(w_.resultadoFecha->text(), "martes 26/03/2024 00:00:00.0");

    Tipo(T::TiempoMasTiempo);
    EXPECT_TRUE(!Ve(w_.panelFecha) && Ve(w_.tiempo3));
    Escribir(w_.tiempo1, "2d 12");
    Escribir(w_.tiempo2, "--1:00");
    EXPECT_EQ(w_.resultadoTiempo->text(), "--1:00 no es formato de hora válido");
    w_.tiempo2->setText("12");
    Tipo(T::TiempoEntreTiempo);
    EXPECT_FALSE(Ve(w_.formatoTiempo));
    EXPECT_EQ(w_.resultadoTiempo->text(), "5");
    Tipo(T::TiempoPorDecimal);
    EXPECT_EQ(w_.etiquetaTiempo2->text(), "&Decimal");
    EXPECT_FALSE(Ve(w_.tiempo3));

    // Enter goes to the next box; Escape empties a box, then closes.
    w_.activateWindow();
    w_.tiempo1->setFocus();
    Escribir(w_.tiempo1, "\r");
    EXPECT_EQ(QApplication::focusWidget(), w_.tiempo2);
    Escribir(w_.tiempo1, "\x1b");
    EXPECT_TRUE(w_.tiempo1->text().isEmpty() && w_.isVisible());
    Escribir(w_.tiempo1, "\x1b");
    EXPECT_FALSE(w_.isVisible());
}

TEST_F(VentanaFechas, AFormatWritesBothResultsAgainAndNowUsesTheClock) {
    w_.botonAhora->click();
    EXPECT_EQ(w_.fecha1->text(), "15/06/2025 09:05:07");
    w_.botonHoy->click();
    EXPECT_EQ(w_.fecha1->text(), "15/06/2025");
    w_.fecha2->setText("13/06/2025 12:00");
    Tipo(T::TiempoMasTiempo);
    w_.tiempo1->setText("1:30");
    w_.tiempo2->setText("0:45");
    QAction* minutos = w_.menuFormato->actions().at(3);  // Minutos
    minutos->trigger();
    EXPECT_EQ(w_.resultadoTiempo->text() + " " + w_.resultadoFecha->text(), "135 2160");
    EXPECT_EQ(w_.formatoFecha->text() + w_.formatoTiempo->text(), "MinutosMinutos");
    EXPECT_TRUE(minutos->isChecked() && !w_.menuFormato->actions().at(0)->isChecked());
}

TEST_F(VentanaFechas, TheCalendarStartsOnTheBoxsDateAndWritesTheChoice) {
    QDate vista;
    w_.ElegirFecha = [&](QWidget*, const QString&, QDate inicio) { return vista = inicio, QDate(2024, 2, 29); };
    w_.AbrirCalendario(1);
    EXPECT_EQ(vista, QDate(2025, 6, 15));  // an empty box: today
    EXPECT_EQ(w_.fecha1->text(), "29/02/2024");
    w_.fecha2->setText("03/04/1999");
    w_.AbrirCalendario(2);
    EXPECT_EQ(vista, QDate(1999, 4, 3));
    // The dialog itself: arrows move, Enter accepts, Escape cancels.
    for (int tecla : {Qt::Key_Return, Qt::Key_Escape}) {
        TfmFechaCal d("Fecha 1", QDate(2024, 2, 28), ColoresVentana{});
        d.show();
        auto* dias = d.calendario->findChild<QTableView*>();
        Tecla(dias, Qt::Key_Right);
        Tecla(dias, tecla);
        EXPECT_EQ(d.calendario->selectedDate(), QDate(2024, 2, 29));
        EXPECT_EQ(d.result(), tecla == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }
}

class FechasEnPrincipal : public VentanaPrincipal {};

TEST_F(FechasEnPrincipal, CtrlFTogglesTheWindow) {
    ConectarFechas(*ventana_);
    Mostrar(560, 380);
    Pulsar(Qt::Key_F, Qt::ControlModifier);
    auto* w = qobject_cast<TfmFecha*>(ventana_->VentanaHerramienta("Fechas y Tiempo"));
    ASSERT_TRUE(w && w->isVisible());
    Pulsar(Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(w->isVisible());
}

}  // namespace
}  // namespace numbrix
