// The matrix operations on grid texts: results, messages and their icons,
// the near-singular refusals, cancels and the grid-size limits.
#include <algorithm>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "numbers/MMatrix.h"
#include "numbers/OperacionesMatriz.h"

namespace numbrix {
namespace {

// "1 2/3 4": rows at "/", cells at blanks.
TTablaTextos Tabla(std::string filas, int letra = kMatrizA) {
    for (char& c : filas) c = c == '/' ? '\n' : c == ' ' ? '\t' : c;
    TTablaTextos t = TablaVacia(letra);
    EXPECT_FALSE(PegarEnTabla(filas, t)) << filas;
    return t;
}

std::string Texto(const TTablaTextos& t) {
    std::string s;
    for (int f = 1; f < t.Filas(); ++f) {
        if (f > 1) s += "/";
        for (int c = 1; c < t.Columnas(); ++c) s += (c > 1 ? " " : "") + t.Celda(c, f);
    }
    return s;
}

struct Caso {
    AccionMatriz accion;
    bool complejo;
    std::string m, b;        // the grids A (M) and B (the operand)
    std::string esperado;    // R, the determinant, or the message
    IconoMatriz icono = IconoMatriz::Error;
    std::string funcion{};   // Escalar, Funcion
    std::uint32_t denominador = 1000;
};

ResultadoMatriz Operar(const Caso& c, TMotoresMatriz& motores, const std::string& r = "0") {
    PeticionMatriz p;
    p.accion = c.accion;
    p.complejo = c.complejo;
    p.tablas = {Tabla(c.m, kMatrizA), Tabla(c.b.empty() ? "0" : c.b, kMatrizB), Tabla("0", kMatrizC), Tabla(r, kMatrizR)};
    p.operando = kMatrizB;
    p.ajustes.DenominadorMax = c.denominador;
    p.motores = &motores;
    if (!c.funcion.empty()) {
        EXPECT_FALSE(motores.Compilar(c.complejo, c.funcion, p.ajustes)) << c.funcion;
    }
    return OperarMatriz(p);
}

using enum AccionMatriz;
constexpr auto Info = IconoMatriz::Informacion;

TEST(OperacionesMatriz, ResultadosYMensajes) {
    const Caso casos[] = {
        {Resolver, false, "1 1 3/1 -1 1", "", "2/1"},
        {Resolver, true, "1 1 3/1 -1 1", "", "2/1"},
        {Resolver, false, "1 2/3 4", "", "La matriz debe tener mas columnas que filas"},
        {Resolver, true, "1 2/3 4", "", "La matriz debe tener más columnas que filas"},
        {Invertir, true, "1 2/2 4", "", kSinInversa, Info},
        {Invertir, true, "0 0/0 1", "", kSinInversa, Info},
        {Invertir, false, "0 0/0 1", "", kSinInversa},
        {Determinante, true, "0 0/0 1", "", "0"},
        {Determinante, false, "0 0/0 1", "", "0"},
        {Determinante, false, "1 2 3/4 5 6", "", "-3"},
        {Determinante, true, "1 2 3/4 5 6", "", "-3"},
        {Determinante, false, "1 2/3 4/5 6", "", "La matriz debe ser cuadrada o tener mas columnas que filas"},
        {Determinante, true, "i 0/0 i", "", "-1"},
        {Invertir, true, "0.1 0.2 0.3/0.4 0.5 0.6/0.7 0.8 0.9", "", kSinInversa, Info},
        {Resolver, true, "0.1 0.2 0.3 1/0.4 0.5 0.6 1/0.7 0.8 0.9 1", "", kDeterminanteCero},
        {Invertir, true, "1e-30 0/0 1", "", "1e+30 0/0 1"},
        {Invertir, false, "2 0/0 4", "", "1 | 2 0/0 1 | 4"},
        {Invertir, true, "0 1/i 0", "", "0 -i/1 0"},  // exact for a permutation with i
        {Suma, false, "1 2/3 4", "1 2 3/4 5 6", "No se pueden sumar matrices de distintas dimensiones"},
        {Suma, true, "1 2/3 4", "1 2 3/4 5 6", "No se pueden sumar matrices de distintas dimensiones"},
        {Resta, true, "1 2/3 4", "1", "No se pueden restar matrices de distintas dimensiones"},
        {Producto, false, "1 2/3 4", "1 2 3", "Matrices no conformables para producto"},
        {Producto, false, "1 2/3 4", "1/1", "3/7"},
        {Cuadrado, true, "1 2 3", "", "La matriz debe ser cuadrada"},
        {Cuadrado, true, "0 1/-1 0", "", "-1 0/0 -1"},
        {Funcion, false, "1 2/3 1|2", "", "1 4/9 1 | 4", Info, "Val^2"},
        {Funcion, false, "0 0/0 0", "", "11 12/21 22", Info, "m+n*10"},
        {Funcion, true, "0 0/0 0", "", "11 12/21 22", Info, "m+n*10"},
        {Funcion, true, "i", "", "-1", Info, "Val^2"},
        {Escalar, false, "1 2", "", "1 | 2 1", Info, "1|2"},
        {Escalar, true, "1 2", "", "2i 4i", Info, "2i"},
        {Funcion, false, "1", "", "División por cero", IconoMatriz::Error, "1/(Val-1)"},
        {Triangular, false, "0.333", "", "333 | 1000"},
        {Triangular, false, "0.333", "", "1 | 3", Info, "", 10},
        {Triangular, false, "1|x", "", "1|x no es un valor racional valido"},
        {Vaciar, false, "1 2/3 4", "", " / "},
        {Identidad, false, "1 2 3/4 5 6", "", "1  / 1 "},
        {Trasponer, false, "1 2 3/4 5 6", "", "1 4/2 5/3 6"},
    };
    TMotoresMatriz motores;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.m + (c.complejo ? " C " : " Q ") + std::to_string(static_cast<int>(c.accion)));
        ResultadoMatriz r = Operar(c, motores);
        if (r.mensaje) {
            EXPECT_EQ(r.mensaje->texto, c.esperado);
            EXPECT_EQ(r.mensaje->icono, c.icono);
        } else if (c.accion == Determinante) {
            EXPECT_EQ(r.determinante, c.esperado);
        } else {
            EXPECT_EQ(Texto(r.tabla), c.esperado);
            EXPECT_EQ(r.destino, c.accion <= Trasponer ? kMatrizA : kMatrizR);
            EXPECT_EQ(r.racional.has_value(), !c.complejo && c.accion > Trasponer);
        }
    }
}

