#pragma once
// The user's own constants and functions ("real.duf"): reading the file and
// registering them in the calculator's engines, with the texts the insert
// menu offers for them.
#include <string>
#include <string_view>
#include <vector>

#include "engine/ExpresionX.h"
#include "numbers/ExpresionC.h"
#include "numbers/ExpresionQ.h"
#include "support/Notificador.h"

namespace numbrix {

class TVelIniFile;

// One line "nombre=definición_descripción" of a section.
struct DefinicionUsuario {
    std::string nombre;
    std::string definicion;   // the text before the first "_"
    std::string descripcion;  // the text after it ("" without "_")
};

DefinicionUsuario LeerLineaDefinicion(std::string_view linea);
std::string TextoLineaDefinicion(const DefinicionUsuario& d);  // the value part: definición_descripción

struct DefinicionesUsuario {
    std::vector<DefinicionUsuario> constantes;  // section "Constantes"
    std::vector<DefinicionUsuario> funciones;   // section "Funciones"
};

DefinicionesUsuario LeerDefiniciones(const TVelIniFile& archivo);

// What the insert menu shows for a registered name.
struct NombreUsuario {
    std::string descripcion;  // the menu caption
    std::string insertar;     // "k", or "f(,)" for a function of two parameters
    bool funcion = false;
};

// Registers the definitions in both engines, constants first (their values
// computed by the auxiliary engine), then functions. A constant whose value
// does not evaluate, or a function the engine refuses, is reported through
// `aviso` and left out, so using it fails as an unknown name instead of
// computing with a meaningless value. The real calculator and the complex
// one (whose constants take complex values) register them alike, and so
// could the fraction one.
template <class D>
std::vector<NombreUsuario> RegistrarDefiniciones(const DefinicionesUsuario& defs, TExpresion<D>& principal,
                                                 TExpresion<D>& auxiliar, const Notificador& aviso);
extern template std::vector<NombreUsuario> RegistrarDefiniciones(const DefinicionesUsuario&, TExpresionX&,
                                                                 TExpresionX&, const Notificador&);
extern template std::vector<NombreUsuario> RegistrarDefiniciones(const DefinicionesUsuario&, TExpresionQ&,
                                                                 TExpresionQ&, const Notificador&);
extern template std::vector<NombreUsuario> RegistrarDefiniciones(const DefinicionesUsuario&, TExpresionC&,
                                                                 TExpresionC&, const Notificador&);

// "f" followed, for p > 0 parameters, by "(", p - 1 commas and ")".
std::string TextoInsertarFuncion(std::string_view nombre, int parametros);

}  // namespace numbrix
