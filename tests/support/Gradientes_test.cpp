// The gradients' arithmetic: every band and ellipse the painted areas fill,
// and in which colour. The windows' tests only check that these are filled.
#include "support/Gradientes.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

TEST(MulDiv, RedondeaAlMasCercanoConMitadesHaciaFuera) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    struct Caso { std::int64_t a, b, c, esperado; };
    const Caso casos[] = {
        {1, 1, 2, 1},     {-1, 1, 2, -1},   {1, -1, 2, -1},  {-1, -1, 2, 1},   {3, 1, 2, 2},
        {5, 1, 3, 2},     {4, 1, 3, 1},     {-5, 1, 3, -2},  {1, 1, -2, -1},   {0, 7, 3, 0},
        {600, 1, 255, 2}, {600, 2, 255, 5}, {7, 10, 10, 7},  {255, 128, 255, 128},
        {kMax, 4, 8, kMax / 2 + 1},  // the product does not fit 64 bits, the quotient does
        {1, 1, 0, 0},     {-9, 9, 0, 0},    // a divisor of 0 never raises
    };
    for (const auto& c : casos) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.esperado) << c.a << "*" << c.b << "/" << c.c;
    EXPECT_EQ(MulDiv32(std::numeric_limits<int>::max(), 4, 1), std::numeric_limits<int>::max());
    EXPECT_EQ(MulDiv32(std::numeric_limits<int>::min(), 4, 1), std::numeric_limits<int>::min());
}

TEST(TColGrad, ColorDeCadaPaso) {
    struct Caso { TColor inicio; int pasos; TColor fin; int paso; TColor esperado; };
    const Caso casos[] = {
        // the ends are exact; 127.5 rounds up, -127.5 down
        {ColorRGB(0, 255, 100), 2, ColorRGB(255, 0, 100), 0, ColorRGB(0, 255, 100)},
        {ColorRGB(0, 255, 100), 2, ColorRGB(255, 0, 100), 2, ColorRGB(255, 0, 100)},
        {ColorRGB(0, 255, 100), 2, ColorRGB(255, 0, 100), 1, ColorRGB(128, 127, 100)},
        {ColorRGB(10, 20, 30), 3, ColorRGB(20, 20, 0), 1, ColorRGB(13, 20, 20)},
        {ColorRGB(10, 20, 30), 3, ColorRGB(20, 20, 0), 2, ColorRGB(17, 20, 10)},
        // no steps: the start colour everywhere, no division
        {ColorRGB(1, 2, 3), 0, ColorRGB(200, 200, 200), -1, ColorRGB(1, 2, 3)},
        {ColorRGB(1, 2, 3), 0, ColorRGB(200, 200, 200), 255, ColorRGB(1, 2, 3)},
        // beyond the last step each channel keeps its low 8 bits
        {ColorRGB(200, 0, 0), 1, ColorRGB(250, 0, 0), 2, ColorRGB(300 & 0xFF, 0, 0)},
        {ColorRGB(200, 0, 0), 1, ColorRGB(250, 0, 0), -5, ColorRGB((200 - 250) & 0xFF, 0, 0)},
        // only the three channels count
        {0xAB000000u | ColorRGB(1, 2, 3), 1, 0x12000000u | ColorRGB(5, 6, 7), 0, ColorRGB(1, 2, 3)},
        {0xAB000000u | ColorRGB(1, 2, 3), 1, 0x12000000u | ColorRGB(5, 6, 7), 1, ColorRGB(5, 6, 7)},
    };
    for (const auto& c : casos) EXPECT_EQ(TColGrad(c.inicio, c.pasos, c.fin).Color(c.paso), c.esperado) << c.paso;
    EXPECT_EQ(TColGrad(clBlanco, -4, clNegro).Pasos(), 0);
    EXPECT_EQ(TColGrad(clNegro, 100000, clBlanco).Pasos(), TColGrad::kPasosMax);
}

// The bands cover [desde, hasta) without gaps or overlaps.
void EsperarContiguas(const std::vector<TBanda>& bandas, int desde, int hasta) {
    ASSERT_FALSE(bandas.empty());
    EXPECT_EQ(bandas.back().Hasta, hasta);
    for (std::size_t i = 0; i < bandas.size(); ++i) {
        EXPECT_EQ(bandas[i].Desde, i ? bandas[i - 1].Hasta : desde) << i;
        EXPECT_LT(bandas[i].Desde, bandas[i].Hasta) << i;
    }
}

TEST(Gradientes, BandasLineales) {
    // 600 pixels: 255 bands of 2 or 3 pixels, ninety of 3 (600 = 255 * 2 + 90)
    const TColor de = ColorRGB(255, 255, 255), a = ColorRGB(0, 0, 128);
    const auto bandas = BandasLineales(600, de, a);
    ASSERT_EQ(bandas.size(), 255u);
    EsperarContiguas(bandas, 0, 600);
    const TColGrad rampa(de, 255, a);
    for (std::size_t i = 0; i < bandas.size(); ++i) EXPECT_EQ(bandas[i].Color, rampa.Color(int(i) + 1)) << i;
    EXPECT_EQ(std::count_if(bandas.begin(), bandas.end(), [](const TBanda& b) { return b.Hasta - b.Desde == 3; }), 90);
    EXPECT_EQ(bandas[0].Hasta, 2);  // MulDiv(1, 600, 255) = 2.35 -> 2
    // below 255 pixels each pixel is a band
    const auto cien = BandasLineales(100, clNegro, clBlanco);
    ASSERT_EQ(cien.size(), 100u);
    EsperarContiguas(cien, 0, 100);
    EXPECT_EQ(cien[0].Color, ColorRGB(3, 3, 3));  // step 1 of 100: 2.55 -> 3
    EXPECT_EQ(cien[49].Color, ColorRGB(128, 128, 128));
    EXPECT_EQ(BandasLineales(1, clNegro, clBlanco), (std::vector<TBanda>{{0, 1, clBlanco}}));
    for (int e : {0, -1, -600, std::numeric_limits<int>::min()}) {  // no pixels, no bands
        EXPECT_TRUE(BandasLineales(e, clNegro, clBlanco).empty()) << e;
        for (int p = 0; p <= 9; ++p) EXPECT_TRUE(BandasDosPartes(e, p, clBlanco, clGris).empty()) << e;
    }
}

