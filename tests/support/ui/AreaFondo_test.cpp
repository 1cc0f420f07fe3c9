#include "support/ui/AreaFondo.h"

#include <QImage>

#include "AplicacionQt.h"
#include "support/Gradientes.h"
#include "support/ui/ColoresSistema.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

QImage Pintar(TAreaFondo& area) {
    QImage img(area.size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    area.render(&img);
    return img;
}

TColor En(const QImage& img, int x, int y) { return ColorDeQColor(img.pixelColor(x, y)); }

TEST(AreaFondo, ValoresIniciales) {
    prueba::AplicacionQt();
    TAreaFondo area;
    EXPECT_EQ(area.Estilo(), efCilindroHor);
    EXPECT_EQ(area.Color(), clBlanco);
    EXPECT_EQ(area.Color2(), ColorRGB(128, 128, 128));
    EXPECT_EQ(area.Posicion(), 3);
    EXPECT_TRUE(area.Caption().isEmpty());
    EXPECT_TRUE(area.testAttribute(Qt::WA_OpaquePaintEvent));
    area.SetPosicion(14);
    EXPECT_EQ(area.Posicion(), 9);
    area.SetPosicion(-2);
    EXPECT_EQ(area.Posicion(), 0);
}

TEST(AreaFondo, GradienteHorizontalDeArribaAAbajo) {
    prueba::AplicacionQt();
    TAreaFondo area;
    area.resize(20, 600);
    area.SetEstilo(efGradienteHor);
    area.SetColor(ColorRGB(255, 255, 255));
    area.SetColor2(ColorRGB(0, 0, 0));
    const QImage img = Pintar(area);
    EXPECT_EQ(En(img, 5, 0), ColorRGB(254, 254, 254));  // step 1 of 255
    EXPECT_EQ(En(img, 19, 1), ColorRGB(254, 254, 254));
    EXPECT_EQ(En(img, 5, 599), ColorRGB(0, 0, 0));
    EXPECT_EQ(En(img, 5, 300), ColorRGB(127, 127, 127));  // y 300 is in band 128
}

TEST(AreaFondo, GradienteVerticalDeIzquierdaADerecha) {
    prueba::AplicacionQt();
    TAreaFondo area;
    area.resize(100, 10);
    area.SetEstilo(efGradienteVer);
    area.SetColor(ColorRGB(0, 0, 0));
    area.SetColor2(ColorRGB(200, 100, 0));
    const QImage img = Pintar(area);
    EXPECT_EQ(En(img, 0, 5), ColorRGB(2, 1, 0));
    EXPECT_EQ(En(img, 49, 5), ColorRGB(100, 50, 0));
    EXPECT_EQ(En(img, 99, 5), ColorRGB(200, 100, 0));
}

TEST(AreaFondo, CilindroConPosicionCeroSoloLaSegundaRampa) {
    prueba::AplicacionQt();
    TAreaFondo area;
    area.resize(10, 100);
    area.SetEstilo(efCilindroHor);
    area.SetPosicion(0);
    area.SetColor(ColorRGB(255, 255, 255));
    area.SetColor2(ColorRGB(0, 100, 200));
    const QImage img = Pintar(area);
    const TColGrad rampa(ColorRGB(255, 255, 255), 100, ColorRGB(0, 100, 200));
    for (int y = 0; y < 100; ++y) ASSERT_EQ(En(img, 3, y), rampa.Color(y + 1)) << y;
}

TEST(AreaFondo, CilindroVerticalConLaLineaClaraEnSuPosicion) {
    prueba::AplicacionQt();
    TAreaFondo area;
    area.resize(100, 10);
    area.SetEstilo(efCilindroVer);
    area.SetPosicion(9);
    area.SetColor(ColorRGB(255, 255, 255));
    area.SetColor2(ColorRGB(0, 0, 0));
    const QImage img = Pintar(area);
    EXPECT_EQ(En(img, 0, 0), ColorRGB(3, 3, 3));  // 1 of 90 steps from black
    EXPECT_EQ(En(img, 89, 5), ColorRGB(255, 255, 255));
    EXPECT_EQ(En(img, 99, 5), ColorRGB(0, 0, 0));
    EXPECT_LT(Rojo(En(img, 80, 5)), 255);
    EXPECT_LT(Rojo(En(img, 95, 5)), 255);
}

TEST(AreaFondo, EsferaConElCentroEnSuPosicion) {
    prueba::AplicacionQt();
    TAreaFondo area;
    area.resize(200, 100);
    area.SetEstilo(efEsfera);
    area.SetColor(ColorRGB(255, 255, 255));
    area.SetColor2(ColorRGB(0, 0, 128));
    const QImage img = Pintar(area);
    EXPECT_EQ(En(img, 0, 0), ColorRGB(255, 255, 255));  // corner: the plain fill
    EXPECT_EQ(En(img, 199, 99), ColorRGB(255, 255, 255));
    const TColor cerca = En(img, 60, 30);  // Posicion 3 of 200 x 100
    EXPECT_GE(Rojo(cerca), 245);
    const TColor borde = En(img, 2, 50);  // within the first few of 140 steps
    EXPECT_LE(Rojo(borde), 20);
    EXPECT_GE(Azul(borde), 120);
}

TEST(AreaFondo, EstilosSinDibujoMuestranElColorLiso) {
    prueba::AplicacionQt();
    for (TEstiloFondo e : {efEstirar, efMozaico, efAlfombra}) {
        TAreaFondo area;
        area.resize(30, 20);
        area.SetEstilo(e);
        area.SetColor(ColorRGB(10, 20, 30));
        const QImage img = Pintar(area);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x) ASSERT_EQ(En(img, x, y), ColorRGB(10, 20, 30)) << e;
    }
}

TEST(AreaFondo, ColoresDelSistemaSegunLaPaleta) {
    prueba::AplicacionQt();
    TAreaFondo area;
    area.resize(30, 20);
    QPalette pal = area.palette();
    pal.setColor(QPalette::Button, QColor(11, 22, 33));
    area.setPalette(pal);
    area.SetEstilo(efEstirar);
    area.SetColor(clCaraBoton);
    EXPECT_EQ(En(Pintar(area), 15, 10), ColorRGB(11, 22, 33));
}

TEST(AreaFondo, ElTituloSeCentra) {
    prueba::AplicacionQt();
    TAreaFondo area;
    area.resize(200, 40);
    area.SetEstilo(efEstirar);
    area.SetColor(clBlanco);
    QPalette pal = area.palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    area.setPalette(pal);
    area.SetCaption("Matrices");
    const QImage img = Pintar(area);
    int minX = 200, maxX = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (En(img, x, y) != clBlanco) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    ASSERT_LT(minX, maxX);
    EXPECT_NEAR((minX + maxX) / 2.0, 100, 4);
}

}  // namespace
}  // namespace numbrix
