#include "units/MenuConversiones.h"

#include <algorithm>

#include "support/basicos.h"

namespace numbrix {

std::string TituloMenu(std::string_view nombre) {
    std::string r;
    r.reserve(nombre.size());
    for (char c : nombre) {
        if (c == '&') r += '&';
        r += c;
    }
    return r;
}

std::vector<NodoMenuUnidades> MenuConversiones(const TModeloUnidades& modelo) {
    const auto& ms = modelo.Magnitudes();
    const std::size_t n = std::min<std::size_t>(ms.size(), MaxIndiceCodigo + 1);
    std::vector<NodoMenuUnidades> r(n);
    for (std::size_t i = 0; i < n; ++i) {
        r[i].Titulo = TituloMenu(ms[i].Nombre);
        r[i].Magnitud = static_cast<int>(i);
        r[i].NombreMagnitud = ms[i].Nombre;
        r[i].Submenu = true;
    }
    return r;
}

std::vector<NodoMenuUnidades> SubmenuConversiones(const TModeloUnidades& modelo, int magnitud) {
    const auto& ms = modelo.Magnitudes();
    if (magnitud < 0 || magnitud > MaxIndiceCodigo || static_cast<std::size_t>(magnitud) >= ms.size()) return {};
    const auto& m = ms[static_cast<std::size_t>(magnitud)];
    const std::size_t n = std::min<std::size_t>(m.Unidades.size(), MaxIndiceCodigo + 1);
    // Each caption once, not once per menu that shows it.
    std::vector<std::string> de(n), a(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string t = TituloMenu(m.Unidades[i].Nombre);
        de[i] = "de " + t;
        a[i] = "a " + t;
    }
    std::vector<NodoMenuUnidades> r(n);
    for (std::size_t o = 0; o < n; ++o) {
        auto& item = r[o];
        item.Titulo = std::move(de[o]);
        item.Magnitud = magnitud;
        item.Unidad = static_cast<int>(o);
        item.NombreMagnitud = m.Nombre;
        item.NombreUnidad = m.Unidades[o].Nombre;
        item.Submenu = n > 1;
        item.Hijos.reserve(n - 1);
        for (std::size_t d = 0; d < n; ++d) {
            if (d == o) continue;
            NodoMenuUnidades h;
            h.Titulo = a[d];
            h.Codigo = HacerCodigo(magnitud, static_cast<int>(o), static_cast<int>(d));
            h.Magnitud = magnitud;
            h.Unidad = static_cast<int>(d);
            h.NombreMagnitud = m.Nombre;
            h.NombreUnidad = m.Unidades[d].Nombre;
            item.Hijos.push_back(std::move(h));
        }
    }
    return r;
}

std::vector<NodoMenuUnidades> MenuUnidades(const TModeloUnidades& modelo) {
    const auto& ms = modelo.Magnitudes();
    std::vector<NodoMenuUnidades> r(ms.size());
    for (std::size_t i = 0; i < ms.size(); ++i) {
        auto& item = r[i];
        item.Titulo = TituloMenu(ms[i].Nombre);
        item.Magnitud = static_cast<int>(i);
        item.NombreMagnitud = ms[i].Nombre;
        item.Submenu = true;
        item.Hijos.resize(ms[i].Unidades.size());
        for (std::size_t u = 0; u < ms[i].Unidades.size(); ++u) {
            auto& h = item.Hijos[u];
            h.Titulo = TituloMenu(ms[i].Unidades[u].Nombre);
            h.Magnitud = static_cast<int>(i);
            h.Unidad = static_cast<int>(u);
            h.NombreMagnitud = ms[i].Nombre;
            h.NombreUnidad = ms[i].Unidades[u].Nombre;
        }
    }
    return r;
}

CodigoConversion ConversionLeida::Codigo() const {
    if (Resultado != Estado::Hallada || Magnitud > MaxIndiceCodigo || Origen > MaxIndiceCodigo ||
        Destino > MaxIndiceCodigo)
        return -1;
    return HacerCodigo(Magnitud, Origen, Destino);
}

ConversionLeida LeerConversion(const TModeloUnidades& modelo, std::string_view texto) {
    static constexpr std::string_view Flecha = " -> ";
    const auto& ms = modelo.Magnitudes();
    texto = Recortar(texto);
    ConversionLeida r;
    auto hallada = [&](int m, int o, int d) {
        r.Resultado = ConversionLeida::Estado::Hallada;
        r.Magnitud = m;
        r.Origen = o;
        r.Destino = d;
        const auto& mg = ms[static_cast<std::size_t>(m)];
        r.NombreMagnitud = mg.Nombre;
        r.NombreOrigen = mg.Unidades[static_cast<std::size_t>(o)].Nombre;
        r.NombreDestino = mg.Unidades[static_cast<std::size_t>(d)].Nombre;
    };
    // With a magnitude: every " -> " and every " (" after it with ")" last.
    for (std::size_t f = texto.find(Flecha); f != std::string_view::npos; f = texto.find(Flecha, f + 1)) {
        const std::string_view origen = Recortar(texto.substr(0, f)), resto = texto.substr(f + Flecha.size());
        if (!resto.empty() && resto.back() == ')') {
            for (std::size_t p = resto.find(" ("); p != std::string_view::npos; p = resto.find(" (", p + 1)) {
                const int m = modelo.BuscarMagnitud(resto.substr(p + 2, resto.size() - p - 3));
                if (m < 0) continue;
                const int o = modelo.BuscarUnidad(m, origen), d = modelo.BuscarUnidad(m, Recortar(resto.substr(0, p)));
                if (o >= 0 && d >= 0) {
                    hallada(m, o, d);
                    return r;
                }
            }
        }
    }
    // Without one: the magnitudes that hold both units.
    for (std::size_t f = texto.find(Flecha); f != std::string_view::npos; f = texto.find(Flecha, f + 1)) {
        const std::string_view origen = Recortar(texto.substr(0, f)), destino = Recortar(texto.substr(f + Flecha.size()));
        int m1 = -1, o1 = -1, d1 = -1;
        std::vector<std::string> candidatas;
        for (std::size_t m = 0; m < ms.size(); ++m) {
            const int o = modelo.BuscarUnidad(static_cast<int>(m), origen);
            const int d = o < 0 ? -1 : modelo.BuscarUnidad(static_cast<int>(m), destino);
            if (d < 0) continue;
            if (candidatas.empty()) m1 = static_cast<int>(m), o1 = o, d1 = d;
            candidatas.push_back(ms[m].Nombre);
        }
        if (candidatas.size() == 1) {
            hallada(m1, o1, d1);
            return r;
        }
        if (candidatas.size() > 1) {
            r.Resultado = ConversionLeida::Estado::Ambigua;
            r.NombreOrigen = origen;
            r.NombreDestino = destino;
            r.Candidatas = std::move(candidatas);
            return r;
        }
    }
    return r;
}

}  // namespace numbrix
