#include "tools/Quim.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <tuple>

#include "engine/DiagramaX.h"
#include "shell/Sesion.h"
#include "shell/VelIni.h"
#include "support/CarpetaDatos.h"

namespace numbrix {

namespace {

// More digits than this is a typo, and would wrap a 32-bit count.
constexpr std::size_t kMaxCifras = 9;

bool Mayuscula(char c) { return c >= 'A' && c <= 'Z'; }
bool Minuscula(char c) { return c >= 'a' && c <= 'z'; }
bool Cifra(char c) { return c >= '0' && c <= '9'; }

// A count or coefficient at i: at most kMaxCifras digits, never 0 (a 0 is
// a typo: «Ca0» for CaO).
bool LeerCuenta(std::string_view t, std::size_t& i, long& n) {
    const std::size_t b = i;
    n = 0;
    for (; i < t.size() && Cifra(t[i]); ++i) {
        if (i - b == kMaxCifras) return false;
        n = n * 10 + (t[i] - '0');
    }
    return n > 0;
}

}  // namespace

const Elemento* TTablaQuimica::Buscar(std::string_view simbolo) const {
    for (const Elemento& e : elementos_)
        if (e.Simbolo == simbolo) return &e;
    return nullptr;
}

// Coefficient, then terms up to the end; a term is an element symbol or a
// parenthesised group (not nested), an optional count, and an optional "."
// that separates the parts of a hydrate.
bool TTablaQuimica::MasaMolar(std::string_view t, long double& masa) const {
    masa = 0;
    std::size_t i = 0;
    long coeficiente = 1;
    if (i < t.size() && Cifra(t[i]) && !LeerCuenta(t, i, coeficiente)) return false;
    if (i >= t.size()) return false;  // no element at all
    long double suma = 0;
    while (i < t.size()) {
        long double base = 0;
        if (t[i] == '(') {
            const std::size_t cierre = t.find(')', i + 1);
            if (cierre == std::string_view::npos) return false;
            // Strictly shorter: the parentheses are left out.
            if (!MasaMolar(t.substr(i + 1, cierre - i - 1), base)) return false;
            i = cierre + 1;
        } else if (Mayuscula(t[i])) {
            const std::size_t b = i++;
            while (i < t.size() && Minuscula(t[i])) ++i;
            const Elemento* e = Buscar(t.substr(b, i - b));
            if (!e) return false;
            base = e->Masa;
        } else {
            return false;
        }
        long cuenta = 1;
        if (i < t.size() && Cifra(t[i]) && !LeerCuenta(t, i, cuenta)) return false;
        if (i < t.size()) {
            if (t[i] == '.') {
                if (++i == t.size()) return false;  // a hydrate's second part is missing
            } else if (!Mayuscula(t[i]) && t[i] != '(') {
                return false;  // also a lower-case letter after ")" or a count
            }
        }
        suma += base * static_cast<long double>(cuenta);
    }
    masa = static_cast<long double>(coeficiente) * suma;
    return true;
}

std::vector<std::string> TTablaQuimica::Leer(const std::vector<std::string>& lineas, std::string_view nombre) {
    elementos_.clear();
    std::vector<std::string> informe;
    const std::string n(nombre);
    for (const std::string& l : lineas) {
        const std::size_t igual = l.find('=');
        if (igual == std::string::npos) {
            informe.push_back(n + ": línea sin masa, se omite: «" + l + "».");
            continue;
        }
        const std::string clave = l.substr(0, igual), valor = l.substr(igual + 1);
        Elemento e;
        // A "_" first is part of the symbol, not the start of a description.
        const std::size_t raya = clave.find('_');
        if (raya != std::string::npos && raya >= 1) {
            e.Simbolo = clave.substr(0, raya);
            e.Descripcion = clave.substr(raya + 1);
        } else {
            e.Simbolo = clave;
        }
        // "." in any locale; "1,008" is refused rather than read as 1 or 0.
        const char* fin = valor.data() + valor.size();
        const auto r = std::from_chars(valor.data(), fin, e.Masa, std::chars_format::general);
        if (valor.empty() || r.ec != std::errc() || r.ptr != fin || !std::isfinite(e.Masa) || e.Masa <= 0) {
            informe.push_back(n + ": la masa de «" + e.Simbolo + "» no es un número positivo («" + valor +
                              "»); se omite el elemento.");
            continue;
        }
        if (Buscar(e.Simbolo)) {
            informe.push_back(n + ": el símbolo «" + e.Simbolo + "» está repetido; se conserva el primero.");
            continue;
        }
        elementos_.push_back(std::move(e));
    }
    return informe;
}

std::vector<std::string> TTablaQuimica::Cargar(const std::filesystem::path& archivo) {
    elementos_.clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(archivo, ec)) return {};
    OpcionesIni o;
    o.SaltarComentarios = true;
    o.QuitarBlancosIgual = true;
    o.GuardarAlCerrar = false;
    TVelIniFile ini(archivo, {}, std::move(o));
    std::vector<std::string> informe;
    if (ini.Informe().HayProblemas()) {
        InformeCarga i = ini.Informe();
        i.CopiaSeguridad.clear();  // never rewritten
        std::string t = i.Texto(archivo);
        for (std::size_t b = 0, e; b < t.size(); b = e + 1) {
            e = t.find('\n', b);
            if (e == std::string::npos) e = t.size();
            if (e > b) informe.push_back(t.substr(b, e - b));
        }
    }
    for (std::string& l : Leer(ini.ReadSectionValues("MASAS"), archivo.filename().string()))
        informe.push_back(std::move(l));
    return informe;
}

