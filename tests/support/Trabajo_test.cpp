// The job contract: how a job ends, pausing at a poll, progress.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "support/Errores.h"
#include "support/Trabajo.h"

namespace numbrix {
namespace {

TEST(Trabajo, ComoTermina) {
    struct Caso {
        const char* nombre;
        bool cancelarAntes;
        Trabajo trabajo;
        FinTrabajo fin;
        std::string error;
    };
    const Caso casos[] = {
        {"termina", false, [](TTrabajo& t) { t.Comprobar(); }, FinTrabajo::Terminado, ""},
        {"vacío", false, nullptr, FinTrabajo::Terminado, ""},
        {"lanza al sondear", true, [](TTrabajo& t) { t.Avanzar(0.5, "x"); }, FinTrabajo::Cancelado, ""},
        {"vuelve tras sondear", true, [](TTrabajo& t) { (void)t.Sondear(); }, FinTrabajo::Cancelado, ""},
        {"token de motor", true, [](TTrabajo& t) { if (SeCancela(t.Token())) throw ECancelado(); },
         FinTrabajo::Cancelado, ""},
        {"falla", false, [](TTrabajo&) { throw std::runtime_error("mal"); }, FinTrabajo::Fallido, "mal"},
    };
    for (const Caso& c : casos) {
        TTrabajo t;
        if (c.cancelarAntes) t.Cancelar();
        const ResultadoTrabajo r = EjecutarTrabajo(c.trabajo, t);
        EXPECT_EQ(r.fin, c.fin) << c.nombre;
        EXPECT_EQ(r.error, c.error) << c.nombre;
    }
    EXPECT_FALSE(SeCancela(nullptr));
}

TEST(Trabajo, AvanceAcotadoYAvisado) {
    std::vector<std::pair<double, std::string>> vistos;
    TTrabajo t([&](double f, const std::string& s) { vistos.emplace_back(f, s); });
    for (double f : {-1.0, 0.25, 7.0}) t.Avanzar(f, "paso");
    EXPECT_EQ(vistos, (std::vector<std::pair<double, std::string>>{{0, "paso"}, {0.25, "paso"}, {1, "paso"}}));
    EXPECT_EQ(t.Avance().fraccion, 1);
    EXPECT_EQ(t.Avance().texto, "paso");
}

// A paused job waits at its next poll; it goes on when resumed, and sees the
// cancel when cancelled while paused.
TEST(Trabajo, PausaEnElSiguienteSondeo) {
    for (bool cancelar : {false, true}) {
        TTrabajo t;
        std::atomic<bool> seguir{true};
        std::atomic<long> vueltas{0};
        t.Pausar();
        ResultadoTrabajo r;
        std::thread hilo([&] {
            r = EjecutarTrabajo([&](TTrabajo& tt) {
                while (seguir) {
                    tt.Comprobar();
                    ++vueltas;
                }
            }, t);
        });
        while (!t.EnPausa()) std::this_thread::yield();
        EXPECT_EQ(vueltas, 0);
        if (cancelar) {
            t.Cancelar();
        } else {
            t.Reanudar();
            while (vueltas == 0) std::this_thread::yield();
            seguir = false;
        }
        hilo.join();
        EXPECT_FALSE(t.EnPausa());
        EXPECT_EQ(r.fin, cancelar ? FinTrabajo::Cancelado : FinTrabajo::Terminado);
    }
}

}  // namespace
}  // namespace numbrix
