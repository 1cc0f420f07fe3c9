#include "support/ui/StringGridX.h"

#include <QCoreApplication>
#include <QKeyEvent>

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
