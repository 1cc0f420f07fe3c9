#pragma once
// The help pages (HTML files in the help/ folder of the shipped data): their
// list and titles, which page a window or a numbered topic opens, where a
// built-in name is explained, and a plain-text search over the pages.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "shell/Herramientas.h"

namespace numbrix {

struct PaginaAyuda {
    std::string Archivo;  // "frmCalc.html"
    std::string Titulo;   // as the contents show it
};

// Every page in the contents' order; the first is the contents page itself.
const std::vector<PaginaAyuda>& PaginasAyuda();
// A tool's page joins the contents (once), before "Cómo usar esta ayuda".
void RegistrarPaginaAyuda(const PaginaAyuda& p);

// The keys page («Atajos de teclado», "teclado.html") is written around
// tables made from the windows' own key bindings, so a key cannot be
// missing from it: each window sets its section (an "id" anchor, a title, a
// note, the keys; "Insert|F8" are two keys for one action). The page holds
// "<!--teclas-->" where they go, in the order they were first set.
void FijarTeclasAyuda(const std::string& id, const std::string& titulo, const std::string& nota,
                      std::vector<TeclaAyuda> teclas);
std::string HtmlTeclasAyuda();
// A page's text as the help shows it (the keys page with its tables).
std::string LeerPaginaAyuda(const std::filesystem::path& carpetaAyuda, const std::string& archivo);

// The page (file name with an optional "#anchor") for a topic: "indice", a
// window's class ("frmCalc", "TfmOpciones" or "fmOpciones"), or a built-in
// or shell name ("Sen", "sen"), which opens its entry in the functions page.
// Unknown topics open the contents.
std::string PaginaDeTema(std::string_view tema);
// The numbered topics the windows use (1: first start; 18, 19: the
// definitions editor; 20: the value prompt).
std::string PaginaDeNumero(int numero);
std::vector<int> TemasNumerados();
// The window classes that have a page of their own.
std::vector<std::string> VentanasConAyuda();

// The anchor of a name's entry in "funciones.html": the name in lower case.
std::string AnclaFuncion(std::string_view nombre);
inline constexpr const char* kPaginaFunciones = "funciones.html";

// The pages whose text (tags removed, case and accents ignored) holds every
// word of `consulta`, most hits first.
struct ResultadoAyuda {
    std::string Archivo;
    std::string Titulo;
    int Apariciones = 0;
};
std::vector<ResultadoAyuda> BuscarEnAyuda(const std::filesystem::path& carpetaAyuda, std::string_view consulta);

// The text of an HTML page without tags and with the common entities read,
// folded to lower case without accents (for searching).
std::string TextoPlanoAyuda(std::string_view html);

// The help folder: the shipped data's help/ when it exists (so an update of
// the program brings its pages), else the data folder's.
std::filesystem::path CarpetaAyuda(const std::filesystem::path& carpetaDatos = {});

}  // namespace numbrix
