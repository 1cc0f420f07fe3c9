#include "shell/TemasAyuda.h"

#include <cmath>
#include <regex>
#include <gtest/gtest.h>

#include "Ayudas.h"
#include "CarpetaTemporal.h"
#include "shell/Sesion.h"

namespace numbrix {
namespace {

std::filesystem::path Ayuda() { return prueba::DatosDeFabrica() / "help"; }

std::string LeerPagina(const std::string& archivo) { return Leer(Ayuda() / archivo); }

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

TEST(TemasAyuda, CadaVentanaYCadaTemaNumeradoLleganAUnaPagina) {
    EXPECT_EQ(PaginaDeTema("cosas raras!"), "indice.html");  // an unknown topic: the contents
    EXPECT_EQ(PaginaDeNumero(12345), "indice.html");
    for (const auto& p : PaginasAyuda()) ExisteDestino(p.Archivo);
    for (const auto& v : VentanasConAyuda()) {
        EXPECT_NE(PaginaDeTema(v), "indice.html") << v;
        ExisteDestino(PaginaDeTema(v));
    }
    for (int n : TemasNumerados()) ExisteDestino(PaginaDeNumero(n));
}

TEST(TemasAyuda, CadaNombreIncorporadoTieneSuEntrada) {
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

// The functions page tells each name's argument count as the engine has it.
TEST(TemasAyuda, LaPaginaDeFuncionesDiceCuantosArgumentos) {
    TSesion sesion;
    TExpresionX& motor = sesion.Principal();
    auto cuantos = [](const TMake<DominioReal>& m) {
        if (m.Tipo == MakeConstante) return std::string("constante");
        if (m.MaxArgs <= 0) return std::string("0");
        const std::string a = std::to_string(m.MinArgs);
        if (m.MaxArgs == m.MinArgs) return a;
        if (m.MaxArgs >= kArgumentosIlimitados) return a + " o más";
        if (m.MaxArgs == m.MinArgs + 1) return a + " o " + std::to_string(m.MaxArgs);
        return a + " a " + std::to_string(m.MaxArgs);
    };
    const std::string html = LeerPagina(kPaginaFunciones);
    const std::regex fila("<tr><td>((?:<a id=\"[^\"]+\"></a>)+)<b>[^<]*</b></td><td>[^<]*</td><td>([^<]*)</td>");
    const std::regex ancla("id=\"([^\"]+)\"");
    int filas = 0;
    for (std::sregex_iterator i(html.begin(), html.end(), fila), fin; i != fin; ++i) {
        const std::string anclas = (*i)[1];
        for (std::sregex_iterator a(anclas.begin(), anclas.end(), ancla); a != fin; ++a) {
            const std::string nombre = (*a)[1];
            const TMake<DominioReal>* m = motor.Buscar(nombre);
            ASSERT_NE(m, nullptr) << nombre << " no es un nombre que Numbrix conozca";
            EXPECT_EQ((*i)[2].str(), cuantos(*m)) << nombre;
        }
        ++filas;
    }
    EXPECT_GT(filas, 70);
}

TEST(TemasAyuda, BuscarEncuentraPaginasSinImportarAcentos) {
    auto r = BuscarEnAyuda(Ayuda(), "combinacion colores");
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r.front().Archivo, "fmOpciones.html");
    EXPECT_TRUE(BuscarEnAyuda(Ayuda(), "zzzqqqxx").empty());
    EXPECT_TRUE(BuscarEnAyuda(Ayuda(), "   ").empty());
}

// Every example a page gives as «<code>expression</code> → value» is what
// Numbrix computes (in radians, floating format, x = 2 when asked).
TEST(TemasAyuda, LosEjemplosDanLoQueDicen) {
    auto sinEntidades = [](std::string t) {
        for (auto [e, v] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
            for (std::size_t p = t.find(e); p != std::string::npos; p = t.find(e, p + 1)) t.replace(p, std::string(e).size(), v);
        }
        return t;
    };
    const std::regex ejemplo("<code>([^<]+)</code> → (Verdadero|Falso|-?[0-9][0-9.]*(?:e-?[0-9]+)?)");
    int vistos = 0;
    for (const auto& p : PaginasAyuda()) {
        const std::string html = LeerPagina(p.Archivo);
        for (std::sregex_iterator i(html.begin(), html.end(), ejemplo), fin; i != fin; ++i) {
            const std::string expresion = sinEntidades((*i)[1]);
            const std::string esperado = (*i)[2];
            TSesion sesion;
            sesion.Preguntar = [](char, const std::string&, const std::string&) {
                return RespuestaPregunta{RespuestaPregunta::Responder, "2"};
            };
            const ResultadoEvaluacion r = sesion.Evaluar(expresion);
            ASSERT_FALSE(r.error) << p.Archivo << ": " << expresion << ": " << r.texto;
            if (esperado == "Verdadero" || esperado == "Falso") {
                EXPECT_EQ(r.texto, esperado) << p.Archivo << ": " << expresion;
            } else {
                // The pages round the last digits; the engine works in 80 bits.
                const long double v = std::strtold(r.texto.c_str(), nullptr);
                const long double e = std::strtold(esperado.c_str(), nullptr);
                EXPECT_LE(std::fabs(v - e), 1e-15L * std::max(1.0L, std::fabs(e)))
                    << p.Archivo << ": " << expresion << " da " << r.texto << ", la página dice " << esperado;
            }
            ++vistos;
        }
    }
    EXPECT_GT(vistos, 70);
}

TEST(TemasAyuda, TextoPlano) {
    EXPECT_EQ(TextoPlanoAyuda("<b>Raíz</b> &lt;2&gt;"), " raiz  <2>");
}

}  // namespace
}  // namespace numbrix
