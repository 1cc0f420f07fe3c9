// Renders each picture of an archive as the formula library would, into a
// 90×90 PNG over the window colour of a light or a dark palette, to look at:
//   ver_imagenes ARCHIVO CARPETA [--oscuro] [--prefijos]
#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <cstdio>
#include <string_view>

#include "support/Streams.h"
#include "support/ui/ImagenesArchivo.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("Uso: ver_imagenes ARCHIVO CARPETA [--oscuro] [--prefijos]\n", stderr);
        return 2;
    }
    bool oscuro = false, prefijos = false;
    for (int i = 3; i < argc; ++i) {
        oscuro |= std::string_view(argv[i]) == "--oscuro";
        prefijos |= std::string_view(argv[i]) == "--prefijos";
    }
    const QColor fondo = oscuro ? QColor(0x2b, 0x2b, 0x2b) : app.palette().color(QPalette::Window);
    numbrix::TStreams s;
    s.Prefijos = prefijos;
    try {
        s.Cargar(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ver_imagenes: %s\n", e.what());
        return 1;
    }
    for (std::size_t i = 0; i < s.Cantidad(); ++i) {
        std::string nombre = s.Nombre(i);
        if (prefijos && nombre.size() > 2 && nombre[1] == ':') nombre.erase(0, 2);
        const auto imagen = numbrix::ImagenArchivo::Cargar(s, nombre);
        QImage r(90, 90, QImage::Format_ARGB32);
        r.fill(fondo);
        QPainter p(&r);
        p.setPen(oscuro ? Qt::gray : Qt::darkGray);
        p.drawRect(0, 0, 89, 89);
        if (imagen.Vacia()) p.drawText(r.rect(), Qt::AlignCenter, "sin imagen");
        else imagen.Pintar(p, QRectF(1, 1, 88, 88));
        p.end();
        r.save(QString::fromStdString(std::string(argv[2]) + "/" + nombre + ".png"));
    }
    return 0;
}
