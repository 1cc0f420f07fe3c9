#include "tools/ui/fmStat.h"

#include <gtest/gtest.h>

#include <QMouseEvent>

#include "AplicacionQt.h"
#include "shell/ui/Ventanas.h"

namespace numbrix {
namespace {

TEST(fmStat, PuertaVaciarYBorrar) {
    prueba::Respuestas r;
    TfmStat v;
    v.Cajas = r.Cajas();
    v.show();
    prueba::Escribir(v.cajaEntrada, "5*3\r5a\r");  // the letter never reaches the box
    EXPECT_EQ(v.Datos().N(), 4);
    v.paginas->setCurrentIndex(1);  // one distinct value: stays
    EXPECT_EQ(v.paginas->currentIndex(), 0);
    v.PegarTexto("7*0\n8\n9*-1");  // refused whole
    EXPECT_EQ(r.avisos.value(0), "Ninguna frecuencia puede ser menor que cero");
    v.PegarTexto("7*0\n8");
    v.paginas->setCurrentIndex(1);
    EXPECT_EQ(v.paginas->currentIndex(), 1);
    ASSERT_EQ(v.tablaMedidas->rowCount(), 21);
    EXPECT_EQ(v.tablaMedidas->item(6, 0)->text(), "   Mínimo =");
    EXPECT_EQ(v.tablaMedidas->item(6, 1)->text(), "5");
    EXPECT_FALSE(v.tablaMedidas->item(6, 0)->flags() & Qt::ItemIsSelectable);
    QMouseEvent mover(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(v.grafico, &mover);  // the corner: clamped to (minimum, highest frequency)
    EXPECT_EQ(v.etiquetaPuntero->text(), "x = 5.00  f = 4");

    v.paginas->setCurrentIndex(0);
    v.tablaDatos->setCurrentIndex(v.tablaDatos->model()->index(2, 0));  // 8, after the sort by value
    v.BorrarPunto();  // takes 7 (frequency 0) along
    ASSERT_EQ(v.tablaDatos->model()->rowCount(), 1);
    EXPECT_EQ(v.tablaDatos->model()->index(0, 1).data().toString(), "4");
    EXPECT_EQ(v.etiquetaN->text(), "4");

    v.VaciarTodo();  // No
    EXPECT_EQ(r.preguntas.value(0), "Borrar|Se eliminaran todos los datos.\n\n¿Desea continuar?");
    EXPECT_EQ(v.tablaDatos->model()->rowCount(), 1);
    r.respuesta = true;
    v.VaciarTodo();
    EXPECT_EQ(v.tablaDatos->model()->rowCount(), 0);
    EXPECT_EQ(v.etiquetaN->text() + v.etiquetaSuma->text() + v.etiquetaMedia->text(), "");
}

}  // namespace
}  // namespace numbrix
