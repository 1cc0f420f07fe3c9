#include "support/Colocacion.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

using R = RectColocacion;

// A primary screen with its panel at the bottom, and a second one to its left.
const std::vector<R> kDos = {{0, 0, 1920, 1040}, {-1280, 0, 1280, 984}};

TEST(Colocacion, RestoringClampsSizeFirstThenPosition) {
    struct Caso { const char* nombre; R guardado; R esperado; };
    const Caso casos[] = {
        {"fits: unchanged", {100, 50, 600, 400}, {100, 50, 600, 400}},
        {"negative top on the primary becomes 0", {100, -30, 600, 400}, {100, 0, 600, 400}},
        {"below the work area moves up to fit", {100, 900, 600, 400}, {100, 640, 600, 400}},
        {"past the right edge moves left", {1700, 10, 600, 400}, {1320, 10, 600, 400}},
        {"left screen keeps its negative left", {-1000, 100, 600, 400}, {-1000, 100, 600, 400}},
        {"too tall for the left screen: height cut, then top 0", {-1000, 100, 600, 2000}, {-1000, 0, 600, 984}},
        {"too wide for the primary: width cut to the area", {50, 50, 5000, 300}, {0, 50, 1920, 300}},
    };
    for (const auto& c : casos) EXPECT_EQ(ColocarEnPantalla(c.guardado, kDos), c.esperado) << c.nombre;
}

TEST(Colocacion, ScreenChosenByOverlapThenByDistance) {
    EXPECT_EQ(PantallaMasCercana({-100, 0, 300, 300}, kDos), 0);  // 200 px on the primary, 100 on the left one
    EXPECT_EQ(PantallaMasCercana({-250, 0, 300, 300}, kDos), 1);
    // On no screen at all (a monitor since unplugged): the nearest one.
    EXPECT_EQ(PantallaMasCercana({-5000, 10, 300, 300}, kDos), 1);
    EXPECT_EQ(PantallaMasCercana({9000, 10, 300, 300}, kDos), 0);
    EXPECT_EQ(PantallaMasCercana({0, 0, 10, 10}, {}), -1);
    // An unplugged monitor's window comes onto the nearest one, whole.
    EXPECT_EQ(ColocarEnPantalla({-5000, 10, 300, 300}, kDos), (R{-1280, 10, 300, 300}));
}

TEST(Colocacion, RestoringTwiceGivesTheSameRectangle) {
    // What is restored and saved again must never creep.
    for (R r : {R{-30, -30, 700, 500}, R{1800, 1000, 420, 84}, R{-1280, 500, 1280, 984}}) {
        const R una = ColocarEnPantalla(r, kDos, 420, 84);
        EXPECT_EQ(ColocarEnPantalla(una, kDos, 420, 84), una);
    }
}

TEST(Colocacion, MinimumSizeWinsOverATinyStoredSize) {
    EXPECT_EQ(ColocarEnPantalla({10, 10, 50, 20}, kDos, 420, 84), (R{10, 10, 420, 84}));
    // A screen smaller than the minimum: the minimum stays, top-left on the screen.
    EXPECT_EQ(ColocarEnPantalla({10, 10, 500, 100}, {{0, 0, 320, 60}}, 420, 84), (R{0, 0, 420, 84}));
}

TEST(Colocacion, FirstRunIsCentred) {
    EXPECT_EQ(CentrarEn({0, 0, 600, 400}, {0, 0, 1920, 1040}), (R{660, 320, 600, 400}));
    EXPECT_EQ(CentrarEn({0, 0, 600, 400}, {-1280, 0, 1280, 984}), (R{-940, 292, 600, 400}));
    EXPECT_EQ(CentrarEn({0, 0, 3000, 400}, {0, 0, 1920, 1040}), (R{0, 320, 1920, 400}));
}

}  // namespace
}  // namespace numbrix
