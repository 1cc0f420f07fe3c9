// Which ramp each background style paints, which way and from which colour
// (the ramps themselves: tests/support/Gradientes_test.cpp).
#include "support/ui/AreaFondo.h"

#include <QImage>

#include "AplicacionQt.h"
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

TEST(AreaFondo, EachStylePaintsItsRampItsWay) {
    const TColor blanco = ColorRGB(255, 255, 255), negro = ColorRGB(0, 0, 0);
    const struct {
        TEstiloFondo estilo;
        int ancho, alto, posicion;
        TColor color, color2;
        int tolerancia;  // per channel
        std::vector<std::pair<QPoint, TColor>> pixeles;
    } casos[] = {
        // top to bottom, step 1 of 255 first; y 300 of 600 is band 128
        {efGradienteHor, 20, 600, 3, blanco, negro, 0,
         {{{5, 0}, ColorRGB(254, 254, 254)}, {{5, 300}, ColorRGB(127, 127, 127)}, {{5, 599}, negro}}},
        // left to right
        {efGradienteVer, 100, 10, 3, negro, ColorRGB(200, 100, 0), 0,
         {{{0, 5}, ColorRGB(2, 1, 0)}, {{49, 5}, ColorRGB(100, 50, 0)}, {{99, 5}, ColorRGB(200, 100, 0)}}},
        // the light line at nine tenths, the second colour at both edges
        {efCilindroVer, 100, 10, 9, blanco, negro, 0,
         {{{0, 0}, ColorRGB(3, 3, 3)}, {{89, 5}, blanco}, {{99, 5}, negro}}},
        // position 0: only the second ramp, from the first colour down
        {efCilindroHor, 10, 100, 0, blanco, ColorRGB(0, 100, 200), 0,
         {{{3, 0}, ColorRGB(252, 253, 254)}, {{3, 99}, ColorRGB(0, 100, 200)}}},
        // the sphere: the plain fill in the corners, its light centre at
        // three tenths, the second colour at its rim
        {efEsfera, 200, 100, 3, blanco, ColorRGB(0, 0, 128), 15,
         {{{0, 0}, blanco}, {{199, 99}, blanco}, {{60, 30}, blanco}, {{2, 50}, ColorRGB(0, 0, 128)}}},
    };
    for (const auto& c : casos) {
        TAreaFondo area;
        area.resize(c.ancho, c.alto);
        area.SetEstilo(c.estilo);
        area.SetPosicion(c.posicion);
        area.SetColor(c.color);
        area.SetColor2(c.color2);
        const QImage img = Pintar(area);
        for (const auto& [p, color] : c.pixeles) {
            const TColor visto = En(img, p.x(), p.y());
            for (auto canal : {Rojo, Verde, Azul})
                EXPECT_LE(std::abs(canal(visto) - canal(color)), c.tolerancia)
                    << c.estilo << " en " << p.x() << "," << p.y() << ": " << std::hex << visto;
        }
    }
}

TEST(AreaFondo, PictureStylesShowThePlainColourAndSystemColoursFollowThePalette) {
    for (TEstiloFondo e : {efEstirar, efMozaico, efAlfombra}) {
        TAreaFondo area;
        area.resize(30, 20);
        area.SetEstilo(e);
        area.SetColor(ColorRGB(10, 20, 30));
        const QImage img = Pintar(area);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x) ASSERT_EQ(En(img, x, y), ColorRGB(10, 20, 30)) << e;
    }
    TAreaFondo area;
    area.resize(30, 20);
    QPalette pal = area.palette();
    pal.setColor(QPalette::Button, QColor(11, 22, 33));
    area.setPalette(pal);
    area.SetEstilo(efEstirar);
    area.SetColor(clCaraBoton);
    EXPECT_EQ(En(Pintar(area), 15, 10), ColorRGB(11, 22, 33));
}

// Centring the caption is TextoCentrado's (GradientesQt_test); here that it
// is written, in the palette's text colour.
TEST(AreaFondo, TheCaptionIsWrittenInTheTextColour) {
    TAreaFondo area;
    area.resize(200, 40);
    area.SetEstilo(efEstirar);
    area.SetColor(clBlanco);
    QPalette pal = area.palette();
    pal.setColor(QPalette::WindowText, QColor(200, 0, 0));
    area.setPalette(pal);
    area.SetCaption("Matrices");
    const QImage img = Pintar(area);
    int rojos = 0;  // red ink, smoothed onto white at its edges
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) rojos += Rojo(En(img, x, y)) - Verde(En(img, x, y)) > 100;
    EXPECT_GT(rojos, 20);
}

}  // namespace
}  // namespace numbrix
