#pragma once
// Chemistry: the element table read from quim.ini and the reader that gives
// a chemical formula («2NaCl», «Ca(OH)2», «CuSO4.H2O») its molar mass. The
// engines consult it last for a name they do not know, so it never changes
// what an ordinary expression means; a text is a formula only when it reads
// completely as one.
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ExprBaseX.h"

namespace numbrix {

class TSesion;

struct Elemento {
    std::string Simbolo;
    std::string Descripcion;
    long double Masa = 0;
};

class TTablaQuimica {
public:
    // Replaces the table with the [MASAS] section of `archivo` (none or no
    // section: empty). Returns the load report, one line per problem.
    std::vector<std::string> Cargar(const std::filesystem::path& archivo);
    // The same from lines "Símbolo_Nombre=masa", as the section stores them.
    std::vector<std::string> Leer(const std::vector<std::string>& lineas, std::string_view nombre = "quim.ini");

    const std::vector<Elemento>& Elementos() const { return elementos_; }
    const Elemento* Buscar(std::string_view simbolo) const;
    // The mass of a formula; false (and 0) when the text is not a formula of
    // known elements.
    bool MasaMolar(std::string_view texto, long double& masa) const;

private:
    std::vector<Elemento> elementos_;  // file order
};

// The table every engine consults (loaded by the session from its data folder).
TTablaQuimica& TablaQuimica();

// For the formula library: the look-up over the shared table and the
// predicate «is this text a formula».
bool BuscarFormulaQuimica(std::string_view texto, long double& masa);
bool EsFormulaQuimica(std::string_view texto);

// Typesetting of a formula node (its name is the formula): symbols and
// coefficients at full size, the counts after a symbol or ")" as subscripts,
// all in Color::Azul().
std::pair<ProcMedir<DominioReal>, ProcDibujar<DominioReal>> DibujoQuimico();

// Offers chemistry to a session: its data-folder load and the look-up with
// its typesetting, switched by TSesion::SetQuimica.
void ConectarQuimica(TSesion& sesion);

}  // namespace numbrix
