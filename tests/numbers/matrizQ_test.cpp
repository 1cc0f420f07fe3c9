#include "numbers/matrizQ.h"

#include <random>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

// Rows of fraction texts, as the user types them.
TMatriz M(std::initializer_list<std::initializer_list<const char*>> filas) {
    TablaTextos t{{}};
    for (auto f : filas) {
        t.emplace_back(1, "");
        for (const char* s : f) t.back().push_back(s);
    }
    return TMatriz::CreateDesdeRejilla(t, {});
}

template <class F>
void EsperaMensaje(F&& f, const std::string& mensaje) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << mensaje;
    } catch (const ENumbrix& e) {
        EXPECT_EQ(e.what(), mensaje);
    }
}

TMatriz Identidad(int n) {
    TMatriz m(n, n);
    for (int i = 1; i <= n; ++i) m.PonElemento(i, i, TFrac(1));
    return m;
}

TMatriz Aleatoria(std::mt19937& gen, int columnas, int filas, int max, int maxDen = 1) {
    std::uniform_int_distribution<int> d(-max, max), den(1, maxDen);
    TMatriz m(columnas, filas);
    for (int r = 1; r <= filas; ++r)
        for (int c = 1; c <= columnas; ++c) m.PonElemento(c, r, TFrac(d(gen), static_cast<std::uint32_t>(den(gen))));
    return m;
}

// The reference: expansion by cofactors along the first row.
TFrac Cofactores(const TMatriz& a, std::vector<int> columnas, int fila) {
    if (columnas.size() == 1) return a.Elemento(columnas[0], fila);
    TFrac s;
    for (std::size_t k = 0; k < columnas.size(); ++k) {
        std::vector<int> resto = columnas;
        resto.erase(resto.begin() + static_cast<std::ptrdiff_t>(k));
        TFrac t = a.Elemento(columnas[k], fila) * Cofactores(a, resto, fila + 1);
        if (k % 2) s.Resta(t);
        else s.Suma(t);
    }
    return s;
}

struct Respuestas {
    bool si = false;
    std::vector<std::string> textos;
    PreguntaSiNo Pregunta() {
        return [this](const std::string& titulo, const std::string& texto) {
            EXPECT_EQ(titulo, "Matrices");
            textos.push_back(texto);
            return si;
        };
    }
};

const std::string kIncompatible = "Sistema INCOMPATIBLE\r\n\r\n¿Desea ver una triangulación?";
const std::string kIndeterminado =
    "Sistema compatible INDETERMINADO\r\n(tiene infinitas soluciones)\r\n\r\n¿Desea ver una triangulación?";

TEST(MatrizQ, Resuelve) {
    Respuestas p;
    EXPECT_EQ(*M({{"1", "1", "3"}, {"1", "-1", "1"}}).Resuelve(p.Pregunta()), M({{"2"}, {"1"}}));
    // Two right-hand sides, and a zero leading pivot that needs a row swap.
    EXPECT_EQ(*M({{"0", "2", "4", "1"}, {"1|2", "1", "1", "0"}}).Resuelve(p.Pregunta()), M({{"-2", "-1"}, {"2", "1|2"}}));
    EXPECT_TRUE(p.textos.empty());
}

TEST(MatrizQ, SistemasSingulares) {
    struct Caso { TMatriz m; std::string texto; };
    const Caso casos[] = {
        {M({{"1", "1", "2"}, {"2", "2", "4"}}), kIndeterminado},
        {M({{"1", "1", "2"}, {"2", "2", "5"}}), kIncompatible},
        {M({{"1", "1", "1", "1"}, {"2", "2", "2", "3"}, {"3", "3", "3", "3"}}), kIncompatible},
        {M({{"0", "0", "0"}, {"0", "0", "0"}}), kIndeterminado},
        {M({{"0", "0", "1"}, {"0", "0", "0"}}), kIncompatible},
        {M({{"1", "2", "3", "1"}, {"2", "4", "6", "2"}, {"0", "0", "0", "0"}}), kIndeterminado},
        {M({{"0", "1", "1", "1", "1"}, {"0", "1", "1", "1", "2"}, {"0", "0", "1", "1", "1"}}), kIncompatible},
        {M({{"0", "1", "1", "1", "2"}, {"0", "1", "1", "1", "2"}, {"0", "0", "1", "1", "1"}}), kIndeterminado},
    };
    for (const Caso& c : casos) {
        Respuestas no;
        EXPECT_FALSE(c.m.Resuelve(no.Pregunta()).has_value());
        ASSERT_EQ(no.textos.size(), 1u);
        EXPECT_EQ(no.textos[0], c.texto);
    }
    Respuestas si{true, {}};
    auto t = M({{"1", "1", "1", "1"}, {"2", "2", "2", "3"}, {"3", "3", "3", "3"}}).Resuelve(si.Pregunta());
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(*t, M({{"1", "1", "1", "1"}, {"0", "0", "0", "1"}, {"0", "0", "0", "0"}}));
    EsperaMensaje([] { M({{"1", "2"}, {"3", "4"}}).Resuelve({}); }, "La matriz debe tener mas columnas que filas");
}

