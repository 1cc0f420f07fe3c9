#include "shell/Herramientas.h"

#include <gtest/gtest.h>

#include "shell/AjustesCalculadora.h"
#include "shell/TemasAyuda.h"

namespace numbrix {
namespace {

std::vector<std::string> Nombres(const TRegistroHerramientas& r) {
    std::vector<std::string> v;
    for (std::size_t i = 0; i < r.Cantidad(); ++i) v.push_back(r[i].Nombre);
    return v;
}

TEST(Herramientas, MenuOrderFlagsLettersAndReopening) {
    TRegistroHerramientas r;
    for (const char* n : {"Otra", "Sucesiones", "Conversor", "fechas y tiempo", "Formulario", "Extra"})
        EXPECT_TRUE(r.Registrar({.Nombre = n})) << n;
    EXPECT_EQ(Nombres(r), (std::vector<std::string>{"Formulario", "fechas y tiempo", "Conversor", "Sucesiones", "Otra",
                                                    "Extra"}));
    // Taken names (marks and case aside) and letters are refused.
    EXPECT_FALSE(r.Registrar({.Nombre = "FORMU&LARIO"}));
    EXPECT_FALSE(r.Registrar({.Nombre = "Nueva", .Atajo = 's'}));
    EXPECT_EQ(*r.PorAtajo('f'), 1u);
    EXPECT_FALSE(r.PorAtajo('C'));
    EXPECT_EQ(*r.PorNombre("Fec&has y Tiempo"), 1u);
    EXPECT_EQ(r[2].Clave, "Conversor");
    EXPECT_EQ(r[2].Atajo, 0);
    EXPECT_EQ(r[3].Clave, "");  // the sequences are not remembered
    EXPECT_EQ(r[4].Glifo, "O");

    AjustesCalculadora a;
    for (std::size_t i = 0; i < r.Cantidad(); ++i) r.Recordar(a, i, true);
    EXPECT_TRUE(a.Conversor && a.Formulas && a.Fechas);
    EXPECT_FALSE(a.Primos || r.Recordada(a, 3));
    // Reopened converter first, then formulas, dates.
    EXPECT_EQ(r.AReabrir(a), (std::vector<std::size_t>{2, 0, 1}));
    EXPECT_EQ(SinMarcas("A&&B &c"), "A&B c");
}

TEST(Herramientas, TheKeysPageIsMadeFromTheTables) {
    TRegistroHerramientas r;
    r.Registrar({.Nombre = "Fec&has y Tiempo"});
    r.Registrar({.Nombre = "Conversor"});
    FijarTeclasAyuda("prueba", "Prueba", "Nota.", {{"Insert|F8", "Abre."}});
    FijarTeclasAyuda("prueba", "Prueba", "", r.Teclas());  // set again: replaced
    const std::string h = HtmlTeclasAyuda();
    EXPECT_NE(h.find("<h2 id=\"prueba\">Prueba</h2>\n<table>"), std::string::npos) << h;
    EXPECT_NE(h.find("<td><kbd>Ctrl+F</kbd></td><td>Abre o cierra la herramienta «Fechas y Tiempo».</td>"),
              std::string::npos) << h;
    EXPECT_EQ(h.find("F8"), std::string::npos);
    FijarTeclasAyuda("prueba", "Prueba", "", {{"Insert|F8", "Abre."}});
    EXPECT_NE(HtmlTeclasAyuda().find("<kbd>Insert</kbd> o <kbd>F8</kbd>"), std::string::npos);
    FijarTeclasAyuda("prueba", "Prueba", "", {});
}

}  // namespace
}  // namespace numbrix
