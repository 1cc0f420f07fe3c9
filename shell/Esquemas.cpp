#include "shell/Esquemas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_set>

#include "engine/Expresion.h"
#include "shell/VelIni.h"

namespace numbrix {

std::string TextoColores(const T4Colores& c) {
    char b[64];
    std::snprintf(b, sizeof b, "$%X,$%X,$%X,$%X", static_cast<unsigned>(c.Luz), static_cast<unsigned>(c.Sombra),
                  static_cast<unsigned>(c.Texto), static_cast<unsigned>(c.Fondo));
    return b;
}

namespace {

std::string_view Recortar(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r')) t.remove_suffix(1);
    return t;
}

bool LeerColor(std::string_view t, TColor& c) {
    t = Recortar(t);
    if (t.empty()) return false;
    if (t.front() == '$') {
        t.remove_prefix(1);
        if (t.empty() || t.size() > 8) return false;
        std::uint32_t v = 0;
        for (char ch : t) {
            int d;
            if (ch >= '0' && ch <= '9') d = ch - '0';
            else if (ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
            else if (ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
            else return false;
            v = v << 4 | static_cast<std::uint32_t>(d);
        }
        c = v;
        return true;
    }
    int v = 0;
    if (!LeerEnteroIni(t, v)) return false;
    c = ColorDeEntero(v);
    return true;
}

}  // namespace

bool LeerColores(std::string_view texto, T4Colores& c) {
    TColor v[4];
    for (int i = 0; i < 4; ++i) {
        std::size_t coma = texto.find(',');
        if ((i < 3) == (coma == std::string_view::npos)) return false;
        if (!LeerColor(texto.substr(0, coma), v[i])) return false;
        texto = i < 3 ? texto.substr(coma + 1) : std::string_view();
    }
    c = {v[0], v[1], v[2], v[3]};
    return true;
}

T4Colores ColoresPredeterminados() { return {clLuzBoton, clCaraBoton, clTextoVentana, clVentana}; }

ColoresPintados CalcularColoresPintados(const T4Colores& e, const PaletaSistema& sistema) {
    ColoresPintados c;
    c.BandaLuz = Resolver(e.Luz, sistema);
    c.BandaSombra = Resolver(e.Sombra, sistema);
    const TColor texto = Resolver(e.Texto, sistema);
    // The bands carry no text colour of their own: the scheme's text, when it
    // stands out on the whole ramp.
    c.TintaBanda = TextoLegibleSobreRampa(texto, c.BandaLuz, c.BandaSombra);
    c.TintaBandaInactiva = TintaInactivaSobreRampa(c.TintaBanda, c.BandaLuz, c.BandaSombra);
    c.Caja = c.BandaLuz;
    c.TintaCaja = TextoLegible(texto, c.Caja);
    c.Fondo = Resolver(e.Fondo, sistema);
    c.TintaFondo = TextoLegible(texto, c.Fondo);
    c.Seleccion = sistema[csResaltado];
    c.TintaSeleccion = TextoLegible(sistema[csTextoResaltado], c.Seleccion);
    c.Divisor = c.BandaSombra;
    return c;
}

void TEsquemas::Cargar(const TVelIniFile& archivo) {
    lista_.clear();
    problemas_.clear();
    int n = 0;
    // Names already taken, folded: a long file loads in linear time.
    std::unordered_set<std::string> vistos;
    auto plegar = [](std::string t) {
        for (char& c : t)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return t;
    };
    for (const auto& l : archivo.ReadSectionValues(Seccion)) {
        ++n;
        std::size_t igual = l.find('=');
        std::string nombre(Recortar(std::string_view(l).substr(0, igual)));
        std::string_view valor = igual == std::string::npos ? std::string_view() : std::string_view(l).substr(igual + 1);
        T4Colores c;
        if (nombre.empty() || !LeerColores(valor, c)) {
            problemas_.push_back("Combinación de colores " + std::to_string(n) + " no válida: " + l);
            continue;
        }
        if (!vistos.insert(plegar(nombre)).second) continue;
        lista_.push_back({nombre, c});
    }
}

int TEsquemas::Buscar(std::string_view nombre) const {
    for (std::size_t i = 0; i < lista_.size(); ++i)
        if (IgualSinCaso(lista_[i].Nombre, nombre)) return static_cast<int>(i);
    return -1;
}

std::string TEsquemas::ValidarNombre(std::string_view nombre) {
    std::string_view r = Recortar(nombre);
    if (r.empty()) return "Indique un nombre para la combinación de colores.";
    if (r.find_first_of("=[]\r\n") != std::string_view::npos)
        return "El nombre de una combinación no puede contener \"=\", \"[\" ni \"]\".";
    if (r.front() == ';') return "El nombre de una combinación no puede empezar con \";\".";
    if (r.size() > 60) return "El nombre de la combinación es demasiado largo (hasta 60 caracteres).";
    return {};
}

int TEsquemas::Guardar(TVelIniFile& archivo, const std::string& nombre, const T4Colores& c) {
    std::string n(Recortar(nombre));
    int i = Buscar(n);
    if (i >= 0) {
        archivo.DeleteKey(Seccion, lista_[static_cast<std::size_t>(i)].Nombre);
        lista_.erase(lista_.begin() + i);
    }
    lista_.push_back({n, c});
    archivo.WriteString(Seccion, n, TextoColores(c));
    return static_cast<int>(lista_.size()) - 1;
}

void TEsquemas::Borrar(TVelIniFile& archivo, int i) {
    if (i < 0 || i >= static_cast<int>(lista_.size())) return;
    archivo.DeleteKey(Seccion, lista_[static_cast<std::size_t>(i)].Nombre);
    lista_.erase(lista_.begin() + i);
}

}  // namespace numbrix
