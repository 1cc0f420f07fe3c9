#include "support/TablaTextos.h"

#include <system_error>

#include "support/basicos.h"
#include "CarpetaTemporal.h"

#include <gtest/gtest.h>

namespace numbrix {
namespace {

using Filas = std::vector<std::vector<std::string>>;

// A grid as the matrix window keeps it: letter in (0, 0), data from (1, 1).
TTablaTextos Matriz(const Filas& filas) {
    TTablaTextos t(int(filas.empty() ? 0 : filas[0].size()) + 1, int(filas.size()) + 1);
    t.SetCelda(0, 0, "A");
    for (std::size_t y = 0; y < filas.size(); ++y)
        for (std::size_t x = 0; x < filas[y].size(); ++x) t.SetCelda(int(x) + 1, int(y) + 1, filas[y][x]);
    return t;
}

Filas Datos(const TTablaTextos& t) {
    Filas filas;
    for (int y = 1; y < t.Filas(); ++y) {
        filas.emplace_back();
        for (int x = 1; x < t.Columnas(); ++x) filas.back().push_back(t.Celda(x, y));
    }
    return filas;
}

TEST(TablaTextos, CeldasFueraDeLaTablaSeLeenVaciasYNoSeEscriben) {
    TTablaTextos t(2, 2);
    t.SetCelda(1, 1, "x");
    t.SetCelda(2, 0, "fuera");
    t.SetCelda(-1, 0, "fuera");
    EXPECT_EQ(t.Celda(1, 1), "x");
    EXPECT_EQ(t.Celda(2, 0), "");
    EXPECT_EQ(t.Celda(0, -1), "");
    t.Redimensionar(1, 3);
    t.Redimensionar(2, 3);
    EXPECT_EQ(t.Celda(1, 1), "");  // dropped cells do not come back
}

TEST(TablaTextos, TextoSinCeldasFijasEIdaYVuelta) {
    TTablaTextos t = Matriz({{"1", "2|3", "-4"}, {"", "5", ""}});
    t.SetCelda(2, 0, "b");  // fixed cells never reach the text
    t.SetCelda(0, 1, "1");
    EXPECT_EQ(t.TextoGrid(), "1\t2|3\t-4\r\n\t5\t\r\n");
    EXPECT_EQ(TTablaTextos(1, 1).TextoGrid(), "");
    EXPECT_EQ(TTablaTextos(1, 3).TextoGrid(), "\r\n\r\n");
    const Filas datos = {{"1|2", "2-3i", ""}, {"", "", ""}, {"ñ", "7", "8.5"}};
    TTablaTextos u;
    ASSERT_TRUE(u.LeerTextoGrid(Matriz(datos).TextoGrid()));
    EXPECT_EQ(u.Columnas(), 4);
    EXPECT_EQ(u.Filas(), 4);
    EXPECT_EQ(Datos(u), datos);
    EXPECT_EQ(LineasDeTexto("a\r\nb\rc\nd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(LineasDeTexto("\r\n"), (std::vector<std::string_view>{""}));
    EXPECT_EQ(LineasDeTexto("\n\r"), (std::vector<std::string_view>{"", ""}));
    EXPECT_TRUE(LineasDeTexto("").empty());
}

TEST(TablaTextos, LecturaDelFormatoDeLaRejilla) {
    struct Caso { const char* nombre; std::string texto; int columnas, filas; Filas datos; };
    const Caso casos[] = {
        {"vacío", "", 2, 2, {{""}}},          {"una celda", "7", 2, 2, {{"7"}}},
        {"LF solo", "1\t2\n3\t4\n", 3, 3, {{"1", "2"}, {"3", "4"}}}, {"CR solo", "1\r2\r", 2, 3, {{"1"}, {"2"}}},
        {"filas desiguales", "a\tb\tc\r\nd", 4, 3, {{"a", "b", "c"}, {"d", "", ""}}},
        {"línea vacía en medio", "1\r\n\r\n2\r\n", 2, 4, {{"1"}, {""}, {"2"}}},
        {"sin salto final", "1\t2", 3, 2, {{"1", "2"}}}, {"tabulador final", "1\t\r\n", 3, 2, {{"1", ""}}},
    };
    for (const auto& c : casos) {
        TTablaTextos t;
        ASSERT_TRUE(t.LeerTextoGrid(c.texto)) << c.nombre;
        EXPECT_EQ(t.Columnas(), c.columnas) << c.nombre;
        EXPECT_EQ(t.Filas(), c.filas) << c.nombre;
        EXPECT_EQ(Datos(t), c.datos) << c.nombre;
    }
    // The fixed cells stay, the others take the text or become empty.
    TTablaTextos t = Matriz({{"9", "9", "9"}, {"9", "9", "9"}, {"9", "9", "9"}});
    t.SetCelda(0, 1, "fila 1");
    ASSERT_TRUE(t.LeerTextoGrid("1\t2\r\n3\r\n"));
    EXPECT_EQ(t.Celda(0, 0), "A");
    EXPECT_EQ(t.Celda(0, 1), "fila 1");
    EXPECT_EQ(Datos(t), (Filas{{"1", "2"}, {"3", ""}}));
}

TEST(TablaTextos, UnTextoDeDemasiadasCeldasSeRechazaSinTocarLaTabla) {
    TTablaTextos t = Matriz({{"1", "2"}});
    for (const std::string& texto :
         {std::string(2'000'000, '\t'), std::string(600'000, '\n'), std::string(1000, '\t') + std::string(1000, '\n')}) {
        std::string error;
        EXPECT_FALSE(t.LeerTextoGrid(texto, &error));
        EXPECT_EQ(error, "La tabla tiene demasiadas celdas");
    }
    EXPECT_EQ(Datos(t), (Filas{{"1", "2"}}));
}

TEST(TablaTextos, BorrarFilaSubeLasDeAbajoYMantieneLaSeleccion) {
    struct Caso { int fila, seleccion; bool borra; Filas datos; int seleccionFinal; };
    const Caso casos[] = {
        {2, 2, true, {{"a"}, {"c"}, {"d"}}, 2},         {1, 4, true, {{"b"}, {"c"}, {"d"}}, 3},
        {4, 4, true, {{"a"}, {"b"}, {"c"}}, 3},  // last row selected: kept in range
        {3, 1, true, {{"a"}, {"b"}, {"d"}}, 1},         {0, 1, false, {{"a"}, {"b"}, {"c"}, {"d"}}, 1},  // fixed row
        {5, 1, false, {{"a"}, {"b"}, {"c"}, {"d"}}, 1}, {-1, 1, false, {{"a"}, {"b"}, {"c"}, {"d"}}, 1},
    };
    for (const auto& c : casos) {
        TTablaTextos t = Matriz({{"a"}, {"b"}, {"c"}, {"d"}});
        int sel = c.seleccion;
        EXPECT_EQ(t.BorrarFila(c.fila, 1, sel), c.borra) << c.fila;
        EXPECT_EQ(Datos(t), c.datos) << c.fila;
        EXPECT_EQ(sel, c.seleccionFinal) << c.fila;
        EXPECT_EQ(t.Celda(0, 0), "A");
    }
    // the last row that is not fixed is never deleted
    TTablaTextos una = Matriz({{"x", "y"}});
    int sel = 1;
    EXPECT_FALSE(una.BorrarFila(1, 1, sel));
    EXPECT_EQ(una.Filas(), 2);
    // without fixed rows down to one row
    TTablaTextos libre(1, 2);
    EXPECT_TRUE(libre.BorrarFila(1, 0, sel));
    EXPECT_EQ(sel, 0);
    EXPECT_FALSE(libre.BorrarFila(0, 0, sel));
}

class TablaTextosArchivo : public CarpetaTemporal {};

TEST_F(TablaTextosArchivo, IdaYVueltaConCrLfLatin1YFallos) {
    const TTablaTextos t = Matriz({{"1", "2", "3"}, {"4", "", "6|7"}});
    const auto ruta = dir_ / "ga.gri";
    std::string error;
    ASSERT_TRUE(t.Guardar(ruta, &error)) << error;
    EXPECT_EQ(Leer(ruta), "1\t2\t3\r\n4\t\t6|7\r\n");
    TTablaTextos u = Matriz({{"5"}});
    ASSERT_TRUE(u.Cargar(ruta, &error)) << error;
    EXPECT_EQ(Datos(u), Datos(t));
    Poner(dir_ / "l1.gri", "a\xf1o\t1\r\n");
    ASSERT_TRUE(u.Cargar(dir_ / "l1.gri"));
    EXPECT_EQ(u.Celda(1, 1), "año");
    // A file that cannot be read or written leaves the table as it was.
    EXPECT_FALSE(u.Cargar(dir_ / "no_existe.gri", &error));
    EXPECT_EQ(error, TextoErrorSistema(ENOENT));
    EXPECT_EQ(u.Celda(1, 1), "año");
    const auto sinCarpeta = dir_ / "no_existe" / "x.gri";
    EXPECT_FALSE(u.Guardar(sinCarpeta, &error));
    EXPECT_EQ(error, "No se pudo escribir el archivo «" + sinCarpeta.string() + "»: no se pudo crear el archivo temporal (" +
                         TextoErrorSistema(ENOENT) + "). El archivo anterior no se ha modificado.");
}

}  // namespace
}  // namespace numbrix
