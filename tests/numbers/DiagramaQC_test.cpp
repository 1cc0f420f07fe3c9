// Formula layout of the rational and complex engines against fixed metrics:
// fractions stacked, mixed numbers with a bold whole part, complex numbers
// as their text, and the generic layout over both domains.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "MetricasFijas.h"
#include "numbers/DiagramaC.h"
#include "numbers/DiagramaQ.h"

namespace numbrix {
namespace {

// (text, size, bold) of every text drawn.
struct Texto {
    std::string texto;
    int tam;
    bool negrita;
    bool operator==(const Texto&) const = default;
};

std::vector<Texto> Textos(const LienzoGrabado& g) {
    std::vector<Texto> r;
    Fuente f;
    for (const auto& c : g.Comandos()) {
        if (auto* k = std::get_if<dibujo::CmdFuente>(&c)) f = k->fuente;
        if (auto* t = std::get_if<dibujo::CmdTexto>(&c)) r.push_back({t->texto, f.tam, f.negrita});
    }
    return r;
}

int Lineas(const LienzoGrabado& g) {
    int n = 0;
    for (const auto& c : g.Comandos()) n += std::holds_alternative<dibujo::CmdLinea>(c);
    return n;
}

struct CasoQ {
    const char* texto;
    bool mixto;
    CajaFormula caja;
    std::vector<Texto> textos;
    int barras;
};

TEST(DiagramaQ, FraccionesApiladasYMixtas) {
    const CasoQ casos[] = {
        {"5", false, {10, 10, 10}, {{"5", 20, false}}, 0},
        {"1|2", false, {12, 21, 21}, {{"1", 20, false}, {"2", 20, false}}, 1},
        {"7|2", false, {12, 21, 21}, {{"7", 20, false}, {"2", 20, false}}, 1},
        {"7|2", true, {22, 21, 21}, {{"3", 20, true}, {"1", 20, false}, {"2", 20, false}}, 1},
        {"1|2", true, {12, 21, 21}, {{"1", 20, false}, {"2", 20, false}}, 1},  // proper: nothing whole
        {"6|3", true, {10, 10, 10}, {{"2", 20, false}}, 0},                    // whole: plain
    };
    for (const CasoQ& c : casos) {
        TExpresionQ e;
        e.SetPredefinidas(true);
        e.Silencioso = true;
        e.Ajustes.extra.FormatoMixto = c.mixto;
        e.SetTexto(c.texto);
        ASSERT_TRUE(e.Arbol) << c.texto << ": " << e.Mensaje;
        auto g = Metarchivo(e, prueba::Fijas());
        ASSERT_TRUE(g);
        EXPECT_EQ(g->Ancho(), c.caja.ancho + 4) << c.texto;
        EXPECT_EQ(g->Alto(), c.caja.Alto() + 4) << c.texto;
        EXPECT_EQ(Textos(*g), c.textos) << c.texto << (c.mixto ? " mixto" : "");
        EXPECT_EQ(Lineas(*g), c.barras) << c.texto;
        const Extension x = g->ExtensionDibujada();
        EXPECT_GE(x.x0, 2);
        EXPECT_GE(x.y0, 2);
        EXPECT_LE(x.x1, g->Ancho() - 2) << c.texto;
        EXPECT_LE(x.y1, g->Alto() - 2) << c.texto;
    }
}

TEST(DiagramaQ, OperacionesConFracciones) {
    TExpresionQ e;
    e.SetPredefinidas(true);
    e.Silencioso = true;
    e.AgregarVariable("x");
    e.SetTexto("x^(1|2)");
    ASSERT_TRUE(e.Arbol) << e.Mensaje;
    auto g = Metarchivo(e, prueba::Fijas());
    ASSERT_TRUE(g);
    // x with a raised stacked 1/2 at two thirds of the size.
    const auto t = Textos(*g);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1], (Texto{"1", 13, false}));
    EXPECT_EQ(t[2], (Texto{"2", 13, false}));
}

TEST(DiagramaC, NumerosComoTexto) {
    TExpresionC e;
    e.SetPredefinidas(true);
    e.Silencioso = true;
    e.SetTexto("2.5+3*i");
    ASSERT_TRUE(e.Arbol) << e.Mensaje;
    auto g = Metarchivo(e, prueba::Fijas());
    ASSERT_TRUE(g);
    const auto t = Textos(*g);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].texto, "2.5");
    EXPECT_EQ(t[1].texto, "+");
    EXPECT_EQ(t[2].texto, "3");
    EXPECT_EQ(t[3].texto, "i");
    // «3i» without a dot: a number before a constant.
    for (const auto& c : g->Comandos())
        if (auto* r = std::get_if<dibujo::CmdRectangulo>(&c)) {
            EXPECT_FALSE(r->relleno);
        }
    EXPECT_EQ(g->Ancho(), 30 + 10 + 5 + 10 + 3 + 10 + 4);
}

TEST(DiagramaQC, FuncionesConDibujoPropio) {
    // Rcp, sqr, sqrt, Abs (and the complex Exp) draw as x⁻¹, x², √x, |x|, eˣ
    // in every domain, not as a name with parentheses.
    struct Caso {
        const char* texto;
        const char* marca;  // a text the drawing must hold
        const char* nombre;  // a text it must not hold
    };
    auto textos = [](const LienzoGrabado& g) {
        std::string t;
        for (const auto& x : Textos(g)) t += x.texto + "|";
        return t;
    };
    auto metricas = prueba::Fijas();
    TExpresionQ q;
    q.SetPredefinidas(true);
    for (const Caso& c : {Caso{"Rcp(1|2)", "−1|", "Rcp"}, Caso{"sqr(3)", "2|", "sqr"}, Caso{"Abs(1-3)", "3|", "Abs"}}) {
        q.SetTexto(c.texto);
        auto g = Metarchivo(q, metricas);
        ASSERT_TRUE(g) << c.texto;
        EXPECT_NE(textos(*g).find(c.marca), std::string::npos) << c.texto << ": " << textos(*g);
        EXPECT_EQ(textos(*g).find(c.nombre), std::string::npos) << c.texto;
    }
    TExpresionC z;
    z.SetPredefinidas(true);
    for (const Caso& c : {Caso{"Exp(i)", "e|", "Exp"}, Caso{"Rcp(2)", "−1|", "Rcp"}}) {
        z.SetTexto(c.texto);
        auto g = Metarchivo(z, metricas);
        ASSERT_TRUE(g) << c.texto;
        EXPECT_NE(textos(*g).find(c.marca), std::string::npos) << c.texto << ": " << textos(*g);
        EXPECT_EQ(textos(*g).find(c.nombre), std::string::npos) << c.texto;
    }
}

}  // namespace
}  // namespace numbrix