TEST(MatrizQ, ResuelveSistemasAleatorios) {
    std::mt19937 gen(3);
    for (int n = 1; n <= 7; ++n) {
        TMatriz a = Aleatoria(gen, n, n, 9, 3);
        if (TMatriz::Determinante(a).EsCero()) continue;
        TMatriz x = Aleatoria(gen, 2, n, 20, 5);
        TMatriz b = TMatriz::Producto(a, x);
        TMatriz aumentada(n + 2, n);
        for (int r = 1; r <= n; ++r) {
            for (int c = 1; c <= n; ++c) aumentada.PonElemento(c, r, a.Elemento(c, r));
            for (int c = 1; c <= 2; ++c) aumentada.PonElemento(n + c, r, b.Elemento(c, r));
        }
        EXPECT_EQ(*aumentada.Resuelve({}), x);
    }
}

TEST(MatrizQ, ResuelveConIntermediosMayoresQue128Bits) {
    // Each row carries its own large prime denominator: the integer scale of
    // the four rows is ~2^128, yet the solution is small.
    const std::uint32_t primos[] = {4294967291u, 4294967279u, 4294967231u, 4294967197u};
    std::mt19937 gen(9);
    TMatriz a = Aleatoria(gen, 4, 4, 5);
    for (int r = 1; r <= 4; ++r) a.PonElemento(r, r, a.Elemento(r, r) + TFrac(r, primos[r - 1]));
    TMatriz x = Aleatoria(gen, 1, 4, 9);
    TMatriz b = TMatriz::Producto(a, x);
    TMatriz aumentada(5, 4);
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 4; ++c) aumentada.PonElemento(c, r, a.Elemento(c, r));
        aumentada.PonElemento(5, r, b.Elemento(1, r));
    }
    EXPECT_EQ(*aumentada.Resuelve({}), x);
}

TEST(MatrizQ, Determinante) {
    EXPECT_EQ(TMatriz::Determinante(M({{"1", "2"}, {"3", "4"}})), TFrac(-2));
    EXPECT_EQ(TMatriz::Determinante(M({{"1", "2"}, {"0", "0"}})), TFrac(0));
    EXPECT_EQ(TMatriz::Determinante(M({{"0", "1"}, {"1", "0"}})), TFrac(-1));
    EXPECT_EQ(TMatriz::Determinante(M({{"1|2", "1|3"}, {"1|4", "1|5"}})), TFrac(1, 60));
    EXPECT_EQ(TMatriz::Determinante(M({{"1", "2", "9"}, {"3", "4", "9"}})), TFrac(-2));  // first two columns
    EXPECT_EQ(TMatriz::Determinante(M({{"7|3"}})), TFrac(7, 3));
    EsperaMensaje([] { TMatriz::Determinante(M({{"1", "2"}, {"3", "4"}, {"5", "6"}})); },
                  "La matriz debe ser cuadrada o tener mas columnas que filas");
}

TEST(MatrizQ, DeterminanteIgualAlDeCofactores) {
    std::mt19937 gen(11);
    for (int i = 0; i < 30; ++i) {
        TMatriz a = Aleatoria(gen, 6, 6, 9, i % 2 ? 4 : 1);
        EXPECT_EQ(TMatriz::Determinante(a), Cofactores(a, {1, 2, 3, 4, 5, 6}, 1));
    }
}

