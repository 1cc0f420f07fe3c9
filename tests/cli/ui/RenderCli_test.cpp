// numbrix-cli's --render as a function: formats by extension, the scale of
// --render-size, and its failures (unknown extension, no tree, bad size).
#include <gtest/gtest.h>

#include <QImage>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"

// The feature lives in numbrix-cli itself, not in a library.
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

TEST_F(Render, EscalaConElTamano) {
    std::string error;
    ASSERT_EQ(RenderizarExpresion("x^2+1", (dir_ / "a.png").string(), 20, error), 0) << error;
    ASSERT_EQ(RenderizarExpresion("x^2+1", (dir_ / "b.png").string(), 40, error), 0) << error;
    QImage a, b;
    ASSERT_TRUE(a.load(QString::fromStdString((dir_ / "a.png").string())));
    ASSERT_TRUE(b.load(QString::fromStdString((dir_ / "b.png").string())));
    EXPECT_NEAR(b.width(), 2 * a.width(), 1);
    EXPECT_NEAR(b.height(), 2 * a.height(), 1);
    for (const char* f : {"c.svg", "d.jpeg", "e.JPG"}) {
        EXPECT_EQ(RenderizarExpresion("Cmb(n,k)", (dir_ / f).string(), 20, error), 0) << f << ": " << error;
        EXPECT_GT(std::filesystem::file_size(dir_ / f), 100u) << f;
    }
}

TEST_F(Render, Fallos) {
    std::string error;
    EXPECT_EQ(RenderizarExpresion("x", (dir_ / "a.gif").string(), 20, error), 1);
    EXPECT_NE(error.find("no reconocido"), std::string::npos) << error;
    EXPECT_EQ(RenderizarExpresion("1+", (dir_ / "a.png").string(), 20, error), 1);
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "a.png"));
    EXPECT_EQ(RenderizarExpresion("x", (dir_ / "a.png").string(), 0, error), 2);
    EXPECT_EQ(RenderizarExpresion("x", (dir_ / "a.png").string(), 256, error), 2);
    Poner(dir_ / "archivo", "x");
    EXPECT_EQ(RenderizarExpresion("x", (dir_ / "archivo" / "a.png").string(), 20, error), 1);
    EXPECT_EQ(error.rfind("No se pudo exportar la imagen", 0), 0u) << error;
}

}  // namespace
}  // namespace numbrix
