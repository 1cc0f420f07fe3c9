#pragma once
// A canvas that records what is drawn on it: the formula "picture". It keeps
// the commands and the picture's size and replays them onto any other canvas
// (a widget, an SVG generator, an image). Texts are measured through metrics
// the host supplies; the Qt side gives unhinted design metrics, so widths
// grow linearly with the font size and one recording replays at any scale
// without texts running into each other.
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "support/Lienzo.h"

namespace numbrix {

// Text extents for a recording canvas.
class MetricasTexto {
public:
    virtual ~MetricasTexto() = default;
    virtual MedidaTexto Medir(const Fuente& f, std::string_view texto) const = 0;
};

// The recorded commands.
namespace dibujo {
#define NUMBRIX_COMPARABLE(T) bool operator==(const T&) const = default
struct CmdFuente { Fuente fuente; NUMBRIX_COMPARABLE(CmdFuente); };
struct CmdColor { Color color; NUMBRIX_COMPARABLE(CmdColor); };
struct CmdGrosor { int pixeles = 1; NUMBRIX_COMPARABLE(CmdGrosor); };
struct CmdTexto { int x = 0, y = 0; std::string texto; MedidaTexto medida; NUMBRIX_COMPARABLE(CmdTexto); };
struct CmdLinea { int x1 = 0, y1 = 0, x2 = 0, y2 = 0; NUMBRIX_COMPARABLE(CmdLinea); };
struct CmdPolilinea { std::vector<Punto> puntos; NUMBRIX_COMPARABLE(CmdPolilinea); };
struct CmdRectangulo { int x = 0, y = 0, w = 0, h = 0; bool relleno = false; NUMBRIX_COMPARABLE(CmdRectangulo); };
struct CmdElipse { int x = 0, y = 0, w = 0, h = 0; bool relleno = false; NUMBRIX_COMPARABLE(CmdElipse); };
#undef NUMBRIX_COMPARABLE
using Comando = std::variant<CmdFuente, CmdColor, CmdGrosor, CmdTexto, CmdLinea, CmdPolilinea, CmdRectangulo, CmdElipse>;
}  // namespace dibujo

// Smallest rectangle [x0, x1) × [y0, y1) holding what was drawn.
struct Extension {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool vacia = true;
    void Incluir(int ax, int ay, int bx, int by);
};

class LienzoGrabado : public Lienzo {
public:
    explicit LienzoGrabado(std::shared_ptr<const MetricasTexto> metricas);

    void PonerFuente(const Fuente& f) override;
    void PonerColor(Color c) override;
    void PonerGrosor(int pixeles) override;
    MedidaTexto MedirTexto(std::string_view texto) override;
    void Texto(int x, int y, std::string_view texto) override;
    void Linea(int x1, int y1, int x2, int y2) override;
    void Polilinea(const std::vector<Punto>& puntos) override;
    void Rectangulo(int x, int y, int w, int h, bool relleno) override;
    void Elipse(int x, int y, int w, int h, bool relleno) override;

    // The picture's size (what a replay scales to fit).
    void PonerTamano(int ancho, int alto);
    int Ancho() const { return ancho_; }
    int Alto() const { return alto_; }

    const std::vector<dibujo::Comando>& Comandos() const { return comandos_; }
    // Draws every command again onto `destino`, in order.
    void Reproducir(Lienzo& destino) const;
    // Extent of every drawn command (texts by their cells, lines and
    // outlines by the pen's width).
    Extension ExtensionDibujada() const;
    const MetricasTexto& Metricas() const { return *metricas_; }

private:
    std::shared_ptr<const MetricasTexto> metricas_;
    std::vector<dibujo::Comando> comandos_;
    Fuente fuente_;
    bool fuenteGrabada_ = false;
    int ancho_ = 0;
    int alto_ = 0;
};

}  // namespace numbrix
