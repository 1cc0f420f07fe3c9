// Both matrix kinds: what they share as typed tests, then what only one does.
#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "Aproximado.h"
#include "Ayudas.h"
#include "numbers/MMatrix.h"
#include "numbers/matrizQ.h"

namespace numbrix {
namespace {

// Rows of cell texts, as the user types them.
TMatriz Q(const TablaTextos& t) { return TMatriz::CreateDesdeRejilla(t, {}, 0, 0); }
TMatrix C(const TablaTextos& t) { return TMatrix::CreateDesdeRejilla(t, int(t.size()), int(t[0].size()), 0, 0); }

void EsperaMensaje(auto&& f, const std::string& mensaje) { EXPECT_EQ(prueba::MensajeLanzado(f), mensaje); }

// What the shared tests need to know of each kind.
struct Racional {
    using M = TMatriz;
    static M Lee(const TablaTextos& t) { return Q(t); }
    static TFrac Det(const M& m) { return M::Determinante(m); }
    static TFrac Valor(int n) { return TFrac(n); }
    static TFrac Aleatorio(std::mt19937& g) { return TFrac(int(g() % 11) - 5, std::uint32_t(g() % 3 + 1)); }
    static ::testing::AssertionResult Cerca(const TFrac& a, const TFrac& b, long double = 1) {  // exact
        if (a == b) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << a.ATextoModo(1) << " frente a " << b.ATextoModo(1);
    }
    static constexpr const char* kSuma = "No se pueden sumar matrices de distintas dimensiones";
    static constexpr const char* kResta = "No se pueden restar matrices de distintas dimensiones";
    static constexpr const char* kProducto = "Matrices no conformables para producto";
    static constexpr const char* kNoCuadrada = "La matriz debe ser cuadrada";
};

struct Compleja {
    using M = TMatrix;
    static M Lee(const TablaTextos& t) { return C(t); }
    static TComplejo Det(const M& m) { return m.Determinante(); }
    static TComplejo Valor(int n) { return {static_cast<long double>(n), 0}; }
    static TComplejo Aleatorio(std::mt19937& g) { return {int(g() % 1001) / 100.0L - 5, int(g() % 1001) / 100.0L - 5}; }
    // Elimination rounds: within 1e-15 of the value or of the terms' scale.
    static ::testing::AssertionResult Cerca(const TComplejo& a, const TComplejo& b, long double escala = 1) {
        if (CModulo(a - b) <= 1e-15L * std::max(escala, CModulo(b))) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << prueba::Texto21(a.Re) << " " << prueba::Texto21(a.Im) << "i frente a "
                                             << prueba::Texto21(b.Re) << " " << prueba::Texto21(b.Im) << "i";
    }
    static constexpr const char* kSuma = "Las matrices no son conformables para la suma (distinto tamaño)";
    static constexpr const char* kResta = kSuma;
    static constexpr const char* kProducto =
        "El número de columnas de la primera matriz no coincide con el número de filas de la segunda.";
    static constexpr const char* kNoCuadrada = "La matriz no es cuadrada.";
};

template <class K>
class Matrices : public ::testing::Test {};
using Clases = ::testing::Types<Racional, Compleja>;
TYPED_TEST_SUITE(Matrices, Clases);

template <class K, class M>
void EsperaIdentidad(const M& m) {
    for (int r = 1; r <= m.Filas(); ++r)
        for (int c = 1; c <= m.Columnas(); ++c) EXPECT_TRUE(K::Cerca(m.Elemento(c, r), K::Valor(c == r), 100));
}

template <class K>
typename K::M Aleatoria(std::mt19937& gen, int columnas, int filas) {
    typename K::M m(columnas, filas);
    for (int r = 1; r <= filas; ++r)
        for (int c = 1; c <= columnas; ++c) m.PonElemento(c, r, K::Aleatorio(gen));
    return m;
}

TYPED_TEST(Matrices, DimensionesEntre1Y255) {
    using M = typename TypeParam::M;
    for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {256, 1}, {1, 256}, {-1, 5}})
        EsperaMensaje([&] { M(c, r); }, kMensajeDimensiones);
    M grande(255, 255), uno(1, 1);
    EsperaMensaje([&] { grande.AgregaFila(); }, kMensajeDimensiones);
    EsperaMensaje([&] { grande.AgregaColumna(); }, kMensajeDimensiones);
    EsperaMensaje([&] { uno.BorraFila(1); }, kMensajeDimensiones);
    EsperaMensaje([&] { uno.BorraColumna(1); }, kMensajeDimensiones);
    EXPECT_EQ(uno, M(1, 1));
}

