#include "shell/Historial.h"

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "support/EscrituraAtomica.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;
using Lista = std::vector<std::string>;

// The entries as one text, newest first.
std::string Entradas(const THistorial& h) {
    std::string t;
    for (const auto& e : h.Entradas()) t += (t.empty() ? "" : " ") + e;
    return t;
}

TEST(Historial, Agregar) {
    const std::tuple<int, Lista, const char*> casos[] = {
        {50, {"a", "b", "c"}, "c b a"},            // new ones on top
        {50, {"1+1", "1+1"}, "1+1"},               // the same twice is kept once
        {50, {"a", "b", "c", "d", "b"}, "b c d a"}, // an older one swaps places with the first
        {50, {"a", "b", "a"}, "a b"},
        {2, {"a", "b", "c"}, "c b"},                // cut from the end
        {50, {"a", "", "b"}, "b a"},                // an empty one never enters
        {50, {"Sen(1)", "sen(1)"}, "sen(1) Sen(1)"},
        {0, {"a", "b"}, "b"},                       // at least one
    };
    for (const auto& [maxLista, agregadas, esperado] : casos) {
        THistorial h(maxLista);
        for (const auto& e : agregadas) h.Agregar(e);
        EXPECT_EQ(Entradas(h), esperado);
    }
    THistorial h;
    for (const char* e : {"a", "b", "c", "d"}) h.Agregar(e);
    h.SetMaxLista(2);
    EXPECT_EQ(Entradas(h), "d c");
    h.SetMaxLista(-5);
    EXPECT_EQ(h.MaxLista(), 1);
    EXPECT_EQ(Entradas(h), "d");
}

class HistorialArchivoTest : public CarpetaTemporal {
protected:
    fs::path Lst() const { return dir_ / THistorial::NombreArchivo; }
};

TEST_F(HistorialArchivoTest, LecturasDeArchivo) {
    const std::tuple<std::string, int, const char*> casos[] = {
        {"a\nb\nc\n", 50, "a b c"}, {"a\r\nb\r\nc", 50, "a b c"}, {"a\rb\r", 50, "a b"},
        {"a\n\nb\r\n\r\na\nc\n", 50, "a b c"},  // empty and repeated lines go
        {"\xEF\xBB\xBFsen(\xCF\x80)\n", 50, "sen(π)"}, {"1\n2\n3\n4\n", 3, "1 2 3"},
    };
    for (const auto& [bytes, maxLista, esperado] : casos) {
        Poner(Lst(), bytes);
        THistorial h(maxLista);
        h.Agregar("antes");  // a load replaces what was there
        EXPECT_TRUE(h.Cargar(Lst()).empty()) << esperado;
        EXPECT_EQ(Entradas(h), esperado);
    }
    std::filesystem::remove(Lst());
    THistorial h;
    h.Agregar("x");
    EXPECT_TRUE(h.Cargar(Lst()).empty());  // no file: empty
    EXPECT_EQ(h.Cantidad(), 0u);
}

TEST_F(HistorialArchivoTest, LineasDanadasSeInformanYSeGuardaCopia) {
    const struct {
        const char* nombre;
        std::string bytes;
        Lista esperado;
        std::size_t problemas;  // report lines besides the one about the copy
    } casos[] = {
        // Decided per line: the valid UTF-8 "ñ" stays as it is.
        {"Latin1", "ra\xEDz(2)\n\xC3\xB1+1\n", {"raíz(2)", "ñ+1"}, 1},
        {"Nulos", std::string("1+1\n2\0+2\n3+3\n", 13), {"1+1", "3+3"}, 1},
        {"Basura", "1+1\n\x01\x02\xFF\xFE\x7F\x1B[0m\n\x7F\n3+3\n", {"1+1", "3+3"}, 2},
        {"Linea de 3 MB", "1+1\n" + std::string(3 << 20, '1') + "\n3+3\n", {"1+1", "3+3"}, 1},
    };
    for (const auto& c : casos) {
        Poner(Lst(), c.bytes);
        std::filesystem::remove(dir_ / "expr.lst.bak");
        THistorial h;
        const auto informe = h.Cargar(Lst());
        EXPECT_EQ(h.Entradas(), c.esperado) << c.nombre;
        ASSERT_EQ(informe.size(), c.problemas + 1) << c.nombre;
        EXPECT_EQ(informe[0].rfind("expr.lst, línea ", 0), 0u) << informe[0];
        EXPECT_NE(informe.back().find("expr.lst.bak"), std::string::npos) << c.nombre;
        h.Guardar(Lst());
        EXPECT_EQ(Leer(dir_ / "expr.lst.bak"), c.bytes) << c.nombre;
        EXPECT_TRUE(h.Cargar(Lst()).empty()) << c.nombre;
    }
    // A sound file is rewritten without a copy.
    std::filesystem::remove(dir_ / "expr.lst.bak");
    THistorial h;
    EXPECT_TRUE(h.Cargar(Lst()).empty());
    h.Guardar(Lst());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "expr.lst.bak"));
}

TEST_F(HistorialArchivoTest, ArchivoIlegibleSeInformaYQuedaVacio) {
    fs::create_directories(Lst());  // a folder where the file should be
    THistorial h;
    h.Agregar("x");
    const auto informe = h.Cargar(Lst());
    ASSERT_EQ(informe.size(), 1u);
    EXPECT_NE(informe[0].find("expr.lst"), std::string::npos);
    EXPECT_EQ(h.Cantidad(), 0u);
}

TEST_F(HistorialArchivoTest, GuardarYCargar) {
    THistorial h;
    for (const char* e : {"1+1", "sen(30)·2", "  x  ", "a_b"}) h.Agregar(e);
    h.Guardar(Lst());
    EXPECT_EQ(Leer(Lst()), "a_b\n  x  \nsen(30)·2\n1+1\n");
    THistorial r;
    EXPECT_TRUE(r.Cargar(Lst()).empty());
    EXPECT_EQ(r.Entradas(), h.Entradas());

    // An empty history is written too, so a cleared list stays cleared.
    THistorial().Guardar(Lst());
    EXPECT_EQ(Leer(Lst()), "");
    // Writing never breaks a line; a stray Latin-1 byte is taken as such.
    for (const char* e : {"1+\n2", "3\r+4", "ra\xEDz", "ñ"}) h.Agregar(e);
    h.Guardar(Lst());
    EXPECT_EQ(Leer(Lst()), "ñ\nraíz\n3 +4\n1+ 2\na_b\n  x  \nsen(30)·2\n1+1\n");
    EXPECT_THROW(h.Guardar(dir_ / "no-existe" / "expr.lst"), EEscritura);
}

}  // namespace
}  // namespace numbrix
