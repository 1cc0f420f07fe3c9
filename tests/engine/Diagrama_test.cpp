// Formula layout against fixed metrics (a character is size/2 wide and size
// high), so every box below is computed by hand: the boxes of each node
// class, the edge cases of the typesetting rules (stacked fractions on the
// common axis, product dots, root indices, the leading minus, π), the
// parenthesizing rules, measuring deep trees once per node, and every drawn
// command inside the measured box.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "MetricasFijas.h"
#include "engine/DiagramaX.h"

namespace numbrix {
namespace {

using prueba::Fijas;

struct Motor {
    TExpresionX e;
    Motor() {
        e.SetPredefinidas(true);
        e.Silencioso = true;
        for (const char* v : {"a", "b", "c", "d", "x", "y", "z", "n", "k", "r"}) e.AgregarVariable(v);
        e.AgregarUsuario("Cubo", "?a^3", "");
    }
    const TEvalX& Arbol(const std::string& t) {
        e.SetTexto(t);
        EXPECT_TRUE(e.Arbol) << t << ": " << e.Mensaje;
        return *e.Arbol;
    }
};

// One layout of a text: its box and what drawing it at (2, 2) recorded.
struct Dibujo {
    CajaFormula caja;
    LienzoGrabado lienzo{Fijas()};
    long long mediciones = 0;