TYPED_TEST(Matrices, FilasColumnasYTraspuesta) {
    using K = TypeParam;
    auto m = K::Lee({{"1", "2"}, {"3", "4"}, {"5", "6"}});  // 2 columns, 3 rows
    m.Traspone();
    EXPECT_EQ(m, K::Lee({{"1", "3", "5"}, {"2", "4", "6"}}));
    m.AgregaFila();
    m.AgregaColumna();
    EXPECT_EQ(m, K::Lee({{"1", "3", "5", "0"}, {"2", "4", "6", "0"}, {"0", "0", "0", "0"}}));
    m.BorraColumna(2);
    m.BorraFila(1);
    m.BorraFila(9);  // outside: nothing
    m.BorraColumna(0);
    EXPECT_EQ(m, K::Lee({{"2", "6", "0"}, {"0", "0", "0"}}));
    m.Dimensiona(1, 2);
    EXPECT_EQ(m, K::Lee({{"0"}, {"0"}}));
}

TYPED_TEST(Matrices, SumaRestaYProducto) {
    using K = TypeParam;
    using M = typename K::M;
    const M a = K::Lee({{"1", "2"}, {"3", "4"}}), b = K::Lee({{"5", "0"}, {"0", "-1"}});
    const M c = K::Lee({{"1", "2", "3"}, {"4", "5", "6"}});
    M s = a;
    s.Suma(b);
    EXPECT_EQ(s, K::Lee({{"6", "2"}, {"3", "3"}}));
    s.Resta(b);
    EXPECT_EQ(s, a);
    EXPECT_EQ(M::Producto(a, b), K::Lee({{"5", "-2"}, {"15", "-4"}}));
    EXPECT_EQ(M::Producto(a, c), K::Lee({{"9", "12", "15"}, {"19", "26", "33"}}));
    EsperaMensaje([&] { s.Suma(c); }, K::kSuma);
    EsperaMensaje([&] { s.Resta(c); }, K::kResta);
    EsperaMensaje([&] { M::Producto(c, a); }, K::kProducto);
    EXPECT_EQ(s, a);
}

// Hand values; a square matrix's transpose has the same determinant, and
// exchanging two rows changes its sign.
TYPED_TEST(Matrices, DeterminanteTraspuestaEIntercambioDeFilas) {
    using K = TypeParam;
    struct Caso { typename K::M m; int det; };
    const Caso casos[] = {
        {K::Lee({{"7"}}), 7},                          {K::Lee({{"0", "1"}, {"1", "0"}}), -1},
        {K::Lee({{"1", "2"}, {"3", "4"}}), -2},        {K::Lee({{"3", "4"}, {"1", "2"}}), 2},
        {K::Lee({{"0", "0"}, {"0", "5"}}), 0},         {K::Lee({{"1", "2"}, {"2", "4"}}), 0},
        {K::Lee({{"2", "-1", "0"}, {"1", "3", "2"}, {"0", "1", "4"}}), 24},
        {K::Lee({{"1", "3", "2"}, {"2", "-1", "0"}, {"0", "1", "4"}}), -24},
        {K::Lee({{"0", "1", "2"}, {"3", "4", "5"}, {"6", "7", "9"}}), -3},  // a zero first pivot
        {K::Lee({{"1", "2", "7"}, {"3", "4", "7"}}), -2},                   // the leading square block
    };
    for (const Caso& c : casos) {
        EXPECT_TRUE(K::Cerca(K::Det(c.m), K::Valor(c.det)));
        if (c.m.Columnas() != c.m.Filas()) continue;
        auto t = c.m;
        t.Traspone();
        EXPECT_TRUE(K::Cerca(K::Det(t), K::Valor(c.det)));
    }
    EsperaMensaje([] { K::Det(K::Lee({{"1", "2"}, {"3", "4"}, {"5", "6"}})); },
                  "La matriz debe ser cuadrada o tener mas columnas que filas");
}

