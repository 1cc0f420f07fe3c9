#include "support/RegionImagen.h"

#include <random>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

constexpr std::uint32_t Px(int r, int g, int b, int a = 255) {
    return std::uint32_t(a) << 24 | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}

TEST(RegionImagen, UnPixelEsTransparenteSiSusTresCanalesEstanEnElRango) {
    const TColor clave = ColorRGB(10, 20, 30), tol = ColorRGB(5, 0, 2);
    const std::pair<std::uint32_t, bool> casos[] = {
        {Px(10, 20, 30), true},  {Px(15, 20, 32), true},  {Px(16, 20, 30), false}, {Px(9, 20, 30), false},
        {Px(10, 21, 30), false}, {Px(10, 20, 33), false}, {Px(10, 20, 30, 0), true},  // alpha ignored
        {Px(200, 20, 30), false},
    };
    for (const auto& [pixel, transparente] : casos)
        EXPECT_EQ(PixelTransparente(pixel, clave, tol), transparente) << std::hex << pixel;
    // the top of the range stops at 255
    EXPECT_TRUE(PixelTransparente(Px(255, 255, 255), ColorRGB(250, 250, 250), ColorRGB(10, 10, 10)));
    EXPECT_FALSE(PixelTransparente(Px(249, 255, 255), ColorRGB(250, 250, 250), ColorRGB(10, 10, 10)));
}

TEST(RegionImagen, TramosPorFilas) {
    const std::uint32_t k = Px(255, 0, 255), o = Px(0, 0, 0), x = 0xDEADBEEF;  // x: padding, never read
    // 5 x 3 with a stride of 6
    const std::uint32_t img[] = {
        k, o, o, k, o, x,  //
        k, k, k, k, k, x,  //
        o, o, o, o, o, x,  //
    };
    const auto tramos = TramosOpacos(img, 5, 3, 6, ColorRGB(255, 0, 255));
    EXPECT_EQ(tramos, (std::vector<TTramo>{{0, 1, 3}, {0, 4, 5}, {2, 0, 5}}));
    EXPECT_TRUE(TramosOpacos(img, 0, 3, 6, 0).empty());
    EXPECT_TRUE(TramosOpacos(nullptr, 5, 3, 6, 0).empty());
}

TEST(RegionImagen, FilasIgualesSeUnenEnUnRectangulo) {
    const std::vector<TTramo> tramos = {{0, 1, 3}, {0, 4, 5}, {1, 1, 3}, {1, 4, 5}, {2, 1, 3}, {4, 1, 3}, {5, 1, 3}};
    EXPECT_EQ(RectangulosDeTramos(tramos), (std::vector<TRectI>{{1, 0, 3, 2}, {4, 0, 5, 2}, {1, 2, 3, 3}, {1, 4, 3, 6}}));
    EXPECT_TRUE(RectangulosDeTramos({}).empty());
}

TEST(RegionImagen, LosRectangulosCubrenExactamenteLosPixelesOpacos) {
    std::mt19937 azar(7);
    const int ancho = 37, alto = 29;
    const std::uint32_t clave = Px(0, 255, 0);
    std::vector<std::uint32_t> img(ancho * alto);
    // blobs of key colour with long equal rows, so bands form
    for (int y = 0; y < alto; ++y)
        for (int x = 0; x < ancho; ++x) img[y * ancho + x] = ((x / 5 + y / 7 + azar() % 3) % 2) ? clave : Px(1, 2, 3);
    const auto rects = RectangulosDeTramos(TramosOpacos(img.data(), ancho, alto, ancho, ColorRGB(0, 255, 0)));
    std::vector<int> cubierto(img.size(), 0);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const TRectI& r = rects[i];
        ASSERT_FALSE(r.Vacio());
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) ++cubierto[y * ancho + x];
        if (i) {
            const TRectI& p = rects[i - 1];
            // sorted by top then left; a band's rectangles share their height
            // and never touch side by side
            EXPECT_TRUE(p.Top < r.Top || (p.Top == r.Top && p.Right < r.Left)) << i;
            if (p.Top == r.Top) {
                EXPECT_EQ(p.Bottom, r.Bottom) << i;
            } else {
                EXPECT_LE(p.Bottom, r.Top) << i;
            }
        }
    }
    for (std::size_t i = 0; i < img.size(); ++i) ASSERT_EQ(cubierto[i], img[i] == clave ? 0 : 1) << i;
}

}  // namespace
}  // namespace numbrix