TEST(OperacionesMatriz, InversaDeDiezPorDiez) {
    std::mt19937_64 azar(20261207);
    std::uniform_real_distribution<double> u(-1, 1);
    TMatrix a(10, 10);
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) a.PonElemento(c, r, {u(azar), u(azar)});
    TMatrix inv = a;
    ASSERT_TRUE(inv.InvierteSiRegular());
    const TMatrix p = TMatrix::Producto(a, inv);
    long double peor = 0;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) peor = std::max(peor, CModulo(CResta(p.Elemento(c, r), {c == r ? 1.0L : 0.0L, 0})));
    EXPECT_LT(peor, 1e-15L) << static_cast<double>(peor);
}

// A singular system asks after the job; the triangulation waits for a Yes.
TEST(OperacionesMatriz, SistemaSingularPregunta) {
    TMotoresMatriz motores;
    ResultadoMatriz ind = Operar({Resolver, false, "1 1 2/2 2 4", "", ""}, motores);
    EXPECT_EQ(ind.pregunta.rfind("Sistema compatible INDETERMINADO", 0), 0u);
    EXPECT_EQ(Texto(ind.tabla), "1 1 2/0 0 0");
    ResultadoMatriz inc = Operar({Resolver, false, "1 1 2/2 2 5", "", ""}, motores);
    EXPECT_EQ(inc.pregunta.rfind("Sistema INCOMPATIBLE", 0), 0u);
    EXPECT_EQ(Operar({Resolver, false, "1 1 3/1 -1 1", "", ""}, motores).pregunta, "");
}

