#pragma once
// Long work, one contract. A job runs on a thread of its own and polls its
// TTrabajo; whoever runs it cancels it, pauses it (while the user is asked
// whether to cancel) and reads how far it got through the same object. The
// engines and the matrix eliminations take the same cancel token (Token()),
// so a job that evaluates or eliminates is cancelled by the same request.
//
// A job works on its own copy of the data: what it produced is applied by
// whoever ran it, after it returned, so a cancelled job leaves the caller's
// data as it was unless the caller chooses to keep the partial result.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include "support/Errores.h"

namespace numbrix {

// The cancel token the engines and the matrix eliminations poll: true ends
// the work (they raise ECancelado). An empty one never cancels.
using TokenCancelar = std::function<bool()>;

// Polls a token that may be empty.
inline bool SeCancela(const TokenCancelar& token) { return token && token(); }
// The same, raising ECancelado.
inline void ComprobarToken(const TokenCancelar& token) {
    if (token && token()) throw ECancelado();
}

// How far a job got: a fraction in 0..1 and a text for the user.
struct AvanceTrabajo {
    double fraccion = 0;
    std::string texto;
};

class TTrabajo {
public:
    // Called on the job's thread at every Avanzar.
    using AlAvanzar = std::function<void(double fraccion, const std::string& texto)>;

    explicit TTrabajo(AlAvanzar alAvanzar = {}) : alAvanzar_(std::move(alAvanzar)) {}
    TTrabajo(const TTrabajo&) = delete;
    TTrabajo& operator=(const TTrabajo&) = delete;

    // ---- from any thread
    void Cancelar();  // the next poll answers true; a paused job goes on to see it
    bool Cancelado() const { return (pedido_.load(std::memory_order_acquire) & kCancelar) != 0; }
    void Pausar();    // the next poll waits until Reanudar or Cancelar
    void Reanudar();
    bool EnPausa() const;           // the job is waiting at a poll
    AvanceTrabajo Avance() const;   // the last one reported

    // ---- from the job
    // Costs one atomic read while nothing is asked. Waits while paused;
    // true when cancelled.
    bool Sondear() {
        const unsigned p = pedido_.load(std::memory_order_acquire);
        return p != 0 && SondearDespacio();
    }
    // Sondear, raising ECancelado when cancelled.
    void Comprobar();
    // Notes the progress (the fraction clamped to 0..1), then Comprobar.
    void Avanzar(double fraccion, std::string texto = {});
    // For an engine or a matrix: polls this job.
    TokenCancelar Token() {
        return [this] { return Sondear(); };
    }

private:
    static constexpr unsigned kCancelar = 1, kPausar = 2;
    bool SondearDespacio();

    std::atomic<unsigned> pedido_{0};
    mutable std::mutex m_;
    std::condition_variable cv_;
    bool esperando_ = false;
    AvanceTrabajo avance_;
    AlAvanzar alAvanzar_;
};

// A job: reads its own data, polls `t`, writes its own result.
using Trabajo = std::function<void(TTrabajo& t)>;

enum class FinTrabajo { Terminado, Cancelado, Fallido };

struct ResultadoTrabajo {
    FinTrabajo fin = FinTrabajo::Terminado;
    std::string error;  // the failure's text (Fallido)
};

// Runs the job on this thread and tells how it ended: cancelled when it
// raised ECancelado or returned after a cancel request, failed when it raised
// anything else. Never raises.
ResultadoTrabajo EjecutarTrabajo(const Trabajo& trabajo, TTrabajo& t) noexcept;

}  // namespace numbrix
