// numbrix-cli's --render as a function: the picture scales with
// --render-size, and every free letter is a variable. Its exit codes are
// tested through the program (tests/cli), the formats in ExportarFormula.
#include <gtest/gtest.h>

#include <QImage>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"

// The feature lives in the program numbrix-render, not in a library.
#include "cli/RenderCli.cpp"

namespace numbrix {
namespace {

class Render : public CarpetaTemporal {
protected:
    void SetUp() override {
        prueba::AplicacionQt();
        CarpetaTemporal::SetUp();
    }
};

TEST_F(Render, ThePictureScalesWithTheSize) {
    std::string error;
    QImage imagenes[2];
    for (int i : {0, 1}) {
        const std::string ruta = (dir_ / ("f" + std::to_string(i) + ".png")).string();
        ASSERT_EQ(RenderizarExpresion("q^2+1", ruta, 20 * (i + 1), error), 0) << error;
        ASSERT_TRUE(imagenes[i].load(QString::fromStdString(ruta)));
    }
    EXPECT_NEAR(imagenes[1].width(), 2 * imagenes[0].width(), 1);
    EXPECT_NEAR(imagenes[1].height(), 2 * imagenes[0].height(), 1);
    EXPECT_EQ(RenderizarExpresion("1+", (dir_ / "g.png").string(), 20, error), 1);
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace numbrix