namespace {

// A formula as runs of full-size text and subscripts: a digit is a count
// after a letter or ")", a coefficient (full size) after "(" or "." or first.
struct Tramo {
    std::string_view texto;
    bool indice;
};

std::vector<Tramo> Tramos(std::string_view t) {
    std::vector<Tramo> r;
    bool tras = false;  // after a letter or ")"
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        const bool indice = tras && Cifra(c);
        if (Mayuscula(c) || Minuscula(c) || c == ')') tras = true;
        else if (c == '(' || c == '.') tras = false;
        if (!r.empty() && r.back().indice == indice)
            r.back().texto = t.substr(r.back().texto.data() - t.data(), r.back().texto.size() + 1);
        else
            r.push_back({t.substr(i, 1), indice});
    }
    return r;
}

// Where the parts sit, from the top of the full-size text cell: the box
// holds the cell and the subscripts' cells below it.
struct Disposicion {
    Fuente normal, indice;
    int altoCelda = 0;  // full-size cell
    int arribaIndice = 0;  // a subscript cell's top
    CajaFormula caja;
};

Disposicion Disponer(DiagramaX& d, int tam) {
    Disposicion p{FuenteSerif(tam), FuenteSerif(TamReducido(tam, 1, 2)), 0, 0, {}};
    const MedidaTexto n = d.Medida("X", p.normal), i = d.Medida("X", p.indice);
    // The subscript's baseline a quarter of a "W" below the text's, low
    // enough to read as a count, high enough to stay close to its symbol.
    const int baja = d.Medida("W", p.normal).ancho / 4;
    p.altoCelda = n.alto;
    p.arribaIndice = n.ascenso + baja - i.ascenso;
    const int arriba = std::min(0, p.arribaIndice), abajo = std::max(n.alto, p.arribaIndice + i.alto);
    p.caja.arriba = n.alto / 2 - arriba;
    p.caja.abajo = abajo - n.alto / 2;
    return p;
}

CajaFormula MedirQuimico(DiagramaX& d, const TEvalX& nodo, int tam) {
    Disposicion p = Disponer(d, tam);
    for (const Tramo& t : Tramos(nodo.Nombre)) p.caja.ancho += d.Medida(t.texto, t.indice ? p.indice : p.normal).ancho;
    return p.caja;
}

void DibujarQuimico(DiagramaX& d, const TEvalX& nodo, int x, int y, int tam) {
    const Disposicion p = Disponer(d, tam);
    const int celda = y + p.caja.arriba - p.altoCelda / 2;
    Lienzo& l = d.Lienzo();
    l.PonerColor(Color::Azul());
    for (const Tramo& t : Tramos(nodo.Nombre)) {
        const Fuente& f = t.indice ? p.indice : p.normal;
        l.PonerFuente(f);
        l.Texto(x, t.indice ? celda + p.arribaIndice : celda, t.texto);
        x += d.Medida(t.texto, f).ancho;
    }
    l.PonerColor(Color::Negro());
}

}  // namespace

std::pair<ProcMedir<DominioReal>, ProcDibujar<DominioReal>> DibujoQuimico() { return {MedirQuimico, DibujarQuimico}; }

TTablaQuimica& TablaQuimica() {
    static TTablaQuimica tabla;
    return tabla;
}

bool BuscarFormulaQuimica(std::string_view texto, long double& masa) { return TablaQuimica().MasaMolar(texto, masa); }

bool EsFormulaQuimica(std::string_view texto) {
    long double m = 0;
    return BuscarFormulaQuimica(texto, m);
}

void ConectarQuimica(TSesion& sesion) {
    ConsultaExterna c;
    c.Buscar = [](std::string_view nombre, long double& v) { return BuscarFormulaQuimica(nombre, v); };
    std::tie(c.Medir, c.Dibujar) = DibujoQuimico();
    // A folder made before chemistry existed has no quim.ini, and numbrix-cli
    // copies nothing into it: the shipped table is read in its place.
    c.Cargar = [](const std::filesystem::path& carpeta) {
        std::filesystem::path archivo = carpeta / "quim.ini";
        std::error_code ec;
        if (!std::filesystem::exists(archivo, ec)) archivo = CarpetaDatosDefecto(CarpetaDelEjecutable()) / "quim.ini";
        return TablaQuimica().Cargar(archivo);
    };
    sesion.OfrecerQuimica(std::move(c));
}

}  // namespace numbrix
