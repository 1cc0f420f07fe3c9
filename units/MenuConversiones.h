#pragma once
// The conversion menus as plain data, for the windows to turn into menus:
// captions are ready to show ("&" doubled), names travel as data and are
// never parsed back from a caption. Also the reader of recent-conversion
// texts ("km -> m (Longitud)").
#include <string>
#include <string_view>
#include <vector>

#include "units/ConvUnid.h"

namespace numbrix {

struct NodoMenuUnidades {
    std::string Titulo;        // caption, "&" escaped
    CodigoConversion Codigo = -1;  // a conversion ("a %s" items), else -1
    int Magnitud = -1;         // index in Magnitudes()
    int Unidad = -1;           // index in the magnitude's unit list
    std::string NombreMagnitud, NombreUnidad;
    bool Submenu = false;      // has children (maybe not built yet)
    std::vector<NodoMenuUnidades> Hijos;
};

// "&" as "&&", so a name shows as written.
std::string TituloMenu(std::string_view nombre);

// One item per magnitude (caption: its name), marked Submenu, without
// children: SubmenuConversiones fills one when it is about to show.
// Magnitudes past index 255 have no code and no item.
std::vector<NodoMenuUnidades> MenuConversiones(const TModeloUnidades& modelo);
// For a magnitude: one "de %s" item per unit, each with one "a %s" item per
// other unit, whose Codigo is the conversion.
std::vector<NodoMenuUnidades> SubmenuConversiones(const TModeloUnidades& modelo, int magnitud);
// One item per magnitude with one child per unit (Codigo -1): the unit menu
// of the formula library.
std::vector<NodoMenuUnidades> MenuUnidades(const TModeloUnidades& modelo);

// A conversion named by text, "km -> m (Longitud)" or "km -> m".
struct ConversionLeida {
    enum class Estado { Hallada, Ambigua, Ninguna };
    Estado Resultado = Estado::Ninguna;
    int Magnitud = -1, Origen = -1, Destino = -1;
    std::string NombreMagnitud, NombreOrigen, NombreDestino;  // as the model spells them
    std::vector<std::string> Candidatas;  // Ambigua: the magnitudes that hold both units
    // The code, or -1 when an index is past 255.
    CodigoConversion Codigo() const;
};

// Tries every split of the text whose magnitude and units exist in the model
// (names may hold " (" and ")": "galón (EE. UU.)"). Without a magnitude the
// one magnitude holding both units is taken; several give Ambigua.
ConversionLeida LeerConversion(const TModeloUnidades& modelo, std::string_view texto);

}  // namespace numbrix
