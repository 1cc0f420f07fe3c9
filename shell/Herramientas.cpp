#include "shell/Herramientas.h"

#include <algorithm>
#include <cctype>

#include "shell/AjustesCalculadora.h"

namespace numbrix {

const std::vector<DescripcionHerramienta>& HerramientasConocidas() {
    static const std::vector<DescripcionHerramienta> t = {
        {.Nombre = "Formulario", .Clave = "Formulas", .Atajo = 'L', .Glifo = "ƒ"},
        {.Nombre = "Matrices", .Clave = "Matrices", .Atajo = 'M', .Glifo = "▦"},
        {.Nombre = "Factores primos", .Clave = "Primos", .Atajo = 'P', .Glifo = "p"},
        {.Nombre = "Fec&has y Tiempo", .Clave = "Fechas", .Atajo = 'F', .Glifo = "◷"},
        {.Nombre = "Conversor", .Clave = "Conversor", .Glifo = "⇄"},
        {.Nombre = "Estadísticas", .Clave = "Estadisticas", .Glifo = "σ"},
        {.Nombre = "Fracciones", .Clave = "Fracciones", .Atajo = 'Q', .Glifo = "½"},
        {.Nombre = "Complejos", .Clave = "Complejos", .Atajo = 'J', .Glifo = "i"},
        {.Nombre = "Polinomios", .Clave = "Polinomios", .Glifo = "x²"},
        {.Nombre = "Sucesiones", .Atajo = 'S', .Glifo = "aₙ"},
    };
    return t;
}

const std::vector<std::string>& OrdenReapertura() {
    static const std::vector<std::string> o = {"Conversor",    "Formulas",   "Primos",    "Fechas",    "Matrices",
                                               "Estadisticas", "Fracciones", "Complejos", "Polinomios"};
    return o;
}

std::string SinMarcas(std::string_view nombre) {
    std::string r;
    for (std::size_t i = 0; i < nombre.size(); ++i) {
        if (nombre[i] == '&' && i + 1 < nombre.size() && nombre[i + 1] == '&') r += nombre[++i];
        else if (nombre[i] != '&') r += nombre[i];
    }
    return r;
}

bool* BanderaHerramienta(AjustesCalculadora& a, std::string_view clave) {
    using A = AjustesCalculadora;
    static const std::pair<const char*, bool A::*> kCampos[] = {
        {"Conversor", &A::Conversor},   {"Formulas", &A::Formulas},     {"Primos", &A::Primos},
        {"Fechas", &A::Fechas},         {"Matrices", &A::Matrices},     {"Estadisticas", &A::Estadisticas},
        {"Fracciones", &A::Fracciones}, {"Complejos", &A::Complejos},   {"Polinomios", &A::Polinomios},
    };
    for (const auto& [nombre, campo] : kCampos)
        if (clave == nombre) return &(a.*campo);
    return nullptr;
}

namespace {

// Names compare as read: "&" marks and the case of ASCII letters aside.
std::string Comparable(std::string_view nombre) {
    std::string r = SinMarcas(nombre);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::size_t Rango(const std::string& nombre) {
    const auto& t = HerramientasConocidas();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (Comparable(t[i].Nombre) == Comparable(nombre)) return i;
    return t.size();
}

}  // namespace

std::optional<std::size_t> TRegistroHerramientas::Registrar(DescripcionHerramienta d) {
    const std::size_t rango = Rango(d.Nombre);
    if (rango < HerramientasConocidas().size()) {
        const DescripcionHerramienta& k = HerramientasConocidas()[rango];
        if (d.Clave.empty()) d.Clave = k.Clave;
        if (!d.Atajo) d.Atajo = k.Atajo;
        if (d.Glifo.empty()) d.Glifo = k.Glifo;
    }
    d.Atajo = static_cast<char>(std::toupper(static_cast<unsigned char>(d.Atajo)));
    if (d.Glifo.empty()) d.Glifo = SinMarcas(d.Nombre).substr(0, 1);
    if (PorNombre(d.Nombre) || (d.Atajo && PorAtajo(d.Atajo))) return std::nullopt;
    std::size_t pos = 0;
    while (pos < lista_.size() && Rango(lista_[pos].Nombre) <= rango) ++pos;
    lista_.insert(lista_.begin() + static_cast<std::ptrdiff_t>(pos), std::move(d));
    return pos;
}

std::optional<std::size_t> TRegistroHerramientas::PorNombre(std::string_view nombre) const {
    for (std::size_t i = 0; i < lista_.size(); ++i)
        if (Comparable(lista_[i].Nombre) == Comparable(nombre)) return i;
    return std::nullopt;
}

std::optional<std::size_t> TRegistroHerramientas::PorAtajo(char letra) const {
    letra = static_cast<char>(std::toupper(static_cast<unsigned char>(letra)));
    for (std::size_t i = 0; i < lista_.size(); ++i)
        if (letra && lista_[i].Atajo == letra) return i;
    return std::nullopt;
}

bool TRegistroHerramientas::Recordada(const AjustesCalculadora& a, std::size_t i) const {
    const bool* b = BanderaHerramienta(const_cast<AjustesCalculadora&>(a), lista_[i].Clave);
    return b && *b;
}

void TRegistroHerramientas::Recordar(AjustesCalculadora& a, std::size_t i, bool abierta) const {
    if (bool* b = BanderaHerramienta(a, lista_[i].Clave)) *b = abierta;
}

std::vector<std::size_t> TRegistroHerramientas::AReabrir(const AjustesCalculadora& a) const {
    std::vector<std::size_t> r;
    for (const std::string& clave : OrdenReapertura())
        for (std::size_t i = 0; i < lista_.size(); ++i)
            if (lista_[i].Clave == clave && Recordada(a, i)) r.push_back(i);
    return r;
}

std::vector<TeclaAyuda> TRegistroHerramientas::Teclas() const {
    std::vector<TeclaAyuda> r;
    for (const auto& d : lista_) {
        if (d.Atajo)
            r.push_back({std::string("Ctrl+") + d.Atajo, "Abre o cierra la herramienta «" + SinMarcas(d.Nombre) + "»."});
    }
    return r;
}

}  // namespace numbrix
