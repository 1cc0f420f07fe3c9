#include "shell/ListaResultados.h"

#include <cfloat>
#include <sstream>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "engine/bases2_36.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

// The total's state as one text: "total guardado cuenta cuentaGuardada"
// followed by "deshacer" when one addition can be taken back.
std::string Estado(const TListaResultados& l) {
    std::ostringstream o;
    o.imbue(std::locale::classic());
    o << static_cast<double>(l.Total()) << " " << static_cast<double>(l.TotalGuardado()) << " " << l.Cuenta() << " "
      << l.CuentaGuardada() << (l.PuedeDeshacer() ? " deshacer" : "");
    return o.str();
}

void Sumar(TListaResultados& l, long double v) { l.Registrar("x", "x", "", 0, v, true); }

// Runs steps such as «+5 +3 d c»: add a value, undo (d), total to zero (c).
TListaResultados& Pasos(TListaResultados& l, const std::string& pasos) {
    std::istringstream in(pasos);
    for (std::string p; in >> p;) {
        if (p == "d") l.Deshacer();
        else if (p == "c") l.TotalACero();
        else Sumar(l, LeerNumero(p).valor);
    }
    return l;
}

// ------------------------------------------------------------ recording ----

TEST(ListaResultados, RegistrarPoneElParArribaConLaNota) {
    TListaResultados l;
    l.Registrar("1+1", "2", "", 0, 2, true);
    auto r = l.Registrar("a+a", "4", "{a=2} ", 1, 4, true);
    EXPECT_EQ(l.Filas(), (std::deque<FilaLista>{{"a+a", 0}, {"4   {a=2} ", 1}, {"1+1", 0}, {"2   ", 0}}));
    EXPECT_TRUE(r.Sumado);
    EXPECT_EQ(Estado(l), "6 2 2 1 deshacer");
    // A truth value is listed but adds nothing; an angle out of range is kept as 0.
    r = l.Registrar("3>2", "Verdadero", "", 9, 0.73L, false);
    EXPECT_FALSE(r.Sumado || l.QuitarAdicion(r));
    EXPECT_EQ(l.Filas()[1].Etiqueta, 0);
    EXPECT_EQ(Estado(l), "6 2 2 1 deshacer");
    // A sum that would overflow is not made.
    TListaResultados m;
    Sumar(m, LDBL_MAX);
    r = m.Registrar("2*x", "y", "", 0, LDBL_MAX, true);
    EXPECT_TRUE(r.Desbordado && !r.Sumado);
    EXPECT_EQ(m.Total(), LDBL_MAX);
    EXPECT_EQ(m.NumFilas(), 4u);
}

// ---------------------------------------------------------------- total ----

TEST(ListaResultados, Total) {
    const std::pair<const char*, const char*> casos[] = {
        {"+5 +3 d", "5 5 1 1"},   {"+5 +3 d d", "5 5 1 1"},  {"+5 +3 c", "0 8 0 2 deshacer"},
        {"+5 +3 c d", "8 8 2 2"},  // the count comes back with the total, not as 0 - 1
        {"+5 c +2 d", "0 0 0 0"}, {"+0", "0 0 1 0"},       {"+2 -2", "0 2 2 1 deshacer"},
    };
    for (const auto& [pasos, estado] : casos) {
        TListaResultados l;
        EXPECT_EQ(Estado(Pasos(l, pasos)), estado) << pasos;
    }
}

// A re-evaluation after a change of angle or base records again and takes
// exactly that addition back, whatever the result and the previous state.
TEST(ListaResultados, QuitarAdicionDejaTodoComoAntes) {
    const std::pair<const char*, long double> casos[] = {
        {"", 0.5L}, {"", 0}, {"+4 +6", 0.5L}, {"+4 +6", 0}, {"+4 c", 7}, {"+4 c", 0}, {"+4 +1 d", -3}, {"+4", -4},
    };
    for (const auto& [pasos, valor] : casos) {
        TListaResultados l;
        const std::string antes = Estado(Pasos(l, pasos));
        const std::size_t filas = l.NumFilas();
        auto r = l.Registrar("sen(30)", "0.5", "", 1, valor, true);
        EXPECT_TRUE(l.QuitarAdicion(r)) << pasos;
        EXPECT_EQ(Estado(l), antes) << pasos;
        EXPECT_EQ(l.NumFilas(), filas + 2);  // the rows stay
        EXPECT_FALSE(l.QuitarAdicion(r));    // only once
    }
    TListaResultados l;  // nor does it undo later changes
    auto r = l.Registrar("1", "1", "", 0, 1, true);
    Sumar(l, 2);
    EXPECT_FALSE(l.QuitarAdicion(r));
    EXPECT_EQ(Estado(l), "3 1 2 1 deshacer");
}

