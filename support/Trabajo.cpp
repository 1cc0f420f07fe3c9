#include "support/Trabajo.h"

#include <algorithm>
#include <cmath>

namespace numbrix {

void TTrabajo::Cancelar() {
    {
        std::lock_guard l(m_);
        pedido_.fetch_or(kCancelar, std::memory_order_release);
    }
    cv_.notify_all();
}

void TTrabajo::Pausar() {
    std::lock_guard l(m_);
    pedido_.fetch_or(kPausar, std::memory_order_release);
}

void TTrabajo::Reanudar() {
    {
        std::lock_guard l(m_);
        pedido_.fetch_and(~kPausar, std::memory_order_release);
    }
    cv_.notify_all();
}

bool TTrabajo::EnPausa() const {
    std::lock_guard l(m_);
    return esperando_;
}

AvanceTrabajo TTrabajo::Avance() const {
    std::lock_guard l(m_);
    return avance_;
}

bool TTrabajo::SondearDespacio() {
    std::unique_lock l(m_);
    // The flags change under the lock, so no wake-up is missed.
    if ((pedido_.load(std::memory_order_relaxed) & (kPausar | kCancelar)) == kPausar) {
        esperando_ = true;
        cv_.wait(l, [&] { return (pedido_.load(std::memory_order_relaxed) & (kPausar | kCancelar)) != kPausar; });
        esperando_ = false;
    }
    return (pedido_.load(std::memory_order_relaxed) & kCancelar) != 0;
}

void TTrabajo::Comprobar() {
    if (Sondear()) throw ECancelado();
}

void TTrabajo::Avanzar(double fraccion, std::string texto) {
    fraccion = std::isnan(fraccion) ? 0 : std::clamp(fraccion, 0.0, 1.0);
    {
        std::lock_guard l(m_);
        avance_.fraccion = fraccion;
        avance_.texto = texto;
    }
    if (alAvanzar_) alAvanzar_(fraccion, texto);
    Comprobar();
}

ResultadoTrabajo EjecutarTrabajo(const Trabajo& trabajo, TTrabajo& t) noexcept {
    ResultadoTrabajo r;
    try {
        if (trabajo) trabajo(t);
        if (t.Cancelado()) r.fin = FinTrabajo::Cancelado;
    } catch (const ECancelado&) {
        r.fin = FinTrabajo::Cancelado;
    } catch (const std::exception& e) {
        r.fin = FinTrabajo::Fallido;
        r.error = e.what();
    } catch (...) {
        r.fin = FinTrabajo::Fallido;
        r.error = Texto(Mensaje::ErrorDesconocido);
    }
    return r;
}

}  // namespace numbrix
