#include "support/Gradientes.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

struct CasoMulDiv {
    std::int64_t a, b, c, esperado;
};

TEST(MulDiv, RedondeaAlMasCercanoConMitadesHaciaFuera) {
    const CasoMulDiv casos[] = {
        {1, 1, 2, 1},     {-1, 1, 2, -1},   {1, -1, 2, -1},  {-1, -1, 2, 1},   {3, 1, 2, 2},
        {5, 1, 3, 2},     {4, 1, 3, 1},     {-5, 1, 3, -2},  {1, 1, -2, -1},   {0, 7, 3, 0},
        {600, 1, 255, 2}, {600, 2, 255, 5}, {7, 10, 10, 7},  {255, 128, 255, 128},
        // the product does not fit 64 bits, the quotient does
        {std::numeric_limits<std::int64_t>::max(), 4, 8, std::numeric_limits<std::int64_t>::max() / 2 + 1},
        // a divisor of 0 never raises
        {1, 1, 0, 0},     {-9, 9, 0, 0},
    };
    for (const auto& c : casos) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.esperado) << c.a << "*" << c.b << "/" << c.c;
    EXPECT_EQ(MulDiv32(std::numeric_limits<int>::max(), 4, 1), std::numeric_limits<int>::max());
    EXPECT_EQ(MulDiv32(std::numeric_limits<int>::min(), 4, 1), std::numeric_limits<int>::min());
}

// ----------------------------------------------------------- TColGrad ----

TEST(TColGrad, LosExtremosSonExactosYLosPasosRedondean) {
    const TColGrad g(ColorRGB(0, 255, 100), 2, ColorRGB(255, 0, 100));
    EXPECT_EQ(g.Color(0), ColorRGB(0, 255, 100));
    EXPECT_EQ(g.Color(2), ColorRGB(255, 0, 100));
    // 127.5 rounds up, -127.5 rounds down: 0+128 and 255-128
    EXPECT_EQ(g.Color(1), ColorRGB(128, 127, 100));

    const TColGrad g3(ColorRGB(10, 20, 30), 3, ColorRGB(20, 20, 0));
    EXPECT_EQ(g3.Color(1), ColorRGB(13, 20, 20));
    EXPECT_EQ(g3.Color(2), ColorRGB(17, 20, 10));
}

TEST(TColGrad, CeroPasosDaElColorInicialSinDividir) {
    const TColGrad g(ColorRGB(1, 2, 3), 0, ColorRGB(200, 200, 200));
    for (int i : {-1, 0, 1, 5, 255}) EXPECT_EQ(g.Color(i), ColorRGB(1, 2, 3)) << i;
    EXPECT_EQ(TColGrad(clBlanco, -4, clNegro).Pasos(), 0);
}

TEST(TColGrad, CadaCanalSeQuedaEnSusOchoBitsBajos) {
    // beyond the last step the sum leaves 0..255 and wraps
    const TColGrad g(ColorRGB(200, 0, 0), 1, ColorRGB(250, 0, 0));
    EXPECT_EQ(g.Color(2), ColorRGB(300 & 0xFF, 0, 0));
    EXPECT_EQ(g.Color(-5), ColorRGB((200 - 250) & 0xFF, 0, 0));
    EXPECT_EQ(TColGrad(clNegro, 100000, clBlanco).Pasos(), TColGrad::kPasosMax);
}

TEST(TColGrad, UsaSoloLosTresCanales) {
    const TColGrad g(0xAB000000u | ColorRGB(1, 2, 3), 1, 0x12000000u | ColorRGB(5, 6, 7));
    EXPECT_EQ(g.Color(0), ColorRGB(1, 2, 3));
    EXPECT_EQ(g.Color(1), ColorRGB(5, 6, 7));
}

// ----------------------------------------------------------- bands ----

void EsperarContiguas(const std::vector<TBanda>& bandas, int desde, int hasta) {
    ASSERT_FALSE(bandas.empty());
    EXPECT_EQ(bandas.front().Desde, desde);
    EXPECT_EQ(bandas.back().Hasta, hasta);
    for (std::size_t i = 0; i < bandas.size(); ++i) {
        EXPECT_LT(bandas[i].Desde, bandas[i].Hasta) << i;
        if (i) {
            EXPECT_EQ(bandas[i].Desde, bandas[i - 1].Hasta) << i;
        }
    }
}

TEST(Gradientes, UnaRampaDe600PixelesUsa255BandasDeUnos235Pixeles) {
    const TColor de = ColorRGB(255, 255, 255), a = ColorRGB(0, 0, 128);
    const auto bandas = BandasLineales(600, de, a);
    ASSERT_EQ(bandas.size(), 255u);
    EsperarContiguas(bandas, 0, 600);
    int anchas = 0;
    for (const auto& b : bandas) {
        const int ancho = b.Hasta - b.Desde;
        EXPECT_TRUE(ancho == 2 || ancho == 3) << ancho;
        anchas += ancho == 3;
    }
    // 600 = 255 * 2 + 90: ninety bands of 3 pixels
    EXPECT_EQ(anchas, 90);
    const TColGrad rampa(de, 255, a);
    for (std::size_t i = 0; i < bandas.size(); ++i) EXPECT_EQ(bandas[i].Color, rampa.Color(int(i) + 1)) << i;
    EXPECT_EQ(bandas.back().Color, a);
    EXPECT_EQ(bandas[0].Hasta, 2);  // MulDiv(1, 600, 255) = 2.35 -> 2
}