// ------------------------------------------------------------ commands ----

TListaResultados Ejemplo() {
    TListaResultados l;
    l.Registrar("1+1", "2", "", 0, 2, true);
    l.Registrar("a+a {doble}", "4", "{a=2} ", 1, 4, true);
    l.Registrar("  b*3 ", "FF [16]", "{b=85} ", 2, 255, true);
    return l;
}

TEST(ListaResultados, AsignarCopiarYEliminar) {
    TListaResultados l = Ejemplo();
    // An expression trimmed, a result without its note, braces in an
    // expression kept (a comment), nothing out of range.
    const std::pair<std::size_t, const char*> casos[] = {{0, "b*3"}, {1, "FF [16]"}, {2, "a+a {doble}"},
                                                         {3, "4"},   {5, "2"},       {6, ""}};
    for (const auto& [fila, esperado] : casos) EXPECT_EQ(l.TextoParaAsignar(fila), esperado) << fila;
    TListaResultados corta;
    corta.Registrar("x", "", "{x=1} ", 0, 1, true);  // no result text before the note
    EXPECT_EQ(corta.TextoParaAsignar(1), "{x=1}");
    EXPECT_EQ(l.Copiar(3) + "|" + l.Copiar(0) + "|" + l.Copiar(99), "4   {a=2} |  b*3 |");
    EXPECT_EQ(l.CopiarResultados(), "FF [16]   {b=85} \n4   {a=2} \n2   \n");
    EXPECT_EQ(l.CopiarTodo(), "  b*3 \tFF [16]   {b=85} \na+a {doble}\t4   {a=2} \n1+1\t2   \n");
    EXPECT_EQ(TListaResultados().CopiarTodo(), "");
    for (std::size_t fila : {2u, 3u}) {  // either row of a pair
        TListaResultados m = Ejemplo();
        EXPECT_TRUE(m.EliminarPar(fila));
        ASSERT_EQ(m.NumFilas(), 4u);
        EXPECT_EQ(m.Filas()[0].Texto + m.Filas()[2].Texto, "  b*3 1+1");
        EXPECT_EQ(m.Total(), 261);  // the total is not the list's rows
    }
    EXPECT_FALSE(l.EliminarPar(6));
    l.Limpiar();
    EXPECT_TRUE(l.Vacia());
    EXPECT_EQ(l.Total(), 261);
}

// ---------------------------------------------------------- persistence ----

class ListaArchivoTest : public CarpetaTemporal {
protected:
    // Save, write the file, reopen it in a fresh instance and load.
    TListaResultados IdaYVuelta(const TListaResultados& l, int maxList, std::vector<std::string>* informe = nullptr) {
        {
            TVelIniFile f(Ini());
            l.Guardar(f, maxList);
            f.UpdateFile();
        }
        TVelIniFile g(Ini());
        TListaResultados r;
        auto inf = r.Cargar(g);
        if (informe) *informe = inf;
        return r;
    }
    fs::path Ini() const { return dir_ / "numbrix.ini"; }
};

TEST_F(ListaArchivoTest, FilasConGuionBajoBlancosYSaltosDeLinea) {
    TListaResultados l;
    const std::vector<std::pair<std::string, std::string>> pares = {
        {"a_b + x_1", "3   {x_1=2} "}, {"_", "_5"},    {"f_2_3", "7_"},
        {"3_", "0.5   "},             {"sen(π)·ñ", "0"}, {"  blancos  ", "x__0"},
    };
    int angulo = 0;
    for (const auto& [e, r] : pares) l.Registrar(e, r, "", angulo++ % 6, 1, true);
    std::vector<std::string> informe;
    EXPECT_EQ(IdaYVuelta(l, 50, &informe).Filas(), l.Filas());
    EXPECT_TRUE(informe.empty());
    EXPECT_NE(Leer(Ini()).find("0=  blancos  _0\r\n1=x__0   _5\r\n"), std::string::npos);
    // Line breaks become blanks, a NUL too, and a stray Latin-1 byte is read as such.
    l.Registrar("1+\r\n2", "3", "", 0, 3, true);
    l.Registrar(std::string("a\0b", 3), "\xE1", "", 0, 3, true);
    const TListaResultados r = IdaYVuelta(l, 50);
    EXPECT_EQ(r.Filas()[0].Texto + "|" + r.Filas()[1].Texto + "|" + r.Filas()[2].Texto, "a b|á   |1+  2");
}

