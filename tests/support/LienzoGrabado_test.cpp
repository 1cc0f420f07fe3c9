// The recording canvas: what it records, its replay onto another canvas, the
// extent of what was drawn and the measures it asks of the host's metrics.
#include <gtest/gtest.h>

#include <variant>

#include "MetricasFijas.h"
#include "support/LienzoGrabado.h"

namespace numbrix {
namespace {

void DibujarAlgo(Lienzo& l) {
    l.PonerFuente(Fuente{kFamiliaSerif, 20, true, false});
    l.Texto(3, 4, "x+π");
    l.PonerColor(Color::Granate());
    l.PonerGrosor(2);
    l.Linea(1, 30, 40, 30);
    l.Polilinea({{0, 10}, {5, 20}, {10, 0}});
    l.Rectangulo(20, 20, 4, 3, true);
    l.Rectangulo(30, 5, 6, 6, false);
    l.Elipse(8, 8, 5, 5, true);
}

TEST(LienzoGrabado, GrabaYReproduceIgual) {
    LienzoGrabado a(prueba::Fijas());
    DibujarAlgo(a);
    a.PonerTamano(50, 40);
    EXPECT_EQ(a.Ancho(), 50);
    EXPECT_EQ(a.Alto(), 40);
    ASSERT_EQ(a.Comandos().size(), 9u);

    LienzoGrabado b(prueba::Fijas());
    a.Reproducir(b);
    EXPECT_EQ(a.Comandos(), b.Comandos());
}

TEST(LienzoGrabado, MideConLasMetricasDelAnfitrion) {
    LienzoGrabado g(prueba::Fijas());
    g.PonerFuente(Fuente{kFamiliaSans, 30, false, false});
    const MedidaTexto m = g.MedirTexto("π≤x");  // three characters, not seven bytes
    EXPECT_EQ(m.ancho, 45);
    EXPECT_EQ(m.alto, 30);
    g.Texto(0, 0, "π≤x");
    const auto& t = std::get<dibujo::CmdTexto>(g.Comandos().back());
    EXPECT_EQ(t.medida, m);  // the text keeps the extent it was drawn with
}

TEST(LienzoGrabado, FuenteGrabadaUnaVezYAntesDelPrimerTexto) {
    LienzoGrabado g(prueba::Fijas());
    g.Texto(0, 0, "a");  // the default font is recorded before it
    ASSERT_EQ(g.Comandos().size(), 2u);
    EXPECT_TRUE(std::holds_alternative<dibujo::CmdFuente>(g.Comandos()[0]));
    g.PonerFuente(Fuente{});  // the same font again: nothing new
    g.Texto(0, 0, "b");
    EXPECT_EQ(g.Comandos().size(), 3u);
}

TEST(LienzoGrabado, ExtensionDeLoDibujado) {
    LienzoGrabado g(prueba::Fijas());
    EXPECT_TRUE(g.ExtensionDibujada().vacia);
    DibujarAlgo(g);
    const Extension e = g.ExtensionDibujada();
    EXPECT_FALSE(e.vacia);
    EXPECT_EQ(e.x0, 0);   // the polyline
    EXPECT_EQ(e.y0, 0);
    EXPECT_EQ(e.x1, 42);  // the 2-pixel line ends at 40, its pen reaches 41
    EXPECT_EQ(e.y1, 32);
}

}  // namespace
}  // namespace numbrix
