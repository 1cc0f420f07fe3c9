#include "support/ui/ImagenesArchivo.h"

#include <QBuffer>

#include "AplicacionQt.h"
#include "CarpetaTemporal.h"
#include "support/Streams.h"

namespace numbrix {
namespace {

std::string Codificada(const QImage& i, const char* formato) {
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    i.save(&buf, formato);
    return b.toStdString();
}

class ImagenesArchivo : public CarpetaTemporal {};

TEST_F(ImagenesArchivo, CadaClaseAjustadaYConTransparencia) {
    // 4×2: left half transparent, right half red.
    QImage png(4, 2, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x) png.setPixelColor(x, y, Qt::red);
    const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='10' viewBox='0 0 20 10'>"
                            "<rect x='0' y='0' width='20' height='10' fill='#0000ff'/></svg>";
    Poner(dir_ / "form.img", EscribirArchivoImagenes({{"B:a.png", Codificada(png, "PNG")},
                                                      {"B:b.bmp", Codificada(png, "BMP")},
                                                      {"B:c.JPG", Codificada(png, "JPEG")}, {"M:d.svg", svg},
                                                      {"M:e.wmf", "no dibujable"}}));
    TStreams s;
    s.Prefijos = true;
    s.Cargar(dir_ / "form.img");
    for (const char* n : {"a.png", "b.bmp", "c.JPG", "d.svg"}) EXPECT_FALSE(ImagenArchivo::Cargar(s, n).Vacia()) << n;
    EXPECT_TRUE(ImagenArchivo::Cargar(s, "e.wmf").Vacia());
    EXPECT_TRUE(ImagenArchivo::Cargar(s, "falta.png").Vacia());

    // Both 2:1, so 90×45 centred in 90×90.
    const QImage a = ImagenArchivo::Cargar(s, "a.png").Renderizar(QSize(90, 90));
    EXPECT_EQ(a.pixelColor(45, 10).alpha(), 0);
    EXPECT_EQ(a.pixelColor(20, 45).alpha(), 0);
    EXPECT_EQ(a.pixelColor(70, 45), QColor(Qt::red));
    const QImage d = ImagenArchivo::Cargar(s, "d.svg").Renderizar(QSize(90, 90));
    EXPECT_EQ(d.pixelColor(45, 10).alpha(), 0);
    EXPECT_EQ(d.pixelColor(5, 45), QColor(Qt::blue));
    EXPECT_EQ(d.pixelColor(85, 45), QColor(Qt::blue));
}

}  // namespace
}  // namespace numbrix