TEST_F(ListaArchivoTest, SoloParesEnterosHastaMaxListMasUno) {
    TListaResultados l;
    for (int i = 1; i <= 5; ++i) l.Registrar(std::to_string(i) + "*1", std::to_string(i), "", 0, i, true);
    const struct {
        int maxList;
        std::size_t filas;
    } casos[] = {{0, 0}, {1, 2}, {2, 2}, {3, 4}, {4, 4}, {9, 10}, {50, 10}, {-3, 0}};
    for (const auto& c : casos) {
        const TListaResultados r = IdaYVuelta(l, c.maxList);
        ASSERT_EQ(r.NumFilas(), c.filas) << c.maxList;
        for (std::size_t i = 0; i < c.filas; ++i) EXPECT_EQ(r.Filas()[i], l.Filas()[i]);
        EXPECT_EQ(TVelIniFile(Ini()).ReadSection("Calculos").size(), c.filas) << c.maxList;
    }
}

TEST_F(ListaArchivoTest, ArchivoAntiguo) {
    // As older versions wrote it with MaxList = 2: three rows, the last an
    // expression cut from its result; tags in their old form.
    Poner(Ini(), "[Calculos]\r\n0=a+a_0\r\n1=4   {a=2} _1\r\n2=1+1_0\r\n");
    TVelIniFile f(Ini());
    TListaResultados l;
    const auto informe = l.Cargar(f);
    ASSERT_EQ(informe.size(), 1u);  // the dropped row is said, as it will not be written back
    EXPECT_EQ(informe[0], "Lista de resultados, clave «2»: expresión sin su resultado; se omite.");
    ASSERT_EQ(l.NumFilas(), 2u);
    EXPECT_EQ(l.Filas()[0], (FilaLista{"a+a", 0}));
    EXPECT_EQ(l.Filas()[1], (FilaLista{"4   {a=2} ", 1}));
    EXPECT_EQ(l.TextoParaAsignar(1), "4");
}

TEST_F(ListaArchivoTest, EtiquetasMalasDanCeroYSeInforman) {
    Poner(Ini(),
          "[Calculos]\r\n0=x_0\r\n1=4_9\r\n2=y_0\r\n3=5_x\r\n4=z_0\r\n5=6\r\n6=w_0\r\n7=7_99999999999999999999\r\n"
          "sin igual_2\r\n9=8_-1\r\n");
    TVelIniFile f(Ini());
    TListaResultados l;
    const auto informe = l.Cargar(f);
    ASSERT_EQ(l.NumFilas(), 10u);
    const FilaLista esperadas[] = {{"x", 0},   {"4", 0}, {"y", 0}, {"5_x", 0}, {"z", 0},
                                   {"6", 0},   {"w", 0}, {"7", 0}, {"sin igual", 2}, {"8_-1", 0}};
    for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(l.Filas()[i], esperadas[i]) << i;
    ASSERT_EQ(informe.size(), 5u);
    EXPECT_NE(informe[0].find("«9»"), std::string::npos);
    EXPECT_NE(informe[1].find("falta la unidad de ángulo"), std::string::npos);
}

TEST_F(ListaArchivoTest, GuardarReemplazaLaSeccionEnMemoria) {
    Poner(Ini(), "[Opciones]\r\nMaxList=50\r\n\r\n[Calculos]\r\n0=viejo_0\r\n1=1_0\r\n2=otro_0\r\n3=2_0\r\n\r\n");
    const std::string antes = Leer(Ini());
    TVelIniFile f(Ini());
    TListaResultados l;
    l.Registrar("nuevo", "3", "", 0, 3, true);
    l.Guardar(f, 50);
    EXPECT_EQ(Leer(Ini()), antes);  // nothing written until UpdateFile
    EXPECT_EQ(f.ReadSectionValues("Calculos"), (std::vector<std::string>{"0=nuevo_0", "1=3   _0"}));
    f.UpdateFile();
    EXPECT_EQ(Leer(Ini()), "[Opciones]\r\nMaxList=50\r\n\r\n[Calculos]\r\n0=nuevo_0\r\n1=3   _0\r\n\r\n");

    // The same list again changes nothing.
    l.Guardar(f, 50);
    EXPECT_FALSE(f.Modified());
    // An empty list leaves no section behind.
    TListaResultados().Guardar(f, 50);
    f.UpdateFile();
    EXPECT_EQ(Leer(Ini()), "[Opciones]\r\nMaxList=50\r\n\r\n");
}

}  // namespace
}  // namespace numbrix
