// Formula layout of the rational and complex engines against fixed metrics:
// fractions stacked, mixed numbers with a bold whole part, complex numbers
// as their text, and the functions each domain draws in its own form.
#include <gtest/gtest.h>

#include <variant>

#include "Ayudas.h"
#include "MetricasFijas.h"
#include "numbers/DiagramaC.h"
#include "numbers/DiagramaQ.h"

namespace numbrix {
namespace {

// Every text drawn as "text:size" ("*" when bold), then the number of lines
// (fraction bars) and the size of the box inside its margin of 2.
template <class D>
std::string Dibujo(const char* texto, bool mixto = false) {
    prueba::Motor<D> m;
    if constexpr (std::is_same_v<D, DominioRacional>) m.e.Ajustes.extra.FormatoMixto = mixto;
    m.e.SetTexto(texto);
    const auto g = Metarchivo(m.e, prueba::Fijas());
    if (!g) return m.e.Mensaje;
    std::string r;
    Fuente f;
    int lineas = 0;
    for (const auto& c : g->Comandos()) {
        if (auto* k = std::get_if<dibujo::CmdFuente>(&c)) f = k->fuente;
        if (auto* t = std::get_if<dibujo::CmdTexto>(&c)) r += t->texto + ":" + std::to_string(f.tam) + (f.negrita ? "* " : " ");
        if (auto* q = std::get_if<dibujo::CmdRectangulo>(&c)) r += q->relleno ? "punto " : "";
        lineas += std::holds_alternative<dibujo::CmdLinea>(c);
    }
    const Extension x = g->ExtensionDibujada();
    EXPECT_TRUE(x.x0 >= 2 && x.y0 >= 2 && x.x1 <= g->Ancho() - 2 && x.y1 <= g->Alto() - 2) << texto;
    return r + "/" + std::to_string(lineas) + " " + std::to_string(g->Ancho() - 4) + "x" + std::to_string(g->Alto() - 4);
}

TEST(DiagramaQC, FraccionesApiladasMixtasYComplejosComoTexto) {
    EXPECT_EQ(Dibujo<DominioRacional>("5"), "5:20 /0 10x20");
    EXPECT_EQ(Dibujo<DominioRacional>("7|2"), "7:20 2:20 /1 12x42");
    EXPECT_EQ(Dibujo<DominioRacional>("7|2", true), "3:20* 1:20 2:20 /1 22x42");
    EXPECT_EQ(Dibujo<DominioRacional>("1|2", true), "1:20 2:20 /1 12x42");  // proper: nothing whole
    EXPECT_EQ(Dibujo<DominioRacional>("6|3", true), "2:20 /0 10x20");       // whole: plain
    EXPECT_EQ(Dibujo<DominioRacional>("x^(1|2)"), "x:20* 1:13 2:13 /1 17x34");  // raised at two thirds
    EXPECT_EQ(Dibujo<DominioComplejo>("2.5+3*i"), "2.5:20 +:20* 3:20 i:20 /0 68x20");  // «3i» without a dot
}

TEST(DiagramaQC, FuncionesConDibujoPropio) {
    // Rcp, sqr, Abs and Exp draw as x⁻¹, x², |x|, eˣ in every domain, not as
    // a name with parentheses.
    for (const char* t : {"Rcp(1|2)", "sqr(3)", "Abs(1-3)"}) {
        const std::string d = Dibujo<DominioRacional>(t);
        EXPECT_EQ(d.find(std::string(t).substr(0, 3)), std::string::npos) << d;
        EXPECT_NE(d.find(t[0] == 'R' ? "−1:" : t[0] == 's' ? "2:13" : "3:20"), std::string::npos) << d;
    }
    EXPECT_NE(Dibujo<DominioComplejo>("Rcp(2)").find("−1:"), std::string::npos);
    EXPECT_EQ(Dibujo<DominioComplejo>("Exp(i)").rfind("e:", 0), 0u);
}

}  // namespace
}  // namespace numbrix