    std::vector<dibujo::CmdTexto> Textos() const {
        std::vector<dibujo::CmdTexto> r;
        for (const auto& c : lienzo.Comandos())
            if (auto* t = std::get_if<dibujo::CmdTexto>(&c)) r.push_back(*t);
        return r;
    }
    int Cuenta(std::string_view texto) const {
        int n = 0;
        for (const auto& t : Textos()) n += t.texto == texto;
        return n;
    }
    int Cuadrados() const {
        int n = 0;
        for (const auto& c : lienzo.Comandos())
            if (auto* r = std::get_if<dibujo::CmdRectangulo>(&c)) n += r->relleno;
        return n;
    }
    // Font size each text was drawn with.
    std::vector<std::pair<std::string, int>> TextosConTam() const {
        std::vector<std::pair<std::string, int>> r;
        int tam = 0;
        for (const auto& c : lienzo.Comandos()) {
            if (auto* f = std::get_if<dibujo::CmdFuente>(&c)) tam = f->fuente.tam;
            if (auto* t = std::get_if<dibujo::CmdTexto>(&c)) r.emplace_back(t->texto, tam);
        }
        return r;
    }
};

void Trazar(const TEvalX& raiz, Dibujo& d, int tam = kTamFormula) {
    DiagramaX diagrama(d.lienzo);
    d.caja = diagrama.Medir(raiz, tam);
    diagrama.Dibujar(raiz, 2, 2, tam);
    d.mediciones = diagrama.Mediciones();
}

// ---------------------------------------------------------------- boxes by node class

struct CasoCaja {
    const char* texto;
    int ancho, arriba, abajo;
};

class Cajas : public ::testing::TestWithParam<CasoCaja> {};

TEST_P(Cajas, MedidaAMano) {
    Motor m;
    Dibujo d;
    Trazar(m.Arbol(GetParam().texto), d);
    EXPECT_EQ(d.caja, (CajaFormula{GetParam().ancho, GetParam().arriba, GetParam().abajo}))
        << GetParam().texto << ": " << d.caja.ancho << ", " << d.caja.arriba << ", " << d.caja.abajo;
}

// With size 20: a character is 10 wide, 20 high (10 above and below the
// axis); sizes shrink to 13 (exponents), 12 (number exponents) and 10
// (indices, log bases, base marks).
INSTANTIATE_TEST_SUITE_P(Diagrama, Cajas, ::testing::Values(
    CasoCaja{"x", 10, 10, 10},                 // variable
    CasoCaja{"pi", 10, 10, 10},                // constant π
    CasoCaja{"e", 10, 10, 10},                 // constant
    CasoCaja{"12.5", 40, 10, 10},              // number
    CasoCaja{"FF[16]", 30, 10, 10},            // "FF" and a maroon "16" at half size
    CasoCaja{"1e-20", 54, 16, 10},             // "1", square, "10", raised "−20"
    CasoCaja{"'hola'", 60, 10, 10},            // message in quotes
    CasoCaja{"Ale", 30, 10, 10},               // function without arguments
    CasoCaja{"a+b", 35, 10, 10},               // sum: sign in a gap of size/4
    CasoCaja{"a-b", 35, 10, 10},
    CasoCaja{"-x", 22, 10, 10},                // leading minus without the 0
    CasoCaja{"a*b", 26, 10, 10},               // product with a dot: gap size/3
    CasoCaja{"2*x", 23, 10, 10},               // without a dot: gap size/6
    CasoCaja{"a/b", 12, 21, 21},               // quotient: stacked 1 apart from the bar, width + size/10
    CasoCaja{"x^2", 16, 16, 10},               // power
    CasoCaja{"x\\2", 17, 13, 14},              // square root: no index
    CasoCaja{"x\\3", 22, 13, 14},              // root with its index
    CasoCaja{"x£2", 48, 10, 10},               // logarithm: "log", base, value
    CasoCaja{"LogN(x,2)", 48, 10, 10},
    CasoCaja{"a<=b", 36, 10, 10},              // comparison
    CasoCaja{"a<>b", 36, 10, 10},
    CasoCaja{"a&b", 36, 10, 10},               // logical operation
    CasoCaja{"sen(x)", 43, 10, 10},            // function of one argument
    CasoCaja{"sen(x+1)", 92, 12, 12},          // its argument in parentheses
    CasoCaja{"Max(a,b)", 95, 12, 12},          // several arguments
    CasoCaja{"Cubo(x)", 75, 12, 12},           // user function
    CasoCaja{"Rcp(x)", 23, 16, 10},            // own drawings of the built-ins
    CasoCaja{"sqr(x)", 16, 16, 10},
    CasoCaja{"sqrt(x)", 17, 13, 14},
    CasoCaja{"exp(x)", 16, 16, 10},
    CasoCaja{"exp10(x)", 26, 16, 10},
    CasoCaja{"Abs(x)", 16, 11, 11},
    CasoCaja{"Fact(n)", 21, 10, 10},
    CasoCaja{"Cmb(n,k)", 60, 24, 24},          // binomial: stacked in tall parentheses
    CasoCaja{"a<b<c", 62, 10, 10},             // a chain keeps its left comparison bare
    CasoCaja{"(a+b)*(c+d)", 121, 12, 12},      // parenthesized sums, no dot
    CasoCaja{"2*(a+b)", 72, 12, 12},
    CasoCaja{"a-(b+c)", 84, 12, 12},           // the parentheses stay
    CasoCaja{"pi*r^2", 32, 16, 10},
    CasoCaja{"a/b+c", 37, 21, 21}));

// ---------------------------------------------------------------- edge cases

TEST(Diagrama, FraccionSobreElEjeComun) {
    Motor m;
    Dibujo d;
    Trazar(m.Arbol("a/b+c"), d);
    const int eje = 2 + d.caja.arriba;
    int barras = 0;
    for (const auto& c : d.lienzo.Comandos())
        if (auto* l = std::get_if<dibujo::CmdLinea>(&c)) {
            EXPECT_EQ(l->y1, eje);
            EXPECT_EQ(l->y2, eje);
            ++barras;
        }
    EXPECT_EQ(barras, 1);
    for (const auto& t : d.Textos()) {
        if (t.texto == "a") {
            EXPECT_EQ(t.y + t.medida.alto, eje - 1);  // numerator above the bar
        } else if (t.texto == "b") {
            EXPECT_EQ(t.y, eje + 1);  // denominator below it
        } else {
            EXPECT_EQ(t.y + t.medida.alto / 2, eje) << t.texto;  // "+" and "c" on the axis
        }
    }
}

TEST(Diagrama, PuntoDelProducto) {
    struct Caso {
        const char* texto;
        int puntos;
    };
    for (const Caso& c : {Caso{"2*x", 0}, Caso{"2x", 0}, Caso{"2*3", 1}, Caso{"(a+b)*(c+d)", 0}, Caso{"2*(a+b)", 0},
                          Caso{"2*x^2", 0}, Caso{"2*3^2", 1}, Caso{"2*sen(x)", 0}, Caso{"x*y", 1}, Caso{"pi*r^2", 1},
                          Caso{"(a+b)*c", 1}}) {
        Motor m;
        Dibujo d;
        Trazar(m.Arbol(c.texto), d);
        EXPECT_EQ(d.Cuadrados(), c.puntos) << c.texto;
    }
}

TEST(Diagrama, IndiceDeLaRaiz) {
    Motor m;
    Dibujo dos, tres;
    Trazar(m.Arbol("x\\2"), dos);
    EXPECT_EQ(dos.Cuenta("2"), 0);
    Trazar(m.Arbol("x\\3"), tres);
    const auto textos = tres.TextosConTam();
    EXPECT_NE(std::find(textos.begin(), textos.end(), std::make_pair(std::string("3"), 10)), textos.end());
}

TEST(Diagrama, MenosInicialSinElCero) {
    for (const char* t : {"-x", "0-x"}) {
        Motor m;
        Dibujo d;
        Trazar(m.Arbol(t), d);
        EXPECT_EQ(d.Cuenta("0"), 0) << t;
        EXPECT_EQ(d.Cuenta("−"), 1) << t;
        EXPECT_EQ(d.Cuenta("x"), 1) << t;
    }
    Motor m;
    Dibujo d;
    Trazar(m.Arbol("-(a+b)"), d);
    EXPECT_EQ(d.Cuenta("("), 1);
}

TEST(Diagrama, PiPorRAlCuadrado) {
    Motor m;
    Dibujo d;
    Trazar(m.Arbol("pi*r^2"), d);
    EXPECT_EQ(d.Cuenta("π"), 1);
    EXPECT_EQ(d.Cuenta("pi"), 0);
    EXPECT_EQ(d.Cuadrados(), 1);
    const auto textos = d.TextosConTam();
    EXPECT_NE(std::find(textos.begin(), textos.end(), std::make_pair(std::string("2"), 13)), textos.end());
    EXPECT_NE(std::find(textos.begin(), textos.end(), std::make_pair(std::string("r"), 20)), textos.end());
}

TEST(Diagrama, ReglasDeParentesis) {
    struct Caso {
        const char* texto;
        int parentesis;
    };
    for (const Caso& c : {
             Caso{"sen(x)", 0}, Caso{"sen(x+1)", 1}, Caso{"sen(2x)", 1}, Caso{"sen(cos(x))", 0},
             Caso{"(a+b)^2", 1}, Caso{"x^2^3", 1}, Caso{"sen(x)^2", 1}, Caso{"2^(x^(y^z))", 0},
             Caso{"a*(b+c)", 1}, Caso{"a*(b<c)", 1}, Caso{"a+b*c", 0}, Caso{"(a*b)+c", 0},
             Caso{"a-(b-c)", 1}, Caso{"a+(b-c)", 1}, Caso{"a+(-b)", 1}, Caso{"(a-b)+c", 0},
             Caso{"(a<b)+1", 1}, Caso{"a<(b<c)", 1}, Caso{"(a&b)<c", 1}, Caso{"a&(b$c)", 1},
             Caso{"a&b&c", 0}, Caso{"(a/b)^2", 1}, Caso{"x£(a+b)", 0}, Caso{"(a+b)£2", 1},
             Caso{"Fact(n+1)", 1}, Caso{"Rcp(1+x)", 1}, Caso{"Rcp(sen(x))", 1}, Caso{"Abs(-x)", 0},
             Caso{"Max(a,b)", 1}, Caso{"2*-3", 1}, Caso{"x^-1", 0}}) {
        Motor m;
        Dibujo d;
        Trazar(m.Arbol(c.texto), d);
        EXPECT_EQ(d.Cuenta("("), c.parentesis) << c.texto;
        EXPECT_EQ(d.Cuenta(")"), c.parentesis) << c.texto;
    }
}

TEST(Diagrama, NombreRegistradoYSinEnvoltura) {
    Motor m;
    Dibujo sen, sin;
    Trazar(m.Arbol("SEN(x)"), sen);
    EXPECT_EQ(sen.Cuenta("sen"), 1);
    Trazar(m.Arbol("sin(x)"), sin);
    EXPECT_EQ(sin.Cuenta("sin"), 1);

    Motor sinEnvoltura;
    sinEnvoltura.e.SinEnvoltura = true;
    Dibujo d;
    Trazar(sinEnvoltura.Arbol("Cubo(x)"), d);
    EXPECT_EQ(d.Cuenta("Cubo"), 0);
    EXPECT_EQ(d.caja, (CajaFormula{16, 16, 10}));  // x³
}

TEST(Diagrama, NumeroEnOtraBaseEnGranate) {
    Motor m;
    Dibujo d;
    Trazar(m.Arbol("FF[16]"), d);
    bool granate = false;
    for (const auto& c : d.lienzo.Comandos()) {
        if (auto* k = std::get_if<dibujo::CmdColor>(&c)) granate = k->color == Color::Granate();
        if (auto* t = std::get_if<dibujo::CmdTexto>(&c)) {
            if (t->texto == "16") {
                EXPECT_TRUE(granate);
            } else {
                EXPECT_FALSE(granate) << t->texto;
            }
        }
    }
    EXPECT_EQ(d.Cuenta("16"), 1);
}

TEST(Diagrama, ExponenteConCuadradoYDiez) {
    Motor m;
    Dibujo d;
    Trazar(m.Arbol("2.5e-20"), d);
    EXPECT_EQ(d.Cuenta("2.5"), 1);
    EXPECT_EQ(d.Cuenta("10"), 1);
    EXPECT_EQ(d.Cuenta("−20"), 1);
    EXPECT_EQ(d.Cuadrados(), 1);
}

// ---------------------------------------------------------------- sizes and depth

TEST(Diagrama, TamanosAnidadosNuncaBajanDelMinimo) {
    EXPECT_EQ(TamReducido(20, 2, 3), 13);
    EXPECT_EQ(TamReducido(8, 2, 3), kTamMinimo);
    EXPECT_EQ(TamReducido(kTamMinimo, 1, 2), kTamMinimo);
    EXPECT_EQ(TamReducido(3, 1, 2), 3);  // already below the floor: stays

    Motor m;
    std::string t = "x";
    for (int i = 0; i < 30; ++i) t = "2^(" + t + ")";
    Dibujo d;
    Trazar(m.Arbol(t), d);
    for (const auto& [texto, tam] : d.TextosConTam()) EXPECT_GE(tam, kTamMinimo) << texto;
    EXPECT_GT(d.caja.ancho, 0);
}

TEST(Diagrama, AnidamientoProfundoSeMideUnaVezPorNodo) {
    struct Caso {
        const char* izquierda;
        const char* derecha;
    };
    // Each level wraps the previous one; the measures must grow linearly.
    for (const Caso& c : {Caso{"(", "+1)*2"}, Caso{"sqrt(", ")"}, Caso{"(", ")/2"}, Caso{"y^(", ")"},
                          Caso{"Max(1,", ")"}, Caso{"Cmb(", ",2)"}, Caso{"(", ")\\3"}}) {
        long long medidas[2] = {0, 0};
        const int niveles[2] = {50, 100};
        for (int k = 0; k < 2; ++k) {
            std::string t = "x";
            for (int i = 0; i < niveles[k]; ++i) t = c.izquierda + t + c.derecha;
            Motor m;
            Dibujo d;
            Trazar(m.Arbol(t), d);
            medidas[k] = d.mediciones;
            // At most a few boxes per level: the node, its operands and the
            // argument list of a call.
            EXPECT_LE(d.mediciones, 4LL * niveles[k] + 4) << c.izquierda;
            // Boxes grow linearly with the depth too (nested parentheses
            // must not add a fifth of an ever taller box at every level).
            EXPECT_LE(d.caja.Alto(), 3 * kTamFormula * niveles[k]) << c.izquierda;
            EXPECT_LE(d.caja.ancho, 8 * kTamFormula * (niveles[k] + 1)) << c.izquierda;
        }
        EXPECT_LE(medidas[1], 2 * medidas[0] + 4) << c.izquierda;
    }
}

TEST(Diagrama, ArbolMuyProfundoSinDesbordarLaPila) {
    // As deep as the compiler accepts: drawn (or cut with an ellipsis where
    // the stack would run out), never a crash.
    int dibujados = 0;
    for (const char* envoltura : {"sqrt(", "Abs("}) {
        std::string t = "x";
        for (int i = 0; i < 3000; ++i) t = envoltura + t + ")";
        Motor m;
        m.e.SetTexto(t);
        if (!m.e.Arbol) continue;  // refused by the compiler's own bounds
        auto g = Metarchivo(m.e, Fijas());
        ASSERT_TRUE(g);
        EXPECT_GT(g->Ancho(), 4);
        ++dibujados;
    }
#if !defined(NUMBRIX_SANITIZED)
    EXPECT_GT(dibujados, 0);  // sanitizer frames are larger: the compiler may refuse first
#endif
}

TEST(Diagrama, CadenaPlanaLargaEnOrdenYEntera) {
    // A flat chain is laid out in a loop, link by link: everything drawn,
    // left to right as recursion would draw it, each box measured once.
    struct Caso {
        const char* sep;
        const char* signo;  // text of each operator, empty: none drawn
    };
    for (const Caso& c : {Caso{"+", "+"}, Caso{"-", "−"}, Caso{"*", ""}}) {
        const int n = 5000;
        std::string t = "a";
        for (int i = 1; i < n; ++i) t += std::string(c.sep) + (i % 2 ? "b" : "a");
        Motor m;
        Dibujo d;
        Trazar(m.Arbol(t), d);
        EXPECT_EQ(d.Cuenta("a") + d.Cuenta("b"), n) << c.sep;
        if (*c.signo) EXPECT_EQ(d.Cuenta(c.signo), n - 1) << c.sep;
        else EXPECT_EQ(d.Cuadrados(), n - 1) << c.sep;  // the product dots
        int x = -1;
        for (const auto& tx : d.Textos()) {
            EXPECT_GT(tx.x, x) << c.sep << " " << tx.texto;
            x = tx.x;
        }
        EXPECT_LE(d.mediciones, 2LL * n + 8) << c.sep;
        const Extension e = d.lienzo.ExtensionDibujada();
        EXPECT_LE(e.x1, 2 + d.caja.ancho) << c.sep;
    }
    // Quotients stack: «a/b/c» is (a/b)/c, numerators above, one bar each.
    Motor m;
    Dibujo d;
    std::string t = "a";
    for (int i = 1; i < 300; ++i) t += "/b";
    Trazar(m.Arbol(t), d);
    int barras = 0;
    for (const auto& cmd : d.lienzo.Comandos()) barras += std::holds_alternative<dibujo::CmdLinea>(cmd);
    EXPECT_EQ(barras, 299);
    EXPECT_EQ(d.Cuenta("b"), 299);
    EXPECT_EQ(d.Cuenta("a"), 1);
}

TEST(Diagrama, SubarbolCompartidoSeMideUnaVez) {
    Motor m;
    // A local definition is one node wherever it appears.
    const TEvalX& raiz = m.Arbol("s:a+b;s*s+s/s");
    Dibujo d;
    Trazar(raiz, d);
    // Nodes: a, b, s, s*s, s/s, the sum: six boxes.
    EXPECT_EQ(d.mediciones, 6);
}

// ---------------------------------------------------------------- drawing inside the box

class DentroDeLaCaja : public ::testing::TestWithParam<const char*> {};

TEST_P(DentroDeLaCaja, TodoComandoDentro) {
    for (int tam : {20, 7, 60}) {
        Motor m;
        Dibujo d;
        Trazar(m.Arbol(GetParam()), d, tam);
        const Extension e = d.lienzo.ExtensionDibujada();
        ASSERT_FALSE(e.vacia) << GetParam();
        EXPECT_GE(e.x0, 2) << GetParam() << " @" << tam;
        EXPECT_GE(e.y0, 2) << GetParam() << " @" << tam;
        EXPECT_LE(e.x1, 2 + d.caja.ancho) << GetParam() << " @" << tam;
        EXPECT_LE(e.y1, 2 + d.caja.Alto()) << GetParam() << " @" << tam;
    }
}

INSTANTIATE_TEST_SUITE_P(Diagrama, DentroDeLaCaja, ::testing::Values(
    "(a+b)/(c-d)", "x^2^3", "2^(x^(y^z))", "x\\3+sqrt(x)", "LogN(x,2)", "a<=b", "a<>b", "Cmb(n,k)", "Fact(n)",
    "FF[16]+1e-20", "Rcp(1+x)", "Abs(-x)/2", "x\\(a/b)", "(a/b)\\(c/d)", "x^(a/b)", "(a/b)^(c/d)", "2*-3",
    "sqrt(a/b)", "Abs(a/b)", "exp(x^2)", "exp10(a/b)", "Max(a/b,c,d^2)", "1<2 & 2<3 $ a!b", "'texto'",
    "Si(a>b,a,b)", "-(a/b)", "Cmb(a/b,Cmb(n,k))", "LogN(a/b,c/d)", "Fact(a/b)", "1.5e300*x", "h1F/b101"));

// ---------------------------------------------------------------- pictures

TEST(Metarchivo, TamanoMasCuatroYDibujoEnDosDos) {
    Motor m;
    m.Arbol("a/b+c");
    auto g = Metarchivo(m.e, Fijas());
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->Ancho(), 37 + 4);
    EXPECT_EQ(g->Alto(), 42 + 4);
    const Extension e = g->ExtensionDibujada();
    EXPECT_GE(e.x0, 2);
    EXPECT_GE(e.y0, 2);
    EXPECT_LE(e.x1, g->Ancho() - 2);
    EXPECT_LE(e.y1, g->Alto() - 2);
}

TEST(Metarchivo, SinArbolNoHayDibujo) {
    Motor m;
    m.e.SetTexto("1+");
    EXPECT_FALSE(m.e.Arbol);
    EXPECT_FALSE(Metarchivo(m.e, Fijas()).has_value());
    TExpresionX vacio;
    EXPECT_FALSE(Metarchivo(vacio, Fijas()).has_value());
}

}  // namespace
}  // namespace numbrix
