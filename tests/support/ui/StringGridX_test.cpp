#include "support/ui/StringGridX.h"

#include <QCoreApplication>
#include <QDrag>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"

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

// The real mouse path starts a QDrag; the offscreen platform ends it at once
// with nothing dropped, so its own data is then delivered by hand as the
// platform would: enter, move, drop on the other grid's viewport.
TEST(StringGridX, ArrastrarFueraYSoltarEnOtraRejilla) {
    QWidget w;
    auto* capa = new QHBoxLayout(&w);
    TStringGridX* g[3] = {new TStringGridX, new TStringGridX, new TStringGridX};
    for (auto* x : g) {
        Llenar(*x, 2, 2);
        capa->addWidget(x);
    }
    g[0]->SetArrastrable(true);
    g[1]->SetArrastrable(true);  // g[2] takes no drops
    w.resize(600, 200);
    w.show();
    std::vector<TStringGridX*> soltadas;
    for (auto* x : g) QObject::connect(x, &TStringGridX::Soltada, [&](TStringGridX* o) { soltadas.push_back(o); });

    const auto raton = [&](QEvent::Type tipo, QPoint p, Qt::MouseButtons botones, TStringGridX* x) {
        QMouseEvent e(tipo, p, x->viewport()->mapToGlobal(p), tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      botones, Qt::NoModifier);
        QCoreApplication::sendEvent(x->viewport(), &e);
    };
    // Pressed on a fixed cell, or moved within the grid: no drag.
    const QPoint fija = g[0]->visualItemRect(g[0]->item(0, 0)).center(),
                 dato = g[0]->visualItemRect(g[0]->item(1, 1)).center(), fuera(-20, dato.y());
    raton(QEvent::MouseButtonPress, fija, Qt::LeftButton, g[0]);
    raton(QEvent::MouseMove, fuera, Qt::LeftButton, g[0]);
    raton(QEvent::MouseButtonRelease, fuera, Qt::NoButton, g[0]);
    EXPECT_EQ(g[0]->findChild<QDrag*>(), nullptr);
    raton(QEvent::MouseButtonPress, dato, Qt::LeftButton, g[0]);
    raton(QEvent::MouseMove, dato + QPoint(5, 5), Qt::LeftButton, g[0]);
    EXPECT_EQ(g[0]->findChild<QDrag*>(), nullptr);
    raton(QEvent::MouseMove, fuera, Qt::LeftButton, g[0]);
    auto* arrastre = g[0]->findChild<QDrag*>();
    ASSERT_NE(arrastre, nullptr);
    ASSERT_NE(arrastre->mimeData(), nullptr);
    QMimeData datos;
    for (const QString& f : arrastre->mimeData()->formats()) datos.setData(f, arrastre->mimeData()->data(f));

    // Returns whether `x` accepted the drag and its drop.
    const auto soltar = [&](TStringGridX* x, const QMimeData* d) {
        const QPoint p = x->viewport()->rect().center();
        QDragEnterEvent entra(p, Qt::MoveAction, d, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(x->viewport(), &entra);
        QDragMoveEvent mueve(p, Qt::MoveAction, d, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(x->viewport(), &mueve);
        QDropEvent suelta(p, Qt::MoveAction, d, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(x->viewport(), &suelta);
        return entra.isAccepted() && suelta.isAccepted();
    };
    EXPECT_FALSE(soltar(g[0], &datos));  // onto itself
    EXPECT_TRUE(soltadas.empty());
    EXPECT_FALSE(soltar(g[2], &datos));  // not arrastrable
    EXPECT_TRUE(soltadas.empty());
    // Another process's drag, or a grid no longer alive, names no origin.
    QMimeData ajeno, muerto;
    ajeno.setData("application/x-numbrix-rejilla", "1:" + datos.data("application/x-numbrix-rejilla").split(':')[1]);
    muerto.setData("application/x-numbrix-rejilla",
                   QByteArray::number(QCoreApplication::applicationPid()) + ":" + QByteArray::number(quintptr(&datos)));
    soltar(g[1], &ajeno);
    soltar(g[1], &muerto);
    EXPECT_TRUE(soltadas.empty());
    EXPECT_TRUE(soltar(g[1], &datos));
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
    EXPECT_EQ(error.toStdString(), std::system_category().message(ENOENT));
    EXPECT_EQ(h.RowCount(), 3);
    EXPECT_EQ(h.Cells(3, 1), "año");
}

}  // namespace
}  // namespace numbrix
