// Formula pictures with the real fonts (offscreen): every export format
// writes a file that decodes to the expected size, failures (libjpeg's
// too) are reported and the program goes on, and an absent tree exports
// nothing. The gallery renders the formulas whose looks
// matter into PNG files (kept in $NUMBRIX_GALERIA when it is set).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "AplicacionQt.h"
#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "engine/DiagramaX.h"
#include "support/ui/ExportarFormula.h"
#include "support/ui/LienzoQt.h"
#include "support/ui/VistaFormula.h"

namespace numbrix {
namespace {

struct Motor : prueba::MotorX {
    Motor() : prueba::MotorX(Radianes, {"a", "b", "c", "d", "x", "y", "z", "n", "k", "r"}) {
        prueba::DibujosCalculo(e);
    }
    std::optional<LienzoGrabado> Dibujo(const std::string& t) {
        e.SetTexto(t);
        EXPECT_TRUE(e.Arbol) << t << ": " << e.Mensaje;
        return Metarchivo(e, std::make_shared<MetricasQt>());
    }
};

class Exportar : public CarpetaTemporal {};

TEST_F(Exportar, CadaFormatoSeDecodificaConSuTamano) {
    Motor m;
    auto g = m.Dibujo("(a+b)/(c-d)");
    ASSERT_TRUE(g);
    for (double escala : {1.0, 2.5}) {
        const int w = static_cast<int>(std::ceil(g->Ancho() * escala - 1e-9));
        const int h = static_cast<int>(std::ceil(g->Alto() * escala - 1e-9));
        std::string error;

        for (const char* nombre : {"f.png", "f.JPG"}) {
            ASSERT_TRUE(ExportarFormula(&*g, dir_ / nombre, escala, error)) << error;
            const QImage img(QString::fromStdString((dir_ / nombre).string()));
            EXPECT_EQ(img.size(), QSize(w, h)) << nombre;
        }

        ASSERT_TRUE(ExportarFormula(&*g, dir_ / "f.svg", escala, error)) << error;
        const std::string svg = Leer(dir_ / "f.svg");
        const std::string caja = "viewBox=\"0 0 " + std::to_string(w) + " " + std::to_string(h) + "\"";
        EXPECT_NE(svg.find(caja), std::string::npos) << svg.substr(0, 400);
        EXPECT_NE(svg.find("<text"), std::string::npos);
    }
}

// The dark pixels of an image, and how many of them fall outside `dentro`.
std::pair<int, int> Tinta(const QImage& img, QRect dentro) {
    std::pair<int, int> r{0, 0};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++(dentro.contains(x, y) ? r.first : r.second);
    return r;
}

TEST_F(Exportar, LaImagenTieneTintaDentroDelMargen) {
    Motor m;
    auto g = m.Dibujo("x^2+1");
    ASSERT_TRUE(g);
    const QImage img = ImagenFormula(*g, 1.0);
    const auto [dentro, fuera] = Tinta(img, img.rect().adjusted(1, 1, -1, -1));
    EXPECT_GT(dentro, 20);
    EXPECT_EQ(fuera, 0);
}

TEST_F(Exportar, FailuresAreReportedAndNothingIsWritten) {
    Motor m;
    auto g = m.Dibujo("x");
    ASSERT_TRUE(g);
    Poner(dir_ / "archivo", "x");  // a regular file used as a folder: fails even for root
    const struct {
        const LienzoGrabado* dibujo;
        std::filesystem::path ruta;
        const char* error;  // part of the message
    } casos[] = {
        {&*g, dir_ / "archivo" / "f.jpg", "No se pudo exportar la imagen"},
        {&*g, dir_ / "archivo" / "f.png", "No se pudo exportar la imagen"},
        {&*g, dir_ / "archivo" / "f.svg", "No se pudo exportar la imagen"},
        {&*g, dir_ / "f.bmp", "no reconocido: «.bmp»"},
        {nullptr, dir_ / "f.png", "No hay ninguna fórmula que exportar"},
    };
    for (const auto& c : casos) {
        std::string error;
        EXPECT_FALSE(ExportarFormula(c.dibujo, c.ruta, 1.0, error)) << c.ruta;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists(c.ruta)) << c.ruta;
    }
    std::string error;
    EXPECT_TRUE(ExportarFormula(&*g, dir_ / "bien.jpg", 1.0, error)) << error;  // and it goes on
    EXPECT_EQ(FormatoPorExtension("a.JPEG"), FormatoImagen::Jpeg);
    EXPECT_EQ(FormatoPorExtension("a"), FormatoImagen::Desconocido);
}

TEST_F(Exportar, ErrorDeLibjpegNoTerminaElPrograma) {
    // Beyond libjpeg's largest side: the library's error comes back as text.
    QImage ancha(70000, 1, QImage::Format_RGB32);
    ancha.fill(Qt::white);
    QByteArray bytes;
    std::string error;
    EXPECT_FALSE(CodificarJpeg(ancha, kCalidadJpeg, bytes, error));
    EXPECT_EQ(error.rfind("No se pudo exportar la imagen: ", 0), 0u) << error;
    EXPECT_GT(error.size(), std::string("No se pudo exportar la imagen: ").size());
    // And the encoder still works afterwards.
    QImage chica(8, 8, QImage::Format_RGB32);
    chica.fill(Qt::red);
    EXPECT_TRUE(CodificarJpeg(chica, kCalidadJpeg, bytes, error)) << error;
}

TEST_F(Exportar, TamanosRasterAcotados) {
    Motor m;
    auto g = m.Dibujo("a/b");
    ASSERT_TRUE(g);
    const double s = EscalaRaster(*g, 1e6);
    EXPECT_LE(g->Ancho() * s, kLadoMaximoImagen + 1);
    EXPECT_LE(g->Alto() * s, kLadoMaximoImagen + 1);
    EXPECT_LE(g->Ancho() * s * g->Alto() * s, kPixelesMaximos * 1.01);
    EXPECT_EQ(EscalaRaster(*g, 2.0), 2.0);
    EXPECT_EQ(EscalaRaster(*g, -1.0), 1.0);
}

TEST_F(Exportar, VistaEncogeSoloCuandoNoCabe) {
    Motor m;
    auto g = m.Dibujo("a+b");
    ASSERT_TRUE(g);
    EXPECT_EQ(EscalaParaCaber(*g, QSizeF(1000, 1000), false), 1.0);
    EXPECT_GT(EscalaParaCaber(*g, QSizeF(1000, 1000), true), 1.0);
    EXPECT_NEAR(EscalaParaCaber(*g, QSizeF(g->Ancho() / 2.0, 1000), false), 0.5, 1e-9);
    TVistaFormula vista;
    vista.resize(300, 100);
    vista.PonerDibujo(*g);
    EXPECT_EQ(vista.sizeHint(), QSize(g->Ancho(), g->Alto()));
    QImage img(300, 100, QImage::Format_RGB32);
    vista.render(&img);
    EXPECT_GT(Tinta(img, img.rect()).first, 10);
}

// The formulas whose looks were checked by eye, rendered at 3 times the size.
TEST_F(Exportar, Galeria) {
    const char* formulas[] = {"(a+b)/(c-d)", "x^2^3", "2^(x^(y^z))", "x\\3+sqrt(x)", "LogN(x,2)", "a<=b", "a<>b",
                              "Cmb(n,k)", "Fact(n)", "FF[16]+1e-20", "Sumatoria(1,10,n^2)", "Integrar(0,1,x^2)",
                              "Rcp(1+x)", "Abs(-x)/2", "pi*r^2", "2*x+2*3-(a+b)*(c+d)", "-x+a/b+c",
                              "Producto(1,n,k/(k+1))", "exp(-x^2/2)/sqrt(2*pi)", "a>0 & b<1 $ c>=2", "'hola'",
                              "Max(a,b/2,c)", "sen(x)^2+cos(x)^2=1"};
    const char* destino = std::getenv("NUMBRIX_GALERIA");
    const std::filesystem::path carpeta = destino ? std::filesystem::path(destino) : dir_;
    std::filesystem::create_directories(carpeta);
    int i = 0;
    for (const char* f : formulas) {
        Motor m;
        auto g = m.Dibujo(f);
        ASSERT_TRUE(g) << f;
        const Extension e = g->ExtensionDibujada();  // inside the 2-pixel margin, with the real fonts
        EXPECT_TRUE(e.x0 >= 2 && e.y0 >= 2 && e.x1 <= g->Ancho() - 2 && e.y1 <= g->Alto() - 2) << f;
        std::string error;
        EXPECT_TRUE(ExportarFormula(&*g, carpeta / ("f" + std::to_string(10 + i++) + ".png"), 3.0, error)) << error;
    }
}

}  // namespace
}  // namespace numbrix
