// How a job ends and what it reports (pausing: tests/support/ui).
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/Trabajo.h"

namespace numbrix {
namespace {

TEST(Trabajo, ComoTermina) {
    const struct { bool cancelado; Trabajo trabajo; FinTrabajo fin; std::string error; } casos[] = {
        {false, [](TTrabajo& t) { t.Comprobar(); }, FinTrabajo::Terminado, ""},
        {true, [](TTrabajo& t) { t.Avanzar(0.5); }, FinTrabajo::Cancelado, ""},
        {true, [](TTrabajo& t) { (void)t.Sondear(); }, FinTrabajo::Cancelado, ""},  // returns early
        {true, [](TTrabajo& t) { ComprobarToken(t.Token()); }, FinTrabajo::Cancelado, ""},
        {false, [](TTrabajo&) { throw std::runtime_error("mal"); }, FinTrabajo::Fallido, "mal"},
    };
    for (const auto& c : casos) {
        TTrabajo t;
        if (c.cancelado) t.Cancelar();
        const ResultadoTrabajo r = EjecutarTrabajo(c.trabajo, t);
        EXPECT_EQ(r.fin, c.fin) << c.error;
        EXPECT_EQ(r.error, c.error);
    }
}

TEST(Trabajo, AvanceAcotado) {
    std::vector<double> vistos;
    TTrabajo t([&](double f, const std::string&) { vistos.push_back(f); });
    for (double f : {-1.0, 0.25, 7.0}) t.Avanzar(f, "paso");
    EXPECT_EQ(vistos, (std::vector<double>{0, 0.25, 1}));
    EXPECT_EQ(t.Avance().texto, "paso");
}

}  // namespace
}  // namespace numbrix
