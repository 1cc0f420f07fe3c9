#pragma once
// What the instant converter and the unit editor compute, without a window:
// a quantity read quietly beside the main engine, one text per unit of a
// magnitude, the 35 base cells, the base cells' key filter, and a
// magnitude's section as editable rows and back, with the rules a save
// must pass.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/bases2_36.h"
#include "units/ConvUnid.h"

namespace numbrix {

class TSesion;
class TVelIniFile;

// ---------------------------------------------------------------- quantity

struct LecturaCantidad {
    bool ok = false;
    long double valor = 0;
    std::string error;   // the engine's message when not ok
    bool ocupada = false;  // the session was evaluating: nothing was read
};

// Evaluates the converter's quantity in an engine of its own over the
// session's names: the main engine keeps its text, tree and quiet flag, and
// a prompt variable is an error, never a question.
class TCantidadConversor {
public:
    explicit TCantidadConversor(TSesion& sesion);
    ~TCantidadConversor();
    LecturaCantidad Leer(const std::string& texto);

private:
    TSesion& sesion_;
    std::unique_ptr<TExpresionX> motor_;
};

// One text per unit of the magnitude: `valor` in unit `origen` converted
// into each, written by `escribir`. A conversion that fails empties every
// text and gives its message.
struct TextosUnidades {
    std::vector<std::string> textos;
    std::string error;
};
TextosUnidades ConvertirATodas(TModeloUnidades& modelo, int magnitud, int origen, long double valor,
                               const std::function<std::string(long double)>& escribir);

// ---------------------------------------------------------------- bases

constexpr int kBaseMinima = 2, kBaseMaxima = 36, kCantidadBases = 35;
// "Bin", "Oct", "Dec", "Hex" or the base's number.
std::string EtiquetaBase(int base);
// Cell i holds base i + 2, written by RealABase with the " [b]" mark.
std::array<std::string, kCantidadBases> TextosBases(long double valor, const FormatoNumero& f);
// A cell's text in its base (its own " [b]" mark allowed); nothing for a
// text that does not read or reads as zero: such an edit changes nothing.
std::optional<long double> LeerCeldaBase(std::string_view texto, int base);
// The key filter of a base cell: the character to type (letters but "e" in
// capitals) or nothing when it is swallowed.
std::optional<char32_t> FiltrarTeclaBase(char32_t c, int base);

// ---------------------------------------------------------------- editor rows

struct FilaUnidad {
    std::string Nombre, A, De;  // name, to the fundamental unit, from it
    bool Vacia() const;
};
struct SeccionMagnitud {
    std::string Fundamental;
    std::vector<FilaUnidad> Filas;
};

// The section's "key=value" lines as rows; the fundamental unit's key gives
// the fundamental name.
SeccionMagnitud FilasDeSeccion(const std::vector<std::string>& lineas);
// The lines a save writes ("UniFundamental" first, empty rows skipped), or
// the refusal «Fila %d: %s» (rows counted from 1).
struct LineasGuardar {
    std::vector<std::string> lineas;
    std::string error;
};
LineasGuardar SeccionDeFilas(const SeccionMagnitud& s);

// Why a magnitude may not take `nombre` (empty: it may). `actual` is the
// magnitude being renamed ("" for a new one): its own name in another case
// is allowed.
std::string RechazoNombreMagnitud(std::string_view nombre, const std::vector<std::string>& existentes,
                                  std::string_view actual = {});

// The editor's copy of the unit file's sections: every change stays here
// until Aplicar writes them into the file object.
class TCopiaSecciones {
public:
    explicit TCopiaSecciones(const TVelIniFile& ini);
    // Sorted as the model sorts magnitudes.
    std::vector<std::string> Nombres() const;
    bool Existe(std::string_view nombre) const;
    std::vector<std::string> Lineas(std::string_view nombre) const;
    void Reemplazar(const std::string& nombre, std::vector<std::string> lineas);
    void Borrar(std::string_view nombre);
    // The removed sections erased, the changed ones replaced.
    void Aplicar(TVelIniFile& ini) const;

private:
    struct Seccion {
        std::string nombre;
        std::vector<std::string> lineas;
        bool cambiada = false;
    };
    std::vector<Seccion> secciones_;
    std::vector<std::string> borradas_;
};

}  // namespace numbrix
