#include "shell/EditorDefiniciones.h"

#include <gtest/gtest.h>

#include "CarpetaTemporal.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"

namespace numbrix {
namespace {

class EditorDefiniciones : public CarpetaTemporal {
protected:
    std::filesystem::path Duf() const { return dir_ / "real.duf"; }
    void PonerDuf(const std::string& t) { Poner(Duf(), t); }
    TEditorDefiniciones Cargado(int modo) {
        TEditorDefiniciones ed(modo);
        TVelIniFile duf(Duf());
        ed.Cargar(duf);
        return ed;
    }
    // The check "&Aceptar" makes, on a scratch session like the window's.
    std::optional<TEditorDefiniciones::Rechazo> Comprobar(const TEditorDefiniciones& ed) {
        TVelIniFile duf(Duf());
        const char* otra = ed.Modo() == TEditorDefiniciones::Constantes ? "Funciones" : "Constantes";
        return ed.Comprobar(duf.ReadSectionValues(otra));
    }
    std::function<bool(std::string_view)> Conocido() {
        return [this](std::string_view n) { return sesion.Principal().Buscar(n) != nullptr; };
    }
    TSesion sesion;
};

TEST_F(EditorDefiniciones, CargaNombresYPartesDeLaSeccionDelModo) {
    PonerDuf("[Constantes]\nk=2*Pi_dos pi\nsin=3\n[Funciones]\nf=?A*?B_cuadrado\n");
    TEditorDefiniciones c = Cargado(0);
    ASSERT_EQ(c.Cantidad(), 2);
    EXPECT_EQ(c.Lineas()[0].nombre, "k");
    EXPECT_EQ(c.Definicion(0), "2*Pi");
    EXPECT_EQ(c.Descripcion(0), "dos pi");
    EXPECT_EQ(c.Descripcion(1), "");
    TEditorDefiniciones f = Cargado(1);
    ASSERT_EQ(f.Cantidad(), 1);
    EXPECT_EQ(f.Definicion(0), "?A*?B");
    EXPECT_FALSE(f.Modificado());
}

TEST_F(EditorDefiniciones, CambiarYNuevaConSusRechazos) {
    PonerDuf("[Constantes]\nk=2_dos\n");
    TEditorDefiniciones ed = Cargado(0);
    // One line per name, split at its first "_": both refused texts leave it as it was.
    const char* raya = "La definición no puede contener \"_\": separa la definición de su descripción.";
    const char* linea = "La definición y la descripción deben ocupar una sola línea.";
    EXPECT_EQ(ed.Cambiar(0, "2_3", "x"), raya);
    EXPECT_EQ(ed.Cambiar(0, "2\n[Funciones]", "x"), linea);
    EXPECT_EQ(ed.Cambiar(0, "2", "a\r\nb=1"), linea);
    EXPECT_FALSE(ed.Modificado());
    EXPECT_EQ(ed.Cambiar(0, "3", ""), "");  // an empty description is kept too
    EXPECT_TRUE(ed.Lineas()[0].marcada && ed.Modificado());
    TVelIniFile duf(Duf());
    ed.Escribir(duf);
    duf.UpdateFile();
    EXPECT_EQ(TVelIniFile(Duf()).ReadString("Constantes", "k"), "3_");
    const char* invalido = "\" no es un identificador válido: empiece con una letra y use sólo letras y dígitos (hasta 30).";
    const std::pair<const char*, std::string> nuevas[] = {
        {"Sen", "Sen ya esta definido"}, {"PI", "PI ya esta definido"},
        {"K", "K ya esta definido"},  // already in the list, whatever the case
        {"2x", std::string("\"2x") + invalido}, {"a b", std::string("\"a b") + invalido},
        {"x=1", std::string("\"x=1") + invalido}, {"_", std::string("\"_") + invalido}, {"Velocidad2", ""},
    };
    for (const auto& [nombre, mensaje] : nuevas) EXPECT_EQ(ed.Nueva(nombre, Conocido()), mensaje) << nombre;
    ASSERT_EQ(ed.Cantidad(), 2);
    EXPECT_EQ(ed.Lineas()[1].texto, "_Velocidad2");
    EXPECT_TRUE(ed.Lineas()[1].marcada);
}

TEST_F(EditorDefiniciones, UnNombreBorradoPuedeVolverACrearse) {
    PonerDuf("[Constantes]\nk=2_dos\n");
    sesion.Abrir(dir_);
    TEditorDefiniciones ed = Cargado(0);
    ed.Eliminar(0);
    EXPECT_EQ(ed.Nueva("k", Conocido()), "");
}

TEST_F(EditorDefiniciones, BorrarTodasLasFuncionesNoDejaSeccion) {
    PonerDuf("[Constantes]\nk=2_dos\n[Funciones]\nf=?A_x\ng=?A+1_y\n");
    TEditorDefiniciones ed = Cargado(1);
    ed.Eliminar(1);
    ed.Eliminar(0);
    EXPECT_TRUE(ed.Modificado());
    EXPECT_FALSE(Comprobar(ed));
    TVelIniFile duf(Duf());
    ed.Escribir(duf);
    duf.UpdateFile();
    std::string texto = Leer(Duf());
    EXPECT_EQ(texto.find("Funciones"), std::string::npos) << texto;
    EXPECT_NE(texto.find("k=2_dos"), std::string::npos);
}

TEST_F(EditorDefiniciones, AceptarRechazaDefinicionesMalasNombrandolas) {
    struct Caso { int modo; const char* definicion; const char* contiene; } casos[] = {
        {2, "Max(1,2", "dos"},       // a stored expression must compile
        {0, "2*", "cte"},            // does not compile
        {0, "1/0", "cte"},           // does not evaluate
        {0, "", "vacía"},
        {0, "f(2)", "cte"},            // constants come before the functions
        {1, "?A+", "gfun"},
        {1, "?B*2", "?A"},           // a parameter missing
        {1, "noexiste(?A)", "gfun"},
        {1, "gfun(?A)", "gfun"},     // recursion
        {1, "", "vacía"},
    };
    for (const auto& c : casos) {
        PonerDuf("[Constantes]\nk=2_dos\n[Funciones]\nf=?A*2_doble\n[Expresiones]\nuno=2+2_suma\n");
        TEditorDefiniciones ed = Cargado(c.modo);
        const char* nombre = c.modo == 0 ? "cte" : c.modo == 1 ? "gfun" : "dos";
        ASSERT_EQ(ed.Nueva(nombre, Conocido()), "");
        ASSERT_EQ(ed.Cambiar(1, c.definicion, "d"), "");
        auto r = Comprobar(ed);
        ASSERT_TRUE(r) << c.definicion;
        EXPECT_EQ(r->indice, 1) << c.definicion;
        EXPECT_NE(r->mensaje.find(nombre), std::string::npos) << r->mensaje;
        EXPECT_NE(r->mensaje.find(c.contiene), std::string::npos) << r->mensaje;
    }
}

TEST_F(EditorDefiniciones, AceptarAdmiteDefinicionesBuenasYLineasViejas) {
    PonerDuf("[Constantes]\nkk=2_dos\n[Funciones]\nf=?A*2_doble\n[Expresiones]\nuno=2+2_suma\n");
    for (const auto& [modo, nombre, definicion] : {std::tuple{1, "hh", "f(?A)+kk*?B"}, {0, "cc", "kk*Pi"}, {2, "dos", "Max(1,2)"}}) {
        TEditorDefiniciones ed = Cargado(modo);
        ASSERT_EQ(ed.Nueva(nombre, Conocido()), "");
        ASSERT_EQ(ed.Cambiar(1, definicion, ""), "");
        const auto r = Comprobar(ed);
        EXPECT_FALSE(r) << definicion << ": " << r->mensaje;
    }
    // A line the file already held is left to the registration's report.
    PonerDuf("[Funciones]\nmala=?B_x\nf=?A_y\n");
    TEditorDefiniciones ed = Cargado(1);
    ASSERT_EQ(ed.Cambiar(1, "?A+1", "y"), "");
    EXPECT_FALSE(Comprobar(ed));
}

TEST_F(EditorDefiniciones, LoAceptadoLlegaAAmbosMotores) {
    PonerDuf("[Constantes]\nk=2_dos\n");
    sesion.Abrir(dir_);
    TEditorDefiniciones ed = Cargado(1);
    ASSERT_EQ(ed.Nueva("tri", Conocido()), "");
    ASSERT_EQ(ed.Cambiar(0, "3*?A+k", "triple"), "");
    ASSERT_FALSE(Comprobar(ed));
    TVelIniFile duf(Duf());
    ed.Escribir(duf);
    duf.UpdateFile();
    sesion.RegistrarVocabulario();
    EXPECT_EQ(sesion.Evaluar("tri(2)").texto, "8");
    sesion.Auxiliar().SetTexto("tri(1)");
    EXPECT_EQ(sesion.Auxiliar().Valor(), 5);
}

TEST(EditorTeclas, SustituyeDosCaracteresAlEscribir) {
    struct Caso { const char* antes; int cursor; const char* despues; int cursorDespues; } casos[] = {
        {"2**", 3, "2^", 2}, {"8//3", 3, "8\\3", 2}, {"2*3", 3, "2*3", 3}, {"**x", 1, "**x", 1}, {"a**b", 3, "a^b", 2},
    };
    for (const auto& c : casos) {
        std::string t = c.antes;
        int cur = c.cursor;
        SustituirAlEscribir(t, cur);
        EXPECT_EQ(t, c.despues) << c.antes;
        EXPECT_EQ(cur, c.cursorDespues) << c.antes;
    }
}

}  // namespace
}  // namespace numbrix
