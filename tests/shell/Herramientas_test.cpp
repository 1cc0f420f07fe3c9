#include "shell/Herramientas.h"

#include <gtest/gtest.h>

#include "shell/AjustesCalculadora.h"
#include "shell/TemasAyuda.h"

namespace numbrix {
namespace {

// The menu order, refusals and reopening seen from the window are in
// tests/shell/ui/frmCalcHerramientas_test.cpp; here what the table fills in.
TEST(Herramientas, KnownNamesTakeTheirFlagLetterAndReopeningPlace) {
    TRegistroHerramientas r;
    for (const char* n : {"Otra", "Sucesiones", "Conversor", "fechas y tiempo", "Formulario"}) r.Registrar({.Nombre = n});
    ASSERT_EQ(r.Cantidad(), 5u);
    EXPECT_EQ(r[1].Clave + r[1].Atajo, "FechasF");
    EXPECT_EQ(r[2].Clave + "/" + std::to_string(r[2].Atajo), "Conversor/0");
    EXPECT_EQ(r[3].Clave + r[3].Atajo, "S");  // the sequences are not remembered
    EXPECT_EQ(r[4].Glifo, "O");
    AjustesCalculadora a;
    for (std::size_t i = 0; i < r.Cantidad(); ++i) r.Recordar(a, i, true);
    EXPECT_TRUE(a.Conversor && a.Formulas && a.Fechas && !a.Primos);
    EXPECT_EQ(r.AReabrir(a), (std::vector<std::size_t>{2, 0, 1}));  // converter, formulas, dates
    EXPECT_EQ(SinMarcas("A&&B &c"), "A&B c");
}

TEST(Herramientas, TheKeysPageIsMadeFromTheTables) {
    TRegistroHerramientas r;
    r.Registrar({.Nombre = "Fec&has y Tiempo"});
    FijarTeclasAyuda("prueba", "Prueba", "Nota.", {{"Insert|F8", "Abre."}});
    EXPECT_NE(HtmlTeclasAyuda().find("<p>Nota.</p>\n<table><tr><th>Tecla</th><th>Acción</th></tr>\n"
                                     "<tr><td><kbd>Insert</kbd> o <kbd>F8</kbd></td><td>Abre.</td></tr>"),
              std::string::npos);
    FijarTeclasAyuda("prueba", "Prueba", "", r.Teclas());  // set again: replaced
    const std::string h = HtmlTeclasAyuda();
    EXPECT_NE(h.find("<td><kbd>Ctrl+F</kbd></td><td>Abre o cierra la herramienta «Fechas y Tiempo».</td>"),
              std::string::npos) << h;
    EXPECT_EQ(h.find("F8"), std::string::npos);
    FijarTeclasAyuda("prueba", "Prueba", "", {});
}

}  // namespace
}  // namespace numbrix
