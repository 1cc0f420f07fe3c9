#include "shell/ListaResultados.h"

#include <cfloat>
#include <functional>

#include <ostream>

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

namespace fs = std::filesystem;

struct Estado {
    long double total, guardado;
    int cuenta, cuentaGuardada;
    bool deshacer;
    bool operator==(const Estado&) const = default;
};

Estado EstadoDe(const TListaResultados& l) {
    return {l.Total(), l.TotalGuardado(), l.Cuenta(), l.CuentaGuardada(), l.PuedeDeshacer()};
}

void Sumar(TListaResultados& l, long double v) { l.Registrar("x", "x", "", 0, v, true); }

// ------------------------------------------------------------ recording ----

TEST(ListaResultados, RegistrarPoneElParArribaConLaNota) {
    TListaResultados l;
    l.Registrar("1+1", "2", "", 0, 2, true);
    auto r = l.Registrar("a+a", "4", "{a=2} ", 1, 4, true);
    ASSERT_EQ(l.NumFilas(), 4u);
    EXPECT_EQ(l.Filas()[0], (FilaLista{"a+a", 0}));
    EXPECT_EQ(l.Filas()[1], (FilaLista{"4   {a=2} ", 1}));
    EXPECT_EQ(l.Filas()[2], (FilaLista{"1+1", 0}));
    EXPECT_EQ(l.Filas()[3], (FilaLista{"2   ", 0}));
    EXPECT_TRUE(r.Sumado);
    EXPECT_EQ(EstadoDe(l), (Estado{6, 2, 2, 1, true}));
}

TEST(ListaResultados, ValorDeVerdadSeAnotaPeroNoSuma) {
    TListaResultados l;
    Sumar(l, 5);
    const Estado antes = EstadoDe(l);
    auto r = l.Registrar("3>2", "Verdadero", "", 0, 0.73L, false);
    EXPECT_FALSE(r.Sumado);
    EXPECT_EQ(l.NumFilas(), 4u);
    EXPECT_EQ(EstadoDe(l), antes);
    EXPECT_FALSE(l.QuitarAdicion(r));
}

TEST(ListaResultados, EtiquetaFueraDeRangoSeGuardaComoCero) {
    TListaResultados l;
    l.Registrar("1", "1", "", 9, 1, true);
    l.Registrar("1", "1", "", 5, 1, true);
    EXPECT_EQ(l.Filas()[1].Etiqueta, 5);
    EXPECT_EQ(l.Filas()[3].Etiqueta, 0);
}

TEST(ListaResultados, SumaQueDesbordaNoSeHace) {
    TListaResultados l;
    Sumar(l, LDBL_MAX);
    const Estado antes = EstadoDe(l);
    auto r = l.Registrar("2*x", "y", "", 0, LDBL_MAX, true);
    EXPECT_TRUE(r.Desbordado);
    EXPECT_FALSE(r.Sumado);
    EXPECT_EQ(EstadoDe(l), antes);
    EXPECT_EQ(l.NumFilas(), 4u);
}

// ---------------------------------------------------------------- total ----

struct CasoTotal {
    const char* nombre;
    std::function<void(TListaResultados&)> pasos;
    Estado esperado;
};
void PrintTo(const CasoTotal& c, std::ostream* os) { *os << c.nombre; }


class TotalTest : public ::testing::TestWithParam<CasoTotal> {};