// The eliminations' progress climbs to the end; cancelled at its first
// report, any operation ends cancelled without a result.
TEST(OperacionesMatriz, AvanceYCancelarEnElPrimerAvance) {
    TMotoresMatriz motores;
    ASSERT_FALSE(motores.Compilar(false, "m+n*10", {}));
    // Upper triangular n x columnas, its last `ceros` rows cleared.
    auto triangular = [](int n, int columnas, int ceros) {
        TTablaTextos t = TablaVacia(kMatrizA);
        t.Redimensionar(columnas + 1, n + 1);
        for (int f = 1; f <= n - ceros; ++f)
            for (int c = f; c <= columnas; ++c) t.SetCelda(c, f, std::to_string((c * 7 + f) % 5 + 1));
        return t;
    };
    const struct {
        AccionMatriz accion;
        bool complejo, completo;  // completo: run to the end first
        TTablaTextos tabla;
    } casos[] = {
        {Funcion, false, false, triangular(255, 255, 255)}, {Invertir, false, false, triangular(150, 150, 0)},
        {Triangular, false, true, triangular(30, 30, 0)},   {Determinante, false, true, triangular(30, 30, 0)},
        {Invertir, false, true, triangular(30, 30, 0)},     {Resolver, false, true, triangular(30, 31, 1)},
        {Triangular, true, true, triangular(30, 30, 0)},    {Resolver, true, true, triangular(30, 31, 0)},
    };
    for (const auto& caso : casos) {
        PeticionMatriz p;
        p.accion = caso.accion, p.complejo = caso.complejo, p.motores = &motores;
        p.tablas = {caso.tabla, TablaVacia(1), TablaVacia(2), TablaVacia(3)};
        const int nombre = static_cast<int>(caso.accion) * 2 + caso.complejo;
        std::vector<double> avance;
        TTrabajo t([&](double f, const std::string&) {
            avance.push_back(f);
            if (!caso.completo) t.Cancelar();
        });
        bool devolvio = false;  // a cancel raises, never returns a message
        const auto fin = EjecutarTrabajo([&](TTrabajo& j) { OperarMatriz(p, &j), devolvio = true; }, t);
        EXPECT_EQ(devolvio, caso.completo) << nombre;
        if (caso.completo) {
            EXPECT_EQ(fin.fin, FinTrabajo::Terminado) << nombre;
            EXPECT_TRUE(avance.size() > 2 && std::is_sorted(avance.begin(), avance.end()) && avance.back() >= 0.9) << nombre;
            continue;
        }
        EXPECT_EQ(fin.fin, FinTrabajo::Cancelado) << nombre;
        EXPECT_EQ(avance.size(), 1u) << nombre;
    }
}

using ArchivosMatriz = CarpetaTemporal;
TEST_F(ArchivosMatriz, ArchivosYPegadoDentroDe255) {
    for (int lineas : {255, 256}) {
        std::string s;
        for (int i = 0; i < lineas; ++i) s += "1\t2\r\n";
        Poner(dir_ / "ga.gri", s);
        CargaRejilla c = CargarRejillaMatriz(dir_ / "ga.gri");
        EXPECT_EQ(c.tabla.has_value(), lineas == 255);
        if (lineas == 256) EXPECT_EQ(c.error, "ga.gri: Las dimensiones de una matriz deben estar entre 1 y 255");
        else EXPECT_EQ(c.tabla->Filas(), 256);
    }
    EXPECT_FALSE(CargarRejillaMatriz(dir_ / "gb.gri").tabla);
    EXPECT_FALSE(CargarRejillaMatriz(dir_ / "gb.gri").error);

    TTablaTextos t = TablaVacia(kMatrizA);
    EXPECT_FALSE(PegarEnTabla("1\t2\n3\t4", t));
    EXPECT_EQ(Texto(t), "1 2/3 4");
    EXPECT_EQ(t.Celda(0, 0), "A");
    EXPECT_FALSE(PegarEnTabla("1\t2\t3\r\n4\r\n", t));
    EXPECT_EQ(Texto(t), "1 2 3/4  ");
    auto m = PegarEnTabla(std::string(256, '\n'), t);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->texto, kMensajeDimensiones);
    EXPECT_EQ(Texto(t), "1 2 3/4  ");
}

}  // namespace
}  // namespace numbrix