TYPED_TEST(Matrices, DeterminanteIgualAlDeCofactores) {
    using K = TypeParam;
    std::mt19937 gen(11);
    // Rows of norm below 18 bound the determinant's terms by 18^6 < 4e7.
    for (int i = 0; i < 30; ++i) {
        const auto a = Aleatoria<K>(gen, 6, 6);
        const auto ref = prueba::Cofactores([&](int f, int c) { return a.Elemento(c + 1, f + 1); }, 6);
        EXPECT_TRUE(K::Cerca(K::Det(a), ref, 4e7L));
    }
}

TYPED_TEST(Matrices, Inversa) {
    using K = TypeParam;
    using M = typename K::M;
    M p = K::Lee({{"0", "1"}, {"1", "0"}});
    p.Invierte();
    EXPECT_EQ(p, K::Lee({{"0", "1"}, {"1", "0"}}));
    std::mt19937 gen(21);
    for (int n : {3, 5, 8}) {
        const M a = Aleatoria<K>(gen, n, n);
        M inv = a;
        inv.Invierte();
        EsperaIdentidad<K>(M::Producto(a, inv));
        EsperaIdentidad<K>(M::Producto(inv, a));
    }
    EsperaMensaje([] { K::Lee({{"1", "2"}, {"2", "4"}}).Invierte(); }, "La matriz no tiene inversa");
    EsperaMensaje([] { K::Lee({{"0", "0"}, {"0", "0"}}).Invierte(); }, "La matriz no tiene inversa");
    EsperaMensaje([] { K::Lee({{"1", "2", "3"}, {"4", "5", "6"}}).Invierte(); }, K::kNoCuadrada);
}

// ----------------------------------------------------------------- rational --

// Answers every question with `si`, keeping the texts asked.
PreguntaSiNo Responde(bool si, std::vector<std::string>& textos) {
    return [si, &textos](const std::string& titulo, const std::string& texto) {
        EXPECT_EQ(titulo, "Matrices");
        textos.push_back(texto);
        return si;
    };
}

TEST(MatrizQ, Resuelve) {
    std::vector<std::string> preguntas;
    EXPECT_EQ(*Q({{"1", "1", "3"}, {"1", "-1", "1"}}).Resuelve(Responde(false, preguntas)), Q({{"2"}, {"1"}}));
    // Two right-hand sides, and a zero leading pivot that needs a row swap.
    EXPECT_EQ(*Q({{"0", "2", "4", "1"}, {"1|2", "1", "1", "0"}}).Resuelve(Responde(false, preguntas)),
              Q({{"-2", "-1"}, {"2", "1|2"}}));
    EXPECT_TRUE(preguntas.empty());
    EsperaMensaje([] { Q({{"1", "2"}, {"3", "4"}}).Resuelve({}); }, "La matriz debe tener mas columnas que filas");
}

TEST(MatrizQ, SistemasSingulares) {
    const std::string incompatible = "Sistema INCOMPATIBLE\r\n\r\n¿Desea ver una triangulación?";
    const std::string indeterminado =
        "Sistema compatible INDETERMINADO\r\n(tiene infinitas soluciones)\r\n\r\n¿Desea ver una triangulación?";
    struct Caso { TMatriz m; std::string texto; };
    const Caso casos[] = {
        {Q({{"1", "1", "2"}, {"2", "2", "4"}}), indeterminado},
        {Q({{"1", "1", "2"}, {"2", "2", "5"}}), incompatible},
        {Q({{"1", "1", "1", "1"}, {"2", "2", "2", "3"}, {"3", "3", "3", "3"}}), incompatible},
        {Q({{"0", "0", "0"}, {"0", "0", "0"}}), indeterminado},
        {Q({{"0", "0", "1"}, {"0", "0", "0"}}), incompatible},
        {Q({{"1", "2", "3", "1"}, {"2", "4", "6", "2"}, {"0", "0", "0", "0"}}), indeterminado},
        {Q({{"0", "1", "1", "1", "1"}, {"0", "1", "1", "1", "2"}, {"0", "0", "1", "1", "1"}}), incompatible},
        {Q({{"0", "1", "1", "1", "2"}, {"0", "1", "1", "1", "2"}, {"0", "0", "1", "1", "1"}}), indeterminado},
    };
    for (const Caso& c : casos) {
        std::vector<std::string> preguntas;
        EXPECT_FALSE(c.m.Resuelve(Responde(false, preguntas)).has_value());
        EXPECT_EQ(preguntas, std::vector<std::string>{c.texto});
    }
    std::vector<std::string> preguntas;
    auto t = casos[2].m.Resuelve(Responde(true, preguntas));  // Yes: the triangulation
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(*t, Q({{"1", "1", "1", "1"}, {"0", "0", "0", "1"}, {"0", "0", "0", "0"}}));
}

