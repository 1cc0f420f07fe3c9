#include "support/ui/GradientesQt.h"

#include <QPainter>
#include <functional>

#include "AplicacionQt.h"
#include "support/Gradientes.h"
#include "support/ui/ColoresSistema.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

QImage Lienzo(int ancho, int alto, QColor fondo = Qt::white) {
    QImage img(ancho, alto, QImage::Format_RGB32);
    img.fill(fondo);
    return img;
}

TColor En(const QImage& img, int x, int y) { return ColorDeQColor(img.pixelColor(x, y)); }

TEST(GradientesQt, CadaPixelTieneElColorDeSuBanda) {
    const TColor de = ColorRGB(250, 10, 100), a = ColorRGB(5, 200, 30);
    for (const bool vertical : {false, true}) {
        QImage img = vertical ? Lienzo(3, 600) : Lienzo(600, 3);
        {
            QPainter p(&img);
            PintarGradiente(p, img.rect(), QColor(250, 10, 100), QColor(5, 200, 30), vertical);
        }
        for (const TBanda& b : BandasLineales(600, de, a))
            for (int i = b.Desde; i < b.Hasta; ++i) {
                const int x = vertical ? 1 : i, y = vertical ? i : 1;
                ASSERT_EQ(En(img, x, y), b.Color) << vertical << " " << i;
            }
    }
}

// The bands and ellipses are support/Gradientes' (tested there), the sphere's
// colours from its rim to its centre tests/support/ui/AreaFondo's; here that
// they are filled where they belong.
TEST(GradientesQt, PaintingStaysInsideItsRectangle) {
    QImage img = Lienzo(40, 40);
    {
        QPainter p(&img);
        PintarGradienteDosPartes(p, QRect(10, 10, 20, 20), Qt::black, Qt::red, 4, true);
        PintarGradienteConcentrico(p, QRect(10, 10, 20, 20), QPoint(15, 15), Qt::blue, Qt::green);
        // A zero-size rectangle paints nothing and does not fail.
        PintarGradienteConcentrico(p, QRect(5, 5, 0, 0), QPoint(5, 5), Qt::red, Qt::red);
        PintarGradiente(p, QRect(5, 5, 0, 0), Qt::red, Qt::red, true);
    }
    for (int i = 0; i < 40; ++i)
        for (const QPoint q : {QPoint(i, 9), QPoint(i, 30), QPoint(9, i), QPoint(30, i), QPoint(5, 5)})
            ASSERT_EQ(img.pixelColor(q), QColor(Qt::white)) << q.x() << "," << q.y();
}

// Where black ink lands when `pintar` writes on a white picture.
QRect Tinta(QSize tamano, const std::function<void(QPainter&)>& pintar) {
    QImage img = Lienzo(tamano.width(), tamano.height());
    {
        QPainter p(&img);
        p.setPen(Qt::black);
        pintar(p);
    }
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != QColor(Qt::white)) r = r.united(QRect(x, y, 1, 1));
    return r;
}

TEST(GradientesQt, TextsCentredTurnedAndTiled) {
    const QRect centrado = Tinta({200, 200}, [](QPainter& p) { TextoCentrado(p, QRect(0, 0, 200, 200), "MMMM"); });
    ASSERT_FALSE(centrado.isEmpty());
    EXPECT_NEAR(centrado.center().x(), 100, 4);
    EXPECT_NEAR(centrado.center().y(), 100, 6);
    // Turned a quarter: it reads upwards from its origin.
    const QRect girado = Tinta({200, 200}, [](QPainter& p) { TextoAngulo(p, QPoint(100, 150), 900, "MMMMMMMM"); });
    ASSERT_FALSE(girado.isEmpty());
    EXPECT_GT(girado.height(), girado.width());
    EXPECT_LE(girado.bottom(), 150);
    EXPECT_GE(girado.left(), 99);
    // Tiles cover their rectangle and nothing else.
    const QRect mosaico = Tinta({300, 200}, [](QPainter& p) { TextoMosaico(p, QRect(50, 40, 200, 120), "Numbrix"); });
    EXPECT_TRUE(QRect(50, 40, 200, 120).contains(mosaico));
    EXPECT_GT(mosaico.width(), 150);
    EXPECT_GT(mosaico.height(), 80);
}

// Which pixels are see-through is support/RegionImagen's (tested there);
// here that a QImage's pixels reach it as they are, in any format.
TEST(GradientesQt, RegionDeImagenSinLosPixelesClave) {
    QImage img = Lienzo(20, 10, QColor(200, 0, 100));  // red and blue swapped would not be the key
    img.setPixelColor(3, 2, QColor(100, 0, 200));
    const QRegion region = RegionDeImagen(img, ColorRGB(200, 0, 100));
    EXPECT_EQ(region, QRegion(3, 2, 1, 1));
    EXPECT_EQ(RegionDeImagen(img.convertToFormat(QImage::Format_RGB888), ColorRGB(200, 0, 100)), region);
    EXPECT_TRUE(RegionDeImagen(QImage(), 0).isEmpty());
}

TEST(ColoresSistema, LosColoresDelSistemaSalenDeLaPaleta) {
    QPalette pal;
    pal.setColor(QPalette::Active, QPalette::Text, QColor(1, 2, 3));
    pal.setColor(QPalette::Active, QPalette::Base, QColor(4, 5, 6));
    pal.setColor(QPalette::Active, QPalette::Button, QColor(7, 8, 9));
    pal.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 11, 12));
    EXPECT_EQ(ResolverColor(ColorDeEntero(-2147483640), pal), QColor(1, 2, 3));  // $80000008
    EXPECT_EQ(ResolverColor(clVentana, pal), QColor(4, 5, 6));
    EXPECT_EQ(ResolverColor(clCaraBoton, pal), QColor(7, 8, 9));
    EXPECT_EQ(ResolverColor(clResaltado, pal), QColor(10, 11, 12));
    // plain colours are 0x00BBGGRR
    EXPECT_EQ(ResolverColor(ColorDeEntero(16765864), pal), QColor(168, 211, 255));
    EXPECT_EQ(ColorDeQColor(QColor(168, 211, 255)), TColor(16765864));
    // every index gives an opaque colour, unknown ones too
    for (int i = 0; i <= 255; ++i) EXPECT_EQ(ResolverColor(ColorSistema(i), pal).alpha(), 255) << i;
}

}  // namespace
}  // namespace numbrix
