#include "support/EscalaMundo.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

// A surface of ancho x alto pixels showing the world (izquierda, arriba)-(derecha, abajo).
TEscalaMundo Escala(int ancho, int alto, double izquierda, double arriba, double derecha, double abajo,
                    bool aspecto = false) {
    TEscalaMundo e;
    e.KeepScaleAspect = aspecto;
    e.Redimensionar(ancho, alto);
    e.SetScale(izquierda, arriba, derecha, abajo);
    return e;
}

void EsperaLimites(const TEscalaMundo& e, double izquierda, double arriba, double derecha, double abajo) {
    EXPECT_DOUBLE_EQ(e.ScaleLeft(), izquierda);
    EXPECT_DOUBLE_EQ(e.ScaleTop(), arriba);
    EXPECT_DOUBLE_EQ(e.ScaleRight(), derecha);
    EXPECT_DOUBLE_EQ(e.ScaleBottom(), abajo);
}

TEST(EscalaMundo, AnchoYAltoMuevenDerechaYAbajo) {
    TEscalaMundo e = Escala(200, 100, -1, 5, 1, -5);
    e.SetScaleWidth(8);
    e.SetScaleHeight(-20);
    EsperaLimites(e, -1, 5, 7, -15);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelX(), 0.04);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelY(), -0.2);
}

TEST(EscalaMundo, IdaYVueltaEntrePixelYMundo) {
    struct Caso { double izquierda, arriba, derecha, abajo; int ancho, alto; };
    const Caso casos[] = {
        {0, 0, 1, 1, 105, 105},       {-10, 10, 10, -10, 640, 480},  // y upwards
        {1e6, 0, 1e6 + 3, 1, 301, 7}, {-3.5, -2, 2.25, 7, 1, 1},     {0, 0, 1e-300, 1e-300, 1000, 1000},
    };
    for (const auto& c : casos) {
        const TEscalaMundo e = Escala(c.ancho, c.alto, c.izquierda, c.arriba, c.derecha, c.abajo);
        for (int px = -c.ancho; px <= 2 * c.ancho; ++px)
            ASSERT_EQ(e.MundoAPixelX(e.PixelAMundoX(px)), px) << c.izquierda << " " << px;
        for (int py = -c.alto; py <= 2 * c.alto; ++py)
            ASSERT_EQ(e.MundoAPixelY(e.PixelAMundoY(py)), py) << c.arriba << " " << py;
        // the bounds fall on the surface's edges
        EXPECT_EQ(e.MundoAPixelX(c.izquierda), 0);
        EXPECT_EQ(e.MundoAPixelX(c.derecha), c.ancho);
        EXPECT_EQ(e.MundoAPixelY(c.abajo), c.alto);
    }
}

TEST(EscalaMundo, PixelMasCercanoYAcotado) {
    const TEscalaMundo e = Escala(10, 10, 0, 0, 10, 10);
    EXPECT_EQ(e.MundoAPixelX(3.4), 3);
    EXPECT_EQ(e.MundoAPixelX(3.6), 4);
    EXPECT_EQ(e.MundoAPixelX(-3.6), -4);
    EXPECT_DOUBLE_EQ(e.PixelAMundoX(2.5), 2.5);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(e.MundoAPixelX(1e300), TEscalaMundo::kPixelMax);
    EXPECT_EQ(e.MundoAPixelX(-1e300), -TEscalaMundo::kPixelMax);
    EXPECT_EQ(e.MundoAPixelY(inf), TEscalaMundo::kPixelMax);
    EXPECT_EQ(e.MundoAPixelY(-inf), -TEscalaMundo::kPixelMax);
    EXPECT_EQ(e.MundoAPixelX(std::nan("")), 0);
}

TEST(EscalaMundo, SinPixelesOConLimitesIgualesSeConservaLaEscala) {
    TEscalaMundo e = Escala(100, 200, 0, 0, 50, 50);
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

TEST(EscalaMundo, AlRedimensionar) {
    // Keeping the aspect: both sides widen alike and the centre stays.
    TEscalaMundo e = Escala(100, 100, 0, 10, 10, 0, true);  // y upwards
    e.Redimensionar(200, 50);
    EsperaLimites(e, -5, 7.5, 15, 2.5);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelX(), 0.1);
    EXPECT_DOUBLE_EQ(e.UnidadesPorPixelY(), -0.1);
    EXPECT_DOUBLE_EQ(e.PixelAMundoX(100), 5);
    EXPECT_DOUBLE_EQ(e.PixelAMundoY(25), 5);
    // Without it the same world fills the new size.
    TEscalaMundo s = Escala(100, 100, 0, 0, 10, 10);
    s.Redimensionar(400, 50);
    EsperaLimites(s, 0, 0, 10, 10);
    EXPECT_DOUBLE_EQ(s.UnidadesPorPixelX(), 0.025);
    EXPECT_DOUBLE_EQ(s.UnidadesPorPixelY(), 0.2);
    // Collapsed and unfolded again with the aspect kept: the same world.
    TEscalaMundo p = Escala(100, 80, -2, -1, 2, 1, true);
    p.Redimensionar(0, 0);
    p.Redimensionar(100, 80);
    EsperaLimites(p, -2, -1, 2, 1);
    // bounds changed while collapsed are stretched over the new size
    p.Redimensionar(0, 0);
    p.SetScale(0, 0, 8, 8);
    p.Redimensionar(80, 40);
    EXPECT_DOUBLE_EQ(p.UnidadesPorPixelX(), 0.1);
    EXPECT_DOUBLE_EQ(p.UnidadesPorPixelY(), 0.2);
}

}  // namespace
}  // namespace numbrix
