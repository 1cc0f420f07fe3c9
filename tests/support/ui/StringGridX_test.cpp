#include "support/ui/StringGridX.h"

#include <QCoreApplication>
#include <QDrag>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"
#include "support/basicos.h"

#include <gtest/gtest.h>
#include <system_error>

namespace numbrix {
namespace {

// A matrix grid: letter A, `filas` x `columnas` data cells "f,c".
void Llenar(TStringGridX& g, int columnas, int filas) {
    g.SetColCount(columnas + 1);
    g.SetRowCount(filas + 1);
    g.SetCells(0, 0, "A");
    for (int f = 1; f <= filas; ++f)
        for (int c = 1; c <= columnas; ++c) g.SetCells(c, f, QString("%1,%2").arg(f).arg(c));
}

TEST(StringGridX, CeldasFijasNoSeEditan) {
    TStringGridX g;
    Llenar(g, 3, 3);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.FixedRows(), 1);
    ASSERT_NE(g.item(0, 2), nullptr);
    EXPECT_FALSE(g.item(0, 2)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(g.item(2, 0)->flags().testFlag(Qt::ItemIsSelectable));
    EXPECT_TRUE(g.item(1, 1)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_EQ(g.Cells(2, 1), "1,2");
    EXPECT_EQ(g.Cells(9, 9), "");
    g.SetCells(9, 9, "fuera");
    EXPECT_EQ(g.ColCount(), 4);
    // the fixed rows and columns never take the whole grid
    g.SetFixedRows(10);
    EXPECT_EQ(g.FixedRows(), 3);
    g.SetRowCount(1);
    EXPECT_EQ(g.RowCount(), 4);
}

TEST(StringGridX, BorrarFilaSubeLasDeAbajoYMantieneLaSeleccion) {
    TStringGridX g;
    Llenar(g, 2, 4);
    g.setCurrentCell(4, 2);
    ASSERT_TRUE(g.BorrarFila(4));
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.currentRow(), 3);
    EXPECT_EQ(g.currentColumn(), 2);

    g.setCurrentCell(2, 1);
    ASSERT_TRUE(g.BorrarFila(2));
    EXPECT_EQ(g.Cells(1, 1), "1,1");
    EXPECT_EQ(g.Cells(1, 2), "3,1");
    EXPECT_EQ(g.currentRow(), 2);
    EXPECT_EQ(g.Cells(0, 0), "A");

    EXPECT_FALSE(g.BorrarFila(0));  // fixed
    EXPECT_FALSE(g.BorrarFila(7));
    ASSERT_TRUE(g.BorrarFila(1));
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.currentRow(), 1);
    EXPECT_FALSE(g.BorrarFila(1));  // the last matrix row stays
    EXPECT_EQ(g.Cells(2, 1), "3,2");
}

TEST(StringGridX, ElTecladoNoEntraEnLasCeldasFijas) {
    TStringGridX g;
    Llenar(g, 3, 3);
    g.setCurrentCell(1, 1);
    const auto tecla = [&](int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(&g, &e);
    };
    tecla(Qt::Key_Up);
    tecla(Qt::Key_Left);
    tecla(Qt::Key_Home);
    EXPECT_EQ(g.currentRow(), 1);
    EXPECT_EQ(g.currentColumn(), 1);
    tecla(Qt::Key_Down);
    tecla(Qt::Key_Right);
    EXPECT_EQ(g.currentRow(), 2);
    EXPECT_EQ(g.currentColumn(), 2);
}

// The mouse starts a real QDrag; offscreen it ends at once, so its own data
// is then dropped by hand as the platform would, on each kind of target.
TEST(StringGridX, ArrastrarFueraYSoltarEnOtraRejilla) {
    QWidget w;
    auto* capa = new QHBoxLayout(&w);
    TStringGridX* g[3] = {new TStringGridX, new TStringGridX, new TStringGridX};
    for (int i = 0; i < 3; ++i) capa->addWidget(g[i]), g[i]->SetArrastrable(i < 2);  // g[2] takes no drops
    w.show();
    std::vector<TStringGridX*> soltadas;
    for (auto* x : g) QObject::connect(x, &TStringGridX::Soltada, [&](TStringGridX* o) { soltadas.push_back(o); });
    const auto raton = [&](QEvent::Type tipo, QPoint p) {
        QMouseEvent e(tipo, p, p, tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(g[0]->viewport(), &e);
    };
    const QPoint dato = g[0]->visualRect(g[0]->model()->index(1, 1)).center();
    raton(QEvent::MouseButtonPress, dato);
    raton(QEvent::MouseMove, dato + QPoint(3, 3));  // within the grid: a selection
    EXPECT_EQ(g[0]->findChild<QDrag*>(), nullptr);
    raton(QEvent::MouseMove, {-20, dato.y()});
    auto* arrastre = g[0]->findChild<QDrag*>();
    ASSERT_TRUE(arrastre && arrastre->mimeData());
    const QByteArray datos = arrastre->mimeData()->data("application/x-numbrix-rejilla");
    const auto soltar = [&](TStringGridX* x, const QByteArray& d) {
        QMimeData m;
        m.setData("application/x-numbrix-rejilla", d);
        const QPoint p = x->viewport()->rect().center();
        QDragEnterEvent entra(p, Qt::MoveAction, &m, Qt::LeftButton, Qt::NoModifier);
        QDropEvent suelta(p, Qt::MoveAction, &m, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(x->viewport(), &entra);
        QCoreApplication::sendEvent(x->viewport(), &suelta);
    };
    soltar(g[0], datos);  // onto itself
    soltar(g[2], datos);
    soltar(g[1], "1:" + datos.split(':')[1]);  // another process's grid
    soltar(g[1], datos.split(':')[0] + ":" + QByteArray::number(quintptr(&w)));  // not a grid
    EXPECT_TRUE(soltadas.empty());
    soltar(g[1], datos);
    EXPECT_EQ(soltadas, std::vector<TStringGridX*>{g[0]});
}

class StringGridXArchivo : public CarpetaTemporal {};

TEST_F(StringGridXArchivo, GuardarYCargar) {
    TStringGridX g;
    Llenar(g, 3, 2);
    g.SetCells(2, 2, "");
    g.SetCells(3, 1, "año");
    const auto ruta = dir_ / "gb.gri";
    QString error;
    ASSERT_TRUE(g.GuardarEnArchivo(ruta, &error)) << error.toStdString();
    EXPECT_EQ(Leer(ruta), "1,1\t1,2\taño\r\n2,1\t\t2,3\r\n");

    TStringGridX h;
    Llenar(h, 5, 5);
    h.SetCells(0, 0, "B");
    ASSERT_TRUE(h.CargarDeArchivo(ruta, &error)) << error.toStdString();
    EXPECT_EQ(h.ColCount(), 4);
    EXPECT_EQ(h.RowCount(), 3);
    EXPECT_EQ(h.Cells(0, 0), "B");
    for (int f = 1; f < 3; ++f)
        for (int c = 1; c < 4; ++c) EXPECT_EQ(h.Cells(c, f), g.Cells(c, f)) << c << "," << f;
    EXPECT_FALSE(h.item(0, 3)->flags().testFlag(Qt::ItemIsEditable));

    // an unreadable file leaves the grid alone
    EXPECT_FALSE(h.CargarDeArchivo(dir_ / "no.gri", &error));
    EXPECT_EQ(error.toStdString(), TextoErrorSistema(ENOENT));
    EXPECT_EQ(h.RowCount(), 3);
    EXPECT_EQ(h.Cells(3, 1), "año");
}

}  // namespace
}  // namespace numbrix
