#include "support/ui/PaintBoxM.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include "AplicacionQt.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

// The scale's arithmetic is support/EscalaMundo's (tested there); here that
// the box keeps it in step with its size and tells.
TEST(PaintBoxM, LaEscalaSigueAlTamano) {
    TPaintBoxM caja;
    int avisos = 0;
    QObject::connect(&caja, &TPaintBoxM::OnResize, [&] { ++avisos; });
    caja.resize(200, 100);
    caja.show();
    QCoreApplication::processEvents();
    caja.SetScale(-10, 5, 10, -5);
    EXPECT_EQ(caja.MundoAPixelX(0), 100);
    EXPECT_EQ(caja.MundoAPixelY(0), 50);

    caja.SetKeepScaleAspect(true);
    caja.resize(400, 100);
    QCoreApplication::processEvents();
    EXPECT_GE(avisos, 2);
    EXPECT_DOUBLE_EQ(caja.ScaleLeft(), -20);  // the aspect kept: as many units per pixel
    EXPECT_DOUBLE_EQ(caja.ScaleRight(), 20);
}

void Raton(QWidget& w, QEvent::Type tipo, QPoint p, Qt::MouseButton boton, Qt::MouseButtons botones,
           Qt::KeyboardModifiers teclas = Qt::NoModifier) {
    QMouseEvent e(tipo, QPointF(p), QPointF(w.mapToGlobal(p)), boton, botones, teclas);
    QCoreApplication::sendEvent(&w, &e);
}

TEST(PaintBoxM, BandaElasticaNormalizada) {
    TPaintBoxM caja;
    caja.resize(100, 100);
    std::vector<std::pair<QRect, QPoint>> dibujos;
    std::vector<std::pair<QRect, Qt::MouseButton>> sueltas;
    Qt::KeyboardModifiers teclas;
    QObject::connect(&caja, &TPaintBoxM::OnRectDraw, [&](const QRect& r, Qt::KeyboardModifiers t, const QPoint& p) {
        dibujos.emplace_back(r, p);
        teclas = t;
    });
    QObject::connect(&caja, &TPaintBoxM::OnRectUp,
                     [&](const QRect& r, Qt::MouseButton b, Qt::KeyboardModifiers) { sueltas.emplace_back(r, b); });

    Raton(caja, QEvent::MouseButtonPress, {40, 50}, Qt::LeftButton, Qt::LeftButton);
    Raton(caja, QEvent::MouseMove, {10, 60}, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    Raton(caja, QEvent::MouseButtonRelease, {20, 20}, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(dibujos.size(), 2u);
    EXPECT_EQ(dibujos[0].first, QRect(QPoint(10, 50), QPoint(40, 60)));
    EXPECT_EQ(dibujos[0].second, QPoint(10, 60));
    EXPECT_EQ(dibujos[1].first, QRect(QPoint(20, 20), QPoint(40, 50)));
    EXPECT_EQ(dibujos[1].second, QPoint(20, 20));
    ASSERT_EQ(sueltas.size(), 1u);
    EXPECT_EQ(sueltas[0].first, QRect(QPoint(20, 20), QPoint(40, 50)));
    EXPECT_EQ(sueltas[0].second, Qt::LeftButton);

    // the middle button draws nothing by default; the right one does
    dibujos.clear();
    sueltas.clear();
    Raton(caja, QEvent::MouseButtonPress, {5, 5}, Qt::MiddleButton, Qt::MiddleButton);
    Raton(caja, QEvent::MouseMove, {9, 9}, Qt::NoButton, Qt::MiddleButton);
    Raton(caja, QEvent::MouseButtonRelease, {9, 9}, Qt::MiddleButton, Qt::NoButton);
    EXPECT_TRUE(dibujos.empty());
    EXPECT_TRUE(sueltas.empty());
    caja.SetDrawRectRight(false);
    Raton(caja, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    Raton(caja, QEvent::MouseButtonRelease, {9, 9}, Qt::RightButton, Qt::NoButton);
    EXPECT_TRUE(sueltas.empty());
    caja.SetDrawRectMiddle(true);
    Raton(caja, QEvent::MouseButtonPress, {5, 5}, Qt::MiddleButton, Qt::MiddleButton);
    // another button released meanwhile does not end the band
    Raton(caja, QEvent::MouseButtonRelease, {7, 7}, Qt::LeftButton, Qt::MiddleButton);
    Raton(caja, QEvent::MouseButtonRelease, {9, 9}, Qt::MiddleButton, Qt::NoButton);
    ASSERT_EQ(sueltas.size(), 1u);
    EXPECT_EQ(sueltas[0].second, Qt::MiddleButton);
}

}  // namespace
}  // namespace numbrix
