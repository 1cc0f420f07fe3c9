#include "support/EscalaMundo.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

TEST(EscalaMundo, ValoresIniciales) {
    TEscalaMundo e;
    EXPECT_EQ(e.ScaleLeft(), 0);
    EXPECT_EQ(e.ScaleRight(), 1);
    EXPECT_EQ(e.ScaleTop(), 0);
    EXPECT_EQ(e.ScaleBottom(), 1);
    EXPECT_FALSE(e.KeepScaleAspect);
    e.Redimensionar(100, 50);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelX(), 0.01);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelY(), 0.02);
}

TEST(EscalaMundo, AnchoYAltoMuevenDerechaYAbajo) {
    TEscalaMundo e;
    e.Redimensionar(200, 100);
    e.SetScale(-1, 5, 1, -5);
    e.SetScaleWidth(8);
    e.SetScaleHeight(-20);
    EXPECT_EQ(e.ScaleLeft(), -1);
    EXPECT_EQ(e.ScaleRight(), 7);
    EXPECT_EQ(e.ScaleTop(), 5);
    EXPECT_EQ(e.ScaleBottom(), -15);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelX(), 0.04);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelY(), -0.2);
}

struct CasoMundo {
    double izquierda, arriba, derecha, abajo;
    int ancho, alto;
};

TEST(EscalaMundo, IdaYVueltaEntrePixelYMundo) {
    const CasoMundo casos[] = {
        {0, 0, 1, 1, 105, 105},    {-10, 10, 10, -10, 640, 480},  // y upwards
        {1e6, 0, 1e6 + 3, 1, 301, 7}, {-3.5, -2, 2.25, 7, 1, 1},  {0, 0, 1e-300, 1e-300, 1000, 1000},
    };
    for (const auto& c : casos) {
        TEscalaMundo e;
        e.Redimensionar(c.ancho, c.alto);
        e.SetScale(c.izquierda, c.arriba, c.derecha, c.abajo);
        for (int px = -c.ancho; px <= 2 * c.ancho; ++px) {
            ASSERT_EQ(e.MundoAPixelX(e.PixelAMundoX(px)), px) << c.izquierda << " " << px;
        }
        for (int py = -c.alto; py <= 2 * c.alto; ++py) {
            ASSERT_EQ(e.MundoAPixelY(e.PixelAMundoY(py)), py) << c.arriba << " " << py;
        }
        // the bounds fall on the surface's edges
        EXPECT_EQ(e.MundoAPixelX(c.izquierda), 0);
        EXPECT_EQ(e.MundoAPixelX(c.derecha), c.ancho);
        EXPECT_EQ(e.MundoAPixelY(c.abajo), c.alto);
    }
}

TEST(EscalaMundo, RedondeaAlPixelMasCercano) {
    TEscalaMundo e;
    e.Redimensionar(10, 10);
    e.SetScale(0, 0, 10, 10);
    EXPECT_EQ(e.MundoAPixelX(3.4), 3);
    EXPECT_EQ(e.MundoAPixelX(3.6), 4);
    EXPECT_EQ(e.MundoAPixelX(-3.6), -4);
    EXPECT_DOUBLE_EQ(e.PixelAMundoX(2.5), 2.5);
}

TEST(EscalaMundo, ValoresLejanosOInfinitosDanPixelesAcotados) {
    TEscalaMundo e;
    e.Redimensionar(100, 100);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(e.MundoAPixelX(1e300), TEscalaMundo::kPixelMax);
    EXPECT_EQ(e.MundoAPixelX(-1e300), -TEscalaMundo::kPixelMax);
    EXPECT_EQ(e.MundoAPixelY(inf), TEscalaMundo::kPixelMax);
    EXPECT_EQ(e.MundoAPixelY(-inf), -TEscalaMundo::kPixelMax);
    EXPECT_EQ(e.MundoAPixelX(std::nan("")), 0);
}

TEST(EscalaMundo, SinPixelesOConLimitesIgualesSeConservaLaEscala) {
    TEscalaMundo e;
    e.Redimensionar(100, 200);
    e.SetScale(0, 0, 50, 50);
    const double ux = e.UnidadesPorPixelX(), uy = e.UnidadesPorPixelY();
    const auto conserva = [&](const char* paso) {
        EXPECT_EQ(e.UnidadesPorPixelX(), ux) << paso;
        EXPECT_EQ(e.UnidadesPorPixelY(), uy) << paso;
        EXPECT_TRUE(std::isfinite(e.PixelAMundoX(7)) && std::isfinite(e.PixelAMundoY(7))) << paso;
    };
    e.Redimensionar(0, 0);
    conserva("tamaño 0");
    e.Redimensionar(-5, -5);
    conserva("tamaño negativo");
    e.Redimensionar(100, 200);
    e.SetScale(3, 3, 3, 3);
    conserva("límites iguales");
    e.SetScaleRight(std::numeric_limits<double>::quiet_NaN());
    conserva("límite NaN");
    e.SetScale(-1e308, -1e308, 1e308, 1e308);
    conserva("extensión que desborda");

    // a fresh surface without size has a usable scale too
    TEscalaMundo nueva;
    nueva.SetScale(0, 0, 0, 0);
    EXPECT_EQ(nueva.MundoAPixelX(12), 12);
}

TEST(EscalaMundo, ConservarAspectoEnsanchaAmbosLadosPorIgual) {
    TEscalaMundo e;
    e.KeepScaleAspect = true;
    e.Redimensionar(100, 100);
    e.SetScale(0, 10, 10, 0);  // y upwards
    e.Redimensionar(200, 50);
    EXPECT_DOUBLE_EQ(e.ScaleLeft(), -5);
    EXPECT_DOUBLE_EQ(e.ScaleRight(), 15);
    EXPECT_DOUBLE_EQ(e.ScaleTop(), 7.5);
    EXPECT_DOUBLE_EQ(e.ScaleBottom(), 2.5);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelX(), 0.1);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelY(), -0.1);
    // the centre stays put
    EXPECT_DOUBLE_EQ(e.PixelAMundoX(100), 5);
    EXPECT_DOUBLE_EQ(e.PixelAMundoY(25), 5);
}

TEST(EscalaMundo, SinConservarAspectoElMismoMundoLlenaElNuevoTamano) {
    TEscalaMundo e;
    e.Redimensionar(100, 100);
    e.SetScale(0, 0, 10, 10);
    e.Redimensionar(400, 50);
    EXPECT_EQ(e.ScaleLeft(), 0);
    EXPECT_EQ(e.ScaleRight(), 10);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelX(), 0.025);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelY(), 0.2);
}

TEST(EscalaMundo, PlegarYDesplegarConservandoAspectoVuelveAlMismoMundo) {
    TEscalaMundo e;
    e.KeepScaleAspect = true;
    e.Redimensionar(100, 80);
    e.SetScale(-2, -1, 2, 1);
    e.Redimensionar(0, 0);
    e.Redimensionar(100, 80);
    EXPECT_DOUBLE_EQ(e.ScaleLeft(), -2);
    EXPECT_DOUBLE_EQ(e.ScaleRight(), 2);
    EXPECT_DOUBLE_EQ(e.ScaleTop(), -1);
    EXPECT_DOUBLE_EQ(e.ScaleBottom(), 1);
    // bounds changed while collapsed are stretched over the new size
    e.Redimensionar(0, 0);
    e.SetScale(0, 0, 8, 8);
    e.Redimensionar(80, 40);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelX(), 0.1);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelY(), 0.2);
}

}  // namespace
}  // namespace numbrix