TEST(MatrizQ, DeterminanteConIntermediosMayoresQue128Bits) {
    // det = a/p, but the rows scaled to integers hold ~2^94 and their
    // products ~2^188.
    const std::int64_t a = 9000000000000000011LL, b = 8000000000000000009LL;
    const std::uint32_t p = 4294967291u, q = 4294967279u;
    TMatriz m(2, 2);
    m.PonElemento(1, 1, TFrac(a, p));
    m.PonElemento(2, 1, TFrac(b, q));
    m.PonElemento(1, 2, TFrac(a, p));
    m.PonElemento(2, 2, TFrac(b, q) + TFrac(1));
    EXPECT_EQ(TMatriz::Determinante(m), TFrac(a, p));

    // Row operations with large prime denominators keep det = 1 while the
    // integer scale grows to p^6.
    std::mt19937 gen(5);
    TMatriz u = Identidad(6);
    for (int r = 1; r <= 6; ++r)
        for (int c = r + 1; c <= 6; ++c) u.PonElemento(c, r, TFrac(static_cast<int>(gen() % 7) - 3));
    const std::uint32_t primos[] = {4294967291u, 4294967279u, 4294967231u, 4294967197u, 4294967189u, 4294967161u};
    for (int r = 2; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c)
            u.PonElemento(c, r, u.Elemento(c, r) + u.Elemento(c, 1) * TFrac(1, primos[r - 1]));
    EXPECT_EQ(TMatriz::Determinante(u), TFrac(1));
}

TEST(MatrizQ, DeterminanteQueNoCabeDesborda) {
    TMatriz m(2, 2);
    m.PonElemento(1, 1, TFrac(4000000000000000000LL));
    m.PonElemento(2, 2, TFrac(4));
    EsperaMensaje([&] { TMatriz::Determinante(m); }, "Desbordamiento entero");
    m.PonElemento(1, 1, TFrac(1, 4000000000u));
    m.PonElemento(2, 2, TFrac(1, 2));
    EsperaMensaje([&] { TMatriz::Determinante(m); }, "Desbordamiento entero");
    std::mt19937 gen(8);
    EsperaMensaje([&] { TMatriz::Determinante(Aleatoria(gen, 30, 30, 9)); }, "Desbordamiento entero");
}

TEST(MatrizQ, Inversa) {
    TMatriz m = M({{"1|2"}});
    m.Invierte();
    EXPECT_EQ(m, M({{"2"}}));
    std::mt19937 gen(21);
    for (int n = 2; n <= 8; ++n) {
        TMatriz a = Aleatoria(gen, n, n, 5, n % 2 ? 1 : 3);
        if (TMatriz::Determinante(a).EsCero()) continue;
        TMatriz inv = a;
        inv.Invierte();
        EXPECT_EQ(TMatriz::Producto(a, inv), Identidad(n));
        EXPECT_EQ(TMatriz::Producto(inv, a), Identidad(n));
    }
    EsperaMensaje([] { M({{"1", "2"}, {"2", "4"}}).Invierte(); }, "La matriz no tiene inversa");
    EsperaMensaje([] { M({{"1", "2", "3"}, {"2", "4", "5"}}).Invierte(); }, "La matriz debe ser cuadrada");
}

TEST(MatrizQ, OperacionesYMensajes) {
    TMatriz a = M({{"1", "2"}, {"3", "4"}}), b = M({{"1|2", "0"}, {"0", "-1"}});
    TMatriz s = a;
    s.Suma(b);
    EXPECT_EQ(s, M({{"3|2", "2"}, {"3", "3"}}));
    s.Resta(b);
    EXPECT_EQ(s, a);
    s.PorEscalar(TFrac(1, 2));
    EXPECT_EQ(s, M({{"1|2", "1"}, {"3|2", "2"}}));
    EXPECT_EQ(TMatriz::Producto(a, b), M({{"1|2", "-2"}, {"3|2", "-4"}}));
    EXPECT_EQ(TMatriz::Cuadrado(a), M({{"7", "10"}, {"15", "22"}}));
    EXPECT_EQ(TMatriz::Traspuesta(M({{"1", "2", "3"}})), M({{"1"}, {"2"}, {"3"}}));
    TMatriz c = M({{"1", "2", "3"}, {"4", "5", "6"}});
    EsperaMensaje([&] { a.Suma(c); }, "No se pueden sumar matrices de distintas dimensiones");
    EsperaMensaje([&] { a.Resta(c); }, "No se pueden restar matrices de distintas dimensiones");
    EsperaMensaje([&] { TMatriz::Producto(c, a); }, "Matrices no conformables para producto");
    EsperaMensaje([&] { TMatriz::Cuadrado(c); }, "La matriz debe ser cuadrada");
    EXPECT_EQ(TMatriz::Producto(a, c), M({{"9", "12", "15"}, {"19", "26", "33"}}));
    // A failing sum leaves the matrix as it was.
    TMatriz grande = M({{"9223372036854775807", "1"}, {"1", "1"}});
    TMatriz g = grande;
    EXPECT_THROW(g.Suma(a), EFraccion);
    EXPECT_EQ(g, grande);
}

