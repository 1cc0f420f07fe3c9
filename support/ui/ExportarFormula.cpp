#include "support/ui/ExportarFormula.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <jpeglib.h>

#include "support/EscrituraAtomica.h"
#include "support/ui/LienzoQt.h"

namespace numbrix {

namespace {

const char* const kNoSePudo = "No se pudo exportar la imagen";

std::string Fallo(const std::string& razon) { return razon.empty() ? kNoSePudo : std::string(kNoSePudo) + ": " + razon; }

std::string Minusculas(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// libjpeg's default error handler ends the process; this one jumps back to
// the encoder with the library's message.
struct ErrorJpeg {
    jpeg_error_mgr base;
    std::jmp_buf salto;
    char mensaje[JMSG_LENGTH_MAX];
};

extern "C" void SalidaErrorJpeg(j_common_ptr c) {
    auto* e = reinterpret_cast<ErrorJpeg*>(c->err);
    (*c->err->format_message)(c, e->mensaje);
    std::longjmp(e->salto, 1);
}

extern "C" void MensajeJpeg(j_common_ptr) {}  // warnings are not printed

// Plain C state only between setjmp and longjmp: nothing with a destructor
// is skipped by the jump.
bool EncodificarC(const unsigned char* const* filas, int ancho, int alto, int calidad, unsigned char** datos,
                  unsigned long* tam, char* mensaje) {
    jpeg_compress_struct cinfo;
    ErrorJpeg err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = SalidaErrorJpeg;
    err.base.output_message = MensajeJpeg;
    err.mensaje[0] = 0;
    if (setjmp(err.salto)) {
        std::snprintf(mensaje, JMSG_LENGTH_MAX, "%s", err.mensaje);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, datos, tam);
    cinfo.image_width = static_cast<JDIMENSION>(ancho);
    cinfo.image_height = static_cast<JDIMENSION>(alto);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, calidad, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW fila = const_cast<JSAMPROW>(filas[cinfo.next_scanline]);
        jpeg_write_scanlines(&cinfo, &fila, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

bool Escribir(const std::filesystem::path& ruta, const QByteArray& bytes, std::string& error) {
    std::string razon;
    if (IntentarEscribirArchivoAtomico(ruta, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                       &razon))
        return true;
    error = Fallo(razon);
    return false;
}

}  // namespace

FormatoImagen FormatoPorExtension(const std::filesystem::path& ruta) {
    const std::string e = Minusculas(ruta.extension().string());
    if (e == ".svg") return FormatoImagen::Svg;
    if (e == ".png") return FormatoImagen::Png;
    if (e == ".jpg" || e == ".jpeg") return FormatoImagen::Jpeg;
    return FormatoImagen::Desconocido;
}

double EscalaRaster(const LienzoGrabado& g, double escala) {
    if (!(escala > 0) || !std::isfinite(escala)) escala = 1.0;
    const double w = std::max(1, g.Ancho()), h = std::max(1, g.Alto());
    escala = std::min(escala, kLadoMaximoImagen / w);
    escala = std::min(escala, kLadoMaximoImagen / h);
    const double area = w * h * escala * escala;
    if (area > static_cast<double>(kPixelesMaximos)) escala *= std::sqrt(static_cast<double>(kPixelesMaximos) / area);
    return escala;
}

QImage ImagenFormula(const LienzoGrabado& g, double escala) {
    escala = EscalaRaster(g, escala);
    const int w = std::max(1, static_cast<int>(std::ceil(g.Ancho() * escala - 1e-9)));
    const int h = std::max(1, static_cast<int>(std::ceil(g.Alto() * escala - 1e-9)));
    QImage imagen(w, h, QImage::Format_RGB32);
    if (imagen.isNull()) return imagen;
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    ReproducirEscalado(g, p, QPointF(0, 0), escala);
    p.end();
    return imagen;
}

QByteArray SvgFormula(const LienzoGrabado& g, double escala) {
    if (!(escala > 0) || !std::isfinite(escala)) escala = 1.0;
    const int w = std::max(1, static_cast<int>(std::ceil(g.Ancho() * escala - 1e-9)));
    const int h = std::max(1, static_cast<int>(std::ceil(g.Alto() * escala - 1e-9)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(w, h));
    svg.setViewBox(QRect(0, 0, w, h));
    svg.setTitle("Numbrix");
    QPainter p(&svg);
    ReproducirEscalado(g, p, QPointF(0, 0), escala);
    p.end();
    return bytes;
}

bool CodificarJpeg(const QImage& imagen, int calidad, QByteArray& salida, std::string& error) {
    if (imagen.isNull()) {
        error = Fallo("imagen vacía");
        return false;
    }
    const QImage rgb = imagen.convertToFormat(QImage::Format_RGB888);
    std::vector<const unsigned char*> filas(static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) filas[static_cast<std::size_t>(y)] = rgb.constScanLine(y);
    unsigned char* datos = nullptr;
    unsigned long tam = 0;
    char mensaje[JMSG_LENGTH_MAX] = {};
    const bool ok = EncodificarC(filas.data(), rgb.width(), rgb.height(), std::clamp(calidad, 1, 100), &datos, &tam,
                                 mensaje);
    if (ok) salida = QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tam));
    std::free(datos);
    if (!ok) error = Fallo(mensaje);
    return ok;
}

bool ExportarFormula(const LienzoGrabado* g, const std::filesystem::path& ruta, double escala, std::string& error) {
    error.clear();
    if (!g) {
        error = "No hay ninguna fórmula que exportar";
        return false;
    }
    const FormatoImagen formato = FormatoPorExtension(ruta);
    switch (formato) {
        case FormatoImagen::Svg: return Escribir(ruta, SvgFormula(*g, escala), error);
        case FormatoImagen::Png: {
            const QImage imagen = ImagenFormula(*g, escala);
            QByteArray bytes;
            QBuffer b(&bytes);
            b.open(QIODevice::WriteOnly);
            if (imagen.isNull() || !imagen.save(&b, "PNG")) {
                error = Fallo("no se pudo codificar PNG");
                return false;
            }
            return Escribir(ruta, bytes, error);
        }
        case FormatoImagen::Jpeg: {
            QByteArray bytes;
            if (!CodificarJpeg(ImagenFormula(*g, escala), kCalidadJpeg, bytes, error)) return false;
            return Escribir(ruta, bytes, error);
        }
        case FormatoImagen::Desconocido: break;
    }
    error = "Formato de imagen no reconocido: «" + ruta.extension().string() + "» (use .svg, .png, .jpg o .jpeg)";
    return false;
}

void CopiarFormula(const LienzoGrabado& g, double escala) {
    auto* datos = new QMimeData;
    datos->setImageData(ImagenFormula(g, escala));
    datos->setData("image/svg+xml", SvgFormula(g, escala));
    QGuiApplication::clipboard()->setMimeData(datos);
}

}  // namespace numbrix