TEST_P(TotalTest, Secuencia) {
    TListaResultados l;
    GetParam().pasos(l);
    EXPECT_EQ(EstadoDe(l), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    ListaResultados, TotalTest,
    ::testing::Values(
        CasoTotal{"DeshacerQuitaLaUltima",
                  [](auto& l) {
                      Sumar(l, 5);
                      Sumar(l, 3);
                      EXPECT_TRUE(l.Deshacer());
                  },
                  {5, 5, 1, 1, false}},
        CasoTotal{"DeshacerDosVecesNoQuitaMas",
                  [](auto& l) {
                      Sumar(l, 5);
                      Sumar(l, 3);
                      l.Deshacer();
                      EXPECT_FALSE(l.Deshacer());
                  },
                  {5, 5, 1, 1, false}},
        CasoTotal{"TotalACero", [](auto& l) {
                      Sumar(l, 5);
                      Sumar(l, 3);
                      l.TotalACero();
                  },
                  {0, 8, 0, 2, true}},
        // The count comes back with the total, not as 0 - 1.
        CasoTotal{"DeshacerTrasTotalACeroDevuelveLaCuenta",
                  [](auto& l) {
                      Sumar(l, 5);
                      Sumar(l, 3);
                      l.TotalACero();
                      EXPECT_TRUE(l.Deshacer());
                  },
                  {8, 8, 2, 2, false}},
        CasoTotal{"SumarTrasTotalACeroYDeshacer",
                  [](auto& l) {
                      Sumar(l, 5);
                      l.TotalACero();
                      Sumar(l, 2);
                      l.Deshacer();
                  },
                  {0, 0, 0, 0, false}},
        CasoTotal{"UnCeroCuentaPeroNoSeDeshace", [](auto& l) { Sumar(l, 0); }, {0, 0, 1, 0, false}},
        CasoTotal{"SumaQueVuelveACero",
                  [](auto& l) {
                      Sumar(l, 2);
                      Sumar(l, -2);
                  },
                  {0, 2, 2, 1, true}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A re-evaluation after a change of angle or base records again and takes
// exactly that addition back, whatever the result and the previous state.
struct CasoQuitar {
    const char* nombre;
    std::function<void(TListaResultados&)> previo;
    long double valor;
};
void PrintTo(const CasoQuitar& c, std::ostream* os) { *os << c.nombre; }


class QuitarAdicionTest : public ::testing::TestWithParam<CasoQuitar> {};

TEST_P(QuitarAdicionTest, DejaTodoComoAntes) {
    TListaResultados l;
    GetParam().previo(l);
    const Estado antes = EstadoDe(l);
    const std::size_t filas = l.NumFilas();
    auto r = l.Registrar("sen(30)", "0.5", "", 1, GetParam().valor, true);
    EXPECT_TRUE(l.QuitarAdicion(r));
    EXPECT_EQ(EstadoDe(l), antes);
    EXPECT_EQ(l.NumFilas(), filas + 2);  // the rows stay
    EXPECT_FALSE(l.QuitarAdicion(r));     // only once
    EXPECT_EQ(EstadoDe(l), antes);
}

INSTANTIATE_TEST_SUITE_P(
    ListaResultados, QuitarAdicionTest,
    ::testing::Values(CasoQuitar{"Vacia", [](auto&) {}, 0.5L}, CasoQuitar{"VaciaConCero", [](auto&) {}, 0},
                      CasoQuitar{"TrasSumas", [](auto& l) { Sumar(l, 4); Sumar(l, 6); }, 0.5L},
                      CasoQuitar{"TrasSumasConCero", [](auto& l) { Sumar(l, 4); Sumar(l, 6); }, 0},
                      CasoQuitar{"TrasTotalACero", [](auto& l) { Sumar(l, 4); l.TotalACero(); }, 7},
                      CasoQuitar{"TrasTotalACeroConCero", [](auto& l) { Sumar(l, 4); l.TotalACero(); }, 0},
                      CasoQuitar{"TrasDeshacer", [](auto& l) { Sumar(l, 4); Sumar(l, 1); l.Deshacer(); }, -3},
                      CasoQuitar{"Negativo", [](auto& l) { Sumar(l, 4); }, -4}),
    [](const auto& info) { return std::string(info.param.nombre); });

TEST(ListaResultados, QuitarAdicionNoDeshaceCambiosPosteriores) {
    TListaResultados l;
    auto r = l.Registrar("1", "1", "", 0, 1, true);
    Sumar(l, 2);
    EXPECT_FALSE(l.QuitarAdicion(r));
    EXPECT_EQ(l.Total(), 3);
    EXPECT_EQ(l.Cuenta(), 2);
}

// ------------------------------------------------------------ commands ----

TListaResultados Ejemplo() {
    TListaResultados l;
    l.Registrar("1+1", "2", "", 0, 2, true);
    l.Registrar("a+a {doble}", "4", "{a=2} ", 1, 4, true);
    l.Registrar("  b*3 ", "FF [16]", "{b=85} ", 2, 255, true);
    return l;
}

TEST(ListaResultados, TextoParaAsignar) {
    const TListaResultados l = Ejemplo();
    const struct {
        std::size_t fila;
        const char* esperado;
    } casos[] = {
        {0, "b*3"},                // an expression, trimmed
        {1, "FF [16]"},            // a result without its note
        {2, "a+a {doble}"},        // braces in an expression are a comment, kept
        {3, "4"},                  // "4   {a=2} "
        {5, "2"},                  // "2   ", no note
        {6, ""},                   // out of range
    };
    for (const auto& c : casos) EXPECT_EQ(l.TextoParaAsignar(c.fila), c.esperado) << c.fila;

    TListaResultados corta;
    corta.Registrar("x", "", "{x=1} ", 0, 1, true);  // no result text before the note
    EXPECT_EQ(corta.TextoParaAsignar(1), "{x=1}");
}

TEST(ListaResultados, Copiar) {
    const TListaResultados l = Ejemplo();
    EXPECT_EQ(l.Copiar(3), "4   {a=2} ");
    EXPECT_EQ(l.Copiar(0), "  b*3 ");
    EXPECT_EQ(l.Copiar(99), "");
    EXPECT_EQ(l.CopiarResultados(), "FF [16]   {b=85} \n4   {a=2} \n2   \n");
    EXPECT_EQ(l.CopiarTodo(), "  b*3 \tFF [16]   {b=85} \na+a {doble}\t4   {a=2} \n1+1\t2   \n");
    EXPECT_EQ(TListaResultados().CopiarTodo(), "");
}

TEST(ListaResultados, EliminarParQuitaLasDosFilas) {
    for (std::size_t fila : {2u, 3u}) {
        TListaResultados l = Ejemplo();
        const long double total = l.Total();
        EXPECT_TRUE(l.EliminarPar(fila));
        ASSERT_EQ(l.NumFilas(), 4u);
        EXPECT_EQ(l.Filas()[0].Texto, "  b*3 ");
        EXPECT_EQ(l.Filas()[2].Texto, "1+1");
        EXPECT_EQ(l.Total(), total);  // the total is not the list's rows
    }
    TListaResultados l = Ejemplo();
    EXPECT_FALSE(l.EliminarPar(6));
    EXPECT_EQ(l.NumFilas(), 6u);
    l.Limpiar();
    EXPECT_TRUE(l.Vacia());
    EXPECT_EQ(l.Total(), 261);
}

// ---------------------------------------------------------- persistence ----

class ListaArchivoTest : public CarpetaTemporal {
protected:
    void SetUp() override {
        CarpetaTemporal::SetUp();
        ini_ = dir_ / "numbrix.ini";
    }
    // Save, write the file, reopen it in a fresh instance and load.
    TListaResultados IdaYVuelta(const TListaResultados& l, int maxList, std::vector<std::string>* informe = nullptr) {
        {
            TVelIniFile f(ini_);
            l.Guardar(f, maxList);
            f.UpdateFile();
        }
        TVelIniFile g(ini_);
        TListaResultados r;
        auto inf = r.Cargar(g);
        if (informe) *informe = inf;
        return r;
    }
    fs::path ini_;
};

TEST_F(ListaArchivoTest, FilasConGuionBajoYBlancosVuelvenIguales) {
    TListaResultados l;
    const std::vector<std::pair<std::string, std::string>> pares = {
        {"a_b + x_1", "3   {x_1=2} "}, {"_", "_5"},    {"f_2_3", "7_"},
        {"3_", "0.5   "},             {"sen(π)·ñ", "0"}, {"  blancos  ", "x__0"},
    };
    int angulo = 0;
    for (const auto& [e, r] : pares) l.Registrar(e, r, "", angulo++ % 6, 1, true);
    std::vector<std::string> informe;
    const TListaResultados r = IdaYVuelta(l, 50, &informe);
    EXPECT_TRUE(informe.empty());
    EXPECT_EQ(r.Filas(), l.Filas());
    EXPECT_NE(Leer(ini_).find("0=  blancos  _0\r\n1=x__0   _5\r\n"), std::string::npos);
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
        EXPECT_EQ(TVelIniFile(ini_).ReadSection("Calculos").size(), c.filas) << c.maxList;
    }
}

TEST_F(ListaArchivoTest, ArchivoAntiguo) {
    // As older versions wrote it with MaxList = 2: three rows, the last an
    // expression cut from its result; tags in their old form.
    Poner(ini_, "[Calculos]\r\n0=a+a_0\r\n1=4   {a=2} _1\r\n2=1+1_0\r\n");
    TVelIniFile f(ini_);
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
    Poner(ini_,
          "[Calculos]\r\n0=x_0\r\n1=4_9\r\n2=y_0\r\n3=5_x\r\n4=z_0\r\n5=6\r\n6=w_0\r\n7=7_99999999999999999999\r\n"
          "sin igual_2\r\n9=8_-1\r\n");
    TVelIniFile f(ini_);
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
    Poner(ini_, "[Opciones]\r\nMaxList=50\r\n\r\n[Calculos]\r\n0=viejo_0\r\n1=1_0\r\n2=otro_0\r\n3=2_0\r\n\r\n");
    const std::string antes = Leer(ini_);
    TVelIniFile f(ini_);
    TListaResultados l;
    l.Registrar("nuevo", "3", "", 0, 3, true);
    l.Guardar(f, 50);
    EXPECT_EQ(Leer(ini_), antes);  // nothing written until UpdateFile
    EXPECT_EQ(f.ReadSectionValues("Calculos"), (std::vector<std::string>{"0=nuevo_0", "1=3   _0"}));
    f.UpdateFile();
    EXPECT_EQ(Leer(ini_), "[Opciones]\r\nMaxList=50\r\n\r\n[Calculos]\r\n0=nuevo_0\r\n1=3   _0\r\n\r\n");

    // The same list again changes nothing.
    l.Guardar(f, 50);
    EXPECT_FALSE(f.Modified());
    // An empty list leaves no section behind.
    TListaResultados().Guardar(f, 50);
    f.UpdateFile();
    EXPECT_EQ(Leer(ini_), "[Opciones]\r\nMaxList=50\r\n\r\n");
}

TEST_F(ListaArchivoTest, SaltosDeLineaSeGuardanComoBlancos) {
    TListaResultados l;
    l.Registrar("1+\r\n2", "3", "", 0, 3, true);
    l.Registrar(std::string("a\0b", 3), "\xE1", "", 0, 3, true);  // a NUL and a stray Latin-1 byte
    const TListaResultados r = IdaYVuelta(l, 50);
    ASSERT_EQ(r.NumFilas(), 4u);
    EXPECT_EQ(r.Filas()[0].Texto, "a b");
    EXPECT_EQ(r.Filas()[1].Texto, "á   ");
    EXPECT_EQ(r.Filas()[2].Texto, "1+  2");
}

}  // namespace
}  // namespace numbrix