// Large prime denominators: the rows scaled to integers pass 2^128 while the
// results stay small; only a result that does not fit overflows.
TEST(MatrizQ, EnterosMayoresQue128Bits) {
    const std::uint32_t primos[] = {4294967291u, 4294967279u, 4294967231u, 4294967197u, 4294967189u, 4294967161u};
    TMatriz a = Q({{"2", "1", "0", "3"}, {"1", "-3", "2", "0"}, {"0", "2", "4", "1"}, {"3", "0", "1", "-2"}});
    for (int r = 1; r <= 4; ++r) a.PonElemento(r, r, a.Elemento(r, r) + TFrac(r, primos[r - 1]));
    const TMatriz x = Q({{"3"}, {"-1"}, {"4"}, {"2"}}), b = TMatriz::Producto(a, x);
    a.AgregaColumna();  // [A | b]
    for (int r = 1; r <= 4; ++r) a.PonElemento(5, r, b.Elemento(1, r));
    EXPECT_EQ(*a.Resuelve({}), x);

    // det = a/p (rows a/p b/q, a/p b/q + 1), but the integer rows hold ~2^94
    // and their products ~2^188.
    const TMatriz m = Q({{"9000000000000000011|4294967291", "8000000000000000009|4294967279"},
                         {"9000000000000000011|4294967291", "8000000004294967288|4294967279"}});
    EXPECT_EQ(TMatriz::Determinante(m), TFrac(9000000000000000011LL, primos[0]));

    // Row operations keep det = 1 while the integer scale grows to p^6.
    std::mt19937 gen(9);
    TMatriz u(6, 6);
    for (int r = 1; r <= 6; ++r)
        for (int c = r; c <= 6; ++c) u.PonElemento(c, r, c == r ? TFrac(1) : TFrac(static_cast<int>(gen() % 7) - 3));
    for (int r = 2; r <= 6; ++r)
        for (int c = 1; c <= 6; ++c) u.PonElemento(c, r, u.Elemento(c, r) + u.Elemento(c, 1) * TFrac(1, primos[r - 1]));
    EXPECT_EQ(TMatriz::Determinante(u), TFrac(1));
    for (const TMatriz& d : {Q({{"4000000000000000000", "0"}, {"0", "4"}}), Q({{"1|4000000000", "0"}, {"0", "1|2"}}),
                             Aleatoria<Racional>(gen, 30, 30)})
        EsperaMensaje([&] { TMatriz::Determinante(d); }, "Desbordamiento entero");
}

TEST(MatrizQ, OperacionesPropias) {
    const TMatriz a = Q({{"1", "2"}, {"3", "4"}});
    TMatriz s = a;
    s.PorEscalar(TFrac(1, 2));
    EXPECT_EQ(s, Q({{"1|2", "1"}, {"3|2", "2"}}));
    EXPECT_EQ(TMatriz::Cuadrado(a), Q({{"7", "10"}, {"15", "22"}}));
    EsperaMensaje([] { TMatriz::Cuadrado(Q({{"1", "2"}})); }, "La matriz debe ser cuadrada");
    EXPECT_EQ(TMatriz::Traspuesta(Q({{"1", "2", "3"}})), Q({{"1"}, {"2"}, {"3"}}));
    // A failing sum leaves the matrix as it was.
    const TMatriz grande = Q({{"9223372036854775807", "1"}, {"1", "1"}});
    TMatriz g = grande;
    EXPECT_THROW(g.Suma(a), EFraccion);
    EXPECT_EQ(g, grande);
    EsperaMensaje([&] { g.Elemento(0, 1); }, "Lectura fuera de rango de matriz [0,1]");
    EsperaMensaje([&] { g.Elemento(2, 3); }, "Lectura fuera de rango de matriz [2,3]");
    EsperaMensaje([&] { g.PonElemento(3, 1, TFrac(1)); }, "Escritura fuera de rango de matriz [3,1]");
    EsperaMensaje([&] { g.IntercambiaFilas(1, 4); }, "Lectura fuera de rango de matriz [1,4]");
    g.IntercambiaFilas(1, 2);
    EXPECT_EQ(g, Q({{"1", "1"}, {"9223372036854775807", "1"}}));
    TMatriz t = Q({{"0", "2", "1"}, {"1", "1", "1"}, {"2", "4", "3"}});
    t.Triangula();
    EXPECT_EQ(t, Q({{"1", "1", "1"}, {"0", "2", "1"}, {"0", "0", "0"}}));
}

