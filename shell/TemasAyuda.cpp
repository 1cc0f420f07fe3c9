#include "shell/TemasAyuda.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "support/CarpetaDatos.h"

namespace numbrix {

namespace {

std::vector<PaginaAyuda>& Paginas() {
    static std::vector<PaginaAyuda> paginas = {
        {"indice.html", "Contenido"},
        {"introduccion.html", "Introducción a Numbrix"},
        {"expresiones.html", "El lenguaje de las expresiones"},
        {"funciones.html", "Funciones y constantes incorporadas"},
        {"teclado.html", "Atajos de teclado"},
        {"frmCalc.html", "La ventana principal"},
        {"unidades.html", "Unidades y conversiones"},
        {"fmInput.html", "Pedido de valores de variables"},
        {"fmUsuario.html", "Constantes y funciones del usuario"},
        {"fmOpciones.html", "Opciones y combinaciones de colores"},
        {"fmTips.html", "Sabía que..."},
        {"fmAcerca.html", "Acerca de Numbrix"},
        {"ayuda.html", "Cómo usar esta ayuda"},
    };
    return paginas;
}

struct SeccionTeclas {
    std::string id, titulo, nota;
    std::vector<TeclaAyuda> teclas;
};
std::vector<SeccionTeclas>& SeccionesTeclas() {
    static std::vector<SeccionTeclas> s;
    return s;
}

}  // namespace

const std::vector<PaginaAyuda>& PaginasAyuda() { return Paginas(); }

void RegistrarPaginaAyuda(const PaginaAyuda& p) {
    auto& v = Paginas();
    for (const auto& q : v)
        if (q.Archivo == p.Archivo) return;
    v.insert(v.end() - 1, p);
}

void FijarTeclasAyuda(const std::string& id, const std::string& titulo, const std::string& nota,
                      std::vector<TeclaAyuda> teclas) {
    for (auto& s : SeccionesTeclas())
        if (s.id == id) {
            s = {id, titulo, nota, std::move(teclas)};
            return;
        }
    SeccionesTeclas().push_back({id, titulo, nota, std::move(teclas)});
}

std::string HtmlTeclasAyuda() {
    std::string h;
    for (const auto& s : SeccionesTeclas()) {
        if (s.teclas.empty()) continue;
        h += "<h2 id=\"" + s.id + "\">" + s.titulo + "</h2>\n";
        if (!s.nota.empty()) h += "<p>" + s.nota + "</p>\n";
        h += "<table><tr><th>Tecla</th><th>Acción</th></tr>\n";
        for (const auto& t : s.teclas) {
            std::string teclas;
            std::size_t desde = 0;
            while (true) {
                const std::size_t hasta = t.Tecla.find('|', desde);
                if (!teclas.empty()) teclas += " o ";
                teclas += "<kbd>" + t.Tecla.substr(desde, hasta - desde) + "</kbd>";
                if (hasta == std::string::npos) break;
                desde = hasta + 1;
            }
            h += "<tr><td>" + teclas + "</td><td>" + t.Accion + "</td></tr>\n";
        }
        h += "</table>\n";
    }
    return h;
}

std::string LeerPaginaAyuda(const std::filesystem::path& carpeta, const std::string& archivo) {
    std::ifstream f(carpeta / archivo, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    std::string texto = ss.str();
    static const std::string kMarca = "<!--teclas-->";
    if (const std::size_t p = texto.find(kMarca); p != std::string::npos) texto.replace(p, kMarca.size(), HtmlTeclasAyuda());
    return texto;
}

namespace {

std::string Minusculas(std::string_view t) {
    std::string r(t);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

// Window classes as the code names them ("TfrmCalcu", "TfmOpciones") or as
// the header files do ("frmCalc", "fmOpciones").
struct Ventana {
    const char* clave;
    const char* pagina;
};
constexpr Ventana kVentanas[] = {
    {"frmcalc", "frmCalc.html"},     {"frmcalcu", "frmCalc.html"},      {"tfrmcalcu", "frmCalc.html"},
    {"tfrmcalc", "frmCalc.html"},    {"fminput", "fmInput.html"},       {"tfminput", "fmInput.html"},
    {"fmusuario", "fmUsuario.html"}, {"tfmusuario", "fmUsuario.html"},  {"fmopciones", "fmOpciones.html"},
    {"tfmopciones", "fmOpciones.html"}, {"fmtips", "fmTips.html"},      {"tfmtips", "fmTips.html"},
    {"fmacerca", "fmAcerca.html"},   {"tfmacerca", "fmAcerca.html"},    {"ayuda", "ayuda.html"},
    {"indice", "indice.html"},       {"contenido", "indice.html"},      {"introduccion", "introduccion.html"},
    {"expresiones", "expresiones.html"}, {"funciones", "funciones.html"}, {"teclado", "teclado.html"},
    {"unidades", "unidades.html"},   {"conversiones", "unidades.html"},
};

}  // namespace

std::string AnclaFuncion(std::string_view nombre) { return Minusculas(nombre); }

std::string PaginaDeTema(std::string_view tema) {
    std::string t = Minusculas(tema);
    if (t.empty()) return "indice.html";
    for (const auto& p : PaginasAyuda())
        if (Minusculas(p.Archivo) == t) return p.Archivo;
    for (const auto& v : kVentanas)
        if (t == v.clave) return v.pagina;
    // Anything else is taken as a name of the language.
    bool nombre = true;
    for (char c : t)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) nombre = false;
    if (nombre) return std::string(kPaginaFunciones) + "#" + t;
    return "indice.html";
}

std::string PaginaDeNumero(int numero) {
    switch (numero) {
    case 1: return "introduccion.html";
    case 18: return "fmUsuario.html#constantes";
    case 19: return "fmUsuario.html#funciones";
    case 20: return "fmInput.html";
    default: return "indice.html";
    }
}

std::vector<int> TemasNumerados() { return {1, 18, 19, 20}; }

std::vector<std::string> VentanasConAyuda() {
    return {"TfrmCalcu", "TfmInput", "TfmUsuario", "TfmOpciones", "TfmTips", "TfmAcerca"};
}

namespace {

// Folds the Spanish accented letters (UTF-8) to their plain ones.
std::string Plegar(std::string_view t) {
    static const std::pair<const char*, char> kAcentos[] = {
        {"á", 'a'}, {"é", 'e'}, {"í", 'i'}, {"ó", 'o'}, {"ú", 'u'}, {"ü", 'u'}, {"ñ", 'n'},
        {"Á", 'a'}, {"É", 'e'}, {"Í", 'i'}, {"Ó", 'o'}, {"Ú", 'u'}, {"Ü", 'u'}, {"Ñ", 'n'},
    };
    std::string r;
    r.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        bool hecho = false;
        for (const auto& [a, b] : kAcentos) {
            std::string_view s(a);
            if (t.substr(i, s.size()) == s) {
                r += b;
                i += s.size();
                hecho = true;
                break;
            }
        }
        if (hecho) continue;
        char c = t[i++];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        r += c;
    }
    return r;
}

}  // namespace

std::string TextoPlanoAyuda(std::string_view html) {
    std::string r;
    bool etiqueta = false;
    for (std::size_t i = 0; i < html.size(); ++i) {
        char c = html[i];
        if (etiqueta) {
            if (c == '>') {
                etiqueta = false;
                r += ' ';
            }
            continue;
        }
        if (c == '<') {
            etiqueta = true;
            continue;
        }
        if (c == '&') {
            static const std::pair<const char*, const char*> kEntidades[] = {
                {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&laquo;", "«"},
                {"&raquo;", "»"}};
            bool hecho = false;
            for (const auto& [e, v] : kEntidades) {
                std::string_view s(e);
                if (html.substr(i, s.size()) == s) {
                    r += v;
                    i += s.size() - 1;
                    hecho = true;
                    break;
                }
            }
            if (hecho) continue;
        }
        r += c;
    }
    return Plegar(r);
}

std::vector<ResultadoAyuda> BuscarEnAyuda(const std::filesystem::path& carpeta, std::string_view consulta) {
    std::vector<std::string> palabras;
    {
        std::istringstream s(Plegar(consulta));
        std::string p;
        while (s >> p) palabras.push_back(p);
    }
    std::vector<ResultadoAyuda> r;
    if (palabras.empty()) return r;
    for (const auto& p : PaginasAyuda()) {
        std::error_code ec;
        if (!std::filesystem::exists(carpeta / p.Archivo, ec)) continue;
        const std::string texto = TextoPlanoAyuda(LeerPaginaAyuda(carpeta, p.Archivo));
        int total = 0;
        bool todas = true;
        for (const auto& w : palabras) {
            int n = 0;
            for (std::size_t pos = texto.find(w); pos != std::string::npos; pos = texto.find(w, pos + w.size())) ++n;
            if (n == 0) todas = false;
            total += n;
        }
        if (todas) r.push_back({p.Archivo, p.Titulo, total});
    }
    std::stable_sort(r.begin(), r.end(), [](const auto& a, const auto& b) { return a.Apariciones > b.Apariciones; });
    return r;
}

std::filesystem::path CarpetaAyuda(const std::filesystem::path& carpetaDatos) {
    std::error_code ec;
    std::filesystem::path defecto = CarpetaDatosDefecto(CarpetaDelEjecutable());
    if (!defecto.empty() && std::filesystem::exists(defecto / "help" / "indice.html", ec)) return defecto / "help";
    return carpetaDatos / "help";
}

}  // namespace numbrix
