#include "support/EscalaMundo.h"

#include <cmath>

namespace numbrix {

namespace {

// New units per pixel, or the old ones when the new would be undefined
// (no pixels, coinciding bounds, overflow or underflow).
double UnidadesValidas(double extension, int pixeles, double anterior) {
    if (pixeles <= 0) return anterior;
    const double u = extension / pixeles;
    if (!std::isfinite(u) || u == 0) return anterior;
    return u;
}

int APixel(double valor, double origen, double unidades) {
    const double p = (valor - origen) / unidades;
    if (std::isnan(p)) return 0;
    constexpr double maximo = TEscalaMundo::kPixelMax;
    if (p >= maximo) return TEscalaMundo::kPixelMax;
    if (p <= -maximo) return -TEscalaMundo::kPixelMax;
    return static_cast<int>(std::nearbyint(p));
}

}  // namespace

void TEscalaMundo::Recalcular() {
    upX_ = UnidadesValidas(derecha_ - izquierda_, ancho_, upX_);
    upY_ = UnidadesValidas(abajo_ - arriba_, alto_, upY_);
}

void TEscalaMundo::SetScaleLeft(double v) {
    izquierda_ = v;
    Recalcular();
}
void TEscalaMundo::SetScaleRight(double v) {
    derecha_ = v;
    Recalcular();
}
void TEscalaMundo::SetScaleTop(double v) {
    arriba_ = v;
    Recalcular();
}
void TEscalaMundo::SetScaleBottom(double v) {
    abajo_ = v;
    Recalcular();
}
void TEscalaMundo::SetScaleWidth(double v) {
    derecha_ = izquierda_ + v;
    Recalcular();
}
void TEscalaMundo::SetScaleHeight(double v) {
    abajo_ = arriba_ + v;
    Recalcular();
}

void TEscalaMundo::SetScale(double izquierda, double arriba, double derecha, double abajo) {
    izquierda_ = izquierda;
    arriba_ = arriba;
    derecha_ = derecha;
    abajo_ = abajo;
    Recalcular();
}

void TEscalaMundo::Redimensionar(int ancho, int alto) {
    if (ancho < 0) ancho = 0;
    if (alto < 0) alto = 0;
    // Keeping the aspect needs a scale that belonged to the old size; from a
    // collapsed surface the world window is simply stretched again.
    if (KeepScaleAspect) {
        if (ancho_ > 0 && ancho > 0) {
            const double medio = (ancho - ancho_) * upX_ / 2;
            izquierda_ -= medio;
            derecha_ += medio;
        }
        if (alto_ > 0 && alto > 0) {
            const double medio = (alto - alto_) * upY_ / 2;
            arriba_ -= medio;
            abajo_ += medio;
        }
    }
    ancho_ = ancho;
    alto_ = alto;
    Recalcular();
}

int TEscalaMundo::MundoAPixelX(double x) const { return APixel(x, izquierda_, upX_); }
int TEscalaMundo::MundoAPixelY(double y) const { return APixel(y, arriba_, upY_); }

}  // namespace numbrix