TEST(MatrizQ, RangosYDimensiones) {
    TMatriz m(2, 3);
    EsperaMensaje([&] { m.Elemento(0, 1); }, "Lectura fuera de rango de matriz [0,1]");
    EsperaMensaje([&] { m.Elemento(2, 4); }, "Lectura fuera de rango de matriz [2,4]");
    EsperaMensaje([&] { m.PonElemento(3, 1, TFrac(1)); }, "Escritura fuera de rango de matriz [3,1]");
    EXPECT_EQ(m.Elemento(2, 3), TFrac(0));
    for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {256, 1}, {1, 256}, {-1, 5}})
        EsperaMensaje([&] { TMatriz(c, r); }, kMensajeDimensiones);
    TMatriz grande(255, 255);
    EXPECT_EQ(grande.Columnas(), 255);
    EsperaMensaje([&] { grande.AgregaFila(); }, kMensajeDimensiones);
    TMatriz uno(1, 1);
    EsperaMensaje([&] { uno.BorraColumna(1); }, kMensajeDimensiones);
}

TEST(MatrizQ, FilasYColumnas) {
    TMatriz m = M({{"1", "2"}, {"3", "4"}});
    m.AgregaColumna();
    m.AgregaFila();
    EXPECT_EQ(m, M({{"1", "2", "0"}, {"3", "4", "0"}, {"0", "0", "0"}}));
    m.BorraColumna(1);
    m.BorraFila(2);
    EXPECT_EQ(m, M({{"2", "0"}, {"0", "0"}}));
    m.IntercambiaFilas(1, 2);
    EXPECT_EQ(m, M({{"0", "0"}, {"2", "0"}}));
}

TEST(MatrizQ, Triangula) {
    TMatriz m = M({{"0", "2", "1"}, {"1", "1", "1"}, {"2", "4", "3"}});
    m.Triangula();
    EXPECT_EQ(m, M({{"1", "1", "1"}, {"0", "2", "1"}, {"0", "0", "0"}}));
}

TEST(MatrizQ, Rejilla) {
    TMatriz m = M({{"7|2", "", "-1|2"}, {"4", "1|3", "0"}});
    EXPECT_EQ(m.Elemento(2, 1), TFrac(0));
    TablaTextos t = {{"A", "x"}, {"y"}};
    m.ARejilla(t, 0);
    const TablaTextos mixto = {{"A", "x", "", ""}, {"y", "3 | 1 | 2", "0", "-1 | 2"}, {"", "4", "1 | 3", "0"}};
    EXPECT_EQ(t, mixto);
    EXPECT_EQ(TMatriz::CreateDesdeRejilla(t, {}), m);
    m.ARejilla(t, 1);
    EXPECT_EQ(t[1][1], "7 | 2");
    EXPECT_EQ(TMatriz::CreateDesdeRejilla(t, {}), m);
    m.ARejilla(t, 2);
    EXPECT_EQ(t[1][1], "3.5");
    EXPECT_EQ(t[2][2], "0.333333333333333");
    TablaTextos mala = {{"A", ""}, {"", "1|x"}};
    EsperaMensaje([&] { TMatriz::CreateDesdeRejilla(mala, {}); }, "1|x no es un valor racional valido");
    EsperaMensaje([&] { TMatriz::CreateDesdeRejilla({{"A"}}, {}); }, kMensajeDimensiones);
}

}  // namespace
}  // namespace numbrix
