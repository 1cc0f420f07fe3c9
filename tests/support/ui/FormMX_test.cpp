#include "support/ui/FormMX.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "AplicacionQt.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

void Eventos() { QCoreApplication::processEvents(); }

// Not clearing the background waits until the image covers it.
TEST(FormMX, NoEraseOnlyOnceTheImageCoversTheWindow) {
    TFormMX f;
    EXPECT_FALSE(f.testAttribute(Qt::WA_OpaquePaintEvent));
    f.resize(30, 20);
    f.Image();
    EXPECT_TRUE(f.testAttribute(Qt::WA_OpaquePaintEvent));
    f.SetAutoDraw(false);
    EXPECT_FALSE(f.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(FormMX, AutoZoomEscalaLosHijos) {
    TFormMX f;
    f.resize(200, 100);
    auto* hijo = new QWidget(&f);
    hijo->setGeometry(10, 10, 50, 20);
    auto* quieto = new QWidget(&f);
    quieto->setGeometry(0, 0, 5, 5);
    f.show();
    Eventos();
    f.SetAutoZoom(true);
    f.resize(400, 200);
    Eventos();
    EXPECT_EQ(hijo->geometry(), QRect(10 * 2, 10 * 2, 50 * 2, 20 * 2));
    EXPECT_EQ(quieto->geometry(), QRect(0, 0, 10, 10));
    // the next zoom starts from the stored size: 400 -> 300 is 3/4
    f.resize(300, 100);
    Eventos();
    EXPECT_EQ(hijo->geometry(), QRect(15, 10, 75, 20));

    f.SetAutoZoom(false);
    f.resize(600, 300);
    Eventos();
    EXPECT_EQ(hijo->geometry(), QRect(15, 10, 75, 20));
}

TEST(FormMX, LaImagenSigueAlTamanoYSePintaEncima) {
    TFormMX f;
    f.resize(40, 30);
    f.Image().fill(QColor(10, 200, 30));
    {
        QPainter p(&f.Image());
        p.fillRect(0, 0, 5, 5, QColor(200, 0, 0));
    }
    f.show();
    f.resize(60, 50);
    Eventos();
    EXPECT_EQ(f.Image().size(), QSize(60, 50));
    EXPECT_EQ(f.Image().pixelColor(2, 2), QColor(200, 0, 0));  // what was drawn stays
    EXPECT_EQ(f.Image().pixelColor(20, 20), QColor(10, 200, 30));

    QImage captura(f.size(), QImage::Format_RGB32);
    captura.fill(Qt::white);
    f.render(&captura);
    EXPECT_EQ(captura.pixelColor(2, 2), QColor(200, 0, 0));
    EXPECT_EQ(captura.pixelColor(20, 20), QColor(10, 200, 30));
}

TEST(FormMX, VentanaConFormaSinLosPixelesDelColorClave) {
    TFormMX f;
    f.resize(40, 30);
    QImage& img = f.Image();
    img.fill(QColor(255, 0, 255));  // the bottom-left pixel gives the key
    {
        QPainter p(&img);
        p.fillRect(10, 5, 20, 10, Qt::black);
        p.fillRect(2, 20, 3, 3, QColor(254, 0, 255));  // close is not equal
    }
    f.show();
    Eventos();
    f.SetTransparent(true);
    Eventos();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(f.size(), QSize(40, 30));
    const QRegion forma = f.mask();
    for (QPoint p : {QPoint(10, 5), QPoint(29, 14), QPoint(3, 21)}) EXPECT_TRUE(forma.contains(p)) << p.x();
    for (QPoint p : {QPoint(0, 0), QPoint(30, 14), QPoint(0, 29)}) EXPECT_FALSE(forma.contains(p)) << p.x();
    EXPECT_EQ(forma.boundingRect(), QRect(2, 5, 28, 18));

    // redrawing the image and asking again changes the shape
    {
        QPainter p(&f.Image());
        p.fillRect(10, 5, 20, 10, QColor(255, 0, 255));
    }
    f.ActualizarForma();
    EXPECT_FALSE(f.mask().contains(QPoint(10, 5)));

    f.SetTransparent(false);
    Eventos();
    EXPECT_TRUE(f.mask().isEmpty());
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f.isVisible());
}

TEST(FormMX, SiempreEncimaSeAplicaUnaVezYLaVentanaSigueVisible) {
    EXPECT_TRUE(TFormMX(nullptr, Qt::WindowStaysOnTopHint).TopMost());
    TFormMX f;
    f.resize(50, 50);
    f.show();
    Eventos();
    for (bool encima : {true, false}) {
        f.SetTopMost(encima);
        EXPECT_EQ(f.TopMost(), encima);
        EXPECT_TRUE(f.isVisible());
    }
}

void Raton(QWidget& w, QEvent::Type tipo, QPoint global, Qt::MouseButton boton, Qt::MouseButtons botones) {
    QMouseEvent e(tipo, QPointF(w.mapFromGlobal(global)), QPointF(global), boton, botones, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

// Drags the window by the point 10, 10 so that its frame's corner lands on
// `destino` (minus the frame's offset).
void Arrastrar(TFormMX& f, QPoint destino) {
    const QPoint agarre = f.frameGeometry().topLeft() + QPoint(10, 10);
    Raton(f, QEvent::MouseButtonPress, agarre, Qt::LeftButton, Qt::LeftButton);
    Raton(f, QEvent::MouseMove, destino + QPoint(10, 10), Qt::NoButton, Qt::LeftButton);
    Raton(f, QEvent::MouseButtonRelease, destino + QPoint(10, 10), Qt::LeftButton, Qt::NoButton);
    Eventos();
}

TEST(FormMX, ArrastrarDesdeCualquierPuntoYPegarseAlBorde) {
    if (!TFormMX::VentanasSePosicionanSolas()) GTEST_SKIP() << "la plataforma mueve las ventanas";
    TFormMX f;
    f.resize(200, 100);
    f.move(300, 250);
    f.show();
    Eventos();
    const QRect area = f.screen()->availableGeometry();
    ASSERT_GT(area.height(), 400);

    // ten pixels below the work area's top: snaps and keeps its size
    Arrastrar(f, QPoint(area.left() + 150, area.top() + 10));
    EXPECT_EQ(f.frameGeometry().top(), area.top());
    EXPECT_EQ(f.frameGeometry().left(), area.left() + 150);
    EXPECT_EQ(f.frameGeometry().size(), QSize(200, 100) + (f.frameGeometry().size() - f.size()));

    // far from every edge it goes where it is dragged
    Arrastrar(f, QPoint(area.left() + 120, area.top() + 140));
    EXPECT_EQ(f.frameGeometry().topLeft(), QPoint(area.left() + 120, area.top() + 140));

    // without Magnetic it follows the pointer even near the edge
    f.SetMagnetic(false);
    Arrastrar(f, QPoint(area.left() + 150, area.top() + 10));
    EXPECT_EQ(f.frameGeometry().topLeft(), QPoint(area.left() + 150, area.top() + 10));

    // without EasyDrag it stays
    f.SetEasyDrag(false);
    Arrastrar(f, QPoint(area.left() + 200, area.top() + 200));
    EXPECT_EQ(f.frameGeometry().topLeft(), QPoint(area.left() + 150, area.top() + 10));
}

TEST(FormMX, AvisaAlEntrarYSalirElRaton) {
    TFormMX f;
    int avisos = 0;
    bool dentro = false;
    QObject::connect(&f, &TFormMX::OnMouseOver, [&] {
        ++avisos;
        dentro = f.MouseInForm();
    });
    QEnterEvent entra(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QEvent sale(QEvent::Leave);
    for (auto [evento, cuenta, adentro] : {std::tuple<QEvent*, int, bool>{&entra, 1, true}, {&sale, 2, false},
                                           {&sale, 2, false}}) {  // a second leave tells nothing
        QCoreApplication::sendEvent(&f, evento);
        EXPECT_EQ(avisos, cuenta);
        EXPECT_EQ(dentro, adentro);
    }
}

}  // namespace
}  // namespace numbrix
