#include "support/BordesMagneticos.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

// A 1920 x 1080 screen with a 30-pixel task bar at the top.
constexpr TRectI kArea{0, 30, 1920, 1080};

struct CasoIman { const char* nombre; TRectI propuesto, esperado; };

TEST(BordesMagneticos, LosBordesCercanosSePeganAlAreaDeTrabajo) {
    const CasoIman casos[] = {
        {"10 px bajo la barra de tareas", {100, 40, 500, 340}, {100, 30, 500, 330}},
        {"10 px encima del area", {100, 20, 500, 320}, {100, 30, 500, 330}},
        {"justo a 16 px", {100, 46, 500, 346}, {100, 30, 500, 330}},
        {"a 17 px no se pega", {100, 47, 500, 347}, {100, 47, 500, 347}},
        {"lejos de todo", {300, 300, 700, 600}, {300, 300, 700, 600}},
        {"abajo", {100, 700, 500, 1070}, {100, 710, 500, 1080}},
        {"abajo, por fuera", {100, 790, 500, 1090}, {100, 780, 500, 1080}},
        {"izquierda", {-12, 300, 388, 600}, {0, 300, 400, 600}},
        {"derecha", {1510, 300, 1910, 600}, {1520, 300, 1920, 600}},
        {"esquina inferior derecha", {1525, 785, 1925, 1085}, {1520, 780, 1920, 1080}},
        // taller than the area with both edges near: the top edge wins
        {"arriba antes que abajo", {0, 25, 400, 1085}, {0, 30, 400, 1090}},
        {"izquierda antes que derecha", {5, 300, 1915, 600}, {0, 300, 1910, 600}},
    };
    for (const auto& c : casos) {
        const TRectI r = AjustarMagnetico(c.propuesto, kArea);
        EXPECT_EQ(r, c.esperado) << c.nombre;
        EXPECT_EQ(r.Ancho(), c.propuesto.Ancho()) << c.nombre;
        EXPECT_EQ(r.Alto(), c.propuesto.Alto()) << c.nombre;
    }
}

TEST(BordesMagneticos, DistanciaPropia) {
    EXPECT_EQ(AjustarMagnetico({100, 40, 500, 340}, kArea, 5), (TRectI{100, 40, 500, 340}));
    EXPECT_EQ(AjustarMagnetico({100, 35, 500, 340}, kArea, 5), (TRectI{100, 30, 500, 335}));
    EXPECT_EQ(AjustarMagnetico({100, 31, 500, 340}, kArea, 0), (TRectI{100, 31, 500, 340}));
}

}  // namespace
}  // namespace numbrix
