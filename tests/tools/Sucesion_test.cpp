#include "tools/Sucesion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "Ayudas.h"
#include "CarpetaTemporal.h"

namespace numbrix {
namespace {

std::string L(long double v) {
    char b[64];
    std::snprintf(b, sizeof b, "%.21Lg", v);
    return b;
}

DefinicionSucesion Def(const std::string& sn, const std::string& parada, int modo = 0, const std::string& f = {},
                       const std::string& g = {}) {
    DefinicionSucesion d;
    d.F = f, d.G = g, d.Sn = sn, d.Parada = parada, d.Modo = modo;
    return d;
}

// Compiles, gives initial values 1, 2, 3 ... (or those given) and runs plainly.
FinSucesion Correr(TSucesion& s, const DefinicionSucesion& d, std::vector<std::string>& lineas,
                   std::vector<long double> iniciales = {}, TokenCancelar cancelar = {}) {
    s.SetModo(d.Modo);
    s.Compilar(d);
    if (iniciales.empty())
        for (int j = 1; j <= s.K(); ++j) iniciales.push_back(j);
    EXPECT_EQ(static_cast<int>(iniciales.size()), s.K()) << d.Sn;
    s.FijarIniciales(iniciales);
    return s.Correr(cancelar, {}, lineas);
}

TEST(Sucesion, CasosDeBorde) {
    struct Caso {
        DefinicionSucesion d;
        std::vector<long double> ini;
        int k;
        std::int64_t n;
        const char* ultima;
    } casos[] = {
        {Def("S1+S2", "n>=10"), {1, 1}, 2, 10, "S(10)=\t55"},
        {Def("Sn/2", "n>=5", 1), {64}, 1, 6, "S(6)=\t2"},
        {Def("n^2", "n>=4"), {}, 0, 4, "S(4)=\t16"},
        {Def("S9", "n>=16"), {}, 9, 16, "S(16)=\t7"},
        {Def("S9", "n>=15", 1), {}, 10, 16, "S(16)=\t6"},
        {Def("Si(S1>0.5,S3,S1)", "n>=6"), {}, 3, 6, "S(6)=\t3"},
        {Def("S1+1/(n-3)", "n>=10"), {}, 1, 2, "S(3)=\t"},
        // A blank or broken recurrence stops at once and says why.
        {Def("", "n>=5"), {}, 0, 0, "S(1)=\tFalta la fórmula de la sucesión"},
        {Def("  ", "n>=5", 1), {}, 1, 1, "S(2)=\tFalta la fórmula de la sucesión"},
        {Def("S1+", "n>=5"), {}, 0, 0, "S(1)=\t"},
        // Equality is exact in these engines: 1+1e-16 is not 1.
        {Def("S1*1", "Sn=1+1e-15"), {1}, 1, 0, nullptr},
    };
    for (auto& c : casos) {
        TSucesion s;
        std::vector<std::string> l;
        if (!c.ultima) {
            int lotes = 0;
            s.SetModo(0);
            s.Compilar(c.d);
            s.FijarIniciales(c.ini);
            EXPECT_EQ(s.Correr([&] { return lotes >= 3; }, [&](std::int64_t) { ++lotes; }, l), FinSucesion::Cancelada);
            continue;
        }
        Correr(s, c.d, l, c.ini);
        EXPECT_EQ(s.K(), c.k) << c.d.Sn;
        EXPECT_EQ(s.N(), c.n) << c.d.Sn;
        ASSERT_FALSE(l.empty());
        EXPECT_EQ(l.back().rfind(c.ultima, 0), 0u) << c.d.Sn << " " << l.back();
        EXPECT_NE(l.back().back(), '\t') << c.d.Sn;  // never a blank message
    }
}

TEST(Sucesion, PasoFallidoNoCuentaComoTermino) {
    TSucesion s;
    std::vector<std::string> l;
    EXPECT_EQ(Correr(s, Def("S1+1/(n-3)", "n>=10"), l, {1}), FinSucesion::Error);
    EXPECT_EQ(s.N(), 2);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_GT(l.back().size(), 6u);  // carries the engine's message
    l.clear();
    EXPECT_EQ(s.Correr({}, {}, l), FinSucesion::Error);
    EXPECT_EQ(s.N(), 2);
    EXPECT_EQ(s.Termino(0), 0.0L);
}

TEST(Sucesion, ParadaSinCompilarSoloSeCancela) {
    TSucesion s;
    std::vector<std::string> l;
    std::int64_t visto = 0;
    s.SetModo(0);
    auto ok = s.Compilar(Def("S1+1", "n>=("));
    EXPECT_FALSE(ok[4]);
    s.FijarIniciales({0});
    EXPECT_EQ(s.Correr([&] { return visto > 5000; }, [&](std::int64_t n) { visto = n; }, l), FinSucesion::Cancelada);
    // The state stays for the next press.
    EXPECT_EQ(s.Termino(0), static_cast<long double>(s.N() - 1));
}

TEST(Sucesion, DetalladoYContinuar) {
    TSucesion s;
    std::vector<std::string> l;
    s.SetModo(0);
    s.Compilar(Def("S1+S2", "n>=1500"));
    s.FijarIniciales({1, 1});
    EXPECT_EQ(s.CorrerDetallado({}, l), FinSucesion::Lote);
    EXPECT_EQ(l.size(), 998u);
    EXPECT_EQ(l[7], "S(10)=\t55");
    EXPECT_EQ(s.CorrerDetallado({}, l), FinSucesion::Parada);
    EXPECT_EQ(s.N(), 1500);
}

// Every shipped definition loads, compiles and ends as documented.
TEST(Sucesion, DefinicionesDeFabrica) {
    struct Caso {
        const char* nombre;
        std::vector<long double> ini;
        std::int64_t n;  // 0: not checked
        long double fin;  // NaN: chaotic, not checked
        long double tol;
    } casos[] = {
        {"Fibonacci", {1, 1}, 30, 832040, 0},
        {"Lucas", {2, 1}, 30, 1149851, 0},
        {"Tribonacci", {0, 0, 1}, 30, 8646064, 0},
        {"Pell", {0, 1}, 20, 6625109, 0},
        {"Números triangulares", {1}, 20, 210, 0},
        {"Factoriales", {1}, 20, 2432902008176640000.0L, 0},
        {"Números de Catalan", {1}, 20, 6564120420.0L, 1e-3L},
        {"Collatz desde 27", {27}, 112, 1, 0},
        {"Primos de Euler", {}, 40, 1601, 0},
        {"Serie armónica", {1}, 12367, 10, 1e-3L},
        {"Serie de Leibniz", {4}, 1000, 3.14059L, 1e-5L},
        {"Razón áurea", {1}, 0, 1.6180339887498948482L, 1e-15L},
        {"Raíz de 2 (Newton)", {1}, 0, 1.4142135623730950488L, 1e-15L},
        {"Raíz cúbica de 2", {1}, 0, 1.2599210498948731648L, 1e-15L},
        {"Mapa logístico", {0.5L}, 100, NAN, 0},
        {"Interés compuesto", {1000}, 11, 1628.894626777442L, 1e-9L},
    };
    TArchivoSucesiones a(prueba::DatosDeFabrica() / "suce.ini");
    EXPECT_EQ(a.Nombres().size(), std::size(casos));
    for (auto& c : casos) {
        DefinicionSucesion d;
        bool completa = false;
        ASSERT_TRUE(a.Leer(c.nombre, d, &completa)) << c.nombre;
        EXPECT_TRUE(completa) << c.nombre;
        TSucesion s;
        std::vector<std::string> l;
        EXPECT_EQ(Correr(s, d, l, c.ini), FinSucesion::Parada) << c.nombre;
        if (c.n) {
            EXPECT_EQ(s.N() - d.Modo, c.n) << c.nombre;
        }
        if (!std::isnan(c.fin)) {
            EXPECT_LE(std::fabs(s.Termino(0) - c.fin), c.tol * std::fabs(c.fin)) << c.nombre << " " << L(s.Termino(0));
        }
    }
}

class ArchivoSucesiones : public CarpetaTemporal {};

TEST_F(ArchivoSucesiones, IdaYVueltaYSeccionesRotas) {
    const auto p = dir_ / "suce.ini";
    DefinicionSucesion d = Def("S1+g(n)", "n>=3", 1, "x^2");
    d.Comentario = {"", "[x]", " sangrado", "Fin "};
    {
        TArchivoSucesiones a(p);
        EXPECT_FALSE(a.Guardar("", d));
        EXPECT_FALSE(a.Guardar("_", d));
        EXPECT_TRUE(a.Guardar("Uno", d));
        a.GuardarEstado(d);
    }
    std::string texto = Leer(p);
    for (int lineas = 0; lineas <= 5; ++lineas) {
        texto += "[Rota" + std::to_string(lineas) + "]\n";
        for (int i = 0; i < lineas; ++i) texto += i == lineas - 1 ? "x\n" : "S1\n";
    }
    texto += "[Modo]\n{}\n{}\n{}\nS1\nn>2\nx\n";
    Poner(p, texto);
    TArchivoSucesiones a(p);
    DefinicionSucesion r;
    ASSERT_TRUE(a.Leer("uno", r));
    EXPECT_EQ(r, d);
    ASSERT_TRUE(a.Leer("_", r));
    EXPECT_EQ(r, d);
    EXPECT_EQ(a.Nombres().size(), 8u);
    bool completa = true;
    for (std::string n : {"Rota0", "Rota1", "Rota5", "Modo"}) {
        ASSERT_TRUE(a.Leer(n, r, &completa)) << n;
        EXPECT_FALSE(completa) << n;
        EXPECT_EQ(r.Modo, 0);
    }
}

TEST(Sucesion, ToleranciaPropia) {
    prueba::Motor<DominioReal> principal;
    TSucesion s;
    EXPECT_GT(principal.Eval("1+1e-15=1"), 0);
    s.Compilar(Def("1+1e-15=1", "1"));
    s.FijarIniciales({});
    std::string m;
    s.Paso(&m);
    EXPECT_LT(s.Termino(0), 0);
}

}  // namespace
}  // namespace numbrix
