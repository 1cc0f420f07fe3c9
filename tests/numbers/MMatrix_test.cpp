#include "numbers/MMatrix.h"

#include <random>

#include <gtest/gtest.h>

namespace numbrix {
namespace {

// Rows of complex texts.
TMatrix M(std::initializer_list<std::initializer_list<const char*>> filas) {
    TablaTextos t;
    int columnas = 0;
    for (auto f : filas) {
        t.emplace_back(f.begin(), f.end());
        columnas = static_cast<int>(f.size());
    }
    return TMatrix::CreateDesdeRejilla(t, static_cast<int>(t.size()), columnas, 0, 0);
}

void Cerca(const TMatrix& a, const TMatrix& b, long double tol = 1e-15L) {
    ASSERT_EQ(a.Columnas(), b.Columnas());
    ASSERT_EQ(a.Filas(), b.Filas());
    for (int r = 1; r <= a.Filas(); ++r)
        for (int c = 1; c <= a.Columnas(); ++c) {
            EXPECT_NEAR(static_cast<double>(a.Elemento(c, r).Re), static_cast<double>(b.Elemento(c, r).Re), static_cast<double>(tol)) << c << "," << r;
            EXPECT_NEAR(static_cast<double>(a.Elemento(c, r).Im), static_cast<double>(b.Elemento(c, r).Im), static_cast<double>(tol)) << c << "," << r;
        }
}

template <class F>
void EsperaMensaje(F&& f, const std::string& mensaje) {
    try {
        f();
        ADD_FAILURE() << "no error, expected " << mensaje;
    } catch (const ErrorComplejo& e) {
        EXPECT_EQ(e.what(), mensaje);
    }
}

TMatrix Identidad(int n) {
    TMatrix m(n, n);
    for (int i = 1; i <= n; ++i) m.PonElemento(i, i, {1, 0});
    return m;
}

TEST(MatrizC, ElementosYCeros) {
    TMatrix m(2, 3);
    EXPECT_EQ(m.Elemento(2, 3), (TComplejo{0, 0}));
    TComplejo z{7, 7};
    m.Elemento(3, 1, z);  // outside: unchanged
    EXPECT_EQ(z, (TComplejo{7, 7}));
    m.PonElemento(0, 1, {1, 1});
    m.PonElemento(1, 1, {-0.0L, -0.0L});
    EXPECT_FALSE(std::signbit(m.Elemento(1, 1).Re));
    m.PonElemento(1, 2, {2, -1});
    m.Intercambia(1, 2, 2, 3);
    EXPECT_EQ(m.Elemento(2, 3), (TComplejo{2, -1}));
    EXPECT_EQ(m.Elemento(1, 2), (TComplejo{0, 0}));
    EsperaMensaje([] { TMatrix(0, 1); }, "Las dimensiones de una matriz deben estar entre 1 y 255");
    EsperaMensaje([] { TMatrix(1, 256); }, "Las dimensiones de una matriz deben estar entre 1 y 255");
}

TEST(MatrizC, TrasponeYEdicion) {
    TMatrix m = M({{"1", "2"}, {"3", "4"}, {"5", "6i"}});  // 2 columns, 3 rows
    m.Traspone();
    EXPECT_EQ(m, M({{"1", "3", "5"}, {"2", "4", "6i"}}));
    TMatrix fila = M({{"1", "2", "3"}});
    fila.Traspone();
    EXPECT_EQ(fila, M({{"1"}, {"2"}, {"3"}}));
    m.AgregaFila();
    m.AgregaColumna();
    EXPECT_EQ(m, M({{"1", "3", "5", "0"}, {"2", "4", "6i", "0"}, {"0", "0", "0", "0"}}));
    m.BorraColumna(2);
    m.BorraFila(1);
    m.BorraFila(9);  // outside: nothing
    EXPECT_EQ(m, M({{"2", "6i", "0"}, {"0", "0", "0"}}));
    TMatrix uno(1, 1);
    EsperaMensaje([&] { uno.BorraFila(1); }, "Las dimensiones de una matriz deben estar entre 1 y 255");
}

TEST(MatrizC, SumaYProducto) {
    TMatrix a = M({{"1", "i"}, {"2", "3"}}), b = M({{"i", "0"}, {"0", "-1"}});
    TMatrix s = a;
    s.Suma(b);
    EXPECT_EQ(s, M({{"1+i", "i"}, {"2", "2"}}));
    s.Resta(b);
    EXPECT_EQ(s, a);
    EXPECT_EQ(TMatrix::Producto(a, b), M({{"i", "-i"}, {"2i", "-3"}}));
    TMatrix c = M({{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}});
    EsperaMensaje([&] { s.Suma(M({{"1", "2"}, {"3", "4"}, {"5", "6"}})); },
                  "Las matrices no son conformables para la suma (distinto tamaño)");
    EsperaMensaje([&] { s.Resta(c); }, "Las matrices no son conformables para la suma (distinto tamaño)");
    EsperaMensaje([&] { TMatrix::Producto(c, a); },
                  "El número de columnas de la primera matriz no coincide con el número de filas de la segunda.");
}

TEST(MatrizC, Determinante) {
    struct Caso { TMatrix m; TComplejo d; };
    const Caso casos[] = {
        {M({{"0", "1"}, {"1", "0"}}), {-1, 0}},
        {M({{"i", "0"}, {"0", "i"}}), {-1, 0}},
        {M({{"0", "i"}, {"i", "0"}}), {1, 0}},
        {M({{"1", "2"}, {"3", "4"}}), {-2, 0}},
        {M({{"0", "0"}, {"0", "5"}}), {0, 0}},
        {M({{"1", "2"}, {"2", "4"}}), {0, 0}},
        {M({{"1", "2", "7"}, {"3", "4", "7"}}), {-2, 0}},  // leading block
        {M({{"2+i"}}), {2, 1}},
    };
    for (const Caso& c : casos) {
        TComplejo d = c.m.Determinante();
        EXPECT_NEAR(static_cast<double>(d.Re), static_cast<double>(c.d.Re), 1e-15);
        EXPECT_NEAR(static_cast<double>(d.Im), static_cast<double>(c.d.Im), 1e-15);
    }
    EsperaMensaje([] { M({{"1"}, {"2"}}).Determinante(); }, "La matriz debe ser cuadrada o tener mas columnas que filas");
}

TEST(MatrizC, Inversa) {
    TMatrix a = M({{"2", "0"}, {"0", "4"}});
    a.Invierte();
    EXPECT_EQ(a, M({{"0.5", "0"}, {"0", "0.25"}}));
    TMatrix b = M({{"0", "1"}, {"1", "0"}});
    b.Invierte();
    EXPECT_EQ(b, M({{"0", "1"}, {"1", "0"}}));
    TMatrix c = M({{"0", "i"}, {"i", "0"}});  // a real-part pivot search would miss these
    c.Invierte();
    EXPECT_EQ(c, M({{"0", "-i"}, {"-i", "0"}}));
    EsperaMensaje([] { M({{"1", "2"}, {"2", "4"}}).Invierte(); }, "La matriz no tiene inversa");
    EsperaMensaje([] { M({{"0", "0"}, {"0", "0"}}).Invierte(); }, "La matriz no tiene inversa");
    EsperaMensaje([] { M({{"1", "2", "3"}, {"4", "5", "6"}}).Invierte(); }, "La matriz no es cuadrada.");

    std::mt19937 gen(4);
    std::uniform_real_distribution<double> d(-1, 1);
    for (int n : {3, 8, 20}) {
        TMatrix m(n, n);
        for (int r = 1; r <= n; ++r)
            for (int k = 1; k <= n; ++k) m.PonElemento(k, r, {d(gen), d(gen)});
        TMatrix inv = m;
        inv.Invierte();
        Cerca(TMatrix::Producto(m, inv), Identidad(n), 1e-13L);
    }
}

TEST(MatrizC, Triangula) {
    TMatrix m = M({{"1", "2", "3"}, {"2", "4", "5"}});
    m.Triangula();
    EXPECT_EQ(m.Intercambios(), 1);
    EXPECT_EQ(m.Paridad(), 1);
    Cerca(m, M({{"2", "4", "5"}, {"0", "0", "0.5"}}));
}

TEST(MatrizC, Rejilla) {
    TMatrix m = M({{"3+2i", "-i"}, {"0", "1e-5-2i"}});
    TablaTextos t = {{"A"}};
    m.ARejilla(t, 1, 1);
    const TablaTextos esperada = {{"A", "", ""}, {"", "3+2i", "-i"}, {"", "0", "1e-05-2i"}};
    EXPECT_EQ(t, esperada);
    EXPECT_EQ(TMatrix::CreateDesdeRejilla(t, 2, 2, 1, 1), m);
    TablaTextos corta = {{"", "1"}, {""}};  // missing and empty cells are 0
    EXPECT_EQ(TMatrix::CreateDesdeRejilla(corta, 2, 2, 0, 0), M({{"0", "1"}, {"0", "0"}}));
    TablaTextos mala = {{"x"}};
    EXPECT_THROW(TMatrix::CreateDesdeRejilla(mala, 1, 1, 0, 0), EValorComplejo);
}

}  // namespace
}  // namespace numbrix
