#include "shell/DefinicionesUsuario.h"

#include "shell/VelIni.h"
#include "support/basicos.h"

namespace numbrix {

DefinicionUsuario LeerLineaDefinicion(std::string_view linea) {
    DefinicionUsuario d;
    std::size_t igual = linea.find('=');
    std::string_view valor = linea;
    if (igual != std::string_view::npos) {
        d.nombre = std::string(Recortar(linea.substr(0, igual)));
        valor = linea.substr(igual + 1);
    }
    std::size_t raya = valor.find('_');
    d.definicion = std::string(valor.substr(0, raya));
    if (raya != std::string_view::npos) d.descripcion = std::string(valor.substr(raya + 1));
    return d;
}

std::string TextoLineaDefinicion(const DefinicionUsuario& d) { return d.definicion + "_" + d.descripcion; }

DefinicionesUsuario LeerDefiniciones(const TVelIniFile& archivo) {
    DefinicionesUsuario r;
    for (const auto& l : archivo.ReadSectionValues("Constantes")) {
        DefinicionUsuario d = LeerLineaDefinicion(l);
        if (!d.nombre.empty()) r.constantes.push_back(std::move(d));
    }
    for (const auto& l : archivo.ReadSectionValues("Funciones")) {
        DefinicionUsuario d = LeerLineaDefinicion(l);
        if (!d.nombre.empty()) r.funciones.push_back(std::move(d));
    }
    return r;
}

std::string TextoInsertarFuncion(std::string_view nombre, int parametros) {
    std::string t(nombre);
    if (parametros > 0) {
        t += '(';
        t.append(static_cast<std::size_t>(parametros - 1), ',');
        t += ')';
    }
    return t;
}

namespace {

void Avisar(const Notificador& aviso, const std::string& m) {
    if (aviso) aviso(NivelAviso::Error, m);
}

}  // namespace

template <class D>
std::vector<NombreUsuario> RegistrarDefiniciones(const DefinicionesUsuario& defs, TExpresion<D>& principal,
                                                 TExpresion<D>& auxiliar, const Notificador& aviso) {
    std::vector<NombreUsuario> nombres;
    for (const auto& c : defs.constantes) {
        if (principal.Buscar(c.nombre)) {
            Avisar(aviso, c.nombre + " ya esta definido");
            continue;
        }
        // The auxiliary engine computes the value; what it cannot compute is
        // not registered at all.
        auxiliar.SetTexto(c.definicion);
        typename D::Valor v = auxiliar.HayError ? typename D::Valor{} : auxiliar.Valor();
        if (auxiliar.HayError) {
            Avisar(aviso, "La constante " + c.nombre + " no se pudo calcular: " + auxiliar.Mensaje);
            continue;
        }
        principal.AgregarConstante(c.nombre, c.descripcion, v);
        auxiliar.AgregarConstante(c.nombre, c.descripcion, v);
        nombres.push_back({c.descripcion, c.nombre, false});
    }
    for (const auto& f : defs.funciones) {
        if (principal.Buscar(f.nombre)) {
            Avisar(aviso, f.nombre + " ya esta definido");
            continue;
        }
        try {
            principal.AgregarUsuario(f.nombre, f.definicion, f.descripcion);
            auxiliar.AgregarUsuario(f.nombre, f.definicion, f.descripcion);
        } catch (const std::exception& e) {
            Avisar(aviso, e.what());
            continue;
        }
        int minimo = 0, maximo = 0;
        principal.AridadDe(f.nombre, minimo, maximo);
        nombres.push_back({f.descripcion, TextoInsertarFuncion(f.nombre, maximo), true});
    }
    return nombres;
}

template std::vector<NombreUsuario> RegistrarDefiniciones(const DefinicionesUsuario&, TExpresionX&, TExpresionX&,
                                                          const Notificador&);
template std::vector<NombreUsuario> RegistrarDefiniciones(const DefinicionesUsuario&, TExpresionQ&, TExpresionQ&,
                                                          const Notificador&);
template std::vector<NombreUsuario> RegistrarDefiniciones(const DefinicionesUsuario&, TExpresionC&, TExpresionC&,
                                                          const Notificador&);

}  // namespace numbrix
