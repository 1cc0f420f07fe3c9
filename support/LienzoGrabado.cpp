#include "support/LienzoGrabado.h"

#include <algorithm>
#include <utility>

namespace numbrix {

void Extension::Incluir(int ax, int ay, int bx, int by) {
    if (ax > bx) std::swap(ax, bx);
    if (ay > by) std::swap(ay, by);
    if (vacia) {
        x0 = ax; y0 = ay; x1 = bx; y1 = by;
        vacia = false;
        return;
    }
    x0 = std::min(x0, ax);
    y0 = std::min(y0, ay);
    x1 = std::max(x1, bx);
    y1 = std::max(y1, by);
}

LienzoGrabado::LienzoGrabado(std::shared_ptr<const MetricasTexto> metricas) : metricas_(std::move(metricas)) {}

void LienzoGrabado::PonerFuente(const Fuente& f) {
    if (f == fuente_ && fuenteGrabada_) return;
    fuente_ = f;
    fuenteGrabada_ = true;
    comandos_.emplace_back(dibujo::CmdFuente{f});
}

void LienzoGrabado::PonerColor(Color c) { comandos_.emplace_back(dibujo::CmdColor{c}); }

void LienzoGrabado::PonerGrosor(int pixeles) { comandos_.emplace_back(dibujo::CmdGrosor{std::max(1, pixeles)}); }

MedidaTexto LienzoGrabado::MedirTexto(std::string_view texto) { return metricas_->Medir(fuente_, texto); }

void LienzoGrabado::Texto(int x, int y, std::string_view texto) {
    if (!fuenteGrabada_) PonerFuente(fuente_);
    comandos_.emplace_back(dibujo::CmdTexto{x, y, std::string(texto), metricas_->Medir(fuente_, texto)});
}

void LienzoGrabado::Linea(int x1, int y1, int x2, int y2) { comandos_.emplace_back(dibujo::CmdLinea{x1, y1, x2, y2}); }

void LienzoGrabado::Polilinea(const std::vector<Punto>& puntos) {
    if (puntos.size() >= 2) comandos_.emplace_back(dibujo::CmdPolilinea{puntos});
}

void LienzoGrabado::Rectangulo(int x, int y, int w, int h, bool relleno) {
    comandos_.emplace_back(dibujo::CmdRectangulo{x, y, w, h, relleno});
}

void LienzoGrabado::Elipse(int x, int y, int w, int h, bool relleno) {
    comandos_.emplace_back(dibujo::CmdElipse{x, y, w, h, relleno});
}

void LienzoGrabado::PonerTamano(int ancho, int alto) {
    ancho_ = std::max(0, ancho);
    alto_ = std::max(0, alto);
}

namespace {
template <class... F>
struct Visitante : F... { using F::operator()...; };
template <class... F>
Visitante(F...) -> Visitante<F...>;
}  // namespace

void LienzoGrabado::Reproducir(Lienzo& d) const {
    for (const auto& c : comandos_) {
        std::visit(Visitante{
                       [&](const dibujo::CmdFuente& k) { d.PonerFuente(k.fuente); },
                       [&](const dibujo::CmdColor& k) { d.PonerColor(k.color); },
                       [&](const dibujo::CmdGrosor& k) { d.PonerGrosor(k.pixeles); },
                       [&](const dibujo::CmdTexto& k) { d.Texto(k.x, k.y, k.texto); },
                       [&](const dibujo::CmdLinea& k) { d.Linea(k.x1, k.y1, k.x2, k.y2); },
                       [&](const dibujo::CmdPolilinea& k) { d.Polilinea(k.puntos); },
                       [&](const dibujo::CmdRectangulo& k) { d.Rectangulo(k.x, k.y, k.w, k.h, k.relleno); },
                       [&](const dibujo::CmdElipse& k) { d.Elipse(k.x, k.y, k.w, k.h, k.relleno); },
                   },
                   c);
    }
}

Extension LienzoGrabado::ExtensionDibujada() const {
    Extension e;
    int grosor = 1;
    // A line of width g covers g pixels across; its end pixels are included.
    auto linea = [&](int x1, int y1, int x2, int y2) {
        const int a = (grosor - 1) / 2, b = grosor / 2 + 1;
        e.Incluir(std::min(x1, x2) - a, std::min(y1, y2) - a, std::max(x1, x2) + b, std::max(y1, y2) + b);
    };
    for (const auto& c : comandos_) {
        std::visit(Visitante{
                       [&](const dibujo::CmdFuente&) {},
                       [&](const dibujo::CmdColor&) {},
                       [&](const dibujo::CmdGrosor& k) { grosor = k.pixeles; },
                       [&](const dibujo::CmdTexto& k) {
                           if (k.medida.ancho > 0) e.Incluir(k.x, k.y, k.x + k.medida.ancho, k.y + k.medida.alto);
                       },
                       [&](const dibujo::CmdLinea& k) { linea(k.x1, k.y1, k.x2, k.y2); },
                       [&](const dibujo::CmdPolilinea& k) {
                           for (std::size_t i = 1; i < k.puntos.size(); ++i)
                               linea(k.puntos[i - 1].x, k.puntos[i - 1].y, k.puntos[i].x, k.puntos[i].y);
                       },
                       [&](const dibujo::CmdRectangulo& k) {
                           if (k.relleno) e.Incluir(k.x, k.y, k.x + k.w, k.y + k.h);
                           else linea(k.x, k.y, k.x + k.w - 1, k.y + k.h - 1);
                       },
                       [&](const dibujo::CmdElipse& k) {
                           if (k.relleno) e.Incluir(k.x, k.y, k.x + k.w, k.y + k.h);
                           else linea(k.x, k.y, k.x + k.w - 1, k.y + k.h - 1);
                       },
                   },
                   c);
    }
    return e;
}

}  // namespace numbrix
