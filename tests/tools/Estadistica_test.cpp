#include "tools/Estadistica.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "Aproximado.h"
#include "Ayudas.h"

namespace numbrix {
namespace {

using prueba::Texto21;

TEstadistica Con(std::initializer_list<const char*> entradas) {
    TEstadistica e;
    for (const char* t : entradas) e.Agregar(t);
    return e;
}

std::string Medida(TEstadistica& e, const char* nombre) {
    for (const auto& m : e.Medidas())
        if (m.Nombre == nombre) return m.Valor;
    return "ausente";
}

long double Leido(const std::string& t) {
    const auto l = LeerNumero(t);
    EXPECT_FALSE(l.Error()) << t;
    return l.valor;
}

TEST(Estadistica, EntradasYTotales) {
    auto e = Con({"5*3", "7", "5"});
    EXPECT_EQ(e.N(), 5);
    ASSERT_EQ(e.Cantidad(), 2u);
    EXPECT_EQ(e.Fila(0).Frecuencia, 4);
    EXPECT_EQ(e.Suma(), 27);
    e.Agregar("5*-4");  // stays with frequency 0
    EXPECT_EQ(e.N(), 1);
    EXPECT_EQ(e.Cantidad(), 2u);
    e.Agregar("-0");  // the same record as 0 would be
    e.Agregar("0");
    EXPECT_EQ(e.Cantidad(), 3u);
}

TEST(Estadistica, EntradasRechazadasNoCambianNada) {
    const struct { const char* texto; const char* mensaje; } casos[] = {
        {"*3", "\"*\" no puede estar al principio"}, {"3*", "\"*\" no puede estar al final"},
        {"\t3", "Formato desconocido. No se puede pegar."}, {"4*-3", "n no puede ser menor que cero"},
        {"7*-2", "Ninguna frecuencia puede ser menor que cero"}, {"1e400", "Valor fuera de rango"},
        {"1*99999999999999999999", "Frecuencia fuera de rango"}, {"1.234.5", "'1.234.5' no es un valor real válido"},
    };
    for (const auto& c : casos) {
        auto e = Con({"1", "7"});
        const auto antes = e.CopiarTabla();
        EXPECT_EQ(prueba::MensajeLanzado([&] { e.Agregar(c.texto); }), c.mensaje) << c.texto;
        EXPECT_EQ(e.CopiarTabla(), antes) << c.texto;
    }
    auto e = Con({"1*9000000000000000000"});
    EXPECT_EQ(prueba::MensajeLanzado([&] { e.Agregar("2*9000000000000000000"); }), "Frecuencia fuera de rango");
    EXPECT_EQ(prueba::MensajeLanzado([&] { e.Agregar(std::string(400, '9')); }), "Valor fuera de rango");
}

TEST(Estadistica, PegarLeeLoEscritoTodoONada) {
    const struct {
        const char* texto;
        const char* tabla;  // records after the paste, or the message
    } casos[] = {
        {"1,5\r\n2\t3", "1.5\t1|2\t3|"}, {"1,5\n2\t3", "1.5\t1|2\t3|"}, {"1,5\r2\t3\r\n", "1.5\t1|2\t3|"},
        {"1E5\n2.5E+3\n5*3\nx = 7 €", "100000\t1|2500\t1|5\t3|7\t1|"}, {"Dato\tFrecuencia\n\n-\n4", "4\t1|"},
        {"3\n1.234,5", "'1.234.5' no es un valor real válido"}, {"3\n3*-1\n3*-1", "n no puede ser menor que cero"},
        {"3\n5\n3*-2", "Ninguna frecuencia puede ser menor que cero"},
    };
    for (const auto& c : casos) {
        TEstadistica e;
        std::string r;
        try {
            e.Pegar(c.texto);
            for (std::size_t i = 0; i < e.Cantidad(); ++i)
                r += Texto21(e.Fila(i).Valor).substr(0, 6) + "\t" + std::to_string(e.Fila(i).Frecuencia) + "|";
        } catch (const ENumbrix& x) {
            r = x.what();
            EXPECT_EQ(e.Cantidad(), 0u) << c.texto;
        }
        EXPECT_EQ(r, c.tabla) << c.texto;
    }
}

TEST(Estadistica, CopiarTablaYPegarDevuelvenLosMismosBits) {
    TEstadistica e;
    const double valores[] = {0.1, 1.0 / 3, 1e-300, 3.14159265};
    for (double v : valores) {
        char b[64];
        std::snprintf(b, sizeof b, "%.17g*2", v);
        std::string t = b;
        for (char& c : t)
            if (c == ',') c = '.';
        e.Agregar(t);
    }
    const std::string copia = e.CopiarTabla();
    EXPECT_EQ(copia.substr(0, copia.find("\r\n", 29)), "Dato\tFrecuencia\tF.Relativa\r\n0.1\t2\t0.250000");
    TEstadistica f;
    EXPECT_EQ(f.Pegar(copia), 4u);
    ASSERT_EQ(f.Cantidad(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::memcmp(&f.Fila(i).Valor, &valores[i], sizeof(double)), 0) << Texto21(valores[i]);
        EXPECT_EQ(f.Fila(i).Frecuencia, 2);
    }
}

TEST(Estadistica, ReferenciaPython) {
    auto e = Con({"2.5*3", "4", "7*2", "10", "12.25*4"});
    const auto m = e.Medidas();
    ASSERT_EQ(m.size(), 21u);
    EXPECT_EQ(m[1].Valor, "5");
    EXPECT_EQ(m[5].Valor, "12.25");                                   // Moda
    EXPECT_EQ(m[7].Valor + " " + m[8].Valor + " " + m[9].Valor, "3.25 7 12.25");  // k = 3, walk, k = 8
    const struct {
        std::size_t fila;
        long double valor;
    } ref[] = {{4, 7.681818181818182L},   {12, 18.388636363636362L}, {13, 4.288197332637149L},
               {14, 16.71694214876033L},  {15, 4.088635731972259L},  {16, 0.5322484384815959L},
               {17, 3.7438016528925617L}, {18, 8.702141847112856L},  {19, 5.087305332704106L},
               {20, 6.360788425756293L}};
    for (const auto& r : ref) EXPECT_CERCA_REL(Leido(m[r.fila].Valor), r.valor, 1e-12L) << m[r.fila].Nombre;
    EXPECT_LT(e.Fila(0).Valor, e.Fila(1).Valor);  // value order afterwards
}

TEST(Estadistica, BordesYDivisionesPorCero) {
    const struct { std::initializer_list<const char*> datos; const char* nombre; const char* valor; } casos[] = {
        {{"1", "2", "3", "4"}, "   Mediana   (50%)", "2.5"}, {{"1", "2", "3", "4"}, "   Cuartil 1 (25%)", "1.5"},
        {{"1", "2", "3", "4"}, "   Cuartil 3 (75%)", "3.5"}, {{"1", "2", "3", "4"}, "Varianza Población", "1.25"},
        {{"1", "2", "3", "4"}, "Moda", "N/D"}, {{"1", "0", "3"}, "Media Armónica", "N/D"},
        {{"1", "-1"}, "Media Armónica", "N/D"}, {{"1", "-1"}, "Coeficiente de Variación", "N/D"},
        {{"-2", "8"}, "Media Geométrica", "N/D"}, {{"0", "8"}, "Media Geométrica", "0"},
        {{"1.2*0", "1", "2"}, "   Mediana   (50%)", "1.5"}, {{"0.5*0", "1", "2"}, "   Cuartil 1 (25%)", "1"},
        {{"5", "6*0"}, "Varianza", "N/D"}, {{"5", "6*0"}, "   Máximo", "6"},
        {{"1000000001", "1000000002", "1000000003"}, "Varianza", "1"},
    };
    for (const auto& c : casos) {
        auto e = Con(c.datos);
        EXPECT_EQ(Medida(e, c.nombre), c.valor) << c.nombre << " " << *c.datos.begin();
    }
    auto h = Con({"1e200", "-1e200*2", "3e200"});  // Σ² past the double range
    for (const auto& m : h.Medidas()) {
        if (m.Valor != "N/D") { EXPECT_TRUE(std::isfinite(Leido(m.Valor))) << m.Nombre; }
    }
    EXPECT_CERCA_REL(Leido(Medida(h, "RMC")), std::sqrt(3.0L) * 1e200L, 1e-14L);
    EXPECT_CERCA_REL(Leido(Medida(h, " Desv. Estandar")), std::sqrt(11.0L / 3) * 1e200L, 1e-14L);
    auto e = Con({"5", "5*-1", "7*0"});
    EXPECT_EQ(e.Suma(), 0);
    EXPECT_EQ(e.TextoMedia(), "N/D");
    EXPECT_EQ(e.TextoRelativa(0), "N/D");
    EXPECT_TRUE(e.Medidas().empty());
    auto g = Con({"1", "2", "2*-1"});  // n = 1, two records: no curve
    (void)g.Medidas();
    EXPECT_FALSE(g.Grafico().HayCurva);
    EXPECT_LT(g.Grafico().Minimo, g.Grafico().Maximo);
}

TEST(Estadistica, BorrarMantieneFilasYRegistros) {
    auto e = Con({"1", "2*0", "3", "4*0", "5"});
    e.BorrarPunto(2);  // 3: every zero-frequency record goes with it
    ASSERT_EQ(e.Cantidad(), 2u);
    EXPECT_EQ(e.Fila(0).Valor, 1);
    EXPECT_EQ(e.Fila(1).Valor, 5);
    EXPECT_EQ(e.N(), 2);
    e.Agregar("2");
    EXPECT_EQ(e.Cantidad(), 3u);
    e.Ordenar(1);  // frequency, ascending, then descending
    e.Ordenar(0);
    EXPECT_EQ(e.Fila(0).Valor, 5);
}

TEST(Estadistica, Grafico) {
    auto e = Con({"0", "10*4", "20"});
    (void)e.Medidas();
    const auto& g = e.Grafico();
    const auto w = g.VentanaMundo(126, 66);  // 100 × 40 pixels inside
    EXPECT_DOUBLE_EQ(w.Izquierda, -2.6);
    EXPECT_DOUBLE_EQ(w.Derecha, 22.6);
    EXPECT_DOUBLE_EQ(w.Arriba, 4 + 1.3);
    EXPECT_DOUBLE_EQ(g.Curva(10), 4);
    EXPECT_EQ(g.TextoPuntero(-5, 2.6), "x = 0.00  f = 3");
    EXPECT_EQ(g.TextoPuntero(12.345, 99), "x = 12.35  f = 4");
}

}  // namespace
}  // namespace numbrix
