// Formula layout against fixed metrics (a character is size/2 wide and size
// high), so every box below is computed by hand: the boxes of each node
// class, what the typesetting rules draw, measuring deep trees once per node,
// and every drawn command inside the measured box.
#include <gtest/gtest.h>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "Ayudas.h"
#include "MetricasFijas.h"
#include "engine/DiagramaX.h"

namespace numbrix {
namespace {

using prueba::Fijas;

struct Motor : prueba::MotorX {
    Motor() : prueba::MotorX(Radianes, {"a", "b", "c", "d", "x", "y", "z", "n", "k", "r"}) {
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
    template <class C>
    std::vector<C> De() const {
        std::vector<C> r;
        for (const auto& c : lienzo.Comandos())
            if (auto* x = std::get_if<C>(&c)) r.push_back(*x);
        return r;
    }
    long Cuenta(std::string_view texto) const {
        const auto v = De<dibujo::CmdTexto>();
        return std::count_if(v.begin(), v.end(), [&](const auto& t) { return t.texto == texto; });
    }
    long Cuadrados() const {
        const auto v = De<dibujo::CmdRectangulo>();
        return std::count_if(v.begin(), v.end(), [](const auto& r) { return r.relleno; });
    }
    // Whether `texto` was drawn in a font of size `tam`.
    bool ConTam(std::string_view texto, int tam) const {
        int actual = 0;
        for (const auto& c : lienzo.Comandos()) {
            if (auto* f = std::get_if<dibujo::CmdFuente>(&c)) actual = f->fuente.tam;
            if (auto* t = std::get_if<dibujo::CmdTexto>(&c); t && t->texto == texto && actual == tam) return true;
        }
        return false;
    }
};

Dibujo Trazado(const std::string& texto, int tam = kTamFormula, bool sinEnvoltura = false) {
    Motor m;
    m.e.SinEnvoltura = sinEnvoltura;
    const TEvalX& raiz = m.Arbol(texto);
    Dibujo d;
    DiagramaX diagrama(d.lienzo);
    d.caja = diagrama.Medir(raiz, tam);
    diagrama.Dibujar(raiz, 2, 2, tam);
    d.mediciones = diagrama.Mediciones();
    return d;
}

// Size 20: a character is 10 wide, 10 above and below the axis; nested sizes
// 13 (exponents), 12 (number exponents), 10 (indices, bases). Gaps: size/4
// around a sum's sign, size/3 (dot) or size/6 (none) in products, 1 between a
// quotient's parts and its bar. «a<b<c» keeps its left comparison bare.
TEST(Diagrama, CajasAMano) {
    const struct { const char* texto; int ancho, arriba = 10, abajo = 10; } casos[] = {
        {"x", 10}, {"pi", 10}, {"e", 10}, {"12.5", 40}, {"'hola'", 60}, {"Ale", 30}, {"FF[16]", 30}, {"1e-20", 54, 16},
        {"a+b", 35}, {"a-b", 35}, {"-x", 22}, {"a*b", 26}, {"2*x", 23}, {"a/b", 12, 21, 21}, {"x^2", 16, 16},
        {"x\\2", 17, 13, 14}, {"x\\3", 22, 13, 14}, {"x£2", 48}, {"LogN(x,2)", 48}, {"a<=b", 36}, {"a<>b", 36},
        {"a&b", 36}, {"sen(x)", 43}, {"sen(x+1)", 92, 12, 12}, {"Max(a,b)", 95, 12, 12}, {"Cubo(x)", 75, 12, 12},
        {"Rcp(x)", 23, 16}, {"sqr(x)", 16, 16}, {"sqrt(x)", 17, 13, 14}, {"exp(x)", 16, 16}, {"exp10(x)", 26, 16},
        {"Abs(x)", 16, 11, 11}, {"Fact(n)", 21}, {"Cmb(n,k)", 60, 24, 24}, {"a<b<c", 62}, {"(a+b)*(c+d)", 121, 12, 12},
        {"2*(a+b)", 72, 12, 12}, {"a-(b+c)", 84, 12, 12}, {"pi*r^2", 32, 16}, {"a/b+c", 37, 21, 21}};
    for (const auto& c : casos) {
        const CajaFormula caja = Trazado(c.texto).caja;
        EXPECT_EQ(caja, (CajaFormula{c.ancho, c.arriba, c.abajo}))
            << c.texto << ": " << caja.ancho << ", " << caja.arriba << ", " << caja.abajo;
    }
}

TEST(Diagrama, FraccionSobreElEjeComun) {
    const Dibujo d = Trazado("a/b+c");
    const int eje = 2 + d.caja.arriba;
    const auto barras = d.De<dibujo::CmdLinea>();
    ASSERT_EQ(barras.size(), 1u);
    EXPECT_TRUE(barras[0].y1 == eje && barras[0].y2 == eje);
    // The numerator above the bar, the denominator below it, "+" and "c" on the axis.
    for (const auto& t : d.De<dibujo::CmdTexto>())
        EXPECT_EQ(t.y, t.texto == "a" ? eje - 1 - t.medida.alto : t.texto == "b" ? eje + 1 : eje - t.medida.alto / 2)
            << t.texto;
}

// What is drawn, as claims: «t» the text t drawn once, «t:n» n times, «t@s»
// drawn at size s, «■n» n filled squares (product dots, exponent marks).
TEST(Diagrama, TextosDibujados) {
    const struct { const char* texto; const char* dibujado; } casos[] = {
        {"x\\2", "2:0"}, {"x\\3", "3@10"},                 // a root index unless square, at half size
        {"-x", "0:0 − x"}, {"0-x", "0:0 − x"}, {"-(a+b)", "( )"},  // the leading minus, without the 0
        {"pi*r^2", "π pi:0 r@20 2@13 ■1"},
        {"SEN(x)", "sen SEN:0"}, {"sin(x)", "sin"},         // the registered spelling
        {"2.5e-20", "2.5 10 −20@12 ■1"},                  // the exponent: a square, 10 and the raised power
        // The product dot: only where juxtaposition would read otherwise.
        {"2*x", "■0"}, {"2x", "■0"}, {"2*3", "■1"}, {"(a+b)*(c+d)", "■0"}, {"2*(a+b)", "■0"}, {"2*x^2", "■0"},
        {"2*3^2", "■1"}, {"2*sen(x)", "■0"}, {"x*y", "■1"}, {"(a+b)*c", "■1"},
    };
    for (const auto& c : casos) {
        const Dibujo d = Trazado(c.texto);
        std::istringstream afirmaciones(c.dibujado);
        for (std::string a; afirmaciones >> a;) {
            const auto arroba = a.find('@'), dos = a.rfind(':');
            if (a.rfind("■", 0) == 0)
                EXPECT_EQ(d.Cuadrados(), std::stoi(a.substr(3))) << c.texto;
            else if (arroba != std::string::npos)
                EXPECT_TRUE(d.ConTam(a.substr(0, arroba), std::stoi(a.substr(arroba + 1)))) << c.texto << " " << a;
            else if (dos != std::string::npos && dos > 0)
                EXPECT_EQ(d.Cuenta(a.substr(0, dos)), std::stoi(a.substr(dos + 1))) << c.texto << " " << a;
            else
                EXPECT_EQ(d.Cuenta(a), 1) << c.texto << " " << a;
        }
    }
    // Without the wrapper a user function shows its definition: x³.
    const Dibujo d = Trazado("Cubo(x)", kTamFormula, true);
    EXPECT_EQ(d.Cuenta("Cubo"), 0);
    EXPECT_EQ(d.caja, (CajaFormula{16, 16, 10}));
}

TEST(Diagrama, ReglasDeParentesis) {
    using Caso = std::pair<const char*, int>;  // text, pairs of parentheses drawn
    for (const auto& [texto, pares] : std::initializer_list<Caso>{
            {"sen(x)", 0}, {"sen(x+1)", 1}, {"sen(2x)", 1}, {"sen(cos(x))", 0}, {"(a+b)^2", 1}, {"x^2^3", 1},
            {"sen(x)^2", 1}, {"2^(x^(y^z))", 0}, {"a*(b+c)", 1}, {"a*(b<c)", 1}, {"a+b*c", 0}, {"(a*b)+c", 0},
            {"a-(b-c)", 1}, {"a+(b-c)", 1}, {"a+(-b)", 1}, {"(a-b)+c", 0}, {"(a<b)+1", 1}, {"a<(b<c)", 1},
            {"(a&b)<c", 1}, {"a&(b$c)", 1}, {"a&b&c", 0}, {"(a/b)^2", 1}, {"x£(a+b)", 0}, {"(a+b)£2", 1},
            {"Fact(n+1)", 1}, {"Rcp(1+x)", 1}, {"Rcp(sen(x))", 1}, {"Abs(-x)", 0}, {"Max(a,b)", 1}, {"2*-3", 1},
            {"x^-1", 0}}) {
        const Dibujo d = Trazado(texto);
        EXPECT_TRUE(d.Cuenta("(") == pares && d.Cuenta(")") == pares)
            << texto << ": " << d.Cuenta("(") << d.Cuenta(")");
    }
}

TEST(Diagrama, NumeroEnOtraBaseEnGranate) {
    const Dibujo d = Trazado("FF[16]");
    bool granate = false;
    for (const auto& c : d.lienzo.Comandos()) {
        if (auto* k = std::get_if<dibujo::CmdColor>(&c)) granate = k->color == Color::Granate();
        const auto* t = std::get_if<dibujo::CmdTexto>(&c);
        EXPECT_TRUE(!t || granate == (t->texto == "16")) << (t ? t->texto : "");
    }
    EXPECT_EQ(d.Cuenta("16"), 1);
}

TEST(Diagrama, TamanosAnidadosNuncaBajanDelMinimo) {
    EXPECT_EQ(TamReducido(20, 2, 3), 13);
    EXPECT_EQ(TamReducido(8, 2, 3), kTamMinimo);
    EXPECT_EQ(TamReducido(3, 1, 2), 3);  // already below the floor: stays
    std::string t = "x";
    for (int i = 0; i < 30; ++i) t = "2^(" + t + ")";
    const Dibujo d = Trazado(t);
    for (const auto& f : d.De<dibujo::CmdFuente>()) EXPECT_GE(f.fuente.tam, kTamMinimo);
    EXPECT_GT(d.caja.ancho, 0);
}

TEST(Diagrama, AnidamientoProfundoSeMideUnaVezPorNodo) {
    // Each level wraps the previous one; the measures must grow linearly.
    using Envoltura = std::pair<const char*, const char*>;
    for (const auto& [izquierda, derecha] : std::initializer_list<Envoltura>{
             {"(", "+1)*2"}, {"sqrt(", ")"}, {"(", ")/2"}, {"y^(", ")"}, {"Max(1,", ")"}, {"Cmb(", ",2)"},
             {"(", ")\\3"}}) {
        long long medidas[2] = {0, 0};
        const int niveles[2] = {50, 100};
        for (int k = 0; k < 2; ++k) {
            std::string t = "x";
            for (int i = 0; i < niveles[k]; ++i) t = izquierda + t + derecha;
            const Dibujo d = Trazado(t);
            medidas[k] = d.mediciones;
            // At most a few boxes per level (the node, its operands, a call's
            // argument list), and boxes grow linearly too: nested parentheses
            // must not add a fifth of an ever taller box at every level.
            EXPECT_LE(d.mediciones, 4LL * niveles[k] + 4) << izquierda;
            EXPECT_LE(d.caja.Alto(), 3 * kTamFormula * niveles[k]) << izquierda;
            EXPECT_LE(d.caja.ancho, 8 * kTamFormula * (niveles[k] + 1)) << izquierda;
        }
        EXPECT_LE(medidas[1], 2 * medidas[0] + 4) << izquierda;
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
    // left to right as recursion would draw it, each box measured once. The
    // operator, and the text of each sign (empty: a dot, drawn as a square).
    using Operador = std::pair<const char*, const char*>;
    for (const auto& [sep, signo] : std::initializer_list<Operador>{{"+", "+"}, {"-", "−"}, {"*", ""}}) {
        const int n = 5000;
        std::string t = "a";
        for (int i = 1; i < n; ++i) t += std::string(sep) + (i % 2 ? "b" : "a");
        const Dibujo d = Trazado(t);
        EXPECT_EQ(d.Cuenta("a") + d.Cuenta("b"), n) << sep;
        if (*signo) EXPECT_EQ(d.Cuenta(signo), n - 1) << sep;
        else EXPECT_EQ(d.Cuadrados(), n - 1) << sep;  // the product dots
        const auto textos = d.De<dibujo::CmdTexto>();
        EXPECT_EQ(std::adjacent_find(textos.begin(), textos.end(), [](auto& a, auto& b) { return a.x >= b.x; }),
                  textos.end()) << sep;
        EXPECT_LE(d.mediciones, 2LL * n + 8) << sep;
        const Extension e = d.lienzo.ExtensionDibujada();
        EXPECT_LE(e.x1, 2 + d.caja.ancho) << sep;
    }
    // Quotients stack: «a/b/c» is (a/b)/c, numerators above, one bar each.
    std::string t = "a";
    for (int i = 1; i < 300; ++i) t += "/b";
    const Dibujo d = Trazado(t);
    EXPECT_EQ(d.De<dibujo::CmdLinea>().size(), 299u);
    EXPECT_EQ(d.Cuenta("b"), 299);
    EXPECT_EQ(d.Cuenta("a"), 1);
}

TEST(Diagrama, SubarbolCompartidoSeMideUnaVez) {
    // A local definition is one node wherever it appears. Nodes: a, b, s,
    // s*s, s/s, the sum: six boxes.
    EXPECT_EQ(Trazado("s:a+b;s*s+s/s").mediciones, 6);
}

TEST(Diagrama, TodoComandoDentroDeLaCaja) {
    for (const char* texto :
         {"(a+b)/(c-d)", "x^2^3", "2^(x^(y^z))", "x\\3+sqrt(x)", "LogN(x,2)", "a<=b", "a<>b", "Cmb(n,k)", "Fact(n)",
          "FF[16]+1e-20", "Rcp(1+x)", "Abs(-x)/2", "x\\(a/b)", "(a/b)\\(c/d)", "x^(a/b)", "(a/b)^(c/d)", "2*-3",
          "sqrt(a/b)", "Abs(a/b)", "exp(x^2)", "exp10(a/b)", "Max(a/b,c,d^2)", "1<2 & 2<3 $ a!b", "'texto'",
          "Si(a>b,a,b)", "-(a/b)", "Cmb(a/b,Cmb(n,k))", "LogN(a/b,c/d)", "Fact(a/b)", "1.5e300*x", "h1F/b101"})
        for (int tam : {20, 7, 60}) {
            const Dibujo d = Trazado(texto, tam);
            const Extension e = d.lienzo.ExtensionDibujada();
            EXPECT_TRUE(!e.vacia && e.x0 >= 2 && e.y0 >= 2 && e.x1 <= 2 + d.caja.ancho && e.y1 <= 2 + d.caja.Alto())
                << texto << " @" << tam << ": " << e.x0 << "," << e.y0 << " " << e.x1 << "," << e.y1 << " en "
                << d.caja.ancho << "x" << d.caja.Alto();
        }
}

TEST(Metarchivo, TamanoMasCuatroYDibujoEnDosDosSoloConArbol) {
    Motor m;
    m.Arbol("a/b+c");  // 37 x 42
    auto g = Metarchivo(m.e, Fijas());
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->Ancho(), 37 + 4);
    EXPECT_EQ(g->Alto(), 42 + 4);
    const Extension e = g->ExtensionDibujada();
    EXPECT_TRUE(e.x0 >= 2 && e.y0 >= 2 && e.x1 <= g->Ancho() - 2 && e.y1 <= g->Alto() - 2);
    m.e.SetTexto("1+");
    EXPECT_FALSE(Metarchivo(m.e, Fijas()).has_value());
    TExpresionX vacio;
    EXPECT_FALSE(Metarchivo(vacio, Fijas()).has_value());
}

}  // namespace
}  // namespace numbrix