TEST(Gradientes, CilindroPartidoEnDecimas) {
    const TColor color = ColorRGB(255, 250, 240), color2 = ColorRGB(60, 80, 100);
    for (int e : {1, 7, 100, 600})  // position 0: only the second ramp
        EXPECT_EQ(BandasDosPartes(e, 0, color, color2), BandasLineales(e, color, color2)) << e;
    struct Caso { int extension, posicion, corte; };
    const Caso casos[] = {{100, 9, 90}, {100, 3, 30}, {600, 3, 180}, {15, 5, 8}, {5, 9, 5},
                          {100, 12, 90}, {100, -4, 0}};  // beyond 9 counts as 9, below 0 as 0
    for (const auto& c : casos) {
        const auto bandas = BandasDosPartes(c.extension, c.posicion, clBlanco, clNegro);
        EsperarContiguas(bandas, 0, c.extension);
        // the first part ends at the split in `color`, the brightest line
        const auto primera = BandasLineales(c.corte, clNegro, clBlanco);
        ASSERT_LE(primera.size(), bandas.size());
        EXPECT_TRUE(std::equal(primera.begin(), primera.end(), bandas.begin())) << c.extension << " " << c.posicion;
        EXPECT_EQ(primera.empty() ? 0 : primera.back().Hasta, c.corte);
        EXPECT_EQ(bandas.back().Color, c.corte < c.extension ? clNegro : clBlanco);
    }
}

TEST(Gradientes, ElipsesConcentricasDelRectanguloAlCentro) {
    const TRectI r{0, 0, 100, 50};
    const TColor exterior = ColorRGB(0, 0, 0), interior = ColorRGB(210, 140, 70);
    const auto elipses = ElipsesConcentricas(r, {30, 20}, exterior, interior);
    // the farthest edge is the right one, 70 pixels away
    ASSERT_EQ(elipses.size(), 71u);
    EXPECT_EQ(elipses.front(), (TElipse{r, exterior}));
    EXPECT_EQ(elipses.back(), (TElipse{{30, 20, 30, 20}, interior}));
    // step 35 of 70: each edge halfway, integer division
    EXPECT_EQ(elipses[35], (TElipse{{15, 10, 65, 35}, ColorRGB(105, 70, 35)}));
    for (std::size_t i = 1; i < elipses.size(); ++i) {  // each inside the one before
        const TRectI &a = elipses[i - 1].Rect, &b = elipses[i].Rect;
        EXPECT_TRUE(b.Left >= a.Left && b.Top >= a.Top && b.Right <= a.Right && b.Bottom <= a.Bottom) << i;
    }
    // the default centre lies at three eighths
    const TRectI r2{10, 20, 90, 60};  // 80 x 40
    const auto porDefecto = ElipsesConcentricas(r2, {kCentroPorDefecto, kCentroPorDefecto}, clNegro, clBlanco);
    EXPECT_EQ(porDefecto, ElipsesConcentricas(r2, {10 + 30, 20 + 15}, clNegro, clBlanco));
    // a point is one ellipse in the exterior colour; a point with its centre
    // elsewhere still gives finite steps; the steps stop at 65536
    EXPECT_EQ(ElipsesConcentricas({5, 7, 5, 7}, {5, 7}, ColorRGB(1, 2, 3), ColorRGB(9, 9, 9)),
              (std::vector<TElipse>{{{5, 7, 5, 7}, ColorRGB(1, 2, 3)}}));
    const auto lejos = ElipsesConcentricas({0, 0, 0, 0}, {3, 0}, clNegro, clBlanco);
    EXPECT_EQ(lejos.size(), 4u);
    EXPECT_EQ(lejos.back().Rect, (TRectI{3, 0, 3, 0}));
    const auto muchas = ElipsesConcentricas({0, 0, 10, 10}, {5, 200000}, clNegro, clBlanco);
    EXPECT_EQ(muchas.size(), std::size_t(TColGrad::kPasosMax) + 1);
    EXPECT_EQ(muchas.back(), (TElipse{{5, 200000, 5, 200000}, clBlanco}));
}

TEST(Gradientes, CentroDeLaEsferaEnDecimas) {
    EXPECT_EQ(CentroEsfera(200, 100, 3), (TPuntoI{60, 30}));
    EXPECT_EQ(CentroEsfera(200, 100, 0), (TPuntoI{0, 0}));
    EXPECT_EQ(CentroEsfera(15, 5, 5), (TPuntoI{8, 3}));  // 7.5 and 2.5 round up
    EXPECT_EQ(CentroEsfera(200, 100, 15), (TPuntoI{180, 90}));
    EXPECT_EQ(CentroEsfera(0, 0, 9), (TPuntoI{0, 0}));
}

}  // namespace
}  // namespace numbrix
