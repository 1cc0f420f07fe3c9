#include "shell/TemasAyuda.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "engine/ExpresionX.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

std::filesystem::path Ayuda() {
    const char* datos = std::getenv("NUMBRIX_TEST_DATA");
    return datos ? std::filesystem::path(datos) / "help" : std::filesystem::path();
}

std::string LeerPagina(const std::string& archivo) {
    std::ifstream f(Ayuda() / archivo, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The page of a "pagina#ancla" exists and holds the anchor.
void ExisteDestino(const std::string& destino) {
    std::size_t h = destino.find('#');
    std::string archivo = destino.substr(0, h);
    ASSERT_TRUE(std::filesystem::exists(Ayuda() / archivo)) << destino;
    if (h != std::string::npos) {
        std::string html = LeerPagina(archivo);
        EXPECT_NE(html.find("id=\"" + destino.substr(h + 1) + "\""), std::string::npos) << destino;
    }
}

TEST(TemasAyuda, TemasDeVentanasYNumeros) {
    EXPECT_EQ(PaginaDeTema("indice"), "indice.html");
    EXPECT_EQ(PaginaDeTema("frmCalc"), "frmCalc.html");
    EXPECT_EQ(PaginaDeTema("TfmOpciones"), "fmOpciones.html");
    EXPECT_EQ(PaginaDeTema("Sen"), "funciones.html#sen");
    EXPECT_EQ(PaginaDeTema("cosas raras!"), "indice.html");
    EXPECT_EQ(PaginaDeNumero(18), "fmUsuario.html#constantes");
    EXPECT_EQ(PaginaDeNumero(12345), "indice.html");
}

TEST(TemasAyuda, CadaVentanaYCadaTemaNumeradoLleganAUnaPagina) {
    if (Ayuda().empty()) GTEST_SKIP() << "NUMBRIX_TEST_DATA no está definida";
    for (const auto& p : PaginasAyuda()) ExisteDestino(p.Archivo);
    for (const auto& v : VentanasConAyuda()) {
        EXPECT_NE(PaginaDeTema(v), "indice.html") << v;
        ExisteDestino(PaginaDeTema(v));
    }
    for (int n : TemasNumerados()) ExisteDestino(PaginaDeNumero(n));
}

TEST(TemasAyuda, CadaNombreIncorporadoTieneSuEntrada) {
    if (Ayuda().empty()) GTEST_SKIP() << "NUMBRIX_TEST_DATA no está definida";
    TExpresionX motor;
    motor.SetPredefinidas(true);
    TSesion sesion;  // adds the shell's names: memories, Rst, calculus functions
    int nombres = 0;
    for (auto* e : {&motor, &sesion.Principal()}) {
        for (const auto& [nombre, make] : e->Identificadores()) {
            if (make->Tipo == MakeVariable || nombre == "?") continue;  // the prompt letters
            ExisteDestino(PaginaDeTema(nombre));
            ++nombres;
        }
    }
    EXPECT_GT(nombres, 60);
}

TEST(TemasAyuda, BuscarEncuentraPaginasSinImportarAcentos) {
    if (Ayuda().empty()) GTEST_SKIP() << "NUMBRIX_TEST_DATA no está definida";
    auto r = BuscarEnAyuda(Ayuda(), "combinacion colores");
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r.front().Archivo, "fmOpciones.html");
    EXPECT_TRUE(BuscarEnAyuda(Ayuda(), "zzzqqqxx").empty());
    EXPECT_TRUE(BuscarEnAyuda(Ayuda(), "   ").empty());
}

TEST(TemasAyuda, TextoPlano) {
    EXPECT_EQ(TextoPlanoAyuda("<b>Raíz</b> &lt;2&gt;"), " raiz  <2>");
}

}  // namespace
}  // namespace numbrix