TEST(MatrizQ, Rejilla) {
    TMatriz m = Q({{"7|2", "", "-1|2"}, {"4", "1|3", "0"}});
    TablaTextos t = {{"A", "x"}, {"y"}};
    m.ARejilla(t, 0);
    EXPECT_EQ(t, (TablaTextos{{"A", "x", "", ""}, {"y", "3 | 1 | 2", "0", "-1 | 2"}, {"", "4", "1 | 3", "0"}}));
    EXPECT_EQ(TMatriz::CreateDesdeRejilla(t, {}), m);
    m.ARejilla(t, 2);
    EXPECT_EQ(t[2][2], "0.333333333333333");
    EsperaMensaje([] { TMatriz::CreateDesdeRejilla({{"A", ""}, {"", "1|x"}}, {}); }, "1|x no es un valor racional valido");
    EsperaMensaje([] { TMatriz::CreateDesdeRejilla({{"A"}}, {}); }, kMensajeDimensiones);
}

// ------------------------------------------------------------------ complex --

TEST(MatrizC, ElementosFueraYCeros) {
    TMatrix m(2, 3);
    TComplejo z{7, 7};
    m.Elemento(3, 1, z);  // outside: unchanged
    EXPECT_EQ(z, (TComplejo{7, 7}));
    EXPECT_EQ(m.Elemento(0, 1), (TComplejo{}));
    m.PonElemento(0, 1, {1, 1});
    m.PonElemento(1, 1, {-0.0L, -0.0L});
    EXPECT_FALSE(std::signbit(m.Elemento(1, 1).Re));
    m.PonElemento(1, 2, {2, -1});
    m.Intercambia(1, 2, 2, 3);
    EXPECT_EQ(m, C({{"0", "0"}, {"0", "0"}, {"0", "2-i"}}));
}

TEST(MatrizC, ValoresImaginariosYPivotePorModulo) {
    EXPECT_EQ(TMatrix::Producto(C({{"1", "i"}, {"2", "3"}}), C({{"i", "0"}, {"0", "-1"}})), C({{"i", "-i"}, {"2i", "-3"}}));
    EXPECT_EQ(C({{"i", "0"}, {"0", "i"}}).Determinante(), (TComplejo{-1, 0}));
    EXPECT_EQ(C({{"0", "i"}, {"i", "0"}}).Determinante(), (TComplejo{1, 0}));
    TMatrix c = C({{"0", "i"}, {"i", "0"}});  // a real-part pivot search would miss these
    c.Invierte();
    EXPECT_EQ(c, C({{"0", "-i"}, {"-i", "0"}}));
    TMatrix m = C({{"1", "2", "3"}, {"2", "4", "5"}});
    m.Triangula();
    EXPECT_EQ(m.Intercambios(), 1);
    EXPECT_EQ(m.Paridad(), 1);
    TablaTextos t;
    m.ARejilla(t, 0, 0);
    EXPECT_EQ(t, (TablaTextos{{"2", "4", "5"}, {"0", "0", "0.5"}}));  // exact: the factor is 1/2
}

TEST(MatrizC, Rejilla) {
    TMatrix m = C({{"3+2i", "-i"}, {"0", "1e-5-2i"}});
    TablaTextos t = {{"A"}};
    m.ARejilla(t, 1, 1);
    EXPECT_EQ(t, (TablaTextos{{"A", "", ""}, {"", "3+2i", "-i"}, {"", "0", "1e-05-2i"}}));
    EXPECT_EQ(TMatrix::CreateDesdeRejilla(t, 2, 2, 1, 1), m);
    // empty cells, and cells or rows missing from the table, are 0
    EXPECT_EQ(TMatrix::CreateDesdeRejilla({{"", "1"}, {"2"}}, 3, 2, 0, 0), C({{"0", "1"}, {"2", "0"}, {"0", "0"}}));
    EXPECT_THROW(TMatrix::CreateDesdeRejilla({{"x"}}, 1, 1, 0, 0), EValorComplejo);
}

}  // namespace
}  // namespace numbrix