TEST(Gradientes, PorDebajoDe255PixelesCadaPixelEsUnaBanda) {
    const auto bandas = BandasLineales(100, clNegro, clBlanco);
    ASSERT_EQ(bandas.size(), 100u);
    EsperarContiguas(bandas, 0, 100);
    EXPECT_EQ(bandas[0].Color, ColorRGB(3, 3, 3));  // step 1 of 100: 2.55 -> 3
    EXPECT_EQ(bandas[49].Color, ColorRGB(128, 128, 128));
    EXPECT_EQ(BandasLineales(1, clNegro, clBlanco), (std::vector<TBanda>{{0, 1, clBlanco}}));
}

TEST(Gradientes, SinPixelesNoHayBandas) {
    for (int e : {0, -1, -600, std::numeric_limits<int>::min()}) {
        EXPECT_TRUE(BandasLineales(e, clNegro, clBlanco).empty()) << e;
        for (int p = 0; p <= 9; ++p) EXPECT_TRUE(BandasDosPartes(e, p, clBlanco, clGris).empty()) << e;
    }
}

TEST(Gradientes, CilindroConPosicionCeroEsSoloLaSegundaRampa) {
    const TColor color = ColorRGB(255, 250, 240), color2 = ColorRGB(60, 80, 100);
    for (int e : {1, 7, 100, 600}) {
        const auto bandas = BandasDosPartes(e, 0, color, color2);
        EXPECT_EQ(bandas, BandasLineales(e, color, color2)) << e;
    }
}

TEST(Gradientes, CilindroPartidoEnDecimas) {
    const TColor color = ColorRGB(255, 255, 255), color2 = ColorRGB(0, 0, 0);
    struct Caso {
        int extension, posicion, corte;
    };
    const Caso casos[] = {{100, 9, 90}, {100, 3, 30}, {600, 3, 180}, {15, 5, 8}, {5, 9, 5},
                          {100, 12, 90},  // beyond 9 counts as 9
                          {100, -4, 0}};
    for (const auto& c : casos) {
        const auto bandas = BandasDosPartes(c.extension, c.posicion, color, color2);
        EsperarContiguas(bandas, 0, c.extension);
        // the first part ends at the split in `color`, the brightest line
        const auto primera = BandasLineales(c.corte, color2, color);
        ASSERT_LE(primera.size(), bandas.size());
        EXPECT_TRUE(std::equal(primera.begin(), primera.end(), bandas.begin())) << c.extension << " " << c.posicion;
        if (!primera.empty()) {
            EXPECT_EQ(primera.back().Hasta, c.corte);
        }
        if (c.corte < c.extension) {
            const auto& siguiente = bandas[primera.size()];
            EXPECT_EQ(siguiente.Desde, c.corte);
        }
        EXPECT_EQ(bandas.back().Color, c.corte < c.extension ? color2 : color);
    }
}

// ------------------------------------------------------- concentric ----

TEST(Gradientes, ElipsesConcentricasDelRectanguloAlCentro) {
    const TRectI r{0, 0, 100, 50};
    const TColor exterior = ColorRGB(0, 0, 0), interior = ColorRGB(210, 140, 70);
    const auto elipses = ElipsesConcentricas(r, {30, 20}, exterior, interior);
    // the farthest edge is the right one, 70 pixels away
    ASSERT_EQ(elipses.size(), 71u);
    EXPECT_EQ(elipses.front(), (TElipse{r, exterior}));
    EXPECT_EQ(elipses.back(), (TElipse{{30, 20, 30, 20}, interior}));
    // step 35 of 70: each edge halfway, integer division
    EXPECT_EQ(elipses[35].Rect, (TRectI{15, 10, 65, 35}));
    EXPECT_EQ(elipses[35].Color, ColorRGB(105, 70, 35));
    // each ellipse lies inside the one before
    for (std::size_t i = 1; i < elipses.size(); ++i) {
        const TRectI &a = elipses[i - 1].Rect, &b = elipses[i].Rect;
        EXPECT_TRUE(b.Left >= a.Left && b.Top >= a.Top && b.Right <= a.Right && b.Bottom <= a.Bottom) << i;
    }
}

TEST(Gradientes, ElCentroPorDefectoEstaATresOctavos) {
    const TRectI r{10, 20, 90, 60};  // 80 x 40
    const auto porDefecto = ElipsesConcentricas(r, {kCentroPorDefecto, kCentroPorDefecto}, clNegro, clBlanco);
    EXPECT_EQ(porDefecto, ElipsesConcentricas(r, {10 + 30, 20 + 15}, clNegro, clBlanco));
    EXPECT_EQ(porDefecto.back().Rect, (TRectI{40, 35, 40, 35}));
}

TEST(Gradientes, UnaEsferaSobreUnPuntoSeLlenaConElColorExterior) {
    const auto elipses = ElipsesConcentricas({5, 7, 5, 7}, {5, 7}, ColorRGB(1, 2, 3), ColorRGB(9, 9, 9));
    EXPECT_EQ(elipses, (std::vector<TElipse>{{{5, 7, 5, 7}, ColorRGB(1, 2, 3)}}));
    // a zero-size area with its centre elsewhere still gives finite steps
    const auto lejos = ElipsesConcentricas({0, 0, 0, 0}, {3, 0}, clNegro, clBlanco);
    EXPECT_EQ(lejos.size(), 4u);
    EXPECT_EQ(lejos.back().Rect, (TRectI{3, 0, 3, 0}));
}

TEST(Gradientes, LasElipsesNoPasanDe65536) {
    const auto elipses = ElipsesConcentricas({0, 0, 10, 10}, {5, 200000}, clNegro, clBlanco);
    EXPECT_EQ(elipses.size(), std::size_t(TColGrad::kPasosMax) + 1);
    EXPECT_EQ(elipses.back().Rect, (TRectI{5, 200000, 5, 200000}));
    EXPECT_EQ(elipses.back().Color, clBlanco);
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
