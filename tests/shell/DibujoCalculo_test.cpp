// The calculus functions' typesetting against fixed metrics: the sign, its
// limits at a smaller size, the body, "dx", and everything inside the box.
#include <gtest/gtest.h>

#include "Ayudas.h"
#include "MetricasFijas.h"
#include "engine/DiagramaX.h"
#include "shell/DibujoCalculo.h"

namespace numbrix {
namespace {

struct Caso {
    const char* texto;
    CajaFormula caja;
    std::vector<std::pair<std::string, int>> textos;  // in drawing order, with their sizes
};

TEST(DibujoCalculo, SignosLimitesYCuerpo) {
    // Signs at 3/2 (∑, ∏) and twice (∫) the size, limits at 6/10.
    const Caso casos[] = {
        {"Sumatoria(1,10,n^2)", {34, 28, 28}, {{"∑", 30}, {"10", 12}, {"1", 12}, {"n", 20}, {"2", 13}}},
        {"Producto(1,n,n+1)", {77, 28, 28}, {{"∏", 30}, {"n", 12}, {"1", 12}, {"(", 24}, {")", 24}, {"n", 20},
                                              {"+", 20}, {"1", 20}}},
        {"Integrar(0,1,x^2)", {68, 20, 20}, {{"∫", 40}, {"1", 12}, {"0", 12}, {"x", 20}, {"2", 13}, {"dx", 20}}},
        {"Integrar(0,1,8,x)", {62, 20, 20}, {{"∫", 40}, {"1", 12}, {"0", 12}, {"x", 20}, {"dx", 20}}},
    };
    for (const Caso& c : casos) {
        prueba::MotorX m(Radianes, {"x", "n"});
        prueba::DibujosCalculo(m.e);
        m.e.SetTexto(c.texto);
        ASSERT_TRUE(m.e.Arbol) << c.texto << ": " << m.e.Mensaje;
        auto g = Metarchivo(m.e, prueba::Fijas());
        ASSERT_TRUE(g);
        EXPECT_EQ(g->Ancho(), c.caja.ancho + 4) << c.texto;
        EXPECT_EQ(g->Alto(), c.caja.Alto() + 4) << c.texto;
        std::vector<std::pair<std::string, int>> textos;
        int tam = 0;
        for (const auto& k : g->Comandos()) {
            if (auto* f = std::get_if<dibujo::CmdFuente>(&k)) tam = f->fuente.tam;
            if (auto* t = std::get_if<dibujo::CmdTexto>(&k)) textos.emplace_back(t->texto, tam);
        }
        EXPECT_EQ(textos, c.textos) << c.texto;
        const Extension x = g->ExtensionDibujada();
        EXPECT_TRUE(x.x0 >= 2 && x.y0 >= 2 && x.x1 <= g->Ancho() - 2 && x.y1 <= g->Alto() - 2) << c.texto;
    }
}

}  // namespace
}  // namespace numbrix
